// Level 12: what hides in nebulae. A wall with two gaps, each filled by a nebula; a mine
// waits in the middle of each, where the slowed ship cannot steer round it. The lower
// one is blue, and the beam clears it; beyond lie a red prism lit along the floor and a
// green one lit from above.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/EnemyPieces.h"
#include "support/FieldPieces.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildNebulaMineLevel( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			AddBlock( level, "Wall1", { -2, -8 }, { 2, 4 } );
			AddBlock( level, "Wall2", { -2, 0 }, { 2, 4 } );
			AddBlock( level, "Wall3", { -2, 8 }, { 2, 4 } );
			AddNebula( level, "Nebula1", { -2, -4 }, 2.5f );
			AddNebula( level, "Nebula2", { -2, 4 }, 2.5f );
			AddNebulaCover( level, { 0, 0 } );
			AddMine( level, "Mine1", { -2, -4 }, true );
			AddMine( level, "Mine2", { -2, 4 } );

			AddPlayer( level, { -13, -4 } );
			AddHealthBars( level );

			// Red along the floor, through the lower gap; green from above.
			AddPrism( level, "Prism1", { 5, -4 }, ColourCode::Red );
			AddSwitch( level, "Switch1", { 11, -4 }, ColourCode::Red );
			AddPrism( level, "Prism2", { 9, 6 }, ColourCode::Green );
			AddSwitch( level, "Switch2", { 9, 1 }, ColourCode::Green );

			AddGate( level, { 15, 0 }, { ColourCode::Red, ColourCode::Green } );
			AddSparks( level, 2, { 15, 0 } );
			AddBeams( level, 1, { -13, -4 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 12, "Nebulae hide dangers", BuildNebulaMineLevel );
}
