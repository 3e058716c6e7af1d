// Level 4: white guards. A level wider than the screen. A white guard stands beyond the
// green switch, in the green cone, stunned while the switch charges; once the switch is
// lit it walks back to undo it, and the player must light the red switch further on
// before it gets there.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/EnemyPieces.h"
#include "support/LevelFiles.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildWhiteGuards( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			// Wider than the screen: the camera follows the ship from lane to lane.
			AddArena( level, { 26, 10 } );
			AddBackground( level );
			AddToLevel( level, "Camera", "Camera1", { 0, 0 } );

			AddPlayer( level, { -23, 0 } );
			AddHealthBars( level );

			// The upper lane, on the left: the green prism, its switch, and the white guard
			// beyond it.
			AddPrism( level, "Prism1", { -17, 6 }, ColourCode::Green );
			AddSwitch( level, "Switch1", { -9, 6 }, ColourCode::Green );
			AddGuard( level, "Guard1", { -4, 6 }, true );

			// The lower lane, further on: the red prism and switch, away from the guard.
			AddPrism( level, "Prism2", { -2, -6 }, ColourCode::Red );
			AddSwitch( level, "Switch2", { 8, -6 }, ColourCode::Red );
			AddStunEffects( level, 1 );

			// Two walls make a short corridor to the gate.
			AddWall( level, "Wall1", { 20, 3 } );
			AddWall( level, "Wall2", { 20, -3 } );

			AddGate( level, { 23, 0 }, { ColourCode::Green, ColourCode::Red } );
			AddSparks( level, 2, { 23, 0 } );
			AddBeams( level, 1, { -23, 0 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 4, "White guards", BuildWhiteGuards );
}
