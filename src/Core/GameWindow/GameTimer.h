#pragma once

#include <cstdint>

namespace Platform
{
	class Clock;
}

namespace Tarn
{
	// The real-time source of the loop, in whole milliseconds.
	struct GameTimer
	{
		int64_t mLast = 0;     // reading at the previous call
		int64_t mStart = 0;    // reading when the loop started
		int64_t mRunning = 0;  // total time spent inside the loop
		bool mIsRunning = false;
		Platform::Clock* mClock = nullptr;

		int64_t Read() const;
		// Milliseconds since the previous call; 0 (and no reading) while not running.
		int64_t Tick();
	};
}
