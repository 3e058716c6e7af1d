// The heads-up display through the real OpenGL device (Xvfb in CI): a text lands where
// its fractions of the window say, glyph for glyph as the game's face renders it, and
// the first level's health bars and their frame stand at the left of the screen.
#include "Core/GameWindow/GameProject.h"
#include "Core/ObjectManager.h"
#include "Game/ScoreManager.h"
#include "GameStates/LevelManager.h"
#include "Graphics/ContentNames.h"
#include "Graphics/FontComponent.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/TextBox.h"
#include "Physics/StatsComponent.h"
#include "Platform/Font.h"
#include "Platform/RecordingRenderDevice.h"
#include "core/Services.h"
#include "support/FrameCapture.h"
#include "support/LevelFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{
	struct Pixel
	{
		int r, g, b;
	};

	class HudOnScreen : public testing::Test
	{
	protected:
		void SetUp() override
		{
			if ( !std::getenv( "DISPLAY" ) )
				GTEST_SKIP() << "no X display";
			KelvaneTest::LevelFileSystem();
			mResources.Point( "Level1", std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml" );
			Tarn::LaunchOptions options;
			options.mWindowMode = Tarn::WindowMode::Windowed;
			mProject = std::make_unique<Tarn::GameProject>( options );
			mProject->mWindow.Settings().mFullscreen = false;
			mProject->CreateComponents();
			mGraphics = Tarn::Services::Get<Graphics::GraphicsManager>();
			mProject->Initialise();
			mProject->GetGameTime().ElapsedSeconds = 0.016f;
		}

		void TearDown() override
		{
			if ( !mProject )
				return;
			Tarn::ObjectManager::Instance().DestroyAll();
			mProject->Shutdown();
			mProject.reset();
		}

		// The game made again, its device drawing in batches or one call a quad.
		void Restart( bool batching )
		{
			TearDown();
			KelvaneTest::ScopedEnvironment environment;
			environment.Set( "KELVANE_BATCHING", batching ? std::nullopt : std::optional<std::string>( "0" ) );
			SetUp();
		}

		// Draws one frame and keeps its pixels; writes it to `screenshot` as well.
		void Frame( const std::string& screenshot )
		{
			KelvaneTest::CapturedFrame frame;
			KelvaneTest::CaptureFrame( *mProject, screenshot, frame );
			mPixels = std::move( frame.mPixels );
			mWidth = frame.mWidth;
			mHeight = frame.mHeight;
		}

		Pixel At( int x, int y ) const
		{
			const size_t i = ( size_t( y ) * size_t( mWidth ) + size_t( x ) ) * 4;
			return { mPixels[i], mPixels[i + 1], mPixels[i + 2] };
		}

		static bool IsClear( const Pixel& p ) { return p.r == 100 && p.g == 100 && p.b == 255; }

		KelvaneTest::ScopedResources mResources;
		std::unique_ptr<Tarn::GameProject> mProject;
		Graphics::GraphicsManager* mGraphics = nullptr;
		std::vector<uint8_t> mPixels;
		int mWidth = 0;
		int mHeight = 0;
	};

	TEST_F( HudOnScreen, ATextAppearsWhereItsFractionsSayAsTheGamesFaceRendersIt )
	{
		// Through the device that gathers quads into batches and through the one that
		// draws each call alone: each inked piece of a text is a quad of its own, drawn
		// white where the picture is inked and tinted with the text's colour.
		for ( const bool batching : { true, false } )
		{
			SCOPED_TRACE( batching ? "in batches" : "one call a quad" );
			Restart( batching );
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			Tarn::Object* owner = objects.CreateObject( Tarn::HashedName( "Font" ), "Font1" );
			objects.InitialiseObject( owner );
			auto* font = owner->GetComponent<Graphics::FontComponent>();
			font->mWidthScale = 0.02f;
			font->mHeightScale = 0.05f;
			font->RecreateFont();
			font->mX = 0.1f;
			font->mY = 0.7f;
			font->mColour = 0xFFFFFF00;
			const std::string text = "Kelvane 128\nScore 4500";
			font->mText = text;
			Tarn::Object* wordOwner = objects.CreateObject( Tarn::HashedName( "Font" ), "Font2" );
			objects.InitialiseObject( wordOwner );
			auto* word = wordOwner->GetComponent<Graphics::FontComponent>();
			word->mX = 0.5f;
			word->mY = 0.1f;
			word->mColour = 0xFF00FF00;
			word->mText = "Kelvane";
			Frame( batching ? "kelvane-text.png" : "kelvane-text-unbatched.png" );
			ASSERT_EQ( mWidth, 1280 );
			ASSERT_EQ( mHeight, 720 );

			// The same face at the same size, rendered in memory: where it is opaque the
			// screen is the text's yellow, where it is empty the clear colour shows.
			Platform::PresentParameters parameters;
			parameters.mBackBufferWidth = mWidth;
			parameters.mBackBufferHeight = mHeight;
			Platform::RecordingRenderDevice memory( parameters );
			memory.SetViewport( { 0, 0, mWidth, mHeight, 0.0f, 1.0f } );
			std::string error;
			auto face = Platform::CreateTrueTypeFont( Graphics::kFontPath, font->GetFont()->Desc(), error );
			ASSERT_NE( face, nullptr ) << error;
			ASSERT_TRUE( face->Draw( { &memory, 1, 2 }, text, { 0, 0, mWidth, mHeight }, 0xFFFFFF00 ) );
			const auto& glyphs = memory.mPixelTextures.begin()->second;

			int inked = 0, mismatched = 0;
			for ( int y = 0; y < glyphs.mHeight; ++y )
				for ( int x = 0; x < glyphs.mWidth; ++x )
				{
					const int alpha = glyphs.mRgba[( size_t( y ) * size_t( glyphs.mWidth ) + size_t( x ) ) * 4 + 3];
					const Pixel p = At( 128 + x, 504 + y );
					if ( alpha == 255 )
					{
						++inked;
						mismatched += !( p.r > 240 && p.g > 240 && p.b < 20 );
					}
					else if ( alpha == 0 )
						mismatched += !IsClear( p );
				}
			EXPECT_GT( inked, 1000 ) << "two lines of 36-pixel letters";
			EXPECT_EQ( mismatched, 0 );
			// Nothing of the text above or to the left of its corner.
			for ( int y = 0; y < 504; y += 3 )
				EXPECT_TRUE( IsClear( At( 200, y ) ) ) << y;
			for ( int x = 0; x < 128; x += 3 )
				EXPECT_TRUE( IsClear( At( x, 530 ) ) ) << x;

			// The word stands in green from (640, 72) on.
			int green = 0;
			for ( int y = 72; y < 72 + 40; ++y )
				for ( int x = 640; x < 640 + 200; ++x )
				{
					const Pixel p = At( x, y );
					green += p.g > 240 && p.r < 20 && p.b < 20;
				}
			EXPECT_GT( green, 50 );
			EXPECT_TRUE( IsClear( At( 639, 80 ) ) );
		}
	}

	TEST_F( HudOnScreen, TheHealthBarsAndTheirFrameStandAtTheLeft )
	{
		ASSERT_TRUE( Tarn::Services::Get<Tarn::LevelManager>()->LoadLevel( 1 ) );
		// One step places the frame and gives the bars the player's health and colour.
		mProject->Update( mProject->GetGameTime() );
		Frame( "kelvane-bars.png" );
		// The bar stands 0.95 of the half width from the centre: 32 pixels in; at full
		// health it runs almost the whole height, white as the ship.
		int white = 0;
		for ( int y = 40; y < 680; ++y )
		{
			const Pixel p = At( 32, y );
			white += p.r > 240 && p.g > 240 && p.b > 240;
		}
		EXPECT_EQ( white, 640 );
		// The bar is a strip at the edge: beside it lies the level's dark space.
		const Pixel space = At( 100, 360 );
		EXPECT_LT( space.r + space.g + space.b, 3 * 80 ) << "the bar is a strip at the edge";
		// The frame glows pale blue on either side of the bar, well above the space.
		for ( int x : { 10, 54 } )
		{
			const Pixel p = At( x, 360 );
			EXPECT_GT( p.r + p.g, space.r + space.g + 100 ) << x;
			EXPECT_GE( p.b, p.r ) << x;
		}

		// A hit: the bar shrinks towards its middle at once and the trailing red shows
		// where it was.
		Tarn::Object* player = Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( "Player1" ) );
		player->GetComponent<Physics::StatsComponent>()->mHealth = 50.0f;
		mProject->Update( mProject->GetGameTime() );
		Frame( "kelvane-bars-hit.png" );
		const Pixel middle = At( 32, 360 ), end = At( 32, 60 );
		EXPECT_TRUE( middle.r > 240 && middle.g > 240 && middle.b > 240 );
		EXPECT_TRUE( end.r > 180 && end.g < 80 && end.b < 80 ) << end.r << " " << end.g << " " << end.b;
	}
}

