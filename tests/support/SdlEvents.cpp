#include "support/SdlEvents.h"

#include "Platform/Display.h"

#include <SDL.h>

namespace KelvaneTest
{
	DummyVideo::DummyVideo()
	{
		Platform::UseHeadlessDrivers();
		mStarted = SDL_InitSubSystem( SDL_INIT_VIDEO ) == 0;
	}

	DummyVideo::~DummyVideo()
	{
		if ( mStarted )
			SDL_QuitSubSystem( SDL_INIT_VIDEO );
	}

	bool PushKey( const std::string& sdlName, bool down, bool repeat )
	{
		const SDL_Scancode scancode = SDL_GetScancodeFromName( sdlName.c_str() );
		if ( scancode == SDL_SCANCODE_UNKNOWN )
			return false;
		SDL_Event event{};
		event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
		event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
		event.key.repeat = repeat ? 1 : 0;
		event.key.keysym.scancode = scancode;
		event.key.keysym.sym = SDL_GetKeyFromScancode( scancode );
		return SDL_PushEvent( &event ) == 1;
	}

	void PushText( const std::string& utf8 )
	{
		SDL_Event event{};
		event.type = SDL_TEXTINPUT;
		SDL_strlcpy( event.text.text, utf8.c_str(), sizeof( event.text.text ) );
		SDL_PushEvent( &event );
	}

	void PushMouseMotion( int x, int y )
	{
		SDL_Event event{};
		event.type = SDL_MOUSEMOTION;
		event.motion.x = x;
		event.motion.y = y;
		SDL_PushEvent( &event );
	}

	void PushMouseButton( int sdlButton, bool down, int x, int y, int clicks )
	{
		SDL_Event event{};
		event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
		event.button.button = static_cast<Uint8>( sdlButton );
		event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
		event.button.clicks = static_cast<Uint8>( clicks );
		event.button.x = x;
		event.button.y = y;
		SDL_PushEvent( &event );
	}

	void PushWheel( int y, bool flipped )
	{
		SDL_Event event{};
		event.type = SDL_MOUSEWHEEL;
		event.wheel.y = y;
		event.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
		SDL_PushEvent( &event );
	}

	void PushWindowEvent( WindowEventKind kind )
	{
		SDL_Event event{};
		event.type = SDL_WINDOWEVENT;
		switch ( kind )
		{
		case WindowEventKind::Close: event.window.event = SDL_WINDOWEVENT_CLOSE; break;
		case WindowEventKind::FocusGained: event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED; break;
		case WindowEventKind::FocusLost: event.window.event = SDL_WINDOWEVENT_FOCUS_LOST; break;
		case WindowEventKind::Leave: event.window.event = SDL_WINDOWEVENT_LEAVE; break;
		}
		SDL_PushEvent( &event );
	}
}

namespace KelvaneTest
{
	void PushWindowSizeChanged( int width, int height )
	{
		SDL_Event event{};
		event.type = SDL_WINDOWEVENT;
		event.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
		event.window.data1 = width;
		event.window.data2 = height;
		SDL_PushEvent( &event );
	}
}
