#include "Platform/Display.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace Platform
{
	bool HasDisplay( std::string& reason )
	{
		// A driver named by the user is taken at its word (SDL_VIDEODRIVER=dummy for
		// tests, kmsdrm on a console).
		const char* chosen = std::getenv( "SDL_VIDEODRIVER" );
		const bool named = chosen && *chosen;
		if ( !named && !std::getenv( "DISPLAY" ) && !std::getenv( "WAYLAND_DISPLAY" ) )
		{
			reason = "neither DISPLAY nor WAYLAND_DISPLAY is set";
			return false;
		}
		if ( SDL_InitSubSystem( SDL_INIT_VIDEO ) != 0 )
		{
			reason = SDL_GetError();
			return false;
		}
		// SDL falls back to drawing off screen when no display answers; that is not
		// a display a player can see.
		const char* driver = SDL_GetCurrentVideoDriver();
		const bool offscreen = driver && ( std::strcmp( driver, "offscreen" ) == 0 || std::strcmp( driver, "dummy" ) == 0 );
		SDL_QuitSubSystem( SDL_INIT_VIDEO );
		if ( offscreen && !named )
		{
			reason = "no display server answered";
			return false;
		}
		return true;
	}

	namespace
	{
		bool sHeadless = false;
	}

	void UseHeadlessDrivers()
	{
		sHeadless = true;
		SDL_SetHint( SDL_HINT_VIDEODRIVER, "dummy" );
		SDL_SetHint( SDL_HINT_AUDIODRIVER, "dummy" );
	}

	bool IsHeadless() { return sHeadless; }
}
