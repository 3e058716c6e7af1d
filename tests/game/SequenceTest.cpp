// The player's exit and death, the hit fade, the tutorial's prompts and hint fader and
// the ranged guard, in the headless game from levels made by the level builder.
#include "Core/Object.h"
#include "Game/ScoreManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/StatsComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/RangedComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateMachineManager.h"
#include "core/Services.h"
#include "support/EnemyLevel.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
	using namespace StateMachines;
	using Tarn::Vector2;

	// A sign of the tutorial: a picture and its machine.
	class TutorialSign : public Tarn::Object
	{
		TARN_CLASS_NAME( TestTutorialSign )

	public:
		void Initialise() override
		{
			static const char* const kParts[] = { "TransformComponent", "MeshComponent", "StateMachineComponent" };
			mComponents.AddComponents( kParts );
		}
		void Shutdown() override {}
	};

	// A guard that keeps its distance: no object of the game carries a ranged machine.
	class Sniper : public Tarn::Object
	{
		TARN_CLASS_NAME( TestSniper )

	public:
		void Initialise() override
		{
			static const char* const kParts[] = { "TransformComponent", "EmitterComponent", "RangedComponent" };
			mComponents.AddComponents( kParts );
		}
		void Shutdown() override {}
	};

	class Sequences : public KelvaneTest::EnemyLevel
	{
	protected:
		void SetUp() override
		{
			EnemyLevel::SetUp();
			KelvaneTest::RegisterObjectType<TutorialSign>();
			KelvaneTest::RegisterObjectType<Sniper>();
		}

		// Frames until the machine's phase or state is no longer the one given.
		template <typename Machine, typename Field>
		int FramesWhile( const Machine& machine, Field Machine::*field, int32_t value, int limit = 400 )
		{
			int frames = 0;
			for ( ; static_cast<int32_t>( machine.*field ) == value && frames < limit; ++frames )
				Frames( 1 );
			return frames;
		}

		Tarn::Object* AddWithMachine( const char* type, const char* name, int32_t ai, StateType state )
		{
			Tarn::Object* object = Add( type, name, { 0, 0 } );
			object->GetComponent<StateMachineComponent>()->mAI = ai;
			object->GetComponent<StateMachineComponent>()->mState = state;
			return object;
		}

		static Graphics::MeshComponent& Mesh( const char* name ) { return *Find( name ).GetComponent<Graphics::MeshComponent>(); }
	};

	TEST_F( Sequences, WinningDrawsTheShipIntoTheExitOutwardFirstEveryTimeAndEndsTheLevelOnce )
	{
		Add( "Player", "Player1", { 3, 0 } );
		Play();
		MakeGate( "Gate", { ColourCode::Red }, 1 );
		Transform( "Gate" ).mPosition = { 1, 0 };
		Tarn::TransformComponent& ship = Transform( "Player1" );
		StateMachineComponent& machine = Machine( "Player1" );
		KelvaneTest::LogCapture log;

		auto win = [&]() {
			ship.mXScaleFactor = ship.mYScaleFactor = 2.0f;
			machine.mState = STATE_FLEE;
			machine.mInnerState = INNER_STATE_ON_ENTER;
			Frames( 1 );
		};
		auto radius = [&]() { return Tarn::Length( ship.mPosition - Vector2( 1, 0 ) ); };
		win();
		float widest = 0.0f;
		int frames = 1;
		for ( ; machine.mInnerState == INNER_STATE_ON_UPDATE && frames < 400; ++frames )
		{
			Frames( 1 );
			widest = std::max( widest, radius() );
		}
		EXPECT_NEAR( frames * kDt, 2.0f / 0.5f + kDt, 2 * kDt ) << "the ship shrinks to nothing in four seconds";
		EXPECT_LE( ship.mXScaleFactor, 0.0f );
		EXPECT_NEAR( widest, 1.5f, 0.02f );
		EXPECT_LT( radius(), 0.1f ) << "and ends at the exit";
		EXPECT_FALSE( Score().IsShowing() );
		Frames( 20 );
		EXPECT_EQ( log.CountOf( "Level 3 won, score 4300" ), 1u );
		EXPECT_TRUE( Score().IsShowing() );
		EXPECT_EQ( machine.mState, STATE_FLEE );

		// A second win spirals out first again, as the first did.
		win();
		Frames( 10 );
		EXPECT_GT( radius(), 1.0f + 0.5f * 9 * kDt - 1e-4f );
	}

	TEST_F( Sequences, DyingFreezesTheGuardsAndEndsTheLevelASecondLater )
	{
		Add( "Player", "Player1", { 0, 0 } );
		AddWithMachine( "MeleeGuard", "Guard1", Routine::Guard, STATE_SEEK );
		AddWithMachine( "MeleeGuard", "Guard2", Routine::WhiteGuard, STATE_NORMAL );
		Add( "StunEffect", "Stun1", { 9, 9 } );
		Play();
		StateMachineComponent& machine = Machine( "Player1" );
		StateMachineComponent& stunned = Machine( "Guard2" );
		stunned.mState = STATE_WAIT;
		Frames( 2 );
		ASSERT_NE( stunned.mTarget, nullptr );
		KelvaneTest::LogCapture log;

		machine.mState = STATE_DIE;
		machine.mInnerState = INNER_STATE_ON_ENTER;
		Frames( 1 );
		EXPECT_TRUE( Find( "Player1" ).GetComponent<Physics::CollisionComponent>()->mInvulnerable );
		EXPECT_EQ( Machine( "Guard1" ).mState, STATE_FLEE );
		EXPECT_EQ( stunned.mState, STATE_FLEE );
		EXPECT_EQ( stunned.mTarget, nullptr ) << "a frozen guard gives its stun effect back";
		EXPECT_FALSE( Transform( "Stun1" ).mActive );
		const int dying = FramesWhile( machine, &StateMachineComponent::mInnerState, INNER_STATE_ON_UPDATE ) + 1;
		EXPECT_NEAR( dying * kDt, 1.0f + kDt, 2 * kDt );
		EXPECT_FALSE( log.Contains( "Level 3 lost" ) );
		Frames( 20 );
		EXPECT_EQ( log.CountOf( "Level 3 lost" ), 1u );
		EXPECT_EQ( Machine( "Guard1" ).mState, STATE_FLEE );
		EXPECT_FLOAT_EQ( Machine( "Guard1" ).mPulseRate, 0.2f );
	}

	TEST_F( Sequences, AHitFadedPartReddensForASecondThenLeavesPlay )
	{
		AddWithMachine( "RangeGuard", "Rock1", Routine::HitFade1, STATE_NONE );
		Play();
		auto& stats = *Find( "Rock1" ).GetComponent<Physics::StatsComponent>();
		Tarn::TransformComponent& at = Transform( "Rock1" );
		at.mActive = true;
		at.mVelocity = { 1, 1 };
		Frames( 10 );
		EXPECT_FLOAT_EQ( Mesh( "Rock1" ).mColour.r, 1.0f ) << "nothing until its stats mark it destroyed";

		stats.mSelfDestruct = true;
		Frames( 31 );
		EXPECT_NEAR( Mesh( "Rock1" ).mColour.r, 1.0f + 4.0f * 31 * kDt, 1e-4f );
		EXPECT_TRUE( at.mActive );
		const int fading = FramesWhile( at, &Tarn::TransformComponent::mActive, true ) + 31;
		EXPECT_NEAR( fading * kDt, 1.0f, kDt );
		EXPECT_FALSE( Mesh( "Rock1" ).mVisible );
		EXPECT_FLOAT_EQ( Mesh( "Rock1" ).mColour.r, 1.0f );
		EXPECT_EQ( at.mVelocity, Vector2() );
		EXPECT_FLOAT_EQ( Machine( "Rock1" ).mStateTimer, 0.0f );
	}

	TEST_F( Sequences, TheHintFaderShowsWhileItsFlagIsUp )
	{
		AddWithMachine( "TestTutorialSign", "Hint1", Routine::HintFader, STATE_NONE );
		Play();
		Graphics::MeshComponent& mesh = Mesh( "Hint1" );
		mesh.mColour.a = 0.0f;
		mesh.mVisible = false;
		Machine( "Hint1" ).mActionFlag = true;
		Frames( 1 );
		EXPECT_TRUE( mesh.mVisible );
		EXPECT_NEAR( mesh.mColour.a, 2.5f * kDt, 1e-5f );
		Frames( 60 );
		EXPECT_GT( mesh.mColour.a, 0.8f );
		EXPECT_LE( mesh.mColour.a, 0.8f + 2.5f * kDt );

		Machine( "Hint1" ).mActionFlag = false;
		Frames( 10 );
		EXPECT_TRUE( mesh.mVisible );
		EXPECT_NEAR( mesh.mColour.a, 0.8f - 2.5f * 10 * kDt, 2.5f * kDt );
		Frames( 30 );
		EXPECT_FLOAT_EQ( mesh.mColour.a, 0.0f );
		EXPECT_FALSE( mesh.mVisible );
	}

	TEST_F( Sequences, ThePromptsWaitFadeInAndAreDismissedByTheirMessages )
	{
		Tarn::Object* keys = AddWithMachine( "TestTutorialSign", "WASD", Routine::Prompt1, STATE_NORMAL );
		Tarn::Object* click = AddWithMachine( "TestTutorialSign", "BeamClick", Routine::Prompt2, STATE_NONE );
		keys->GetComponent<StateMachineComponent>()->mStateTimer = 0.5f;
		click->GetComponent<StateMachineComponent>()->mStateTimer = 0.25f;
		for ( Tarn::Object* sign : { keys, click } )
			sign->GetComponent<Graphics::MeshComponent>()->mColour.a = 0.0f;
		Play();
		StateMachineComponent& movement = Machine( "WASD" );
		StateMachineComponent& beam = Machine( "BeamClick" );

		const int delay = FramesWhile( movement, &StateMachineComponent::mState, STATE_NORMAL );
		EXPECT_NEAR( delay * kDt, 0.5f + 2 * kDt, 2 * kDt );
		Frames( 80 );
		EXPECT_FLOAT_EQ( Mesh( "WASD" ).mColour.a, 1.0f ) << "faded in, and there it stays";
		EXPECT_EQ( movement.mState, STATE_ENGAGE );
		EXPECT_EQ( beam.mState, STATE_NONE );

		// The ship has moved: the movement prompt goes, the beam prompt comes.
		Machines().RaiseMessage( Message::MovementPromptDone );
		const int fading = FramesWhile( movement, &StateMachineComponent::mState, STATE_DIE );
		EXPECT_NEAR( fading * kDt, 1.0f / 1.5f + 2 * kDt, 2 * kDt );
		EXPECT_EQ( movement.mState, STATE_NONE );
		EXPECT_FLOAT_EQ( Mesh( "WASD" ).mColour.a, 0.0f );
		EXPECT_EQ( beam.mState, STATE_ENGAGE );
		EXPECT_GT( Mesh( "BeamClick" ).mColour.a, 0.0f );

		// The beam has been fired: the beam prompt goes too.
		Frames( 80 );
		Machines().RaiseMessage( Message::BeamPromptDone );
		FramesWhile( beam, &StateMachineComponent::mState, STATE_DIE );
		EXPECT_EQ( beam.mState, STATE_NONE );
		EXPECT_FLOAT_EQ( Mesh( "BeamClick" ).mColour.a, 0.0f );

		// The ship steers on: both prompts stay gone.
		for ( int step = 0; step < 40; ++step )
		{
			Machines().RaiseMessage( Message::MovementPromptDone );
			Frames( 1 );
		}
		EXPECT_EQ( movement.mState, STATE_NONE );
		EXPECT_EQ( beam.mState, STATE_NONE );
		EXPECT_FLOAT_EQ( Mesh( "BeamClick" ).mColour.a, 0.0f );
	}

	TEST_F( Sequences, ARangedGuardAimsForTwoSecondsWindsUpAndLunges )
	{
		Add( "Player", "Player1", { 0, 5 } );
		Add( "TestSniper", "Sniper1", { 0, 0 } );
		Play();
		auto& machine = *Find( "Sniper1" ).GetComponent<RangedComponent>();
		Tarn::TransformComponent& at = Transform( "Sniper1" );
		machine.mState = STATE_NORMAL;
		machine.mInnerState = INNER_STATE_ON_ENTER;

		Frames( 3 );
		EXPECT_EQ( machine.mState, STATE_SEEK );
		EXPECT_NEAR( at.mDirection, 1.5707964f, 1e-5f ) << "facing the player";
		const int aiming = FramesWhile( machine, &RangedComponent::mState, STATE_SEEK );
		EXPECT_NEAR( aiming * kDt, 2.0f + 2 * kDt, 2 * kDt );
		Frames( 1 );
		EXPECT_TRUE( machine.mFireFlag );
		FramesWhile( machine, &RangedComponent::mState, STATE_ENGAGE );
		EXPECT_NEAR( at.mVelocity.Y, 20.0f, 1e-4f );
		Frames( 1 );
		EXPECT_FALSE( machine.mFireFlag );

		// Stunned for two seconds; sent to undo a switch, it has none to go to.
		machine.mState = STATE_WAIT;
		machine.mInnerState = INNER_STATE_ON_ENTER;
		Frames( 1 );
		EXPECT_FALSE( Find( "Sniper1" ).GetComponent<Graphics::EmitterComponent>()->mEmitComplete );
		const int stunned = FramesWhile( machine, &RangedComponent::mState, STATE_WAIT ) + 1;
		EXPECT_NEAR( stunned * kDt, 2.0f + 2 * kDt, 2 * kDt );
		machine.mState = STATE_REPAIR;
		Frames( 1 );
		EXPECT_EQ( machine.mState, STATE_NORMAL );
	}
}
