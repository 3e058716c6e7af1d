#pragma once
// The state-machine service: keeps the five lists of behaviour components and, once per
// call of Update, runs for each the routine its list's table files under its code. The
// routines themselves live in their families' files, which file them here.

#include "Core/GameComponent.h"
#include "core/Event.h"
#include "core/HashedName.h"

#include <cstdint>
#include <map>
#include <utility>
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
	// numbers; the routine tables, filled by the behaviour families, say what runs.
	class StateMachineManager : public Tarn::GameComponent
	{
		TARN_CLASS_NAME( StateMachineManager )

	public:
		// A behaviour routine: the manager, the component of its list, the frame's dt.
		using RoutineFunction = void ( * )( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );

		struct RoutineEntry
		{
			const char* mName = "";
			RoutineFunction mRun = nullptr;
			// The owner's components the routine cannot work without; an owner lacking one
			// is the level author's error and its machine is skipped. A component the
			// routine can do without is not listed.
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

		// Calls every handler of the message list with the message number (Message::Code).
		void RaiseMessage( int32_t message ) { mOnMessage.Raise( message ); }
		// The manager's own handler: the tutorial prompts answer the messages.
		void OnMessage( int32_t message );

		// Filing, by the behaviour families when the manager is built: each routine under
		// its code (Routine::Code) in the table of its list. A code filed twice is an
		// error, logged; the first filing stands.
		void FileMachineRoutine( int32_t code, RoutineEntry entry ) { File( mMachineRoutines, code, std::move( entry ) ); }
		void FileGateRoutine( int32_t code, RoutineEntry entry ) { File( mGateRoutines, code, std::move( entry ) ); }
		void FileMineRoutine( int32_t code, RoutineEntry entry ) { File( mMineRoutines, code, std::move( entry ) ); }
		void FileSwitchRoutine( RoutineEntry entry ) { File( mSwitchRoutines, kOnlyRoutine, std::move( entry ) ); }
		void FileRangedRoutine( RoutineEntry entry ) { File( mRangedRoutines, kOnlyRoutine, std::move( entry ) ); }

		// The tables as filed. An entry may stand without its routine yet (it names what
		// the routine will need); such machines stay as they are.
		RoutineEntry& MachineRoutine( int32_t ai ) { return mMachineRoutines[ai]; }
		RoutineEntry& GateRoutine( int32_t ai ) { return mGateRoutines[ai]; }
		RoutineEntry& MineRoutine( int32_t ai ) { return mMineRoutines[ai]; }
		RoutineEntry& SwitchRoutine() { return mSwitchRoutines[kOnlyRoutine]; }
		RoutineEntry& RangedRoutine() { return mRangedRoutines[kOnlyRoutine]; }
		const std::map<int32_t, RoutineEntry>& MachineRoutines() const { return mMachineRoutines; }
		const std::map<int32_t, RoutineEntry>& GateRoutines() const { return mGateRoutines; }
		const std::map<int32_t, RoutineEntry>& MineRoutines() const { return mMineRoutines; }

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

		// The switch and ranged lists run one routine whatever their components hold.
		static constexpr int32_t kOnlyRoutine = 0;

		static void File( std::map<int32_t, RoutineEntry>& table, int32_t code, RoutineEntry entry );
		// Runs the entry when there is one and the owner carries what it needs.
		void Run( const RoutineEntry* entry, Tarn::ObjectComponent& component, float dt );
		// Runs, for each component of a list, the routine its code files.
		template <typename Component>
		void RunByCode( const std::vector<Component*>& list, const std::map<int32_t, RoutineEntry>& table, float dt );

		std::map<int32_t, RoutineEntry> mMachineRoutines;
		std::map<int32_t, RoutineEntry> mGateRoutines;
		std::map<int32_t, RoutineEntry> mMineRoutines;
		std::map<int32_t, RoutineEntry> mSwitchRoutines;
		std::map<int32_t, RoutineEntry> mRangedRoutines;
	};
}
