#include "Core/GameWindow/GameProject.h"
#include "Graphics/GraphicsManager.h"
#include "Platform/RecordingRenderDevice.h"
#include "Platform/TweakBar.h"
#include "core/MathConstants.h"
#include "core/Services.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
	using Graphics::GraphicsManager;
	using Platform::RecordingRenderDevice;

	// The whole game, headless, initialised but not looping.
	class HeadlessGraphics : public testing::Test
	{
	protected:
		void SetUp() override
		{
			Tarn::LaunchOptions options;
			options.mHeadless = true;
			mProject = std::make_unique<Tarn::GameProject>( options );
			mProject->mWindow.Settings().mFullscreen = mFullscreen;
			mProject->CreateComponents();
			mProject->Initialise();
			mGraphics = Tarn::Services::Get<GraphicsManager>();
			mGraphics->mLostWaitMilliseconds = 0;
			mDevice = dynamic_cast<RecordingRenderDevice*>( mGraphics->GetDevice() );
			ASSERT_NE( mDevice, nullptr );
		}
		void TearDown() override
		{
			mProject->Shutdown();
			mProject.reset();
		}

		size_t CountCalls( const std::string& call ) const
		{
			return size_t( std::count( mDevice->mCalls.begin(), mDevice->mCalls.end(), call ) );
		}

		bool mFullscreen = false;
		std::unique_ptr<Tarn::GameProject> mProject;
		GraphicsManager* mGraphics = nullptr;
		RecordingRenderDevice* mDevice = nullptr;
	};

	TEST_F( HeadlessGraphics, InitialisesInOrderAndBindsTheStandardShaders )
	{
		const std::vector<std::string>& calls = mDevice->mCalls;
		ASSERT_GE( calls.size(), 9u );
		EXPECT_EQ( calls[0], "Create 1280x720 windowed" );
		EXPECT_EQ( calls[1], "SetFixedStates" );
		EXPECT_EQ( calls[2], "CompileShader vertex ./src/Graphics/Vertex.glsl" );
		EXPECT_EQ( calls[3], "CompileShader pixel ./src/Graphics/Pixel.glsl" );
		EXPECT_EQ( calls[4], "CompileShader pixel ./src/Graphics/Alpha.glsl" );
		EXPECT_EQ( calls[5], "CompileShader pixel ./src/Graphics/WavyPixel.glsl" );
		EXPECT_EQ( calls[6], "CompileShader pixel ./src/Graphics/TextPixel.glsl" );
		EXPECT_EQ( calls[7], "SetVertexShader " + std::to_string( mGraphics->GetVertexShader() ) );
		EXPECT_EQ( calls[8], "SetPixelShader " + std::to_string( mGraphics->GetPixelShader() ) );
		EXPECT_NE( mGraphics->GetVertexShader(), 0u );
		EXPECT_NE( mGraphics->GetAlphaPixelShader(), 0u );
		EXPECT_NE( mGraphics->GetWavyPixelShader(), 0u );
		EXPECT_NE( mGraphics->GetTextPixelShader(), 0u );
		EXPECT_EQ( mDevice->mBoundPixelShader, mGraphics->GetPixelShader() );
		EXPECT_EQ( mGraphics->mDrawOrder, 7 );

		const Platform::TweakBarData* settings = Platform::FindTweakBar( "Settings" );
		ASSERT_NE( settings, nullptr );
		EXPECT_EQ( settings->mDefines, ( std::vector<std::string>{ "Settings position='0 0'" } ) );
		EXPECT_EQ( Platform::TweakBars().mWidth, 1280 );
	}

	TEST_F( HeadlessGraphics, AFrameClearsToTheClearColourAndPresentsAfterEndScene )
	{
		ASSERT_TRUE( mGraphics->BeginFrame() );
		mProject->EndDraw();
		const auto& calls = mDevice->mCalls;
		const auto clear = std::find( calls.begin(), calls.end(), "Clear ff6464ff" );
		ASSERT_NE( clear, calls.end() );
		ASSERT_GE( calls.end() - clear, 4 );
		EXPECT_EQ( *( clear + 1 ), "BeginScene" );
		EXPECT_EQ( *( clear + 2 ), "EndScene" );
		EXPECT_EQ( *( clear + 3 ), "Present" );
		// The view is set on the device at the start of each frame.
		EXPECT_EQ( mDevice->GetTransform( Platform::TransformKind::View ), *mGraphics->GetView() );
	}

	TEST_F( HeadlessGraphics, ALostDeviceSkipsTheFrameAndAResetRestoresTheShaders )
	{
		mDevice->mLevel = Platform::CooperativeLevel::Lost;
		EXPECT_FALSE( mGraphics->BeginFrame() );
		EXPECT_EQ( CountCalls( "BeginScene" ), 0u );
		EXPECT_FALSE( mGraphics->IsDeviceReady() );

		// Back on screen: a failed reset keeps retrying frame after frame.
		mDevice->mLevel = Platform::CooperativeLevel::NotReset;
		mDevice->mResetSucceeds = false;
		EXPECT_FALSE( mGraphics->BeginFrame() );
		EXPECT_FALSE( mGraphics->BeginFrame() );
		EXPECT_EQ( CountCalls( "Reset failed" ), 2u );
		EXPECT_EQ( CountCalls( "BeginScene" ), 0u );

		mDevice->mResetSucceeds = true;
		EXPECT_TRUE( mGraphics->BeginFrame() );
		EXPECT_TRUE( mGraphics->IsDeviceReady() );
		EXPECT_EQ( CountCalls( "Reset ok" ), 1u );
		EXPECT_EQ( CountCalls( "BeginEvent ** Reset Device**" ), 3u );
		// The reset unbinds everything; the standard pair is bound again, freshly compiled.
		EXPECT_EQ( mDevice->mBoundPixelShader, mGraphics->GetPixelShader() );
		EXPECT_EQ( mDevice->mBoundVertexShader, mGraphics->GetVertexShader() );
		EXPECT_NE( mDevice->mBoundPixelShader, 0u );
		EXPECT_EQ( CountCalls( "BeginScene" ), 1u );
	}

	TEST_F( HeadlessGraphics, FocusEventsCheckTheDevice )
	{
		mDevice->mLevel = Platform::CooperativeLevel::Lost;
		mProject->mWindow.mOnFocusLost.Raise();
		EXPECT_FALSE( mGraphics->IsDeviceReady() );
		mDevice->mLevel = Platform::CooperativeLevel::NotReset;
		mProject->mWindow.mOnFocusGained.Raise();
		EXPECT_TRUE( mGraphics->IsDeviceReady() );
		EXPECT_EQ( CountCalls( "Reset ok" ), 1u );
	}

	TEST_F( HeadlessGraphics, ScreenToWorldOfTheCentreIsThePointLookedAt )
	{
		ASSERT_TRUE( mGraphics->BeginFrame() );
		mProject->EndDraw();
		const glm::vec2 centre = mGraphics->ScreenToWorld( 640.0f, 360.0f );
		EXPECT_NEAR( centre.x, 0.0f, 1e-3f );
		EXPECT_NEAR( centre.y, 0.0f, 1e-3f );
		// Right of centre is +x, below centre is -y, and the plane z = 0 lies 25 units
		// away behind a pi/4 field of view.
		const glm::vec2 right = mGraphics->ScreenToWorld( 1280.0f, 360.0f );
		const float halfHeight = 25.08f * std::tan( Tarn::kPi / 4.0f / 2.0f );
		EXPECT_NEAR( right.x, halfHeight * 1280.0f / 720.0f, 0.2f );
		EXPECT_LT( mGraphics->ScreenToWorld( 640.0f, 700.0f ).y, -5.0f );
	}

	class HeadlessFullscreenGraphics : public HeadlessGraphics
	{
	protected:
		void SetUp() override
		{
			mFullscreen = true;
			HeadlessGraphics::SetUp();
		}
	};

	TEST_F( HeadlessFullscreenGraphics, AFullScreenWindowCreatesTheDeviceNotWindowed )
	{
		EXPECT_FALSE( mDevice->GetPresentParameters().mWindowed );
		EXPECT_FALSE( mDevice->GetPresentParameters().mAutoDepthStencil );
	}

	TEST( RecordingDevice, ShaderCompilationFailsForAMissingFileOrWhenTold )
	{
		Platform::PresentParameters parameters;
		parameters.mBackBufferWidth = 64;
		parameters.mBackBufferHeight = 64;
		RecordingRenderDevice device( parameters );
		device.mFailShaderContaining = "WavyPixel";
		std::string error;
		EXPECT_EQ( device.CompileShader( "./src/Graphics/WavyPixel.glsl", Platform::ShaderStage::Pixel, error ), 0u );
		EXPECT_FALSE( error.empty() );
		EXPECT_NE( device.CompileShader( "./src/Graphics/Pixel.glsl", Platform::ShaderStage::Pixel, error ), 0u );
		EXPECT_EQ( device.CompileShader( "./src/Graphics/Missing.glsl", Platform::ShaderStage::Pixel, error ), 0u );
	}
}
