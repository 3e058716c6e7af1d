// The OpenGL 3.3 core render device on an SDL window.
#include "Platform/RenderDevice.h"
#include "Utilities/Log.h"

#include <SDL.h>
#include <SDL_image.h>
#include <epoxy/gl.h>
#include <glm/gtc/type_ptr.hpp>

#include <strings.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <unordered_map>

namespace Platform
{
	namespace
	{
		// Our switches, read once when the device is made: KELVANE_BATCHING=0 draws every
		// quad with its own call, for comparison and tests; KELVANE_VSYNC=0 presents
		// without waiting for the display (benchmarks).
		constexpr const char* kBatchingVariable = "KELVANE_BATCHING";
		constexpr const char* kVsyncVariable = "KELVANE_VSYNC";

		bool SwitchedOff( const char* variable )
		{
			const char* value = std::getenv( variable );
			if ( !value )
				return false;
			for ( const char* off : { "0", "off", "no", "false" } )
				if ( strcasecmp( value, off ) == 0 )
					return true;
			return false;
		}

		// A shader source written for batches tests this name; the device compiles such
		// a source a second time with it defined.
		constexpr const char* kBatchedMacro = "BATCHED";

		// One vertex of a batch: the quad's own vertex and the constants of its draw,
		// which the batched shaders read as inputs instead of uniforms.
		struct BatchVertex
		{
			Vertex mVertex;
			float mWorldViewProj[16];
			float mColour[4];
			float mTime;
		};

		// The constants that may differ from quad to quad inside one batch, and where
		// each vertex carries them. A pixel shader takes its colour as "rgba0" or as
		// "rgba"; both go to the same place. Any other constant is a uniform, and a new
		// value of it ends the batch.
		struct PerQuadConstant
		{
			const char* mName;
			ShaderStage mStage;
			uint8_t mFloats;
			size_t mOffset;
		};
		constexpr PerQuadConstant kPerQuadConstants[] = {
			{ "WorldViewProj", ShaderStage::Vertex, 16, offsetof( BatchVertex, mWorldViewProj ) },
			{ "rgba0", ShaderStage::Pixel, 4, offsetof( BatchVertex, mColour ) },
			{ "rgba", ShaderStage::Pixel, 4, offsetof( BatchVertex, mColour ) },
			{ "Time", ShaderStage::Pixel, 1, offsetof( BatchVertex, mTime ) },
		};
		constexpr size_t kPerQuadCount = std::size( kPerQuadConstants );

		// Vertex inputs: the vertex itself, then (batched only) the quad's constants, each
		// with its place in a batch vertex. A matrix takes one input a column.
		struct Attribute
		{
			const char* mName;
			GLuint mLocation;
			GLint mFloats = 0;
			GLuint mColumns = 1;
			size_t mOffset = 0;
		};
		constexpr Attribute kVertexAttributes[] = { { "inPosition", 0 }, { "inColour", 1 }, { "inTexCoord", 2 } };
		constexpr Attribute kBatchAttributes[] = {
			{ "WorldViewProj", 3, 4, 4, offsetof( BatchVertex, mWorldViewProj ) },
			{ "inQuadColour", 7, 4, 1, offsetof( BatchVertex, mColour ) },
			{ "inQuadTime", 8, 1, 1, offsetof( BatchVertex, mTime ) },
		};

		// Quads a single glDraw call takes. Mesa's software rasteriser (llvmpipe) hands
		// at most 1020 indices at a time to its rasteriser, and only a call that fits in
		// one such piece has its quads taken for rectangles: filled with no edge tests,
		// and by its 8-bit fast path where the shader and blend allow, several times
		// faster than as two triangles. Longer batches and quad lists are drawn as
		// several calls of this size.
		constexpr uint32_t kQuadsPerDraw = 170;

		struct Constant
		{
			std::string mName;
			float mValues[16] = {};
			uint8_t mCount = 0;
			bool mPerQuad = false;
		};

		struct ShaderObject
		{
			GLuint mId = 0;
			GLuint mBatchedId = 0; // 0 when the source has no batched form
			ShaderStage mStage = ShaderStage::Vertex;
			std::vector<Constant> mConstants;
			// Where each per-quad constant stands in mConstants; -1 while never set.
			std::array<int, kPerQuadCount> mPerQuad;
			// Two constants set that the vertex carries in one place ("rgba0" and "rgba"):
			// such a shader draws one call a quad.
			bool mPerQuadClash = false;

			ShaderObject() { mPerQuad.fill( -1 ); }

			Constant* Find( const char* name )
			{
				for ( Constant& constant : mConstants )
					if ( constant.mName == name )
						return &constant;
				return nullptr;
			}
		};

		// A linked pair of shaders, as written and in their batched forms, with the
		// uniform locations found so far.
		struct Program
		{
			enum Form
			{
				Single,
				Batched,
			};
			GLuint mIds[2] = { 0, 0 };
			std::map<std::string, GLint, std::less<>> mLocations[2];
		};

		struct VertexBuffer
		{
			GLuint mId = 0;
			std::vector<Vertex> mShadow; // what Lock hands out; uploaded on Unlock
		};

		// A picture's texture. A PNG file is kept as read until it is first drawn, and
		// only then decoded and handed to the driver, which keeps the one decoded copy:
		// pictures that are never shown (most menu pictures while a level is played) cost
		// their file's size, not their pixels'. No file is read after start-up.
		struct Texture
		{
			GLuint mId = 0;
			std::vector<uint8_t> mFile;
			std::string mPath;
		};

		class GlRenderDevice : public RenderDevice
		{
		public:
			GlRenderDevice( SDL_Window* window, SDL_GLContext context, const PresentParameters& parameters );
			~GlRenderDevice() override;

			CooperativeLevel TestCooperativeLevel() override;
			bool Reset( const PresentParameters& parameters ) override;
			const PresentParameters& GetPresentParameters() const override { return mParameters; }
			void SetFixedStates() override;

			BufferHandle CreateVertexBuffer( uint32_t vertexCount ) override;
			Vertex* Lock( BufferHandle buffer ) override;
			void Unlock( BufferHandle buffer ) override;
			void ReleaseVertexBuffer( BufferHandle buffer ) override;

