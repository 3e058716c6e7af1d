#pragma once

#include <string>

namespace Platform
{
	// Checks that content files decode with the same libraries the game loads them
	// with. Used by the content tests and by tools; nothing here keeps what it opens.

	struct ImageProbe
	{
		bool mDecoded = false;
		int mWidth = 0;
		int mHeight = 0;
		bool mHasAlpha = false;
		int mCornerAlpha = 0;  // the most opaque of the four corner pixels, 0 to 255
		double mMeanColour[3] = { 0, 0, 0 };  // red, green, blue, 0 to 1, weighted by alpha
		std::string mError;
	};
	ImageProbe ProbeImage( const std::string& path );

	struct SoundProbe
	{
		bool mDecoded = false;
		double mSeconds = 0.0;  // length of the decoded samples
		std::string mError;
	};
	// As a sound effect: the whole file decoded into memory.
	SoundProbe ProbeSoundEffect( const std::string& path );
	// As streamed music; `mSeconds` is the length the decoder reports.
	SoundProbe ProbeMusic( const std::string& path );

	struct FontProbe
	{
		bool mOpened = false;
		std::string mFamily;
		int mTextWidth = 0;  // width of a sample text at 24 points
		std::string mError;
	};
	FontProbe ProbeFont( const std::string& path );
}
