// The headless font backend: sizes from the desc, draws kept as data.
#include "Platform/HeadlessFont.h"

#include <algorithm>

namespace Platform
{
	void HeadlessFont::Measure( const std::string& text, int& width, int& height ) const
	{
		const int lineHeight = LineHeightOf( mDesc );
		const int letterWidth = LetterWidthOf( mDesc ) > 0 ? LetterWidthOf( mDesc ) : lineHeight / 2;
		const std::vector<std::string_view> lines = TextLines( text );
		size_t widest = 0;
		for ( std::string_view line : lines )
			widest = std::max( widest, line.size() );
		width = static_cast<int>( widest ) * letterWidth;
		height = static_cast<int>( lines.size() ) * lineHeight;
	}

	bool HeadlessFont::Draw( const TextTarget&, const std::string& text, const PixelRect& rect, uint32_t argb )
	{
		if ( mLost || text.empty() )
			return false;
		++mDrawCount;
		mLastDrawn = { text, rect, argb };
		return true;
	}

	void HeadlessFont::OnLostDevice()
	{
		mLost = true;
		++mLostCount;
	}

	void HeadlessFont::OnResetDevice()
	{
		mLost = false;
		++mResetCount;
	}

	std::unique_ptr<Font> CreateHeadlessFont( const FontDesc& desc ) { return std::make_unique<HeadlessFont>( desc ); }
}
