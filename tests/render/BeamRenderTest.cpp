// The first level through the real OpenGL device (Xvfb in CI): the ship fires at the
// first mirror, and the beam, its reflection and the struck prism's sparks land on
// the pixels where the camera shows them.
#include "support/LevelOnScreen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace
{
	using KelvaneTest::Pixel;

	TEST( BeamOnScreen, TheBeamItsReflectionAndThePrismsSparksShowWhereTheCameraSays )
	{
		if ( !std::getenv( "DISPLAY" ) )
			GTEST_SKIP() << "no X display";
		const std::string screenshot = testing::TempDir() + "kelvane-beam.png";
		{
			KelvaneTest::LevelOnScreen screen( 1, screenshot );
			// Aim at the first mirror, above the ship, and hold the left button.
			const auto [mirrorX, mirrorY] = screen.PixelOf( -14.0f, 6.0f );
			screen.Project().mWindow.mOnMouseMove.Raise( mirrorX, mirrorY );
			screen.Project().mWindow.mOnMouseDown.Raise( mirrorX, mirrorY, 1 );
			for ( int step = 0; step < 90; ++step )
			{
				screen.Step( mirrorX, mirrorY );
				if ( step % 30 == 29 )
					screen.Frame();
			}
			screen.Capture();

			// A beam's core is white-hot; the clear colour is (100, 100, 255).
			auto bright = [&]( float x, float y ) {
				for ( float dx : { -0.1f, -0.05f, 0.0f, 0.05f, 0.1f } )
					for ( float dy : { -0.1f, -0.05f, 0.0f, 0.05f, 0.1f } )
					{
						const Pixel p = screen.At( x + dx, y + dy );
						if ( p.r > 200 && p.g > 200 )
							return true;
					}
				return false;
			};
			auto sparks = [&]( float x0, float x1, float y0, float y1 ) {
				int yellow = 0;
				for ( float x = x0; x <= x1; x += 0.05f )
					for ( float y = y0; y <= y1; y += 0.05f )
					{
						const Pixel p = screen.At( x, y );
						yellow += p.r > 180 && p.g > 180 && p.b < 120;
					}
				return yellow;
			};

			EXPECT_TRUE( bright( -14.0f, 0.0f ) ) << "the ship's beam, half way up to the mirror";
			EXPECT_TRUE( bright( -8.0f, 6.0f ) ) << "the reflected beam, on its way to the prism";
			EXPECT_FALSE( bright( -14.0f, -9.0f ) ) << "nothing below the ship";
			EXPECT_FALSE( bright( 0.0f, 6.0f ) ) << "the prism stops the reflected beam";
			// The struck prism sparks back toward the mirror; the other prism is dark.
			EXPECT_GT( sparks( -4.5f, -1.5f, 5.0f, 7.0f ), 3 );
			EXPECT_EQ( sparks( 6.5f, 9.5f, 5.0f, 7.0f ), 0 );
		}
		EXPECT_TRUE( std::filesystem::exists( screenshot ) );
	}
}
