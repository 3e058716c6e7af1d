// Switches: idle with a gleam, charging, lit with a circling ring, being undone, or
// wrong and discharging; lighting and undoing move the gates' targets.
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		void FileSwitchRoutines( StateMachineManager& manager )
		{
			// The routine comes with the colour puzzle. The manager runs it for switches
			// only, not for the stun effects that carry a switch's component too.
			manager.FileSwitchRoutine( MakeRoutine( "switch", nullptr, { Needs::Transform, Needs::Mesh, Needs::Emitter } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileSwitchRoutines )
}
