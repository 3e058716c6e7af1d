// Level 4: white guards. A white guard stands beyond the green switch, in the green
// cone, stunned while the switch charges; once the switch is lit it walks back to undo
// it, and the player must light the red switch before it gets there.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/EnemyPieces.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildWhiteGuards( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			AddPlayer( level, { -14, 0 } );
			AddHealthBars( level );

			// The upper lane: the green prism, its switch, and the white guard behind it.
			AddPrism( level, "Prism1", { -6, 6 }, ColourCode::Green );
			AddSwitch( level, "Switch1", { 4, 6 }, ColourCode::Green );
			AddGuard( level, "Guard1", { 10, 6 }, true );

			// The lower lane: the red prism and switch, out of the guard's way.
			AddPrism( level, "Prism2", { -6, -6 }, ColourCode::Red );
			AddSwitch( level, "Switch2", { 4, -6 }, ColourCode::Red );
			AddStunEffects( level, 1 );

			// Two walls make a short corridor to the gate.
			AddWall( level, "Wall1", { 12, 3 } );
			AddWall( level, "Wall2", { 12, -3 } );

			AddGate( level, { 15, 0 }, { ColourCode::Green, ColourCode::Red } );
			AddSparks( level, 2, { 15, 0 } );
			AddBeams( level, 1, { -14, 0 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 4, "White guards", BuildWhiteGuards );
}
