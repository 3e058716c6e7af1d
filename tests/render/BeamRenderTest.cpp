// The first level through the real OpenGL device (Xvfb in CI): the ship fires at the
// first mirror, and the beam, its reflection and the struck prism's sparks land on
// the pixels where the camera shows them.
#include "Core/GameWindow/GameProject.h"
#include "Core/ObjectManager.h"
#include "Game/BeamComponent.h"
#include "GameStates/LevelManager.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/Matrices.h"
#include "Platform/RenderDevice.h"
#include "core/Services.h"
#include "support/LevelFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace
{
	struct Pixel
	{
		int r, g, b;
	};

	TEST( BeamOnScreen, TheBeamItsReflectionAndThePrismsSparksShowWhereTheCameraSays )
	{
		if ( !std::getenv( "DISPLAY" ) )
			GTEST_SKIP() << "no X display";
		KelvaneTest::LevelFileSystem();
		KelvaneTest::ScopedResources resources;
		resources.Point( "Level1", std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml" );
		Tarn::LaunchOptions options;
		options.mWindowMode = Tarn::WindowMode::Windowed;
		Tarn::GameProject project( options );
		project.mWindow.Settings().mFullscreen = false;
		project.CreateComponents();
		const std::string screenshot = testing::TempDir() + "kelvane-beam.png";
		std::filesystem::remove( screenshot );
		auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		graphics->RequestScreenshot( screenshot );
		project.Initialise();
		Platform::RenderDevice* device = graphics->GetDevice();
		ASSERT_NE( device, nullptr );
		ASSERT_TRUE( Tarn::Services::Get<Tarn::LevelManager>()->LoadLevel( 1 ) );

		Tarn::GameTime& time = project.GetGameTime();
		time.ElapsedSeconds = 0.016f;
		auto frame = [&]( bool present ) {
			ASSERT_TRUE( project.BeginDraw() );
			project.Draw( time );
			if ( present )
				project.EndDraw();
		};
		frame( true );

		const Graphics::Matrix viewProjection = *graphics->GetView() * graphics->GetProjection();
		int width = 0, height = 0;
		std::vector<uint8_t> pixels;
		ASSERT_TRUE( device->ReadBackBuffer( pixels, width, height ) );
		device->EndScene();
		device->Present();
		auto pixelOf = [&]( float x, float y ) {
			const glm::vec3 ndc = Graphics::TransformCoord( { x, y, 0.0f }, viewProjection );
			return std::pair<int, int>( int( ( ndc.x + 1.0f ) * 0.5f * float( width ) ),
			                            int( ( 1.0f - ndc.y ) * 0.5f * float( height ) ) );
		};

		// Aim at the first mirror, above the ship, and hold the left button. The pointer
		// is set again before every step: the real pointer of the X server may move too.
		const auto [mirrorX, mirrorY] = pixelOf( -14.0f, 6.0f );
		project.mWindow.mOnMouseMove.Raise( mirrorX, mirrorY );
		project.mWindow.mOnMouseDown.Raise( mirrorX, mirrorY, 1 );
		for ( int step = 0; step < 90; ++step )
		{
			project.mWindow.mOnMouseMove.Raise( mirrorX, mirrorY );
			project.Update( time );
			if ( step % 30 == 29 )
				frame( true );
		}
		frame( false );
		ASSERT_TRUE( device->ReadBackBuffer( pixels, width, height ) );
		project.EndDraw();

		auto at = [&]( float x, float y ) {
			const auto [px, py] = pixelOf( x, y );
			EXPECT_TRUE( px >= 0 && px < width && py >= 0 && py < height ) << x << ", " << y;
			const size_t i = ( size_t( py ) * size_t( width ) + size_t( px ) ) * 4;
			return Pixel{ pixels[i], pixels[i + 1], pixels[i + 2] };
		};
		// A beam's core is white-hot; the clear colour is (100, 100, 255).
		auto bright = [&]( float x, float y ) {
			for ( float dx : { -0.1f, -0.05f, 0.0f, 0.05f, 0.1f } )
				for ( float dy : { -0.1f, -0.05f, 0.0f, 0.05f, 0.1f } )
				{
					const Pixel p = at( x + dx, y + dy );
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
					const Pixel p = at( x, y );
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

		Tarn::ObjectManager::Instance().DestroyAll();
		project.Shutdown();
		EXPECT_TRUE( std::filesystem::exists( screenshot ) );
	}
}
