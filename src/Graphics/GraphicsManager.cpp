#include "Graphics/GraphicsManager.h"

#include "Core/GameWindow/Game.h"
#include "Core/GameWindow/GameWindow.h"
#include "Graphics/FontManager.h"
#include "Platform/PlatformWindow.h"
#include "Platform/RecordingRenderDevice.h"
#include "Platform/Timing.h"
#include "Platform/TweakBar.h"
#include "Utilities/Assert.h"
#include "Utilities/Log.h"
#include "core/MathConstants.h"
#include "core/Services.h"

#include <glm/ext/matrix_projection.hpp>

#include <vector>

namespace Graphics
{
	namespace
	{
		constexpr float kFieldOfView = Tarn::kPi / 4.0f;
		constexpr float kNearPlane = 1.0f;
		constexpr float kFarPlane = 100.0f;
	}

	GraphicsManager::GraphicsManager( Tarn::Game* game ) : DrawableGameComponent( game ) { mDrawOrder = 7; }

	GraphicsManager::~GraphicsManager() = default;

	Platform::PresentParameters GraphicsManager::BuildPresentParameters() const
	{
		Platform::PresentParameters parameters;
		int width = 0, height = 0;
		if ( mWindow && mWindow->GetPlatformWindow() )
			mWindow->GetPlatformWindow()->GetClientSize( width, height );
		else if ( mWindow )
		{
			width = mWindow->Settings().mWidth;
			height = mWindow->Settings().mHeight;
		}
		parameters.mBackBufferWidth = width;
		parameters.mBackBufferHeight = height;
		parameters.mWindowed = !( mWindow && mWindow->Settings().mFullscreen );
		// Everything is drawn in order, back to front, and nothing tests depth: no depth
		// buffer to clear and keep (a software rasteriser fills flat quads fastest
		// without one).
		parameters.mAutoDepthStencil = false;
		parameters.mDepthBits = 0;
		return parameters;
	}

	void GraphicsManager::Initialise()
	{
		mWindow = Tarn::Services::Get<Tarn::GameWindow>();
		TARN_ASSERT( mWindow );

		LOG_INFO( "Initialising graphics manager." );
		if ( mWindow )
		{
			mWindow->mOnFocusLost.Subscribe( this, &GraphicsManager::CheckDeviceAfterPause );
			mWindow->mOnFocusGained.Subscribe( this, &GraphicsManager::CheckDevice );
		}

		mPresentParameters = BuildPresentParameters();
		void* nativeWindow = mWindow ? mWindow->NativeHandle() : nullptr;
		if ( nativeWindow )
		{
			std::string error;
			mOwnedDevice = Platform::CreateOpenGlDevice( nativeWindow, mPresentParameters, error );
			if ( !mOwnedDevice )
				LOG_ERROR( "Failed to create the render device: " << error << ". Nothing will be drawn." );
		}
		// Headless, or a failed device: calls are kept and nothing is drawn, so the
		// game still runs.
		if ( !mOwnedDevice )
			mOwnedDevice = std::make_unique<Platform::RecordingRenderDevice>( mPresentParameters );
		mDevice = mOwnedDevice.get();

		SetStates();

		TwInit();
		TwWindowSize( mPresentParameters.mBackBufferWidth, mPresentParameters.mBackBufferHeight );
		TwNewBar( "Settings" );
		TwDefine( "Settings position='0 0'" );

		BuildViewAndProjection();
		mDevice->SetTransform( Platform::TransformKind::Projection, mProjection );

		mVertexShader = Compile( kVertexShaderFile, Platform::ShaderStage::Vertex );
		mPixelShader = Compile( kPixelShaderFile, Platform::ShaderStage::Pixel );
		mAlphaPixelShader = Compile( kAlphaShaderFile, Platform::ShaderStage::Pixel );
		mWavyPixelShader = Compile( kWavyShaderFile, Platform::ShaderStage::Pixel );
		mTextPixelShader = Compile( kTextShaderFile, Platform::ShaderStage::Pixel );
		BindStandardShaders();

		// Text is drawn from this face by the fonts; it only has to be known here.
		mFontFile = kFontFile;
		// The device had a cursor of its own, separate from the system's, which stayed
		// hidden; an OpenGL context has none, so there is nothing to hide.
	}

