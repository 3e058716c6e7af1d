// Level 3: enemies. A guard stands in the first prism's lane, far from the ship: the cone
// that lights the switch stuns it, which shows what light does to guards. A second guard
// waits by the gate and closes in on a ship that comes near; stunned by the red cone on
// the way, it is still shaking its head when the ship flies past.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/EnemyPieces.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildEnemies( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			AddPlayer( level, { -14, 0 } );
			AddHealthBars( level );

			// The upper lane: green prism, a guard in its cone, the green switch behind.
			AddPrism( level, "Prism1", { -6, 5 }, ColourCode::Green );
			AddGuard( level, "Guard1", { 1, 5 } );
			AddSwitch( level, "Switch1", { 7, 5 }, ColourCode::Green );

			// The lower lane: red prism and switch, and the guard of the gate beyond them,
			// in the same light.
			AddPrism( level, "Prism2", { -6, -5 }, ColourCode::Red );
			AddSwitch( level, "Switch2", { 4, -5 }, ColourCode::Red );
			AddGuard( level, "Guard2", { 11, -5 } );
			AddStunEffects( level, 2 );

			AddWall( level, "Wall1", { 0, 9 } );
			AddWall( level, "Wall2", { 0, -9 } );

			AddGate( level, { 15, 0 }, { ColourCode::Green, ColourCode::Red } );
			AddSparks( level, 2, { 15, 0 } );
			AddBeams( level, 1, { -14, 0 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 3, "Enemies", BuildEnemies );
}
