// Level 15: mirrors that work against the ship. The beam fired along the floor at the red
// prism meets a mirror first, which turns it up into a second blue prism: lit while
// the gate wants red, that blue switch takes back the gate's blue. The green prism is
// walled in above its switch, reached only through a mirror in its corner.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/FieldPieces.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildMirrorTrapLevel( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			AddPlayer( level, { -14, -7 } );
			AddHealthBars( level );

			// Blue, straight above the start.
			AddPrism( level, "Prism1", { -14, 2 }, ColourCode::Blue );
			AddSwitch( level, "Switch1", { -14, 7 }, ColourCode::Blue );

			// Red along the floor, with the mirror in the way: from beyond it, the beam
			// goes up into the decoy blue prism and its switch.
			AddPrism( level, "Prism2", { 4, -6 }, ColourCode::Red );
			AddSwitch( level, "Switch2", { 10, -6 }, ColourCode::Red );
			AddMirror( level, "Mirror1", { -4, -6 }, kMirrorFacingUpLeft );
			AddPrism( level, "Prism4", { -4, -1 }, ColourCode::Blue );
			AddSwitch( level, "Switch4", { -4, 4 }, ColourCode::Blue );

			// Green, in a walled corner the ship cannot enter; the beam crosses the wall
			// into the corner's mirror, which turns it down into the prism.
			AddBlock( level, "Wall1", { 11, 3 }, { 14, 2 } );
			AddBlock( level, "Wall2", { 4, 6.5f }, { 2, 7 } );
			AddMirror( level, "Mirror2", { 12, 9 }, kMirrorFacingDownLeft );
			AddPrism( level, "Prism3", { 12, 7.5f }, ColourCode::Green );
			AddSwitch( level, "Switch3", { 12, 5.5f }, ColourCode::Green );

			AddGate( level, { -9, 0 }, { ColourCode::Blue, ColourCode::Red, ColourCode::Green } );
			AddSparks( level, 3, { -9, 0 } );
			AddBeams( level, 3, { -14, -7 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 15, "Mirrors can work against the ship", BuildMirrorTrapLevel );
}
