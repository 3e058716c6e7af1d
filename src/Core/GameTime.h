#pragma once

#include <cstdint>

namespace Tarn
{
	// The clock handed to every Update and Draw. Update code steps by ElapsedSeconds.
	struct GameTime
	{
		int64_t TotalGameTime = 0;   // ms
		int64_t ElapsedGameTime = 0; // ms, length of the step being run
		int64_t TotalRealTime = 0;   // ms
		int64_t ElapsedRealTime = 0; // ms
		float ElapsedSeconds = 0.0f;
		double ElapsedSecondsPrecise = 0.0;
		bool IsRunningSlowly = false; // further whole steps are still due in this tick
	};
}
