#pragma once

// Drawing helpers shared by every picture of the baker: one art direction of
// coloured light on deep space, so every picture is built from the same few
// strokes (glowing outlines, soft light, star fields and glowing words).

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

namespace Baker
{
	struct Rgb
	{
		double r, g, b;
	};

	// The light puzzle's colour codes and the menus' colours.
	namespace Palette
	{
		constexpr Rgb kWhite { 1.0, 1.0, 1.0 };
		constexpr Rgb kIce { 0.80, 0.92, 1.0 };
		constexpr Rgb kRed { 1.0, 0.22, 0.25 };
		constexpr Rgb kGreen { 0.25, 1.0, 0.35 };
		constexpr Rgb kBlue { 0.25, 0.50, 1.0 };
		constexpr Rgb kYellow { 1.0, 0.92, 0.20 };
		constexpr Rgb kCyan { 0.20, 0.95, 1.0 };
		constexpr Rgb kMagenta { 1.0, 0.30, 0.95 };
		constexpr Rgb kOrange { 1.0, 0.58, 0.15 };
		constexpr Rgb kViolet { 0.62, 0.35, 1.0 };
		constexpr Rgb kSpace { 0.015, 0.02, 0.06 };
	}

	// A deterministic generator: every picture seeds its own, so adding a picture
	// never changes another.
	class Random
	{
	public:
		explicit Random( uint64_t seed ) : mState( seed * 0x9E3779B97F4A7C15ull + 0x1234567ull ) {}
		explicit Random( const std::string& name );
		uint64_t Next();
		double Uniform();  // [0, 1)
		double Range( double low, double high ) { return low + ( high - low ) * Uniform(); }

	private:
		uint64_t mState;
	};

	void SetColour( cairo_t* cr, Rgb colour, double alpha = 1.0 );
	Rgb Mix( Rgb a, Rgb b, double t );
	Rgb Scale( Rgb a, double s );

	// Strokes the path that `path` builds several times, wide and faint to narrow and
	// bright, then a white-hot core: the glowing edge of every sprite.
	void GlowStroke( cairo_t* cr, const std::function<void()>& path, Rgb colour, double width, double spread,
					 double coreAlpha = 1.0 );
	// A soft disc of light fading to nothing at `radius`.
	void SoftLight( cairo_t* cr, double x, double y, double radius, Rgb colour, double alpha );
	// Fills the path with a vertical gradient from `top` to `bottom`.
	void FillVertical( cairo_t* cr, const std::function<void()>& path, double y0, double y1, Rgb top, Rgb bottom,
					   double alpha = 1.0 );

	void StarField( cairo_t* cr, int width, int height, int count, Random& random, double brightness );
	void Nebula( cairo_t* cr, int width, int height, Rgb colour, Random& random, int blobs, double alpha );
	void RoundedRectangle( cairo_t* cr, double x, double y, double w, double h, double r );
	void RegularPolygon( cairo_t* cr, double cx, double cy, double radius, int sides, double angle );
	void StarShape( cairo_t* cr, double cx, double cy, double outer, double inner, int points, double angle );

	// Text in the game's font. `size` is the font size in pixels; the text is centred
	// on (cx, cy) (its ink box, so words sit in the middle of a button).
	void SetGameFont( cairo_t* cr, double size );
	void GlowText( cairo_t* cr, const std::string& text, double cx, double cy, double size, Rgb glow, Rgb core,
				   double spread );
	void PlainText( cairo_t* cr, const std::string& text, double x, double y, double size, Rgb colour,
					double alpha = 1.0, bool centred = false );
	// Scales `size` down until the text fits in `maxWidth`.
	double FitText( cairo_t* cr, const std::string& text, double size, double maxWidth );

	// Opens the font once for the whole bake; false when it cannot be read.
	bool LoadGameFont( const std::string& path );
	void ReleaseGameFont();
}
