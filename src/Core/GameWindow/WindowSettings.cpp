#include "Core/GameWindow/WindowSettings.h"

#include <algorithm>
#include <cmath>

namespace Tarn
{
	std::vector<DisplayMode> FilterDisplayModes( const std::vector<DisplayMode>& modes )
	{
		std::vector<DisplayMode> kept;
		for ( const DisplayMode& mode : modes )
		{
			if ( mode.mWidth < 640 || mode.mHeight < 480 || mode.mBitsPerPixel < 16 )
				continue;
			if ( std::find( kept.begin(), kept.end(), mode ) == kept.end() )
				kept.push_back( mode );
		}
		return kept;
	}

	bool ListsResolution( const std::vector<DisplayMode>& modes, int32_t width, int32_t height )
	{
		return std::any_of( modes.begin(), modes.end(), [&]( const DisplayMode& mode ) {
			return mode.mWidth == width && mode.mHeight == height;
		} );
	}

	WindowRect FitClientRect( const WindowRect& usableArea, const WindowBorders& borders, int32_t wantedWidth,
	                          int32_t wantedHeight, int32_t ratioWidth, int32_t ratioHeight )
	{
		const int32_t frameWidth = borders.mLeft + borders.mRight;
		const int32_t frameHeight = borders.mTop + borders.mBottom;
		const int32_t roomWidth = std::max( 1, usableArea.mWidth - frameWidth );
		const int32_t roomHeight = std::max( 1, usableArea.mHeight - frameHeight );

		int32_t width = std::max( 1, wantedWidth );
		int32_t height = std::max( 1, wantedHeight );
		if ( width > roomWidth || height > roomHeight )
		{
			// A resolution of no size has no ratio to keep; the wanted size's own serves.
			const double ratio = ( ratioWidth > 0 && ratioHeight > 0 )
			                         ? static_cast<double>( ratioWidth ) / ratioHeight
			                         : static_cast<double>( width ) / height;
			width = roomWidth;
			height = static_cast<int32_t>( std::lround( width / ratio ) );
			if ( height > roomHeight )
			{
				height = roomHeight;
				width = static_cast<int32_t>( std::lround( height * ratio ) );
			}
			width = std::clamp( width, 1, roomWidth );
			height = std::clamp( height, 1, roomHeight );
		}

		WindowRect client;
		client.mWidth = width;
		client.mHeight = height;
		client.mX = usableArea.mX + ( usableArea.mWidth - ( width + frameWidth ) ) / 2 + borders.mLeft;
		client.mY = usableArea.mY + ( usableArea.mHeight - ( height + frameHeight ) ) / 2 + borders.mTop;
		return client;
	}
}
