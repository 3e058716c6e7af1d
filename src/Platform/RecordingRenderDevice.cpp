#include "Platform/RecordingRenderDevice.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace Platform
{
	namespace
	{
		void AppendHex( std::string& line, uint32_t value )
		{
			char text[16];
			const int length = std::snprintf( text, sizeof( text ), "%08x", value );
			line.append( text, size_t( length ) );
		}

		void AppendNumber( std::string& line, uint32_t value )
		{
			char text[16];
			const auto end = std::to_chars( text, text + sizeof( text ), value ).ptr;
			line.append( text, end );
		}

		// Moves the first `count` entries of the record to the spares, keeping the rest
		// in order; moved strings and vectors take their memory with them.
		template <typename T>
		void Retire( std::vector<T>& record, std::vector<T>& spares, size_t count )
		{
			std::move( record.begin(), record.begin() + std::ptrdiff_t( count ), std::back_inserter( spares ) );
			record.erase( record.begin(), record.begin() + std::ptrdiff_t( count ) );
		}

		template <typename T>
		T& Reuse( std::vector<T>& record, std::vector<T>& spares )
		{
			if ( spares.empty() )
				return record.emplace_back();
			record.push_back( std::move( spares.back() ) );
			spares.pop_back();
			return record.back();
		}
	}

	bool PngSize( const uint8_t* bytes, size_t size, int& width, int& height )
	{
		static const unsigned char signature[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
		// The signature, then the IHDR chunk: its length, its name, width and height.
		if ( size < 24 || !std::equal( signature, signature + 8, bytes ) )
			return false;
		auto be32 = [&]( size_t at ) {
			return ( uint32_t( bytes[at] ) << 24 ) | ( uint32_t( bytes[at + 1] ) << 16 ) |
			       ( uint32_t( bytes[at + 2] ) << 8 ) | uint32_t( bytes[at + 3] );
		};
		if ( be32( 16 ) == 0 || be32( 16 ) > 0x7FFFFFFFu || be32( 20 ) == 0 || be32( 20 ) > 0x7FFFFFFFu )
			return false;
		width = static_cast<int>( be32( 16 ) );
		height = static_cast<int>( be32( 20 ) );
		return true;
	}

	bool ReadPngSize( const std::string& path, int& width, int& height )
	{
		std::ifstream in( path, std::ios::binary );
		uint8_t header[24] = {};
		if ( !in.read( reinterpret_cast<char*>( header ), sizeof( header ) ) )
			return false;
		return PngSize( header, sizeof( header ), width, height );
	}

	RecordingRenderDevice::RecordingRenderDevice( const PresentParameters& parameters ) : mParameters( parameters )
	{
		mViewport.mWidth = parameters.mBackBufferWidth;
		mViewport.mHeight = parameters.mBackBufferHeight;
		mCalls.push_back( "Create " + std::to_string( parameters.mBackBufferWidth ) + "x" +
		                  std::to_string( parameters.mBackBufferHeight ) +
		                  ( parameters.mWindowed ? " windowed" : " fullscreen" ) );
		++mCallsThisFrame;
	}

	std::string& RecordingRenderDevice::Record()
	{
		std::string& line = Reuse( mCalls, mSpareCalls );
		line.clear();
		++mCallsThisFrame;
		return line;
	}

	RecordingRenderDevice::DrawRecord& RecordingRenderDevice::RecordDraw()
	{
		DrawRecord& record = Reuse( mDraws, mSpareDraws );
		++mDrawsThisFrame;
		return record;
	}

	void RecordingRenderDevice::RetireOlderFrames()
	{
		// A test may have cleared or trimmed the record; what is left of the frame just
		// ended is always at its end.
		Retire( mCalls, mSpareCalls, mCalls.size() - std::min( mCallsThisFrame, mCalls.size() ) );
		Retire( mDraws, mSpareDraws, mDraws.size() - std::min( mDrawsThisFrame, mDraws.size() ) );
		mCallsThisFrame = 0;
		mDrawsThisFrame = 0;
	}

	CooperativeLevel RecordingRenderDevice::TestCooperativeLevel()
	{
		Record() += "TestCooperativeLevel";
		return mLevel;
	}

	bool RecordingRenderDevice::Reset( const PresentParameters& parameters )
	{
		Record() += mResetSucceeds ? "Reset ok" : "Reset failed";
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

	void RecordingRenderDevice::SetFixedStates() { Record() += "SetFixedStates"; }

	BufferHandle RecordingRenderDevice::CreateVertexBuffer( uint32_t vertexCount )
	{
		const BufferHandle handle = mNextHandle++;
		mBuffers[handle].resize( vertexCount );
		AppendNumber( Record() += "CreateVertexBuffer ", vertexCount );
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
		Record().append( "CreateTexture " ).append( path );
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
		return KeepPixels( std::vector<uint8_t>( rgba, rgba + size_t( width ) * size_t( height ) * 4 ), width, height );
	}

	TextureHandle RecordingRenderDevice::CreateCoverageTexture( const uint8_t* coverage, int width, int height )
	{
		mCalls.push_back( "CreateCoverageTexture " + std::to_string( width ) + "x" + std::to_string( height ) );
		if ( !coverage || width <= 0 || height <= 0 )
			return 0;
		// Kept as it reads: white, with the coverage for alpha.
		const size_t pixels = size_t( width ) * size_t( height );
		std::vector<uint8_t> rgba( pixels * 4, 0xFF );
		for ( size_t i = 0; i < pixels; ++i )
			rgba[i * 4 + 3] = coverage[i];
		return KeepPixels( std::move( rgba ), width, height );
	}

	TextureHandle RecordingRenderDevice::KeepPixels( std::vector<uint8_t> rgba, int width, int height )
	{
		const TextureHandle handle = mNextHandle++;
		PixelTexture& texture = mPixelTextures[handle];
		texture.mWidth = width;
		texture.mHeight = height;
		texture.mRgba = std::move( rgba );
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
		Record().append( stage == ShaderStage::Vertex ? "CompileShader vertex " : "CompileShader pixel " ).append( path );
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
		AppendNumber( Record() += "SetVertexShader ", shader );
	}

	void RecordingRenderDevice::SetPixelShader( ShaderHandle shader )
	{
		mBoundPixelShader = shader;
		AppendNumber( Record() += "SetPixelShader ", shader );
	}

	void RecordingRenderDevice::SetShaderMatrix( ShaderHandle shader, const char* name, const glm::mat4& value )
	{
		auto& matrices = mConstants[shader].mMatrices;
		if ( auto found = matrices.find( std::string_view( name ) ); found != matrices.end() )
			found->second = value;
		else
			matrices.emplace( name, value );
	}

	void RecordingRenderDevice::SetFloats( ShaderHandle shader, const char* name, const float* values, size_t count )
	{
		auto& floats = mConstants[shader].mFloats;
		auto found = floats.find( std::string_view( name ) );
		if ( found == floats.end() )
			found = floats.emplace( name, std::vector<float>() ).first;
		found->second.assign( values, values + count );
	}

	void RecordingRenderDevice::SetShaderFloat4( ShaderHandle shader, const char* name, const float value[4] )
	{
		SetFloats( shader, name, value, 4 );
	}

	void RecordingRenderDevice::SetShaderFloat( ShaderHandle shader, const char* name, float value )
	{
		SetFloats( shader, name, &value, 1 );
	}

	void RecordingRenderDevice::SetTransform( TransformKind kind, const glm::mat4& matrix )
	{
		mTransforms[static_cast<int>( kind )] = matrix;
	}

	glm::mat4 RecordingRenderDevice::GetTransform( TransformKind kind ) const { return mTransforms[static_cast<int>( kind )]; }

	void RecordingRenderDevice::SetViewport( const Viewport& viewport ) { mViewport = viewport; }

	void RecordingRenderDevice::Clear( uint32_t argb, float, int ) { AppendHex( Record() += "Clear ", argb ); }

	bool RecordingRenderDevice::BeginScene()
	{
		Record() += "BeginScene";
		mInScene = true;
		return true;
	}

	void RecordingRenderDevice::EndScene()
	{
		Record() += "EndScene";
		mInScene = false;
	}

	void RecordingRenderDevice::Present()
	{
		Record() += "Present";
		mDrawCallsLastFrame = mDrawCalls;
		mDrawCalls = 0;
		RetireOlderFrames();
	}

	void RecordingRenderDevice::DrawTriangleStrip( BufferHandle buffer, uint32_t first, uint32_t primitives )
	{
		std::string& line = Record() += "DrawTriangleStrip ";
		AppendNumber( line, buffer );
		AppendNumber( line += ' ', first );
		AppendNumber( line += ' ', primitives );
		++mDrawCalls;

		DrawRecord& record = RecordDraw();
		record.mBuffer = buffer;
		record.mFirst = first;
		record.mPrimitives = primitives;
		record.mVertexShader = mBoundVertexShader;
		record.mPixelShader = mBoundPixelShader;
		record.mTexture = mBoundTexture;
		record.mWorldViewProj = glm::mat4( 1.0f );
		std::fill( std::begin( record.mColour ), std::end( record.mColour ), 1.0f );
		const auto& vertexConstants = mConstants[mBoundVertexShader].mMatrices;
		if ( auto found = vertexConstants.find( std::string_view( "WorldViewProj" ) ); found != vertexConstants.end() )
			record.mWorldViewProj = found->second;
		const auto& pixelConstants = mConstants[mBoundPixelShader].mFloats;
		for ( const char* name : { "rgba0", "rgba" } )
		{
			auto found = pixelConstants.find( std::string_view( name ) );
			if ( found != pixelConstants.end() && found->second.size() == 4 )
				std::copy_n( found->second.begin(), 4, record.mColour );
		}
		if ( auto found = mBuffers.find( buffer ); found != mBuffers.end() )
			record.mVertices.assign( found->second.begin(), found->second.end() );
		else
			record.mVertices.clear();
	}

	void RecordingRenderDevice::BeginEvent( uint32_t, const char* name )
	{
		Record().append( "BeginEvent " ).append( name ? name : "" );
	}

	void RecordingRenderDevice::EndEvent() { Record() += "EndEvent"; }

	bool RecordingRenderDevice::ReadBackBuffer( std::vector<uint8_t>&, int&, int& ) { return false; }
}
