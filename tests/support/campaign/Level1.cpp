// Level 1: prisms and cones. Two mirrors carry the beam to a green and a red prism whose
// cones light the switches of the same colour; the gate wants green, then red.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/LevelFiles.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	void BuildFirstLevel( Tarn::LevelObject& level )
	{
		namespace ColourCode = StateMachines::ColourCode;
		// An arena of 36 x 20 world units: all of it in view of the camera.
		AddArena( level, { 18, 10 } );

		AddWall( level, "Wall1", { -6, 0 } );
		AddWall( level, "Wall2", { 13, 0 } );
		AddBackground( level );

		// The ship starts in the lower left, its body spinning beneath it.
		AddPlayer( level, { -14, -6 } );
		AddHealthBars( level );

		// Fired straight up, the beam meets the first mirror's face and turns right,
		// where the nearer of two prisms in a row takes it. Fired right, it meets the
		// second mirror and turns up into the farther prism. The channel in the middle
		// sends the beam on wherever the pointer is. A lit prism throws its cone away from
		// where the beam comes from: green from the first prism, red from the second.
		// The angles are -3/4 and 1/4 of pi as a level file spells them.
		AddMirror( level, "Mirror1", { -14, 6 }, -2.35619f );
		AddMirror( level, "Mirror2", { 8, -6 }, 0.785398f );
		AddToLevel( level, "Channel", "Channel3", { 2, -2 } );
		AddPrism( level, "Prism1", { -2, 6 }, ColourCode::Green );
		AddPrism( level, "Prism2", { 8, 6 }, ColourCode::Red );

		// A green switch in the first prism's cone and a red one in the second's; the gate
		// in the lower right wants green, then red, and a spark flies to it from each.
		AddSwitch( level, "Switch1", { 3, 6 }, ColourCode::Green );
		AddSwitch( level, "Switch2", { 8, 8.5f }, ColourCode::Red );
		AddGate( level, { 15, -6 }, { ColourCode::Green, ColourCode::Red } );
		AddSparks( level, 2, { 15, -6 } );

		// The player's beam, one beam for each mirror and the channel, and their muzzle
		// flares.
		AddBeams( level, 4, { -14, -6 } );
	}

	KELVANE_CAMPAIGN_LEVEL( 1, "Prisms and cones", BuildFirstLevel );
}
