// Level 16: everything so far, together. Red is reached through a mirror on the floor,
// its cone running on past a crystal to hold the guard at the far end stunned; green
// waits in a nebula, lit from beneath while the cloud hides the rest.
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
		void BuildCombinedTest( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 18, 10 } );
			AddBackground( level );

			AddPlayer( level, { -14, 6 } );
			AddHealthBars( level );

			// Red: down into the floor's mirror, right into the prism; the crystal stands
			// just clear of the cone, the guard at its end.
			AddMirror( level, "Mirror1", { -14, -8 }, kMirrorFacingUpRight );
			AddPrism( level, "Prism1", { -6, -8 }, ColourCode::Red );
			AddSwitch( level, "Switch1", { 0, -8 }, ColourCode::Red );
			AddCrystal( level, "Crystal1", { 4, -5.5f } );
			AddGuard( level, "Guard1", { 14, -8 } );
			AddStunEffects( level, 1 );

			// Green, in a nebula.
			AddNebula( level, "Nebula1", { 8, 4 }, 3.0f );
			AddNebulaCover( level, { 0, 0 } );
			AddPrism( level, "Prism2", { 8, 6 }, ColourCode::Green );
			AddSwitch( level, "Switch2", { 8, 9 }, ColourCode::Green );

			AddWall( level, "Wall1", { 0, -1 } );

			AddGate( level, { -8, -3 }, { ColourCode::Red, ColourCode::Green } );
			AddSparks( level, 2, { -8, -3 } );
			AddBeams( level, 2, { -14, 6 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 16, "Everything together", BuildCombinedTest );
}
