// Level 14: mirrors in a chain. The ship is penned in the left of the arena with the
// gate; the prisms and their switches lie beyond a wall it cannot cross, where only
// mirrors carry the beam: one for red, two in a row for green.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/FieldPieces.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildMirrorChainLevel( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );
			AddBlock( level, "Wall1", { -4, 0 }, { 2, 20 } );

			AddPlayer( level, { -12, -8 } );
			AddHealthBars( level );

			// Red: fired right along the floor, turned up into the prism beneath its switch.
			AddMirror( level, "Mirror3", { 6, -9 }, kMirrorFacingUpLeft );
			AddPrism( level, "Prism1", { 6, -6 }, ColourCode::Red );
			AddSwitch( level, "Switch1", { 6, -1 }, ColourCode::Red );
			// Green: fired up into the pen's mirror, along the ceiling and down into the
			// prism above its switch.
			AddMirror( level, "Mirror1", { -12, 9 }, kMirrorFacingDownRight );
			AddMirror( level, "Mirror2", { 10, 9 }, kMirrorFacingDownLeft );
			AddPrism( level, "Prism2", { 10, 5 }, ColourCode::Green );
			AddSwitch( level, "Switch2", { 10, 0 }, ColourCode::Green );

			AddGate( level, { -8, 3 }, { ColourCode::Red, ColourCode::Green } );
			AddSparks( level, 2, { -8, 3 } );
			AddBeams( level, 4, { -12, -8 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 14, "Mirrors in a chain", BuildMirrorChainLevel );
}