			TextureHandle CreateTextureFromFile( const std::string& path, int& width, int& height,
			                                     std::string& error ) override;
			TextureHandle CreateTextureFromPixels( const uint8_t* rgba, int width, int height ) override;
			TextureHandle CreateCoverageTexture( const uint8_t* coverage, int width, int height ) override;
			void ReleaseTexture( TextureHandle texture ) override;
			void SetTexture( int stage, TextureHandle texture ) override;

			ShaderHandle CompileShader( const std::string& path, ShaderStage stage, std::string& error ) override;
			void ReleaseShader( ShaderHandle shader ) override;
			void SetVertexShader( ShaderHandle shader ) override { mVertexShader = shader; }
			void SetPixelShader( ShaderHandle shader ) override { mPixelShader = shader; }
			void SetShaderMatrix( ShaderHandle shader, const char* name, const glm::mat4& value ) override;
			void SetShaderFloat4( ShaderHandle shader, const char* name, const float value[4] ) override;
			void SetShaderFloat( ShaderHandle shader, const char* name, float value ) override;

			void SetTransform( TransformKind kind, const glm::mat4& matrix ) override
			{
				mTransforms[static_cast<int>( kind )] = matrix;
			}
			glm::mat4 GetTransform( TransformKind kind ) const override { return mTransforms[static_cast<int>( kind )]; }
			void SetViewport( const Viewport& viewport ) override;
			Viewport GetViewport() const override { return mViewport; }

			void Clear( uint32_t argb, float depth, int stencil ) override;
			bool BeginScene() override { return true; }
			void EndScene() override { Flush(); }
			void Present() override;
			void DrawTriangleStrip( BufferHandle buffer, uint32_t first, uint32_t primitives ) override;
			void DrawQuads( BufferHandle buffer, uint32_t first, uint32_t quads ) override;
			void BeginEvent( uint32_t argb, const char* name ) override;
			void EndEvent() override;
			bool ReadBackBuffer( std::vector<uint8_t>& rgba, int& width, int& height ) override;
			uint32_t DrawCallsLastFrame() const override { return mDrawCalls.mLastFrame; }

		private:
			ShaderObject* FindShader( ShaderHandle shader );
			Program* ProgramFor( ShaderHandle vertex, ShaderHandle pixel );
			GLuint Link( const ShaderObject& vertex, const ShaderObject& pixel, Program::Form form );
			void SetConstant( ShaderHandle shader, const char* name, const float* values, uint8_t count );
			void UploadConstants( Program& program, Program::Form form, const ShaderObject& shader );
			void Use( GLuint program );
			void BindTexture( GLuint texture );
			// A texture of the picture's pixels, bound; 0 with the reason when it cannot
			// be decoded.
			GLuint Upload( SDL_Surface* picture, int& width, int& height, std::string& error );
			// The texture's id, decoding and handing it over first when still a file.
			GLuint Resident( Texture& texture );
			void BindVertexArray( GLuint vertexArray );
			void CreateQuadIndices();
			void CreateBatchObjects();
			// Quads of four vertices from `firstVertex` on in the bound vertex array,
			// through the quad indices, kQuadsPerDraw at a time.
			void DrawIndexedQuads( uint32_t firstVertex, uint32_t quads );
			// Binds the single program of the bound shaders with their constants, the
			// bound texture and the buffer's vertices, for a draw outside the batches.
			void PrepareSingle( Program& program, const VertexBuffer& buffer );
			// Whether this draw may join a batch; then appends its quad.
			bool Batch( Program& program, const VertexBuffer& buffer, uint32_t first, uint32_t primitives );
			// Draws the quads gathered so far with one call.
			void Flush();
			// A texture of the pixels `upload` hands to the bound texture, sampled nearest.
			TextureHandle MakePixelTexture( const std::function<void()>& upload );
			void DrawSingle( Program& program, const VertexBuffer& buffer, uint32_t first, uint32_t primitives );

			SDL_Window* mWindow;
			SDL_GLContext mContext;
			PresentParameters mParameters;
			Viewport mViewport;
			glm::mat4 mTransforms[3] = { glm::mat4( 1.0f ), glm::mat4( 1.0f ), glm::mat4( 1.0f ) };
			GLuint mVertexArray = 0;
			GLuint mWhiteTexture = 0;
			std::unordered_map<BufferHandle, VertexBuffer> mBuffers;
			std::unordered_map<TextureHandle, Texture> mTextures;
			std::map<ShaderHandle, ShaderObject> mShaders;
			std::map<std::pair<ShaderHandle, ShaderHandle>, Program> mPrograms;
			uint32_t mNextHandle = 1;
			ShaderHandle mVertexShader = 0;
			ShaderHandle mPixelShader = 0;
			TextureHandle mTexture = 0;
			GLuint mTextureId = 0; // what mTexture draws with: the white texture when none
			bool mWasLost = false;
			bool mHasDebugGroups = false;
			bool mBatching = true;

			// What is bound, so that unchanged state is not set again.
			GLuint mUsedProgram = 0;
			GLuint mBoundTexture = 0;
			GLuint mBoundVertexArray = 0;
			// The last pair asked for: quads in a row nearly always share it.
			std::pair<ShaderHandle, ShaderHandle> mLastPair{ 0, 0 };
			Program* mLastProgram = nullptr;

			// The batch being gathered: quads in a row with the same shaders and texture.
			struct
			{
				Program* mProgram = nullptr;
				ShaderHandle mVertexShader = 0;
				ShaderHandle mPixelShader = 0;
				GLuint mTexture = 0;
				uint32_t mFirstVertex = 0;
				uint32_t mQuads = 0;
			} mBatch;
			// This frame's batched vertices; each batch is uploaded to the same place in
			// the stream buffer, which is let go at every Present.
			std::vector<BatchVertex> mBatchVertices;
			uint32_t mBatchVerticesUsed = 0;
			GLuint mBatchVertexArray = 0;
			GLuint mBatchBuffer = 0;
			// Two triangles for each of kQuadsPerDraw quads, as a strip makes them.
			GLuint mQuadIndices = 0;
			size_t mBatchBufferBytes = 0;

