// Level 11: nebulae. A wall splits the arena, and the only way through is a nebula that
// slows the ship and, while it is in, clouds everything outside. Beyond it the green
// prism stands straight beneath its switch, to be lit from below.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/FieldPieces.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildNebulaLevel( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			// The dividing wall, open in the middle where the nebula lies.
			AddBlock( level, "Wall1", { -2, -6.5f }, { 2, 7 } );
			AddBlock( level, "Wall2", { -2, 6.5f }, { 2, 7 } );
			AddNebula( level, "Nebula1", { -2, 0 }, 3.0f );
			AddNebulaCover( level, { 0, 0 } );

			AddPlayer( level, { -10, 0 } );
			AddHealthBars( level );

			// Only a beam fired from beneath the prism throws its cone up onto the switch.
			AddPrism( level, "Prism1", { 7, 1 }, ColourCode::Green );
			AddSwitch( level, "Switch1", { 7, 7 }, ColourCode::Green );
			AddGate( level, { 14, 2 }, { ColourCode::Green } );
			AddSparks( level, 1, { 14, 2 } );
			AddBeams( level, 1, { -10, 0 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 11, "Nebulae slow the ship and cloud the view", BuildNebulaLevel );
}
