// Level 18: the last of the campaign, wider than the screen and holding a bit of
// everything. One shot along the floor clears the blue mine in the first gap's nebula and
// lights red far beyond; green is turned up by a floor mirror past a crystal; blue waits
// in a nebula at the far end, its cone holding a guard stunned behind its switch.
#include "GameStates/LevelObject.h"
#include "StateMachines/RoutineCodes.h"
#include "support/Campaign.h"
#include "support/EnemyPieces.h"
#include "support/FieldPieces.h"
#include "support/LevelFiles.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	namespace
	{
		void BuildLastLevel( Tarn::LevelObject& level )
		{
			namespace ColourCode = StateMachines::ColourCode;
			AddArena( level, { 30, 10 } );
			AddBackground( level );
			AddToLevel( level, "Camera", "Camera1", { 0, 0 } );

			// Open at the bottom, the top, the bottom; the first gap is a nebula with a
			// blue mine in it.
			AddBlock( level, "Wall1", { -16, 3 }, { 2, 14 } );
			AddBlock( level, "Wall2", { 0, -3 }, { 2, 14 } );
			AddBlock( level, "Wall3", { 16, 3 }, { 2, 14 } );
			AddNebula( level, "Nebula1", { -16, -7 }, 2.5f );
			AddMine( level, "Mine1", { -16, -7 }, true );

			AddPlayer( level, { -27, -7 } );
			AddHealthBars( level );

			// Red along the floor, far beyond the mine.
			AddPrism( level, "Prism1", { -8, -7 }, ColourCode::Red );
			AddSwitch( level, "Switch1", { -2, -7 }, ColourCode::Red );

			// Green, turned up by the floor's mirror; the crystal stands beside its way.
			AddMirror( level, "Mirror1", { 8, -8 }, kMirrorFacingUpLeft );
			AddPrism( level, "Prism2", { 8, -3 }, ColourCode::Green );
			AddSwitch( level, "Switch2", { 8, 3 }, ColourCode::Green );
			AddCrystal( level, "Crystal1", { 12, -1.5f } );

			// Blue in the far nebula, lit from beneath; the guard behind its switch.
			AddNebula( level, "Nebula2", { 22, 3 }, 3.0f );
			AddNebulaCover( level, { 0, 0 } );
			AddPrism( level, "Prism3", { 22, 4 }, ColourCode::Blue );
			AddSwitch( level, "Switch3", { 22, 7 }, ColourCode::Blue );
			AddGuard( level, "Guard1", { 22, 9.3f } );
			AddStunEffects( level, 1 );

			AddGate( level, { 27, -6 }, { ColourCode::Red, ColourCode::Green, ColourCode::Blue } );
			AddSparks( level, 3, { 27, -6 } );
			AddBeams( level, 2, { -27, -7 } );
		}
	}

	KELVANE_CAMPAIGN_LEVEL( 18, "Everything, the last time", BuildLastLevel );
}
