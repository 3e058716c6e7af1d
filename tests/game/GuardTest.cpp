// The enemy objects and the guards, plain and white, in the headless game: levels made
// by the level builder, written and played again, their machines stepped through the
// state-machine manager.
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/CollisionManager.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/GuardRoutines.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateMachineManager.h"
#include "StateMachines/SwitchComponent.h"
#include "StateMachines/SwitchLinks.h"
#include "core/MathConstants.h"
#include "core/Services.h"
#include "support/EnemyLevel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{
	using namespace StateMachines;
	using Physics::CollisionComponent;
	using Tarn::Vector2;

	class Guards : public KelvaneTest::EnemyLevel
	{
	protected:
		Tarn::Object* AddGuard( const char* name, Vector2 at, int32_t ai = Routine::Guard, StateType state = STATE_NORMAL )
		{
			Tarn::Object* guard = Add( "MeleeGuard", name, at );
			guard->GetComponent<StateMachineComponent>()->mAI = ai;
			guard->GetComponent<StateMachineComponent>()->mState = state;
			return guard;
		}

		// Runs frames until the machine leaves `state`, at most `limit` of them; the
		// answer is how many it took.
		int FramesWhile( const StateMachineComponent& machine, int32_t state, int limit = 400 )
		{
			int frames = 0;
			while ( machine.mState == state && frames < limit )
			{
				Frames( 1 );
				++frames;
			}
			return frames;
		}

		// The states the machine goes through in `count` frames, each once, in order.
		std::vector<int32_t> StatesOver( const StateMachineComponent& machine, int count )
		{
			std::vector<int32_t> states{ machine.mState };
			for ( int i = 0; i < count; ++i )
			{
				Frames( 1 );
				if ( states.back() != machine.mState )
					states.push_back( machine.mState );
			}
			return states;
		}

		SwitchComponent& StunEffectOf( const char* name ) { return *Find( name ).GetComponent<SwitchComponent>(); }

		// Every link names its other side, and the other side names it back.
		void ExpectLinksAgree()
		{
			for ( SwitchComponent* target : Machines().Switches() )
			{
				if ( target->mClaimant )
				{
					EXPECT_EQ( target->mClaimant->mTarget, target ) << target->mOwner->GetName().GetName();
				}
			}
			for ( StateMachineComponent* machine : Machines().Machines() )
			{
				if ( machine->mTarget )
				{
					EXPECT_EQ( machine->mTarget->mClaimant, machine ) << machine->mOwner->GetName().GetName();
				}
			}
		}
	};

	std::vector<std::string> PartsOf( const Tarn::Object& object )
	{
		std::vector<std::string> parts;
		for ( const Tarn::ObjectComponent* part : object.mComponents.Components() )
			parts.push_back( part->mType.GetName() );
		return parts;
	}

	TEST_F( Guards, EveryEnemyComesBackFromItsLevelFileAssembledAndSetUp )
	{
		struct Expected
		{
			const char* mType;
			const char* mName;
			std::vector<std::string> mParts;
			const char* mTexture;
			int32_t mLayer;
			bool mVisible;
		};
		const std::vector<Expected> expected = {
			{ "MeleeGuard", "Guard1",
			  { "TransformComponent", "MeshComponent", "CollisionComponent", "EmitterComponent", "StateMachineComponent",
			    "MineComponent" },
			  "resource/crown.png", 2, true },
			{ "RangeGuard", "Ranged1",
			  { "TransformComponent", "MeshComponent", "CollisionComponent", "StatsComponent", "EmitterComponent",
			    "StateMachineComponent" },
			  "resource/crown.png", 2, true },
			{ "Mine", "Mine1",
			  { "TransformComponent", "MeshComponent", "CollisionComponent", "EmitterComponent", "MineComponent",
			    "CollisionDebugComponent" },
			  "resource/mine.png", 0, true },
			{ "CrystalFocus", "CrystalFocus1",
			  { "TransformComponent", "MeshComponent", "CollisionComponent", "EmitterComponent", "MineComponent",
			    "CollisionDebugComponent" },
			  "resource/cross.png", 0, true },
			{ "GateBarrier", "Barrier",
			  { "TransformComponent", "MeshComponent", "CollisionComponent", "LineComponent", "EmitterComponent",
			    "StateMachineComponent", "CollisionDebugComponent" },
			  "", 2, false },
			{ "LightBombProjectile", "Bomb1", { "TransformComponent", "MeshComponent", "CollisionComponent" },
			  "resource/Rock1.png", 0, false },
			{ "StunEffect", "Stun1",
			  { "TransformComponent", "MeshComponent", "CollisionComponent", "CollisionDebugComponent", "AnimationComponent",
			    "SwitchComponent" },
			  "resource/stun.png", 1, false },
			{ "SwitchEffect", "SwitchEffect1",
			  { "TransformComponent", "MeshComponent", "EmitterComponent", "CollisionComponent", "MineComponent",
			    "CollisionDebugComponent" },
			  "", 1, false },
		};
		for ( const Expected& kind : expected )
			Add( kind.mType, kind.mName, { 0, 0 } );
		Play();

		for ( const Expected& kind : expected )
		{
			const Tarn::Object& object = Find( kind.mName );
			EXPECT_EQ( PartsOf( object ), kind.mParts ) << kind.mType;
			const auto* mesh = object.GetComponent<Graphics::MeshComponent>();
			EXPECT_EQ( mesh->GetTextureName(), kind.mTexture ) << kind.mType;
			EXPECT_EQ( mesh->mDrawOrder, kind.mLayer ) << kind.mType;
			EXPECT_EQ( mesh->mVisible, kind.mVisible ) << kind.mType;
		}
		// Both kinds of guard start as plain guards, watching; the barrier runs its own
		// routine; mines, crystals and sparks take theirs from their kind.
		for ( const char* guard : { "Guard1", "Ranged1" } )
		{
			EXPECT_EQ( Machine( guard ).mAI, Routine::Guard );
			EXPECT_EQ( Machine( guard ).mState, STATE_NORMAL );
		}
		EXPECT_EQ( Machine( "Barrier" ).mAI, Routine::GateBarrier );
		EXPECT_EQ( MineMachine( "Mine1" ).mAI, Routine::Mine );
		EXPECT_EQ( MineMachine( "CrystalFocus1" ).mAI, Routine::CrystalFocus );
		EXPECT_EQ( MineMachine( "SwitchEffect1" ).mAI, Routine::SwitchEffectSpark );
		EXPECT_EQ( MineMachine( "SwitchEffect1" ).mState, STATE_NONE );
		// What the player meets rather than slides along: guards, mines, the barrier.
		for ( const char* met : { "Guard1", "Mine1", "Barrier" } )
			EXPECT_FALSE( Find( met ).GetComponent<CollisionComponent>()->mDefault ) << met;
		EXPECT_TRUE( Find( "CrystalFocus1" ).GetComponent<CollisionComponent>()->mDefault );
		// The barrier shows itself by its emitter; the pooled effects wait out of play.
		EXPECT_FALSE( Find( "Barrier" ).GetComponent<Graphics::EmitterComponent>()->mEmitComplete );
		for ( const char* pooled : { "Stun1", "SwitchEffect1", "Bomb1" } )
			EXPECT_FALSE( Transform( pooled ).mActive ) << pooled;
		for ( const char* guard : { "Guard1", "Ranged1" } )
			EXPECT_TRUE( Transform( guard ).mActive ) << guard;
		Steps( 5 );
		EXPECT_FALSE( Find( "SwitchEffect1" ).GetComponent<Graphics::EmitterComponent>()->mEnabled )
		    << "an idle spark leaves no trail";
	}

	TEST_F( Guards, AWatchingGuardPulsesAndClosesInOnAPlayerWithinTenUnits )
	{
		Add( "Player", "Player1", { 10, 0 } );
		AddGuard( "Guard1", { 0, 0 } );
		Play();
		StateMachineComponent& guard = Machine( "Guard1" );
		Tarn::TransformComponent& at = Transform( "Guard1" );

		float smallest = 10.0f, largest = 0.0f;
		bool shrinking = false;
		for ( int i = 0; i < 200; ++i )
		{
			Frames( 1 );
			smallest = std::min( smallest, at.mXScaleFactor );
			largest = std::max( largest, at.mXScaleFactor );
			shrinking = shrinking || guard.mSign < 0;
		}
		// Ten units off is out of sight.
		EXPECT_EQ( guard.mState, STATE_NORMAL );
		EXPECT_TRUE( shrinking );
		EXPECT_GT( smallest, 1.4f - 0.01f );
		EXPECT_LT( largest, 1.6f + 0.01f );
		EXPECT_FLOAT_EQ( at.mXScaleFactor, at.mYScaleFactor );

		Transform( "Player1" ).mPosition = { 0, 9.9f };
		EXPECT_EQ( StatesOver( guard, 2 ), ( std::vector<int32_t>{ STATE_NORMAL, STATE_SEEK } ) );
		EXPECT_NEAR( at.mDirection, Tarn::kPi / 2.0f, 1e-5f ) << "it turns to face the player";
		Frames( 1 );
		EXPECT_FLOAT_EQ( guard.mPulseRate, 0.8f ) << "the eager pulse";
		EXPECT_FLOAT_EQ( guard.mPulseMax, 1.8f );
		EXPECT_FLOAT_EQ( guard.mPulseMin, 1.5f );
	}

	TEST_F( Guards, AGuardThatHasJustLungedIgnoresThePlayerUntilItHasSlowedDown )
	{
		Add( "Player", "Player1", { 1.5f, 0 } );
		AddGuard( "Guard1", { 0, 0 }, Routine::Guard, STATE_SEEK );
		Play();
		StateMachineComponent& guard = Machine( "Guard1" );
		Tarn::TransformComponent& at = Transform( "Guard1" );

		EXPECT_EQ( StatesOver( guard, 3 ), ( std::vector<int32_t>{ STATE_SEEK, STATE_ENGAGE } ) );
		EXPECT_FLOAT_EQ( at.mXScaleFactor, 1.8f );
		// It winds up for a second and a half, then lunges at the player.
		const int windUp = FramesWhile( guard, STATE_ENGAGE );
		EXPECT_NEAR( windUp * kDt, 1.5f + 2 * kDt, 1.5f * kDt );
		EXPECT_TRUE( guard.mActionFlag );
		EXPECT_NEAR( at.mVelocity.X, 20.0f, 1e-4f );
		EXPECT_NEAR( at.mVelocity.Y, 0.0f, 1e-4f );

		Frames( 20 );
		EXPECT_EQ( guard.mState, STATE_NORMAL ) << "still sliding, it does not see the player";
		EXPECT_TRUE( guard.mActionFlag );
		at.mVelocity = { 0.9f, 0.0f };
		EXPECT_EQ( StatesOver( guard, 2 ), ( std::vector<int32_t>{ STATE_NORMAL, STATE_SEEK } ) );
		EXPECT_FALSE( guard.mActionFlag );
	}

	TEST_F( Guards, AStunnedGuardShakesUnderALentStunEffectAndGivesItBack )
	{
		Add( "Player", "Player1", { 40, 40 } );
		AddGuard( "Guard1", { 0, 0 } );
		AddGuard( "Guard2", { 5, 5 } );
		Add( "StunEffect", "Stun1", { -20, -20 } );
		Play();
		StateMachineComponent& guard = Machine( "Guard1" );
		SwitchComponent& ring = StunEffectOf( "Stun1" );
		Transform( "Guard1" ).mDirection = 1.0f;

		// A light cone stuns both; the level lends its only stun effect to the first.
		StunGuard( guard );
		StunGuard( Machine( "Guard2" ) );
		Frames( 1 );
		EXPECT_EQ( guard.mState, STATE_WAIT );
		EXPECT_EQ( guard.mTarget, &ring );
		EXPECT_EQ( ring.mClaimant, &guard );
		EXPECT_TRUE( Transform( "Stun1" ).mActive );
		EXPECT_TRUE( Find( "Stun1" ).GetComponent<Graphics::MeshComponent>()->mVisible );
		EXPECT_FALSE( Find( "Stun1" ).GetComponent<CollisionComponent>()->mInvulnerable );
		EXPECT_EQ( Transform( "Stun1" ).mPosition, Vector2( 0, 0 ) );
		EXPECT_FLOAT_EQ( Transform( "Guard1" ).mDirection, 0.0f );
		const auto* burst = Find( "Guard1" ).GetComponent<Graphics::EmitterComponent>();
		EXPECT_FALSE( burst->mEmitComplete );
		EXPECT_FLOAT_EQ( burst->mEmitCurrentTimer, 0.0f );
		EXPECT_EQ( Machine( "Guard2" ).mState, STATE_WAIT ) << "stunned without a stun effect";
		EXPECT_EQ( Machine( "Guard2" ).mTarget, nullptr );

		// The ring rides on the guard, which turns about once a second; a cone that
		// finds it stunned already does not start the stun again.
		Transform( "Guard1" ).mPosition = { 2, 1 };
		Frames( 1 );
		EXPECT_EQ( Transform( "Stun1" ).mPosition, Vector2( 2, 1 ) );
		const float timer = guard.mStateTimer;
		StunGuard( guard );
		Frames( 1 );
		EXPECT_FLOAT_EQ( guard.mStateTimer, timer + kDt );
		int turned = 2;
		while ( Transform( "Guard1" ).mDirection == 0.0f && turned < 100 )
		{
			Frames( 1 );
			++turned;
		}
		EXPECT_NEAR( turned * kDt, 1.0f + kDt, 2 * kDt );
		EXPECT_FLOAT_EQ( Transform( "Guard1" ).mDirection, Tarn::kPi );

		// Two seconds stunned, then back to watching, the ring back in the pool.
		const int rest = FramesWhile( guard, STATE_WAIT );
		EXPECT_NEAR( ( turned + rest ) * kDt, 2.0f + 2 * kDt, 2 * kDt );
		EXPECT_EQ( guard.mState, STATE_NORMAL );
		EXPECT_EQ( guard.mTarget, nullptr );
		EXPECT_EQ( ring.mClaimant, nullptr );
		EXPECT_FALSE( Transform( "Stun1" ).mActive );
		EXPECT_FALSE( Find( "Stun1" ).GetComponent<Graphics::MeshComponent>()->mVisible );
		EXPECT_TRUE( Find( "Stun1" ).GetComponent<CollisionComponent>()->mInvulnerable );
	}

	TEST_F( Guards, AStunnedPatrollerWalksItsPatrolAndAfterItsPauseWatchesAgainUnlessThePlayerIsNear )
	{
		Add( "Player", "Player1", { 40, 40 } );
		Tarn::Object* guard = AddGuard( "Guard1", { 0, 0 } );
		auto* patrol = guard->GetComponent<MineComponent>();
		patrol->mPatrols = true;
		patrol->mWait = true;
		patrol->mWaitTimer = 0.5f;
		patrol->mPatrol = { Vector2( 1, 0 ), Vector2( -1, 0 ) };
		Play();
		StateMachineComponent& machine = Machine( "Guard1" );

		StunGuard( machine );
		FramesWhile( machine, STATE_WAIT );
		EXPECT_EQ( machine.mState, STATE_DAZED ) << "a guard with a patrol walks it after a stun";
		const int walk = FramesWhile( machine, STATE_DAZED );
		EXPECT_EQ( machine.mState, STATE_PAUSE );
		EXPECT_NEAR( walk * kDt, 1.0f - std::sqrt( 0.1f ), 3 * kDt ) << "one unit a second, up to the arrival ring";
		EXPECT_FLOAT_EQ( Transform( "Guard1" ).mDirection, Tarn::kPi );
		EXPECT_EQ( MineMachine( "Guard1" ).mPatrol[0], Vector2( -1, 0 ) );

		// Out of the player's reach it goes back to watching, not into a chase.
		const int pause = FramesWhile( machine, STATE_PAUSE );
		EXPECT_NEAR( pause * kDt, 0.5f + 2 * kDt, 2 * kDt );
		EXPECT_EQ( machine.mState, STATE_NORMAL );
		EXPECT_EQ( machine.mInnerState, INNER_STATE_ON_ENTER );
		Frames( 10 );
		EXPECT_EQ( machine.mState, STATE_NORMAL );

		// On patrol within ten units of the player: through watching into the chase.
		Transform( "Player1" ).mPosition = { 5, 0 };
		machine.mState = STATE_DAZED;
		machine.mInnerState = INNER_STATE_ON_ENTER;
		EXPECT_EQ( StatesOver( machine, 6 ), ( std::vector<int32_t>{ STATE_DAZED, STATE_NORMAL, STATE_SEEK } ) );
		// And pausing, likewise, once it has stopped.
		Transform( "Guard1" ).mVelocity = {};
		machine.mState = STATE_PAUSE;
		machine.mInnerState = INNER_STATE_ON_ENTER;
		EXPECT_EQ( StatesOver( machine, 5 ), ( std::vector<int32_t>{ STATE_PAUSE, STATE_NORMAL, STATE_SEEK } ) );
	}

	TEST_F( Guards, TwoGuardsInContactPushEachOther )
	{
		AddGuard( "Guard1", { 0, 0 } );
		AddGuard( "Guard2", { 1.2f, 0 } );
		Add( "RangeGuard", "Ranged1", { 0, 1 } );
		Play();
		Transform( "Guard2" ).mVelocity = { 1, 0 };
		Transform( "Ranged1" ).mVelocity = { 0, 3 };
		Tarn::Services::Get<Physics::CollisionManager>()->Step( kDt );
		EXPECT_EQ( Transform( "Guard1" ).mVelocity, Vector2( 1, 0 ) );
		EXPECT_EQ( Transform( "Guard2" ).mVelocity, Vector2( 0, 0 ) );
		EXPECT_EQ( Transform( "Ranged1" ).mVelocity, Vector2( 0, 3 ) ) << "a ranged guard is not pushed";
	}

	// White guards: a gate that has matched red wants its red switches undone.
	class WhiteGuards : public Guards
	{
	protected:
		void SetUp() override
		{
			Guards::SetUp();
			Add( "Player", "Player1", { 60, 60 } );
		}
	};

	TEST_F( WhiteGuards, AClaimWithNoGateWantsNothing )
	{
		AddGuard( "Guard1", { 0, 0 }, Routine::WhiteGuard );
		// A guard a level starts on a walk, with nothing to walk to or come back to.
		AddGuard( "Guard2", { 0, 5 }, Routine::WhiteGuard, STATE_REPAIR );
		Play();
		SwitchComponent& red = MakeSwitch( "Trigger1", { 3, 0 }, ColourCode::Red, true );
		Machines().mPendingUndoCount = 1;
		EXPECT_EQ( WantedUndoColour( Machines() ), ColourCode::None );
		EXPECT_FALSE( ClaimSwitch( Machines(), Machine( "Guard1" ) ) );
		Frames( 10 );
		EXPECT_EQ( red.mClaimant, nullptr );
		EXPECT_EQ( Machine( "Guard1" ).mTarget, nullptr );
		EXPECT_EQ( Machines().mPendingUndoCount, 1 );
		Machines().mPendingUndoCount = 0;
		Frames( 2 );
		EXPECT_EQ( Machine( "Guard1" ).mState, STATE_NORMAL );
		EXPECT_EQ( Machine( "Guard2" ).mState, STATE_NORMAL );
	}

	TEST_F( WhiteGuards, AGuardWalksToItsSwitchStartsItsUndoAndHoldsTheOpenGate )
	{
		AddGuard( "Guard1", { 0, 0 }, Routine::WhiteGuard );
		Add( "MeleeGuard", "Guard2", { 0, 2 } ); // a plain guard never undoes anything
		Play();
		GateComponent& gate = MakeGate( "Gate", { ColourCode::Green, ColourCode::Red }, 2 );
		gate.mState = STATE_DIE;
		GateComponent& other = MakeGate( "Gate2", { ColourCode::Blue }, 1 );
		other.mState = STATE_DIE;
		SwitchComponent& green = MakeSwitch( "Trigger1", { 3, 0 }, ColourCode::Green, true );
		SwitchComponent& red = MakeSwitch( "Trigger2", { 0.5f, 0 }, ColourCode::Red, true );
		Machines().mPendingUndoCount = 1;
		StateMachineComponent& guard = Machine( "Guard1" );

		Frames( 1 );
		EXPECT_EQ( guard.mState, STATE_REPAIR );
		EXPECT_EQ( guard.mTarget, &red ) << "the colour the gate matched last";
		EXPECT_EQ( green.mClaimant, nullptr );
		EXPECT_EQ( Machines().mPendingUndoCount, 0 );
		EXPECT_EQ( guard.mSavedState, STATE_NORMAL );
		EXPECT_EQ( Machine( "Guard2" ).mState, STATE_NORMAL );

		Frames( 2 );
		EXPECT_EQ( red.mState, STATE_REPAIR );
		EXPECT_EQ( red.mInnerState, INNER_STATE_ON_ENTER );
		EXPECT_EQ( gate.mState, STATE_WAIT ) << "held open while the switch is undone";
		EXPECT_EQ( other.mState, STATE_DIE );
		// It stays until the switch lets it go.
		Frames( 10 );
		EXPECT_EQ( guard.mState, STATE_REPAIR );
		EXPECT_EQ( guard.mInnerState, INNER_STATE_ON_EXIT );
		EXPECT_EQ( red.mClaimant, &guard );
	}

	TEST_F( WhiteGuards, TheNearerOfTwoGuardsEndsUpWithTheSwitchAndTheFartherReturnsToWhatItDid )
	{
		AddGuard( "Far", { 0, 0 }, Routine::WhiteGuard );
		AddGuard( "Near", { 8, 0 }, Routine::WhiteGuard );
		Play();
		MakeGate( "Gate", { ColourCode::Red }, 1 );
		SwitchComponent& red = MakeSwitch( "Trigger1", { 10, 0 }, ColourCode::Red, true );
		Machines().mPendingUndoCount = 1;
		StateMachineComponent& far = Machine( "Far" );
		StateMachineComponent& near = Machine( "Near" );

		// The first in the list goes; the job is taken, so the other stays.
		Frames( 1 );
		EXPECT_EQ( red.mClaimant, &far );
		EXPECT_EQ( near.mState, STATE_NORMAL );
		// Stunned and let go, the nearer takes the switch over.
		StunGuard( near );
		FramesWhile( near, STATE_WAIT );
		EXPECT_EQ( near.mState, STATE_REPAIR );
		EXPECT_EQ( red.mClaimant, &near );
		EXPECT_EQ( far.mTarget, nullptr );
		Frames( 2 );
		EXPECT_EQ( far.mState, STATE_NORMAL );
		EXPECT_EQ( near.mSavedState, STATE_NORMAL );
		EXPECT_EQ( Machines().mPendingUndoCount, 0 ) << "one switch, one job";
		ExpectLinksAgree();
	}

	TEST_F( WhiteGuards, TakeOversKeepOneGuardAndOneJobForEachSwitch )
	{
		// Two red switches lit: two jobs. The first guard claims the nearer switch and the
		// second takes it over from it; the other job is still there for the third.
		AddGuard( "Far", { 20, 0 }, Routine::WhiteGuard );
		AddGuard( "Near", { 8, 0 }, Routine::WhiteGuard );
		AddGuard( "Third", { -30, 0 }, Routine::WhiteGuard );
		Play();
		MakeGate( "Gate", { ColourCode::Red }, 1 );
		SwitchComponent& first = MakeSwitch( "Trigger1", { 10, 0 }, ColourCode::Red, true );
		SwitchComponent& second = MakeSwitch( "Trigger2", { -10, 0 }, ColourCode::Red, true );
		Machines().mPendingUndoCount = 2;
		StateMachineComponent& far = Machine( "Far" );
		StateMachineComponent& near = Machine( "Near" );
		StateMachineComponent& third = Machine( "Third" );

		Frames( 4 );
		EXPECT_EQ( first.mClaimant, &near );
		EXPECT_EQ( second.mClaimant, &third );
		EXPECT_EQ( far.mState, STATE_NORMAL ) << "taken over, it went back to watching";
		EXPECT_EQ( Machines().mPendingUndoCount, 0 );
		ExpectLinksAgree();

		// The first guard, stunned nearer both switches than their guards, takes over
		// one of them only, counts it once and keeps watching, not a walk, as what it
		// goes back to.
		Transform( "Far" ).mPosition = { 9, 0 };
		StunGuard( far );
		FramesWhile( far, STATE_WAIT );
		Frames( 3 );
		EXPECT_EQ( far.mState, STATE_REPAIR );
		EXPECT_EQ( far.mSavedState, STATE_NORMAL );
		EXPECT_EQ( far.mTarget, &first );
		EXPECT_EQ( second.mClaimant, &third );
		EXPECT_EQ( near.mState, STATE_NORMAL );
		EXPECT_EQ( Machines().mPendingUndoCount, 0 );
		ExpectLinksAgree();
	}

	TEST_F( WhiteGuards, AStunnedGuardOnItsWayGivesTheJobBack )
	{
		AddGuard( "Guard1", { 0, 0 }, Routine::WhiteGuard );
		Add( "StunEffect", "Stun1", { -20, -20 } );
		Play();
		MakeGate( "Gate", { ColourCode::Blue }, 1 );
		SwitchComponent& blue = MakeSwitch( "Trigger1", { 10, 0 }, ColourCode::Blue, true );
		Machines().mPendingUndoCount = 1;
		StateMachineComponent& guard = Machine( "Guard1" );
		Frames( 3 );
		ASSERT_EQ( guard.mTarget, &blue );
		ASSERT_EQ( Machines().mPendingUndoCount, 0 );

		StunGuard( guard );
		Frames( 1 );
		EXPECT_EQ( Machines().mPendingUndoCount, 1 );
		EXPECT_EQ( blue.mClaimant, nullptr );
		EXPECT_EQ( guard.mTarget, &StunEffectOf( "Stun1" ) ) << "the stun effect in its place";
		// Let go, it claims the job again.
		FramesWhile( guard, STATE_WAIT );
		Frames( 2 );
		EXPECT_EQ( guard.mTarget, &blue );
		EXPECT_EQ( Machines().mPendingUndoCount, 0 );
	}

	TEST_F( WhiteGuards, NoLinkOutlivesEitherSide )
	{
		AddGuard( "Guard1", { 0, 0 }, Routine::WhiteGuard );
		AddGuard( "Guard2", { 0, 3 }, Routine::WhiteGuard );
		Add( "StunEffect", "Stun1", { -20, -20 } );
		Play();
		SwitchComponent& one = MakeSwitch( "Trigger1", { 5, 0 }, ColourCode::Red, true );
		SwitchComponent& two = MakeSwitch( "Trigger2", { 5, 5 }, ColourCode::Red, true );
		StateMachineComponent& guard = Machine( "Guard1" );

		// A guard holds one switch, a switch one guard.
		Link( guard, one );
		Link( guard, two );
		EXPECT_EQ( one.mClaimant, nullptr );
		EXPECT_EQ( two.mClaimant, &guard );
		Link( Machine( "Guard2" ), two );
		EXPECT_EQ( guard.mTarget, nullptr );
		ExpectLinksAgree();

		// Whichever side is destroyed, the other forgets it.
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		objects.DestroyObject( "Guard2" );
		objects.ProcessDestroyQueue();
		EXPECT_EQ( two.mClaimant, nullptr );
		StunGuard( guard );
		Frames( 1 );
		ASSERT_EQ( guard.mTarget, &StunEffectOf( "Stun1" ) );
		objects.DestroyObject( "Stun1" );
		objects.ProcessDestroyQueue();
		EXPECT_EQ( guard.mTarget, nullptr );
		Frames( 200 );
		EXPECT_EQ( guard.mState, STATE_NORMAL );
	}
}
