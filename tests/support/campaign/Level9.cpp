// Level 9: mines. The way to the gate runs down a corridor between two walls, with a blue
// mine in it and plain mines packed above and below the walls. Touching a mine sets it
// off; the beam sets off the blue one from afar and clears the corridor.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/EnemyPieces.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildMines( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			AddPlayer( level, { -14, 0 } );
			AddHealthBars( level );

			AddPrism( level, "Prism1", { -6, 3 }, ColourCode::Red );
			AddSwitch( level, "Switch1", { 2, 6 }, ColourCode::Red );

			// The corridor and its blue mine.
			AddWall( level, "Wall1", { 8, 3 } );
			AddWall( level, "Wall2", { 8, -3 } );
			AddMine( level, "Mine1", { 8, 0 }, true );
			// No way round: plain mines fill the gaps above and below the walls.
			struct Placed
			{
				const char* mName;
				Tarn::Vector2 mAt;
			};
			for ( const Placed& mine : { Placed{ "Mine2", { 8, 6 } }, Placed{ "Mine3", { 8, 8.5f } },
			                             Placed{ "Mine4", { 8, -6 } }, Placed{ "Mine5", { 8, -8.5f } } } )
				AddMine( level, mine.mName, mine.mAt );

			AddGate( level, { 15, 0 }, { ColourCode::Red } );
			AddSparks( level, 1, { 15, 0 } );
			AddBeams( level, 1, { -14, 0 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 9, "Mines", BuildMines );
}
