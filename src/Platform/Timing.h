#pragma once

namespace Platform
{
	void SleepMilliseconds( int milliseconds );
}
