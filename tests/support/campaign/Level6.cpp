// Level 6: enemy portals. The portal at the end of the blue lane wants green, as the
// gate does first: lighting the green switch opens it too, and two guards come out and
// make for the ship. They come out into the blue lane, where the blue cone stuns them for
// as long as it shines.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/EnemyPieces.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildEnemyPortals( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			AddPlayer( level, { -14, 0 } );
			AddHealthBars( level );

			AddPrism( level, "Prism1", { -6, 5 }, ColourCode::Green );
			AddSwitch( level, "Switch1", { 4, 5 }, ColourCode::Green );
			AddPrism( level, "Prism2", { -6, -5 }, ColourCode::Blue );
			AddSwitch( level, "Switch2", { 4, -5 }, ColourCode::Blue );

			// The portal and its two guards, at the far end of the blue lane.
			AddEnemyPortal( level, "EGate1", { 12, -5 }, { ColourCode::Green }, 1, 2 );
			AddStunEffects( level, 2 );

			AddWall( level, "Wall1", { 12, 5 } );
			AddWall( level, "Wall2", { -10, -9 } );

			AddGate( level, { 15, 0 }, { ColourCode::Green, ColourCode::Blue } );
			// One spark for each gate the green switch sends one to, and one for blue.
			AddSparks( level, 3, { 15, 0 } );
			AddBeams( level, 1, { -14, 0 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 6, "Enemy portals", BuildEnemyPortals );
}
