#include "Platform/Clock.h"

#include <SDL.h>

namespace Platform
{
	RealClock::RealClock() : mFrequency( SDL_GetPerformanceFrequency() )
	{
		if ( mFrequency == 0 )
			mFrequency = 1000;
	}

	int64_t RealClock::NowMilliseconds()
	{
		// 128-bit product: a nanosecond counter times 1000 leaves 64 bits after about
		// a hundred days of uptime.
		const unsigned __int128 counter = SDL_GetPerformanceCounter();
		return static_cast<int64_t>( counter * 1000u / mFrequency );
	}

	void RealClock::Sleep( int64_t milliseconds )
	{
		if ( milliseconds > 0 )
			SDL_Delay( static_cast<Uint32>( milliseconds ) );
	}
}

#include "Platform/Timing.h"

namespace Platform
{
	void SleepMilliseconds( int milliseconds )
	{
		if ( milliseconds > 0 )
			SDL_Delay( static_cast<Uint32>( milliseconds ) );
	}
}
