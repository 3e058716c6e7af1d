#pragma once

#include <string>

namespace Platform
{
	// True when SDL's video subsystem can start (an X11 or Wayland display, or a
	// video driver chosen through SDL_VIDEODRIVER). `reason` receives SDL's error.
	bool HasDisplay( std::string& reason );

	// Starts SDL's video subsystem on a display a player can see (or on the driver the
	// user or the headless mode chose), asking a display that does not answer again a
	// few times. False, with the reason, when none answers.
	bool StartVideo( std::string& error );

	// Without a display SDL is started with its dummy drivers, so that the rest of
	// the program (timers, events, audio) runs the same way.
	void UseHeadlessDrivers();
	// Back to the drivers of a real display (or those the environment names), for a
	// game after a headless one in the same process.
	void UseDisplayDrivers();
	// True after UseHeadlessDrivers, until UseDisplayDrivers: no window is made, events
	// still flow.
	bool IsHeadless();
}
