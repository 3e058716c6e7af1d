// Level 13: mirrors. A wall keeps the ship in the lower half, below a row of prisms whose
// switches stand beside them; only a beam fired up into a mirror turns along the row,
// into the prism and on to its switch.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/FieldPieces.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildMirrorLevel( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			// The ship's half of the arena: beams cross the wall, the ship does not.
			AddWall( level, "Wall1", { -14, 1 } );
			AddWall( level, "Wall2", { -6, 1 } );
			AddWall( level, "Wall3", { 2, 1 } );
			AddWall( level, "Wall4", { 10, 1 } );
			AddWall( level, "Wall5", { 18, 1 } );

			AddPlayer( level, { -14, -6 } );
			AddHealthBars( level );

			// Red: the left mirror turns the beam right into the red prism, whose cone
			// runs on along the row to its switch.
			AddMirror( level, "Mirror1", { -12, 5 }, kMirrorFacingDownRight );
			AddPrism( level, "Prism1", { -6, 5 }, ColourCode::Red );
			AddSwitch( level, "Switch1", { 0, 5 }, ColourCode::Red );
			// Blue, higher up, the other way round.
			AddMirror( level, "Mirror2", { 12, 8 }, kMirrorFacingDownLeft );
			AddPrism( level, "Prism2", { 6, 8 }, ColourCode::Blue );
			AddSwitch( level, "Switch2", { 0, 8 }, ColourCode::Blue );

			AddGate( level, { 15, -6 }, { ColourCode::Red, ColourCode::Blue } );
			AddSparks( level, 2, { 15, -6 } );
			AddBeams( level, 3, { -14, -6 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 13, "Mirrors turn the beam", BuildMirrorLevel );
}
