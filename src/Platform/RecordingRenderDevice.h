#pragma once

#include "Platform/RenderDevice.h"

#include <map>
#include <string>
#include <vector>

namespace Platform
{
	// The headless render device: keeps the calls, in order, as lines of text
	// ("Clear ff6464ff", "SetPixelShader 3", "DrawTriangleStrip 2 0 2") and the
	// state those calls leave (bound shaders, constants, transforms), and draws
	// nothing. Tests read the record and steer the cooperative level and resets.
	// The record holds the last finished frame (up to its Present) and the frame in
	// progress, nothing older, so that a headless run of any length stays in the same
	// memory; its strings and draw records are reused from frame to frame.
	class RecordingRenderDevice : public RenderDevice
	{
	public:
		explicit RecordingRenderDevice( const PresentParameters& parameters );

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
		void SetVertexShader( ShaderHandle shader ) override;
		void SetPixelShader( ShaderHandle shader ) override;
		void SetShaderMatrix( ShaderHandle shader, const char* name, const glm::mat4& value ) override;
		void SetShaderFloat4( ShaderHandle shader, const char* name, const float value[4] ) override;
		void SetShaderFloat( ShaderHandle shader, const char* name, float value ) override;

		void SetTransform( TransformKind kind, const glm::mat4& matrix ) override;
		glm::mat4 GetTransform( TransformKind kind ) const override;
		void SetViewport( const Viewport& viewport ) override;
		Viewport GetViewport() const override { return mViewport; }

		void Clear( uint32_t argb, float depth, int stencil ) override;
		bool BeginScene() override;
		void EndScene() override;
		void Present() override;
		void DrawTriangleStrip( BufferHandle buffer, uint32_t first, uint32_t primitives ) override;
		void BeginEvent( uint32_t argb, const char* name ) override;
		void EndEvent() override;
		bool ReadBackBuffer( std::vector<uint8_t>& rgba, int& width, int& height ) override;
		uint32_t DrawCallsLastFrame() const override { return mDrawCallsLastFrame; }

		// What a draw call saw: the bound shaders and texture and the constants then.
		struct DrawRecord
		{
			BufferHandle mBuffer = 0;
			// The part of the buffer drawn: its first vertex and its triangles.
			uint32_t mFirst = 0;
			uint32_t mPrimitives = 0;
			ShaderHandle mVertexShader = 0;
			ShaderHandle mPixelShader = 0;
			TextureHandle mTexture = 0;
			glm::mat4 mWorldViewProj{ 1.0f };
			float mColour[4] = { 1, 1, 1, 1 };
			std::vector<Vertex> mVertices;
		};

		// The last finished frame's calls, then those of the frame in progress (before
		// the first Present: every call since the device was made).
		std::vector<std::string> mCalls;
		std::vector<DrawRecord> mDraws;

		// Steering for tests.
		CooperativeLevel mLevel = CooperativeLevel::Ok;
		bool mResetSucceeds = true;
		// Compiling a shader whose path contains this text fails.
		std::string mFailShaderContaining;

		std::map<ShaderHandle, std::string> mShaderPaths;
		std::map<TextureHandle, std::string> mTexturePaths;
		// The live textures made from pixels, with their pixels.
		struct PixelTexture
		{
			int mWidth = 0;
			int mHeight = 0;
			std::vector<uint8_t> mRgba;
		};
		std::map<TextureHandle, PixelTexture> mPixelTextures;
		ShaderHandle mBoundVertexShader = 0;
		ShaderHandle mBoundPixelShader = 0;
		TextureHandle mBoundTexture = 0;

	private:
		struct ShaderConstants
		{
			std::map<std::string, glm::mat4, std::less<>> mMatrices;
			std::map<std::string, std::vector<float>, std::less<>> mFloats;
		};

		// Files a picture made from pixels under a new handle.
		TextureHandle KeepPixels( std::vector<uint8_t> rgba, int width, int height );
		// A line at the end of the record, empty, reusing a retired line's memory.
		std::string& Record();
		DrawRecord& RecordDraw();
		// At Present: everything before the frame that has just ended is let go.
		void RetireOlderFrames();
		void SetFloats( ShaderHandle shader, const char* name, const float* values, size_t count );

		PresentParameters mParameters;
		Viewport mViewport;
		glm::mat4 mTransforms[3] = { glm::mat4( 1.0f ), glm::mat4( 1.0f ), glm::mat4( 1.0f ) };
		std::map<BufferHandle, std::vector<Vertex>> mBuffers;
		std::map<ShaderHandle, ShaderConstants> mConstants;
		uint32_t mNextHandle = 1;
		uint32_t mDrawCalls = 0;
		uint32_t mDrawCallsLastFrame = 0;
		bool mInScene = false;
		// Lines and draws recorded since the last Present, and retired ones kept for reuse.
		size_t mCallsThisFrame = 0;
		size_t mDrawsThisFrame = 0;
		std::vector<std::string> mSpareCalls;
		std::vector<DrawRecord> mSpareDraws;
	};

	// Width and height from a PNG file's header, without decoding it.
	bool ReadPngSize( const std::string& path, int& width, int& height );
}
