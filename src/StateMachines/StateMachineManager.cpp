#include "StateMachines/StateMachineManager.h"

#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/PlayerRoutines.h"
#include "StateMachines/RangedComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/SwitchComponent.h"
#include "StateMachines/TileRoutines.h"

#include <initializer_list>

namespace StateMachines
{
	namespace
	{
		std::vector<Tarn::HashedName> Needs( std::initializer_list<const char*> types )
		{
			std::vector<Tarn::HashedName> names;
			for ( const char* type : types )
				names.emplace_back( type );
			return names;
		}

		StateMachineManager::RoutineEntry Entry( const char* name, std::initializer_list<const char*> needs )
		{
			return { name, nullptr, Needs( needs ) };
		}

		void SetMachine( Tarn::Object* object, StateType state, bool setInner )
		{
			if ( !object )
				return;
			auto* machine = object->GetComponent<StateMachineComponent>();
			if ( !machine )
				return;
			machine->mState = state;
			if ( setInner )
				machine->mInnerState = INNER_STATE_ON_ENTER;
		}
	}

	StateMachineManager::StateMachineManager( Tarn::Game* game ) : GameComponent( game )
	{
		// The behaviours come with the enemies, the switch and gate machines and the
		// bosses; each fills its entry with its routine. What every routine reads of its
		// owner is fixed already, so that a machine on an incomplete object is skipped.
		mMachineRoutines[0] = Entry( "player sequences", { "TransformComponent", "MeshComponent" } );
		mMachineRoutines[1] = Entry( "player halo", { "TransformComponent", "MeshComponent" } );
		mMachineRoutines[0].mRun = &RunPlayerSequences;
		mMachineRoutines[1].mRun = &RunPlayerHalo;
		mMachineRoutines[2] = Entry( "guard", { "TransformComponent", "MeshComponent", "CollisionComponent", "MineComponent" } );
		mMachineRoutines[3] = mMachineRoutines[2];
		mMachineRoutines[5] = Entry( "gate barrier", { "TransformComponent", "MeshComponent", "CollisionComponent" } );
		static const char* const kBossParts[] = { "boss part 13", "boss part 14", "boss part 15", "boss part 16",
			                                      "boss part 17", "boss part 18", "boss part 19", "boss part 20" };
		for ( int32_t ai = 13; ai <= 20; ++ai )
			mMachineRoutines[ai] = Entry( kBossParts[ai - 13], { "TransformComponent", "MeshComponent" } );
		mMachineRoutines[21] = Entry( "hit fade", { "MeshComponent" } );
		mMachineRoutines[22] = mMachineRoutines[21];
		mMachineRoutines[25] = Entry( "hint fader", { "MeshComponent" } );
		mMachineRoutines[26] = Entry( "tutorial prompt", { "TransformComponent", "MeshComponent" } );
		mMachineRoutines[27] = mMachineRoutines[26];
		mMachineRoutines[28] = mMachineRoutines[26];

		mSwitchRoutine = Entry( "switch", { "TransformComponent", "MeshComponent" } );
		mGateRoutines[10] = Entry( "gate", { "TransformComponent", "MeshComponent", "CollisionComponent" } );
		mGateRoutines[11] = Entry( "enemy gate", { "TransformComponent", "MeshComponent", "CollisionComponent" } );

		mMineRoutines[6] = Entry( "mine", { "TransformComponent", "MeshComponent", "CollisionComponent" } );
		mMineRoutines[7] = mMineRoutines[6];
		mMineRoutines[8] = Entry( "switch effect spark", { "TransformComponent", "CollisionComponent" } );
		mMineRoutines[9] = Entry( "drifting mirror", { "TransformComponent" } );
		mMineRoutines[12] = Entry( "crystal focus", { "TransformComponent", "MeshComponent" } );
		mMineRoutines[24] = Entry( "gleam tile", { "MeshComponent" } );
		mMineRoutines[9].mRun = &RunDriftingMirror;
		mMineRoutines[24].mRun = &RunGleamTile;

		mRangedRoutine = Entry( "ranged guard", { "TransformComponent", "MeshComponent" } );
	}

	void StateMachineManager::Initialise() { mOnMessage.Subscribe( this, &StateMachineManager::OnMessage ); }

	void StateMachineManager::Shutdown()
	{
		mOnMessage.Unsubscribe( this, &StateMachineManager::OnMessage );
		mMachines.clear();
		mSwitches.clear();
		mGates.clear();
		mMines.clear();
		mRanged.clear();
	}

	void StateMachineManager::Update( Tarn::GameTime& gameTime ) { RunMachines( gameTime.ElapsedSeconds ); }

	void StateMachineManager::Run( const RoutineEntry* entry, Tarn::ObjectComponent& component, float dt )
	{
		if ( !entry || !entry->mRun )
			return;
		const Tarn::ObjectComponentTable& table = component.mOwner->mComponents;
		for ( const Tarn::HashedName& need : entry->mNeeds )
			if ( !table.GetComponent( need ) )
				return;
		entry->mRun( *this, component, dt );
	}

	void StateMachineManager::RunMachines( float dt )
	{
		// By index: a routine may create objects whose machines join a list meanwhile.
		for ( size_t i = 0; i < mMachines.size(); ++i )
		{
			const auto found = mMachineRoutines.find( mMachines[i]->mAI );
			Run( found == mMachineRoutines.end() ? nullptr : &found->second, *mMachines[i], dt );
		}
		static const Tarn::HashedName kSwitch( "Switch" );
		for ( size_t i = 0; i < mSwitches.size(); ++i )
			if ( mSwitches[i]->mOwner->mType == kSwitch )
				Run( &mSwitchRoutine, *mSwitches[i], dt );
		for ( size_t i = 0; i < mGates.size(); ++i )
		{
			const auto found = mGateRoutines.find( mGates[i]->mAI );
			Run( found == mGateRoutines.end() ? nullptr : &found->second, *mGates[i], dt );
		}
		for ( size_t i = 0; i < mMines.size(); ++i )
		{
			const auto found = mMineRoutines.find( mMines[i]->mAI );
			Run( found == mMineRoutines.end() ? nullptr : &found->second, *mMines[i], dt );
		}
		for ( size_t i = 0; i < mRanged.size(); ++i )
			Run( &mRangedRoutine, *mRanged[i], dt );
	}

	void StateMachineManager::OnMessage( int32_t message )
	{
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		static const Tarn::HashedName kMovePrompt( "WASD" );
		static const Tarn::HashedName kBeamPrompt( "BeamClick" );
		if ( message == 26 )
		{
			SetMachine( objects.GetObject( kMovePrompt ), STATE_DIE, true );
			SetMachine( objects.GetObject( kBeamPrompt ), STATE_NORMAL, false );
		}
		else if ( message == 27 )
			SetMachine( objects.GetObject( kBeamPrompt ), STATE_DIE, true );
	}
}
