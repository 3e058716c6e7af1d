// The colour puzzle in the headless game: switches, gates, enemy gates and the sparks
// between them, from levels made by the level builder, written and played again, their
// machines stepped through the state-machine manager and, where a spark must be caught,
// the whole game's collision passes. A cone's light is given as the shadow service gives
// it: the switch's charge colour and its charging state.
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "GameStates/SoundManager.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/ColourGlyphComponent.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/GateRoutines.h"
#include "StateMachines/GuardRoutines.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateMachineManager.h"
#include "StateMachines/SwitchComponent.h"
#include "StateMachines/SwitchLinks.h"
#include "StateMachines/SwitchRoutines.h"
#include "core/Services.h"
#include "support/EnemyLevel.h"
#include "Platform/TweakBar.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace
{
	using namespace StateMachines;
	using Physics::CollisionComponent;
	using Tarn::Vector2;

	constexpr int kLimit = 600;

	class Puzzle : public KelvaneTest::EnemyLevel
	{
	protected:
		Tarn::Object* AddSwitch( const char* name, Vector2 at, int32_t colour )
		{
			Tarn::Object* object = Add( "Switch", name, at );
			object->GetComponent<SwitchComponent>()->mSwitchColour = colour;
			return object;
		}

		Tarn::Object* AddGate( const char* name, Vector2 at, std::initializer_list<int32_t> targets, const char* type = "Gate" )
		{
			Tarn::Object* object = Add( type, name, at );
			auto* gate = object->GetComponent<GateComponent>();
			size_t i = 0;
			for ( int32_t colour : targets )
				gate->mTargetList[i++] = colour;
			return object;
		}

		// The pooled sparks of a level, out of play.
		void AddSparks( int count )
		{
			for ( int i = 1; i <= count; ++i )
				Add( "SwitchEffect", ( "SwitchEffect" + std::to_string( i ) ).c_str(), { -30, -30 } );
		}

		static SwitchComponent& SwitchOf( const char* name ) { return *Find( name ).GetComponent<SwitchComponent>(); }
		static GateComponent& GateOf( const char* name ) { return *Find( name ).GetComponent<GateComponent>(); }
		static Graphics::MeshComponent& Mesh( const char* name ) { return *Find( name ).GetComponent<Graphics::MeshComponent>(); }
		static Graphics::EmitterComponent& Emitter( const char* name )
		{
			return *Find( name ).GetComponent<Graphics::EmitterComponent>();
		}
		static CollisionComponent& Collider( const char* name ) { return *Find( name ).GetComponent<CollisionComponent>(); }
		static float Charge( const char* name ) { return ColourCode::Intensity( Mesh( name ).mColour, SwitchOf( name ).mSwitchColour ); }

		// A cone of the switch's own colour on it, as the shadow service lights it: an idle
		// switch takes the colour as its charge and starts charging.
		static void Shine( SwitchComponent& target )
		{
			if ( target.mState != STATE_NORMAL )
				return;
			target.mChargeColour = target.mSwitchColour;
			target.mState = STATE_WAIT;
			target.mInnerState = INNER_STATE_ON_ENTER;
		}

		// Shines on the switch frame by frame until it has charged and made up its mind
		// (lit, or wrong); the answer is the frames it took.
		int LightUp( const char* name )
		{
			SwitchComponent& target = SwitchOf( name );
			int frames = 0;
			for ( ; frames < kLimit && ( target.mState == STATE_NORMAL || target.mState == STATE_WAIT ||
			                             target.mInnerState == INNER_STATE_ON_ENTER );
			      ++frames )
			{
				Shine( target );
				Frames( 1 );
			}
			return frames;
		}

		// Whole steps of the game (sparks fly, gates catch them) until `done` holds.
		template <typename Done>
		int StepsUntil( Done&& done )
		{
			int steps = 0;
			for ( ; steps < kLimit && !done(); ++steps )
				Steps( 1 );
			return steps;
		}

		template <typename Machine>
		int FramesWhile( const Machine& machine, int32_t state )
		{
			int frames = 0;
			for ( ; frames < kLimit && machine.mState == state; ++frames )
				Frames( 1 );
			return frames;
		}

		// The sparks that fly now.
		std::vector<const MineComponent*> SparksInFlight() const
		{
			std::vector<const MineComponent*> flying;
			for ( const MineComponent* spark : Machines().Mines() )
				if ( spark->mAI == Routine::SwitchEffectSpark && spark->mState == STATE_NORMAL )
					flying.push_back( spark );
			return flying;
		}

		static Platform::Channel SoundChannel( const char* path )
		{
			auto* sounds = Tarn::Services::Get<Tarn::SoundManager>();
			Tarn::SoundManager::SoundEntry* entry = sounds ? sounds->GetSound( path ) : nullptr;
			return entry ? entry->second : Platform::Channel();
		}

		static int Frame( const char* name )
		{
			return Find( name ).GetComponent<Graphics::AnimationComponent>()->GetCurrentFrame();
		}

		static void ExpectColour( const Tarn::Colour& colour, float r, float g, float b )
		{
			EXPECT_FLOAT_EQ( colour.r, r );
			EXPECT_FLOAT_EQ( colour.g, g );
			EXPECT_FLOAT_EQ( colour.b, b );
		}
	};

	std::vector<std::string> PartsOf( const Tarn::Object& object )
	{
		std::vector<std::string> parts;
		for ( const Tarn::ObjectComponent* part : object.mComponents.Components() )
			parts.push_back( part->mType.GetName() );
		return parts;
	}

	TEST_F( Puzzle, ThePiecesComeBackFromTheLevelFileAssembledWithTheirStartValues )
	{
		AddSwitch( "Trigger1", { 0, 0 }, ColourCode::Blue );
		AddGate( "Gate", { 5, 0 }, { ColourCode::Red, ColourCode::Green } );
		AddGate( "EGate1", { -5, 0 }, { ColourCode::Blue }, "EnemyGate" )->GetComponent<GateComponent>()->mContent = 2;
		Add( "InanimateObject", "Prism1", { 0, 5 } );
		Add( "BeamEffect", "BeamEffect1", { 0, 0 } );
		Play();

		// A switch is an objective marker too.
		EXPECT_EQ( PartsOf( Find( "Trigger1" ) ),
		           ( std::vector<std::string>{ "TransformComponent", "MeshComponent", "CollisionComponent",
		                                       "CollisionDebugComponent", "ObjectiveMarkerComponent", "SwitchComponent",
		                                       "EmitterComponent", "ColourGlyphComponent" } ) );
		EXPECT_EQ( PartsOf( Find( "Gate" ) ),
		           ( std::vector<std::string>{ "TransformComponent", "MeshComponent", "CollisionComponent", "GateComponent",
		                                       "CollisionDebugComponent", "AnimationComponent", "EmitterComponent",
		                                       "ColourGlyphComponent" } ) );
		EXPECT_EQ( PartsOf( Find( "EGate1" ) ),
		           ( std::vector<std::string>{ "TransformComponent", "MeshComponent", "CollisionComponent", "GateComponent",
		                                       "CollisionDebugComponent", "AnimationComponent", "ColourGlyphComponent" } ) );
		EXPECT_EQ( PartsOf( Find( "Prism1" ) ),
		           ( std::vector<std::string>{ "TransformComponent", "MeshComponent", "CollisionComponent", "VertexComponent",
		                                       "AnimationComponent", "CollisionDebugComponent", "EmitterComponent",
		                                       "MineComponent" } ) );
		EXPECT_EQ( PartsOf( Find( "BeamEffect1" ) ),
		           ( std::vector<std::string>{ "TransformComponent", "MeshComponent", "BeamEffectComponent" } ) );

		EXPECT_EQ( Mesh( "Trigger1" ).GetTextureName(), kSwitchTexture );
		EXPECT_EQ( Mesh( "Trigger1" ).mDrawOrder, 1 );
		EXPECT_EQ( SwitchOf( "Trigger1" ).mSwitchColour, ColourCode::Blue ) << "kept by the file";
		EXPECT_EQ( SwitchOf( "Trigger1" ).mState, STATE_NORMAL );
		for ( const char* gate : { "Gate", "EGate1" } )
		{
			EXPECT_TRUE( Mesh( gate ).mVisible ) << gate;
			EXPECT_EQ( Mesh( gate ).mDrawOrder, 2 ) << gate;
			EXPECT_EQ( Frame( gate ), 0 ) << gate;
			EXPECT_EQ( GateOf( gate ).mState, STATE_NORMAL ) << gate;
			EXPECT_EQ( GateOf( gate ).mTargetPosition, 0 ) << gate;
		}
		EXPECT_EQ( GateOf( "Gate" ).mAI, Routine::Gate );
		EXPECT_FALSE( GateOf( "Gate" ).mIsEnemy );
		EXPECT_EQ( GateOf( "EGate1" ).mAI, Routine::EnemyGate );
		EXPECT_TRUE( GateOf( "EGate1" ).mIsEnemy );
		EXPECT_EQ( GateOf( "EGate1" ).mContent, 2 );
		EXPECT_EQ( GateOf( "Gate" ).TargetCount(), 2 );
		EXPECT_EQ( MineMachine( "Prism1" ).mAI, Routine::GleamTile );

		// The glyphs show the switch's colour, and the gate's colours in order, the one it
		// wants next the largest.
		const auto switchRow = Find( "Trigger1" ).GetComponent<Graphics::ColourGlyphComponent>()->Shown();
		ASSERT_EQ( switchRow.mCount, 1u );
		EXPECT_EQ( switchRow.mGlyphs[0].mCode, ColourCode::Blue );
		const auto gateRow = Find( "Gate" ).GetComponent<Graphics::ColourGlyphComponent>()->Shown();
		ASSERT_EQ( gateRow.mCount, 2u );
		EXPECT_EQ( gateRow.mGlyphs[0].mCode, ColourCode::Red );
		EXPECT_EQ( gateRow.mGlyphs[1].mCode, ColourCode::Green );
		EXPECT_GT( gateRow.mGlyphs[0].mScale, gateRow.mGlyphs[1].mScale );
	}

	TEST_F( Puzzle, GreenThenRedOpensTheGateAndRedFirstIsWrongAndDischargesFast )
	{
		AddSwitch( "Red", { 0, 3 }, ColourCode::Red );
		AddSwitch( "Green", { 0, -3 }, ColourCode::Green );
		AddGate( "Gate", { 10, 0 }, { ColourCode::Green, ColourCode::Red } );
		// The barrier comes after the gate in the file, and is found all the same.
		Add( "GateBarrier", "Barrier", { 10, 0 } );
		AddSparks( 2 );
		Play();
		GateComponent& gate = GateOf( "Gate" );
		const Platform::Channel wrongBefore = SoundChannel( kWrongSwitchSound );

		// Red first: wrong, with its sound, and it discharges at 3 a second to rest.
		LightUp( "Red" );
		EXPECT_EQ( SwitchOf( "Red" ).mState, STATE_END );
		EXPECT_FALSE( SoundChannel( kWrongSwitchSound ) == wrongBefore ) << "the wrong-switch sound played";
		EXPECT_EQ( gate.mTargetPosition, 0 );
		EXPECT_TRUE( SparksInFlight().empty() );
		EXPECT_EQ( Machines().mPendingUndoCount, 0 );
		Frames( 1 );
		const float charge = Charge( "Red" );
		Frames( 1 );
		EXPECT_NEAR( charge - Charge( "Red" ), 3.0f * kDt, 1e-5f );
		FramesWhile( SwitchOf( "Red" ), STATE_END );
		EXPECT_EQ( SwitchOf( "Red" ).mState, STATE_NORMAL );
		EXPECT_LE( Charge( "Red" ), kRestCharge + 3.0f * kDt );

		// Green: lit, the gate takes it, a spark flies to the gate in the switch's colour.
		LightUp( "Green" );
		EXPECT_EQ( SwitchOf( "Green" ).mState, STATE_DIE );
		EXPECT_GE( Charge( "Green" ), kLitCharge );
		EXPECT_EQ( gate.mTargetPosition, 1 );
		EXPECT_EQ( Machines().mPendingUndoCount, 1 ) << "one job for the white guards";
		ASSERT_EQ( SparksInFlight().size(), 1u );
		const MineComponent& spark = *SparksInFlight().front();
		EXPECT_FLOAT_EQ( spark.mPatrol[0].X, 10.0f );
		EXPECT_TRUE( spark.mOwner->GetComponent<Tarn::TransformComponent>()->mActive );
		EXPECT_FALSE( spark.mOwner->GetComponent<CollisionComponent>()->mInvulnerable );
		EXPECT_FLOAT_EQ( spark.mOwner->GetComponent<Graphics::EmitterComponent>()->mPixelShaderColorStart.g,
		                 Mesh( "Green" ).mColour.g );
		StepsUntil( [&]() { return spark.mOwner->GetComponent<CollisionComponent>()->mInvulnerable; } );
		EXPECT_TRUE( spark.mOwner->GetComponent<CollisionComponent>()->mInvulnerable ) << "caught by the gate";
		ExpectColour( Emitter( "Gate" ).mPixelShaderColorStart, kWantedGlow, 1.0f, 1.0f );
		EXPECT_EQ( gate.mState, STATE_NORMAL ) << "one colour is still wanted";

		// Red now: lit, and once its spark is in the gate opens.
		Frames( 2 );
		LightUp( "Red" );
		EXPECT_EQ( SwitchOf( "Red" ).mState, STATE_DIE );
		EXPECT_EQ( gate.mTargetPosition, 2 );
		EXPECT_EQ( gate.WantedColour(), ColourCode::None );
		StepsUntil( [&]() { return gate.mState == STATE_DIE; } );
		Frames( 1 );
		EXPECT_EQ( gate.mState, STATE_DIE );
		EXPECT_FALSE( Collider( "Gate" ).mDefault ) << "no longer solid";
		EXPECT_EQ( Frame( "Gate" ), 3 );
		EXPECT_FLOAT_EQ( Emitter( "Gate" ).mEmitLifeTime, 0.1f );
		EXPECT_EQ( Machine( "Barrier" ).mState, STATE_DIE );
		EXPECT_EQ( Machines().mPendingUndoCount, 2 );
	}

	TEST_F( Puzzle, AGateOpensOverTwoSecondsThroughItsFramesAndAPlayerInItHoldsItsClosingOneFrame )
	{
		AddGate( "Gate", { 0, 0 }, { ColourCode::Blue } );
		Add( "GateBarrier", "Barrier", { 0, 0 } );
		Play();
		GateComponent& gate = GateOf( "Gate" );
		gate.mTargetPosition = 1;
		ColourArrived( gate );
		EXPECT_EQ( gate.mState, STATE_ENGAGE );
		std::vector<int> frames{ Frame( "Gate" ) };
		int opening = 0;
		for ( ; opening < kLimit && gate.mState != STATE_DIE; ++opening )
		{
			Frames( 1 );
			if ( frames.back() != Frame( "Gate" ) )
				frames.push_back( Frame( "Gate" ) );
		}
		EXPECT_EQ( frames, ( std::vector<int>{ 0, 1, 2 } ) );
		EXPECT_NEAR( opening * kDt, 2.0f, 4 * kDt );
		Frames( 1 );
		EXPECT_EQ( Frame( "Gate" ), 3 );
		const Platform::Channel portal = SoundChannel( kPortalOpenSound );
		// Opened again while its sound still plays, the sound is not started anew.
		gate.mState = STATE_DIE;
		gate.mInnerState = INNER_STATE_ON_ENTER;
		Frames( 1 );
		EXPECT_TRUE( SoundChannel( kPortalOpenSound ) == portal );

		// Closing with the ship in it: held one frame, the flag used up.
		gate.mState = STATE_REPAIR;
		gate.mInnerState = INNER_STATE_ON_ENTER;
		gate.mPauseGate = true;
		Frames( 1 );
		EXPECT_EQ( gate.mInnerState, INNER_STATE_ON_ENTER );
		EXPECT_FALSE( gate.mPauseGate );
		EXPECT_FALSE( Collider( "Gate" ).mDefault );
		Frames( 1 );
		EXPECT_EQ( gate.mInnerState, INNER_STATE_ON_UPDATE );
		EXPECT_TRUE( Collider( "Gate" ).mDefault );
		EXPECT_EQ( Machine( "Barrier" ).mState, STATE_NORMAL );
		FramesWhile( gate, STATE_REPAIR );
		Frames( 1 );
		EXPECT_EQ( gate.mState, STATE_NORMAL );
		EXPECT_EQ( Frame( "Gate" ), 0 );
	}

	TEST_F( Puzzle, UndoingTheLastMatchClosesTheOpenGateAndAnEarlierOneLeavesItOpen )
	{
		AddSwitch( "Green", { 0, 3 }, ColourCode::Green );
		AddSwitch( "Red", { 0, -3 }, ColourCode::Red );
		// Far enough that the first spark is still on its way when the second switch lights.
		AddGate( "Gate", { 20, 0 }, { ColourCode::Green, ColourCode::Red } );
		Add( "MeleeGuard", "Guard1", { 0, 0 } );
		AddSparks( 2 );
		Play();
		GateComponent& gate = GateOf( "Gate" );
		// The guard undoing them: linked by the test, not sent by the pending count.
		StateMachineComponent& guard = Machine( "Guard1" );
		LightUp( "Green" );
		LightUp( "Red" );
		StepsUntil( [&]() { return gate.mState == STATE_DIE; } );
		ASSERT_EQ( gate.mState, STATE_DIE );
		Machines().mPendingUndoCount = 0; // no guard goes on its own

		// Undoing green, an earlier match, leaves the open gate as it is.
		Link( guard, SwitchOf( "Green" ) );
		SwitchOf( "Green" ).mState = STATE_REPAIR;
		SwitchOf( "Green" ).mInnerState = INNER_STATE_ON_ENTER;
		FramesWhile( SwitchOf( "Green" ), STATE_REPAIR );
		EXPECT_EQ( SwitchOf( "Green" ).mState, STATE_NORMAL );
		EXPECT_EQ( SwitchOf( "Green" ).mClaimant, nullptr );
		EXPECT_EQ( guard.mTarget, nullptr );
		EXPECT_EQ( gate.mTargetPosition, 2 );
		EXPECT_EQ( gate.mState, STATE_DIE );

		// Undoing red, the last, takes it back: the gate wants red again and closes.
		Link( guard, SwitchOf( "Red" ) );
		SwitchOf( "Red" ).mState = STATE_REPAIR;
		SwitchOf( "Red" ).mInnerState = INNER_STATE_ON_ENTER;
		const int undoing = FramesWhile( SwitchOf( "Red" ), STATE_REPAIR );
		// From a charge of 2.5 down to 1 at half a unit a second.
		EXPECT_NEAR( undoing * kDt, 3.0f, 6 * kDt );
		EXPECT_EQ( guard.mState, STATE_NORMAL ) << "the switch lets its guard go";
		EXPECT_EQ( gate.mTargetPosition, 1 );
		EXPECT_EQ( gate.mState, STATE_REPAIR );
		ExpectColour( Emitter( "Gate" ).mPixelShaderColorStart, kWantedGlow, 1.0f, 1.0f );
		FramesWhile( gate, STATE_REPAIR );
		EXPECT_EQ( gate.mState, STATE_NORMAL );
		EXPECT_TRUE( Collider( "Gate" ).mDefault );
	}

	TEST_F( Puzzle, ACorrectSwitchRescuesOneBeingUndone )
	{
		AddSwitch( "Blue", { 0, 3 }, ColourCode::Blue );
		AddSwitch( "Red", { 0, -3 }, ColourCode::Red );
		AddGate( "Gate", { 10, 0 }, { ColourCode::Blue, ColourCode::Red, ColourCode::Green } );
		Add( "MeleeGuard", "Guard1", { 0, 2.5f } );
		AddSparks( 2 );
		Play();
		StateMachineComponent& guard = Machine( "Guard1" );
		guard.mAI = Routine::WhiteGuard;
		LightUp( "Blue" );
		// The guard has reached the blue switch and undoes it.
		Frames( 3 );
		ASSERT_EQ( guard.mTarget, &SwitchOf( "Blue" ) );
		FramesWhile( SwitchOf( "Blue" ), STATE_DIE );
		ASSERT_EQ( SwitchOf( "Blue" ).mState, STATE_REPAIR );
		Frames( 20 );
		ASSERT_LT( Charge( "Blue" ), kLitCharge );
		const int32_t owed = Machines().mPendingUndoCount;

		// Red matches: blue is lit again at once, without matching anew, and its guard
		// lets go with the job owed again.
		LightUp( "Red" );
		EXPECT_EQ( GateOf( "Gate" ).mTargetPosition, 2 );
		EXPECT_EQ( SwitchOf( "Blue" ).mState, STATE_DIE );
		EXPECT_EQ( SwitchOf( "Blue" ).mClaimant, nullptr );
		EXPECT_FLOAT_EQ( Charge( "Blue" ), kLitCharge );
		ExpectColour( Mesh( "Blue" ).mColour, 1.0f, 1.0f, kLitCharge );
		EXPECT_NE( guard.mTarget, &SwitchOf( "Blue" ) );
		EXPECT_EQ( Machines().mPendingUndoCount, owed + 2 ) << "one for red, one given back for blue";
		EXPECT_EQ( SparksInFlight().size(), 1u ) << "red's; the rescue sends none";
	}

	TEST_F( Puzzle, TwoGatesWantingOneColourBothAdvanceWithASparkEachAndOneJob )
	{
		AddSwitch( "Blue", { 0, 0 }, ColourCode::Blue );
		AddGate( "Gate", { 10, 0 }, { ColourCode::Blue, ColourCode::Green, ColourCode::None } );
		AddGate( "Gate2", { -10, 0 }, { ColourCode::Blue, ColourCode::Blue } );
		AddSparks( 3 );
		Play();
		LightUp( "Blue" );
		EXPECT_EQ( GateOf( "Gate" ).mTargetPosition, 1 );
		EXPECT_EQ( GateOf( "Gate2" ).mTargetPosition, 1 );
		EXPECT_EQ( Machines().mPendingUndoCount, 1 );
		ASSERT_EQ( SparksInFlight().size(), 2u );
		EXPECT_FLOAT_EQ( SparksInFlight()[0]->mPatrol[0].X, 10.0f );
		EXPECT_FLOAT_EQ( SparksInFlight()[1]->mPatrol[0].X, -10.0f );

		// List 3, 2, 0: the first spark in, the gate shows green, its next wanted colour.
		StepsUntil( [&]() { return SparksInFlight().empty(); } );
		ExpectColour( Emitter( "Gate" ).mPixelShaderColorStart, 1.0f, kWantedGlow, 1.0f );
		ExpectColour( Emitter( "Gate2" ).mPixelShaderColorStart, 1.0f, 1.0f, kWantedGlow );
		EXPECT_EQ( GateOf( "Gate" ).mState, STATE_NORMAL );
	}

	TEST_F( Puzzle, TheSecondSparkOfTwoThreeOpensTheGateAndSpentOrStraySparksDoNothing )
	{
		AddGate( "Gate", { 0, 0 }, { ColourCode::Green, ColourCode::Blue } );
		AddGate( "Gate2", { 20, 0 }, { ColourCode::Red } );
		AddSparks( 1 );
		Play();
		GateComponent& gate = GateOf( "Gate" );
		CollisionComponent& spark = Collider( "SwitchEffect1" );
		EXPECT_TRUE( spark.mInvulnerable ) << "an idle spark is never caught";
		MineComponent& flight = MineMachine( "SwitchEffect1" );
		flight.mPatrol[0] = { 0, 0 };

		gate.mTargetPosition = 1;
		spark.mInvulnerable = false;
		CatchSpark( gate, spark );
		EXPECT_TRUE( spark.mInvulnerable );
		ExpectColour( Emitter( "Gate" ).mPixelShaderColorStart, 1.0f, 1.0f, kWantedGlow );
		// Spent, it does nothing more, even with every colour in.
		gate.mTargetPosition = 2;
		CatchSpark( gate, spark );
		EXPECT_EQ( gate.mState, STATE_NORMAL );
		// A spark flying to the other gate is not caught on its way.
		spark.mInvulnerable = false;
		flight.mPatrol[0] = { 20, 0 };
		CatchSpark( gate, spark );
		EXPECT_FALSE( spark.mInvulnerable );
		EXPECT_EQ( gate.mState, STATE_NORMAL );
		// Its own spark, the second, opens it.
		flight.mPatrol[0] = { 0, 0 };
		CatchSpark( gate, spark );
		EXPECT_EQ( gate.mState, STATE_ENGAGE );
		// An enemy gate's emitter, had it one, is not its business: none is touched.
		EXPECT_FALSE( GateOf( "Gate2" ).mIsEnemy );
	}

	TEST_F( Puzzle, AGateWithEveryColourWantsNothingWhateverItsState )
	{
		AddSwitch( "Red", { 0, 0 }, ColourCode::Red );
		AddGate( "Gate", { 10, 0 },
		         { ColourCode::Red, ColourCode::Green, ColourCode::Blue, ColourCode::RedGreen, ColourCode::GreenBlue } );
		AddSparks( 1 );
		Play();
		GateComponent& gate = GateOf( "Gate" );
		EXPECT_EQ( gate.TargetCount(), 5 );
		gate.mTargetPosition = 5;
		for ( StateType state : { STATE_NORMAL, STATE_WAIT, STATE_REPAIR } )
		{
			gate.mState = state;
			EXPECT_EQ( gate.WantedColour(), ColourCode::None ) << state;
		}
		EXPECT_EQ( gate.LastMatchedColour(), ColourCode::GreenBlue );
		// Held with every colour in, a red switch lit is matched against nothing past the
		// list: it is wrong, and the gate stays where it was.
		gate.mState = STATE_WAIT;
		LightUp( "Red" );
		EXPECT_EQ( SwitchOf( "Red" ).mState, STATE_END );
		EXPECT_EQ( gate.mTargetPosition, 5 );
		EXPECT_EQ( gate.mState, STATE_WAIT );
		// Nor does a position beyond the list read past it.
		gate.mTargetPosition = 7;
		EXPECT_EQ( gate.WantedColour(), ColourCode::None );
		EXPECT_EQ( gate.LastMatchedColour(), ColourCode::None );
		EXPECT_EQ( WantedUndoColour( Machines() ), ColourCode::None );
	}

	TEST_F( Puzzle, ASwitchIsWrongOnlyWhenNoGateTookItAndAWrongOneTakesBackNoMatch )
	{
		AddSwitch( "Red1", { 0, 3 }, ColourCode::Red );
		AddSwitch( "Red2", { 0, -3 }, ColourCode::Red );
		AddSwitch( "Blue", { 0, 0 }, ColourCode::Blue );
		// The first gate wants green: red is not wrong while the second takes it.
		AddGate( "Gate", { 10, 0 }, { ColourCode::Green } );
		AddGate( "Gate2", { 10, 10 }, { ColourCode::Red, ColourCode::Blue } );
		AddGate( "EGate1", { -10, 0 }, { ColourCode::Green }, "EnemyGate" );
		AddSparks( 3 );
		Play();
		LightUp( "Red1" );
		EXPECT_EQ( SwitchOf( "Red1" ).mState, STATE_DIE );
		EXPECT_EQ( GateOf( "Gate2" ).mTargetPosition, 1 );
		EXPECT_EQ( GateOf( "Gate" ).mTargetPosition, 0 );

		// A second red is wanted by no gate now: wrong. Discharged, it takes nothing back:
		// the red the first switch matched stands.
		LightUp( "Red2" );
		EXPECT_EQ( SwitchOf( "Red2" ).mState, STATE_END );
		FramesWhile( SwitchOf( "Red2" ), STATE_END );
		EXPECT_EQ( SwitchOf( "Red2" ).mState, STATE_NORMAL );
		EXPECT_EQ( GateOf( "Gate2" ).mTargetPosition, 1 );
		EXPECT_EQ( Machines().mPendingUndoCount, 1 );

		// An enemy gate never minds a colour it does not want.
		EXPECT_EQ( GateOf( "EGate1" ).mTargetPosition, 0 );
		EXPECT_EQ( GateOf( "EGate1" ).mState, STATE_NORMAL );
	}

	TEST_F( Puzzle, AnEnemyGateLetsItsGuardsOutTheHighestFirstAndStaysShut )
	{
		AddSwitch( "Green", { 0, 0 }, ColourCode::Green );
		AddSwitch( "Red", { 0, 5 }, ColourCode::Red );
		AddGate( "EGate1", { 10, 0 }, { ColourCode::Green }, "EnemyGate" );
		auto& content = *Find( "EGate1" ).GetComponent<GateComponent>();
		content.mContent = 3;
		content.mSkip = 1;
		AddSparks( 1 );
		// Guards 2 and 4 come after the gate in the file; Guard3 is missing and lets
		// out nothing; Guard1 is skipped.
		for ( const char* name : { "Guard1", "Guard2", "Guard4" } )
		{
			Tarn::Object* guard = Add( "MeleeGuard", name, { 10, 0 } );
			guard->GetComponent<Tarn::TransformComponent>()->mActive = false;
			guard->GetComponent<Graphics::MeshComponent>()->mVisible = false;
			guard->GetComponent<StateMachineComponent>()->mState = STATE_NONE;
		}
		Play();
		GateComponent& gate = GateOf( "EGate1" );

		// A colour it does not want leaves it shut, and is not wrong.
		LightUp( "Red" );
		EXPECT_EQ( SwitchOf( "Red" ).mState, STATE_DIE );
		EXPECT_EQ( gate.mTargetPosition, 0 );

		LightUp( "Green" );
		EXPECT_EQ( gate.mTargetPosition, 1 );
		StepsUntil( [&]() { return gate.mState != STATE_NORMAL; } );
		ASSERT_EQ( gate.mState, STATE_ENGAGE );
		FramesWhile( gate, STATE_ENGAGE );
		ASSERT_EQ( gate.mState, STATE_DIE );
		Frames( 1 );
		EXPECT_EQ( Frame( "EGate1" ), 3 );

		// Released one by one, by their numbers from the top, 1.5 s after opening and
		// then 1.25 s apart.
		std::vector<std::string> released;
		std::vector<int> at;
		int frame = 0;
		for ( ; frame < kLimit && gate.mInnerState != INNER_STATE_ON_EXIT; ++frame )
		{
			Frames( 1 );
			for ( const char* name : { "Guard1", "Guard2", "Guard4" } )
				if ( Machine( name ).mState == STATE_SEEK &&
				     std::find( released.begin(), released.end(), name ) == released.end() )
				{
					released.push_back( name );
					at.push_back( frame );
				}
		}
		EXPECT_EQ( released, ( std::vector<std::string>{ "Guard4", "Guard2" } ) );
		ASSERT_EQ( at.size(), 2u );
		EXPECT_NEAR( at[0] * kDt, 1.5f, 3 * kDt );
		// Guard3's turn passed between them, letting out nothing.
		EXPECT_NEAR( ( at[1] - at[0] ) * kDt, 2 * 1.25f, 3 * kDt );
		EXPECT_TRUE( Transform( "Guard4" ).mActive );
		EXPECT_TRUE( Mesh( "Guard4" ).mVisible );
		EXPECT_EQ( Machine( "Guard1" ).mState, STATE_NONE );
		EXPECT_EQ( Frame( "EGate1" ), 0 );
		EXPECT_TRUE( gate.ReleaseQueue().empty() );
		// Shut for good: what else lights is not matched against it.
		Frames( 100 );
		EXPECT_EQ( gate.mState, STATE_DIE );
		EXPECT_EQ( gate.mInnerState, INNER_STATE_ON_EXIT );
	}

	TEST_F( Puzzle, AGuardLetOutIsLookedUpWhenItIsDueAndNotHeldOnceGone )
	{
		AddGate( "EGate1", { 10, 0 }, { ColourCode::Green }, "EnemyGate" )->GetComponent<GateComponent>()->mContent = 2;
		Add( "MeleeGuard", "Guard1", { 10, 0 } )->GetComponent<StateMachineComponent>()->mState = STATE_NONE;
		Add( "MeleeGuard", "Guard2", { 10, 0 } )->GetComponent<StateMachineComponent>()->mState = STATE_NONE;
		Play();
		GateComponent& gate = GateOf( "EGate1" );
		gate.mTargetPosition = 1;
		ColourArrived( gate );
		// Guard2, due first, is destroyed on the way: its turn lets out nothing.
		Tarn::ObjectManager::Instance().DestroyObject( "Guard2" );
		Tarn::ObjectManager::Instance().ProcessDestroyQueue();
		FramesWhile( gate, STATE_ENGAGE );
		for ( int frame = 0; frame < kLimit && gate.mInnerState != INNER_STATE_ON_EXIT; ++frame )
			Frames( 1 );
		EXPECT_EQ( Machine( "Guard1" ).mState, STATE_SEEK );
		EXPECT_EQ( gate.mInnerState, INNER_STATE_ON_EXIT );
	}

	TEST_F( Puzzle, ALevelShortOfSparksStillOpensItsGate )
	{
		AddSwitch( "Blue", { 0, 0 }, ColourCode::Blue );
		AddGate( "Gate", { 10, 0 }, { ColourCode::Blue } );
		Play();
		KelvaneTest::LogCapture log;
		LightUp( "Blue" );
		EXPECT_EQ( GateOf( "Gate" ).mState, STATE_ENGAGE );
		EXPECT_TRUE( log.Contains( "No spark is free to fly from Blue to Gate; the colour arrives at once" ) );
	}

	TEST_F( Puzzle, AnIdleSwitchGleamsAndLetsAChargeEbbAndALitOneCirclesItsRing )
	{
		AddSwitch( "Green", { 0, 0 }, ColourCode::Green );
		AddGate( "Gate", { 10, 0 }, { ColourCode::Green } );
		AddSparks( 1 );
		Play();
		Frames( 1 );
		EXPECT_EQ( Mesh( "Green" ).GetTextureName(), kSwitchGleamTexture ) << "the gleam shows on entering idle";
		Frames( 1 );
		EXPECT_EQ( Mesh( "Green" ).GetTextureName(), kSwitchTexture );

		// A charge left by a cone that went ebbs at a quarter a second, down to rest.
		Mesh( "Green" ).mColour.g = 2.0f;
		Frames( 1 );
		EXPECT_NEAR( Mesh( "Green" ).mColour.g, 2.0f - 0.25f * kDt, 1e-5f );
		Mesh( "Green" ).mColour.g = 0.9f;
		Frames( 1 );
		EXPECT_FLOAT_EQ( Mesh( "Green" ).mColour.g, 0.9f );

		// Charging rises from 1.5 at 0.8 a second of light and the Activate sound restarts.
		const Platform::Channel before = SoundChannel( kSwitchActivateSound );
		Shine( SwitchOf( "Green" ) );
		Frames( 1 );
		EXPECT_NEAR( Mesh( "Green" ).mColour.g, 1.5f + 0.8f * kDt, 1e-5f );
		EXPECT_NEAR( Mesh( "Green" ).mColour.r, 1.0f, 1e-5f ) << "only its own channels";
		EXPECT_FALSE( SoundChannel( kSwitchActivateSound ) == before );

		LightUp( "Green" );
		ASSERT_EQ( SwitchOf( "Green" ).mState, STATE_DIE );
		const float angle = RingAngle();
		Frames( 10 );
		EXPECT_NEAR( RingAngle() - angle, 10 * 4.0f * kDt, 1e-4f );
		// Once its emitter has run half a second it is set up every frame, its emission
		// point on the ring where the angle is.
		Steps( 45 );
		Graphics::EmitterComponent& ring = Emitter( "Green" );
		EXPECT_FLOAT_EQ( ring.mEmitLifeTime, 0.51f );
		EXPECT_NEAR( ring.mAngleWidth, 2.0f * 3.14159265f, 1e-4f );
		EXPECT_NEAR( ring.mEmitPosition.X, 0.6f * std::sin( RingAngle() ), 1e-5f );
		EXPECT_NEAR( ring.mEmitPosition.Y, 0.6f * std::cos( RingAngle() ), 1e-5f );
		EXPECT_FLOAT_EQ( ring.mPixelShaderColorStart.a, 1.0f );
		EXPECT_FLOAT_EQ( ring.mPixelShaderColorStart.g, Mesh( "Green" ).mColour.g );
	}
}

