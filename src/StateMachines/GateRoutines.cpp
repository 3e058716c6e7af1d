// Gates and enemy gates: a gate opens when its colours have arrived and closes when
// one is undone; an enemy gate opens once and lets out its guards.
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		void FileGateRoutines( StateMachineManager& manager )
		{
			// The routines come with the colour puzzle. Both show their opening on the
			// animation's frames; a gate is solid until open.
			manager.FileGateRoutine( Routine::Gate, MakeRoutine( "gate", nullptr, { Needs::Animation, Needs::Collision } ) );
			manager.FileGateRoutine( Routine::EnemyGate, MakeRoutine( "enemy gate", nullptr, { Needs::Animation } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileGateRoutines )
}
