// The TrueType font backend: SDL2_ttf renders a string into a texture of the render
// device once, and that texture is drawn as one quad in window pixels until the string
// or its colour changes. A steady text costs one draw call a frame and no rendering.
#include "Platform/Font.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <glm/mat4x4.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace Platform
{
	namespace
	{
		// The face's proportions are measured at this size in points, at one pixel a
		// point. The font is then set at one point and sized by its dots per inch alone,
		// which gives its pixel size in steps of 1/72 of a pixel.
		constexpr int kMeasuringPoints = 64;
		constexpr double kPointsPerInch = 72.0;
		// A letter's average width is that of these.
		constexpr const char* kAverageLetters = "abcdefghijklmnopqrstuvwxyz";
		constexpr double kAverageLetterCount = 26.0;
		constexpr uint32_t kWhite = 0xFFFFFFFFu;

		unsigned DotsPerInch( double pixelsPerEm ) { return static_cast<unsigned>( std::max( 1L, std::lround( pixelsPerEm * kPointsPerInch ) ) ); }

		bool SameRect( const PixelRect& a, const PixelRect& b )
		{
			return a.mLeft == b.mLeft && a.mTop == b.mTop && a.mRight == b.mRight && a.mBottom == b.mBottom;
		}

		bool SameViewport( const Viewport& a, const Viewport& b )
		{
			return a.mX == b.mX && a.mY == b.mY && a.mWidth == b.mWidth && a.mHeight == b.mHeight;
		}

		class TrueTypeFont : public Font
		{
		public:
			TrueTypeFont( const FontDesc& desc, TTF_Font* font ) : Font( desc ), mFont( font ) {}
			~TrueTypeFont() override
			{
				ReleaseDeviceObjects();
				TTF_CloseFont( mFont );
				TTF_Quit();
			}

			void Measure( const std::string& text, int& width, int& height ) const override;
			bool Draw( const TextTarget& target, const std::string& text, const PixelRect& rect, uint32_t argb ) override;
			void OnLostDevice() override
			{
				ReleaseDeviceObjects();
				mLost = true;
			}
			void OnResetDevice() override { mLost = false; }

		private:
			// Renders the text into a new texture; false when it gives no picture.
			bool Render( RenderDevice& device, const std::string& text, uint32_t argb );
			// The quad over these window pixels, filled again only when they moved.
			bool PlaceQuad( RenderDevice& device, const PixelRect& visible );
			void ReleaseDeviceObjects();

			TTF_Font* mFont;
			bool mLost = false;
			// The device the texture and the quad were made on.
			RenderDevice* mDevice = nullptr;

			// The last text rendered: it is drawn again as it is while it stays the same.
			bool mRendered = false;
			std::string mText;
			uint32_t mColour = 0;
			TextureHandle mTexture = 0;
			int mTextureWidth = 0;
			int mTextureHeight = 0;

			BufferHandle mQuad = 0;
			bool mQuadFilled = false;
			PixelRect mQuadPixels;
			Viewport mQuadViewport;
			int mQuadTextureWidth = 0;
			int mQuadTextureHeight = 0;
		};

		void TrueTypeFont::Measure( const std::string& text, int& width, int& height ) const
		{
			const std::vector<std::string_view> lines = TextLines( text );
			width = 0;
			for ( std::string_view line : lines )
			{
				int lineWidth = 0;
				const std::string copy( line );
				if ( TTF_SizeUTF8( mFont, copy.c_str(), &lineWidth, nullptr ) == 0 )
					width = std::max( width, lineWidth );
			}
			height = TTF_FontHeight( mFont ) + static_cast<int>( lines.size() - 1 ) * TTF_FontLineSkip( mFont );
		}

		bool TrueTypeFont::Draw( const TextTarget& target, const std::string& text, const PixelRect& rect, uint32_t argb )
		{
			if ( mLost || text.empty() || !target.mDevice )
				return false;
			RenderDevice& device = *target.mDevice;
			if ( mDevice != &device )
			{
				// What was made on another device went with it (the fonts are told of
				// every device that ends); start again on this one.
				mDevice = &device;
				mRendered = false;
				mTexture = 0;
				mQuad = 0;
				mQuadFilled = false;
			}
			// A text that cannot be rendered is not tried again every frame either.
			if ( !mRendered || text != mText || argb != mColour )
				Render( device, text, argb );
			if ( !mTexture )
				return false;

			const PixelRect visible = { rect.mLeft, rect.mTop, std::min( rect.mLeft + mTextureWidth, rect.mRight ),
				                        std::min( rect.mTop + mTextureHeight, rect.mBottom ) };
			if ( visible.mRight <= visible.mLeft || visible.mBottom <= visible.mTop || !PlaceQuad( device, visible ) )
				return false;

			const float white[4] = { 1.0f, 1.0f, 1.0f, 1.0f };
			device.SetVertexShader( target.mVertexShader );
			device.SetPixelShader( target.mPixelShader );
			// The quad's corners are already where the window shows them.
			device.SetShaderMatrix( target.mVertexShader, "WorldViewProj", glm::mat4( 1.0f ) );
			device.SetShaderFloat4( target.mPixelShader, "rgba0", white );
			device.SetTexture( 0, mTexture );
			device.DrawTriangleStrip( mQuad, 0, 2 );
			return true;
		}

		bool TrueTypeFont::Render( RenderDevice& device, const std::string& text, uint32_t argb )
		{
			if ( mTexture )
				device.ReleaseTexture( mTexture );
			mTexture = 0;
			mRendered = true;
			mText = text;
			mColour = argb;

			const SDL_Color colour = { Uint8( ( argb >> 16 ) & 0xFF ), Uint8( ( argb >> 8 ) & 0xFF ), Uint8( argb & 0xFF ),
				                       Uint8( ( argb >> 24 ) & 0xFF ) };
			// A wrap length of 0 breaks lines at the text's own '\n' only.
			SDL_Surface* rendered = TTF_RenderUTF8_Blended_Wrapped( mFont, text.c_str(), colour, 0 );
			if ( !rendered )
				return false;
			SDL_Surface* rgba = SDL_ConvertSurfaceFormat( rendered, SDL_PIXELFORMAT_ABGR8888, 0 );
			SDL_FreeSurface( rendered );
			if ( !rgba )
				return false;
			const size_t row = size_t( rgba->w ) * 4;
			std::vector<uint8_t> pixels( row * size_t( rgba->h ) );
			for ( int y = 0; y < rgba->h; ++y )
				std::memcpy( pixels.data() + size_t( y ) * row, static_cast<const uint8_t*>( rgba->pixels ) + size_t( y ) * size_t( rgba->pitch ),
				             row );
			mTextureWidth = rgba->w;
			mTextureHeight = rgba->h;
			SDL_FreeSurface( rgba );
			mTexture = device.CreateTextureFromPixels( pixels.data(), mTextureWidth, mTextureHeight );
			return mTexture != 0;
		}

		bool TrueTypeFont::PlaceQuad( RenderDevice& device, const PixelRect& visible )
		{
			const Viewport viewport = device.GetViewport();
			if ( viewport.mWidth <= 0 || viewport.mHeight <= 0 )
				return false;
			if ( mQuad && mQuadFilled && SameRect( visible, mQuadPixels ) && SameViewport( viewport, mQuadViewport ) &&
			     mQuadTextureWidth == mTextureWidth && mQuadTextureHeight == mTextureHeight )
				return true;
			if ( !mQuad )
				mQuad = device.CreateVertexBuffer( 4 );
			Vertex* vertices = mQuad ? device.Lock( mQuad ) : nullptr;
			if ( !vertices )
				return false;

			auto x = [&]( int pixel ) { return 2.0f * float( pixel - viewport.mX ) / float( viewport.mWidth ) - 1.0f; };
			auto y = [&]( int pixel ) { return 1.0f - 2.0f * float( pixel - viewport.mY ) / float( viewport.mHeight ); };
			const float left = x( visible.mLeft ), right = x( visible.mRight );
			const float top = y( visible.mTop ), bottom = y( visible.mBottom );
			const float u = float( visible.mRight - visible.mLeft ) / float( mTextureWidth );
			const float v = float( visible.mBottom - visible.mTop ) / float( mTextureHeight );
			vertices[0] = { left, top, 0.0f, kWhite, 0.0f, 0.0f };
			vertices[1] = { left, bottom, 0.0f, kWhite, 0.0f, v };
			vertices[2] = { right, top, 0.0f, kWhite, u, 0.0f };
			vertices[3] = { right, bottom, 0.0f, kWhite, u, v };
			device.Unlock( mQuad );

			mQuadFilled = true;
			mQuadPixels = visible;
			mQuadViewport = viewport;
			mQuadTextureWidth = mTextureWidth;
			mQuadTextureHeight = mTextureHeight;
			return true;
		}

		void TrueTypeFont::ReleaseDeviceObjects()
		{
			if ( mDevice )
			{
				if ( mTexture )
					mDevice->ReleaseTexture( mTexture );
				if ( mQuad )
					mDevice->ReleaseVertexBuffer( mQuad );
			}
			mTexture = 0;
			mQuad = 0;
			mQuadFilled = false;
			mRendered = false;
			mDevice = nullptr;
		}
	}

	std::unique_ptr<Font> CreateTrueTypeFont( const std::string& path, const FontDesc& desc, std::string& error )
	{
		// Counted: each font holds one initialisation of the library and gives it back.
		if ( TTF_Init() != 0 )
		{
			error = TTF_GetError();
			return nullptr;
		}
		TTF_Font* font = TTF_OpenFontDPI( path.c_str(), kMeasuringPoints, unsigned( kPointsPerInch ), unsigned( kPointsPerInch ) );
		auto fail = [&]( const char* reason ) -> std::unique_ptr<Font> {
			error = reason;
			if ( font )
				TTF_CloseFont( font );
			TTF_Quit();
			return nullptr;
		};
		if ( !font )
			return fail( TTF_GetError() );
		const int lineHeight = TTF_FontHeight( font );
		int lettersWidth = 0;
		if ( lineHeight <= 0 || TTF_SizeUTF8( font, kAverageLetters, &lettersWidth, nullptr ) != 0 || lettersWidth <= 0 )
			return fail( "the face has no letters to measure" );

		// A line of the face at one pixel an em is lineHeight / kMeasuringPoints tall.
		const unsigned vertical = DotsPerInch( double( LineHeightOf( desc ) ) * kMeasuringPoints / lineHeight );
		unsigned horizontal = vertical;
		if ( const int letterWidth = LetterWidthOf( desc ); letterWidth > 0 )
			horizontal = DotsPerInch( double( letterWidth ) * kMeasuringPoints * kAverageLetterCount / lettersWidth );
		if ( TTF_SetFontSizeDPI( font, 1, horizontal, vertical ) != 0 )
			return fail( TTF_GetError() );
		return std::make_unique<TrueTypeFont>( desc, font );
	}
}