			struct
			{
				uint32_t mThisFrame = 0;
				uint32_t mLastFrame = 0;
			} mDrawCalls;
		};

		GLuint CompileStage( GLenum type, const std::string& text, std::string& error )
		{
			const char* pointer = text.c_str();
			const GLuint id = glCreateShader( type );
			glShaderSource( id, 1, &pointer, nullptr );
			glCompileShader( id );
			GLint compiled = GL_FALSE;
			glGetShaderiv( id, GL_COMPILE_STATUS, &compiled );
			if ( compiled == GL_TRUE )
				return id;
			GLint length = 0;
			glGetShaderiv( id, GL_INFO_LOG_LENGTH, &length );
			std::string log( size_t( length > 1 ? length : 1 ), '\0' );
			glGetShaderInfoLog( id, length, nullptr, log.data() );
			while ( !log.empty() && ( log.back() == '\0' || log.back() == '\n' ) )
				log.pop_back();
			error = log.empty() ? "the compiler gave no reason" : log;
			glDeleteShader( id );
			return 0;
		}

		// The source with the batch macro defined after its #version line, keeping the
		// line numbers of the compiler's messages.
		std::string BatchedSource( const std::string& text )
		{
			const std::string define = std::string( "#define " ) + kBatchedMacro + " 1\n";
			if ( text.rfind( "#version", 0 ) != 0 )
				return define + "#line 1\n" + text;
			const size_t endOfVersion = text.find( '\n' );
			if ( endOfVersion == std::string::npos )
				return text + "\n" + define;
			return text.substr( 0, endOfVersion + 1 ) + define + "#line 2\n" + text.substr( endOfVersion + 1 );
		}

		// The vertex's own three inputs at `base` within a vertex of `stride` bytes. A
		// 32-bit ARGB colour lies in memory as B, G, R, A.
		void PointVertexInputs( GLsizei stride, size_t base )
		{
			glEnableVertexAttribArray( 0 );
			glVertexAttribPointer( 0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>( base ) );
			glEnableVertexAttribArray( 1 );
			glVertexAttribPointer( 1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, reinterpret_cast<const void*>( base + 12 ) );
			glEnableVertexAttribArray( 2 );
			glVertexAttribPointer( 2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>( base + 16 ) );
		}

		GlRenderDevice::GlRenderDevice( SDL_Window* window, SDL_GLContext context, const PresentParameters& parameters )
		    : mWindow( window ), mContext( context ), mParameters( parameters )
		{
			SDL_GL_SetSwapInterval( SwitchedOff( kVsyncVariable ) ? 0 : 1 );
			mBatching = !SwitchedOff( kBatchingVariable );
			mHasDebugGroups = epoxy_gl_version() >= 43 || epoxy_has_gl_extension( "GL_KHR_debug" );
			glGenVertexArrays( 1, &mVertexArray );
			BindVertexArray( mVertexArray );

			const uint32_t white = 0xFFFFFFFFu;
			glGenTextures( 1, &mWhiteTexture );
			glBindTexture( GL_TEXTURE_2D, mWhiteTexture );
			glTexImage2D( GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, &white );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST );
			mTextureId = mWhiteTexture;
			CreateQuadIndices();
			if ( mBatching )
				CreateBatchObjects();

			Viewport viewport;
			viewport.mWidth = parameters.mBackBufferWidth;
			viewport.mHeight = parameters.mBackBufferHeight;
			SetViewport( viewport );
		}

		void GlRenderDevice::CreateQuadIndices()
		{
			std::vector<uint16_t> indices( size_t( kQuadsPerDraw ) * 6 );
			// The two triangles a four-vertex strip makes, in the order the strip makes
			// them, so that a quad drawn this way covers exactly the pixels of a strip.
			for ( uint32_t quad = 0; quad < kQuadsPerDraw; ++quad )
			{
				const uint16_t v = uint16_t( quad * 4 );
				const uint16_t pattern[6] = { v, uint16_t( v + 1 ), uint16_t( v + 2 ), uint16_t( v + 2 ), uint16_t( v + 1 ),
					                          uint16_t( v + 3 ) };
				std::copy_n( pattern, 6, indices.begin() + std::ptrdiff_t( quad ) * 6 );
			}
			glGenBuffers( 1, &mQuadIndices );
			// The element buffer is the vertex array's: the plain one keeps it too.
			BindVertexArray( mVertexArray );
			glBindBuffer( GL_ELEMENT_ARRAY_BUFFER, mQuadIndices );
			glBufferData( GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr( indices.size() * sizeof( uint16_t ) ), indices.data(),
			              GL_STATIC_DRAW );
		}

		void GlRenderDevice::CreateBatchObjects()
		{
			glGenVertexArrays( 1, &mBatchVertexArray );
			BindVertexArray( mBatchVertexArray );
			glBindBuffer( GL_ELEMENT_ARRAY_BUFFER, mQuadIndices );
			glGenBuffers( 1, &mBatchBuffer );
			glBindBuffer( GL_ARRAY_BUFFER, mBatchBuffer );
			const GLsizei stride = sizeof( BatchVertex );
			PointVertexInputs( stride, offsetof( BatchVertex, mVertex ) );
			for ( const Attribute& input : kBatchAttributes )
				for ( GLuint column = 0; column < input.mColumns; ++column )
				{
					const size_t offset = input.mOffset + column * size_t( input.mFloats ) * sizeof( float );
					glEnableVertexAttribArray( input.mLocation + column );
					glVertexAttribPointer( input.mLocation + column, input.mFloats, GL_FLOAT, GL_FALSE, stride,
					                       reinterpret_cast<const void*>( offset ) );
				}
			BindVertexArray( mVertexArray );
		}

