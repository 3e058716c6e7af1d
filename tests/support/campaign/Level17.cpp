// Level 17: finding the exit. A winding way through a level nearly twice the screen's
// width, the camera following the ship: four walls, each open at one end, turn it up and
// down the arena. Red is lit on the way down the second stretch, blue on the way down the
// fourth, where a nebula slows the turn; the gate waits at the far end.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/FieldPieces.h"
#include "support/LevelFiles.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildWindingLevel( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 32, 10 } );
			AddBackground( level );
			AddToLevel( level, "Camera", "Camera1", { 0, 0 } );

			// Open at the top, the bottom, the top, the bottom.
			AddBlock( level, "Wall1", { -20, -3 }, { 2, 14 } );
			AddBlock( level, "Wall2", { -8, 3 }, { 2, 14 } );
			AddBlock( level, "Wall3", { 4, -3 }, { 2, 14 } );
			AddBlock( level, "Wall4", { 16, 3 }, { 2, 14 } );

			AddPlayer( level, { -29, -7 } );
			AddHealthBars( level );

			// Red, lit from beneath at the foot of the second stretch.
			AddPrism( level, "Prism1", { -14, -2 }, ColourCode::Red );
			AddSwitch( level, "Switch1", { -14, 3 }, ColourCode::Red );
			// Blue, lit from above at the head of the fourth, in a nebula.
			AddNebula( level, "Nebula1", { 10, 7 }, 2.5f );
			AddNebulaCover( level, { 0, 0 } );
			AddPrism( level, "Prism2", { 10, 2 }, ColourCode::Blue );
			AddSwitch( level, "Switch2", { 10, -4 }, ColourCode::Blue );

			AddGate( level, { 26, 0 }, { ColourCode::Red, ColourCode::Blue } );
			AddSparks( level, 2, { 26, 0 } );
			AddBeams( level, 1, { -29, -7 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 17, "Finding the exit", BuildWindingLevel );
}
