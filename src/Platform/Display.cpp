#include "Platform/Display.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace Platform
{
	namespace
	{
		bool sHeadless = false;

		// How often a display that does not answer is asked again, and how long apart.
		constexpr int kVideoAttempts = 6;
		constexpr uint32_t kVideoRetryMs = 25;

		bool DriverNamedByUser()
		{
			const char* chosen = std::getenv( "SDL_VIDEODRIVER" );
			return chosen && *chosen;
		}

		bool DrawsOffScreen()
		{
			const char* driver = SDL_GetCurrentVideoDriver();
			return driver && ( std::strcmp( driver, "offscreen" ) == 0 || std::strcmp( driver, "dummy" ) == 0 );
		}
	}

	bool StartVideo( std::string& error )
	{
		// An X server may refuse a connection now and then (seen with Xvfb under load);
		// SDL then quietly falls back to drawing off screen, on a 1024 x 768 desktop of
		// its own. A fallback nobody asked for is undone and the display asked again.
		const bool offScreenWanted = DriverNamedByUser() || sHeadless;
		for ( int attempt = 0; attempt < kVideoAttempts; ++attempt )
		{
			if ( attempt > 0 )
				SDL_Delay( kVideoRetryMs );
			if ( SDL_InitSubSystem( SDL_INIT_VIDEO ) != 0 )
			{
				error = SDL_GetError();
				continue;
			}
			if ( offScreenWanted || !DrawsOffScreen() )
				return true;
			SDL_QuitSubSystem( SDL_INIT_VIDEO );
			error = "no display server answered";
		}
		return false;
	}

	bool HasDisplay( std::string& reason )
	{
		// A driver named by the user is taken at its word (SDL_VIDEODRIVER=dummy for
		// tests, kmsdrm on a console).
		if ( !DriverNamedByUser() && !std::getenv( "DISPLAY" ) && !std::getenv( "WAYLAND_DISPLAY" ) )
		{
			reason = "neither DISPLAY nor WAYLAND_DISPLAY is set";
			return false;
		}
		if ( !StartVideo( reason ) )
			return false;
		SDL_QuitSubSystem( SDL_INIT_VIDEO );
		return true;
	}

	void UseHeadlessDrivers()
	{
		sHeadless = true;
		SDL_SetHint( SDL_HINT_VIDEODRIVER, "dummy" );
		SDL_SetHint( SDL_HINT_AUDIODRIVER, "dummy" );
	}

	void UseDisplayDrivers()
	{
		sHeadless = false;
		SDL_ResetHint( SDL_HINT_VIDEODRIVER );
		SDL_ResetHint( SDL_HINT_AUDIODRIVER );
	}

	bool IsHeadless() { return sHeadless; }
}
