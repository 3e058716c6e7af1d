// The real OpenGL device on a real window (Xvfb in CI): what reaches the pixels.
#include "Core/GameWindow/GameProject.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/Matrices.h"
#include "Platform/RenderDevice.h"
#include "core/Services.h"
#include "support/LogCapture.h"
#include "support/RunGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace
{
	bool HaveDisplay() { return std::getenv( "DISPLAY" ) != nullptr; }

	struct Pixel
	{
		int r, g, b, a;
	};

	Pixel At( const std::vector<uint8_t>& rgba, int width, int x, int y )
	{
		const size_t i = ( size_t( y ) * size_t( width ) + size_t( x ) ) * 4;
		return { rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3] };
	}

	class RealDevice : public testing::Test
	{
	protected:
		void SetUp() override
		{
			if ( !HaveDisplay() )
				GTEST_SKIP() << "no X display";
			Tarn::LaunchOptions options;
			options.mWindowMode = Tarn::WindowMode::Windowed;
			mProject = std::make_unique<Tarn::GameProject>( options );
			mProject->mWindow.Settings().mFullscreen = false;
			mProject->CreateComponents();
			mProject->Initialise();
			mGraphics = Tarn::Services::Get<Graphics::GraphicsManager>();
			mDevice = mGraphics->GetDevice();
		}
		void TearDown() override
		{
			if ( mProject )
				mProject->Shutdown();
			mProject.reset();
		}

		// One quad from (-s, -s) to (s, s) with no transform: s = 1 covers the screen.
		Platform::BufferHandle Quad( float s )
		{
			const Platform::BufferHandle buffer = mDevice->CreateVertexBuffer( 4 );
			Platform::Vertex* v = mDevice->Lock( buffer );
			v[0] = { -s, s, 0.5f, 0xFFFFFFFFu, 0, 0 };
			v[1] = { s, s, 0.5f, 0xFFFFFFFFu, 1, 0 };
			v[2] = { -s, -s, 0.5f, 0xFFFFFFFFu, 0, 1 };
			v[3] = { s, -s, 0.5f, 0xFFFFFFFFu, 1, 1 };
			mDevice->Unlock( buffer );
			return buffer;
		}

		std::unique_ptr<Tarn::GameProject> mProject;
		Graphics::GraphicsManager* mGraphics = nullptr;
		Platform::RenderDevice* mDevice = nullptr;
	};

	TEST_F( RealDevice, ClearsToTheClearColourAndDrawsAnUntexturedQuadInItsColour )
	{
		ASSERT_NE( mDevice, nullptr );
		ASSERT_NE( mGraphics->GetVertexShader(), 0u ) << "vertex shader did not compile";
		ASSERT_NE( mGraphics->GetPixelShader(), 0u ) << "pixel shader did not compile";
		ASSERT_TRUE( mGraphics->BeginFrame() );
		const Platform::BufferHandle quad = Quad( 0.5f );
		const float red[4] = { 1.0f, 0.0f, 0.0f, 1.0f };
		mDevice->SetShaderMatrix( mGraphics->GetVertexShader(), "WorldViewProj", Graphics::Identity() );
		mDevice->SetShaderFloat4( mGraphics->GetPixelShader(), "rgba0", red );
		mDevice->SetTexture( 0, 0 );
		mDevice->DrawTriangleStrip( quad, 0, 2 );

		std::vector<uint8_t> pixels;
		int width = 0, height = 0;
		ASSERT_TRUE( mDevice->ReadBackBuffer( pixels, width, height ) );
		EXPECT_EQ( width, 1280 );
		EXPECT_EQ( height, 720 );
		const Pixel empty = At( pixels, width, 5, 5 );
		EXPECT_EQ( empty.r, 100 );
		EXPECT_EQ( empty.g, 100 );
		EXPECT_EQ( empty.b, 255 );
		// The quad spans the middle half of the screen.
		const Pixel middle = At( pixels, width, 640, 360 );
		EXPECT_EQ( middle.r, 255 );
		EXPECT_EQ( middle.g, 0 );
		EXPECT_EQ( middle.b, 0 );
		const Pixel insideCorner = At( pixels, width, 330, 190 );
		EXPECT_EQ( insideCorner.r, 255 );
		const Pixel outside = At( pixels, width, 310, 170 );
		EXPECT_EQ( outside.b, 255 );
		mDevice->EndScene();
		mDevice->Present();
		EXPECT_EQ( mDevice->DrawCallsLastFrame(), 1u );
		mDevice->ReleaseVertexBuffer( quad );
	}

	TEST_F( RealDevice, AQuadListDrawsEachQuadOfItsRangeInItsPlaceAndNoneBeyondTheBuffer )
	{
		ASSERT_NE( mDevice, nullptr );
		ASSERT_TRUE( mGraphics->BeginFrame() );
		// 400 cells of 32 x 72 pixels, each quad in its own colour: more than the device
		// draws in one piece, so pieces must follow on where the last one stopped.
		constexpr int kColumns = 40, kRows = 10, kQuads = kColumns * kRows;
		auto colourOf = []( int quad ) {
			return 0xFF000000u | ( uint32_t( quad & 0xFF ) << 16 ) | ( uint32_t( 32 + 64 * ( quad >> 8 ) ) << 8 ) | 200u;
		};
		const Platform::BufferHandle buffer = mDevice->CreateVertexBuffer( kQuads * 4 );
		Platform::Vertex* v = mDevice->Lock( buffer );
		ASSERT_NE( v, nullptr );
		for ( int quad = 0; quad < kQuads; ++quad )
		{
			const float left = float( quad % kColumns ) / kColumns * 2.0f - 1.0f, right = left + 2.0f / kColumns;
			const float top = 1.0f - float( quad / kColumns ) / kRows * 2.0f, bottom = top - 2.0f / kRows;
			const uint32_t colour = colourOf( quad );
			v[quad * 4 + 0] = { left, top, 0.5f, colour, 0, 0 };
			v[quad * 4 + 1] = { left, bottom, 0.5f, colour, 0, 1 };
			v[quad * 4 + 2] = { right, top, 0.5f, colour, 1, 0 };
			v[quad * 4 + 3] = { right, bottom, 0.5f, colour, 1, 1 };
		}
		mDevice->Unlock( buffer );
		const float white[4] = { 1.0f, 1.0f, 1.0f, 1.0f };
		mDevice->SetShaderMatrix( mGraphics->GetVertexShader(), "WorldViewProj", Graphics::Identity() );
		mDevice->SetShaderFloat4( mGraphics->GetPixelShader(), "rgba0", white );
		mDevice->SetTexture( 0, 0 );
		// All but the first and the last, then from the last on with more asked for than
		// the buffer holds.
		mDevice->DrawQuads( buffer, 4, kQuads - 2 );
		mDevice->DrawQuads( buffer, ( kQuads - 1 ) * 4, 10 );

		std::vector<uint8_t> pixels;
		int width = 0, height = 0;
		ASSERT_TRUE( mDevice->ReadBackBuffer( pixels, width, height ) );
		ASSERT_EQ( width, 1280 );
		int wrong = 0;
		for ( int quad = 0; quad < kQuads; ++quad )
		{
			const int x = ( quad % kColumns ) * 32 + 16, y = ( quad / kColumns ) * 72 + 36;
			const Pixel seen = At( pixels, width, x, y );
			const uint32_t colour = quad == 0 ? 0xFF6464FFu : colourOf( quad );
			const Pixel expected = { int( ( colour >> 16 ) & 0xFF ), int( ( colour >> 8 ) & 0xFF ), int( colour & 0xFF ), 255 };
			if ( std::abs( seen.r - expected.r ) <= 1 && std::abs( seen.g - expected.g ) <= 1 &&
			     std::abs( seen.b - expected.b ) <= 1 )
				continue;
			ADD_FAILURE() << "quad " << quad << " shows " << seen.r << "," << seen.g << "," << seen.b << " not "
			              << expected.r << "," << expected.g << "," << expected.b;
			if ( ++wrong == 5 )
				break;
		}
		mDevice->EndScene();
		mDevice->Present();
		EXPECT_EQ( mDevice->DrawCallsLastFrame(), 2u ) << "each list is one draw, however the device cuts it";
		mDevice->ReleaseVertexBuffer( buffer );
	}

	TEST_F( RealDevice, ABrokenShaderReportsTheCompilersMessage )
	{
		const std::string path = testing::TempDir() + "kelvane-broken.glsl";
		{
			std::ofstream out( path );
			out << "#version 330 core\nout vec4 c;\nvoid main() { c = undefinedThing; }\n";
		}
		std::string error;
		EXPECT_EQ( mDevice->CompileShader( path, Platform::ShaderStage::Pixel, error ), 0u );
		EXPECT_NE( error.find( "undefinedThing" ), std::string::npos ) << error;
		std::remove( path.c_str() );
	}

	TEST_F( RealDevice, APictureIsDecodedWhenFirstDrawnAndOneThatCannotBeIsDrawnUntextured )
	{
		ASSERT_NE( mDevice, nullptr );
		// A PNG header promising 4 x 4 pixels, and nothing a decoder can read after it.
		const std::string broken = testing::TempDir() + "kelvane-broken-picture.png";
		{
			const unsigned char header[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
				                             0, 0, 0, 4, 0, 0, 0, 4, 8, 6, 0, 0, 0, 'n', 'o', 'p', 'e' };
			std::ofstream out( broken, std::ios::binary );
			out.write( reinterpret_cast<const char*>( header ), sizeof( header ) );
		}
		int width = 0, height = 0;
		std::string error;
		const Platform::TextureHandle unreadable = mDevice->CreateTextureFromFile( broken, width, height, error );
		ASSERT_NE( unreadable, 0u ) << error;
		EXPECT_EQ( width, 4 );
		EXPECT_EQ( height, 4 );
		const Platform::TextureHandle grey =
		    mDevice->CreateTextureFromFile( "resource/gray_square.png", width, height, error );
		ASSERT_NE( grey, 0u ) << error;
		EXPECT_EQ( width, 64 );
		EXPECT_EQ( mDevice->CreateTextureFromFile( "resource/no such picture.png", width, height, error ), 0u );
		EXPECT_FALSE( error.empty() );

		KelvaneTest::LogCapture log;
		ASSERT_TRUE( mGraphics->BeginFrame() );
		const Platform::BufferHandle quad = Quad( 0.5f );
		const float red[4] = { 1.0f, 0.0f, 0.0f, 1.0f };
		const float white[4] = { 1.0f, 1.0f, 1.0f, 1.0f };
		mDevice->SetShaderMatrix( mGraphics->GetVertexShader(), "WorldViewProj",
		                          Graphics::Scaling( 1.0f, 1.0f, 1.0f ) * Graphics::Translation( -0.5f, 0.0f, 0.0f ) );
		mDevice->SetShaderFloat4( mGraphics->GetPixelShader(), "rgba0", red );
		mDevice->SetTexture( 0, unreadable );
		mDevice->DrawTriangleStrip( quad, 0, 2 );
		mDevice->SetShaderMatrix( mGraphics->GetVertexShader(), "WorldViewProj",
		                          Graphics::Scaling( 1.0f, 1.0f, 1.0f ) * Graphics::Translation( 0.5f, 0.0f, 0.0f ) );
		mDevice->SetShaderFloat4( mGraphics->GetPixelShader(), "rgba0", white );
		mDevice->SetTexture( 0, grey );
		mDevice->DrawTriangleStrip( quad, 0, 2 );
		std::vector<uint8_t> pixels;
		ASSERT_TRUE( mDevice->ReadBackBuffer( pixels, width, height ) );
		mDevice->EndScene();
		mDevice->Present();
		mDevice->ReleaseVertexBuffer( quad );

		const Pixel untextured = At( pixels, width, 320, 360 );
		EXPECT_EQ( untextured.r, 255 );
		EXPECT_EQ( untextured.g, 0 );
		EXPECT_EQ( untextured.b, 0 );
		const Pixel decoded = At( pixels, width, 960, 360 );
		EXPECT_NEAR( decoded.r, 128, 2 );
		EXPECT_NEAR( decoded.g, 128, 2 );
		const auto texts = log.Texts();
		EXPECT_EQ( std::count_if( texts.begin(), texts.end(),
		                          [&]( const std::string& text ) {
			                          return text.rfind( "The picture " + broken + " cannot be decoded", 0 ) == 0;
		                          } ),
		           1 )
		    << "once, at its first use";
		mDevice->ReleaseTexture( unreadable );
		mDevice->ReleaseTexture( grey );
		std::remove( broken.c_str() );
	}

	TEST( Screenshot, AWindowedRunWritesTheLastFrameAsAPng )
	{
		if ( !HaveDisplay() )
			GTEST_SKIP() << "no X display";
		const std::string path = testing::TempDir() + "kelvane-screenshot.png";
		std::remove( path.c_str() );
		// The first level's deep space fills the frame to its corners.
		const auto outcome = KelvaneTest::RunKelvane( "--windowed --level 1 --frames 3 --screenshot '" + path + "'" );
		ASSERT_EQ( outcome.mExitCode, 0 ) << outcome.mOutput;
		std::vector<uint8_t> pixels;
		int width = 0, height = 0;
		std::string error;
		ASSERT_TRUE( Platform::LoadPicture( path, pixels, width, height, error ) ) << error;
		EXPECT_EQ( width, 1280 );
		EXPECT_EQ( height, 720 );
		const Pixel corner = At( pixels, width, 2, 2 );
		EXPECT_FALSE( corner.r == 100 && corner.g == 100 && corner.b == 255 ) << "the clear colour";
		EXPECT_LT( corner.r + corner.g + corner.b, 3 * 60 ) << "deep space";
		std::remove( path.c_str() );
	}

	TEST( Screenshot, IsRefusedWithHeadless )
	{
		const auto outcome = KelvaneTest::RunKelvane( "--headless --frames 1 --screenshot x.png" );
		EXPECT_EQ( outcome.mExitCode, 2 );
		EXPECT_NE( outcome.mOutput.find( "--screenshot" ), std::string::npos ) << outcome.mOutput;
	}
}

