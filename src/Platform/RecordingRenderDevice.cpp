#include "Platform/RecordingRenderDevice.h"

#include <cstdio>
#include <fstream>

namespace Platform
{
	namespace
	{
		std::string Hex( uint32_t value )
		{
			char text[16];
			std::snprintf( text, sizeof( text ), "%08x", value );
			return text;
		}
	}

	bool ReadPngSize( const std::string& path, int& width, int& height )
	{
		std::ifstream in( path, std::ios::binary );
		unsigned char header[24] = {};
		if ( !in.read( reinterpret_cast<char*>( header ), sizeof( header ) ) )
			return false;
		static const unsigned char signature[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
		for ( int i = 0; i < 8; ++i )
			if ( header[i] != signature[i] )
				return false;
		auto be32 = [&]( int at ) {
			return ( uint32_t( header[at] ) << 24 ) | ( uint32_t( header[at + 1] ) << 16 ) |
			       ( uint32_t( header[at + 2] ) << 8 ) | uint32_t( header[at + 3] );
		};
		width = static_cast<int>( be32( 16 ) );
		height = static_cast<int>( be32( 20 ) );
		return width > 0 && height > 0;
	}

	RecordingRenderDevice::RecordingRenderDevice( const PresentParameters& parameters ) : mParameters( parameters )
	{
		mViewport.mWidth = parameters.mBackBufferWidth;
		mViewport.mHeight = parameters.mBackBufferHeight;
		mCalls.push_back( "Create " + std::to_string( parameters.mBackBufferWidth ) + "x" +
		                  std::to_string( parameters.mBackBufferHeight ) +
		                  ( parameters.mWindowed ? " windowed" : " fullscreen" ) );
	}

	CooperativeLevel RecordingRenderDevice::TestCooperativeLevel()
	{
		mCalls.push_back( "TestCooperativeLevel" );
		return mLevel;
	}

	bool RecordingRenderDevice::Reset( const PresentParameters& parameters )
	{
		mCalls.push_back( std::string( "Reset " ) + ( mResetSucceeds ? "ok" : "failed" ) );
		if ( !mResetSucceeds )
			return false;
		mParameters = parameters;
		mViewport.mWidth = parameters.mBackBufferWidth;
		mViewport.mHeight = parameters.mBackBufferHeight;
		mLevel = CooperativeLevel::Ok;
		mBoundVertexShader = mBoundPixelShader = 0;
		mBoundTexture = 0;
		return true;
	}

	void RecordingRenderDevice::SetFixedStates() { mCalls.push_back( "SetFixedStates" ); }

	BufferHandle RecordingRenderDevice::CreateVertexBuffer( uint32_t vertexCount )
	{
		const BufferHandle handle = mNextHandle++;
		mBuffers[handle].resize( vertexCount );
		mCalls.push_back( "CreateVertexBuffer " + std::to_string( vertexCount ) );
		return handle;
	}

	Vertex* RecordingRenderDevice::Lock( BufferHandle buffer )
	{
		auto found = mBuffers.find( buffer );
		return found == mBuffers.end() || found->second.empty() ? nullptr : found->second.data();
	}

	void RecordingRenderDevice::Unlock( BufferHandle ) {}

	void RecordingRenderDevice::ReleaseVertexBuffer( BufferHandle buffer ) { mBuffers.erase( buffer ); }

	TextureHandle RecordingRenderDevice::CreateTextureFromFile( const std::string& path, int& width, int& height,
	                                                            std::string& error )
	{
		mCalls.push_back( "CreateTexture " + path );
		if ( !ReadPngSize( path, width, height ) )
		{
			error = "not a readable PNG file";
			return 0;
		}
		const TextureHandle handle = mNextHandle++;
		mTexturePaths[handle] = path;
		return handle;
	}

	TextureHandle RecordingRenderDevice::CreateTextureFromPixels( const uint8_t* rgba, int width, int height )
	{
		mCalls.push_back( "CreateTextureFromPixels " + std::to_string( width ) + "x" + std::to_string( height ) );
		if ( !rgba || width <= 0 || height <= 0 )
			return 0;
		const TextureHandle handle = mNextHandle++;
		PixelTexture& texture = mPixelTextures[handle];
		texture.mWidth = width;
		texture.mHeight = height;
		texture.mRgba.assign( rgba, rgba + size_t( width ) * size_t( height ) * 4 );
		return handle;
	}

	void RecordingRenderDevice::ReleaseTexture( TextureHandle texture )
	{
		mTexturePaths.erase( texture );
		mPixelTextures.erase( texture );
	}

	void RecordingRenderDevice::SetTexture( int stage, TextureHandle texture )
	{
		if ( stage == 0 )
			mBoundTexture = texture;
	}

	ShaderHandle RecordingRenderDevice::CompileShader( const std::string& path, ShaderStage stage, std::string& error )
	{
		mCalls.push_back( std::string( "CompileShader " ) + ( stage == ShaderStage::Vertex ? "vertex " : "pixel " ) + path );
		if ( !mFailShaderContaining.empty() && path.find( mFailShaderContaining ) != std::string::npos )
		{
			error = "0:1(1): error: the test asked this shader to fail";
			return 0;
		}
		std::ifstream in( path );
		if ( !in )
		{
			error = "cannot read " + path;
			return 0;
		}
		const ShaderHandle handle = mNextHandle++;
		mShaderPaths[handle] = path;
		return handle;
	}

	void RecordingRenderDevice::ReleaseShader( ShaderHandle shader )
	{
		mShaderPaths.erase( shader );
		mConstants.erase( shader );
	}

	void RecordingRenderDevice::SetVertexShader( ShaderHandle shader )
	{
		mBoundVertexShader = shader;
		mCalls.push_back( "SetVertexShader " + std::to_string( shader ) );
	}

	void RecordingRenderDevice::SetPixelShader( ShaderHandle shader )
	{
		mBoundPixelShader = shader;
		mCalls.push_back( "SetPixelShader " + std::to_string( shader ) );
	}

	void RecordingRenderDevice::SetShaderMatrix( ShaderHandle shader, const char* name, const glm::mat4& value )
	{
		mConstants[shader].mMatrices[name] = value;
	}

	void RecordingRenderDevice::SetShaderFloat4( ShaderHandle shader, const char* name, const float value[4] )
	{
		mConstants[shader].mFloats[name] = { value[0], value[1], value[2], value[3] };
	}

	void RecordingRenderDevice::SetShaderFloat( ShaderHandle shader, const char* name, float value )
	{
		mConstants[shader].mFloats[name] = { value };
	}

	void RecordingRenderDevice::SetTransform( TransformKind kind, const glm::mat4& matrix )
	{
		mTransforms[static_cast<int>( kind )] = matrix;
	}

	glm::mat4 RecordingRenderDevice::GetTransform( TransformKind kind ) const { return mTransforms[static_cast<int>( kind )]; }

	void RecordingRenderDevice::SetViewport( const Viewport& viewport ) { mViewport = viewport; }

	void RecordingRenderDevice::Clear( uint32_t argb, float, int ) { mCalls.push_back( "Clear " + Hex( argb ) ); }

	bool RecordingRenderDevice::BeginScene()
	{
		mCalls.push_back( "BeginScene" );
		mInScene = true;
		return true;
	}

	void RecordingRenderDevice::EndScene()
	{
		mCalls.push_back( "EndScene" );
		mInScene = false;
	}

	void RecordingRenderDevice::Present()
	{
		mCalls.push_back( "Present" );
		mDrawCallsLastFrame = mDrawCalls;
		mDrawCalls = 0;
	}

	void RecordingRenderDevice::DrawTriangleStrip( BufferHandle buffer, uint32_t first, uint32_t primitives )
	{
		mCalls.push_back( "DrawTriangleStrip " + std::to_string( buffer ) + " " + std::to_string( first ) + " " +
		                  std::to_string( primitives ) );
		++mDrawCalls;
		DrawRecord record;
		record.mBuffer = buffer;
		record.mVertexShader = mBoundVertexShader;
		record.mPixelShader = mBoundPixelShader;
		record.mTexture = mBoundTexture;
		const auto& vertexConstants = mConstants[mBoundVertexShader].mMatrices;
		if ( auto found = vertexConstants.find( "WorldViewProj" ); found != vertexConstants.end() )
			record.mWorldViewProj = found->second;
		const auto& pixelConstants = mConstants[mBoundPixelShader].mFloats;
		for ( const char* name : { "rgba0", "rgba" } )
		{
			auto found = pixelConstants.find( name );
			if ( found != pixelConstants.end() && found->second.size() == 4 )
				for ( int i = 0; i < 4; ++i )
					record.mColour[i] = found->second[i];
		}
		if ( auto found = mBuffers.find( buffer ); found != mBuffers.end() )
			record.mVertices = found->second;
		mDraws.push_back( std::move( record ) );
	}

	void RecordingRenderDevice::BeginEvent( uint32_t, const char* name )
	{
		mCalls.push_back( std::string( "BeginEvent " ) + ( name ? name : "" ) );
	}

	void RecordingRenderDevice::EndEvent() { mCalls.push_back( "EndEvent" ); }

	bool RecordingRenderDevice::ReadBackBuffer( std::vector<uint8_t>&, int&, int& ) { return false; }
}
