#pragma once

namespace Tarn
{
	// Red, green, blue and alpha, nominally 0 to 1; a channel above 1 makes a sprite glow.
	struct Colour
	{
		float r = 1.0f;
		float g = 1.0f;
		float b = 1.0f;
		float a = 1.0f;

		constexpr bool operator==( const Colour& other ) const = default;
	};
}
