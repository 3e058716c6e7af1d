#include "StateMachines/StateMachineManager.h"

#include "Core/GameTime.h"
#include "Core/Object.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/PromptRoutines.h"
#include "StateMachines/RangedComponent.h"
#include "StateMachines/RoutineFamily.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/SwitchComponent.h"
#include "Utilities/Log.h"

namespace StateMachines
{
	namespace
	{
		std::vector<RoutineFamily>& Families()
		{
			static std::vector<RoutineFamily> families;
			return families;
		}
	}

	bool AddRoutineFamily( RoutineFamily family )
	{
		Families().push_back( family );
		return true;
	}

	void FileRoutineFamilies( StateMachineManager& manager )
	{
		for ( RoutineFamily family : Families() )
			family( manager );
	}

	StateMachineManager::RoutineEntry MakeRoutine( const char* name, StateMachineManager::RoutineFunction run,
	                                               std::initializer_list<const char*> needs )
	{
		StateMachineManager::RoutineEntry entry{ name, run, {} };
		for ( const char* type : needs )
			entry.mNeeds.emplace_back( type );
		return entry;
	}

	StateMachineManager::StateMachineManager( Tarn::Game* game ) : GameComponent( game ) { FileRoutineFamilies( *this ); }

	void StateMachineManager::File( std::map<int32_t, RoutineEntry>& table, int32_t code, RoutineEntry entry )
	{
		const auto [at, filed] = table.emplace( code, std::move( entry ) );
		if ( !filed )
			LOG_ERROR( "Routine code " << code << " is filed twice: " << at->second.mName << " keeps it." );
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

	template <typename Component>
	void StateMachineManager::RunByCode( const std::vector<Component*>& list, const std::map<int32_t, RoutineEntry>& table, float dt )
	{
		// By index: a routine may create objects whose machines join a list meanwhile.
		for ( size_t i = 0; i < list.size(); ++i )
		{
			const auto found = table.find( list[i]->mAI );
			Run( found == table.end() ? nullptr : &found->second, *list[i], dt );
		}
	}

	void StateMachineManager::RunMachines( float dt )
	{
		RunByCode( mMachines, mMachineRoutines, dt );
		// Stun effects carry a switch's component too, and get no routine.
		static const Tarn::HashedName kSwitch( "Switch" );
		for ( size_t i = 0; i < mSwitches.size(); ++i )
			if ( mSwitches[i]->mOwner->mType == kSwitch )
				Run( &SwitchRoutine(), *mSwitches[i], dt );
		RunByCode( mGates, mGateRoutines, dt );
		RunByCode( mMines, mMineRoutines, dt );
		for ( size_t i = 0; i < mRanged.size(); ++i )
			Run( &RangedRoutine(), *mRanged[i], dt );
	}

	void StateMachineManager::OnMessage( int32_t message ) { AnswerPromptMessage( message ); }
}
