#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Tarn
{
	// How the window is to look. Not read from any file; the command line may change
	// mFullscreen before the window is created.
	struct WindowSettings
	{
		std::string mTitle = "Kelvane"; // an empty title becomes the game's name
		bool mHasSystemMenu = true;
		bool mHasMinimiseBox = false;
		bool mFullscreen = true;
		int32_t mWidth = 1280; // client size in windowed mode
		int32_t mHeight = 720;
		uint16_t mReserved = 0;
		int32_t mResolutionWidth = 1280; // display mode used in full screen
		int32_t mResolutionHeight = 720;
		uint16_t mBitsPerPixel = 16;
		float mAspect = 0.0f; // client width / height, set whenever the size is applied
	};

	struct DisplayMode
	{
		int32_t mWidth = 0;
		int32_t mHeight = 0;
		uint16_t mBitsPerPixel = 0;

		bool operator==( const DisplayMode& other ) const = default;
	};

	struct WindowRect
	{
		int32_t mX = 0;
		int32_t mY = 0;
		int32_t mWidth = 0;
		int32_t mHeight = 0;

		bool operator==( const WindowRect& other ) const = default;
	};

	// The frame a window manager puts around the client area.
	struct WindowBorders
	{
		int32_t mLeft = 0;
		int32_t mTop = 0;
		int32_t mRight = 0;
		int32_t mBottom = 0;
	};

	// Keeps the modes of at least 640 x 480 and 16 bits per pixel, each (width, height,
	// bits) once, in the order given.
	std::vector<DisplayMode> FilterDisplayModes( const std::vector<DisplayMode>& modes );

	bool ListsResolution( const std::vector<DisplayMode>& modes, int32_t width, int32_t height );

	// Where a windowed client area of the wanted size goes in the usable desktop area.
	// A size that does not fit, frame included, is reduced keeping the ratio of the
	// resolution (ratioWidth : ratioHeight), each side rounded to the nearest pixel;
	// the framed window is centred in the area. The result is the client rectangle.
	WindowRect FitClientRect( const WindowRect& usableArea, const WindowBorders& borders, int32_t wantedWidth,
	                          int32_t wantedHeight, int32_t ratioWidth, int32_t ratioHeight );
}
