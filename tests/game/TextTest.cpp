// Text in the headless game: a font component's place and size from the window, the
// fonts through a device reset, the text manager, the text box's pop-in, typing and keys,
// and the letter box.
#include "Core/GameWindow/GameProject.h"
#include "Core/ObjectManager.h"
#include "Game/ObjectiveManager.h"
#include "Game/ObjectiveMarkerComponent.h"
#include "Graphics/Camera.h"
#include "Graphics/FontComponent.h"
#include "Graphics/FontManager.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/LetterBox.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextBox.h"
#include "Graphics/TextManager.h"
#include "Input/KeyCodes.h"
#include "Platform/HeadlessFont.h"
#include "Platform/RecordingRenderDevice.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"
#include "support/HeadlessGame.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
	using Graphics::FontComponent;
	using Graphics::TextBox;

	class TextInGame : public KelvaneTest::HeadlessGame
	{
	protected:
		void SetUp() override
		{
			HeadlessGame::SetUp();
			mTime.ElapsedSeconds = kDt;
		}

		static Platform::HeadlessFont& HeadlessOf( const FontComponent& font )
		{
			auto* headless = dynamic_cast<Platform::HeadlessFont*>( font.GetFont() );
			EXPECT_NE( headless, nullptr );
			return *headless;
		}

		void Press( uint32_t key )
		{
			mGame->Keyboard().OnKeyDown( key );
			mGame->Keyboard().OnKeyUp( key );
		}

		// Updates the box alone, as the game's table does once a step.
		void Run( TextBox& box, int steps )
		{
			for ( int i = 0; i < steps; ++i )
				box.Update( mTime );
		}

		Tarn::GameTime mTime;
	};

	TEST_F( TextInGame, AFontTakesItsPlaceAndSizeFromTheWindowAndDrawsItsTextThere )
	{
		auto* owner = Make( "Font", "Font1" );
		ASSERT_NE( owner, nullptr );
		auto* font = owner->GetComponent<FontComponent>();
		ASSERT_NE( font, nullptr );
		EXPECT_EQ( font->mText, "     " );
		EXPECT_EQ( font->mColour, 0xFFFF0000u );
		EXPECT_EQ( font->mDrawOrder, 8 );
		EXPECT_EQ( font->mRect.mRight, 1280 );
		EXPECT_EQ( font->mRect.mBottom, 720 );
		const auto& fonts = Tarn::Services::Get<Graphics::FontManager>()->Fonts();
		EXPECT_NE( std::find( fonts.begin(), fonts.end(), font ), fonts.end() );

		font->mWidthScale = 0.02f;
		font->mHeightScale = 0.05f;
		font->RecreateFont();
		EXPECT_EQ( font->GetFont()->Desc().mWidth, 25 );
		EXPECT_EQ( font->GetFont()->Desc().mHeight, 36 );

		font->mX = 0.1f;
		font->mY = 0.7f;
		font->mText = "Hello";
		font->mColour = 0xFFFFFF4D;
		font->Draw( mTime );
		const auto& drawn = HeadlessOf( *font ).LastDrawn();
		EXPECT_EQ( drawn.mRect.mLeft, 128 );
		EXPECT_EQ( drawn.mRect.mTop, 504 );
		EXPECT_EQ( drawn.mText, "Hello" );
		EXPECT_EQ( drawn.mColour, 0xFFFFFF4Du );

		// An empty text draws nothing.
		font->mText.clear();
		font->Draw( mTime );
		EXPECT_EQ( HeadlessOf( *font ).DrawCount(), 1 );

		Tarn::ObjectManager::Instance().DestroyObject( "Font1" );
		Tarn::ObjectManager::Instance().ProcessDestroyQueue();
		EXPECT_EQ( std::find( fonts.begin(), fonts.end(), font ), fonts.end() ) << "a font leaves the manager with its object";
	}

	TEST_F( TextInGame, FontsAreToldOfADeviceResetAndKeepDrawingAfterIt )
	{
		auto* font = Make( "Font", "Font1" )->GetComponent<FontComponent>();
		font->mText = "Still here";
		const Platform::Font* before = font->GetFont();
		auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		graphics->mLostWaitMilliseconds = 0;
		auto* device = dynamic_cast<Platform::RecordingRenderDevice*>( graphics->GetDevice() );
		ASSERT_NE( device, nullptr );

		device->mLevel = Platform::CooperativeLevel::Lost;
		EXPECT_FALSE( graphics->BeginFrame() );
		device->mLevel = Platform::CooperativeLevel::NotReset;
		device->mResetSucceeds = false;
		EXPECT_FALSE( graphics->BeginFrame() );
		EXPECT_TRUE( HeadlessOf( *font ).IsLost() ) << "a failed reset leaves the fonts lost";
		font->Draw( mTime );
		EXPECT_EQ( HeadlessOf( *font ).DrawCount(), 0 );

		device->mResetSucceeds = true;
		EXPECT_TRUE( graphics->BeginFrame() );
		EXPECT_EQ( font->GetFont(), before ) << "the same font";
		EXPECT_EQ( HeadlessOf( *font ).LostCount(), 2 );
		EXPECT_EQ( HeadlessOf( *font ).ResetCount(), 1 );
		font->Draw( mTime );
		EXPECT_EQ( HeadlessOf( *font ).DrawCount(), 1 );
	}

	TEST_F( TextInGame, TheTextManagerHandsItsTextsToTheTextBoxAndRefusesUnknownKeys )
	{
		auto* texts = Tarn::Services::Get<Graphics::TextManager>();
		texts->AddText( "Greeting", "Hello, pilot" );
		texts->AddText( "Greeting", "Replaced?" );
		EXPECT_EQ( texts->mTexts.at( "Greeting" ), "Hello, pilot" ) << "a key keeps its first text";
		EXPECT_FALSE( texts->ShowText( "Greeting" ) ) << "no text box yet: nothing to show it in";

		auto* box = Make<TextBox>( "TextBox", "TextBox1" );
		ASSERT_NE( box, nullptr );
		EXPECT_TRUE( texts->ShowText( "Greeting" ) );
		EXPECT_EQ( box->FullText(), "Hello, pilot" );

		KelvaneTest::LogCapture log;
		EXPECT_FALSE( texts->ShowText( "Nothing" ) );
		EXPECT_TRUE( log.Contains( "There is no text \"Nothing\" to show." ) );
		EXPECT_EQ( box->FullText(), "Hello, pilot" );

		texts->Shutdown();
		EXPECT_TRUE( texts->mTexts.empty() );
	}

	TEST_F( TextInGame, TheTextBoxPopsInTypesItsTextAndSpaceSkipsThenCloses )
	{
		auto* box = Make<TextBox>( "TextBox", "TextBox1" );
		auto* font = box->GetComponent<FontComponent>();
		auto* mesh = box->GetComponent<Graphics::MeshComponent>();
		EXPECT_EQ( box->FullText(), TextBox::kPlaceholderText );
		EXPECT_TRUE( mesh->mIsHUD );
		EXPECT_EQ( mesh->mDrawOrder, 7 );
		EXPECT_FLOAT_EQ( mesh->mColour.a, 0.7f );
		EXPECT_EQ( font->mColour, 0xFFFFFFFFu );
		EXPECT_FALSE( mesh->mVisible ) << "closed at the start";

		Tarn::Services::Get<Graphics::TextManager>()->AddText( "Line", "The Upper Realms..." );
		Tarn::Services::Get<Graphics::TextManager>()->ShowText( "Line" );
		box->SetShown( true );
		Run( *box, 1 );
		EXPECT_TRUE( mesh->mVisible );
		EXPECT_FALSE( font->mVisible ) << "the text waits for the box to open";
		// 1.8 wide at 5 a second: 23 steps; meanwhile the height has reached 0.5.
		Run( *box, 22 );
		EXPECT_GE( box->ScaleX(), TextBox::kOpenWidth );
		EXPECT_GE( box->ScaleY(), TextBox::kOpenHeight );
		auto* transform = box->GetComponent<Tarn::TransformComponent>();
		EXPECT_FLOAT_EQ( transform->mXScaleFactor, box->ScaleX() );
		EXPECT_FLOAT_EQ( transform->mYScaleFactor, box->ScaleY() );
		Run( *box, 3 );
		EXPECT_TRUE( font->mVisible );
		EXPECT_EQ( font->mText, "The" ) << "a letter a step once the box is open";
		EXPECT_FALSE( box->IsComplete() );
		EXPECT_GT( font->mX, 0.0f );
		EXPECT_LT( font->mY, 0.5f ) << "the text sits in the box's upper left";

		// Space while typing shows the whole text; the next Space closes the box.
		Press( Tarn::Key::Space );
		EXPECT_EQ( font->mText, "The Upper Realms..." );
		EXPECT_TRUE( box->IsShown() );
		Run( *box, 1 );
		EXPECT_TRUE( box->IsComplete() );
		Press( Tarn::Key::Space );
		EXPECT_FALSE( box->IsShown() );
		Run( *box, 1 );
		EXPECT_FALSE( font->mVisible ) << "the text goes with the box";
		Run( *box, 30 );
		EXPECT_FALSE( mesh->mVisible ) << "shrunk away";
		EXPECT_LT( box->ScaleX(), 0.0f );
	}

	TEST_F( TextInGame, ClosingTheBoxReleasesTheTextMarkersWhoseTurnHasCome )
	{
		auto* box = Make<TextBox>( "TextBox", "TextBox1" );
		auto* first = Make( "ObjectiveMarkerObject", "TextMarker1" )->GetComponent<Tarn::ObjectiveMarkerComponent>();
		auto* second = Make( "ObjectiveMarkerObject", "TextMarker2" )->GetComponent<Tarn::ObjectiveMarkerComponent>();
		auto* zoom = Make( "ObjectiveMarkerObject", "ZoomInMarker1" )->GetComponent<Tarn::ObjectiveMarkerComponent>();
		ASSERT_TRUE( first && second && zoom );
		EXPECT_EQ( Tarn::Services::Get<Tarn::ObjectiveManager>()->Markers().size(), 3u );
		EXPECT_TRUE( first->mNotStarted );
		for ( auto* marker : { first, second } )
		{
			marker->mIsTextMarker = true;
			marker->mWaiting = true;
		}
		second->mPrevious = first;
		zoom->mWaiting = true;

		box->SetText( "Hi" );
		box->SetShown( true );
		Run( *box, 40 );
		ASSERT_TRUE( box->IsComplete() );
		Press( Tarn::Key::Space );
		EXPECT_FALSE( first->mWaiting ) << "the first of its chain";
		EXPECT_TRUE( second->mWaiting ) << "its predecessor is not done";
		EXPECT_TRUE( zoom->mWaiting ) << "not a text marker";

		// The predecessor done, the next close lets the second go on.
		first->mDone = true;
		box->SetShown( true );
		Run( *box, 40 );
		Press( Tarn::Key::Letter( 'u' ) );
		EXPECT_FALSE( second->mWaiting );

		// A marker that goes takes itself out of every chain.
		Tarn::ObjectManager::Instance().DestroyObject( "TextMarker1" );
		Tarn::ObjectManager::Instance().ProcessDestroyQueue();
		EXPECT_EQ( second->mPrevious, nullptr );
		EXPECT_EQ( Tarn::Services::Get<Tarn::ObjectiveManager>()->Markers().size(), 2u );
	}

	TEST_F( TextInGame, TheTutorialKeysShowOnlyTextsThatExistAndTheBoxLeavesTheKeyboardWhenItGoes )
	{
		auto* box = Make<TextBox>( "TextBox", "TextBox1" );
		const size_t listeners = mGame->Keyboard().mOnKeyPressed.Count();
		{
			// T outside the tutorial: there is no text to show, so nothing opens.
			KelvaneTest::LogCapture log;
			Press( Tarn::Key::Letter( 't' ) );
			EXPECT_TRUE( log.Contains( "There is no text \"TutorialText1\" to show." ) );
			EXPECT_FALSE( box->IsShown() );
		}

		auto* texts = Tarn::Services::Get<Graphics::TextManager>();
		texts->AddText( TextBox::kTutorialText1, "Fly with W, A, S and D." );
		texts->AddText( TextBox::kTutorialText2, "Hold a mouse button to fire." );
		Press( Tarn::Key::Letter( 't' ) );
		EXPECT_TRUE( box->IsShown() );
		EXPECT_EQ( box->FullText(), "Fly with W, A, S and D." );
		Press( Tarn::Key::Letter( 'i' ) );
		EXPECT_EQ( box->FullText(), "Hold a mouse button to fire." );
		Press( Tarn::Key::Letter( 't' ) );
		EXPECT_FALSE( box->IsShown() ) << "T flips the box";

		Tarn::ObjectManager::Instance().DestroyObject( "TextBox1" );
		Tarn::ObjectManager::Instance().ProcessDestroyQueue();
		EXPECT_EQ( mGame->Keyboard().mOnKeyPressed.Count(), listeners - 1 );
		Press( Tarn::Key::Space ); // nobody left to hear it
	}

	TEST_F( TextInGame, EachBoxGrowsOnItsOwnFromNothing )
	{
		auto* first = Make<TextBox>( "TextBox", "TextBox1" );
		auto* second = Make<TextBox>( "TextBox", "TextBox2" );
		first->SetShown( true );
		second->SetShown( true );
		Run( *first, 1 );
		Run( *second, 1 );
		EXPECT_FLOAT_EQ( first->ScaleX(), TextBox::kWidthRate * kDt ) << "the other box's growth is its own";
		EXPECT_FLOAT_EQ( second->ScaleX(), TextBox::kWidthRate * kDt );
		auto* third = Make<TextBox>( "TextBox", "TextBox3" );
		EXPECT_FLOAT_EQ( third->ScaleX(), 0.0f );
		EXPECT_FLOAT_EQ( third->ScaleY(), 0.0f );
	}

	TEST_F( TextInGame, ALetterBoxGrowsToHalfWhileActiveMovingTheCameraAndShrinksAway )
	{
		auto* camera = Make<Graphics::Camera>( "Camera", "Camera1" );
		ASSERT_NE( camera, nullptr );
		auto* bar = Make<Graphics::LetterBox>( "LetterBox", "LetterBoxTop" );
		auto* other = Make<Graphics::LetterBox>( "LetterBox", "LetterBoxBottom" );
		auto* mesh = bar->GetComponent<Graphics::MeshComponent>();
		EXPECT_TRUE( mesh->mIsHUD );
		EXPECT_FALSE( mesh->mVisible );
		const float startZ = camera->mEye.z;

		bar->SetActive( true );
		int steps = 0;
		while ( bar->Height() < 0.5f && steps < 1000 )
		{
			bar->Update( mTime );
			++steps;
		}
		EXPECT_EQ( steps, 105 ) << "0.3 a second";
		EXPECT_TRUE( mesh->mVisible );
		EXPECT_FLOAT_EQ( other->Height(), 0.0f ) << "each bar has its own height";
		const float zoomedZ = camera->mEye.z;
		EXPECT_GT( zoomedZ, startZ ) << "the camera moved in";
		for ( int i = 0; i < 20; ++i )
			bar->Update( mTime );
		EXPECT_GE( bar->Height(), 0.5f );
		EXPECT_LT( bar->Height(), 0.51f ) << "it stops growing";
		EXPECT_FLOAT_EQ( camera->mEye.z, zoomedZ ) << "and stops moving the camera";
		EXPECT_FLOAT_EQ( bar->GetComponent<Tarn::TransformComponent>()->mXScaleFactor, 2.0f );

		bar->SetActive( false );
		for ( int i = 0; i < 120; ++i )
			bar->Update( mTime );
		EXPECT_LT( bar->Height(), 0.0f );
		EXPECT_FALSE( mesh->mVisible );
		EXPECT_NEAR( camera->mEye.z, startZ, 0.05f ) << "back out as far as it went in";
	}
}
