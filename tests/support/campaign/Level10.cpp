// Level 10: the first combination. Red is lit straight above the start, with crystals
// close beside its switch for a careless cone; a mine sits on the way along the floor;
// blue is lit along the floor, its cone reaching on to stun the guard behind the switch
// while the ship turns back to the gate.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/EnemyPieces.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildFirstCombination( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			AddPlayer( level, { -14, -6 } );
			AddHealthBars( level );

			// Red above the start; the crystals stand either side of its switch, out of a
			// cone thrown straight up but not of one thrown askew.
			AddPrism( level, "Prism1", { -14, 1 }, ColourCode::Red );
			AddSwitch( level, "Switch1", { -14, 7 }, ColourCode::Red );
			AddCrystal( level, "Crystal1", { -12, 7 } );
			AddCrystal( level, "Crystal2", { -16, 7 } );

			// On the floor between: a mine to fly over.
			AddMine( level, "Mine1", { -7, -7 } );

			// Blue along the floor; its cone reaches the guard behind the switch.
			AddPrism( level, "Prism2", { 4, -6 }, ColourCode::Blue );
			AddSwitch( level, "Switch2", { 10, -6 }, ColourCode::Blue );
			AddGuard( level, "Guard1", { 16, -6 } );
			AddStunEffects( level, 1 );

			AddWall( level, "Wall1", { 2, 1 } );
			AddWall( level, "Wall2", { -6, 4 } );

			AddGate( level, { -7, 0 }, { ColourCode::Red, ColourCode::Blue } );
			AddSparks( level, 2, { -7, 0 } );
			AddBeams( level, 1, { -14, -6 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 10, "A first combination", BuildFirstCombination );
}
