#pragma once

#include <string>

namespace Platform
{
	// True when SDL's video subsystem can start (an X11 or Wayland display, or a
	// video driver chosen through SDL_VIDEODRIVER). `reason` receives SDL's error.
	bool HasDisplay( std::string& reason );

	// Without a display SDL is started with its dummy drivers, so that the rest of
	// the program (timers, events, audio) runs the same way.
	void UseHeadlessDrivers();
	// True once UseHeadlessDrivers was called: no window is made, events still flow.
	bool IsHeadless();
}
