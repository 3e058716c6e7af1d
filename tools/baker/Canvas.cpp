#include "Canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace Baker
{
	namespace
	{
		FT_Library gFreeType = nullptr;
		FT_Face gFace = nullptr;
		cairo_font_face_t* gFontFace = nullptr;
	}

	Random::Random( const std::string& name ) : Random( 0 )
	{
		// FNV-1a of the picture name: a stable seed that does not depend on bake order.
		uint64_t hash = 1469598103934665603ull;
		for ( unsigned char c : name )
		{
			hash = ( hash ^ c ) * 1099511628211ull;
		}
		mState = hash;
	}

	uint64_t Random::Next()
	{
		// splitmix64
		uint64_t z = ( mState += 0x9E3779B97F4A7C15ull );
		z = ( z ^ ( z >> 30 ) ) * 0xBF58476D1CE4E5B9ull;
		z = ( z ^ ( z >> 27 ) ) * 0x94D049BB133111EBull;
		return z ^ ( z >> 31 );
	}

	double Random::Uniform()
	{
		return double( Next() >> 11 ) * ( 1.0 / 9007199254740992.0 );
	}

	void SetColour( cairo_t* cr, Rgb colour, double alpha )
	{
		cairo_set_source_rgba( cr, colour.r, colour.g, colour.b, alpha );
	}

	Rgb Mix( Rgb a, Rgb b, double t )
	{
		return { a.r + ( b.r - a.r ) * t, a.g + ( b.g - a.g ) * t, a.b + ( b.b - a.b ) * t };
	}

	Rgb Scale( Rgb a, double s )
	{
		return { std::min( 1.0, a.r * s ), std::min( 1.0, a.g * s ), std::min( 1.0, a.b * s ) };
	}

	void GlowStroke( cairo_t* cr, const std::function<void()>& path, Rgb colour, double width, double spread,
					 double coreAlpha )
	{
		cairo_save( cr );
		cairo_set_line_cap( cr, CAIRO_LINE_CAP_ROUND );
		cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
		const int passes = 6;
		for ( int i = passes; i >= 1; --i )
		{
			const double t = double( i ) / passes;
			cairo_new_path( cr );
			path();
			cairo_set_line_width( cr, width + spread * t );
			SetColour( cr, colour, 0.10 * ( 1.0 - t ) + 0.04 );
			cairo_stroke( cr );
		}
		cairo_new_path( cr );
		path();
		cairo_set_line_width( cr, width );
		SetColour( cr, colour, coreAlpha );
		cairo_stroke( cr );
		cairo_new_path( cr );
		path();
		cairo_set_line_width( cr, std::max( 1.0, width * 0.4 ) );
		SetColour( cr, Mix( colour, Palette::kWhite, 0.7 ), coreAlpha );
		cairo_stroke( cr );
		cairo_restore( cr );
	}

	void SoftLight( cairo_t* cr, double x, double y, double radius, Rgb colour, double alpha )
	{
		cairo_pattern_t* light = cairo_pattern_create_radial( x, y, 0.0, x, y, radius );
		cairo_pattern_add_color_stop_rgba( light, 0.0, colour.r, colour.g, colour.b, alpha );
		cairo_pattern_add_color_stop_rgba( light, 0.35, colour.r, colour.g, colour.b, alpha * 0.45 );
		cairo_pattern_add_color_stop_rgba( light, 1.0, colour.r, colour.g, colour.b, 0.0 );
		cairo_save( cr );
		cairo_set_source( cr, light );
		cairo_new_path( cr );
		cairo_arc( cr, x, y, radius, 0.0, 2.0 * M_PI );
		cairo_fill( cr );
		cairo_restore( cr );
		cairo_pattern_destroy( light );
	}

	void FillVertical( cairo_t* cr, const std::function<void()>& path, double y0, double y1, Rgb top, Rgb bottom,
					   double alpha )
	{
		cairo_pattern_t* gradient = cairo_pattern_create_linear( 0.0, y0, 0.0, y1 );
		cairo_pattern_add_color_stop_rgba( gradient, 0.0, top.r, top.g, top.b, alpha );
		cairo_pattern_add_color_stop_rgba( gradient, 1.0, bottom.r, bottom.g, bottom.b, alpha );
		cairo_save( cr );
		cairo_new_path( cr );
		path();
		cairo_set_source( cr, gradient );
		cairo_fill( cr );
		cairo_restore( cr );
		cairo_pattern_destroy( gradient );
	}

	void StarField( cairo_t* cr, int width, int height, int count, Random& random, double brightness )
	{
		const Rgb tints[] = { Palette::kWhite, Palette::kIce, { 1.0, 0.9, 0.8 }, { 0.8, 0.85, 1.0 } };
		for ( int i = 0; i < count; ++i )
		{
			const double x = random.Range( 0, width );
			const double y = random.Range( 0, height );
			const double size = std::pow( random.Uniform(), 6.0 ) * 2.2 + 0.45;
			const Rgb tint = tints[random.Next() % 4];
			const double alpha = brightness * random.Range( 0.3, 1.0 );
			if ( size > 1.6 )
			{
				SoftLight( cr, x, y, size * 4.0, tint, alpha * 0.35 );
			}
			SetColour( cr, tint, alpha );
			cairo_new_path( cr );
			cairo_arc( cr, x, y, size * 0.5, 0, 2 * M_PI );
			cairo_fill( cr );
		}
	}

	void Nebula( cairo_t* cr, int width, int height, Rgb colour, Random& random, int blobs, double alpha )
	{
		double x = width * random.Range( 0.3, 0.7 );
		double y = height * random.Range( 0.3, 0.7 );
		const double reach = std::min( width, height );
		for ( int i = 0; i < blobs; ++i )
		{
			// A random walk of soft lights gives wisps rather than a round blob.
			x = std::clamp( x + random.Range( -0.12, 0.12 ) * width, width * 0.2, width * 0.8 );
			y = std::clamp( y + random.Range( -0.12, 0.12 ) * height, height * 0.2, height * 0.8 );
			const double radius = reach * random.Range( 0.08, 0.22 );
			const Rgb tint = Mix( colour, Palette::kWhite, random.Range( 0.0, 0.25 ) );
			SoftLight( cr, x, y, radius, tint, alpha * random.Range( 0.4, 1.0 ) );
		}
	}

	void RoundedRectangle( cairo_t* cr, double x, double y, double w, double h, double r )
	{
		cairo_new_sub_path( cr );
		cairo_arc( cr, x + w - r, y + r, r, -M_PI / 2, 0 );
		cairo_arc( cr, x + w - r, y + h - r, r, 0, M_PI / 2 );
		cairo_arc( cr, x + r, y + h - r, r, M_PI / 2, M_PI );
		cairo_arc( cr, x + r, y + r, r, M_PI, 3 * M_PI / 2 );
		cairo_close_path( cr );
	}

	void RegularPolygon( cairo_t* cr, double cx, double cy, double radius, int sides, double angle )
	{
		for ( int i = 0; i < sides; ++i )
		{
			const double a = angle + 2 * M_PI * i / sides;
			if ( i == 0 )
				cairo_move_to( cr, cx + radius * std::cos( a ), cy + radius * std::sin( a ) );
			else
				cairo_line_to( cr, cx + radius * std::cos( a ), cy + radius * std::sin( a ) );
		}
		cairo_close_path( cr );
	}

	void StarShape( cairo_t* cr, double cx, double cy, double outer, double inner, int points, double angle )
	{
		for ( int i = 0; i < points * 2; ++i )
		{
			const double r = ( i % 2 == 0 ) ? outer : inner;
			const double a = angle + M_PI * i / points;
			if ( i == 0 )
				cairo_move_to( cr, cx + r * std::cos( a ), cy + r * std::sin( a ) );
			else
				cairo_line_to( cr, cx + r * std::cos( a ), cy + r * std::sin( a ) );
		}
		cairo_close_path( cr );
	}

	bool LoadGameFont( const std::string& path )
	{
		if ( FT_Init_FreeType( &gFreeType ) != 0 )
			return false;
		if ( FT_New_Face( gFreeType, path.c_str(), 0, &gFace ) != 0 )
			return false;
		gFontFace = cairo_ft_font_face_create_for_ft_face( gFace, 0 );
		return cairo_font_face_status( gFontFace ) == CAIRO_STATUS_SUCCESS;
	}

	void ReleaseGameFont()
	{
		if ( gFontFace )
			cairo_font_face_destroy( gFontFace );
		// cairo may keep the face in its caches until it is reset; only then may
		// FreeType let it go.
		cairo_debug_reset_static_data();
		if ( gFace )
			FT_Done_Face( gFace );
		if ( gFreeType )
			FT_Done_FreeType( gFreeType );
		gFontFace = nullptr;
		gFace = nullptr;
		gFreeType = nullptr;
	}

	void SetGameFont( cairo_t* cr, double size )
	{
		cairo_set_font_face( cr, gFontFace );
		cairo_set_font_size( cr, size );
		cairo_font_options_t* options = cairo_font_options_create();
		// Outlines without hinting draw the same on every machine.
		cairo_font_options_set_hint_style( options, CAIRO_HINT_STYLE_NONE );
		cairo_font_options_set_hint_metrics( options, CAIRO_HINT_METRICS_OFF );
		cairo_font_options_set_antialias( options, CAIRO_ANTIALIAS_GRAY );
		cairo_set_font_options( cr, options );
		cairo_font_options_destroy( options );
	}

	double FitText( cairo_t* cr, const std::string& text, double size, double maxWidth )
	{
		SetGameFont( cr, size );
		cairo_text_extents_t extents;
		cairo_text_extents( cr, text.c_str(), &extents );
		if ( extents.width > maxWidth && extents.width > 0 )
			return size * maxWidth / extents.width;
		return size;
	}

	void GlowText( cairo_t* cr, const std::string& text, double cx, double cy, double size, Rgb glow, Rgb core,
				   double spread )
	{
		cairo_save( cr );
		SetGameFont( cr, size );
		cairo_text_extents_t extents;
		cairo_text_extents( cr, text.c_str(), &extents );
		const double x = cx - extents.width / 2 - extents.x_bearing;
		const double y = cy - extents.height / 2 - extents.y_bearing;
		auto path = [&]()
		{
			cairo_move_to( cr, x, y );
			cairo_text_path( cr, text.c_str() );
		};
		cairo_set_line_join( cr, CAIRO_LINE_JOIN_ROUND );
		const int passes = 6;
		for ( int i = passes; i >= 1; --i )
		{
			const double t = double( i ) / passes;
			cairo_new_path( cr );
			path();
			cairo_set_line_width( cr, spread * t );
			SetColour( cr, glow, 0.12 * ( 1.0 - t ) + 0.05 );
			cairo_stroke( cr );
		}
		// A dark rim keeps the letters readable on any light behind them.
		cairo_new_path( cr );
		path();
		cairo_set_line_width( cr, std::max( 2.0, size * 0.06 ) );
		SetColour( cr, Scale( glow, 0.35 ), 0.9 );
		cairo_stroke_preserve( cr );
		SetColour( cr, core );
		cairo_fill( cr );
		cairo_restore( cr );
	}

	void PlainText( cairo_t* cr, const std::string& text, double x, double y, double size, Rgb colour, double alpha,
					bool centred )
	{
		cairo_save( cr );
		SetGameFont( cr, size );
		if ( centred )
		{
			cairo_text_extents_t extents;
			cairo_text_extents( cr, text.c_str(), &extents );
			x -= extents.width / 2 + extents.x_bearing;
		}
		cairo_new_path( cr );
		cairo_move_to( cr, x, y );
		SetColour( cr, colour, alpha );
		cairo_show_text( cr, text.c_str() );
		cairo_restore( cr );
	}
}
