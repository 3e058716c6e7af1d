// Level 8: crystals again, under pressure. A level wider than the screen, followed by its
// camera. Each prism has crystals straight behind it and on one side, and its switch on
// the other, so only a beam fired from the right side of the prism spares them; a third
// crystal drifts up and down across the red cone's path, and the beam must wait for it.
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
		void BuildCrystalsAgain( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 26, 10 } );
			AddBackground( level );
			AddToLevel( level, "Camera", "Camera1", { 0, 0 } );

			AddPlayer( level, { -23, 0 } );
			AddHealthBars( level );

			// Green: lit from below its prism, the cone rises to the switch over the crystals.
			AddPrism( level, "Prism1", { -14, 4 }, ColourCode::Green );
			AddCrystal( level, "CrystalFocus1", { -2, 4 } );
			AddCrystal( level, "CrystalFocus2", { -2, 1 } );
			AddSwitch( level, "Switch1", { -2, 7 }, ColourCode::Green );

			// Red: lit from above its prism, the cone falls to the switch below the crystals.
			AddPrism( level, "Prism2", { 4, -4 }, ColourCode::Red );
			AddCrystal( level, "CrystalFocus3", { 16, -4 } );
			AddCrystal( level, "CrystalFocus4", { 16, -1 } );
			AddSwitch( level, "Switch2", { 16, -7 }, ColourCode::Red );
			// The drifting crystal, across the way from the red prism to its switch.
			AddDriftingCrystal( level, "CrystalFocus5", { { 10, -9 }, { 10, -3 }, 0.5f } );

			AddWall( level, "Wall1", { 6, 6 } );
			AddWall( level, "Wall2", { -12, -6 } );

			AddGate( level, { 23, 0 }, { ColourCode::Green, ColourCode::Red } );
			AddSparks( level, 2, { 23, 0 } );
			AddBeams( level, 1, { -23, 0 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 8, "Crystals under pressure", BuildCrystalsAgain );
}
