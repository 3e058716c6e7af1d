// The OpenGL 3.3 core render device on an SDL window.
#include "Platform/RenderDevice.h"

#include <SDL.h>
#include <SDL_image.h>
#include <epoxy/gl.h>
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace Platform
{
	namespace
	{
		struct ShaderObject
		{
			GLuint mId = 0;
			ShaderStage mStage = ShaderStage::Vertex;
			std::map<std::string, glm::mat4> mMatrices;
			std::map<std::string, std::vector<float>> mFloats;
		};

		struct VertexBuffer
		{
			GLuint mId = 0;
			std::vector<Vertex> mShadow; // what Lock hands out; uploaded on Unlock
		};

		struct Texture
		{
			GLuint mId = 0;
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
			void EndScene() override {}
			void Present() override;
			void DrawTriangleStrip( BufferHandle buffer, uint32_t first, uint32_t primitives ) override;
			void BeginEvent( uint32_t argb, const char* name ) override;
			void EndEvent() override;
			bool ReadBackBuffer( std::vector<uint8_t>& rgba, int& width, int& height ) override;
			uint32_t DrawCallsLastFrame() const override { return mDrawCallsLastFrame; }

		private:
			GLuint ProgramFor( ShaderHandle vertex, ShaderHandle pixel );
			void UploadConstants( GLuint program, const ShaderObject& shader );

			SDL_Window* mWindow;
			SDL_GLContext mContext;
			PresentParameters mParameters;
			Viewport mViewport;
			glm::mat4 mTransforms[3] = { glm::mat4( 1.0f ), glm::mat4( 1.0f ), glm::mat4( 1.0f ) };
			GLuint mVertexArray = 0;
			GLuint mWhiteTexture = 0;
			std::map<BufferHandle, VertexBuffer> mBuffers;
			std::map<TextureHandle, Texture> mTextures;
			std::map<ShaderHandle, ShaderObject> mShaders;
			std::map<std::pair<ShaderHandle, ShaderHandle>, GLuint> mPrograms;
			uint32_t mNextHandle = 1;
			ShaderHandle mVertexShader = 0;
			ShaderHandle mPixelShader = 0;
			TextureHandle mTexture = 0;
			bool mWasLost = false;
			bool mHasDebugGroups = false;
			uint32_t mDrawCalls = 0;
			uint32_t mDrawCallsLastFrame = 0;
		};

		GlRenderDevice::GlRenderDevice( SDL_Window* window, SDL_GLContext context, const PresentParameters& parameters )
		    : mWindow( window ), mContext( context ), mParameters( parameters )
		{
			SDL_GL_SetSwapInterval( 1 );
			mHasDebugGroups = epoxy_gl_version() >= 43 || epoxy_has_gl_extension( "GL_KHR_debug" );
			glGenVertexArrays( 1, &mVertexArray );
			glBindVertexArray( mVertexArray );

			const uint32_t white = 0xFFFFFFFFu;
			glGenTextures( 1, &mWhiteTexture );
			glBindTexture( GL_TEXTURE_2D, mWhiteTexture );
			glTexImage2D( GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, &white );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST );

			Viewport viewport;
			viewport.mWidth = parameters.mBackBufferWidth;
			viewport.mHeight = parameters.mBackBufferHeight;
			SetViewport( viewport );
		}

		GlRenderDevice::~GlRenderDevice()
		{
			for ( auto& [handle, program] : mPrograms )
				glDeleteProgram( program );
			for ( auto& [handle, shader] : mShaders )
				glDeleteShader( shader.mId );
			for ( auto& [handle, buffer] : mBuffers )
				glDeleteBuffers( 1, &buffer.mId );
			for ( auto& [handle, texture] : mTextures )
				glDeleteTextures( 1, &texture.mId );
			glDeleteTextures( 1, &mWhiteTexture );
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
			return mWasLost ? CooperativeLevel::NotReset : CooperativeLevel::Ok;
		}

		bool GlRenderDevice::Reset( const PresentParameters& parameters )
		{
			if ( SDL_GetWindowFlags( mWindow ) & ( SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN ) )
				return false;
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

		TextureHandle GlRenderDevice::CreateTextureFromFile( const std::string& path, int& width, int& height,
		                                                     std::string& error )
		{
			SDL_Surface* loaded = IMG_Load( path.c_str() );
			if ( !loaded )
			{
				error = IMG_GetError();
				return 0;
			}
			SDL_Surface* rgba = SDL_ConvertSurfaceFormat( loaded, SDL_PIXELFORMAT_ABGR8888, 0 );
			SDL_FreeSurface( loaded );
			if ( !rgba )
			{
				error = SDL_GetError();
				return 0;
			}
			width = rgba->w;
			height = rgba->h;
			Texture texture;
			glGenTextures( 1, &texture.mId );
			glBindTexture( GL_TEXTURE_2D, texture.mId );
			glPixelStorei( GL_UNPACK_ALIGNMENT, 4 );
			glPixelStorei( GL_UNPACK_ROW_LENGTH, rgba->pitch / 4 );
			glTexImage2D( GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba->pixels );
			glPixelStorei( GL_UNPACK_ROW_LENGTH, 0 );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE );
			SDL_FreeSurface( rgba );
			const TextureHandle handle = mNextHandle++;
			mTextures[handle] = texture;
			return handle;
		}

		TextureHandle GlRenderDevice::CreateTextureFromPixels( const uint8_t* rgba, int width, int height )
		{
			if ( !rgba || width <= 0 || height <= 0 )
				return 0;
			Texture texture;
			glGenTextures( 1, &texture.mId );
			glBindTexture( GL_TEXTURE_2D, texture.mId );
			glPixelStorei( GL_UNPACK_ALIGNMENT, 4 );
			glTexImage2D( GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba );
			// Text is drawn pixel for pixel; nearest sampling keeps its edges as rendered.
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE );
			glTexParameteri( GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE );
			const TextureHandle handle = mNextHandle++;
			mTextures[handle] = texture;
			return handle;
		}

		void GlRenderDevice::ReleaseTexture( TextureHandle texture )
		{
			auto found = mTextures.find( texture );
			if ( found == mTextures.end() )
				return;
			glDeleteTextures( 1, &found->second.mId );
			mTextures.erase( found );
			if ( mTexture == texture )
				mTexture = 0;
		}

		void GlRenderDevice::SetTexture( int stage, TextureHandle texture )
		{
			if ( stage == 0 )
				mTexture = texture;
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
			const char* pointer = text.c_str();

			const GLuint id = glCreateShader( stage == ShaderStage::Vertex ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER );
			glShaderSource( id, 1, &pointer, nullptr );
			glCompileShader( id );
			GLint compiled = GL_FALSE;
			glGetShaderiv( id, GL_COMPILE_STATUS, &compiled );
			if ( compiled != GL_TRUE )
			{
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
			ShaderObject shader;
			shader.mId = id;
			shader.mStage = stage;
			const ShaderHandle handle = mNextHandle++;
			mShaders[handle] = std::move( shader );
			return handle;
		}

		void GlRenderDevice::ReleaseShader( ShaderHandle shader )
		{
			auto found = mShaders.find( shader );
			if ( found == mShaders.end() )
				return;
			for ( auto it = mPrograms.begin(); it != mPrograms.end(); )
			{
				if ( it->first.first == shader || it->first.second == shader )
				{
					glDeleteProgram( it->second );
					it = mPrograms.erase( it );
				}
				else
					++it;
			}
			glDeleteShader( found->second.mId );
			mShaders.erase( found );
		}

		void GlRenderDevice::SetShaderMatrix( ShaderHandle shader, const char* name, const glm::mat4& value )
		{
			if ( auto found = mShaders.find( shader ); found != mShaders.end() )
				found->second.mMatrices[name] = value;
		}

		void GlRenderDevice::SetShaderFloat4( ShaderHandle shader, const char* name, const float value[4] )
		{
			if ( auto found = mShaders.find( shader ); found != mShaders.end() )
				found->second.mFloats[name] = { value[0], value[1], value[2], value[3] };
		}

		void GlRenderDevice::SetShaderFloat( ShaderHandle shader, const char* name, float value )
		{
			if ( auto found = mShaders.find( shader ); found != mShaders.end() )
				found->second.mFloats[name] = { value };
		}

		void GlRenderDevice::SetViewport( const Viewport& viewport )
		{
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
			glClearColor( float( ( argb >> 16 ) & 0xFF ) / 255.0f, float( ( argb >> 8 ) & 0xFF ) / 255.0f,
			              float( argb & 0xFF ) / 255.0f, float( ( argb >> 24 ) & 0xFF ) / 255.0f );
			glClearDepth( depth );
			glClearStencil( stencil );
			glClear( GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT );
		}

		void GlRenderDevice::Present()
		{
			SDL_GL_SwapWindow( mWindow );
			mDrawCallsLastFrame = mDrawCalls;
			mDrawCalls = 0;
		}

		GLuint GlRenderDevice::ProgramFor( ShaderHandle vertex, ShaderHandle pixel )
		{
			const auto key = std::make_pair( vertex, pixel );
			if ( auto found = mPrograms.find( key ); found != mPrograms.end() )
				return found->second;
			auto vs = mShaders.find( vertex );
			auto ps = mShaders.find( pixel );
			if ( vs == mShaders.end() || ps == mShaders.end() )
				return 0;

			const GLuint program = glCreateProgram();
			glAttachShader( program, vs->second.mId );
			glAttachShader( program, ps->second.mId );
			glBindAttribLocation( program, 0, "inPosition" );
			glBindAttribLocation( program, 1, "inColour" );
			glBindAttribLocation( program, 2, "inTexCoord" );
			glLinkProgram( program );
			GLint linked = GL_FALSE;
			glGetProgramiv( program, GL_LINK_STATUS, &linked );
			if ( linked != GL_TRUE )
			{
				glDeleteProgram( program );
				mPrograms[key] = 0;
				return 0;
			}
			glUseProgram( program );
			const GLint sampler = glGetUniformLocation( program, "Texture0" );
			if ( sampler >= 0 )
				glUniform1i( sampler, 0 );
			mPrograms[key] = program;
			return program;
		}

		void GlRenderDevice::UploadConstants( GLuint program, const ShaderObject& shader )
		{
			for ( const auto& [name, matrix] : shader.mMatrices )
			{
				const GLint location = glGetUniformLocation( program, name.c_str() );
				if ( location >= 0 )
					glUniformMatrix4fv( location, 1, GL_FALSE, glm::value_ptr( matrix ) );
			}
			for ( const auto& [name, values] : shader.mFloats )
			{
				const GLint location = glGetUniformLocation( program, name.c_str() );
				if ( location < 0 )
					continue;
				if ( values.size() == 4 )
					glUniform4fv( location, 1, values.data() );
				else if ( values.size() == 1 )
					glUniform1f( location, values[0] );
			}
		}

		void GlRenderDevice::DrawTriangleStrip( BufferHandle buffer, uint32_t first, uint32_t primitives )
		{
			auto found = mBuffers.find( buffer );
			const GLuint program = ProgramFor( mVertexShader, mPixelShader );
			if ( found == mBuffers.end() || program == 0 )
				return;
			glUseProgram( program );
			UploadConstants( program, mShaders[mVertexShader] );
			UploadConstants( program, mShaders[mPixelShader] );

			glActiveTexture( GL_TEXTURE0 );
			auto texture = mTextures.find( mTexture );
			glBindTexture( GL_TEXTURE_2D, texture == mTextures.end() ? mWhiteTexture : texture->second.mId );

			glBindBuffer( GL_ARRAY_BUFFER, found->second.mId );
			const GLsizei stride = sizeof( Vertex );
			glEnableVertexAttribArray( 0 );
			glVertexAttribPointer( 0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>( 0 ) );
			// A 32-bit ARGB colour lies in memory as B, G, R, A.
			glEnableVertexAttribArray( 1 );
			glVertexAttribPointer( 1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, reinterpret_cast<const void*>( 12 ) );
			glEnableVertexAttribArray( 2 );
			glVertexAttribPointer( 2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>( 16 ) );
			glDrawArrays( GL_TRIANGLE_STRIP, GLint( first ), GLsizei( primitives + 2 ) );
			++mDrawCalls;
		}

		void GlRenderDevice::BeginEvent( uint32_t, const char* name )
		{
			if ( mHasDebugGroups )
				glPushDebugGroup( GL_DEBUG_SOURCE_APPLICATION, 0, -1, name ? name : "" );
		}

		void GlRenderDevice::EndEvent()
		{
			if ( mHasDebugGroups )
				glPopDebugGroup();
		}

		bool GlRenderDevice::ReadBackBuffer( std::vector<uint8_t>& rgba, int& width, int& height )
		{
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
