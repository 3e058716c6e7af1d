#pragma once

#include "Core/GameWindow/GameProject.h"
#include "Graphics/Matrices.h"
#include "support/LevelFiles.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace KelvaneTest
{
	struct Pixel
	{
		int r, g, b;
	};

	// A numbered level through the real OpenGL device in a 1280 x 720 window (Xvfb in
	// CI): the game initialised, the level loaded and one frame shown. A test steps it,
	// draws frames, reads the last one back and looks at the pixels of world points. The
	// last frame is written to `screenshot` when it shuts down.
	class LevelOnScreen
	{
	public:
		LevelOnScreen( int level, const std::string& screenshot );
		// Destroys every object and shuts the game down.
		~LevelOnScreen();

		Tarn::GameProject& Project() { return mProject; }
		// The window pixel that shows a world point, through the camera of the first frame.
		std::pair<int, int> PixelOf( float x, float y ) const;
		// One update step with the pointer at the window pixel (x, y).
		void Step( int x, int y );
		// Draws a frame and shows it.
		void Frame();
		// Draws a frame and keeps its pixels before showing it.
		void Capture();
		// The captured pixel at a world point; a point off the window fails the test.
		Pixel At( float x, float y ) const;

	private:
		ScopedResources mResources;
		Tarn::GameProject mProject;
		Graphics::Matrix mViewProjection;
		std::vector<uint8_t> mPixels;
		int mWidth = 0;
		int mHeight = 0;
	};
}
