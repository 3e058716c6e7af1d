#include "Input/KeyCodes.h"
#include "support/InputHarness.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace
{
	using KelvaneTest::InputHarness;
	using KelvaneTest::KeyRecord;
	using KelvaneTest::KeyRecorder;
	namespace Key = Tarn::Key;

	TEST( Keyboard, HeldKeyIsPressedOnceHeldEveryUpdateAndReleasedOnce )
	{
		InputHarness game;
		KeyRecorder keys;
		keys.Listen( game.Keyboard() );

		game.Window().mOnKeyDown.Raise( Key::W );
		// Auto-repeat: the window keeps reporting the key down.
		for ( int step = 0; step < 62; ++step )
		{
			game.Window().mOnKeyDown.Raise( Key::W );
			game.Step();
		}
		game.Window().mOnKeyUp.Raise( Key::W );
		game.Step( 3 );

		EXPECT_EQ( keys.Count( 'p', Key::W ), 1u );
		// The manager stands twice in the update table: two held events per step.
		EXPECT_EQ( keys.Count( 'h', Key::W ), 124u );
		EXPECT_EQ( keys.Count( 'r', Key::W ), 1u );
		EXPECT_EQ( keys.mRecords.front(), ( KeyRecord{ 'p', 119, 0 } ) );
		EXPECT_EQ( keys.mRecords.back(), ( KeyRecord{ 'r', 119, 0 } ) );
		EXPECT_FALSE( game.Keyboard().IsKeyDown( Key::W ) );
		keys.Stop( game.Keyboard() );
	}

	TEST( Keyboard, ModifierBitsFollowTheKeysDown )
	{
		InputHarness game;
		KeyRecorder keys;
		keys.Listen( game.Keyboard() );
		auto& window = game.Window();

		window.mOnKeyDown.Raise( Key::RightShift );
		window.mOnKeyDown.Raise( Key::A );
		window.mOnKeyUp.Raise( Key::RightShift );
		window.mOnKeyUp.Raise( Key::A );
		window.mOnKeyDown.Raise( Key::LeftControl );
		window.mOnKeyDown.Raise( Key::LeftAlt );
		window.mOnKeyDown.Raise( 'b' );
		window.mOnKeyDown.Raise( Key::RightControl );
		window.mOnKeyUp.Raise( Key::LeftControl );
		window.mOnKeyDown.Raise( 'c' );

		const std::vector<KeyRecord> expected = {
			{ 'p', Key::RightShift, 1 }, { 'p', Key::A, 1 },   { 'r', Key::RightShift, 0 },
			{ 'r', Key::A, 0 },          { 'p', Key::LeftControl, 4 }, { 'p', Key::LeftAlt, 6 },
			{ 'p', 'b', 6 },          { 'p', Key::RightControl, 6 }, { 'r', Key::LeftControl, 6 },
			{ 'p', 'c', 6 },
		};
		EXPECT_EQ( keys.mRecords, expected );
		keys.Stop( game.Keyboard() );
	}

	TEST( Keyboard, KeysThatAreNotDownOrNotKeysAreIgnored )
	{
		InputHarness game;
		KeyRecorder keys;
		keys.Listen( game.Keyboard() );
		game.Window().mOnKeyUp.Raise( Key::W ); // pressed before the window had focus
		game.Window().mOnKeyDown.Raise( 0 );
		game.Window().mOnKeyDown.Raise( 321 );
		game.Window().mOnKeyDown.Raise( 5000 );
		game.Window().mOnKeyUp.Raise( 5000 );
		game.Step();
		EXPECT_TRUE( keys.mRecords.empty() );
		keys.Stop( game.Keyboard() );
	}

	TEST( Keyboard, OnlyTheTopmostActiveContextHearsKeys )
	{
		InputHarness game;
		Tarn::KeyboardInputContext level;
		Tarn::KeyboardInputContext menu;
		KeyRecorder levelKeys;
		KeyRecorder menuKeys;
		levelKeys.Listen( level );
		menuKeys.Listen( menu );
		auto& keyboard = game.Keyboard();

		keyboard.PushContext( &level );
		game.Window().mOnKeyDown.Raise( Key::W );
		game.Step();
		EXPECT_EQ( levelKeys.mRecords, ( std::vector<KeyRecord>{ { 'p', 119, 0 }, { 'h', 119, 0 }, { 'h', 119, 0 } } ) );

		// The menu opens over the level while W is held: the level lets go of W in the
		// next update, and the menu never saw W go down.
		keyboard.PushContext( &menu );
		EXPECT_EQ( keyboard.TopmostContext(), &menu );
		levelKeys.mRecords.clear();
		game.Step();
		EXPECT_EQ( levelKeys.mRecords, ( std::vector<KeyRecord>{ { 'r', 119, 0 } } ) );
		EXPECT_TRUE( menuKeys.mRecords.empty() );
		EXPECT_TRUE( keyboard.IsKeyDown( Key::W ) );

		game.Window().mOnKeyDown.Raise( Key::Escape );
		game.Window().mOnKeyUp.Raise( Key::W );
		EXPECT_EQ( menuKeys.mRecords, ( std::vector<KeyRecord>{ { 'p', 256, 0 } } ) );

		// An inactive context is skipped; the one under it is the topmost again.
		keyboard.SetContextActive( &menu, false );
		EXPECT_EQ( keyboard.TopmostContext(), &level );
		menuKeys.mRecords.clear();
		game.Step();
		// Escape stays down globally but the menu, no longer the topmost, lets go of it.
		EXPECT_EQ( menuKeys.mRecords, ( std::vector<KeyRecord>{ { 'r', 256, 0 } } ) );

		keyboard.RemoveContext( &menu );
		keyboard.RemoveContext( &level );
		EXPECT_EQ( keyboard.TopmostContext(), nullptr );
		levelKeys.Stop( level );
		menuKeys.Stop( menu );
	}

	TEST( Keyboard, FocusLossReleasesEveryKeyEverywhere )
	{
		InputHarness game;
		Tarn::KeyboardInputContext level;
		KeyRecorder global;
		KeyRecorder context;
		global.Listen( game.Keyboard() );
		context.Listen( level );
		game.Keyboard().PushContext( &level );

		game.Window().mOnKeyDown.Raise( Key::W );
		game.Window().mOnKeyDown.Raise( Key::LeftShift );
		global.mRecords.clear();
		context.mRecords.clear();
		game.Window().mOnFocusLost.Raise();
		EXPECT_EQ( global.Count( 'r', Key::W ), 1u );
		EXPECT_EQ( global.Count( 'r', Key::LeftShift ), 1u );
		EXPECT_EQ( context.Count( 'r', Key::W ), 1u );
		EXPECT_EQ( context.Count( 'r', Key::LeftShift ), 1u );

		// Nothing is held any more, and the key coming up in the other window later
		// does not release it a second time.
		global.mRecords.clear();
		game.Step();
		game.Window().mOnKeyUp.Raise( Key::W );
		EXPECT_TRUE( global.mRecords.empty() );

		game.Keyboard().RemoveContext( &level );
		global.Stop( game.Keyboard() );
		context.Stop( level );
	}

	TEST( Keyboard, CharactersPassThroughAndTheManagersLogTheirLife )
	{
		KelvaneTest::LogCapture log;
		struct Chars
		{
			void On( uint32_t c ) { mSeen.push_back( c ); }
			std::vector<uint32_t> mSeen;
		} chars;
		{
			InputHarness game;
			game.Keyboard().mOnChar.Subscribe( &chars, &Chars::On );
			game.Window().mOnChar.Raise( 'x' );
			game.Window().mOnChar.Raise( 0x20AC );
			game.Keyboard().mOnChar.Unsubscribe( &chars, &Chars::On );
		}
		EXPECT_EQ( chars.mSeen, ( std::vector<uint32_t>{ 'x', 0x20AC } ) );
		for ( const char* text : { "Initialising keyboard manager.", "Shutting down keyboard manager.",
		                           "Initialising mouse manager.", "Shutting down mouse manager." } )
			EXPECT_EQ( log.CountOf( text ), 1u ) << text;
	}
}
