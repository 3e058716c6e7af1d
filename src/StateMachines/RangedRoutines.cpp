// The ranged guard: faces the player, fires, lunges, is stunned, undoes switches as
// the white guard does.
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		void FileRangedRoutines( StateMachineManager& manager )
		{
			// The routine comes with the enemies.
			manager.FileRangedRoutine( MakeRoutine( "ranged guard", nullptr, { Needs::Transform, Needs::Emitter } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileRangedRoutines )
}