		GlRenderDevice::~GlRenderDevice()
		{
			for ( auto& [handle, program] : mPrograms )
				for ( GLuint id : program.mIds )
					if ( id )
						glDeleteProgram( id );
			for ( auto& [handle, shader] : mShaders )
			{
				glDeleteShader( shader.mId );
				if ( shader.mBatchedId )
					glDeleteShader( shader.mBatchedId );
			}
			for ( auto& [handle, buffer] : mBuffers )
				glDeleteBuffers( 1, &buffer.mId );
			for ( auto& [handle, texture] : mTextures )
				if ( texture.mId )
					glDeleteTextures( 1, &texture.mId );
			glDeleteTextures( 1, &mWhiteTexture );
			glDeleteBuffers( 1, &mBatchBuffer );
			glDeleteBuffers( 1, &mQuadIndices );
			glDeleteVertexArrays( 1, &mBatchVertexArray );
			glDeleteVertexArrays( 1, &mVertexArray );
			SDL_GL_DeleteContext( mContext );
		}

		CooperativeLevel GlRenderDevice::TestCooperativeLevel()
		{
			const Uint32 flags = SDL_GetWindowFlags( mWindow );
			if ( flags & ( SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN ) )
			{
				mWasLost = true;
				return CooperativeLevel::Lost;
			}
			// A window that changed size (full screen on or off) has lost its back buffer
			// as a display-mode change did: one frame lost, then a reset to the new size.
			int width = 0, height = 0;
			SDL_GetWindowSize( mWindow, &width, &height );
			if ( !mWasLost && width > 0 && height > 0 &&
			     ( width != mParameters.mBackBufferWidth || height != mParameters.mBackBufferHeight ) )
			{
				mWasLost = true;
				return CooperativeLevel::Lost;
			}
			return mWasLost ? CooperativeLevel::NotReset : CooperativeLevel::Ok;
		}

		bool GlRenderDevice::Reset( const PresentParameters& parameters )
		{
			if ( SDL_GetWindowFlags( mWindow ) & ( SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN ) )
				return false;
			Flush();
			mParameters = parameters;
			int width = 0, height = 0;
			SDL_GL_GetDrawableSize( mWindow, &width, &height );
			Viewport viewport;
			viewport.mWidth = width > 0 ? width : parameters.mBackBufferWidth;
			viewport.mHeight = height > 0 ? height : parameters.mBackBufferHeight;
			SetViewport( viewport );
			mVertexShader = mPixelShader = 0;
			mWasLost = false;
			return true;
		}

		void GlRenderDevice::SetFixedStates()
		{
			Flush();
			glEnable( GL_BLEND );
			glBlendFunc( GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA );
			glBlendEquation( GL_FUNC_ADD );
			glDisable( GL_DEPTH_TEST );
			glDisable( GL_CULL_FACE );
		}

		BufferHandle GlRenderDevice::CreateVertexBuffer( uint32_t vertexCount )
		{
			VertexBuffer buffer;
			glGenBuffers( 1, &buffer.mId );
			glBindBuffer( GL_ARRAY_BUFFER, buffer.mId );
			glBufferData( GL_ARRAY_BUFFER, GLsizeiptr( vertexCount * sizeof( Vertex ) ), nullptr, GL_DYNAMIC_DRAW );
			buffer.mShadow.resize( vertexCount );
			const BufferHandle handle = mNextHandle++;
			mBuffers[handle] = std::move( buffer );
			return handle;
		}

		Vertex* GlRenderDevice::Lock( BufferHandle buffer )
		{
			auto found = mBuffers.find( buffer );
			return found == mBuffers.end() || found->second.mShadow.empty() ? nullptr : found->second.mShadow.data();
		}

		void GlRenderDevice::Unlock( BufferHandle buffer )
		{
			// Batched quads were copied when they were drawn: a new content changes none.
			auto found = mBuffers.find( buffer );
			if ( found == mBuffers.end() )
				return;
			glBindBuffer( GL_ARRAY_BUFFER, found->second.mId );
			glBufferSubData( GL_ARRAY_BUFFER, 0, GLsizeiptr( found->second.mShadow.size() * sizeof( Vertex ) ),
			                 found->second.mShadow.data() );
		}

		void GlRenderDevice::ReleaseVertexBuffer( BufferHandle buffer )
		{
			auto found = mBuffers.find( buffer );
			if ( found == mBuffers.end() )
				return;
			glDeleteBuffers( 1, &found->second.mId );
			mBuffers.erase( found );
		}

