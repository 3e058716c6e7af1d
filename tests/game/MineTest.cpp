// Mines, crystal foci, sparks and gate barriers in the headless game, from levels made
// by the level builder; what the player meets of them through the collision passes.
#include "Core/Object.h"
#include "Game/ScoreManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/StatsComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/MineRoutines.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "core/MathConstants.h"
#include "support/EnemyLevel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace
{
	using namespace StateMachines;
	using Physics::CollisionComponent;
	using Tarn::Vector2;

	class Mines : public KelvaneTest::EnemyLevel
	{
	protected:
		template <typename Machine>
		int FramesWhile( const Machine& machine, int32_t state, int limit = 400 )
		{
			int frames = 0;
			for ( ; machine.mState == state && frames < limit; ++frames )
				Frames( 1 );
			return frames;
		}

		static CollisionComponent& Collider( const char* name ) { return *Find( name ).GetComponent<CollisionComponent>(); }
		static Graphics::MeshComponent& Mesh( const char* name ) { return *Find( name ).GetComponent<Graphics::MeshComponent>(); }
		static Graphics::EmitterComponent& Emitter( const char* name )
		{
			return *Find( name ).GetComponent<Graphics::EmitterComponent>();
		}
		float Health() { return Find( "Player1" ).GetComponent<Physics::StatsComponent>()->mHealth; }
	};

	TEST_F( Mines, AllMinesSpinAlikeAndPatrolByStepping )
	{
		Add( "Mine", "Mine1", { 0, 0 } );
		Add( "Mine", "Mine2", { 5, 0 } )->GetComponent<Tarn::TransformComponent>()->mDirection = 2.0f;
		Tarn::Object* patrolling = Add( "Mine", "Mine3", { 0, 5 } );
		auto* patrol = patrolling->GetComponent<MineComponent>();
		patrol->mPatrols = true;
		patrol->mWait = true;
		patrol->mWaitTimer = 0.25f;
		patrol->mPatrol = { Vector2( 1, 5 ), Vector2( -1, 5 ) };
		Play();

		const float before[] = { Transform( "Mine1" ).mDirection, Transform( "Mine2" ).mDirection, Transform( "Mine3" ).mDirection };
		Frames( 10 );
		const float turn = Transform( "Mine1" ).mDirection - before[0];
		EXPECT_NEAR( Transform( "Mine2" ).mDirection - before[1], turn, 1e-5f );
		EXPECT_NEAR( Transform( "Mine3" ).mDirection - before[2], turn, 1e-5f );
		const float speed = std::fabs( turn ) / ( 10 * kDt );
		EXPECT_GE( speed, Tarn::kPi / 6.0f - 1e-3f );
		EXPECT_LE( speed, Tarn::kPi / 3.0f + 1e-3f );
		EXPECT_NEAR( SharedMineSpin().mSign * SharedMineSpin().mSpeed * 10 * kDt, turn, 1e-5f );

		// The patrol moves the mine itself, not its velocity, and pauses at each end.
		MineComponent& machine = MineMachine( "Mine3" );
		FramesWhile( machine, STATE_NORMAL );
		EXPECT_EQ( machine.mState, STATE_PAUSE );
		EXPECT_NEAR( Transform( "Mine3" ).mPosition.X, 1.0f - std::sqrt( 0.1f ), 2 * kDt );
		EXPECT_EQ( Transform( "Mine3" ).mVelocity, Vector2() );
		EXPECT_EQ( machine.mPatrol[0], Vector2( -1, 5 ) );
		const int pause = FramesWhile( machine, STATE_PAUSE );
		EXPECT_NEAR( pause * kDt, 0.25f + 2 * kDt, 2 * kDt );
		Frames( 5 );
		EXPECT_LT( Transform( "Mine3" ).mPosition.X, 1.0f - std::sqrt( 0.1f ) ) << "on its way back";
	}

	TEST_F( Mines, ATouchedMineReddensForHalfASecondThenExplodesWiderAndIsSpent )
	{
		Add( "Player", "Player1", { 0, 0 } );
		Add( "Mine", "Mine1", { 1.2f, 0 } );
		Play();
		MineComponent& mine = MineMachine( "Mine1" );

		Steps( 1 );
		EXPECT_EQ( mine.mState, STATE_WAIT ) << "the player's touch lights the fuse";
		EXPECT_TRUE( Collider( "Mine1" ).mInvulnerable );
		EXPECT_FLOAT_EQ( Health(), 100.0f );

		const int fuse = FramesWhile( mine, STATE_WAIT );
		EXPECT_NEAR( fuse * kDt, 0.5f, 3 * kDt );
		const Tarn::Colour red = Mesh( "Mine1" ).mColour;
		EXPECT_FLOAT_EQ( red.r, 1.0f );
		EXPECT_NEAR( red.g, 1.0f - 1.5f * 0.5f, 1.5f * 2 * kDt );
		EXPECT_FLOAT_EQ( red.b, red.g );

		Frames( 1 );
		EXPECT_EQ( mine.mState, STATE_DIE );
		EXPECT_TRUE( mine.mIsAttacking );
		EXPECT_EQ( Mesh( "Mine1" ).GetTextureName(), "resource/Explosion.png" );
		EXPECT_FLOAT_EQ( Transform( "Mine1" ).mXScaleFactor, 4.5f );
		EXPECT_FLOAT_EQ( Collider( "Mine1" ).Radius(), 0.5f + 1.5f );
		const float spin = Transform( "Mine1" ).mDirection;
		Frames( 3 );
		EXPECT_FLOAT_EQ( Transform( "Mine1" ).mDirection, spin ) << "no spin while it explodes";
		EXPECT_LT( Mesh( "Mine1" ).mColour.a, 1.0f );

		const int blast = FramesWhile( mine, STATE_DIE ) + 4;
		EXPECT_NEAR( blast * kDt, 0.5f + 2 * kDt, 2 * kDt );
		EXPECT_EQ( mine.mState, STATE_NONE );
		EXPECT_FALSE( mine.mIsAttacking );
		EXPECT_FALSE( Transform( "Mine1" ).mActive );
		EXPECT_FALSE( Mesh( "Mine1" ).mVisible );
		EXPECT_FLOAT_EQ( Transform( "Mine1" ).mXScaleFactor, 1.0f );
		EXPECT_EQ( Mesh( "Mine1" ).mColour, ( Tarn::Colour{ 1, 1, 1, 1 } ) );
		EXPECT_EQ( Mesh( "Mine1" ).GetTextureName(), kMineTexture );
		EXPECT_FLOAT_EQ( Collider( "Mine1" ).Radius(), 0.5f );
	}

	TEST_F( Mines, AGuardNearAMineAtRestOnlyLightsItsFuseAndTheBlastKillsIt )
	{
		Add( "Player", "Player1", { 30, 30 } );
		Add( "MeleeGuard", "Guard1", { 0, 0 } );
		Add( "Mine", "Mine1", { 1.2f, 0 } );
		Play();

		Steps( 1 );
		EXPECT_EQ( MineMachine( "Mine1" ).mState, STATE_WAIT );
		EXPECT_TRUE( Transform( "Guard1" ).mActive ) << "a mine at rest harms no guard";
		EXPECT_EQ( Machine( "Guard1" ).mState, STATE_NORMAL );
		EXPECT_EQ( Score().Score(), 0 );

		Steps( 40 );
		EXPECT_EQ( MineMachine( "Mine1" ).mState, STATE_NONE );
		EXPECT_FALSE( Transform( "Guard1" ).mActive );
		EXPECT_FALSE( Mesh( "Guard1" ).mVisible );
		EXPECT_EQ( Machine( "Guard1" ).mState, STATE_NONE );
		EXPECT_EQ( Score().Score(), Tarn::ScoreManager::kEnemyAward ) << "awarded once";
		EXPECT_EQ( Score().GetReckoning().mEnemiesKilled, 1 );
	}

	TEST_F( Mines, AChainReactionSetsOffTheNextMineOnceAndACrystalWithoutItsPenalty )
	{
		Add( "Player", "Player1", { 30, 30 } );
		Add( "Mine", "Mine1", { 0, 0 } );
		Add( "Mine", "Mine2", { 2, 0 } );
		Add( "CrystalFocus", "CrystalFocus1", { 0, 2 } );
		Play();
		LightFuse( Collider( "Mine1" ) );
		EXPECT_FALSE( LightFuse( Collider( "Mine1" ) ) ) << "a fuse is lit once";

		std::map<std::string, int> fuses;
		std::map<std::string, int32_t> last;
		for ( int i = 0; i < 80; ++i )
		{
			Steps( 1 );
			for ( const char* name : { "Mine1", "Mine2" } )
			{
				const int32_t state = MineMachine( name ).mState;
				fuses[name] += state == STATE_WAIT && last[name] != STATE_WAIT;
				last[name] = state;
			}
		}
		EXPECT_EQ( fuses["Mine1"], 1 );
		EXPECT_EQ( fuses["Mine2"], 1 );
		EXPECT_EQ( MineMachine( "Mine2" ).mState, STATE_NONE );
		EXPECT_EQ( MineMachine( "CrystalFocus1" ).mState, STATE_DIE );
		EXPECT_FLOAT_EQ( Mesh( "CrystalFocus1" ).mColour.g, 0.0f );
		EXPECT_FLOAT_EQ( Mesh( "CrystalFocus1" ).mColour.b, 0.0f );
		EXPECT_EQ( Score().Score(), 0 );
		EXPECT_EQ( Score().GetReckoning().mCrystalsDestroyed, 0 );
	}

	TEST_F( Mines, ACrystalBurnsOnlyWhileLitAndCostsItsPenaltyOnce )
	{
		Add( "CrystalFocus", "CrystalFocus1", { 0, 0 } );
		Play();
		MineComponent& crystal = MineMachine( "CrystalFocus1" );
		const Tarn::Colour& colour = Mesh( "CrystalFocus1" ).mColour;

		// A cone sets it burning every frame it lights it.
		auto burn = [&]( int frames ) {
			for ( int i = 0; i < frames; ++i )
			{
				BurnCrystal( crystal );
				Frames( 1 );
			}
		};
		burn( 30 );
		EXPECT_NEAR( colour.g, 1.0f - 0.75f * 30 * kDt, 1e-4f );
		EXPECT_FLOAT_EQ( colour.b, colour.g );
		EXPECT_EQ( crystal.mState, STATE_NORMAL );
		Frames( 30 );
		EXPECT_NEAR( colour.g, 1.0f - 0.75f * 30 * kDt, 1e-4f ) << "out of the light it stops burning";

		int more = 0;
		for ( ; crystal.mState != STATE_DIE && more < 200; ++more )
			burn( 1 );
		EXPECT_NEAR( ( 30 + more ) * kDt, 1.0f / 0.75f, 2 * kDt );
		EXPECT_FLOAT_EQ( colour.g, 0.0f );
		EXPECT_EQ( Score().Score(), Tarn::ScoreManager::kCrystalPenalty );
		EXPECT_EQ( Score().GetReckoning().mCrystalsDestroyed, 1 );

		// Burnt out it smoulders, and no more light costs anything more.
		burn( 20 );
		EXPECT_EQ( crystal.mState, STATE_DIE );
		EXPECT_EQ( Score().Score(), Tarn::ScoreManager::kCrystalPenalty );
		EXPECT_FALSE( Emitter( "CrystalFocus1" ).mEmitComplete );
		EXPECT_FLOAT_EQ( Emitter( "CrystalFocus1" ).mEmitCurrentTimer, 0.0f );
	}

	TEST_F( Mines, ASparkFliesToItsGateLeavingATrailAndGoesOutThere )
	{
		Add( "SwitchEffect", "SwitchEffect1", { 0, 0 } );
		Play();
		// Launched as the colour puzzle launches it: toward the gate, from the switch.
		MineComponent& spark = MineMachine( "SwitchEffect1" );
		spark.mPatrol[0] = { 4, 0 };
		Transform( "SwitchEffect1" ).mActive = true;
		spark.mState = STATE_NORMAL;

		Frames( 1 );
		EXPECT_NEAR( Transform( "SwitchEffect1" ).mPosition.X, 5.0f * kDt, 1e-5f );
		EXPECT_FLOAT_EQ( Emitter( "SwitchEffect1" ).mEmitLifeTime, 0.0f ) << "the trail runs while it flies";
		const int flight = FramesWhile( spark, STATE_NORMAL ) + 1;
		EXPECT_NEAR( flight * kDt, ( 4.0f - std::sqrt( 0.1f ) ) / 5.0f + kDt, 2 * kDt );
		EXPECT_EQ( spark.mState, STATE_NONE );
		EXPECT_FALSE( Transform( "SwitchEffect1" ).mActive );
		EXPECT_FLOAT_EQ( Emitter( "SwitchEffect1" ).mEmitLifeTime, 0.1f );
	}

	TEST_F( Mines, TheGateBarrierHurtsForASecondRestsForHalfOneAndFallsWhenItsGateOpens )
	{
		Add( "GateBarrier", "Barrier", { 0, 0 } );
		Play();
		StateMachineComponent& barrier = Machine( "Barrier" );
		ASSERT_EQ( barrier.mState, STATE_NORMAL );

		const int resting = FramesWhile( barrier, STATE_NORMAL );
		EXPECT_NEAR( resting * kDt, 0.5f + 2 * kDt, 2 * kDt );
		EXPECT_TRUE( barrier.mActionFlag );
		const int hurting = FramesWhile( barrier, STATE_ENGAGE );
		EXPECT_NEAR( hurting * kDt, 1.0f + 2 * kDt, 2 * kDt );
		EXPECT_EQ( barrier.mState, STATE_NORMAL );
		// Its emitter shows the phase: spikes while it hurts, a swirl at rest.
		Frames( 1 );
		EXPECT_EQ( Emitter( "Barrier" ).GetTextureName(), "resource/circle texture.png" );
		FramesWhile( barrier, STATE_NORMAL );
		Frames( 1 );
		EXPECT_EQ( Emitter( "Barrier" ).GetTextureName(), "resource/barrier spike.png" );

		// The gate opens: a second and a half later the barrier is done, and stays so.
		barrier.mState = STATE_DIE;
		barrier.mInnerState = INNER_STATE_ON_ENTER;
		int falling = 0;
		for ( ; barrier.mInnerState != INNER_STATE_ON_EXIT && falling < 200; ++falling )
			Frames( 1 );
		EXPECT_NEAR( falling * kDt, 1.5f + kDt, 2 * kDt );
		Frames( 20 );
		EXPECT_EQ( barrier.mState, STATE_DIE );
		EXPECT_EQ( barrier.mInnerState, INNER_STATE_ON_EXIT );
		EXPECT_FLOAT_EQ( Emitter( "Barrier" ).mEmitLifeTime, 0.1f ) << "its swirl goes out";
	}

	TEST_F( Mines, WhatThePlayerMeetsActsThroughTheCollisionPasses )
	{
		Add( "Player", "Player1", { 0, 0 } );
		Add( "GateBarrier", "Barrier", { 2, 0 } );
		Add( "MeleeGuard", "Guard1", { -1.5f, 5 } );
		Play();
		Tarn::TransformComponent& ship = Transform( "Player1" );

		// An engaged barrier throws back a ship moving into it, and costs it 5.
		Machine( "Barrier" ).mState = STATE_ENGAGE;
		Machine( "Barrier" ).mInnerState = INNER_STATE_ON_UPDATE;
		ship.mVelocity = { 1, 0 };
		Steps( 1 );
		EXPECT_FLOAT_EQ( Health(), 95.0f );
		EXPECT_LT( ship.mVelocity.X, -10.0f );

		// A guard's touch costs 10 once the ship can be hit again.
		ship.mPosition = ship.mPrevPos = { -1.5f, 3.6f };
		ship.mVelocity = {};
		Find( "Player1" ).GetComponent<CollisionComponent>()->mInvulTimer = kDt;
		Steps( 1 );
		EXPECT_FLOAT_EQ( Health(), 85.0f );
	}
}
