// Level 5: switch order. A level twice as wide as the screen, with the camera following
// the ship. The first switch the player meets is green, but the gate wants red, then blue,
// then green: the player flies on to the red and blue switches and comes back for the
// green one, whose prism is lit from the right so that its cone falls back to the left.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/LevelFiles.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildSwitchOrder( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 30, 10 } );
			AddBackground( level );
			AddToLevel( level, "Camera", "Camera1", { 0, 0 } );

			AddPlayer( level, { -27, 0 } );
			AddHealthBars( level );

			// Near the start: the green switch, left of its prism.
			AddPrism( level, "Prism1", { -14, 6 }, ColourCode::Green );
			AddSwitch( level, "Switch1", { -22, 6 }, ColourCode::Green );
			// Further on, low: red, lit from the left.
			AddPrism( level, "Prism2", { -6, -6 }, ColourCode::Red );
			AddSwitch( level, "Switch2", { 4, -6 }, ColourCode::Red );
			// Further still, high: blue, lit from the left.
			AddPrism( level, "Prism3", { 10, 6 }, ColourCode::Blue );
			AddSwitch( level, "Switch3", { 20, 6 }, ColourCode::Blue );

			AddWall( level, "Wall1", { -22, 2 } );
			AddWall( level, "Wall2", { 8, -4 } );

			AddGate( level, { 27, 0 }, { ColourCode::Red, ColourCode::Blue, ColourCode::Green } );
			AddSparks( level, 3, { 27, 0 } );
			AddBeams( level, 1, { -27, 0 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 5, "Switch order", BuildSwitchOrder );
}
