// The walls and nebulae the later levels are built from come back from the level's file
// as they were placed: a long block is solid over all its length, not only over a plain
// wall's, and a wide nebula slows the ship and raises its cover wherever its cloud is,
// the cover out of sight until then.
#include "Game/SkillsComponent.h"
#include "GameStates/LevelManager.h"
#include "GameStates/LevelObject.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "support/EnemyLevel.h"
#include "support/FieldPieces.h"

#include <gtest/gtest.h>

namespace
{
	using Tarn::Vector2;

	class FieldPieces : public KelvaneTest::EnemyLevel
	{
	protected:
		Tarn::LevelObject& Level() { return *mLevels->GetCurrentLevel(); }

		// Pushes the ship along `velocity` for `steps` update steps, as steering would.
		void Fly( Vector2 velocity, int steps )
		{
			for ( int i = 0; i < steps; ++i )
			{
				Transform( "Player1" ).mVelocity = velocity;
				Steps( 1 );
			}
		}
	};

	TEST_F( FieldPieces, ALongBlockStopsTheShipAlongAllOfIt )
	{
		// Upright, 14 long: a plain wall's box would stop nothing five units up.
		KelvaneTest::AddBlock( Level(), "Wall1", { 0, 0 }, { 2, 14 } );
		Add( "Player", "Player1", { -5, 5 } );
		Play();
		Fly( { 4, 0 }, 120 );
		EXPECT_LT( Transform( "Player1" ).mPosition.X, -1.5f ) << "flew through the block";
		EXPECT_GT( Transform( "Player1" ).mPosition.X, -3.0f ) << "never reached it";
	}

	TEST_F( FieldPieces, AWideNebulaSlowsTheShipAndRaisesItsCoverWhereverItsCloudIs )
	{
		KelvaneTest::AddNebula( Level(), "Nebula1", { 0, 0 }, 4.0f );
		KelvaneTest::AddNebulaCover( Level(), { 0, 0 } );
		Add( "Player", "Player1", { -12, 0 } );
		Play();
		const auto& cover = *Find( "NebulaCover1" ).GetComponent<Graphics::MeshComponent>();
		EXPECT_FALSE( cover.mVisible ) << "the cover shows before the ship is in";
		EXPECT_EQ( cover.mColour.a, 0.0f );
		Steps( 10 );
		EXPECT_FALSE( cover.mVisible );

		// Four and a half units from the middle: outside a plain nebula's reach of two,
		// inside this one's.
		Transform( "Player1" ).mPosition = { -4.5f, 0 };
		Steps( 10 );
		EXPECT_EQ( Find( "Player1" ).GetComponent<Tarn::SkillsComponent>()->mSpeedFactor, 0.5f );
		EXPECT_TRUE( cover.mVisible );
		EXPECT_GT( cover.mColour.a, 0.0f );

		Transform( "Player1" ).mPosition = { -12, 0 };
		Steps( 10 );
		EXPECT_EQ( Find( "Player1" ).GetComponent<Tarn::SkillsComponent>()->mSpeedFactor, 1.0f );
	}
}
