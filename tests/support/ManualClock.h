#pragma once

#include "Platform/Clock.h"

namespace KelvaneTest
{
	// A clock the test moves by hand.
	class ManualClock : public Platform::Clock
	{
	public:
		int64_t NowMilliseconds() override { return mNow; }
		void Sleep( int64_t milliseconds ) override { mSlept += milliseconds; }
		void Advance( int64_t milliseconds ) { mNow += milliseconds; }

		int64_t mNow = 1000;
		int64_t mSlept = 0;
	};
}
