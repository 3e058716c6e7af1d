#pragma once

#include <glm/mat4x4.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Platform
{
	// The one vertex layout of the program: position, a 32-bit ARGB colour, texture
	// coordinates; 24 bytes without gaps.
	struct Vertex
	{
		float x, y, z;
		uint32_t color;
		float u, v;
	};
	static_assert( sizeof( Vertex ) == 24, "the vertex layout is 24 bytes" );

	// What the device is created and reset with.
	struct PresentParameters
	{
		int mBackBufferWidth = 0;
		int mBackBufferHeight = 0;
		bool mWindowed = true;
		bool mAutoDepthStencil = true;
		int mDepthBits = 16;
	};

	enum class CooperativeLevel
	{
		Ok,       // frames may be drawn
		Lost,     // the window is hidden or minimised: nothing can be drawn
		NotReset, // the window is back; a reset makes the device usable again
		Failed,   // any other failure
	};

	enum class TransformKind
	{
		World,
		View,
		Projection,
	};

	enum class ShaderStage
	{
		Vertex,
		Pixel,
	};

	struct Viewport
	{
		int mX = 0, mY = 0, mWidth = 0, mHeight = 0;
		float mMinZ = 0.0f, mMaxZ = 1.0f;
	};

	// Handles are small integers; 0 is none.
	using BufferHandle = uint32_t;
	using TextureHandle = uint32_t;
	using ShaderHandle = uint32_t;

	// The render device the graphics code draws through. Matrices are row-vector
	// matrices (a point is transformed as v * M) and combine as world * view *
	// projection. The real backend draws with OpenGL 3.3; the headless one records
	// each call in order and draws nothing.
	class RenderDevice
	{
	public:
		virtual ~RenderDevice() = default;

		virtual CooperativeLevel TestCooperativeLevel() = 0;
		virtual bool Reset( const PresentParameters& parameters ) = 0;
		virtual const PresentParameters& GetPresentParameters() const = 0;

		// The fixed render states: alpha blending (source alpha, inverse source alpha,
		// add), no depth test, no culling; texture stage 0 takes the texture colour.
		virtual void SetFixedStates() = 0;

		virtual BufferHandle CreateVertexBuffer( uint32_t vertexCount ) = 0;
		// The buffer's vertices, valid until Unlock; null for an unknown handle.
		virtual Vertex* Lock( BufferHandle buffer ) = 0;
		virtual void Unlock( BufferHandle buffer ) = 0;
		virtual void ReleaseVertexBuffer( BufferHandle buffer ) = 0;

		// 0 when the file cannot be read as a picture; `error` then says why.
		virtual TextureHandle CreateTextureFromFile( const std::string& path, int& width, int& height,
		                                             std::string& error ) = 0;
		// A texture of RGBA rows, top row first, as text is rendered into; 0 for an empty
		// picture.
		virtual TextureHandle CreateTextureFromPixels( const uint8_t* rgba, int width, int height ) = 0;
		// A white texture whose alpha is `coverage`, one byte a pixel, top row first: it
		// takes its colour from the tint it is drawn with, so a new colour needs no new
		// texture. 0 for an empty picture.
		virtual TextureHandle CreateCoverageTexture( const uint8_t* coverage, int width, int height ) = 0;
		virtual void ReleaseTexture( TextureHandle texture ) = 0;
		virtual void SetTexture( int stage, TextureHandle texture ) = 0;

		// Compiles a GLSL source file; 0 on failure with the compiler's message in `error`.
		virtual ShaderHandle CompileShader( const std::string& path, ShaderStage stage, std::string& error ) = 0;
		virtual void ReleaseShader( ShaderHandle shader ) = 0;
		virtual void SetVertexShader( ShaderHandle shader ) = 0;
		virtual void SetPixelShader( ShaderHandle shader ) = 0;
		// Named constants of a shader; they keep their value until set again.
		virtual void SetShaderMatrix( ShaderHandle shader, const char* name, const glm::mat4& value ) = 0;
		virtual void SetShaderFloat4( ShaderHandle shader, const char* name, const float value[4] ) = 0;
		virtual void SetShaderFloat( ShaderHandle shader, const char* name, float value ) = 0;

		virtual void SetTransform( TransformKind kind, const glm::mat4& matrix ) = 0;
		virtual glm::mat4 GetTransform( TransformKind kind ) const = 0;
		virtual void SetViewport( const Viewport& viewport ) = 0;
		virtual Viewport GetViewport() const = 0;

		virtual void Clear( uint32_t argb, float depth, int stencil ) = 0;
		virtual bool BeginScene() = 0;
		virtual void EndScene() = 0;
		virtual void Present() = 0;

		// Draws `primitives` triangles of a strip from `first` on.
		virtual void DrawTriangleStrip( BufferHandle buffer, uint32_t first, uint32_t primitives ) = 0;
		// Draws `quads` separate quads from vertex `first` on, each four vertices in strip
		// order (top left, bottom left, top right, bottom right), with the bound shaders,
		// constants and texture, as one draw. A device with nothing better draws each as
		// a strip of two triangles.
		virtual void DrawQuads( BufferHandle buffer, uint32_t first, uint32_t quads )
		{
			for ( uint32_t quad = 0; quad < quads; ++quad )
				DrawTriangleStrip( buffer, first + quad * 4, 2 );
		}

		// Brackets a group of calls for a GPU debugger; nothing where none is available.
		virtual void BeginEvent( uint32_t argb, const char* name ) = 0;
		virtual void EndEvent() = 0;

		// The back buffer as rows of RGBA bytes, top row first.
		virtual bool ReadBackBuffer( std::vector<uint8_t>& rgba, int& width, int& height ) = 0;

		// Draws since the last Present (for benchmarks and tests): a batch or a list of
		// quads counts once, into however many pieces the device cuts it for the driver.
		virtual uint32_t DrawCallsLastFrame() const = 0;
	};

	// The OpenGL device on a platform window (the window's native handle, an SDL
	// window created for OpenGL). Null, with the reason in `error`, when no context
	// can be made.
	std::unique_ptr<RenderDevice> CreateOpenGlDevice( void* nativeWindow, const PresentParameters& parameters,
	                                                  std::string& error );

	// Width and height from the header of a PNG file's bytes, without decoding it;
	// false when the bytes do not begin as a PNG file does.
	bool PngSize( const uint8_t* bytes, size_t size, int& width, int& height );

	// Reads a picture file as RGBA rows, top row first.
	bool LoadPicture( const std::string& path, std::vector<uint8_t>& rgba, int& width, int& height, std::string& error );

	// Writes RGBA rows (top row first) as a PNG.
	bool SavePng( const std::string& path, const std::vector<uint8_t>& rgba, int width, int height, std::string& error );
}
