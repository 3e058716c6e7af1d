// Quads drawn in batches through the real OpenGL device (Xvfb in CI): the same pixels
// as one call a quad, a handful of calls where there were hundreds, and every change
// of texture, shader, constant or state drawing what came before it first.
#include "Core/GameTime.h"
#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextureManager.h"
#include "Physics/TransformComponent.h"
#include "Platform/RecordingRenderDevice.h"
#include "Platform/RenderDevice.h"
#include "core/Services.h"
#include "support/DrawnObjects.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{
	using Graphics::Matrix;

	// The unit square of every mesh, as a strip, in a buffer of its own.
	Platform::BufferHandle UnitQuad( Platform::RenderDevice& device )
	{
		const Platform::BufferHandle buffer = device.CreateVertexBuffer( 4 );
		Platform::Vertex* v = device.Lock( buffer );
		v[0] = { -0.5f, 0.5f, 0.0f, 0xFFFFFFFFu, 0, 0 };
		v[1] = { -0.5f, -0.5f, 0.0f, 0xFFFFFFFFu, 0, 1 };
		v[2] = { 0.5f, 0.5f, 0.0f, 0xFFFFFFFFu, 1, 0 };
		v[3] = { 0.5f, -0.5f, 0.0f, 0xFFFFFFFFu, 1, 1 };
		device.Unlock( buffer );
		return buffer;
	}

	// A light cone's way of drawing: its own quad through the alpha shader, whose
	// colour constant is "rgba".
	class AlphaQuad : public Tarn::IsDrawable
	{
	public:
		AlphaQuad( Graphics::GraphicsManager& graphics, Platform::TextureHandle texture, const Matrix& world )
		    : mGraphics( graphics ), mTexture( texture ), mWorld( world )
		{
			mBuffer = UnitQuad( *mGraphics.GetDevice() );
		}
		~AlphaQuad() override { mGraphics.GetDevice()->ReleaseVertexBuffer( mBuffer ); }

		void Draw( Tarn::GameTime& ) override
		{
			Platform::RenderDevice* device = mGraphics.GetDevice();
			const Matrix viewProjection = device->GetTransform( Platform::TransformKind::View ) *
			                              device->GetTransform( Platform::TransformKind::Projection );
			device->SetShaderMatrix( mGraphics.GetVertexShader(), "WorldViewProj", mWorld * viewProjection );
			device->SetPixelShader( mGraphics.GetAlphaPixelShader() );
			const float colour[4] = { 1.0f, 0.6f, 0.2f, 0.7f };
			device->SetShaderFloat4( mGraphics.GetAlphaPixelShader(), "rgba", colour );
			device->SetTexture( 0, mTexture );
			device->DrawTriangleStrip( mBuffer, 0, 2 );
		}

	private:
		Graphics::GraphicsManager& mGraphics;
		Platform::TextureHandle mTexture;
		Matrix mWorld;
		Platform::BufferHandle mBuffer = 0;
	};

	struct Frame
	{
		std::vector<uint8_t> mPixels;
		int mWidth = 0;
		int mHeight = 0;
		uint32_t mDrawCalls = 0;

		// The pixel's red, green and blue; -1 each outside the frame or when none was read.
		std::array<int, 3> At( int x, int y ) const
		{
			const size_t i = ( size_t( y ) * size_t( mWidth ) + size_t( x ) ) * 4;
			if ( x < 0 || y < 0 || x >= mWidth || y >= mHeight || i + 3 >= mPixels.size() )
				return { -1, -1, -1 };
			return { mPixels[i], mPixels[i + 1], mPixels[i + 2] };
		}
	};

	// The game in a 1280 x 720 window, its device drawing in batches or one call a quad.
	class Stage
	{
	public:
		explicit Stage( bool batching, bool headless = false )
		{
			KelvaneTest::ScopedEnvironment environment;
			environment.Set( "KELVANE_BATCHING", batching ? std::nullopt : std::optional<std::string>( "0" ) );
			KelvaneTest::RegisterDrawnObjects();
			Tarn::LaunchOptions options;
			options.mHeadless = headless;
			options.mWindowMode = Tarn::WindowMode::Windowed;
			mProject = std::make_unique<Tarn::GameProject>( options );
			mProject->mWindow.Settings().mFullscreen = false;
			mProject->CreateComponents();
			mProject->Initialise();
			mGraphics = Tarn::Services::Get<Graphics::GraphicsManager>();
			mDevice = mGraphics->GetDevice();
			// Every run of the scene starts the beam's ripple from the same time.
			Graphics::MeshComponent::WavyTime() = 0.0f;
		}
		~Stage()
		{
			mAlphaQuad.reset();
			Tarn::ObjectManager::Instance().DestroyAll();
			mProject->Shutdown();
		}

		Tarn::Object* Make( const Tarn::HashedName& type, const std::string& name, const char* asType = nullptr )
		{
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			Tarn::Object* object = objects.CreateObject( type, name.c_str() );
			if ( asType )
				object->mType = Tarn::HashedName( asType );
			objects.InitialiseObject( object );
			return object;
		}

		Graphics::MeshComponent& Sprite( const std::string& name, const char* texture, Tarn::Vector2 at, float angle,
		                                 Tarn::Vector2 scale, const char* asType = nullptr )
		{
			Tarn::Object* object = Make( KelvaneTest::SpriteObject::ClassHashedName(), name, asType );
			auto* transform = object->GetComponent<Tarn::TransformComponent>();
			transform->mPosition = at;
			transform->mDirection = angle;
			transform->mXScaleFactor = scale.X;
			transform->mYScaleFactor = scale.Y;
			transform->UpdateWorldMatrix();
			auto* mesh = object->GetComponent<Graphics::MeshComponent>();
			mesh->SetTexture( texture );
			return *mesh;
		}

		// The scene the pixel comparison draws: world meshes of three textures in runs,
		// two rippling beams, three emitters of different textures, a cone through the
		// alpha shader and HUD quads on top, overlapping and translucent throughout.
		void BuildScene()
		{
			const char* textures[] = { "resource/mine.png", "resource/crown.png", "resource/cross.png" };
			for ( int i = 0; i < 24; ++i )
			{
				Graphics::MeshComponent& mesh =
				    Sprite( "Sprite" + std::to_string( i ), textures[i / 4 % 3],
				            { float( i % 8 ) * 3.2f - 11.0f, float( i / 8 ) * 3.0f - 4.0f }, 0.3f * float( i ), { 3.0f, 3.0f } );
				mesh.mColour = { 1.0f + 0.1f * float( i % 5 ), 1.0f - 0.03f * float( i ), 0.8f, i % 3 == 0 ? 0.6f : 1.0f };
			}
			for ( int i = 0; i < 2; ++i )
			{
				Graphics::MeshComponent& beam = Sprite( "Beam" + std::to_string( i ), "resource/energybeam.png",
				                                        { -2.0f + 4.0f * float( i ), 1.0f }, 1.2f - 0.5f * float( i ),
				                                        { 2.0f, 12.0f }, "Beam" );
				beam.mDrawOrder = 2;
				EXPECT_TRUE( beam.mIsWavy );
			}
			const char* sparkTextures[] = { "resource/circle texture.png", "resource/star.png",
				                            "resource/Particle Sprites/Metalball.png" };
			for ( int i = 0; i < 3; ++i )
			{
				Tarn::Object* sparks = Make( KelvaneTest::SparksObject::ClassHashedName(), "Sparks" + std::to_string( i ) );
				sparks->GetComponent<Tarn::TransformComponent>()->mPosition = { float( i ) * 7.0f - 7.0f, -2.0f };
				auto* emitter = sparks->GetComponent<Graphics::EmitterComponent>();
				emitter->Explosion();
				emitter->SetTexture( sparkTextures[i] );
			}
			mAlphaQuad = std::make_unique<AlphaQuad>(
			    *mGraphics, Tarn::Services::Get<Graphics::TextureManager>()->GetTexture( "resource/light.png" ),
			    Graphics::Scaling( 9.0f, 6.0f, 1.0f ) * Graphics::Translation( 3.0f, 3.0f, 0.0f ) );
			mAlphaQuad->mDrawOrder = 4;
			const char* hudTextures[] = { "resource/keywasd.png", "resource/left click.png" };
			for ( int i = 0; i < 4; ++i )
			{
				Graphics::MeshComponent& hud = Sprite( "Hud" + std::to_string( i ), hudTextures[i % 2],
				                                       { -0.8f + 0.3f * float( i ), 0.75f }, 0.0f, { 0.5f, 0.4f } );
				hud.mIsHUD = true;
				hud.mDrawOrder = 5;
				hud.mColour.a = i == 2 ? 0.5f : 1.0f;
			}

			Tarn::GameTime& time = mProject->GetGameTime();
			time.ElapsedSeconds = 0.016f;
			time.ElapsedGameTime = 16;
			for ( int step = 0; step < 40; ++step )
				mProject->Update( time );
		}

		// Two frames (the first files every drawable under its order); the second is
		// read before it is presented, where there are pixels to read.
		Frame Draw()
		{
			const bool pixels = dynamic_cast<Platform::RecordingRenderDevice*>( mDevice ) == nullptr;
			Frame frame;
			for ( int i = 0; i < 2; ++i )
			{
				EXPECT_TRUE( mProject->BeginDraw() );
				mProject->Draw( mProject->GetGameTime() );
				if ( i == 1 && pixels )
				{
					EXPECT_TRUE( mDevice->ReadBackBuffer( frame.mPixels, frame.mWidth, frame.mHeight ) );
				}
				mProject->EndDraw();
			}
			frame.mDrawCalls = mDevice->DrawCallsLastFrame();
			return frame;
		}

		std::unique_ptr<Tarn::GameProject> mProject;
		Graphics::GraphicsManager* mGraphics = nullptr;
		Platform::RenderDevice* mDevice = nullptr;
		std::unique_ptr<AlphaQuad> mAlphaQuad;
	};

	bool HaveDisplay() { return std::getenv( "DISPLAY" ) != nullptr; }

	Frame DrawScene( bool batching )
	{
		Stage stage( batching );
		stage.BuildScene();
		return stage.Draw();
	}

	TEST( BatchedDrawing, ASceneOfEveryKindOfQuadLooksTheSameWithAndWithoutBatches )
	{
		if ( !HaveDisplay() )
			GTEST_SKIP() << "no X display";
		const Frame single = DrawScene( false );
		const Frame batched = DrawScene( true );
		ASSERT_EQ( single.mWidth, 1280 );
		ASSERT_EQ( batched.mWidth, single.mWidth );
		ASSERT_EQ( batched.mHeight, single.mHeight );
		ASSERT_EQ( batched.mPixels.size(), single.mPixels.size() );

		// 24 meshes, 2 beams, 150 sparks, the cone and 4 HUD quads, one call each.
		EXPECT_GE( single.mDrawCalls, 181u );
		EXPECT_LE( batched.mDrawCalls, 20u );

		int worst = 0;
		size_t differing = 0, drawn = 0;
		for ( size_t i = 0; i < single.mPixels.size(); ++i )
		{
			const int difference = std::abs( int( single.mPixels[i] ) - int( batched.mPixels[i] ) );
			worst = std::max( worst, difference );
			differing += difference != 0;
		}
		for ( int y = 0; y < single.mHeight; ++y )
			for ( int x = 0; x < single.mWidth; ++x )
				drawn += single.At( x, y ) != std::array<int, 3>{ 100, 100, 255 };
		EXPECT_LE( worst, 1 ) << differing << " channel values differ";
		// The scene covers a good part of the screen, so the comparison means something.
		EXPECT_GT( drawn, size_t( single.mWidth * single.mHeight / 5 ) );

		std::string error;
		const std::string path = testing::TempDir() + "kelvane-batched-scene.png";
		EXPECT_TRUE( Platform::SavePng( path, batched.mPixels, batched.mWidth, batched.mHeight, error ) ) << error;
	}

	TEST( BatchedDrawing, QuadsOfOneTextureInARowBecomeOneCall )
	{
		if ( !HaveDisplay() )
			GTEST_SKIP() << "no X display";
		for ( bool batching : { false, true } )
		{
			Stage stage( batching );
			for ( int i = 0; i < 300; ++i )
				stage.Sprite( "Quad" + std::to_string( i ), "resource/mine.png",
				             { float( i % 20 ) - 10.0f, float( i / 20 ) - 7.0f }, 0.1f * float( i ), { 1.0f, 1.0f } );
			const Frame frame = stage.Draw();
			if ( batching )
				EXPECT_EQ( frame.mDrawCalls, 1u );
			else
				EXPECT_EQ( frame.mDrawCalls, 300u );
		}
	}

	// Quads straight through the device, placed in the screen's -1 to 1 coordinates.
	class BatchedDevice : public testing::Test
	{
	protected:
		void SetUp() override
		{
			if ( !HaveDisplay() )
				GTEST_SKIP() << "no X display";
			mStage = std::make_unique<Stage>( true );
			mDevice = mStage->mDevice;
			mGraphics = mStage->mGraphics;
			if ( dynamic_cast<Platform::RecordingRenderDevice*>( mDevice ) )
				GTEST_SKIP() << "no real window could be opened";
			Graphics::TextureManager* textures = Tarn::Services::Get<Graphics::TextureManager>();
			mGrey = textures->GetTexture( "resource/gray_square.png" );
			mBlack = textures->GetTexture( "resource/box.png" );
			ASSERT_NE( mGrey, 0u );
			ASSERT_NE( mBlack, 0u );
			mQuad = UnitQuad( *mDevice );
			ASSERT_TRUE( mGraphics->BeginFrame() );
			mDevice->SetPixelShader( mGraphics->GetPixelShader() );
		}
		void TearDown() override
		{
			if ( mDevice )
				mDevice->ReleaseVertexBuffer( mQuad );
			mStage.reset();
		}

		// A quad `width` wide and the screen's full height, its left edge at `left`,
		// tinted `colour`.
		void Draw( float left, float width, std::array<float, 4> colour, Platform::ShaderHandle pixelShader = 0 )
		{
			if ( !pixelShader )
				pixelShader = mGraphics->GetPixelShader();
			mDevice->SetShaderMatrix( mGraphics->GetVertexShader(), "WorldViewProj",
			                          Graphics::Scaling( width, 2.0f, 1.0f ) *
			                              Graphics::Translation( left + width / 2.0f, 0.0f, 0.0f ) );
			mDevice->SetShaderFloat4( pixelShader, "rgba0", colour.data() );
			mDevice->DrawTriangleStrip( mQuad, 0, 2 );
		}

		Frame Finish()
		{
			Frame frame;
			EXPECT_TRUE( mDevice->ReadBackBuffer( frame.mPixels, frame.mWidth, frame.mHeight ) );
			mDevice->EndScene();
			mDevice->Present();
			frame.mDrawCalls = mDevice->DrawCallsLastFrame();
			return frame;
		}

		// Screen x of the middle of the strip from `left` to `right` (-1 to 1).
		int Column( float left, float right ) const { return int( ( ( left + right ) / 2.0f + 1.0f ) * 640.0f ); }

		std::unique_ptr<Stage> mStage;
		Platform::RenderDevice* mDevice = nullptr;
		Graphics::GraphicsManager* mGraphics = nullptr;
		Platform::TextureHandle mGrey = 0;
		Platform::TextureHandle mBlack = 0;
		Platform::BufferHandle mQuad = 0;
	};

	TEST_F( BatchedDevice, TwoTexturesInterleavedKeepTheirOrderOnScreen )
	{
		// Grey tinted red, black, grey tinted blue, black, grey tinted green: each quad
		// overlaps the one before, so each overlap shows whichever came later.
		const std::array<float, 4> red{ 2, 0, 0, 1 }, blue{ 0, 0, 2, 1 }, green{ 0, 2, 0, 1 }, any{ 1, 1, 1, 1 };
		mDevice->SetTexture( 0, mGrey );
		Draw( -1.0f, 0.6f, red );
		mDevice->SetTexture( 0, mBlack );
		Draw( -0.6f, 0.6f, any );
		mDevice->SetTexture( 0, mGrey );
		Draw( -0.2f, 0.6f, blue );
		mDevice->SetTexture( 0, mBlack );
		Draw( 0.2f, 0.6f, any );
		mDevice->SetTexture( 0, mGrey );
		Draw( 0.6f, 0.4f, green );
		const Frame frame = Finish();
		EXPECT_EQ( frame.mDrawCalls, 5u );

		const int y = 360;
		EXPECT_EQ( frame.At( Column( -1.0f, -0.6f ), y ), ( std::array<int, 3>{ 255, 0, 0 } ) );
		EXPECT_EQ( frame.At( Column( -0.6f, -0.4f ), y ), ( std::array<int, 3>{ 0, 0, 0 } ) );
		EXPECT_EQ( frame.At( Column( -0.2f, 0.0f ), y ), ( std::array<int, 3>{ 0, 0, 255 } ) );
		EXPECT_EQ( frame.At( Column( 0.2f, 0.4f ), y ), ( std::array<int, 3>{ 0, 0, 0 } ) );
		EXPECT_EQ( frame.At( Column( 0.6f, 1.0f ), y ), ( std::array<int, 3>{ 0, 255, 0 } ) );
	}

	TEST_F( BatchedDevice, EveryChangeOfTextureShaderOrStateEndsTheBatch )
	{
		const std::array<float, 4> red{ 2, 0, 0, 1 };
		mDevice->SetTexture( 0, mGrey );
		Draw( -1.0f, 0.2f, red );
		Draw( -0.8f, 0.2f, red );
		// Setting what is already set changes nothing.
		mDevice->SetTexture( 0, mGrey );
		mDevice->SetPixelShader( mGraphics->GetPixelShader() );
		Draw( -0.6f, 0.2f, red ); // call 1: three quads
		mDevice->SetTexture( 0, mBlack );
		Draw( -0.4f, 0.2f, red ); // call 2: another texture
		mDevice->SetPixelShader( mGraphics->GetWavyPixelShader() );
		mDevice->SetShaderFloat( mGraphics->GetWavyPixelShader(), "Time", 1.0f );
		Draw( -0.2f, 0.2f, red, mGraphics->GetWavyPixelShader() );
		// The ripple's time differs from quad to quad inside one batch.
		mDevice->SetShaderFloat( mGraphics->GetWavyPixelShader(), "Time", 2.0f );
		Draw( 0.0f, 0.2f, red, mGraphics->GetWavyPixelShader() ); // call 3: another shader, two quads
		mDevice->SetFixedStates();
		Draw( 0.2f, 0.2f, red, mGraphics->GetWavyPixelShader() ); // call 4: the states set again
		const Frame frame = Finish();
		EXPECT_EQ( frame.mDrawCalls, 4u );
	}

	TEST_F( BatchedDevice, AViewportChangeDrawsTheQuadsBeforeItInTheOldViewport )
	{
		const Platform::Viewport whole = mDevice->GetViewport();
		Platform::Viewport left = whole, right = whole;
		left.mWidth = right.mWidth = whole.mWidth / 2;
		right.mX = whole.mWidth / 2;
		mDevice->SetTexture( 0, mGrey );
		mDevice->SetViewport( left );
		Draw( -1.0f, 2.0f, { 2, 0, 0, 1 } );
		mDevice->SetViewport( right );
		Draw( -1.0f, 2.0f, { 0, 2, 0, 1 } );
		mDevice->SetViewport( whole );
		const Frame frame = Finish();
		EXPECT_EQ( frame.mDrawCalls, 2u );
		EXPECT_EQ( frame.At( 320, 360 ), ( std::array<int, 3>{ 255, 0, 0 } ) );
		EXPECT_EQ( frame.At( 960, 360 ), ( std::array<int, 3>{ 0, 255, 0 } ) );
	}

	TEST_F( BatchedDevice, AConstantThatIsNotCarriedPerQuadEndsTheBatchWhenItChanges )
	{
		// A pixel shader with a uniform of its own beside its colour.
		const std::string path = testing::TempDir() + "kelvane-extra-uniform.glsl";
		{
			std::ofstream out( path );
			out << "#version 330 core\n"
			       "uniform sampler2D Texture0;\n"
			       "uniform vec4 Extra;\n"
			       "#ifdef BATCHED\nin vec4 rgba0;\n#else\nuniform vec4 rgba0;\n#endif\n"
			       "in vec4 vColour;\nin vec2 vTexCoord;\nout vec4 outColour;\n"
			       "void main() { outColour = texture( Texture0, vTexCoord ) * rgba0 * Extra; }\n";
		}
		std::string error;
		const Platform::ShaderHandle shader = mDevice->CompileShader( path, Platform::ShaderStage::Pixel, error );
		ASSERT_NE( shader, 0u ) << error;
		const float red[4] = { 2, 0, 0, 1 }, green[4] = { 0, 2, 0, 1 };
		mDevice->SetPixelShader( shader );
		mDevice->SetTexture( 0, mGrey );
		mDevice->SetShaderFloat4( shader, "Extra", red );
		Draw( -1.0f, 0.5f, { 1, 1, 1, 1 }, shader );
		mDevice->SetShaderFloat4( shader, "Extra", red ); // the same value: the batch goes on
		Draw( -0.5f, 0.5f, { 1, 1, 1, 1 }, shader );
		mDevice->SetShaderFloat4( shader, "Extra", green );
		Draw( 0.0f, 0.5f, { 1, 1, 1, 1 }, shader );
		const Frame frame = Finish();
		mDevice->ReleaseShader( shader );
		std::remove( path.c_str() );
		EXPECT_EQ( frame.mDrawCalls, 2u );
		EXPECT_EQ( frame.At( Column( -1.0f, -0.5f ), 360 ), ( std::array<int, 3>{ 255, 0, 0 } ) );
		EXPECT_EQ( frame.At( Column( -0.5f, 0.0f ), 360 ), ( std::array<int, 3>{ 255, 0, 0 } ) );
		EXPECT_EQ( frame.At( Column( 0.0f, 0.5f ), 360 ), ( std::array<int, 3>{ 0, 255, 0 } ) );
	}

	TEST( RecordedDrawing, TheHeadlessDeviceStillRecordsEveryCallAsMade )
	{
		Stage stage( true, true );
		auto* device = dynamic_cast<Platform::RecordingRenderDevice*>( stage.mDevice );
		ASSERT_NE( device, nullptr );
		for ( int i = 0; i < 300; ++i )
			stage.Sprite( "Quad" + std::to_string( i ), "resource/mine.png", { float( i % 20 ), 0.0f }, 0.0f, { 1.0f, 1.0f } );
		const Frame frame = stage.Draw();
		EXPECT_EQ( frame.mDrawCalls, 300u );
		EXPECT_EQ( device->mDraws.size(), 300u );
		EXPECT_EQ( std::count_if( device->mCalls.begin(), device->mCalls.end(),
		                          []( const std::string& call ) { return call.rfind( "DrawTriangleStrip", 0 ) == 0; } ),
		           300 );
	}
}
