#pragma once
// One frame of a game on the real device, drawn, read back and written as a PNG that a
// person can open: the render tests' way of keeping what they looked at.

#include <cstdint>
#include <string>
#include <vector>

namespace Tarn
{
	class GameProject;
}

namespace KelvaneTest
{
	struct CapturedFrame
	{
		std::vector<uint8_t> mPixels; // RGBA rows from the top
		int mWidth = 0;
		int mHeight = 0;
	};

	// Draws a frame of `project`, keeps its pixels before showing it and writes them to
	// `screenshot` in the test's temporary folder; fails the test when any step fails.
	void CaptureFrame( Tarn::GameProject& project, const std::string& screenshot, CapturedFrame& frame );
}