	void GraphicsManager::SetStates() { mDevice->SetFixedStates(); }

	void GraphicsManager::ResetView()
	{
		mView = LookAtLH( glm::vec3( 0.0f, 2.0f, -25.0f ), glm::vec3( 0.0f ), glm::vec3( 0.0f, 1.0f, 0.0f ) );
	}

	void GraphicsManager::BuildViewAndProjection()
	{
		ResetView();
		const unsigned width = static_cast<unsigned>( mPresentParameters.mBackBufferWidth );
		const unsigned height = static_cast<unsigned>( mPresentParameters.mBackBufferHeight );
		const float aspect = height != 0 ? static_cast<float>( width ) / static_cast<float>( height ) : 1.0f;
		mProjection = PerspectiveFovLH( kFieldOfView, aspect, kNearPlane, kFarPlane );
	}

	Platform::ShaderHandle GraphicsManager::Compile( const char* file, Platform::ShaderStage stage )
	{
		std::string error;
		const Platform::ShaderHandle shader = mDevice->CompileShader( file, stage, error );
		if ( !shader )
			LOG_ERROR( "Shader " << file << " failed to compile: " << error );
		return shader;
	}

	void GraphicsManager::BindStandardShaders()
	{
		mDevice->SetVertexShader( mVertexShader );
		mDevice->SetPixelShader( mPixelShader );
	}

	bool GraphicsManager::CheckCooperativeLevel()
	{
		switch ( mDevice->TestCooperativeLevel() )
		{
		case Platform::CooperativeLevel::Ok:
			return true;
		case Platform::CooperativeLevel::Lost:
			Platform::SleepMilliseconds( mLostWaitMilliseconds );
			mDeviceReady = false;
			return false;
		case Platform::CooperativeLevel::NotReset:
			if ( !mDeviceReady )
				mDeviceReady = ResetDevice();
			return mDeviceReady;
		case Platform::CooperativeLevel::Failed:
			return false;
		}
		return false;
	}

	bool GraphicsManager::BeginFrame()
	{
		if ( !mDevice )
			return false;
		if ( !CheckCooperativeLevel() )
			return false;
		mDevice->Clear( kClearColour, 1.0f, 0 );
		mDevice->BeginScene();
		mDevice->SetTransform( Platform::TransformKind::View, mView );
		return true;
	}

	void GraphicsManager::EndFrame()
	{
		if ( !mDevice )
			return;
		mDevice->EndScene();
		// The back buffer is gone once presented, and the frame that ends the run is
		// not known in advance: keep each frame until a later one replaces it.
		if ( !mScreenshotPath.empty() )
			mHaveShot = mDevice->ReadBackBuffer( mShotPixels, mShotWidth, mShotHeight );
		mDevice->Present();
	}

	void GraphicsManager::WriteScreenshot()
	{
		std::string error;
		if ( !mHaveShot )
			LOG_ERROR( "No frame was drawn for the screenshot " << mScreenshotPath << "." );
		else if ( !Platform::SavePng( mScreenshotPath, mShotPixels, mShotWidth, mShotHeight, error ) )
			LOG_ERROR( "Could not write the screenshot " << mScreenshotPath << ": " << error );
		else
			LOG_INFO( "Screenshot written to " << mScreenshotPath << "." );
		mScreenshotPath.clear();
		mShotPixels.clear();
		mHaveShot = false;
	}

	void GraphicsManager::CheckDevice()
	{
		if ( mDevice )
			CheckCooperativeLevel();
	}

	void GraphicsManager::CheckDeviceAfterPause()
	{
		Platform::SleepMilliseconds( mLostWaitMilliseconds );
		CheckDevice();
	}

