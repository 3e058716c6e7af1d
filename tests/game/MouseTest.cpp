#include "Input/KeyCodes.h"
#include "Platform/PlatformWindow.h"
#include "support/InputHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	using KelvaneTest::InputHarness;

	// Every event of one set of mouse lists as text, in order.
	struct MouseRecorder
	{
		template <typename Source>
		void Listen( Source& source )
		{
			source.mOnButtonPressed.Subscribe( this, &MouseRecorder::Pressed );
			source.mOnButtonHeld.Subscribe( this, &MouseRecorder::Held );
			source.mOnButtonReleased.Subscribe( this, &MouseRecorder::Released );
			source.mOnDoubleClick.Subscribe( this, &MouseRecorder::Double );
			source.mOnWheel.Subscribe( this, &MouseRecorder::Wheel );
			source.mOnMove.Subscribe( this, &MouseRecorder::Move );
			source.mOnDrag.Subscribe( this, &MouseRecorder::Drag );
		}
		template <typename Source>
		void Stop( Source& source )
		{
			source.mOnButtonPressed.Unsubscribe( this, &MouseRecorder::Pressed );
			source.mOnButtonHeld.Unsubscribe( this, &MouseRecorder::Held );
			source.mOnButtonReleased.Unsubscribe( this, &MouseRecorder::Released );
			source.mOnDoubleClick.Unsubscribe( this, &MouseRecorder::Double );
			source.mOnWheel.Unsubscribe( this, &MouseRecorder::Wheel );
			source.mOnMove.Unsubscribe( this, &MouseRecorder::Move );
			source.mOnDrag.Unsubscribe( this, &MouseRecorder::Drag );
		}

		void Add( const std::string& what, std::initializer_list<int32_t> values )
		{
			std::string text = what;
			for ( int32_t value : values )
				text.append( " " ).append( std::to_string( value ) );
			mEvents.push_back( text );
		}
		void Pressed( int32_t x, int32_t y, int32_t b ) { Add( "pressed", { x, y, b } ); }
		void Held( int32_t x, int32_t y, int32_t b ) { Add( "held", { x, y, b } ); }
		void Released( int32_t x, int32_t y, int32_t b ) { Add( "released", { x, y, b } ); }
		void Double( int32_t x, int32_t y, int32_t b ) { Add( "double", { x, y, b } ); }
		void Wheel( int32_t n ) { Add( "wheel", { n } ); }
		void Move( int32_t x, int32_t y, int32_t dx, int32_t dy ) { Add( "move", { x, y, dx, dy } ); }
		void Drag( int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t b ) { Add( "drag", { x, y, dx, dy, b } ); }

		std::vector<std::string> mEvents;
	};

	using Events = std::vector<std::string>;

	TEST( Mouse, DragWithTheLeftButtonGivesAMoveAndADragPerMove )
	{
		InputHarness game;
		MouseRecorder mouse;
		mouse.Listen( game.Mouse() );
		auto& window = game.Window();

		window.mOnMouseMove.Raise( 100, 100 );
		window.mOnMouseDown.Raise( 100, 100, 1 );
		window.mOnMouseDown.Raise( 100, 100, 1 ); // no second press while down
		window.mOnMouseMove.Raise( 110, 95 );
		window.mOnMouseMove.Raise( 110, 95 ); // not a move
		game.Step();
		window.mOnMouseUp.Raise( 110, 95, 1 );
		window.mOnMouseMove.Raise( 111, 95 );

		const Events expected = { "move 100 100 100 100",  "pressed 100 100 1", "move 110 95 10 -5",
		                          "drag 110 95 10 -5 1",   "held 110 95 1",     "held 110 95 1",
		                          "released 110 95 1",     "move 111 95 1 0" };
		EXPECT_EQ( mouse.mEvents, expected );
		mouse.Stop( game.Mouse() );
	}

	TEST( Mouse, LeavingWithAButtonHeldReleasesItAtTheLastPositionInside )
	{
		InputHarness game;
		MouseRecorder global;
		MouseRecorder context;
		Tarn::MouseInputContext level;
		global.Listen( game.Mouse() );
		context.Listen( level );
		game.Mouse().PushContext( &level );
		auto& window = game.Window();

		window.mOnMouseMove.Raise( 5, 700 );
		window.mOnMouseDown.Raise( 5, 700, 1 );
		window.mOnMouseMove.Raise( 2, 715 );
		global.mEvents.clear();
		context.mEvents.clear();
		window.mOnMouseLeave.Raise();
		EXPECT_EQ( global.mEvents, ( Events{ "released 2 715 1" } ) );
		EXPECT_EQ( context.mEvents, ( Events{ "released 2 715 1" } ) );

		// Letting go outside, and the next update, add nothing.
		global.mEvents.clear();
		window.mOnMouseUp.Raise( -40, 760, 1 );
		game.Step();
		EXPECT_TRUE( global.mEvents.empty() );
		EXPECT_FALSE( game.Mouse().IsButtonDown( 1 ) );

		game.Mouse().RemoveContext( &level );
		global.Stop( game.Mouse() );
		context.Stop( level );
	}

	TEST( Mouse, ContextsGetButtonsWheelAndDoubleClicksOnlyWhenTopmost )
	{
		InputHarness game;
		Tarn::MouseInputContext level;
		Tarn::MouseInputContext menu;
		MouseRecorder levelMouse;
		MouseRecorder menuMouse;
		levelMouse.Listen( level );
		menuMouse.Listen( menu );
		auto& window = game.Window();

		game.Mouse().PushContext( &level );
		window.mOnMouseMove.Raise( 10, 10 );
		window.mOnMouseDown.Raise( 10, 10, 2 );
		game.Mouse().PushContext( &menu );
		game.Step();
		window.mOnMouseWheel.Raise( -2 );
		window.mOnMouseDoubleClick.Raise( 10, 10, 1 );

		EXPECT_EQ( levelMouse.mEvents, ( Events{ "move 10 10 10 10", "pressed 10 10 2", "released 10 10 2" } ) );
		// The menu hears the held right button only globally: it never saw it pressed.
		EXPECT_EQ( menuMouse.mEvents, ( Events{ "wheel -2", "double 10 10 1" } ) );

		game.Mouse().RemoveContext( &menu );
		game.Mouse().RemoveContext( &level );
		levelMouse.Stop( level );
		menuMouse.Stop( menu );
	}

	TEST( Mouse, LockToCentreReportsOffsetsAndSwallowsTheReturnMove )
	{
		InputHarness game;
		MouseRecorder mouse;
		mouse.Listen( game.Mouse() );

		game.Mouse().SetLockToCentre( true );
		game.Step(); // the pointer's return to the centre arrives and is swallowed
		EXPECT_EQ( game.Mouse().GetX(), 640 );
		EXPECT_EQ( game.Mouse().GetY(), 360 );

		game.Window().mOnMouseMove.Raise( 650, 355 );
		game.Step();
		game.Window().mOnMouseMove.Raise( 630, 360 );
		game.Step();
		EXPECT_EQ( mouse.mEvents, ( Events{ "move 650 355 10 -5", "move 630 360 -10 0" } ) );
		EXPECT_EQ( game.Mouse().GetX(), 640 );

		// Without focus the pointer is free: moves are counted from where it was.
		game.Window().mOnFocusLost.Raise();
		mouse.mEvents.clear();
		game.Window().mOnMouseMove.Raise( 600, 300 );
		game.Window().mOnMouseMove.Raise( 601, 300 );
		EXPECT_EQ( mouse.mEvents, ( Events{ "move 600 300 -40 -60", "move 601 300 1 0" } ) );
		mouse.Stop( game.Mouse() );
	}

	TEST( Mouse, FocusChangesReleaseAndRestoreClipAndCursor )
	{
		InputHarness game;
		Platform::PlatformWindow* platform = game.Window().GetPlatformWindow();
		ASSERT_NE( platform, nullptr );

		game.Mouse().SetClipCursor( true );
		game.Mouse().SetShowCursor( false );
		EXPECT_TRUE( platform->IsCursorClipped() );
		EXPECT_FALSE( platform->IsCursorVisible() );

		game.Window().mOnFocusLost.Raise();
		EXPECT_FALSE( game.Mouse().HasFocus() );
		EXPECT_FALSE( platform->IsCursorClipped() );
		EXPECT_TRUE( platform->IsCursorVisible() );

		game.Window().mOnFocusGained.Raise();
		EXPECT_TRUE( game.Mouse().HasFocus() );
		EXPECT_TRUE( platform->IsCursorClipped() );
		EXPECT_FALSE( platform->IsCursorVisible() );
	}

	TEST( Mouse, ButtonsOutsideTheFourAreIgnored )
	{
		InputHarness game;
		MouseRecorder mouse;
		mouse.Listen( game.Mouse() );
		game.Window().mOnMouseDown.Raise( 1, 1, 4 );
		game.Window().mOnMouseDown.Raise( 1, 1, -1 );
		game.Window().mOnMouseUp.Raise( 1, 1, 7 );
		game.Window().mOnMouseDoubleClick.Raise( 1, 1, 9 );
		game.Step();
		EXPECT_TRUE( mouse.mEvents.empty() );
		mouse.Stop( game.Mouse() );
	}
}