namespace
{
	TEST_F( HudOnScreen, TheScoreScreensLinesStandFromTheirCornerInPaleYellow )
	{
		ASSERT_TRUE( Tarn::Services::Get<Tarn::LevelManager>()->LoadLevel( 1 ) );
		auto* score = Tarn::Services::Get<Tarn::ScoreManager>();
		score->AddScore( Tarn::ScoreManager::kCrystalPenalty );
		score->ShowScoreScreen();
		// Every line shows after five seconds; a step updates the score twice.
		for ( int step = 0; step < int( 5.2f / ( 2 * 0.016f ) ); ++step )
			mProject->Update( mProject->GetGameTime() );
		ASSERT_NE( score->Text().find( "Final Score" ), std::string::npos );
		Frame( "kelvane-score.png" );

		// The text's corner is 0.3 of the width and 0.25 of the height in: (384, 180).
		int yellow = 0, top = mHeight, left = mWidth, bottom = 0;
		for ( int y = 0; y < mHeight; ++y )
			for ( int x = 0; x < mWidth; ++x )
			{
				const Pixel p = At( x, y );
				if ( p.r > 240 && p.g > 240 && p.b > 50 && p.b < 110 )
				{
					++yellow;
					top = std::min( top, y );
					left = std::min( left, x );
					bottom = std::max( bottom, y );
				}
			}
		EXPECT_GT( yellow, 3000 ) << "five lines of 36-pixel letters";
		EXPECT_GE( top, 180 );
		EXPECT_LT( top, 180 + 12 );
		EXPECT_GE( left, 384 );
		EXPECT_LT( left, 384 + 12 );
		EXPECT_GT( bottom, 180 + 4 * 36 ) << "five lines down";
	}
}

