// Parts of either boss fight that break, fade or chase: the breakable part, the hit
// fade and the chaser.
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		void FileBossPartRoutines( StateMachineManager& manager )
		{
			// The breakable part and the chaser come with the boss fights, the hit fade with
			// the enemies. Once its stats mark it destroyed, a breakable part fades and
			// bursts and a hit-faded part reddens; both end hidden, vertex and all.
			manager.FileMachineRoutine( Routine::BreakablePart,
			                            MakeRoutine( "breakable part", nullptr,
			                                         { Needs::Stats, Needs::Transform, Needs::Mesh, Needs::Emitter, Needs::Vertex } ) );
			for ( int32_t code : { Routine::HitFade1, Routine::HitFade2 } )
				manager.FileMachineRoutine( code, MakeRoutine( "hit fade", nullptr,
				                                               { Needs::Stats, Needs::Transform, Needs::Mesh, Needs::Vertex } ) );
			// The chaser steers its own transform toward the player.
			manager.FileMachineRoutine( Routine::Chaser, MakeRoutine( "chaser", nullptr, { Needs::Transform } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileBossPartRoutines )
}
