#pragma once

#include <cstdint>

namespace Platform
{
	// Where the game loop reads time and waits for the next step.
	class Clock
	{
	public:
		virtual ~Clock() = default;
		virtual int64_t NowMilliseconds() = 0;
		virtual void Sleep( int64_t milliseconds ) = 0;
	};

	// The performance counter in milliseconds (multiplied before dividing).
	class RealClock : public Clock
	{
	public:
		RealClock();
		int64_t NowMilliseconds() override;
		void Sleep( int64_t milliseconds ) override;

	private:
		uint64_t mFrequency;
	};

	// Advances exactly one 16 ms update step at every reading, so each tick of the loop
	// runs one update step. Never sleeps. Used by --headless and by tests.
	class FixedStepClock : public Clock
	{
	public:
		static constexpr int64_t kStepMilliseconds = 16;
		int64_t NowMilliseconds() override { return mNow += kStepMilliseconds; }
		void Sleep( int64_t ) override {}

	private:
		int64_t mNow = 0;
	};
}