namespace
{
	TEST_F( HudOnScreen, TheTextBoxTypesItsTextInsideItself )
	{
		ASSERT_TRUE( Tarn::Services::Get<Tarn::LevelManager>()->LoadLevel( 1 ) );
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* object = objects.CreateObject( Graphics::TextBox::ClassHashedName(), "TextBox1" );
		objects.InitialiseObject( object );
		auto* box = static_cast<Graphics::TextBox*>( object );
		box->SetText( "Uriel: The Upper Realms... I am finally back home.\n\n(<Spacebar> to close this message)" );
		box->SetShown( true );
		for ( int step = 0; step < 200 && !box->IsComplete(); ++step )
			mProject->Update( mProject->GetGameTime() );
		ASSERT_TRUE( box->IsComplete() );
		Frame( "kelvane-textbox.png" );

		// The open box spans 1.8 by 0.5 of the screen's -1 to 1 about the middle: pixels
		// 64 to 1216 across and 270 to 450 down. Its white letters stand inside it.
		int white = 0, outside = 0;
		for ( int y = 0; y < mHeight; ++y )
			for ( int x = 100; x < mWidth; ++x )
			{
				const Pixel p = At( x, y );
				if ( p.r > 245 && p.g > 245 && p.b > 245 )
				{
					++white;
					outside += x < 64 || x >= 1216 || y < 270 || y >= 450;
				}
			}
		EXPECT_GT( white, 1000 );
		EXPECT_EQ( outside, 0 );
		const Pixel inside = At( 1150, 430 );
		EXPECT_LT( inside.r + inside.g + inside.b, 100 + 100 + 255 ) << "the box darkens what is behind it";
	}
}

