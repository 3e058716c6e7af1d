#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Physics/CollisionManager.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RangedComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateMachineManager.h"
#include "StateMachines/SwitchComponent.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
	using namespace StateMachines;
	using Tarn::HashedName;

	// An object of any kind carrying the given components.
	class Holder : public Tarn::Object
	{
	public:
		Holder( const char* type, const char* name, std::vector<const char*> components )
		    : mComponentTypes( std::move( components ) )
		{
			mType = HashedName( type );
			mName = HashedName( name );
		}
		void Initialise() override
		{
			for ( const char* type : mComponentTypes )
				mComponents.AddComponent( HashedName( type ) );
			mComponents.InitialisePending();
		}
		void Shutdown() override {}

		StateMachineComponent& Machine() { return *GetComponent<StateMachineComponent>(); }

	private:
		std::vector<const char*> mComponentTypes;
	};

	// A prompt of the tutorial, made through the object manager so that it is found by name.
	class Prompt : public Tarn::Object
	{
		TARN_CLASS_NAME( TestPrompt )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<StateMachineComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
	};

	std::vector<std::string>& Journal()
	{
		static std::vector<std::string> journal;
		return journal;
	}

	// A routine in the shape the behaviours take: enter, update for two frames, then on
	// to STATE_WAIT, which is terminal.
	void TestRoutine( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto& machine = static_cast<StateMachineComponent&>( component );
		const std::string who = machine.mOwner->mName.GetName();
		StepStateProtocol(
		    machine, dt,
		    [&]( StateMachineComponent& m ) {
			    m.mStateTimer = 0.0f;
			    Journal().push_back( who + " enter " + std::to_string( m.mState ) );
		    },
		    [&]( StateMachineComponent& m, float step ) {
			    m.mStateTimer += step;
			    Journal().push_back( who + " update " + std::to_string( m.mState ) );
			    return m.mStateTimer >= 2 * step - 1e-6f;
		    },
		    [&]( StateMachineComponent& m ) -> int32_t {
			    Journal().push_back( who + " exit " + std::to_string( m.mState ) );
			    return m.mState == STATE_WAIT ? -1 : STATE_WAIT;
		    } );
	}

	class Machines : public testing::Test
	{
	protected:
		void SetUp() override
		{
			Journal().clear();
			Tarn::Services::Add<StateMachineManager>( &mManager );
			mManager.Initialise();
		}

		void TearDown() override
		{
			mHolders.clear();
			Tarn::ObjectManager::Instance().DestroyAll();
			mManager.Shutdown();
			Tarn::Services::Remove<StateMachineManager>();
		}

		Holder& Make( const char* type, const char* name, std::vector<const char*> components = { "StateMachineComponent" } )
		{
			mHolders.push_back( std::make_unique<Holder>( type, name, std::move( components ) ) );
			mHolders.back()->Initialise();
			return *mHolders.back();
		}

		void Destroy( Holder& holder )
		{
			std::erase_if( mHolders, [&]( const std::unique_ptr<Holder>& kept ) { return kept.get() == &holder; } );
		}

		Tarn::ObjectComponent* MakePrompt( const char* name )
		{
			Tarn::TypeRegistry::Instance().RegisterObjectType( Prompt::ClassHashedName(),
			                                                   []() -> Tarn::Object* { return new Prompt(); } );
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			Tarn::Object* prompt = objects.CreateObject( Prompt::ClassHashedName(), name );
			objects.InitialiseObject( prompt );
			return prompt ? prompt->GetComponent<StateMachineComponent>() : nullptr;
		}

		StateMachineManager mManager{ nullptr };
		std::vector<std::unique_ptr<Holder>> mHolders;
	};

	TEST_F( Machines, EachComponentStartsInTheStateOfItsOwnersKind )
	{
		EXPECT_EQ( Make( "MeleeGuard", "Guard1" ).Machine().mState, STATE_NONE );
		StateMachineComponent& barrier = Make( "GateBarrier", "Barrier" ).Machine();
		EXPECT_EQ( barrier.mAI, 5 );
		EXPECT_EQ( barrier.mState, STATE_NORMAL );
		EXPECT_EQ( barrier.mCurrPhase, 1 );

		auto mine = [&]( const char* type ) -> MineComponent& {
			return *Make( type, type, { "MineComponent" } ).GetComponent<MineComponent>();
		};
		EXPECT_EQ( mine( "SwitchEffect" ).mState, STATE_NONE );
		EXPECT_EQ( mine( "SwitchEffect" ).mAI, 8 );
		EXPECT_EQ( mine( "Mine" ).mAI, 7 );
		EXPECT_EQ( mine( "Mine" ).mState, STATE_NORMAL );
		EXPECT_EQ( mine( "CrystalFocus" ).mAI, 12 );
		EXPECT_EQ( mine( "Mirror" ).mAI, 9 );
		MineComponent& patrol = mine( "MeleeGuard" );
		EXPECT_EQ( patrol.mAI, 0 ) << "a guard's patrol keeps what it was given";
		EXPECT_EQ( patrol.mState, STATE_NONE );
		EXPECT_FLOAT_EQ( patrol.mWaitTimer, 1.0f );
		EXPECT_TRUE( patrol.mWait );

		auto gate = [&]( const char* type ) -> GateComponent& {
			return *Make( type, type, { "GateComponent" } ).GetComponent<GateComponent>();
		};
		EXPECT_EQ( gate( "Gate" ).mAI, 10 );
		EXPECT_FALSE( gate( "Gate" ).mIsEnemy );
		EXPECT_EQ( gate( "EnemyGate" ).mAI, 11 );
		EXPECT_TRUE( gate( "EnemyGate" ).mIsEnemy );
		EXPECT_EQ( gate( "EnemyGate" ).mState, STATE_NORMAL );

		SwitchComponent& light = *Make( "Switch", "Switch1", { "SwitchComponent" } ).GetComponent<SwitchComponent>();
		EXPECT_EQ( light.mState, STATE_NORMAL );
		EXPECT_EQ( light.mCurrPhase, 1 );
		EXPECT_EQ( mManager.Switches().size(), 1u );
		EXPECT_EQ( mManager.Gates().size(), 5u );
	}

	TEST_F( Machines, AGateBarrierRunsItsOwnRoutineWhateverTheFileSays )
	{
		Tarn::FileSystem& files = KelvaneTest::SharedFileSystem( { "StateMachineComponent" } );
		Tarn::ResourceRecord* exchange = files.GetResource( "StateMachineComponent" );
		ASSERT_NE( exchange, nullptr );
		StateMachineComponent& guard = Make( "MeleeGuard", "Guard1" ).Machine();
		guard.mAI = 26;
		guard.mState = STATE_SEEK;
		guard.mInnerState = INNER_STATE_ON_UPDATE;
		guard.mStateTimer = 1.25f;
		guard.mCurrPhase = 3;
		guard.mMeshSwitchCheck = false;
		guard.mSign = -1;
		guard.mAttackRadius = 2.5f;
		guard.mAttackProjection = { 0.5f, -1.5f };
		guard.Serialise( *exchange );

		StateMachineComponent& barrier = Make( "GateBarrier", "Barrier" ).Machine();
		barrier.Deserialise( *exchange );
		EXPECT_EQ( barrier.mAI, 5 );
		EXPECT_EQ( barrier.mState, STATE_NORMAL );

		StateMachineComponent& other = Make( "MeleeGuard", "Guard2" ).Machine();
		other.Deserialise( *exchange );
		EXPECT_EQ( other.mAI, 26 );
		EXPECT_EQ( other.mState, STATE_SEEK );
		EXPECT_EQ( other.mInnerState, INNER_STATE_ON_UPDATE );
		EXPECT_FLOAT_EQ( other.mStateTimer, 1.25f );
		EXPECT_EQ( other.mCurrPhase, 1 ) << "written, but never read back";
		EXPECT_FALSE( other.mMeshSwitchCheck );
		EXPECT_EQ( other.mSign, -1 );
		EXPECT_FLOAT_EQ( other.mAttackRadius, 2.5f );
		EXPECT_FLOAT_EQ( other.mAttackProjection.X, 0.5f );
		EXPECT_FLOAT_EQ( other.mAttackProjection.Y, -1.5f );
	}

	TEST_F( Machines, AMachineLoadedInItsExitPhaseExitsOnItsFirstFrame )
	{
		mManager.MachineRoutine( 4 ) = { "test", &TestRoutine, {} };
		StateMachineComponent& machine = Make( "MeleeGuard", "Guard1" ).Machine();
		machine.mAI = 4;
		machine.mState = STATE_SEEK;
		machine.mInnerState = INNER_STATE_ON_EXIT;

		mManager.RunMachines( 0.016f );
		EXPECT_EQ( Journal(), ( std::vector<std::string>{ "Guard1 exit 2" } ) );
		EXPECT_EQ( machine.mState, STATE_WAIT );
		EXPECT_EQ( machine.mInnerState, INNER_STATE_ON_ENTER );

		// Enter takes a frame and does not count time; two updates, then the exit is
		// seen a frame later; STATE_WAIT's exit names no next state.
		for ( int frame = 0; frame < 6; ++frame )
			mManager.RunMachines( 0.016f );
		const std::vector<std::string> expected = { "Guard1 exit 2",    "Guard1 enter 10", "Guard1 update 10",
			                                        "Guard1 update 10", "Guard1 exit 10",  "Guard1 exit 10",
			                                        "Guard1 exit 10" };
		EXPECT_EQ( Journal(), expected );
		EXPECT_EQ( machine.mInnerState, INNER_STATE_ON_EXIT ) << "terminal";
	}

	TEST_F( Machines, ListsKeepTheirOrderAfterARemovalAndRunInIt )
	{
		mManager.MachineRoutine( 4 ) = { "test", &TestRoutine, {} };
		Holder& a = Make( "MeleeGuard", "A" );
		Holder& b = Make( "MeleeGuard", "B" );
		Holder& c = Make( "MeleeGuard", "C" );
		for ( Holder* holder : { &a, &b, &c } )
			holder->Machine().mAI = 4;
		EXPECT_EQ( mManager.Machines(),
		           ( std::vector<StateMachineComponent*>{ &a.Machine(), &b.Machine(), &c.Machine() } ) );
		Destroy( b );
		EXPECT_EQ( mManager.Machines(), ( std::vector<StateMachineComponent*>{ &a.Machine(), &c.Machine() } ) );
		mManager.RunMachines( 0.016f );
		EXPECT_EQ( Journal(), ( std::vector<std::string>{ "A enter 1", "C enter 1" } ) );
	}

	TEST_F( Machines, AMachineWhoseOwnerLacksWhatItsRoutineNeedsIsSkipped )
	{
		mManager.MachineRoutine( 4 ) = { "test", &TestRoutine, { HashedName( "TransformComponent" ) } };
		Make( "MeleeGuard", "Bare" ).Machine().mAI = 4;
		Make( "MeleeGuard", "Whole", { "TransformComponent", "StateMachineComponent" } ).Machine().mAI = 4;
		Make( "MeleeGuard", "Frozen" ).Machine().mAI = 23; // no routine at all
		mManager.RunMachines( 0.016f );
		EXPECT_EQ( Journal(), ( std::vector<std::string>{ "Whole enter 1" } ) );

		// The routines still to come stand in the table already, doing nothing.
		for ( int32_t ai : { 0, 1, 2, 3, 5, 13, 20, 21, 22, 25, 26, 27, 28 } )
			EXPECT_TRUE( mManager.HasMachineRoutine( ai ) ) << ai;
		for ( int32_t ai : { 6, 12, 23, 24, 29 } )
			EXPECT_FALSE( mManager.HasMachineRoutine( ai ) ) << ai;
		EXPECT_TRUE( mManager.HasGateRoutine( 10 ) && mManager.HasGateRoutine( 11 ) );
		for ( int32_t ai : { 6, 7, 8, 9, 12, 24 } )
			EXPECT_TRUE( mManager.HasMineRoutine( ai ) ) << ai;
	}

	TEST_F( Machines, OnlyRealSwitchesRunTheSwitchRoutine )
	{
		static int runs = 0;
		runs = 0;
		mManager.SwitchRoutine() = { "test", []( StateMachineManager&, Tarn::ObjectComponent&, float ) { ++runs; }, {} };
		Make( "Switch", "Switch1", { "SwitchComponent" } );
		Make( "StunEffect", "Stun1", { "SwitchComponent" } );
		mManager.RunMachines( 0.016f );
		EXPECT_EQ( runs, 1 );
		EXPECT_EQ( mManager.Switches().size(), 2u );
	}

	TEST_F( Machines, Message26DismissesTheMovementPromptEvenWithoutTheBeamPrompt )
	{
		auto* wasd = static_cast<StateMachineComponent*>( MakePrompt( "WASD" ) );
		ASSERT_NE( wasd, nullptr );
		mManager.RaiseMessage( 26 );
		EXPECT_EQ( wasd->mState, STATE_DIE );
		EXPECT_EQ( wasd->mInnerState, INNER_STATE_ON_ENTER );

		auto* beam = static_cast<StateMachineComponent*>( MakePrompt( "BeamClick" ) );
		ASSERT_NE( beam, nullptr );
		beam->mInnerState = INNER_STATE_ON_UPDATE;
		mManager.RaiseMessage( 26 );
		EXPECT_EQ( beam->mState, STATE_NORMAL );
		EXPECT_EQ( beam->mInnerState, INNER_STATE_ON_UPDATE ) << "its inner state is left alone";
		mManager.RaiseMessage( 25 );
		EXPECT_EQ( beam->mState, STATE_NORMAL );
		mManager.RaiseMessage( 27 );
		EXPECT_EQ( beam->mState, STATE_DIE );
		EXPECT_EQ( beam->mInnerState, INNER_STATE_ON_ENTER );
	}

	TEST_F( Machines, ShutdownEmptiesTheListsAndLeavesTheMessageList )
	{
		Make( "MeleeGuard", "Guard1", { "StateMachineComponent", "MineComponent", "RangedComponent" } );
		EXPECT_EQ( mManager.mOnMessage.Count(), 1u );
		mManager.Shutdown();
		EXPECT_TRUE( mManager.Machines().empty() && mManager.Mines().empty() && mManager.Ranged().empty() );
		EXPECT_EQ( mManager.mOnMessage.Count(), 0u );
		mManager.Initialise();
	}

	TEST_F( Machines, ThePlayersNebulaContactFlagsTheNebulaAndItsCover )
	{
		Physics::CollisionManager collisions( nullptr );
		collisions.Initialise();
		auto* nebula = static_cast<StateMachineComponent*>( MakePrompt( "Nebula7" ) );
		auto* cover = static_cast<StateMachineComponent*>( MakePrompt( "NebulaCover3" ) );
		ASSERT_TRUE( nebula && cover );
		nebula->mSign = 3;
		collisions.mOnNotify.Raise( "Nebula7", true );
		EXPECT_TRUE( nebula->mActionFlag );
		EXPECT_TRUE( cover->mActionFlag );
		collisions.mOnNotify.Raise( "Nebula7", false );
		EXPECT_FALSE( nebula->mActionFlag || cover->mActionFlag );
		collisions.mOnNotify.Raise( "NoSuchNebula", true );
		collisions.Shutdown();
		EXPECT_EQ( collisions.mOnNotify.Count(), 0u );
	}
}
