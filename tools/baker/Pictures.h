#pragma once

#include "Canvas.h"

#include <functional>
#include <map>
#include <string>

namespace Baker
{
	// One picture the baker can make. A sheet draws frame by frame into the frame
	// rectangles of its committed atlas; its size comes from the atlas.
	struct Picture
	{
		int mWidth = 0;
		int mHeight = 0;
		std::function<void( cairo_t*, Random& )> mDraw;
		std::string mAtlas;  // data-root path of the atlas for a sheet, else empty
		std::function<void( cairo_t*, int frame, int frames, double size, Random& )> mDrawFrame;
	};

	using PictureBook = std::map<std::string, Picture>;

	// Names are data-root relative without a leading "./" or "/".
	std::string NormalisedName( const std::string& name );

	void AddSpritePictures( PictureBook& book );
	void AddMenuPictures( PictureBook& book );
}
