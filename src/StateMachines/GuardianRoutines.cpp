// The Guardian's parts: its punching hand, its rising pieces and its stomping feet.
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		void FileGuardianRoutines( StateMachineManager& manager )
		{
			// The routines come with the boss fights. The hand fades in, follows the player's
			// height, charges its emitter, punches and flies back untouchable.
			manager.FileMachineRoutine( Routine::GuardianHand,
			                            MakeRoutine( "guardian hand", nullptr,
			                                         { Needs::Transform, Needs::Mesh, Needs::Collision, Needs::Emitter } ) );
			manager.FileMachineRoutine( Routine::GuardianRising, MakeRoutine( "guardian rising piece", nullptr, { Needs::Transform, Needs::Mesh } ) );
			manager.FileMachineRoutine( Routine::GuardianFoot, MakeRoutine( "guardian foot", nullptr, { Needs::Transform, Needs::Mesh } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileGuardianRoutines )
}