	void GraphicsManager::TellFontsLost()
	{
		if ( FontManager* fonts = Tarn::Services::Get<FontManager>() )
			fonts->OnLostDevice();
	}

	void GraphicsManager::TellFontsReset()
	{
		if ( FontManager* fonts = Tarn::Services::Get<FontManager>() )
			fonts->OnResetDevice();
	}

	bool GraphicsManager::ResetDevice()
	{
		mDevice->BeginEvent( 0xFFFF0000, "** Reset Device**" );
		mPresentParameters = BuildPresentParameters();
		TellFontsLost();
		if ( mDevice->Reset( mPresentParameters ) )
		{
			mDeviceReady = true;
			TellFontsReset();
		}
		else
			mDeviceReady = false;

		SetStates();
		// A reset after the window changed size (full screen on or off): the bars and
		// the projection follow the new back buffer.
		TwWindowSize( mPresentParameters.mBackBufferWidth, mPresentParameters.mBackBufferHeight );
		BuildViewAndProjection();
		mDevice->SetTransform( Platform::TransformKind::Projection, mProjection );
		mDevice->ReleaseShader( mVertexShader );
		mVertexShader = Compile( kVertexShaderFile, Platform::ShaderStage::Vertex );
		mDevice->ReleaseShader( mPixelShader );
		mPixelShader = Compile( kPixelShaderFile, Platform::ShaderStage::Pixel );
		BindStandardShaders();
		mDevice->EndEvent();
		return mDeviceReady;
	}

	glm::vec2 GraphicsManager::ScreenToWorld( float x, float y ) const
	{
		if ( !mDevice )
			return glm::vec2( 0.0f );
		const Platform::Viewport viewport = mDevice->GetViewport();
		// glm unprojects with column-vector matrices and a window whose y grows upward.
		const glm::mat4 view = glm::transpose( mDevice->GetTransform( Platform::TransformKind::View ) );
		const glm::mat4 projection = glm::transpose( mDevice->GetTransform( Platform::TransformKind::Projection ) );
		const glm::vec4 area( viewport.mX, 0.0f, viewport.mWidth, viewport.mHeight );
		const float windowY = static_cast<float>( viewport.mHeight ) - ( y - static_cast<float>( viewport.mY ) );
		const glm::vec3 nearPoint = glm::unProjectZO( glm::vec3( x, windowY, viewport.mMinZ ), view, projection, area );
		const glm::vec3 farPoint = glm::unProjectZO( glm::vec3( x, windowY, viewport.mMaxZ ), view, projection, area );
		const float t = ( 0.0f - nearPoint.z ) / ( farPoint.z - nearPoint.z );
		return glm::vec2( nearPoint.x + ( farPoint.x - nearPoint.x ) * t, nearPoint.y + ( farPoint.y - nearPoint.y ) * t );
	}

	void GraphicsManager::Shutdown()
	{
		if ( !mScreenshotPath.empty() )
			WriteScreenshot();
		mFontFile.clear();
		if ( mDevice )
		{
			mDevice->ReleaseShader( mPixelShader );
			mDevice->ReleaseShader( mWavyPixelShader );
			mDevice->ReleaseShader( mAlphaPixelShader );
			mDevice->ReleaseShader( mTextPixelShader );
			mDevice->ReleaseShader( mVertexShader );
		}
		mPixelShader = mWavyPixelShader = mAlphaPixelShader = mTextPixelShader = mVertexShader = 0;
		mDevice = nullptr;
		mOwnedDevice.reset();
		TwTerminate();
		if ( mWindow )
		{
			LOG_INFO( "Shutting down graphics manager." );
			mWindow->mOnFocusLost.Unsubscribe( this, &GraphicsManager::CheckDeviceAfterPause );
			mWindow->mOnFocusGained.Unsubscribe( this, &GraphicsManager::CheckDevice );
			mWindow = nullptr;
		}
	}
}
