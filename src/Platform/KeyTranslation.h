#pragma once

#include <cstdint>

namespace Platform
{
	// An SDL key (its scan code and key code) in the engine's numbering (Input/KeyCodes.h),
	// or 0 for a key the game does not know. Letters follow the layout, like the
	// characters they type; every other key is the physical key of a US layout.
	uint32_t TranslateSdlKey( int scancode, int keycode );
}