namespace
{
	// A picture of one colour, as text is handed to the device.
	std::vector<uint8_t> Solid( uint8_t r, uint8_t g, uint8_t b )
	{
		std::vector<uint8_t> rgba;
		for ( int i = 0; i < 4 * 4; ++i )
			rgba.insert( rgba.end(), { r, g, b, 255 } );
		return rgba;
	}

	TEST_F( HudOnScreen, ATextureMadeFromPixelsInTheMiddleOfAFrameLeavesTheOthersAsTheyWere )
	{
		// A text whose string changes is made into a texture between the draws of other
		// pictures: whatever the device had bound stays what those draws show.
		for ( const bool batching : { true, false } )
		{
			Restart( batching );
			Platform::RenderDevice& device = *mGraphics->GetDevice();
			const std::vector<uint8_t> red = Solid( 255, 0, 0 ), green = Solid( 0, 255, 0 );
			const Platform::TextureHandle first = device.CreateTextureFromPixels( red.data(), 4, 4 );
			ASSERT_NE( first, 0u );
			// Three quads across the middle of the screen, in its -1 to 1 coordinates.
			const Platform::BufferHandle quads = device.CreateVertexBuffer( 12 );
			Platform::Vertex* v = device.Lock( quads );
			for ( int i = 0; i < 3; ++i )
			{
				const float left = -0.9f + 0.6f * float( i ), right = left + 0.5f;
				v[i * 4 + 0] = { left, 0.2f, 0.0f, 0xFFFFFFFFu, 0, 0 };
				v[i * 4 + 1] = { left, -0.2f, 0.0f, 0xFFFFFFFFu, 0, 1 };
				v[i * 4 + 2] = { right, 0.2f, 0.0f, 0xFFFFFFFFu, 1, 0 };
				v[i * 4 + 3] = { right, -0.2f, 0.0f, 0xFFFFFFFFu, 1, 1 };
			}
			device.Unlock( quads );

			ASSERT_TRUE( mProject->BeginDraw() );
			const float white[4] = { 1.0f, 1.0f, 1.0f, 1.0f };
			auto draw = [&]( Platform::TextureHandle texture, uint32_t quad ) {
				device.SetVertexShader( mGraphics->GetVertexShader() );
				device.SetPixelShader( mGraphics->GetPixelShader() );
				device.SetShaderMatrix( mGraphics->GetVertexShader(), "WorldViewProj", glm::mat4( 1.0f ) );
				device.SetShaderFloat4( mGraphics->GetPixelShader(), "rgba0", white );
				device.SetTexture( 0, texture );
				device.DrawTriangleStrip( quads, quad * 4, 2 );
			};
			draw( first, 0 );
			// A marker draws what was gathered so far: the first picture is bound now.
			device.BeginEvent( 0, "text" );
			device.EndEvent();
			const Platform::TextureHandle second = device.CreateTextureFromPixels( green.data(), 4, 4 );
			draw( first, 1 );
			draw( second, 2 );
			device.EndScene();
			ASSERT_TRUE( device.ReadBackBuffer( mPixels, mWidth, mHeight ) );
			device.Present();

			const Pixel left = At( 160, 360 ), middle = At( 544, 360 ), right = At( 928, 360 );
			EXPECT_TRUE( left.r == 255 && left.g == 0 ) << "batching " << batching << ": " << left.r << " " << left.g;
			EXPECT_TRUE( middle.r == 255 && middle.g == 0 ) << "batching " << batching << ": " << middle.r << " " << middle.g;
			EXPECT_TRUE( right.r == 0 && right.g == 255 ) << "batching " << batching << ": " << right.r << " " << right.g;
			device.ReleaseTexture( first );
			device.ReleaseTexture( second );
			device.ReleaseVertexBuffer( quads );
		}
	}
}
