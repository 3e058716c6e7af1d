// The gate barrier: a cycle of hurting and resting phases until its gate opens.
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		void FileGateBarrierRoutines( StateMachineManager& manager )
		{
			// The routine comes with the enemies. It keeps only its own machine's timer and
			// flag; what touches the barrier reads them.
			manager.FileMachineRoutine( Routine::GateBarrier, MakeRoutine( "gate barrier", nullptr, {} ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileGateBarrierRoutines )
}
