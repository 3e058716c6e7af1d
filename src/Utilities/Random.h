#pragma once

#include <cstdlib>

namespace Tarn
{
	// The C generator, shared by every random effect of the game (debris, particles).
	namespace Random
	{
		// The game seeds once at start-up with this value (the runtime's own first
		// seed), so that every run, and every test that starts a game, sees the same
		// sequence.
		constexpr unsigned kSeed = 1u;

		inline void Seed( unsigned seed = kSeed ) { std::srand( seed ); }

		// A uniform value in [0, 1], whatever the runtime's RAND_MAX: the effects were
		// tuned for a generator of fifteen bits, so only those are used.
		inline float Unit() { return static_cast<float>( std::rand() & 0x7FFF ) / 32767.0f; }
	}
}
