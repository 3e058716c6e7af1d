// The TrueType font backend: SDL2_ttf renders a string's coverage into a one-channel
// texture of the render device once, and that texture is drawn in window pixels, tinted
// with the text's colour, until the string changes; a new colour costs no rendering.
// Only the inked parts of the picture are drawn, each its own quad, which the device
// gathers into one call: blank lines, the gaps between words and the empty rows above
// and below short words cost a renderer that fills pixels nothing.
#include "Platform/Font.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <glm/mat4x4.hpp>

#include <algorithm>
#include <cmath>
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
		constexpr SDL_Color kOpaqueWhite = { 0xFF, 0xFF, 0xFF, 0xFF };
		// Two pieces of a line whose ink is further apart than this part of a line's
		// height, about a word gap, are drawn apart.
		constexpr int kGapDivisor = 3;
		// A quad's corners; each piece takes one quad of two triangles.
		constexpr uint32_t kQuadVertices = 4;

		// A part of the text's picture, in its pixels; right and bottom exclusive.
		struct Piece
		{
			int mLeft, mTop, mRight, mBottom;
		};

		// The inked parts of a coverage picture: each run of rows with ink, cut where its
		// ink leaves a gap wider than `gap` columns, each cut down to the rows its own
		// ink takes.
		std::vector<Piece> InkedPieces( const std::vector<uint8_t>& coverage, int width, int height, int gap )
		{
			auto inked = [&]( int x, int y ) { return coverage[size_t( y ) * size_t( width ) + size_t( x )] != 0; };
			std::vector<Piece> pieces;
			// Whether the row has ink between the columns `left` and `right` (exclusive).
			auto rowInked = [&]( int row, int left = 0, int right = -1 ) {
				for ( int x = left; x < ( right < 0 ? width : right ); ++x )
					if ( inked( x, row ) )
						return true;
				return false;
			};
			std::vector<bool> column( static_cast<size_t>( width ) );
			int y = 0;
			while ( y < height )
			{
				if ( !rowInked( y ) )
				{
					++y;
					continue;
				}
				const int top = y;
				while ( y < height && rowInked( y ) )
					++y;
				for ( int x = 0; x < width; ++x )
				{
					bool any = false;
					for ( int row = top; row < y && !any; ++row )
						any = inked( x, row );
					column[size_t( x )] = any;
				}
				int x = 0;
				while ( x < width )
				{
					if ( !column[size_t( x )] )
					{
						++x;
						continue;
					}
					const int left = x;
					int right = x + 1;
					for ( int blank = 0; x < width && blank <= gap; ++x )
					{
						blank = column[size_t( x )] ? 0 : blank + 1;
						if ( !blank )
							right = x + 1;
					}
					Piece piece = { left, top, right, y };
					while ( !rowInked( piece.mTop, left, right ) )
						++piece.mTop;
					while ( !rowInked( piece.mBottom - 1, left, right ) )
						--piece.mBottom;
					pieces.push_back( piece );
					x = right;
				}
			}
			return pieces;
		}

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
			// Renders the text's coverage into a new texture and finds its inked pieces;
			// false when it gives no picture.
			bool Render( RenderDevice& device, const std::string& text );
			// The quads of the pieces placed at `rect` and clipped to it, filled again only
			// when the text or its place changed; the number of quads, 0 for none.
			uint32_t PlaceQuads( RenderDevice& device, const PixelRect& rect );
			void ReleaseDeviceObjects();

			TTF_Font* mFont;
			bool mLost = false;
			// The device the texture and the strip were made on.
			RenderDevice* mDevice = nullptr;

			// The last text rendered: it is drawn again as it is while it stays the same.
			bool mRendered = false;
			std::string mText;
			TextureHandle mTexture = 0;
			int mTextureWidth = 0;
			int mTextureHeight = 0;
			std::vector<Piece> mPieces;

			BufferHandle mQuads = 0;
			uint32_t mQuadCapacity = 0;
			uint32_t mQuadCount = 0;
			bool mQuadsFilled = false;
			TextureHandle mQuadsTexture = 0;
			PixelRect mQuadsRect;
			Viewport mQuadsViewport;
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
				mQuads = 0;
				mQuadCapacity = 0;
				mQuadsFilled = false;
			}
			// A text that cannot be rendered is not tried again every frame either.
			if ( !mRendered || text != mText )
				Render( device, text );
			if ( !mTexture )
				return false;
			const uint32_t quads = PlaceQuads( device, rect );
			if ( quads == 0 )
				return false;

			const float colour[4] = { float( ( argb >> 16 ) & 0xFF ) / 255.0f, float( ( argb >> 8 ) & 0xFF ) / 255.0f,
				                      float( argb & 0xFF ) / 255.0f, float( ( argb >> 24 ) & 0xFF ) / 255.0f };
			device.SetVertexShader( target.mVertexShader );
			device.SetPixelShader( target.mPixelShader );
			// The quads' corners are already where the window shows them.
			device.SetShaderMatrix( target.mVertexShader, "WorldViewProj", glm::mat4( 1.0f ) );
			device.SetShaderFloat4( target.mPixelShader, "rgba0", colour );
			device.SetTexture( 0, mTexture );
			device.DrawQuads( mQuads, 0, quads );
			return true;
		}

		bool TrueTypeFont::Render( RenderDevice& device, const std::string& text )
		{
			if ( mTexture )
				device.ReleaseTexture( mTexture );
			mTexture = 0;
			mPieces.clear();
			mRendered = true;
			mText = text;

			// A wrap length of 0 breaks lines at the text's own '\n' only.
			SDL_Surface* rendered = TTF_RenderUTF8_Blended_Wrapped( mFont, text.c_str(), kOpaqueWhite, 0 );
			if ( !rendered )
				return false;
			SDL_Surface* argb = SDL_ConvertSurfaceFormat( rendered, SDL_PIXELFORMAT_ARGB8888, 0 );
			SDL_FreeSurface( rendered );
			if ( !argb )
				return false;
			mTextureWidth = argb->w;
			mTextureHeight = argb->h;
			std::vector<uint8_t> coverage( size_t( mTextureWidth ) * size_t( mTextureHeight ) );
			for ( int y = 0; y < mTextureHeight; ++y )
			{
				const auto* row = reinterpret_cast<const uint32_t*>( static_cast<const uint8_t*>( argb->pixels ) + size_t( y ) * size_t( argb->pitch ) );
				for ( int x = 0; x < mTextureWidth; ++x )
					coverage[size_t( y ) * size_t( mTextureWidth ) + size_t( x )] = uint8_t( row[x] >> 24 );
			}
			SDL_FreeSurface( argb );
			mPieces = InkedPieces( coverage, mTextureWidth, mTextureHeight, TTF_FontHeight( mFont ) / kGapDivisor );
			mTexture = device.CreateCoverageTexture( coverage.data(), mTextureWidth, mTextureHeight );
			return mTexture != 0;
		}

		uint32_t TrueTypeFont::PlaceQuads( RenderDevice& device, const PixelRect& rect )
		{
			const Viewport viewport = device.GetViewport();
			if ( viewport.mWidth <= 0 || viewport.mHeight <= 0 )
				return 0;
			if ( mQuads && mQuadsFilled && mQuadsTexture == mTexture && SameRect( rect, mQuadsRect ) &&
			     SameViewport( viewport, mQuadsViewport ) )
				return mQuadCount;

			// Each piece in window pixels, cut to the rectangle.
			std::vector<Piece> shown;
			for ( const Piece& piece : mPieces )
			{
				const Piece placed = { rect.mLeft + piece.mLeft, rect.mTop + piece.mTop, std::min( rect.mLeft + piece.mRight, rect.mRight ),
					                   std::min( rect.mTop + piece.mBottom, rect.mBottom ) };
				if ( placed.mRight > placed.mLeft && placed.mBottom > placed.mTop )
					shown.push_back( placed );
			}
			const uint32_t count = uint32_t( shown.size() );
			mQuadsFilled = true;
			mQuadsTexture = mTexture;
			mQuadsRect = rect;
			mQuadsViewport = viewport;
			mQuadCount = count;
			if ( count == 0 )
				return 0;
			if ( count > mQuadCapacity )
			{
				if ( mQuads )
					device.ReleaseVertexBuffer( mQuads );
				mQuads = device.CreateVertexBuffer( count * kQuadVertices );
				mQuadCapacity = mQuads ? count : 0;
			}
			Vertex* vertices = mQuads ? device.Lock( mQuads ) : nullptr;
			if ( !vertices )
			{
				mQuadsFilled = false;
				return 0;
			}

			auto x = [&]( int pixel ) { return 2.0f * float( pixel - viewport.mX ) / float( viewport.mWidth ) - 1.0f; };
			auto y = [&]( int pixel ) { return 1.0f - 2.0f * float( pixel - viewport.mY ) / float( viewport.mHeight ); };
			auto u = [&]( int pixel ) { return float( pixel - rect.mLeft ) / float( mTextureWidth ); };
			auto v = [&]( int pixel ) { return float( pixel - rect.mTop ) / float( mTextureHeight ); };
			// Each quad's corners in strip order: top left, bottom left, top right, bottom right.
			Vertex* out = vertices;
			for ( const Piece& p : shown )
			{
				*out++ = { x( p.mLeft ), y( p.mTop ), 0.0f, kWhite, u( p.mLeft ), v( p.mTop ) };
				*out++ = { x( p.mLeft ), y( p.mBottom ), 0.0f, kWhite, u( p.mLeft ), v( p.mBottom ) };
				*out++ = { x( p.mRight ), y( p.mTop ), 0.0f, kWhite, u( p.mRight ), v( p.mTop ) };
				*out++ = { x( p.mRight ), y( p.mBottom ), 0.0f, kWhite, u( p.mRight ), v( p.mBottom ) };
			}
			device.Unlock( mQuads );
			return count;
		}

		void TrueTypeFont::ReleaseDeviceObjects()
		{
			if ( mDevice )
			{
				if ( mTexture )
					mDevice->ReleaseTexture( mTexture );
				if ( mQuads )
					mDevice->ReleaseVertexBuffer( mQuads );
			}
			mTexture = 0;
			mQuads = 0;
			mQuadCapacity = 0;
			mQuadsFilled = false;
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
