// The platform's fonts: the TrueType face at the size asked for, rendered once per text
// and colour onto the recording device, clipped and placed in window pixels; the
// headless font's measures.
#include "Graphics/ContentNames.h"
#include "Platform/Font.h"
#include "Platform/HeadlessFont.h"
#include "Platform/RecordingRenderDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace
{
	using Platform::FontDesc;
	using Platform::PixelRect;

	int CountCalls( const Platform::RecordingRenderDevice& device, const std::string& prefix )
	{
		return int( std::count_if( device.mCalls.begin(), device.mCalls.end(),
		                           [&]( const std::string& call ) { return call.rfind( prefix, 0 ) == 0; } ) );
	}

	class TrueTypeText : public testing::Test
	{
	protected:
		void SetUp() override
		{
			Platform::PresentParameters parameters;
			parameters.mBackBufferWidth = 1280;
			parameters.mBackBufferHeight = 720;
			mDevice = std::make_unique<Platform::RecordingRenderDevice>( parameters );
			Platform::Viewport viewport;
			viewport.mWidth = 1280;
			viewport.mHeight = 720;
			mDevice->SetViewport( viewport );
			mTarget = { mDevice.get(), 11, 12 };
		}

		std::unique_ptr<Platform::Font> Make( int height, int width )
		{
			std::string error;
			FontDesc desc;
			desc.mHeight = height;
			desc.mWidth = width;
			auto font = Platform::CreateTrueTypeFont( Graphics::kFontPath, desc, error );
			EXPECT_NE( font, nullptr ) << error;
			return font;
		}

		// The texture the last draw bound, as the device keeps it.
		const Platform::RecordingRenderDevice::PixelTexture* Drawn() const
		{
			if ( mDevice->mDraws.empty() )
				return nullptr;
			auto found = mDevice->mPixelTextures.find( mDevice->mDraws.back().mTexture );
			return found == mDevice->mPixelTextures.end() ? nullptr : &found->second;
		}

		std::unique_ptr<Platform::RecordingRenderDevice> mDevice;
		Platform::TextTarget mTarget;
		const PixelRect mWindow = { 0, 0, 1280, 720 };
	};

	TEST_F( TrueTypeText, TheFaceIsSetAtTheLineHeightAndLetterWidthAsked )
	{
		auto font = Make( 36, 25 );
		ASSERT_TRUE( font );
		int width = 0, height = 0;
		font->Measure( "abcdefghijklmnopqrstuvwxyz", width, height );
		EXPECT_NEAR( height, 36, 1 );
		EXPECT_NEAR( width, 25 * 26, 26 ) << "an average letter 25 pixels wide";

		int tallWidth = 0, tallHeight = 0;
		font->Measure( "ab\nabcd\n", tallWidth, tallHeight );
		int oneWidth = 0, oneHeight = 0;
		font->Measure( "abcd", oneWidth, oneHeight );
		EXPECT_EQ( tallWidth, oneWidth ) << "the widest line";
		EXPECT_GT( tallHeight, 2 * oneHeight ) << "three lines, the last one empty";

		// Without a width the face keeps its proportions; without a height it takes the
		// default size.
		auto narrow = Make( 36, 0 );
		int narrowWidth = 0;
		narrow->Measure( "abcdefghijklmnopqrstuvwxyz", narrowWidth, height );
		EXPECT_NE( narrowWidth, width );
		auto small = Make( 0, 0 );
		small->Measure( "Hello", width, height );
		EXPECT_NEAR( height, Platform::kDefaultFontHeight, 1 );
	}

	TEST_F( TrueTypeText, ASteadyTextIsRenderedOnceAndDrawnEachFrameWithOneCall )
	{
		auto font = Make( 36, 25 );
		ASSERT_TRUE( font );
		const PixelRect at = { 128, 504, 1280, 720 };
		for ( int frame = 0; frame < 5; ++frame )
			EXPECT_TRUE( font->Draw( mTarget, "Score 100", at, 0xFFFFFF4D ) );
		EXPECT_EQ( CountCalls( *mDevice, "CreateTextureFromPixels" ), 1 );
		EXPECT_EQ( CountCalls( *mDevice, "CreateVertexBuffer" ), 1 );
		EXPECT_EQ( mDevice->mDraws.size(), 5u );

		// The glyphs are in the text's colour, and the picture has the measured size.
		const auto* texture = Drawn();
		ASSERT_NE( texture, nullptr );
		int width = 0, height = 0;
		font->Measure( "Score 100", width, height );
		EXPECT_EQ( texture->mWidth, width );
		EXPECT_EQ( texture->mHeight, height );

		// Everything drawn lies in the picture's place from the pixel (128, 504) on, as
		// the device's -1 to 1 sees it, and the picture's pixels map one to one.
		const auto& strip = mDevice->mDraws.back().mVertices;
		ASSERT_GE( strip.size(), 4u );
		for ( const Platform::Vertex& corner : strip )
		{
			const float px = ( corner.x + 1.0f ) * 640.0f, py = ( 1.0f - corner.y ) * 360.0f;
			EXPECT_GE( px, 128.0f - 0.01f );
			EXPECT_LE( px, 128.0f + float( width ) + 0.01f );
			EXPECT_GE( py, 504.0f - 0.01f );
			EXPECT_LE( py, 504.0f + float( height ) + 0.01f );
			EXPECT_NEAR( corner.u * float( width ), px - 128.0f, 0.01f );
			EXPECT_NEAR( corner.v * float( height ), py - 504.0f, 0.01f );
		}
		EXPECT_EQ( mDevice->mDraws.back().mWorldViewProj, glm::mat4( 1.0f ) );
		EXPECT_EQ( mDevice->mDraws.back().mPixelShader, 12u );
		int inked = 0;
		for ( size_t i = 0; i < texture->mRgba.size(); i += 4 )
			if ( texture->mRgba[i + 3] == 255 )
			{
				++inked;
				EXPECT_EQ( texture->mRgba[i], 0xFF );
				EXPECT_EQ( texture->mRgba[i + 2], 0x4D );
			}
		EXPECT_GT( inked, 100 );

		// A new text or a new colour is rendered again, and the old texture given back.
		font->Draw( mTarget, "Score 200", at, 0xFFFFFF4D );
		font->Draw( mTarget, "Score 200", at, 0xFFFF0000 );
		EXPECT_EQ( CountCalls( *mDevice, "CreateTextureFromPixels" ), 3 );
		EXPECT_EQ( mDevice->mPixelTextures.size(), 1u );
	}

	TEST_F( TrueTypeText, OnlyTheInkedPartsAreDrawnEachAQuadOfOneStrip )
	{
		auto font = Make( 36, 25 );
		ASSERT_TRUE( font );
		// One word: one quad.
		ASSERT_TRUE( font->Draw( mTarget, "Health", mWindow, 0xFFFFFFFF ) );
		EXPECT_EQ( mDevice->mDraws.back().mVertices.size(), 4u );
		// A wide gap within a line and a blank line between two: three quads, joined
		// into one strip by two repeated corners each.
		ASSERT_TRUE( font->Draw( mTarget, "Health                +990\n\nTime", mWindow, 0xFFFFFFFF ) );
		const auto& strip = mDevice->mDraws.back().mVertices;
		ASSERT_EQ( strip.size(), 3u * 6u - 2u );
		EXPECT_EQ( CountCalls( *mDevice, "DrawTriangleStrip" ), 2 );

		// No ink is left out: every texel with any ink lies in one of the quads.
		const auto* texture = Drawn();
		ASSERT_NE( texture, nullptr );
		int inked = 0, outside = 0;
		for ( int y = 0; y < texture->mHeight; ++y )
			for ( int x = 0; x < texture->mWidth; ++x )
			{
				if ( texture->mRgba[( size_t( y ) * size_t( texture->mWidth ) + size_t( x ) ) * 4 + 3] == 0 )
					continue;
				++inked;
				const float u = ( float( x ) + 0.5f ) / float( texture->mWidth ), v = ( float( y ) + 0.5f ) / float( texture->mHeight );
				bool covered = false;
				for ( size_t quad = 0; quad < 3 && !covered; ++quad )
				{
					const Platform::Vertex& topLeft = strip[quad * 6];
					const Platform::Vertex& bottomRight = strip[quad * 6 + 3];
					covered = u > topLeft.u && u < bottomRight.u && v > topLeft.v && v < bottomRight.v;
				}
				outside += covered ? 0 : 1;
			}
		EXPECT_GT( inked, 300 );
		EXPECT_EQ( outside, 0 );
		// Nothing but blanks draws nothing.
		EXPECT_FALSE( font->Draw( mTarget, "   \n ", mWindow, 0xFFFFFFFF ) );
	}

	TEST_F( TrueTypeText, TextIsClippedToItsRectangleAndNothingIsDrawnOutside )
	{
		auto font = Make( 36, 25 );
		ASSERT_TRUE( font );
		int width = 0, height = 0;
		font->Measure( "Clipped text", width, height );
		ASSERT_TRUE( font->Draw( mTarget, "Clipped text", { 1200, 700, 1280, 720 }, 0xFFFFFFFF ) );
		const auto& quad = mDevice->mDraws.back().mVertices;
		EXPECT_FLOAT_EQ( quad[3].x, 1.0f ) << "ends at the window's right edge";
		EXPECT_FLOAT_EQ( quad[3].y, -1.0f );
		EXPECT_FLOAT_EQ( quad[3].u, 80.0f / float( width ) ) << "only the part that shows";
		EXPECT_FLOAT_EQ( quad[3].v, 20.0f / float( height ) );

		EXPECT_FALSE( font->Draw( mTarget, "Clipped text", { 1280, 0, 1280, 720 }, 0xFFFFFFFF ) );
		EXPECT_FALSE( font->Draw( mTarget, "", mWindow, 0xFFFFFFFF ) );
		EXPECT_EQ( mDevice->mDraws.size(), 1u );
	}

	TEST_F( TrueTypeText, ALostDeviceGetsItsTexturesBackAndTheFontDrawsAgainAfterTheReset )
	{
		auto font = Make( 20, 0 );
		ASSERT_TRUE( font );
		ASSERT_TRUE( font->Draw( mTarget, "Kept", mWindow, 0xFFFFFFFF ) );
		font->OnLostDevice();
		EXPECT_TRUE( mDevice->mPixelTextures.empty() );
		EXPECT_FALSE( font->Draw( mTarget, "Kept", mWindow, 0xFFFFFFFF ) ) << "nothing is drawn while the device is lost";
		font->OnResetDevice();
		EXPECT_TRUE( font->Draw( mTarget, "Kept", mWindow, 0xFFFFFFFF ) );
		EXPECT_EQ( CountCalls( *mDevice, "CreateTextureFromPixels" ), 2 ) << "rendered anew after the reset";

		// A font that goes with its device leaves nothing behind on it.
		font.reset();
		EXPECT_TRUE( mDevice->mPixelTextures.empty() );
	}

	TEST( Fonts, AFileThatIsNoFontIsRefusedWithAReason )
	{
		std::string error;
		EXPECT_EQ( Platform::CreateTrueTypeFont( "resource/Camera.xml", FontDesc(), error ), nullptr );
		EXPECT_FALSE( error.empty() );
		error.clear();
		EXPECT_EQ( Platform::CreateTrueTypeFont( "resource/no such font.ttf", FontDesc(), error ), nullptr );
		EXPECT_FALSE( error.empty() );
	}

	TEST( Fonts, TheHeadlessFontMeasuresByTheDescAndKeepsWhatItWasAskedToDraw )
	{
		FontDesc desc;
		desc.mHeight = 36;
		desc.mWidth = 25;
		Platform::HeadlessFont font( desc );
		int width = 0, height = 0;
		font.Measure( "ab\nabcd", width, height );
		EXPECT_EQ( width, 100 );
		EXPECT_EQ( height, 72 );
		desc.mWidth = 0;
		desc.mHeight = 0;
		Platform::HeadlessFont proportional( desc );
		proportional.Measure( "abcd", width, height );
		EXPECT_EQ( height, Platform::kDefaultFontHeight );
		EXPECT_EQ( width, 4 * Platform::kDefaultFontHeight / 2 );

		EXPECT_TRUE( font.Draw( {}, "Hello", { 1, 2, 3, 4 }, 0xFF00FF00 ) );
		EXPECT_EQ( font.LastDrawn().mRect.mTop, 2 );
		font.OnLostDevice();
		EXPECT_FALSE( font.Draw( {}, "Hello", { 1, 2, 3, 4 }, 0xFF00FF00 ) );
		font.OnResetDevice();
		EXPECT_TRUE( font.Draw( {}, "Hello", { 1, 2, 3, 4 }, 0xFF00FF00 ) );
		EXPECT_EQ( font.DrawCount(), 2 );
	}
}
