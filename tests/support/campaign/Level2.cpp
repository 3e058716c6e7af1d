// Level 2: coloured switches. Two prisms, red and blue, each with its own lane to the
// right; the blue lane holds a red switch before the blue one, so the player sees a
// switch stay dark in a cone of the wrong colour. The gate wants blue, then red.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildColouredSwitches( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			// The ship starts between the two lanes, with the gate straight ahead.
			AddPlayer( level, { -14, 0 } );
			AddHealthBars( level );

			// Each lane: a prism near the left, its switches to the right, where its cone
			// falls when the beam comes in along the lane.
			AddPrism( level, "Prism1", { -6, 5 }, ColourCode::Red );
			AddPrism( level, "Prism2", { -6, -5 }, ColourCode::Blue );
			AddSwitch( level, "Switch1", { 6, 5 }, ColourCode::Red );
			// The red switch sits in the blue cone and stays dark; the blue one behind it lights.
			AddSwitch( level, "Switch2", { 2, -5 }, ColourCode::Red );
			AddSwitch( level, "Switch3", { 8, -5 }, ColourCode::Blue );

			// Walls close the lanes off at their far ends, so the way out is the middle.
			AddWall( level, "Wall1", { 12, 6 } );
			AddWall( level, "Wall2", { 12, -6 } );

			AddGate( level, { 15, 0 }, { ColourCode::Blue, ColourCode::Red } );
			AddSparks( level, 2, { 15, 0 } );
			AddBeams( level, 1, { -14, 0 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 2, "Coloured switches", BuildColouredSwitches );
}
