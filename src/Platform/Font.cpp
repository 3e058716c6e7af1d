// What both font backends share: the size a desc asks for and the lines of a text.
#include "Platform/Font.h"

#include <algorithm>

namespace Platform
{
	int LineHeightOf( const FontDesc& desc )
	{
		if ( desc.mHeight <= 0 )
			return kDefaultFontHeight;
		return std::min( desc.mHeight, kMaxFontHeight );
	}

	int LetterWidthOf( const FontDesc& desc ) { return std::clamp( desc.mWidth, 0, kMaxFontHeight ); }

	std::vector<std::string_view> TextLines( std::string_view text )
	{
		std::vector<std::string_view> lines;
		size_t start = 0;
		for ( size_t end = text.find( '\n' ); end != std::string_view::npos; end = text.find( '\n', start ) )
		{
			lines.push_back( text.substr( start, end - start ) );
			start = end + 1;
		}
		lines.push_back( text.substr( start ) );
		return lines;
	}
}
