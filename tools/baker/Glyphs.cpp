// The colour glyphs: one shape for each colour code of the light puzzle, so that a
// player who cannot tell red from green reads the code instead of the colour. The
// primaries are counted in bars, the mixtures are shapes. This table is the one place
// the shapes are drawn: the cones show its pictures, and switches and gates draw from it.

#include "Pictures.h"

#include "Graphics/ContentNames.h"

#include <cmath>
#include <string>

namespace Baker
{
	using namespace Palette;

	namespace
	{
		// Builds the glyph's path in a box of `size` centred on (cx, cy).
		using GlyphPath = void ( * )( cairo_t* cr, double cx, double cy, double size );

		void Bars( cairo_t* cr, double cx, double cy, double size, int count )
		{
			const double gap = size * 0.26;
			const double half = size * 0.36;
			for ( int i = 0; i < count; ++i )
			{
				const double x = cx + ( i - ( count - 1 ) * 0.5 ) * gap;
				cairo_move_to( cr, x, cy - half );
				cairo_line_to( cr, x, cy + half );
			}
		}

		struct ColourGlyph
		{
			int mCode;
			const char* mShape;
			GlyphPath mPath;
		};

		const ColourGlyph kColourGlyphs[] = {
			{ 1, "one bar", []( cairo_t* cr, double x, double y, double s ) { Bars( cr, x, y, s, 1 ); } },
			{ 2, "two bars", []( cairo_t* cr, double x, double y, double s ) { Bars( cr, x, y, s, 2 ); } },
			{ 3, "three bars", []( cairo_t* cr, double x, double y, double s ) { Bars( cr, x, y, s, 3 ); } },
			{ 4, "triangle", []( cairo_t* cr, double x, double y, double s ) { RegularPolygon( cr, x, y + s * 0.08, s * 0.42, 3, -M_PI / 2 ); } },
			{ 5, "square", []( cairo_t* cr, double x, double y, double s ) { cairo_rectangle( cr, x - s * 0.3, y - s * 0.3, s * 0.6, s * 0.6 ); } },
			{ 6, "ring", []( cairo_t* cr, double x, double y, double s ) { cairo_arc( cr, x, y, s * 0.32, 0, 2 * M_PI ); } },
		};

		const ColourGlyph* GlyphOf( int code )
		{
			for ( const ColourGlyph& glyph : kColourGlyphs )
				if ( glyph.mCode == code )
					return &glyph;
			return nullptr;
		}
	}

	bool DrawColourGlyph( cairo_t* cr, int code, double cx, double cy, double size, Rgb ink )
	{
		const ColourGlyph* glyph = GlyphOf( code );
		if ( !glyph )
			return false;
		auto path = [&]() { glyph->mPath( cr, cx, cy, size ); };
		// A dark edge first, so that the strokes read on a bright light as on deep space.
		cairo_save( cr );
		cairo_set_line_cap( cr, CAIRO_LINE_CAP_ROUND );
		cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
		cairo_new_path( cr );
		path();
		cairo_set_line_width( cr, size * 0.19 );
		SetColour( cr, kSpace, 0.9 );
		cairo_stroke( cr );
		cairo_restore( cr );
		GlowStroke( cr, path, ink, size * 0.09, size * 0.08 );
		return true;
	}

	void AddGlyphPictures( PictureBook& book )
	{
		for ( const ColourGlyph& glyph : kColourGlyphs )
		{
			Picture& picture = book[Graphics::ColourGlyphPicture( glyph.mCode )];
			picture.mWidth = picture.mHeight = 128;
			const int code = glyph.mCode;
			picture.mDraw = [code]( cairo_t* cr, Random& ) {
				// On a dark disc of its own, so that it reads over the cone it rides in.
				cairo_new_path( cr );
				cairo_arc( cr, 64, 64, 60, 0, 2 * M_PI );
				SetColour( cr, kSpace, 0.7 );
				cairo_fill( cr );
				DrawColourGlyph( cr, code, 64, 64, 96, kWhite );
			};
		}
	}
}
