#pragma once

#include <string>

namespace KelvaneTest
{
	// Starts SDL's video on the dummy driver for its lifetime, so that keys carry the
	// key codes of SDL's default (US) layout.
	class DummyVideo
	{
	public:
		DummyVideo();
		~DummyVideo();
		bool Started() const { return mStarted; }

	private:
		bool mStarted = false;
	};

	// Real events pushed onto SDL's queue, to be taken by the window's next pump.
	// Keys are named as SDL names them ("F1", "Keypad 5", "Right Shift", "W").
	bool PushKey( const std::string& sdlName, bool down, bool repeat = false );
	void PushText( const std::string& utf8 );
	void PushMouseMotion( int x, int y );
	// sdlButton: 1 left, 2 middle, 3 right, as SDL numbers them.
	void PushMouseButton( int sdlButton, bool down, int x, int y, int clicks = 1 );
	void PushWheel( int y, bool flipped = false );
	enum class WindowEventKind
	{
		Close,
		FocusGained,
		FocusLost,
		Leave,
	};
	void PushWindowEvent( WindowEventKind kind );
	// The window manager gave the window this client size.
	void PushWindowSizeChanged( int width, int height );
}