#include "Core/ObjectManager.h"
#include "Graphics/Camera.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "support/DrawnObjects.h"

namespace
{
	// Where a world point lands on the screen, by the same view and projection.
	glm::vec2 PixelOf( const glm::vec3& world, const Graphics::Matrix& viewProjection, int width, int height )
	{
		const glm::vec3 ndc = Graphics::TransformCoord( world, viewProjection );
		return { ( ndc.x + 1.0f ) * 0.5f * float( width ), ( 1.0f - ndc.y ) * 0.5f * float( height ) };
	}

	TEST_F( RealDevice, AWorldQuadLandsWhereTheCameraSaysAndScreenToWorldFindsIt )
	{
		KelvaneTest::RegisterDrawnObjects();
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		auto* camera = static_cast<Graphics::Camera*>( objects.CreateObject( Graphics::Camera::ClassHashedName(), "Camera1" ) );
		objects.InitialiseObject( camera );
		Tarn::Object* quad = objects.CreateObject( KelvaneTest::SpriteObject::ClassHashedName(), "Quad1" );
		objects.InitialiseObject( quad );
		auto* transform = quad->GetComponent<Tarn::TransformComponent>();
		transform->mPosition = { 4.0f, 2.5f };
		transform->mXScaleFactor = transform->mYScaleFactor = 2.0f;
		transform->UpdateWorldMatrix();
		auto* mesh = quad->GetComponent<Graphics::MeshComponent>();
		mesh->mColour = { 0.0f, 1.0f, 0.0f, 1.0f };
		mesh->SetTexture( "resource/gray_square.png" );

		// Two steps and frames: the camera writes the view, the frame uses it.
		Tarn::GameTime time;
		time.ElapsedSeconds = 0.016f;
		for ( int frame = 0; frame < 2; ++frame )
		{
			camera->Update( time );
			ASSERT_TRUE( mProject->BeginDraw() );
			mProject->Draw( mProject->GetGameTime() );
			if ( frame == 0 )
				mProject->EndDraw();
		}
		std::vector<uint8_t> pixels;
		int width = 0, height = 0;
		ASSERT_TRUE( mDevice->ReadBackBuffer( pixels, width, height ) );
		mDevice->EndScene();
		mDevice->Present();

		const Graphics::Matrix viewProjection = *mGraphics->GetView() * mGraphics->GetProjection();
		const glm::vec2 centre = PixelOf( { 4.0f, 2.5f, 0.0f }, viewProjection, width, height );
		const Pixel inside = At( pixels, width, int( centre.x ), int( centre.y ) );
		EXPECT_EQ( inside.r, 0 );
		EXPECT_GT( inside.g, 40 );
		EXPECT_EQ( inside.b, 0 );
		const glm::vec2 mirror = PixelOf( { -4.0f, -2.5f, 0.0f }, viewProjection, width, height );
		const Pixel outside = At( pixels, width, int( mirror.x ), int( mirror.y ) );
		EXPECT_EQ( outside.b, 255 );

		const glm::vec2 back = mGraphics->ScreenToWorld( centre.x, centre.y );
		EXPECT_NEAR( back.x, 4.0f, 0.05f );
		EXPECT_NEAR( back.y, 2.5f, 0.05f );
		objects.DestroyAll();
	}
}
