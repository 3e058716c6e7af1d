// Mines and crystal foci: they spin and patrol; a mine reddens on its fuse and
// explodes, a crystal burns while a cone lights it.
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		void FileMineRoutines( StateMachineManager& manager )
		{
			// The routines come with the enemies.
			for ( int32_t code : { Routine::BlueMine, Routine::Mine } )
				manager.FileMineRoutine( code, MakeRoutine( "mine", nullptr, { Needs::Transform, Needs::Mesh, Needs::Collision } ) );
			manager.FileMineRoutine( Routine::CrystalFocus,
			                         MakeRoutine( "crystal focus", nullptr, { Needs::Transform, Needs::Mesh, Needs::Emitter } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileMineRoutines )
}
