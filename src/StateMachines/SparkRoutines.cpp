// The switch effect spark: flies from a lit switch to its gate and goes out there.
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		void FileSparkRoutines( StateMachineManager& manager )
		{
			// The routine comes with the enemies.
			manager.FileMineRoutine( Routine::SwitchEffectSpark,
			                         MakeRoutine( "switch effect spark", nullptr, { Needs::Transform, Needs::Emitter } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileSparkRoutines )
}
