// The enemies the campaign's levels are built from come back from the level's file as
// they were placed: a blue mine stays blue and the beam's to set off, patrols keep
// their ends, and a portal's guards wait inside it, hidden, in the portal's queue.
#include "Graphics/MeshComponent.h"
#include "GameStates/LevelManager.h"
#include "GameStates/LevelObject.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "support/EnemyLevel.h"
#include "support/EnemyPieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	using namespace StateMachines;
	using Tarn::Vector2;

	class EnemyPieces : public KelvaneTest::EnemyLevel
	{
	protected:
		Tarn::LevelObject& Level() { return *mLevels->GetCurrentLevel(); }
	};

	TEST_F( EnemyPieces, MinesAndGuardsKeepTheirKindAndPatrolThroughTheFile )
	{
		Add( "Player", "Player1", { 40, 40 } );
		KelvaneTest::AddMine( Level(), "Mine1", { 0, 0 }, true );
		KelvaneTest::AddMine( Level(), "Mine2", { 0, 3 } );
		KelvaneTest::AddDriftingMine( Level(), "Mine3", { { -4, 6 }, { 4, 6 }, 0.5f } );
		KelvaneTest::AddPatrollingGuard( Level(), "Guard1", { 10, 0 }, { { 10, 0 }, { 10, 5 }, 1.0f }, true );
		KelvaneTest::AddGuard( Level(), "Guard2", { -10, 0 } );
		KelvaneTest::AddCrystal( Level(), "CrystalFocus1", { 0, -5 } );
		KelvaneTest::AddDriftingCrystal( Level(), "CrystalFocus2", { { 6, -8 }, { 6, -2 }, 0.0f } );
		KelvaneTest::AddStunEffects( Level(), 2 );
		Play();

		EXPECT_EQ( MineMachine( "Mine1" ).mAI, Routine::BlueMine ) << "the file's kind wins over the type's start";
		EXPECT_EQ( MineMachine( "Mine2" ).mAI, Routine::Mine );
		const Tarn::Colour blue = Find( "Mine1" ).GetComponent<Graphics::MeshComponent>()->mColour;
		EXPECT_GT( blue.b, blue.r );
		EXPECT_GT( blue.b, blue.g );
		EXPECT_EQ( MineMachine( "CrystalFocus1" ).mAI, Routine::CrystalFocus );

		EXPECT_EQ( Machine( "Guard1" ).mAI, Routine::WhiteGuard );
		EXPECT_EQ( Machine( "Guard2" ).mAI, Routine::Guard );
		EXPECT_TRUE( MineMachine( "Guard1" ).mPatrols );
		EXPECT_EQ( MineMachine( "Guard1" ).mPatrol[0], Vector2( 10, 5 ) ) << "walked to the far end first";
		EXPECT_FALSE( MineMachine( "Guard2" ).mPatrols );
		for ( const char* ring : { "StunEffect1", "StunEffect2" } )
			EXPECT_FALSE( Transform( ring ).mActive ) << ring;

		// The drifting mine sets off toward its far end, and only along its line.
		Steps( 30 );
		const Vector2 at = Transform( "Mine3" ).mPosition;
		EXPECT_GT( at.X, -4.0f );
		EXPECT_FLOAT_EQ( at.Y, 6.0f );
		EXPECT_EQ( Transform( "Mine1" ).mPosition, Vector2( 0, 0 ) ) << "a mine without a patrol stays";
		EXPECT_GT( Transform( "CrystalFocus2" ).mPosition.Y, -8.0f ) << "a drifting crystal drifts";
		EXPECT_FLOAT_EQ( Transform( "CrystalFocus2" ).mPosition.X, 6.0f );
		EXPECT_EQ( Transform( "CrystalFocus1" ).mPosition, Vector2( 0, -5 ) );
	}

	TEST_F( EnemyPieces, APortalsGuardsWaitInsideItHiddenAndInItsQueue )
	{
		Add( "Player", "Player1", { 40, 40 } );
		KelvaneTest::AddEnemyPortal( Level(), "EGate1", { 5, 5 }, { ColourCode::Red }, 3, 2, true );
		Play();

		GateComponent& portal = *Find( "EGate1" ).GetComponent<GateComponent>();
		EXPECT_TRUE( portal.mIsEnemy );
		EXPECT_EQ( portal.WantedColour(), ColourCode::Red );
		std::vector<std::string> queued;
		for ( const Tarn::HashedName& name : portal.ReleaseQueue() )
			queued.push_back( name.GetName() );
		EXPECT_EQ( queued, ( std::vector<std::string>{ "Guard3", "Guard4" } ) );
		for ( const char* guard : { "Guard3", "Guard4" } )
		{
			EXPECT_FALSE( Transform( guard ).mActive ) << guard;
			EXPECT_FALSE( Find( guard ).GetComponent<Graphics::MeshComponent>()->mVisible ) << guard;
			EXPECT_EQ( Machine( guard ).mState, STATE_NONE ) << guard;
			EXPECT_EQ( Machine( guard ).mAI, Routine::WhiteGuard ) << guard;
			EXPECT_EQ( Transform( guard ).mPosition, Vector2( 5, 5 ) ) << guard;
		}
		// Waiting, they neither move nor hunt the ship.
		Steps( 60 );
		EXPECT_EQ( Machine( "Guard3" ).mState, STATE_NONE );
		EXPECT_EQ( Transform( "Guard3" ).mPosition, Vector2( 5, 5 ) );
	}
}