		GLuint GlRenderDevice::Upload( SDL_Surface* picture, int& width, int& height, std::string& error )
		{
			if ( !picture )
			{
				error = IMG_GetError();
				return 0;
			}
			SDL_Surface* rgba = SDL_ConvertSurfaceFormat( picture, SDL_PIXELFORMAT_ABGR8888, 0 );
			SDL_FreeSurface( picture );
			if ( !rgba )
			{
				error = SDL_GetError();
				return 0;
			}
			width = rgba->w;
			height = rgba->h;
			GLuint id = 0;
			glGenTextures( 1, &id );
			BindTexture( id );
			// Filtering first: a texture whose filter wants no mipmaps is given storage
			// for its one level only.
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE );
			glPixelStorei( GL_UNPACK_ALIGNMENT, 4 );
			glPixelStorei( GL_UNPACK_ROW_LENGTH, rgba->pitch / 4 );
			glTexImage2D( GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba->pixels );
			glPixelStorei( GL_UNPACK_ROW_LENGTH, 0 );
			SDL_FreeSurface( rgba );
			return id;
		}

		GLuint GlRenderDevice::Resident( Texture& texture )
		{
			if ( texture.mId || texture.mFile.empty() )
				return texture.mId;
			std::string error;
			int width = 0, height = 0;
			texture.mId = Upload( IMG_Load_RW( SDL_RWFromConstMem( texture.mFile.data(), int( texture.mFile.size() ) ), 1 ),
			                      width, height, error );
			if ( !texture.mId )
				LOG_ERROR( "The picture " << texture.mPath << " cannot be decoded (" << error << "); it is drawn untextured." );
			std::vector<uint8_t>().swap( texture.mFile );
			return texture.mId;
		}

		TextureHandle GlRenderDevice::CreateTextureFromFile( const std::string& path, int& width, int& height,
		                                                     std::string& error )
		{
			Texture texture;
			texture.mPath = path;
			std::ifstream in( path, std::ios::binary );
			texture.mFile.assign( std::istreambuf_iterator<char>( in ), std::istreambuf_iterator<char>() );
			if ( !in && !in.eof() )
			{
				error = "cannot read the file";
				return 0;
			}
			// Anything but a PNG file is decoded at once.
			if ( !PngSize( texture.mFile.data(), texture.mFile.size(), width, height ) )
			{
				texture.mId = Upload( IMG_Load( path.c_str() ), width, height, error );
				if ( !texture.mId )
					return 0;
				std::vector<uint8_t>().swap( texture.mFile );
			}
			const TextureHandle handle = mNextHandle++;
			mTextures[handle] = std::move( texture );
			return handle;
		}

		TextureHandle GlRenderDevice::CreateTextureFromPixels( const uint8_t* rgba, int width, int height )
		{
			if ( !rgba || width <= 0 || height <= 0 )
				return 0;
			return MakePixelTexture( [&] {
				glPixelStorei( GL_UNPACK_ALIGNMENT, 4 );
				glTexImage2D( GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba );
			} );
		}

		TextureHandle GlRenderDevice::CreateCoverageTexture( const uint8_t* coverage, int width, int height )
		{
			if ( !coverage || width <= 0 || height <= 0 )
				return 0;
			// White with the coverage for alpha, in B, G, R, A bytes. An unsized internal
			// format lets the driver keep these bytes as they are, the one texture layout
			// a software rasteriser's fast path for flat quads reads; a one-channel
			// texture read through a swizzle takes its slow path.
			std::vector<uint32_t> bgra( size_t( width ) * size_t( height ) );
			for ( size_t i = 0; i < bgra.size(); ++i )
				bgra[i] = 0x00FFFFFFu | ( uint32_t( coverage[i] ) << 24 );
			return MakePixelTexture( [&] {
				glPixelStorei( GL_UNPACK_ALIGNMENT, 4 );
				glTexImage2D( GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
				              bgra.data() );
			} );
		}

		TextureHandle GlRenderDevice::MakePixelTexture( const std::function<void()>& upload )
		{
			Texture texture;
			glGenTextures( 1, &texture.mId );
			// Bound through the device, which then knows to bind again what draws next.
			BindTexture( texture.mId );
			// Text is drawn pixel for pixel; nearest sampling keeps its edges as rendered.
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE );
			upload();
			const TextureHandle handle = mNextHandle++;
			mTextures[handle] = texture;
			return handle;
		}

		void GlRenderDevice::ReleaseTexture( TextureHandle texture )
		{
			auto found = mTextures.find( texture );
			if ( found == mTextures.end() )
				return;
			if ( found->second.mId )
			{
				if ( mBatch.mQuads > 0 && mBatch.mTexture == found->second.mId )
					Flush();
				if ( mBoundTexture == found->second.mId )
					mBoundTexture = 0;
				glDeleteTextures( 1, &found->second.mId );
			}
			mTextures.erase( found );
			if ( mTexture == texture )
			{
				mTexture = 0;
				mTextureId = mWhiteTexture;
			}
		}

		void GlRenderDevice::SetTexture( int stage, TextureHandle texture )
		{
			if ( stage != 0 )
				return;
			mTexture = texture;
			auto found = mTextures.find( texture );
			const GLuint id = found == mTextures.end() ? 0 : Resident( found->second );
			mTextureId = id ? id : mWhiteTexture;
		}

		ShaderHandle GlRenderDevice::CompileShader( const std::string& path, ShaderStage stage, std::string& error )
		{
			std::ifstream in( path );
			if ( !in )
			{
				error = "cannot read the file";
				return 0;
			}
			std::stringstream source;
			source << in.rdbuf();
			const std::string text = source.str();

			const GLenum type = stage == ShaderStage::Vertex ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER;
			ShaderObject shader;
			shader.mStage = stage;
			shader.mId = CompileStage( type, text, error );
			if ( !shader.mId )
				return 0;
			if ( mBatching && text.find( kBatchedMacro ) != std::string::npos )
			{
				std::string batchedError;
				shader.mBatchedId = CompileStage( type, BatchedSource( text ), batchedError );
				if ( !shader.mBatchedId )
				{
					error = std::string( "with " ) + kBatchedMacro + " defined: " + batchedError;
					glDeleteShader( shader.mId );
					return 0;
				}
			}
			const ShaderHandle handle = mNextHandle++;
			mShaders[handle] = std::move( shader );
			return handle;
		}

		void GlRenderDevice::ReleaseShader( ShaderHandle shader )
		{
			auto found = mShaders.find( shader );
			if ( found == mShaders.end() )
				return;
			if ( mBatch.mQuads > 0 && ( mBatch.mVertexShader == shader || mBatch.mPixelShader == shader ) )
				Flush();
			for ( auto it = mPrograms.begin(); it != mPrograms.end(); )
			{
				if ( it->first.first == shader || it->first.second == shader )
				{
					for ( GLuint id : it->second.mIds )
					{
						if ( id && mUsedProgram == id )
							mUsedProgram = 0;
						if ( id )
							glDeleteProgram( id );
					}
					it = mPrograms.erase( it );
				}
				else
					++it;
			}
			mLastPair = { 0, 0 };
			mLastProgram = nullptr;
			glDeleteShader( found->second.mId );
			if ( found->second.mBatchedId )
				glDeleteShader( found->second.mBatchedId );
			mShaders.erase( found );
		}

		ShaderObject* GlRenderDevice::FindShader( ShaderHandle shader )
		{
			auto found = mShaders.find( shader );
			return found == mShaders.end() ? nullptr : &found->second;
		}

		void GlRenderDevice::SetConstant( ShaderHandle shader, const char* name, const float* values, uint8_t count )
		{
			ShaderObject* object = FindShader( shader );
			if ( !object )
				return;
			Constant* constant = object->Find( name );
			if ( !constant )
			{
				Constant added;
				added.mName = name;
				for ( size_t i = 0; i < kPerQuadCount; ++i )
				{
					if ( kPerQuadConstants[i].mStage != object->mStage || added.mName != kPerQuadConstants[i].mName )
						continue;
					added.mPerQuad = true;
					object->mPerQuad[i] = int( object->mConstants.size() );
					for ( size_t j = 0; j < kPerQuadCount; ++j )
						if ( j != i && object->mPerQuad[j] >= 0 && kPerQuadConstants[j].mOffset == kPerQuadConstants[i].mOffset )
							object->mPerQuadClash = true;
				}
				object->mConstants.push_back( std::move( added ) );
				constant = &object->mConstants.back();
			}
			// A uniform holds one value for a whole call: the quads gathered so far are
			// drawn with the old one.
			const bool changed = constant->mCount != count || !std::equal( values, values + count, constant->mValues );
			if ( changed && !constant->mPerQuad && mBatch.mQuads > 0 &&
			     ( mBatch.mVertexShader == shader || mBatch.mPixelShader == shader ) )
				Flush();
			std::copy_n( values, count, constant->mValues );
			constant->mCount = count;
		}

		void GlRenderDevice::SetShaderMatrix( ShaderHandle shader, const char* name, const glm::mat4& value )
		{
			SetConstant( shader, name, glm::value_ptr( value ), 16 );
		}

		void GlRenderDevice::SetShaderFloat4( ShaderHandle shader, const char* name, const float value[4] )
		{
			SetConstant( shader, name, value, 4 );
		}

		void GlRenderDevice::SetShaderFloat( ShaderHandle shader, const char* name, float value )
		{
			SetConstant( shader, name, &value, 1 );
		}

		void GlRenderDevice::SetViewport( const Viewport& viewport )
		{
			Flush();
			mViewport = viewport;
			// The viewport's y counts from the top, OpenGL's from the bottom.
			int drawableWidth = 0, drawableHeight = 0;
			SDL_GL_GetDrawableSize( mWindow, &drawableWidth, &drawableHeight );
			const int fromBottom = drawableHeight - ( viewport.mY + viewport.mHeight );
			glViewport( viewport.mX, fromBottom, viewport.mWidth, viewport.mHeight );
			glDepthRange( viewport.mMinZ, viewport.mMaxZ );
		}

		void GlRenderDevice::Clear( uint32_t argb, float depth, int stencil )
		{
			Flush();
			glClearColor( float( ( argb >> 16 ) & 0xFF ) / 255.0f, float( ( argb >> 8 ) & 0xFF ) / 255.0f,
			              float( argb & 0xFF ) / 255.0f, float( ( argb >> 24 ) & 0xFF ) / 255.0f );
			glClearDepth( depth );
			glClearStencil( stencil );
			glClear( GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT );
		}

		void GlRenderDevice::Present()
		{
			Flush();
			SDL_GL_SwapWindow( mWindow );
			mDrawCalls.mLastFrame = mDrawCalls.mThisFrame;
			mDrawCalls.mThisFrame = 0;
			if ( mBatchVerticesUsed > 0 )
			{
				// Next frame's batches start again at the front, in storage the driver
				// need not keep for the frame just presented.
				mBatchVerticesUsed = 0;
				mBatch.mFirstVertex = 0;
				glBindBuffer( GL_ARRAY_BUFFER, mBatchBuffer );
				glBufferData( GL_ARRAY_BUFFER, GLsizeiptr( mBatchBufferBytes ), nullptr, GL_STREAM_DRAW );
			}
		}

		GLuint GlRenderDevice::Link( const ShaderObject& vertex, const ShaderObject& pixel, Program::Form form )
		{
			const GLuint vertexId = form == Program::Batched ? vertex.mBatchedId : vertex.mId;
			const GLuint pixelId = form == Program::Batched ? pixel.mBatchedId : pixel.mId;
			if ( !vertexId || !pixelId )
				return 0;
			const GLuint program = glCreateProgram();
			glAttachShader( program, vertexId );
			glAttachShader( program, pixelId );
			for ( const Attribute& attribute : kVertexAttributes )
				glBindAttribLocation( program, attribute.mLocation, attribute.mName );
			if ( form == Program::Batched )
				for ( const Attribute& attribute : kBatchAttributes )
					glBindAttribLocation( program, attribute.mLocation, attribute.mName );
			glLinkProgram( program );
			GLint linked = GL_FALSE;
			glGetProgramiv( program, GL_LINK_STATUS, &linked );
			if ( linked != GL_TRUE )
			{
				glDeleteProgram( program );
				return 0;
			}
			Use( program );
			const GLint sampler = glGetUniformLocation( program, "Texture0" );
			if ( sampler >= 0 )
				glUniform1i( sampler, 0 );
			return program;
		}

		Program* GlRenderDevice::ProgramFor( ShaderHandle vertex, ShaderHandle pixel )
		{
			const auto key = std::make_pair( vertex, pixel );
			if ( mLastProgram && key == mLastPair )
				return mLastProgram;
			auto found = mPrograms.find( key );
			if ( found == mPrograms.end() )
			{
				ShaderObject* vs = FindShader( vertex );
				ShaderObject* ps = FindShader( pixel );
				if ( !vs || !ps )
					return nullptr;
				Program program;
				program.mIds[Program::Single] = Link( *vs, *ps, Program::Single );
				// A pair whose batched forms do not link still draws, one call a quad.
				program.mIds[Program::Batched] = mBatching ? Link( *vs, *ps, Program::Batched ) : 0;
				found = mPrograms.emplace( key, std::move( program ) ).first;
			}
			if ( found->second.mIds[Program::Single] == 0 )
				return nullptr;
			mLastPair = key;
			mLastProgram = &found->second;
			return mLastProgram;
		}

		void GlRenderDevice::UploadConstants( Program& program, Program::Form form, const ShaderObject& shader )
		{
			auto& locations = program.mLocations[form];
			for ( const Constant& constant : shader.mConstants )
			{
				if ( form == Program::Batched && constant.mPerQuad )
					continue;
				auto found = locations.find( std::string_view( constant.mName ) );
				if ( found == locations.end() )
					found = locations.emplace( constant.mName, glGetUniformLocation( program.mIds[form], constant.mName.c_str() ) )
					            .first;
				const GLint location = found->second;
				if ( location < 0 )
					continue;
				if ( constant.mCount == 16 )
					glUniformMatrix4fv( location, 1, GL_FALSE, constant.mValues );
				else if ( constant.mCount == 4 )
					glUniform4fv( location, 1, constant.mValues );
				else if ( constant.mCount == 1 )
					glUniform1f( location, constant.mValues[0] );
			}
		}

		void GlRenderDevice::Use( GLuint program )
		{
			if ( mUsedProgram != program )
				glUseProgram( program );
			mUsedProgram = program;
		}

		void GlRenderDevice::BindTexture( GLuint texture )
		{
			if ( mBoundTexture == texture )
				return;
			glActiveTexture( GL_TEXTURE0 );
			glBindTexture( GL_TEXTURE_2D, texture );
			mBoundTexture = texture;
		}

		void GlRenderDevice::BindVertexArray( GLuint vertexArray )
		{
			if ( mBoundVertexArray != vertexArray )
				glBindVertexArray( vertexArray );
			mBoundVertexArray = vertexArray;
		}

		bool GlRenderDevice::Batch( Program& program, const VertexBuffer& buffer, uint32_t first, uint32_t primitives )
		{
			if ( !mBatching || primitives != 2 || program.mIds[Program::Batched] == 0 ||
			     size_t( first ) + 4 > buffer.mShadow.size() )
				return false;
			const ShaderObject* vertexShader = FindShader( mVertexShader );
			const ShaderObject* pixelShader = FindShader( mPixelShader );
			if ( vertexShader->mPerQuadClash || pixelShader->mPerQuadClash )
				return false;

			if ( mBatch.mQuads > 0 && ( mBatch.mProgram != &program || mBatch.mTexture != mTextureId ) )
				Flush();
			if ( mBatch.mQuads == 0 )
			{
				mBatch.mProgram = &program;
				mBatch.mVertexShader = mVertexShader;
				mBatch.mPixelShader = mPixelShader;
				mBatch.mTexture = mTextureId;
				mBatch.mFirstVertex = mBatchVerticesUsed;
			}

			if ( mBatchVerticesUsed + 4 > mBatchVertices.size() )
				mBatchVertices.resize( std::max<size_t>( 4096, mBatchVertices.size() * 2 ) );
			BatchVertex* quad = mBatchVertices.data() + mBatchVerticesUsed;
			// The quad's constants as its own call would have had them; one never set
			// reads as zero, as a uniform never set does.
			BatchVertex constants{};
			for ( size_t i = 0; i < kPerQuadCount; ++i )
			{
				const ShaderObject* shader = kPerQuadConstants[i].mStage == ShaderStage::Vertex ? vertexShader : pixelShader;
				if ( shader->mPerQuad[i] < 0 )
					continue;
				const Constant& constant = shader->mConstants[size_t( shader->mPerQuad[i] )];
				std::memcpy( reinterpret_cast<char*>( &constants ) + kPerQuadConstants[i].mOffset, constant.mValues,
				             std::min( constant.mCount, kPerQuadConstants[i].mFloats ) * sizeof( float ) );
			}
			for ( uint32_t v = 0; v < 4; ++v )
			{
				quad[v] = constants;
				quad[v].mVertex = buffer.mShadow[first + v];
			}
			mBatchVerticesUsed += 4;
			++mBatch.mQuads;
			return true;
		}

		void GlRenderDevice::Flush()
		{
			if ( mBatch.mQuads == 0 )
				return;
			const size_t first = mBatch.mFirstVertex;
			const size_t count = size_t( mBatch.mQuads ) * 4;
			const size_t endBytes = ( first + count ) * sizeof( BatchVertex );
			glBindBuffer( GL_ARRAY_BUFFER, mBatchBuffer );
			if ( endBytes > mBatchBufferBytes )
			{
				// The batches already drawn this frame keep the old storage.
				mBatchBufferBytes = std::max( endBytes, mBatchBufferBytes * 2 );
				glBufferData( GL_ARRAY_BUFFER, GLsizeiptr( mBatchBufferBytes ), nullptr, GL_STREAM_DRAW );
			}
			glBufferSubData( GL_ARRAY_BUFFER, GLintptr( first * sizeof( BatchVertex ) ),
			                 GLsizeiptr( count * sizeof( BatchVertex ) ), mBatchVertices.data() + first );

			Program& program = *mBatch.mProgram;
			Use( program.mIds[Program::Batched] );
			if ( const ShaderObject* vertexShader = FindShader( mBatch.mVertexShader ) )
				UploadConstants( program, Program::Batched, *vertexShader );
			if ( const ShaderObject* pixelShader = FindShader( mBatch.mPixelShader ) )
				UploadConstants( program, Program::Batched, *pixelShader );
			BindTexture( mBatch.mTexture );
			BindVertexArray( mBatchVertexArray );
			DrawIndexedQuads( uint32_t( first ), mBatch.mQuads );
			++mDrawCalls.mThisFrame;
			mBatch.mQuads = 0;
			mBatch.mFirstVertex = mBatchVerticesUsed;
		}

		void GlRenderDevice::DrawIndexedQuads( uint32_t firstVertex, uint32_t quads )
		{
			for ( uint32_t done = 0; done < quads; done += kQuadsPerDraw )
			{
				const uint32_t count = std::min( kQuadsPerDraw, quads - done );
				glDrawElementsBaseVertex( GL_TRIANGLES, GLsizei( count * 6 ), GL_UNSIGNED_SHORT, nullptr,
				                          GLint( firstVertex + done * 4 ) );
			}
		}

		void GlRenderDevice::PrepareSingle( Program& program, const VertexBuffer& buffer )
		{
			Use( program.mIds[Program::Single] );
			for ( ShaderHandle handle : { mVertexShader, mPixelShader } )
				if ( const ShaderObject* shader = FindShader( handle ) )
					UploadConstants( program, Program::Single, *shader );
			BindTexture( mTextureId );
			BindVertexArray( mVertexArray );
			glBindBuffer( GL_ARRAY_BUFFER, buffer.mId );
			PointVertexInputs( sizeof( Vertex ), 0 );
		}

		void GlRenderDevice::DrawSingle( Program& program, const VertexBuffer& buffer, uint32_t first, uint32_t primitives )
		{
			PrepareSingle( program, buffer );
			glDrawArrays( GL_TRIANGLE_STRIP, GLint( first ), GLsizei( primitives + 2 ) );
			++mDrawCalls.mThisFrame;
		}

		void GlRenderDevice::DrawTriangleStrip( BufferHandle buffer, uint32_t first, uint32_t primitives )
		{
			auto found = mBuffers.find( buffer );
			if ( found == mBuffers.end() )
				return;
			Program* program = ProgramFor( mVertexShader, mPixelShader );
			if ( !program )
				return;
			if ( Batch( *program, found->second, first, primitives ) )
				return;
			Flush();
			DrawSingle( *program, found->second, first, primitives );
		}

		void GlRenderDevice::DrawQuads( BufferHandle buffer, uint32_t first, uint32_t quads )
		{
			auto found = mBuffers.find( buffer );
			if ( found == mBuffers.end() || quads == 0 )
				return;
			// Only whole quads inside the buffer.
			const size_t vertices = found->second.mShadow.size();
			if ( first >= vertices )
				return;
			quads = uint32_t( std::min<size_t>( quads, ( vertices - first ) / 4 ) );
			Program* program = ProgramFor( mVertexShader, mPixelShader );
			if ( !program || quads == 0 )
				return;
			Flush();
			PrepareSingle( *program, found->second );
			DrawIndexedQuads( first, quads );
			++mDrawCalls.mThisFrame;
		}

		void GlRenderDevice::BeginEvent( uint32_t, const char* name )
		{
			Flush();
			if ( mHasDebugGroups )
				glPushDebugGroup( GL_DEBUG_SOURCE_APPLICATION, 0, -1, name ? name : "" );
		}

		void GlRenderDevice::EndEvent()
		{
			Flush();
			if ( mHasDebugGroups )
				glPopDebugGroup();
		}

		bool GlRenderDevice::ReadBackBuffer( std::vector<uint8_t>& rgba, int& width, int& height )
		{
			Flush();
			SDL_GL_GetDrawableSize( mWindow, &width, &height );
			if ( width <= 0 || height <= 0 )
				return false;
			std::vector<uint8_t> bottomUp( size_t( width ) * size_t( height ) * 4 );
			glReadBuffer( GL_BACK );
			glPixelStorei( GL_PACK_ALIGNMENT, 1 );
			glReadPixels( 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data() );
			rgba.resize( bottomUp.size() );
			const size_t row = size_t( width ) * 4;
			for ( int y = 0; y < height; ++y )
				std::copy_n( bottomUp.data() + size_t( height - 1 - y ) * row, row, rgba.data() + size_t( y ) * row );
			return glGetError() == GL_NO_ERROR;
		}
	}

	std::unique_ptr<RenderDevice> CreateOpenGlDevice( void* nativeWindow, const PresentParameters& parameters,
	                                                  std::string& error )
	{
		auto* window = static_cast<SDL_Window*>( nativeWindow );
		if ( !window )
		{
			error = "there is no window to draw in";
			return nullptr;
		}
		SDL_GL_SetAttribute( SDL_GL_CONTEXT_MAJOR_VERSION, 3 );
		SDL_GL_SetAttribute( SDL_GL_CONTEXT_MINOR_VERSION, 3 );
		SDL_GL_SetAttribute( SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE );
		SDL_GL_SetAttribute( SDL_GL_DOUBLEBUFFER, 1 );
		SDL_GL_SetAttribute( SDL_GL_DEPTH_SIZE, parameters.mAutoDepthStencil ? parameters.mDepthBits : 0 );
		SDL_GLContext context = SDL_GL_CreateContext( window );
		if ( !context )
		{
			error = SDL_GetError();
			return nullptr;
		}
		SDL_GL_MakeCurrent( window, context );
		return std::make_unique<GlRenderDevice>( window, context, parameters );
	}

	bool SavePng( const std::string& path, const std::vector<uint8_t>& rgba, int width, int height, std::string& error )
	{
		if ( width <= 0 || height <= 0 || rgba.size() < size_t( width ) * size_t( height ) * 4 )
		{
			error = "no picture to save";
			return false;
		}
		SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom( const_cast<uint8_t*>( rgba.data() ), width, height,
		                                                           32, width * 4, SDL_PIXELFORMAT_ABGR8888 );
		if ( !surface )
		{
			error = SDL_GetError();
			return false;
		}
		const bool saved = IMG_SavePNG( surface, path.c_str() ) == 0;
		if ( !saved )
			error = IMG_GetError();
		SDL_FreeSurface( surface );
		return saved;
	}
}

namespace Platform
{
	bool LoadPicture( const std::string& path, std::vector<uint8_t>& rgba, int& width, int& height, std::string& error )
	{
		SDL_Surface* loaded = IMG_Load( path.c_str() );
		if ( !loaded )
		{
			error = IMG_GetError();
			return false;
		}
		SDL_Surface* converted = SDL_ConvertSurfaceFormat( loaded, SDL_PIXELFORMAT_ABGR8888, 0 );
		SDL_FreeSurface( loaded );
		if ( !converted )
		{
			error = SDL_GetError();
			return false;
		}
		width = converted->w;
		height = converted->h;
		rgba.resize( size_t( width ) * size_t( height ) * 4 );
		for ( int y = 0; y < height; ++y )
			std::copy_n( static_cast<const uint8_t*>( converted->pixels ) + size_t( y ) * size_t( converted->pitch ),
			             size_t( width ) * 4, rgba.data() + size_t( y ) * size_t( width ) * 4 );
		SDL_FreeSurface( converted );
		return true;
	}
}
