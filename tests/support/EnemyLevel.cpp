#include "support/EnemyLevel.h"

#include "Core/ObjectManager.h"
#include "Game/ScoreManager.h"
#include "GameStates/LevelManager.h"
#include "GameStates/LevelObject.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateMachineManager.h"
#include "StateMachines/SwitchComponent.h"
#include "core/Services.h"

#include <string>

namespace KelvaneTest
{
	namespace
	{
		// Stand-ins for the colour puzzle's switch and gate: the parts the enemies read.
		// Without an emitter or an animation the puzzle's own routines pass them over.
		class PuzzleSwitch : public Tarn::Object
		{
			TARN_CLASS_NAME( TestPuzzleSwitch )

		public:
			void Initialise() override
			{
				static const char* const kParts[] = { "TransformComponent", "MeshComponent", "SwitchComponent" };
				mComponents.AddComponents( kParts );
			}
			void Shutdown() override {}
		};

		class PuzzleGate : public Tarn::Object
		{
			TARN_CLASS_NAME( TestPuzzleGate )

		public:
			void Initialise() override
			{
				static const char* const kParts[] = { "TransformComponent", "GateComponent" };
				mComponents.AddComponents( kParts );
			}
			void Shutdown() override {}
		};

		// The stand-in made, then known by the kind it stands in for.
		Tarn::Object& MakeAs( const char* standIn, const char* kind, const char* name )
		{
			Tarn::Object* object = MakeObject( standIn, name );
			object->mType = Tarn::HashedName( kind );
			return *object;
		}
	}

	void EnemyLevel::SetUp()
	{
		LevelFileSystem();
		RegisterObjectType<PuzzleSwitch>();
		RegisterObjectType<PuzzleGate>();
		const std::string level = "Level" + std::to_string( kLevel );
		mResources.Point( level.c_str(), mFolder / ( level + ".xml" ) );
		mGame = std::make_unique<InputHarness>( Tarn::LaunchOptions(), false );
		mGame->Project().CreateComponents();
		mGame->Initialise();
		mGame->Project().GetGameTime().ElapsedSeconds = kDt;
		mLevels = Tarn::Services::Get<Tarn::LevelManager>();
		mMachines = Tarn::Services::Get<StateMachines::StateMachineManager>();
		mScore = Tarn::Services::Get<Tarn::ScoreManager>();
		ASSERT_TRUE( mLevels && mMachines && mScore );
	}

	void EnemyLevel::TearDown()
	{
		Tarn::ObjectManager::Instance().DestroyAll();
		mGame.reset();
	}

	Tarn::Object* EnemyLevel::Add( const char* type, const char* name, Tarn::Vector2 at )
	{
		Tarn::Object* object = AddToLevel( *mLevels->GetCurrentLevel(), type, name, at );
		EXPECT_NE( object, nullptr ) << type;
		return object;
	}

	void EnemyLevel::Play()
	{
		const std::string file = mFolder / ( "Level" + std::to_string( kLevel ) + ".xml" );
		ASSERT_TRUE( mLevels->GetCurrentLevel()->Save( Tarn::FileSystem::ParseRecord( file, true ) ) );
		ASSERT_TRUE( mLevels->LoadLevel( kLevel ) );
	}

	void EnemyLevel::Frames( int count )
	{
		for ( int i = 0; i < count; ++i )
			mMachines->RunMachines( kDt );
	}

	void EnemyLevel::Steps( int count ) { mGame->Step( count ); }

	StateMachines::SwitchComponent& EnemyLevel::MakeSwitch( const char* name, Tarn::Vector2 at, int32_t colour, bool lit )
	{
		Tarn::Object& object = MakeAs( "TestPuzzleSwitch", "Switch", name );
		object.GetComponent<Tarn::TransformComponent>()->mPosition = at;
		auto& machine = *object.GetComponent<StateMachines::SwitchComponent>();
		machine.mSwitchColour = colour;
		machine.mState = lit ? StateMachines::STATE_DIE : StateMachines::STATE_NORMAL;
		return machine;
	}

	StateMachines::GateComponent& EnemyLevel::MakeGate( const char* name, std::initializer_list<int32_t> targets, int32_t matched )
	{
		auto& gate = *MakeAs( "TestPuzzleGate", "Gate", name ).GetComponent<StateMachines::GateComponent>();
		size_t i = 0;
		for ( int32_t colour : targets )
			gate.mTargetList[i++] = colour;
		gate.mTargetPosition = matched;
		return gate;
	}

	Tarn::Object& EnemyLevel::Find( const char* name )
	{
		Tarn::Object* object = Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( name ) );
		EXPECT_NE( object, nullptr ) << name;
		return *object;
	}

	Tarn::TransformComponent& EnemyLevel::Transform( const char* name )
	{
		return *Find( name ).GetComponent<Tarn::TransformComponent>();
	}

	StateMachines::StateMachineComponent& EnemyLevel::Machine( const char* name )
	{
		return *Find( name ).GetComponent<StateMachines::StateMachineComponent>();
	}

	StateMachines::MineComponent& EnemyLevel::MineMachine( const char* name )
	{
		return *Find( name ).GetComponent<StateMachines::MineComponent>();
	}
}
