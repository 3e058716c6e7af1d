#include "Input/KeyCodes.h"
#include "Platform/PlatformWindow.h"
#include "support/AssertRecorder.h"
#include "support/InputHarness.h"
#include "support/LogCapture.h"
#include "support/SdlEvents.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace
{
	using KelvaneTest::InputHarness;
	using KelvaneTest::KeyRecord;
	using KelvaneTest::KeyRecorder;
	using KelvaneTest::PushKey;
	namespace Key = Tarn::Key;

	// What the window's own lists report, in order.
	struct WindowRecorder
	{
		explicit WindowRecorder( Tarn::GameWindow& window ) : mWindow( window )
		{
			window.mOnKeyDown.Subscribe( this, &WindowRecorder::KeyDown );
			window.mOnKeyUp.Subscribe( this, &WindowRecorder::KeyUp );
			window.mOnChar.Subscribe( this, &WindowRecorder::Char );
			window.mOnMouseMove.Subscribe( this, &WindowRecorder::Move );
			window.mOnMouseDown.Subscribe( this, &WindowRecorder::Down );
			window.mOnMouseUp.Subscribe( this, &WindowRecorder::Up );
			window.mOnMouseDoubleClick.Subscribe( this, &WindowRecorder::Double );
			window.mOnMouseWheel.Subscribe( this, &WindowRecorder::Wheel );
			window.mOnMouseEnter.Subscribe( this, &WindowRecorder::Enter );
			window.mOnMouseLeave.Subscribe( this, &WindowRecorder::Leave );
			window.mOnFocusLost.Subscribe( this, &WindowRecorder::FocusLost );
			window.mOnFocusGained.Subscribe( this, &WindowRecorder::FocusGained );
			window.mOnClose.Subscribe( this, &WindowRecorder::Close );
		}
		~WindowRecorder()
		{
			mWindow.mOnKeyDown.Unsubscribe( this, &WindowRecorder::KeyDown );
			mWindow.mOnKeyUp.Unsubscribe( this, &WindowRecorder::KeyUp );
			mWindow.mOnChar.Unsubscribe( this, &WindowRecorder::Char );
			mWindow.mOnMouseMove.Unsubscribe( this, &WindowRecorder::Move );
			mWindow.mOnMouseDown.Unsubscribe( this, &WindowRecorder::Down );
			mWindow.mOnMouseUp.Unsubscribe( this, &WindowRecorder::Up );
			mWindow.mOnMouseDoubleClick.Unsubscribe( this, &WindowRecorder::Double );
			mWindow.mOnMouseWheel.Unsubscribe( this, &WindowRecorder::Wheel );
			mWindow.mOnMouseEnter.Unsubscribe( this, &WindowRecorder::Enter );
			mWindow.mOnMouseLeave.Unsubscribe( this, &WindowRecorder::Leave );
			mWindow.mOnFocusLost.Unsubscribe( this, &WindowRecorder::FocusLost );
			mWindow.mOnFocusGained.Unsubscribe( this, &WindowRecorder::FocusGained );
			mWindow.mOnClose.Unsubscribe( this, &WindowRecorder::Close );
		}

		void Add( std::string what, std::initializer_list<long> values )
		{
			for ( long value : values )
				what.append( " " ).append( std::to_string( value ) );
			mEvents.push_back( what );
		}
		void KeyDown( uint32_t k ) { Add( "key-down", { long( k ) } ); }
		void KeyUp( uint32_t k ) { Add( "key-up", { long( k ) } ); }
		void Char( uint32_t c ) { Add( "char", { long( c ) } ); }
		void Move( int32_t x, int32_t y ) { Add( "move", { x, y } ); }
		void Down( int32_t x, int32_t y, int32_t b ) { Add( "down", { x, y, b } ); }
		void Up( int32_t x, int32_t y, int32_t b ) { Add( "up", { x, y, b } ); }
		void Double( int32_t x, int32_t y, int32_t b ) { Add( "double", { x, y, b } ); }
		void Wheel( int32_t n ) { Add( "wheel", { n } ); }
		void Enter() { Add( "enter", {} ); }
		void Leave() { Add( "leave", {} ); }
		void FocusLost() { Add( "focus-lost", {} ); }
		void FocusGained() { Add( "focus-gained", {} ); }
		void Close() { Add( "close", {} ); }

		Tarn::GameWindow& mWindow;
		std::vector<std::string> mEvents;
	};

	using Events = std::vector<std::string>;

	class SdlWindowEvents : public testing::Test
	{
	protected:
		KelvaneTest::DummyVideo mVideo;
	};

	TEST_F( SdlWindowEvents, KeysTranslateToTheEngineNumbering )
	{
		ASSERT_TRUE( mVideo.Started() );
		InputHarness game;
		WindowRecorder window( game.Window() );
		const struct
		{
			const char* mSdlName;
			uint32_t mCode;
		} keys[] = {
			{ "F1", 305 },          { "F9", 313 },          { "F12", 316 },         { "F13", 317 },
			{ "F15", 319 },         { "Keypad 5", 300 },    { "Keypad 0", 295 },    { "Keypad 9", 304 },
			{ "Keypad +", 287 },    { "Keypad -", 288 },    { "Keypad *", 289 },    { "Keypad /", 290 },
			{ "W", 119 },           { "A", 97 },            { "Z", 122 },           { "0", 48 },
			{ "1", 49 },            { "9", 57 },            { "Escape", 256 },      { "Left Ctrl", 257 },
			{ "Left Shift", 258 },  { "Left Alt", 259 },    { "Left GUI", 260 },    { "Right Ctrl", 261 },
			{ "Right Shift", 262 }, { "Right Alt", 263 },   { "Right GUI", 264 },   { "Application", 265 },
			{ "[", 266 },           { "]", 267 },           { ";", 268 },           { "'", 271 },
			{ ",", 269 },           { ".", 270 },           { "/", 272 },           { "\\", 273 },
			{ "`", 274 },           { "=", 275 },           { "-", 276 },           { "Space", 277 },
			{ "Return", 278 },      { "Backspace", 279 },   { "Tab", 280 },         { "PageUp", 281 },
			{ "PageDown", 282 },    { "End", 283 },         { "Home", 284 },        { "Insert", 285 },
			{ "Delete", 286 },      { "Left", 291 },        { "Right", 292 },       { "Up", 293 },
			{ "Down", 294 },        { "Pause", 320 },
		};
		for ( const auto& key : keys )
		{
			window.mEvents.clear();
			ASSERT_TRUE( PushKey( key.mSdlName, true ) ) << key.mSdlName;
			ASSERT_TRUE( PushKey( key.mSdlName, false ) );
			game.Step();
			ASSERT_GE( window.mEvents.size(), 2u ) << key.mSdlName;
			EXPECT_EQ( window.mEvents.front(), "key-down " + std::to_string( key.mCode ) ) << key.mSdlName;
			EXPECT_EQ( window.mEvents.back(), "key-up " + std::to_string( key.mCode ) ) << key.mSdlName;
		}

		// Keys outside the table give nothing at all.
		window.mEvents.clear();
		for ( const char* other : { "CapsLock", "Numlock", "Keypad .", "F16", "PrintScreen", "ScrollLock" } )
		{
			ASSERT_TRUE( PushKey( other, true ) ) << other;
			ASSERT_TRUE( PushKey( other, false ) );
		}
		game.Step();
		EXPECT_TRUE( window.mEvents.empty() );
	}

	TEST_F( SdlWindowEvents, ModifierBitsOfTranslatedKeys )
	{
		InputHarness game;
		KeyRecorder keys;
		keys.Listen( game.Keyboard() );

		PushKey( "Right Shift", true );
		PushKey( "Q", true );
		game.Step();
		PushKey( "Q", false );
		PushKey( "Right Shift", false );
		PushKey( "Left Ctrl", true );
		PushKey( "Left Alt", true );
		PushKey( "F9", true );
		game.Step();

		EXPECT_EQ( keys.mRecords[0], ( KeyRecord{ 'p', Key::RightShift, 1 } ) );
		EXPECT_EQ( keys.mRecords[1], ( KeyRecord{ 'p', 'q', 1 } ) );
		bool sawF9 = false;
		for ( const KeyRecord& record : keys.mRecords )
		{
			if ( record.mWhat == 'p' && record.mKey == 313 )
			{
				EXPECT_EQ( record.mBits, 6u ); // left Control + left Alt
				sawF9 = true;
			}
		}
		EXPECT_TRUE( sawF9 );
		keys.Stop( game.Keyboard() );
	}

	TEST_F( SdlWindowEvents, RepeatedKeyDownsPressOnceAndFocusLossReleases )
	{
		InputHarness game;
		KeyRecorder keys;
		keys.Listen( game.Keyboard() );
		PushKey( "W", true );
		PushKey( "W", true, true );
		PushKey( "W", true, true );
		game.Step();
		KelvaneTest::PushWindowEvent( KelvaneTest::WindowEventKind::FocusLost );
		game.Step();
		PushKey( "W", false );
		game.Step();
		EXPECT_EQ( keys.mRecords, ( std::vector<KeyRecord>{ { 'p', 119, 0 }, { 'h', 119, 0 }, { 'h', 119, 0 }, { 'r', 119, 0 } } ) );
		keys.Stop( game.Keyboard() );
	}

	TEST_F( SdlWindowEvents, TextAndTheCharactersOfControlKeys )
	{
		InputHarness game;
		WindowRecorder window( game.Window() );
		KelvaneTest::PushText( "a\xC3\xA9\xE2\x82\xAC" ); // a, e acute, euro sign
		KelvaneTest::PushText( "\t\r" );                    // these come with their keys only
		PushKey( "Return", true );
		PushKey( "Backspace", true );
		PushKey( "Escape", true );
		game.Step();
		const Events expected = { "char 97",       "char 233",       "char 8364", "key-down 278", "char 13",
		                          "key-down 279", "char 8",         "key-down 256", "char 27" };
		EXPECT_EQ( window.mEvents, expected );
	}

	TEST_F( SdlWindowEvents, MouseEventsMapOntoTheWindowsLists )
	{
		InputHarness game;
		WindowRecorder window( game.Window() );
		using KelvaneTest::PushMouseButton;
		KelvaneTest::PushMouseMotion( 10, 20 );
		KelvaneTest::PushMouseMotion( 11, 20 );
		PushMouseButton( 1, true, 11, 20 );
		PushMouseButton( 1, false, 11, 20 );
		PushMouseButton( 1, true, 11, 20, 2 ); // the second press of a double click
		PushMouseButton( 1, false, 11, 20, 2 );
		PushMouseButton( 1, true, 11, 20, 3 );
		PushMouseButton( 3, true, 11, 20 ); // SDL's right button
		PushMouseButton( 2, true, 11, 20 ); // SDL's middle button
		PushMouseButton( 4, true, 11, 20 ); // a side button the game has no number for
		KelvaneTest::PushWheel( -2 );       // two notches towards the user
		KelvaneTest::PushWheel( 2, true );  // the same on a flipped ("natural") wheel
		KelvaneTest::PushWindowEvent( KelvaneTest::WindowEventKind::Leave );
		KelvaneTest::PushWindowEvent( KelvaneTest::WindowEventKind::Leave );
		KelvaneTest::PushMouseMotion( 12, 21 );
		game.Step();
		const Events expected = { "enter",         "move 10 20",  "move 11 20",  "down 11 20 1", "up 11 20 1",
		                          "double 11 20 1", "up 11 20 1", "down 11 20 1", "down 11 20 2", "down 11 20 3",
		                          "wheel -2",       "wheel -2",   "leave",       "enter",        "move 12 21" };
		EXPECT_EQ( window.mEvents, expected );
	}

	TEST_F( SdlWindowEvents, TheCloseBoxEndsTheGameAndLeavesTheWindowOpen )
	{
		InputHarness game;
		WindowRecorder window( game.Window() );
		KelvaneTest::PushWindowEvent( KelvaneTest::WindowEventKind::Close );
		game.Step();
		EXPECT_EQ( window.mEvents, ( Events{ "close" } ) );
		EXPECT_TRUE( game.Project().IsExiting() );
		EXPECT_NE( game.Window().GetPlatformWindow(), nullptr );
	}

	TEST_F( SdlWindowEvents, ASizeTheWindowManagerImposesIsReportedOnce )
	{
		Tarn::LaunchOptions windowed;
		windowed.mWindowMode = Tarn::WindowMode::Windowed;
		InputHarness game( windowed );
		struct Sizes
		{
			void On( int32_t rw, int32_t, int32_t w, int32_t h, uint16_t, float aspect )
			{
				mSeen.push_back( { rw, w, h } );
				mAspect = aspect;
			}
			std::vector<std::vector<int32_t>> mSeen;
			float mAspect = 0;
		} sizes;
		game.Window().mOnResize.Subscribe( &sizes, &Sizes::On );
		KelvaneTest::PushWindowSizeChanged( 1280, 720 ); // what the game asked for: nothing new
		KelvaneTest::PushWindowSizeChanged( 1000, 600 );
		KelvaneTest::PushWindowSizeChanged( 1000, 600 );
		game.Step();
		EXPECT_EQ( sizes.mSeen, ( std::vector<std::vector<int32_t>>{ { 1280, 1000, 600 } } ) );
		EXPECT_FLOAT_EQ( sizes.mAspect, 1000.0f / 600.0f );
		EXPECT_FLOAT_EQ( game.Window().Settings().mAspect, 1000.0f / 600.0f );
		game.Window().mOnResize.Unsubscribe( &sizes, &Sizes::On );
	}

	TEST( InputScriptReplay, HoldingWForSixtyStepsReachesTheHeldList120Times )
	{
		InputHarness game;
		Tarn::InputScript script;
		std::string error;
		ASSERT_TRUE( script.Parse( "1 key-down w\n61 key-up w\n", "hold.txt", error ) ) << error;
		game.Window().SetInputScript( script );
		KeyRecorder keys;
		keys.Listen( game.Keyboard() );
		game.Step( 70 );
		EXPECT_EQ( keys.Count( 'p', Key::W ), 1u );
		EXPECT_EQ( keys.Count( 'h', Key::W ), 120u );
		EXPECT_EQ( keys.Count( 'r', Key::W ), 1u );
		EXPECT_EQ( game.Window().GetInputScript().Remaining(), 0u );
		keys.Stop( game.Keyboard() );
	}

	// The script alone steers a replay, so that it plays the same under any window and
	// any pointer; the player's own input counts again once the script is over.
	TEST( InputScriptReplay, EventsArriveInTheirStepOnlyOnceAndTheRealInputWaitsForTheScriptsEnd )
	{
		KelvaneTest::DummyVideo video;
		InputHarness game;
		Tarn::InputScript script;
		std::string error;
		ASSERT_TRUE( script.Parse( "2 mouse-move 5 6\n2 wheel 1\n4 close\n", "s.txt", error ) ) << error;
		game.Window().SetInputScript( script );
		WindowRecorder window( game.Window() );

		game.Step();
		EXPECT_TRUE( window.mEvents.empty() );
		KelvaneTest::PushWheel( 3 );
		KelvaneTest::PushMouseMotion( 640, 360 );
		KelvaneTest::PushKey( "W", true );
		KelvaneTest::PushWindowEvent( KelvaneTest::WindowEventKind::FocusLost );
		game.Step();
		EXPECT_EQ( window.mEvents, ( Events{ "move 5 6", "wheel 1" } ) );
		game.Step();
		EXPECT_FALSE( game.Project().IsExiting() );
		game.Step();
		EXPECT_TRUE( game.Project().IsExiting() );
		EXPECT_EQ( window.mEvents, ( Events{ "move 5 6", "wheel 1", "close" } ) );

		KelvaneTest::PushWheel( 3 );
		game.Step();
		EXPECT_EQ( window.mEvents.back(), "wheel 3" );
	}

	TEST( InputScriptReplay, EventsAfterTheLastStepAreReportedAtShutdown )
	{
		KelvaneTest::LogCapture log;
		{
			InputHarness game;
			Tarn::InputScript script;
			std::string error;
			ASSERT_TRUE( script.Parse( "1 key-down a\n50 key-up a\n60 close\n", "s.txt", error ) );
			game.Window().SetInputScript( script );
			game.Step( 10 );
		}
		EXPECT_TRUE( log.Contains( "The input script has 2 event(s) after the last step run; they were not delivered." ) );
	}

	TEST( GameWindow, IsFirstInTheUpdateTableAndStartsFromItsDefaults )
	{
		KelvaneTest::LogCapture log;
		InputHarness game( Tarn::LaunchOptions(), false );
		const Tarn::WindowSettings& settings = game.Window().Settings();
		EXPECT_EQ( settings.mTitle, "Kelvane" );
		EXPECT_TRUE( settings.mFullscreen );
		EXPECT_TRUE( settings.mHasSystemMenu );
		EXPECT_FALSE( settings.mHasMinimiseBox );
		EXPECT_EQ( settings.mBitsPerPixel, 16 );
		EXPECT_EQ( game.Window().mUpdateOrder, std::numeric_limits<int32_t>::min() );

		struct Created
		{
			void On() { ++mCount; }
			void Resized( int32_t rw, int32_t rh, int32_t w, int32_t h, uint16_t, float aspect )
			{
				mSizes.push_back( { rw, rh, w, h } );
				mAspect = aspect;
			}
			int mCount = 0;
			std::vector<std::vector<int32_t>> mSizes;
			float mAspect = 0;
		} created;
		game.Window().mOnCreated.Subscribe( &created, &Created::On );
		game.Window().mOnResize.Subscribe( &created, &Created::Resized );
		game.Initialise();
		EXPECT_EQ( created.mCount, 1 );
		ASSERT_EQ( created.mSizes.size(), 1u );
		EXPECT_EQ( created.mSizes[0], ( std::vector<int32_t>{ 1280, 720, 1280, 720 } ) );
		EXPECT_FLOAT_EQ( created.mAspect, 1280.0f / 720.0f );
		EXPECT_TRUE( log.Contains( "Window created: 1280 x 720 full screen" ) );
		// The headless display lists 1280 x 720, so the resolution is kept.
		EXPECT_EQ( game.Window().Settings().mResolutionWidth, 1280 );
		EXPECT_EQ( game.Window().DesktopWidth(), 1920 );
		EXPECT_FALSE( game.Window().DisplayModes().empty() );
		game.Window().mOnCreated.Unsubscribe( &created, &Created::On );
		game.Window().mOnResize.Unsubscribe( &created, &Created::Resized );
	}

	TEST( GameWindow, AnUnlistedResolutionBecomesTheDesktopsAndHonoursTheFullScreenRequest )
	{
		Tarn::LaunchOptions windowed;
		windowed.mWindowMode = Tarn::WindowMode::Windowed;
		{
			InputHarness game( windowed, false );
			game.Window().Settings().mResolutionWidth = 1000;
			game.Window().Settings().mResolutionHeight = 700;
			game.Initialise();
			EXPECT_EQ( game.Window().Settings().mResolutionWidth, 1920 );
			EXPECT_EQ( game.Window().Settings().mResolutionHeight, 1080 );
			EXPECT_EQ( game.Window().Settings().mBitsPerPixel, 32 );
			EXPECT_FALSE( game.Window().Settings().mFullscreen );
		}
		{
			InputHarness game( windowed, false );
			game.Window().Settings().mResolutionWidth = 1000;
			Tarn::GameWindow::SetFullscreenRequested( true );
			game.Initialise();
			EXPECT_TRUE( game.Window().Settings().mFullscreen );
		}
		{
			// A listed resolution is kept, and the request does not force full screen.
			InputHarness game( windowed, false );
			Tarn::GameWindow::SetFullscreenRequested( true );
			game.Initialise();
			EXPECT_FALSE( game.Window().Settings().mFullscreen );
			EXPECT_EQ( game.Window().Settings().mResolutionWidth, 1280 );
		}
	}

	TEST( GameWindow, AFailedModeChangeIsReportedAndChangesNothing )
	{
		Tarn::LaunchOptions windowed;
		windowed.mWindowMode = Tarn::WindowMode::Windowed;
		InputHarness game( windowed );
		struct Failed
		{
			void On( bool value ) { mValues.push_back( value ); }
			std::vector<bool> mValues;
		} failed;
		game.Window().mOnFullscreenFailed.Subscribe( &failed, &Failed::On );
		KelvaneTest::LogCapture log;

		Tarn::WindowSettings& settings = game.Window().Settings();
		settings.mFullscreen = true;
		settings.mResolutionWidth = 1000;
		settings.mResolutionHeight = 1000;
		game.Window().GetPlatformWindow()->ApplyFullscreen();

		EXPECT_EQ( failed.mValues, ( std::vector<bool>{ true } ) );
		ASSERT_EQ( log.CountOf( "Failed to change display mode for fullscreen." ), 1u );
		for ( const auto& message : log.Messages() )
		{
			if ( message.mText == "Failed to change display mode for fullscreen." )
			{
				EXPECT_EQ( message.mLevel, Tarn::Log::LEVEL_ERROR );
			}
		}
		int width = 0;
		int height = 0;
		game.Window().GetPlatformWindow()->GetClientSize( width, height );
		EXPECT_EQ( width, 1280 );
		EXPECT_EQ( height, 720 );
		game.Window().mOnFullscreenFailed.Unsubscribe( &failed, &Failed::On );
	}

	TEST( GameWindow, SetFullscreenTakesTheDesktopModeOnlyOnAChange )
	{
		Tarn::LaunchOptions windowed;
		windowed.mWindowMode = Tarn::WindowMode::Windowed;
		InputHarness game( windowed );
		game.Window().SetFullscreen( false );
		EXPECT_EQ( game.Window().Settings().mResolutionWidth, 1280 );
		game.Window().SetFullscreen( true );
		EXPECT_TRUE( game.Window().Settings().mFullscreen );
		EXPECT_EQ( game.Window().Settings().mResolutionWidth, 1920 );
		int width = 0;
		int height = 0;
		game.Window().GetPlatformWindow()->GetClientSize( width, height );
		EXPECT_EQ( width, 1920 );
		EXPECT_EQ( height, 1080 );
	}

	TEST( GameWindow, ASecondInitialiseAssertsAndKeepsTheWindow )
	{
		InputHarness game;
		Platform::PlatformWindow* first = game.Window().GetPlatformWindow();
		KelvaneTest::AssertRecorder asserts;
		game.Window().Initialise();
		EXPECT_TRUE( asserts.Saw( "mPlatformWindow == NULL", "Window has already been created!" ) );
		EXPECT_EQ( game.Window().GetPlatformWindow(), first );
	}
}
