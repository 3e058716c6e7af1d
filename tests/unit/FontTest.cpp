// The platform's fonts: the TrueType face at the size asked for, rendered once per text
// onto the recording device and tinted as it is drawn, clipped and placed in window
// pixels; the headless font's measures.
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

		// The corners of the quads of every draw since `from`, four to a quad.
		std::vector<Platform::Vertex> QuadsSince( size_t from ) const
		{
			std::vector<Platform::Vertex> corners;
			for ( size_t i = from; i < mDevice->mDraws.size(); ++i )
			{
				const auto& draw = mDevice->mDraws[i];
				EXPECT_EQ( draw.mPrimitives, 2u ) << "each piece its own quad";
				for ( uint32_t v = draw.mFirst; v < draw.mFirst + 4 && v < draw.mVertices.size(); ++v )
					corners.push_back( draw.mVertices[v] );
			}
			return corners;
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

	TEST_F( TrueTypeText, ASteadyTextIsRenderedOnceAndDrawnEachFrameInItsColour )
	{
		auto font = Make( 36, 25 );
		ASSERT_TRUE( font );
		const PixelRect at = { 128, 504, 1280, 720 };
		ASSERT_TRUE( font->Draw( mTarget, "Score 100", at, 0xFFFFFF4D ) );
		const size_t quadsAFrame = mDevice->mDraws.size();
		EXPECT_EQ( quadsAFrame, 2u ) << "two words, two pieces";
		for ( int frame = 1; frame < 5; ++frame )
			EXPECT_TRUE( font->Draw( mTarget, "Score 100", at, 0xFFFFFF4D ) );
		EXPECT_EQ( CountCalls( *mDevice, "CreateCoverageTexture" ), 1 );
		EXPECT_EQ( CountCalls( *mDevice, "CreateVertexBuffer" ), 1 );
		EXPECT_EQ( mDevice->mDraws.size(), 5u * quadsAFrame );

		// The draw is tinted with the text's colour (ARGB), and the picture has the
		// measured size.
		const float* tint = mDevice->mDraws.back().mColour;
		EXPECT_FLOAT_EQ( tint[0], 1.0f );
		EXPECT_FLOAT_EQ( tint[1], 1.0f );
		EXPECT_FLOAT_EQ( tint[2], 0x4D / 255.0f );
		EXPECT_FLOAT_EQ( tint[3], 1.0f );
		const auto* texture = Drawn();
		ASSERT_NE( texture, nullptr );
		int width = 0, height = 0;
		font->Measure( "Score 100", width, height );
		EXPECT_EQ( texture->mWidth, width );
		EXPECT_EQ( texture->mHeight, height );

		// Everything drawn lies in the picture's place from the pixel (128, 504) on, as
		// the device's -1 to 1 sees it, and the picture's pixels map one to one.
		const std::vector<Platform::Vertex> corners = QuadsSince( mDevice->mDraws.size() - quadsAFrame );
		ASSERT_EQ( corners.size(), 4u * quadsAFrame );
		for ( const Platform::Vertex& corner : corners )
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
			inked += texture->mRgba[i + 3] == 255 ? 1 : 0;
		EXPECT_GT( inked, 100 );

		// A new text is rendered again and the old texture given back; a new colour
		// (a text fading in) only tints the same picture.
		font->Draw( mTarget, "Score 200", at, 0xFFFFFF4D );
		font->Draw( mTarget, "Score 200", at, 0x80FF0000 );
		EXPECT_EQ( CountCalls( *mDevice, "CreateCoverageTexture" ), 2 );
		EXPECT_EQ( mDevice->mPixelTextures.size(), 1u );
		tint = mDevice->mDraws.back().mColour;
		EXPECT_FLOAT_EQ( tint[0], 1.0f );
		EXPECT_FLOAT_EQ( tint[1], 0.0f );
		EXPECT_FLOAT_EQ( tint[3], 128.0f / 255.0f );
	}

	TEST_F( TrueTypeText, OnlyTheInkedPartsAreDrawnEachItsOwnQuad )
	{
		auto font = Make( 36, 25 );
		ASSERT_TRUE( font );
		// One word: one quad.
		ASSERT_TRUE( font->Draw( mTarget, "Health", mWindow, 0xFFFFFFFF ) );
		const std::vector<Platform::Vertex> word = QuadsSince( 0 );
		ASSERT_EQ( word.size(), 4u );
		// A wide gap within a line and a blank line between two: three quads.
		const size_t before = mDevice->mDraws.size();
		ASSERT_TRUE( font->Draw( mTarget, "Health                +990\n\nTime", mWindow, 0xFFFFFFFF ) );
		const std::vector<Platform::Vertex> quads = QuadsSince( before );
		ASSERT_EQ( quads.size(), 3u * 4u );

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
					const Platform::Vertex& topLeft = quads[quad * 4];
					const Platform::Vertex& bottomRight = quads[quad * 4 + 3];
					covered = u > topLeft.u && u < bottomRight.u && v > topLeft.v && v < bottomRight.v;
				}
				outside += covered ? 0 : 1;
			}
		EXPECT_GT( inked, 300 );
		EXPECT_EQ( outside, 0 );

		// A word without tall letters or tails is drawn no taller than its ink: its
		// quad is shorter than that of a word with both.
		auto quadHeight = [&]( const char* text ) {
			const size_t first = mDevice->mDraws.size();
			EXPECT_TRUE( font->Draw( mTarget, text, mWindow, 0xFFFFFFFF ) );
			const std::vector<Platform::Vertex> corners = QuadsSince( first );
			return corners.size() == 4 ? corners[0].y - corners[1].y : 0.0f;
		};
		const float low = quadHeight( "acre" ), tall = quadHeight( "Hedgy" );
		EXPECT_GT( low, 0.0f );
		EXPECT_LT( low, 0.7f * tall );
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
		EXPECT_EQ( CountCalls( *mDevice, "CreateCoverageTexture" ), 2 ) << "rendered anew after the reset";

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
