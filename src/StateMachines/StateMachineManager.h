#pragma once

#include "Core/GameComponent.h"
#include "core/Event.h"
#include "core/HashedName.h"

#include <cstdint>
#include <map>
#include <vector>

namespace Tarn
{
	class ObjectComponent;
}

namespace StateMachines
{
	class StateMachineComponent;
	class SwitchComponent;
	class GateComponent;
	class MineComponent;
	class RangedComponent;

	// Advances every behaviour component once per call of Update. The components hold
	// numbers; the routines live here, one per behaviour kind, chosen by mAI.
	class StateMachineManager : public Tarn::GameComponent
	{
		TARN_CLASS_NAME( StateMachineManager )

	public:
		// A behaviour routine: the manager, the component of its list, the frame's dt.
		using Routine = void ( * )( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );

		struct RoutineEntry
		{
			const char* mName = "";
			Routine mRun = nullptr;
			// The owner's components the routine works on; an owner lacking one is the
			// level author's error and its machine is skipped.
			std::vector<Tarn::HashedName> mNeeds;
		};

		explicit StateMachineManager( Tarn::Game* game );

		void Update( Tarn::GameTime& gameTime ) override;
		void Initialise() override;
		void Shutdown() override;

		// The five lists, in the order the components were initialised.
		void Register( StateMachineComponent* component ) { mMachines.push_back( component ); }
		void Register( SwitchComponent* component ) { mSwitches.push_back( component ); }
		void Register( GateComponent* component ) { mGates.push_back( component ); }
		void Register( MineComponent* component ) { mMines.push_back( component ); }
		void Register( RangedComponent* component ) { mRanged.push_back( component ); }
		void Unregister( StateMachineComponent* component ) { Remove( mMachines, component ); }
		void Unregister( SwitchComponent* component ) { Remove( mSwitches, component ); }
		void Unregister( GateComponent* component ) { Remove( mGates, component ); }
		void Unregister( MineComponent* component ) { Remove( mMines, component ); }
		void Unregister( RangedComponent* component ) { Remove( mRanged, component ); }

		// One frame of every machine, in list order: machines, switches, gates, mines,
		// ranged guards.
		void RunMachines( float dt );

		// Calls every handler of the message list with the message number.
		void RaiseMessage( int32_t message ) { mOnMessage.Raise( message ); }
		// The manager's own handler: 26 dismisses the movement prompt and shows the beam
		// prompt, 27 dismisses the beam prompt.
		void OnMessage( int32_t message );

		// The routine table. The routines of the enemies, switches, gates and bosses are
		// filed here under their mAI values; until they are built the entries do nothing.
		RoutineEntry& MachineRoutine( int32_t ai ) { return mMachineRoutines[ai]; }
		RoutineEntry& GateRoutine( int32_t ai ) { return mGateRoutines[ai]; }
		RoutineEntry& MineRoutine( int32_t ai ) { return mMineRoutines[ai]; }
		RoutineEntry& SwitchRoutine() { return mSwitchRoutine; }
		RoutineEntry& RangedRoutine() { return mRangedRoutine; }
		bool HasMachineRoutine( int32_t ai ) const { return mMachineRoutines.count( ai ) != 0; }
		bool HasGateRoutine( int32_t ai ) const { return mGateRoutines.count( ai ) != 0; }
		bool HasMineRoutine( int32_t ai ) const { return mMineRoutines.count( ai ) != 0; }

		const std::vector<StateMachineComponent*>& Machines() const { return mMachines; }
		const std::vector<SwitchComponent*>& Switches() const { return mSwitches; }
		const std::vector<GateComponent*>& Gates() const { return mGates; }
		const std::vector<MineComponent*>& Mines() const { return mMines; }
		const std::vector<RangedComponent*>& Ranged() const { return mRanged; }

		std::vector<StateMachineComponent*> mMachines;
		std::vector<SwitchComponent*> mSwitches;
		std::vector<GateComponent*> mGates;
		std::vector<MineComponent*> mMines;
		std::vector<RangedComponent*> mRanged;
		// Undos that white guards still owe (the enemies and switch machines keep it).
		int32_t mPendingUndoCount = 0;
		Tarn::Event<int32_t> mOnMessage;

	private:
		template <typename T>
		static void Remove( std::vector<T*>& list, T* component )
		{
			for ( auto it = list.begin(); it != list.end(); ++it )
			{
				if ( *it == component )
				{
					list.erase( it );
					return;
				}
			}
		}

		// Runs the entry when there is one and the owner carries what it needs.
		void Run( const RoutineEntry* entry, Tarn::ObjectComponent& component, float dt );

		std::map<int32_t, RoutineEntry> mMachineRoutines;
		std::map<int32_t, RoutineEntry> mGateRoutines;
		std::map<int32_t, RoutineEntry> mMineRoutines;
		RoutineEntry mSwitchRoutine;
		RoutineEntry mRangedRoutine;
	};
}
