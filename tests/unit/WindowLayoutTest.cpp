#include "Core/GameWindow/WindowSettings.h"

#include <gtest/gtest.h>

namespace
{
	using Tarn::WindowRect;

	TEST( WindowLayout, OversizedRequestKeepsTheRatioAndIsCentred )
	{
		// 1280 x 720 on a 1024 x 700 work area: the width limits, 1024 x 576 is 16:9.
		const WindowRect client = Tarn::FitClientRect( { 0, 0, 1024, 700 }, {}, 1280, 720, 1280, 720 );
		EXPECT_EQ( client, ( WindowRect{ 0, 62, 1024, 576 } ) );

		// The same on an area that starts below a top panel and next to a side panel.
		const WindowRect offset = Tarn::FitClientRect( { 40, 30, 1024, 700 }, {}, 1280, 720, 1280, 720 );
		EXPECT_EQ( offset, ( WindowRect{ 40, 92, 1024, 576 } ) );
	}

	TEST( WindowLayout, HeightLimitedAndRoundedToTheNearestPixel )
	{
		// 1600 x 900 wanted on 1900 x 601: the height limits; 601 * 16 / 9 = 1068.44.
		const WindowRect client = Tarn::FitClientRect( { 0, 0, 1900, 601 }, {}, 1600, 900, 1280, 720 );
		EXPECT_EQ( client.mHeight, 601 );
		EXPECT_EQ( client.mWidth, 1068 );
		EXPECT_EQ( client.mX, ( 1900 - 1068 ) / 2 );
		// 1000 wide at 16:9 is 562.5, which rounds up.
		EXPECT_EQ( Tarn::FitClientRect( { 0, 0, 1000, 1000 }, {}, 1280, 720, 1280, 720 ).mHeight, 563 );
	}

	TEST( WindowLayout, ThePrescribedRatioIsTheResolutionsNotTheRequests )
	{
		// A 4:3 resolution with a too-wide client request is cut to 4:3.
		const WindowRect client = Tarn::FitClientRect( { 0, 0, 800, 800 }, {}, 1280, 720, 1024, 768 );
		EXPECT_EQ( client.mWidth, 800 );
		EXPECT_EQ( client.mHeight, 600 );
	}

	TEST( WindowLayout, FittingRequestIsKeptAndTheFramedWindowCentred )
	{
		const WindowRect client = Tarn::FitClientRect( { 0, 0, 1920, 1080 }, {}, 1280, 720, 1280, 720 );
		EXPECT_EQ( client, ( WindowRect{ 320, 180, 1280, 720 } ) );

		// With a frame, the client must leave it room and the whole window is centred.
		const Tarn::WindowBorders frame{ 4, 30, 4, 4 };
		const WindowRect framed = Tarn::FitClientRect( { 0, 0, 1288, 754 }, frame, 1280, 720, 1280, 720 );
		EXPECT_EQ( framed, ( WindowRect{ 4, 30, 1280, 720 } ) );
		const WindowRect tight = Tarn::FitClientRect( { 0, 0, 1288, 740 }, frame, 1280, 720, 1280, 720 );
		EXPECT_EQ( tight.mHeight, 706 );
		EXPECT_EQ( tight.mWidth, 1255 );
	}

	TEST( WindowLayout, DegenerateAreasGiveAWindowOfAtLeastOnePixel )
	{
		const WindowRect none = Tarn::FitClientRect( { 0, 0, 0, 0 }, {}, 1280, 720, 1280, 720 );
		EXPECT_GE( none.mWidth, 1 );
		EXPECT_GE( none.mHeight, 1 );
		const WindowRect noRatio = Tarn::FitClientRect( { 0, 0, 640, 480 }, {}, 1280, 720, 0, 0 );
		EXPECT_EQ( noRatio.mWidth, 640 );
		EXPECT_EQ( noRatio.mHeight, 360 );
	}

	TEST( DisplayModes, SmallShallowAndRepeatedModesAreDropped )
	{
		using Tarn::DisplayMode;
		const std::vector<DisplayMode> listed = {
			{ 1920, 1080, 32 }, { 1920, 1080, 32 }, // another refresh rate
			{ 640, 400, 32 },   { 600, 480, 32 },   { 1280, 720, 8 },
			{ 1280, 720, 16 },  { 640, 480, 16 },   { 1920, 1080, 24 },
		};
		const std::vector<DisplayMode> kept = Tarn::FilterDisplayModes( listed );
		const std::vector<DisplayMode> expected = { { 1920, 1080, 32 }, { 1280, 720, 16 }, { 640, 480, 16 }, { 1920, 1080, 24 } };
		EXPECT_EQ( kept, expected );
		EXPECT_TRUE( Tarn::ListsResolution( kept, 1280, 720 ) );
		EXPECT_FALSE( Tarn::ListsResolution( kept, 1280, 1080 ) );
	}
}
