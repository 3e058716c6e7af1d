// Level 7: crystals. Each prism has a crystal straight behind it and its switch off to
// one side: fired at from level with the prism, the cone burns the crystal; fired at from
// a little below (or above), the cone slants away onto the switch and spares it.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/EnemyPieces.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildCrystals( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			AddPlayer( level, { -14, 0 } );
			AddHealthBars( level );

			AddPrism( level, "Prism1", { -6, 4 }, ColourCode::Green );
			AddCrystal( level, "CrystalFocus1", { 6, 4 } );
			AddSwitch( level, "Switch1", { 6, 7 }, ColourCode::Green );

			AddPrism( level, "Prism2", { -6, -4 }, ColourCode::Red );
			AddCrystal( level, "CrystalFocus2", { 6, -4 } );
			AddSwitch( level, "Switch2", { 6, -7 }, ColourCode::Red );

			AddWall( level, "Wall1", { 13, 6 } );
			AddWall( level, "Wall2", { 13, -6 } );

			AddGate( level, { 15, 0 }, { ColourCode::Green, ColourCode::Red } );
			AddSparks( level, 2, { 15, 0 } );
			AddBeams( level, 1, { -14, 0 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 7, "Crystals", BuildCrystals );
}
