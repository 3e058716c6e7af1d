#include "support/LevelOnScreen.h"

#include "Core/ObjectManager.h"
#include "GameStates/LevelManager.h"
#include "Graphics/GraphicsManager.h"
#include "Platform/RenderDevice.h"
#include "core/Services.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace KelvaneTest
{
	namespace
	{
		Tarn::LaunchOptions Windowed()
		{
			LevelFileSystem();
			Tarn::LaunchOptions options;
			options.mWindowMode = Tarn::WindowMode::Windowed;
			return options;
		}

		Graphics::GraphicsManager& GraphicsService() { return *Tarn::Services::Get<Graphics::GraphicsManager>(); }
	}

	LevelOnScreen::LevelOnScreen( int level, const std::string& screenshot ) : mProject( Windowed() )
	{
		const std::string id = "Level" + std::to_string( level );
		mResources.Point( id.c_str(), std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/" + id + ".xml" );
		mProject.mWindow.Settings().mFullscreen = false;
		mProject.CreateComponents();
		std::filesystem::remove( screenshot );
		GraphicsService().RequestScreenshot( screenshot );
		mProject.Initialise();
		EXPECT_NE( GraphicsService().GetDevice(), nullptr );
		EXPECT_TRUE( Tarn::Services::Get<Tarn::LevelManager>()->LoadLevel( level ) );
		mProject.GetGameTime().ElapsedSeconds = 0.016f;
		Frame();
		mViewProjection = *GraphicsService().GetView() * GraphicsService().GetProjection();
		const Platform::Viewport viewport = GraphicsService().GetDevice()->GetViewport();
		mWidth = viewport.mWidth;
		mHeight = viewport.mHeight;
	}

	LevelOnScreen::~LevelOnScreen()
	{
		Tarn::ObjectManager::Instance().DestroyAll();
		mProject.Shutdown();
	}

	std::pair<int, int> LevelOnScreen::PixelOf( float x, float y ) const
	{
		const glm::vec3 ndc = Graphics::TransformCoord( { x, y, 0.0f }, mViewProjection );
		return { int( ( ndc.x + 1.0f ) * 0.5f * float( mWidth ) ), int( ( 1.0f - ndc.y ) * 0.5f * float( mHeight ) ) };
	}

	void LevelOnScreen::Step( int x, int y )
	{
		// Set before every step: the real pointer of the X server may move too.
		mProject.mWindow.mOnMouseMove.Raise( x, y );
		mProject.Update( mProject.GetGameTime() );
	}

	void LevelOnScreen::Frame()
	{
		ASSERT_TRUE( mProject.BeginDraw() );
		mProject.Draw( mProject.GetGameTime() );
		mProject.EndDraw();
	}

	void LevelOnScreen::Capture()
	{
		ASSERT_TRUE( mProject.BeginDraw() );
		mProject.Draw( mProject.GetGameTime() );
		ASSERT_TRUE( GraphicsService().GetDevice()->ReadBackBuffer( mPixels, mWidth, mHeight ) );
		mProject.EndDraw();
	}

	Pixel LevelOnScreen::At( float x, float y ) const
	{
		const auto [px, py] = PixelOf( x, y );
		if ( px < 0 || px >= mWidth || py < 0 || py >= mHeight || mPixels.empty() )
		{
			ADD_FAILURE() << "(" << x << ", " << y << ") is not in the captured frame";
			return {};
		}
		const size_t i = ( size_t( py ) * size_t( mWidth ) + size_t( px ) ) * 4;
		return { mPixels[i], mPixels[i + 1], mPixels[i + 2] };
	}
}
