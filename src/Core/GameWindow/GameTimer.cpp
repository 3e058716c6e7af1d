#include "Core/GameWindow/GameTimer.h"

#include "Platform/Clock.h"

namespace Tarn
{
	int64_t GameTimer::Read() const { return mClock ? mClock->NowMilliseconds() : 0; }

	int64_t GameTimer::Tick()
	{
		if ( !mIsRunning )
			return 0;
		const int64_t now = Read();
		const int64_t elapsed = now - mLast;
		mLast = now;
		return elapsed;
	}
}
