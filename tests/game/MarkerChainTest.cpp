// Chains of objective markers played out in the headless game, step by step: each turn
// begins only when the one before it is done, lasts its duration or until its work is
// done, and a marker with nothing to work on, or one that goes, holds nobody up.
#include "Core/ObjectManager.h"
#include "Game/ObjectiveMarkerComponent.h"
#include "Game/Player.h"
#include "Graphics/Camera.h"
#include "Graphics/LetterBox.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextBox.h"
#include "Input/KeyCodes.h"
#include "Physics/TransformComponent.h"
#include "support/HeadlessGame.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	using Tarn::ObjectiveMarkerComponent;
	using Tarn::Vector2;

	class MarkerChain : public KelvaneTest::HeadlessGame
	{
	protected:
		// A marker at `at`, following `previous`, filed in mChain.
		ObjectiveMarkerComponent& Marker( const char* name, Vector2 at = {}, float duration = 0.0f,
		                                  ObjectiveMarkerComponent* previous = nullptr )
		{
			Tarn::Object* object = Make( "ObjectiveMarkerObject", name );
			EXPECT_NE( object, nullptr ) << name;
			object->GetComponent<Tarn::TransformComponent>()->mPosition = at;
			auto* link = object->GetComponent<ObjectiveMarkerComponent>();
			link->mDuration = duration;
			link->mPrevious = previous;
			mChain.push_back( link );
			return *link;
		}

		// Whole update steps; after each, no marker has begun before the one it follows
		// was done.
		void Steps( int count )
		{
			for ( int i = 0; i < count; ++i )
			{
				mGame->Step();
				for ( const ObjectiveMarkerComponent* link : mChain )
					ASSERT_TRUE( !link->mPrevious || link->mNotStarted || link->mPrevious->mDone )
					    << "a turn began before the one before it was done";
			}
		}

		// Steps for `seconds` of game time.
		void StepFor( float seconds ) { Steps( static_cast<int>( seconds / kDt ) ); }

		void Press( uint32_t key )
		{
			mGame->Keyboard().OnKeyDown( key );
			mGame->Keyboard().OnKeyUp( key );
		}

		static Tarn::TransformComponent& TransformOf( const char* name )
		{
			return *Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( name ) )->GetComponent<Tarn::TransformComponent>();
		}

		static size_t ErrorsIn( const KelvaneTest::LogCapture& log )
		{
			size_t errors = 0;
			for ( const auto& message : log.Messages() )
				errors += message.mLevel == Tarn::Log::LEVEL_ERROR;
			return errors;
		}

		std::vector<ObjectiveMarkerComponent*> mChain;
	};

	TEST_F( MarkerChain, ACinematicFliesTheShipStopsItAndWaitsForThePlayerToReadBeforeHandingBackTheControls )
	{
		auto* ship = Make<Tarn::Player>( "Player", "Player1" );
		auto* top = Make<Graphics::LetterBox>( "LetterBox", "LetterBoxTop" );
		auto* bottom = Make<Graphics::LetterBox>( "LetterBox", "LetterBoxBottom" );
		auto* box = Make<Graphics::TextBox>( "TextBox", "TextBox1" );
		ASSERT_TRUE( ship && top && bottom && box );
		Tarn::TransformComponent& shipPlace = TransformOf( "Player1" );
		shipPlace.mPosition = Vector2();
		const Vector2 goal{ 4.0f, 1.0f };

		KelvaneTest::LogCapture log;
		auto& on = Marker( "CineModeOn1" );
		auto& move = Marker( "MovePlayerMarker1", goal, 2.0f, &on );
		auto& stop = Marker( "StopPlayerMarker1", {}, 0.0f, &move );
		auto& text = Marker( "TextMarker1", {}, 0.0f, &stop );
		text.mText = "Uriel: home at last.";
		auto& off = Marker( "CineModeOff10", {}, 0.0f, &text );

		Steps( 1 );
		EXPECT_TRUE( on.mDone );
		EXPECT_TRUE( top->IsActive() && bottom->IsActive() ) << "the bars grow in";
		EXPECT_TRUE( ship->ControlsHeld() );
		EXPECT_FALSE( move.mNotStarted );
		EXPECT_TRUE( stop.mNotStarted );

		// Flying: the ship heads for the marker.
		Steps( 10 );
		EXPECT_GT( shipPlace.mPosition.X, 0.0f );
		EXPECT_GT( shipPlace.mVelocity.X, 0.0f );
		EXPECT_GT( shipPlace.mVelocity.Y, 0.0f );
		EXPECT_FALSE( move.mDone );

		// There, the flight ends before its 2 s, and the ship is held still.
		StepFor( 2.0f );
		EXPECT_TRUE( move.mDone );
		EXPECT_LT( Length( shipPlace.mPosition - goal ), 0.5f );
		EXPECT_TRUE( stop.mDone );
		EXPECT_EQ( shipPlace.mVelocity, Vector2() );

		// The box opens with the marker's text and the chain waits for the player.
		EXPECT_FALSE( text.mNotStarted );
		EXPECT_TRUE( box->IsShown() );
		EXPECT_EQ( box->FullText(), "Uriel: home at last." );
		mGame->Keyboard().OnKeyDown( Tarn::Player::kKeyW );
		StepFor( 3.0f );
		mGame->Keyboard().OnKeyUp( Tarn::Player::kKeyW );
		EXPECT_TRUE( text.mWaiting );
		EXPECT_FALSE( text.mDone );
		EXPECT_TRUE( off.mNotStarted );
		EXPECT_EQ( shipPlace.mVelocity, Vector2() ) << "the keys still do not steer";

		Press( Tarn::Key::Space );
		EXPECT_FALSE( box->IsShown() );
		Steps( 1 );
		EXPECT_TRUE( text.mDone );
		EXPECT_TRUE( off.mDone );
		EXPECT_FALSE( top->IsActive() || bottom->IsActive() ) << "the bars shrink away";
		EXPECT_FALSE( ship->ControlsHeld() );

		mGame->Keyboard().OnKeyDown( Tarn::Player::kKeyW );
		Steps( 2 );
		EXPECT_GT( shipPlace.mVelocity.Y, 0.0f ) << "the controls answer again";
		EXPECT_EQ( ErrorsIn( log ), 0u );
	}

	TEST_F( MarkerChain, ZoomsLastTheirDurationAndTheCameraComesBackToItsNormalView )
	{
		auto* camera = Make<Graphics::Camera>( "Camera", "Camera1" );
		ASSERT_NE( camera, nullptr );
		const float normalZ = camera->mEye.z;
		auto& in = Marker( "ZoomInMarker1", {}, 4.0f );

		Steps( 1 + 243 ); // 3.89 s into its turn
		EXPECT_FALSE( in.mDone );
		EXPECT_GT( camera->mEye.z, normalZ + 7.5f ) << "nearly all the way in";
		Steps( 13 ); // 4.09 s
		EXPECT_TRUE( in.mDone );
		EXPECT_NEAR( camera->mEye.z, normalZ + 8.0f, 0.01f );

		// A zoom out without a duration lets the chain go on at once and eases back.
		auto& out = Marker( "ZoomOutMarker1", {}, 0.0f, &in );
		Steps( 1 );
		EXPECT_TRUE( out.mDone );
		EXPECT_GT( camera->mEye.z, normalZ + 7.5f );
		StepFor( 1.1f );
		EXPECT_NEAR( camera->mEye.z, normalZ, 0.01f );
		EXPECT_FLOAT_EQ( camera->ZoomDepth(), 0.0f );
	}

	TEST_F( MarkerChain, TheCameraTurnsToTheBossWhichFadesAwayAndBackToTheShip )
	{
		auto* camera = Make<Graphics::Camera>( "Camera", "Camera1" );
		Make( "Player", "Player1" );
		TransformOf( "Player1" ).mPosition = Vector2();
		Tarn::Object* boss = Make( "Enemy", "Enemy1" );
		ASSERT_TRUE( camera && boss );
		auto* picture = boss->GetComponent<Graphics::MeshComponent>();
		auto& look = Marker( "CameraBoss1" );
		auto& fade = Marker( "BossFadeAway1", {}, 3.0f, &look );
		auto& back = Marker( "CameraOnMarker1", {}, 0.0f, &fade );

		Steps( 1 );
		EXPECT_EQ( camera->Followed().GetName(), "Enemy1" );
		EXPECT_TRUE( camera->mFollowPlayer );
		StepFor( 1.5f );
		EXPECT_NEAR( picture->mColour.a, 0.5f, 0.02f );
		EXPECT_TRUE( picture->mVisible );
		EXPECT_GT( camera->mLook.x, 5.0f ) << "the boss stands at x 10";

		StepFor( 1.6f );
		EXPECT_TRUE( fade.mDone );
		EXPECT_FLOAT_EQ( picture->mColour.a, 0.0f );
		EXPECT_FALSE( picture->mVisible ) << "hidden at the end";
		EXPECT_TRUE( back.mDone );
		EXPECT_EQ( camera->Followed().GetName(), "Player1" );
		StepFor( 3.0f );
		EXPECT_NEAR( camera->mLook.x, 0.0f, 0.1f );
	}

	TEST_F( MarkerChain, AMarkerWithNothingToWorkOnIsDoneWithOneErrorAndTheChainGoesOn )
	{
		// No player, camera, boss or text box in this level; the last is no kind at all.
		const std::vector<const char*> names = { "CineModeOn1",  "StopPlayerMarker1", "MovePlayerMarker1", "TextMarker1",
			                                     "ZoomInMarker1", "CameraBoss1",      "BossFadeAway1",     "Signpost3" };
		ObjectiveMarkerComponent* previous = nullptr;
		for ( const char* name : names )
			previous = &Marker( name, {}, 5.0f, previous );

		// Each is done in the step that the one before it is: the whole chain in one.
		KelvaneTest::LogCapture log;
		Steps( 1 );
		EXPECT_EQ( ErrorsIn( log ), names.size() );
		for ( size_t i = 0; i < names.size(); ++i )
		{
			EXPECT_TRUE( mChain[i]->mDone ) << names[i];
			size_t mentions = 0;
			for ( const auto& message : log.Messages() )
				mentions += message.mLevel == Tarn::Log::LEVEL_ERROR &&
				            message.mText.find( std::string( names[i] ) + " " ) != std::string::npos;
			EXPECT_EQ( mentions, 1u ) << names[i];
		}
	}

	TEST_F( MarkerChain, AMarkerOrATextBoxThatGoesMidChainHoldsNobodyUp )
	{
		auto* ship = Make<Tarn::Player>( "Player", "Player1" );
		auto& hold = Marker( "StopPlayerMarker1", {}, 60.0f );
		auto& on = Marker( "CineModeOn1", {}, 0.0f, &hold );
		Steps( 5 );
		EXPECT_TRUE( on.mNotStarted );

		Tarn::ObjectManager::Instance().DestroyObject( "StopPlayerMarker1" );
		mChain.erase( mChain.begin() );
		Steps( 1 );
		EXPECT_EQ( on.mPrevious, nullptr );
		Steps( 1 );
		EXPECT_TRUE( on.mDone );
		EXPECT_TRUE( ship->ControlsHeld() );

		// A text box that goes while its marker waits lets the chain on, with an error.
		Make( "TextBox", "TextBox1" );
		auto& text = Marker( "TextMarker1", {}, 0.0f, &on );
		text.mText = "Halt!";
		auto& off = Marker( "CineModeOff1", {}, 0.0f, &text );
		Steps( 5 );
		EXPECT_TRUE( text.mWaiting );
		EXPECT_TRUE( off.mNotStarted );
		KelvaneTest::LogCapture log;
		Tarn::ObjectManager::Instance().DestroyObject( "TextBox1" );
		Steps( 2 );
		EXPECT_TRUE( text.mDone );
		EXPECT_TRUE( off.mDone );
		EXPECT_FALSE( ship->ControlsHeld() );
		EXPECT_EQ( ErrorsIn( log ), 1u );
	}

	TEST_F( MarkerChain, WithoutMarkersNothingHappens )
	{
		auto* ship = Make<Tarn::Player>( "Player", "Player1" );
		auto* bar = Make<Graphics::LetterBox>( "LetterBox", "LetterBoxTop" );
		auto* camera = Make<Graphics::Camera>( "Camera", "Camera1" );
		const glm::vec3 eye = camera->mEye;
		KelvaneTest::LogCapture log;
		Steps( 30 );
		EXPECT_FALSE( ship->ControlsHeld() );
		EXPECT_FALSE( bar->IsActive() );
		EXPECT_EQ( camera->mEye, eye );
		EXPECT_FALSE( camera->mFollowPlayer );
		EXPECT_EQ( ErrorsIn( log ), 0u );
	}
}