namespace
{
	// The prism's bar opens its components' bars and saves the prism to its type's file.
	TEST_F( Puzzle, APrismsBarOpensEachComponentsBarAndSavesThePrism )
	{
		Add( "InanimateObject", "Prism1", { 0, 5 } );
		Play();
		Tarn::Object& prism = Find( "Prism1" );
		prism.CreateTweakBar();
		const Platform::TweakBarData* bar = Platform::FindTweakBar( "Prism1" );
		ASSERT_NE( bar, nullptr );
		std::vector<std::string> buttons;
		for ( const Platform::TweakEntry& entry : bar->mEntries )
			buttons.push_back( entry.mName );
		std::vector<std::string> expected = PartsOf( prism );
		expected.push_back( "Save" );
		EXPECT_EQ( buttons, expected );
		EXPECT_EQ( bar->Find( "Save" )->mDefinition, "group=Export" );
		EXPECT_TRUE( Platform::PressTweakButton( "Prism1", "TransformComponent" ) );
		EXPECT_NE( Platform::FindTweakBar( "Prism1's TransformComponent" ), nullptr );

		// No file is registered for prisms here: saving says so and writes nothing.
		KelvaneTest::LogCapture log;
		EXPECT_TRUE( Platform::PressTweakButton( "Prism1", "Save" ) );
		EXPECT_TRUE( log.Contains( "No file is registered for objects of type InanimateObject; Prism1 is not saved" ) );
		// Registered, it is written there.
		const std::string file = mFolder / "InanimateObject.xml";
		KelvaneTest::ScopedResources archetype;
		archetype.Point( "InanimateObject", file );
		EXPECT_TRUE( prism.SaveToTypeFile() );
		prism.DeleteTweakBar();
	}
}
