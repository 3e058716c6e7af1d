#pragma once

// Text on the platform layer: one face at one size that draws strings at pixel
// rectangles of the window through the render device. The TrueType backend renders a
// string into a texture once and draws that texture, in any colour, until the string
// changes; the headless backend measures text and draws nothing.

#include "Platform/RenderDevice.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Platform
{
	// The size a font is made at, in pixels: the height of a line of text and the
	// average width of a letter. A width of 0 keeps the face's own proportions; a
	// height of 0 takes a small default. The face is the font file's, opened by its path.
	struct FontDesc
	{
		int mHeight = 0;
		int mWidth = 0;
	};

	// The line height of a desc whose height is 0, as a system font's default size.
	inline constexpr int kDefaultFontHeight = 16;
	// No line is made taller than this, whatever a window and a scale ask for.
	inline constexpr int kMaxFontHeight = 1024;

	// The line height and letter width a desc asks for, within their bounds: a letter
	// width of 0 stays 0.
	int LineHeightOf( const FontDesc& desc );
	int LetterWidthOf( const FontDesc& desc );

	// The lines of a text, split at each '\n'; a text ending in '\n' ends in an empty line.
	std::vector<std::string_view> TextLines( std::string_view text );

	// Window pixels, left and top inclusive, right and bottom exclusive.
	struct PixelRect
	{
		int mLeft = 0;
		int mTop = 0;
		int mRight = 0;
		int mBottom = 0;
	};

	// What text is drawn with: the device and the shaders of a textured, tinted quad (a
	// vertex shader taking "WorldViewProj" and a pixel shader taking "rgba0").
	struct TextTarget
	{
		RenderDevice* mDevice = nullptr;
		ShaderHandle mVertexShader = 0;
		ShaderHandle mPixelShader = 0;
	};

	class Font
	{
	public:
		explicit Font( const FontDesc& desc ) : mDesc( desc ) {}
		virtual ~Font() = default;
		Font( const Font& ) = delete;
		Font& operator=( const Font& ) = delete;

		const FontDesc& Desc() const { return mDesc; }

		// The pixels the text takes: its widest line and all its lines. A line ends at
		// each '\n'.
		virtual void Measure( const std::string& text, int& width, int& height ) const = 0;
		// Draws the text from the rectangle's top-left corner, clipped to the rectangle,
		// in a 32-bit ARGB colour. False when nothing was drawn (an empty text, a lost
		// device, a text that cannot be rendered).
		virtual bool Draw( const TextTarget& target, const std::string& text, const PixelRect& rect, uint32_t argb ) = 0;
		// Around a device reset: the lost call gives back everything made on the device
		// and stops drawing; the reset call lets the font draw again, rendering anew.
		virtual void OnLostDevice() = 0;
		virtual void OnResetDevice() = 0;

	protected:
		FontDesc mDesc;
	};

	// The face in a TrueType file at the desc's size; null, with the reason in `error`,
	// when the file cannot be opened as a font.
	std::unique_ptr<Font> CreateTrueTypeFont( const std::string& path, const FontDesc& desc, std::string& error );
	// A font that measures text as if every letter were the desc's size and draws nothing.
	std::unique_ptr<Font> CreateHeadlessFont( const FontDesc& desc );
}
