// Cupid's parts: its aim marker, its lovebugs and its heart.
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		void FileCupidRoutines( StateMachineManager& manager )
		{
			// The routines come with the boss fights.
			manager.FileMachineRoutine( Routine::CupidAim, MakeRoutine( "cupid aim", nullptr, { Needs::Transform, Needs::Mesh } ) );
			manager.FileMachineRoutine( Routine::CupidLovebug, MakeRoutine( "cupid lovebug", nullptr, { Needs::Transform, Needs::Mesh } ) );
			manager.FileMachineRoutine( Routine::CupidHeart, MakeRoutine( "cupid heart", nullptr, { Needs::Transform, Needs::Mesh } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileCupidRoutines )
}
