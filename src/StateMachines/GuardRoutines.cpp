// Guards, plain and white: they watch, close in, lunge, patrol, pause, freeze, are
// stunned, and the white ones walk to lit switches to undo them.
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		void FileGuardRoutines( StateMachineManager& manager )
		{
			// The routine comes with the enemies. It reads the guard's MineComponent for its
			// patrol where there is one; without it the guard neither patrols nor pauses,
			// so that component is no need. The emitter bursts when the guard is stunned.
			manager.FileMachineRoutine( Routine::Guard, MakeRoutine( "guard", nullptr, { Needs::Transform, Needs::Emitter } ) );
			manager.FileMachineRoutine( Routine::WhiteGuard,
			                            MakeRoutine( "white guard", nullptr, { Needs::Transform, Needs::Emitter } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileGuardRoutines )
}
