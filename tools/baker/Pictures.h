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
	// The colour glyphs' own pictures, one per colour code (Glyphs.cpp).
	void AddGlyphPictures( PictureBook& book );

	// Draws the glyph of colour code `code` (1 to 6) in a box of `size` centred on
	// (cx, cy): glowing strokes in `ink` with a dark edge. False, drawing nothing, for a
	// code without a glyph. Every picture that shows a colour code draws it with this.
	bool DrawColourGlyph( cairo_t* cr, int code, double cx, double cy, double size, Rgb ink );
}
