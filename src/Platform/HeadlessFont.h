#pragma once

// The headless font: measures text from the desc's letter size and draws nothing, but
// keeps what it was asked to draw and what it was told of the device, for tests.

#include "Platform/Font.h"

#include <cstdint>
#include <string>

namespace Platform
{
	class HeadlessFont : public Font
	{
	public:
		explicit HeadlessFont( const FontDesc& desc ) : Font( desc ) {}

		// Every letter is the desc's width (half its height when the width is 0) and
		// every line its height.
		void Measure( const std::string& text, int& width, int& height ) const override;
		bool Draw( const TextTarget& target, const std::string& text, const PixelRect& rect, uint32_t argb ) override;
		void OnLostDevice() override;
		void OnResetDevice() override;

		// What a draw was asked for.
		struct DrawnText
		{
			std::string mText;
			PixelRect mRect;
			uint32_t mColour = 0;
		};

		bool IsLost() const { return mLost; }
		int DrawCount() const { return mDrawCount; }
		const DrawnText& LastDrawn() const { return mLastDrawn; }
		int LostCount() const { return mLostCount; }
		int ResetCount() const { return mResetCount; }

	private:
		bool mLost = false;
		int mDrawCount = 0;
		DrawnText mLastDrawn;
		int mLostCount = 0;
		int mResetCount = 0;
	};
}
