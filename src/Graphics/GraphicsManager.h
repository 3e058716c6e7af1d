#pragma once

#include "Core/GameComponent.h"
#include "Graphics/Matrices.h"
#include "Platform/RenderDevice.h"
#include "core/HashedName.h"

#include <glm/vec2.hpp>

#include <memory>
#include <string>
#include <vector>

namespace Tarn
{
	class Game;
	class GameWindow;
}

namespace Graphics
{
	using CUSTOMVERTEX = Platform::Vertex;

	// Owns the render device and what every drawable shares: the shaders, the view and
	// projection, the fixed states, and the handling of a lost device. Draws nothing
	// itself.
	class GraphicsManager : public Tarn::DrawableGameComponent
	{
		TARN_CLASS_NAME( GraphicsManager )

	public:
		static constexpr uint32_t kClearColour = 0xFF6464FF;
		static constexpr const char* kVertexShaderFile = "./src/Graphics/Vertex.glsl";
		static constexpr const char* kPixelShaderFile = "./src/Graphics/Pixel.glsl";
		static constexpr const char* kAlphaShaderFile = "./src/Graphics/Alpha.glsl";
		static constexpr const char* kWavyShaderFile = "./src/Graphics/WavyPixel.glsl";
		static constexpr const char* kTextShaderFile = "./src/Graphics/TextPixel.glsl";
		static constexpr const char* kFontFile = "resource/spaceranger.ttf";

		explicit GraphicsManager( Tarn::Game* game );
		~GraphicsManager() override;

		void Initialise() override;
		void Shutdown() override;
		void Update( Tarn::GameTime& ) override {}
		void Draw( Tarn::GameTime& ) override {}

		// Opens the scene for the game's draw step; false skips the frame.
		bool BeginFrame();
		// Closes the scene and presents (the game's EndDraw).
		void EndFrame();

		void CheckDevice();
		void CheckDeviceAfterPause();
		bool ResetDevice();

		// The world point under screen pixel (x, y) on the plane z = 0, through the
		// transforms of the previous frame.
		glm::vec2 ScreenToWorld( float x, float y ) const;

		Platform::RenderDevice* GetDevice() const { return mDevice; }
		// Holders of this pointer always see the current device.
		Platform::RenderDevice* const* GetDevicePointer() const { return &mDevice; }
		Platform::ShaderHandle GetVertexShader() const { return mVertexShader; }
		Platform::ShaderHandle GetPixelShader() const { return mPixelShader; }
		Platform::ShaderHandle GetAlphaPixelShader() const { return mAlphaPixelShader; }
		Platform::ShaderHandle GetTextPixelShader() const { return mTextPixelShader; }
		Platform::ShaderHandle GetWavyPixelShader() const { return mWavyPixelShader; }
		Matrix* GetView() { return &mView; }
		// Puts the view back to the screen at rest, centred on the world's origin: what a
		// camera that leaves hands back, so that the next level is not seen from where
		// the last one's camera stood.
		void ResetView();
		const Matrix& GetProjection() const { return mProjection; }
		bool IsDeviceReady() const { return mDeviceReady; }
		const std::string& GetFontFile() const { return mFontFile; }

		// Writes the last frame drawn to this PNG when the game shuts down.
		void RequestScreenshot( const std::string& path ) { mScreenshotPath = path; }
		// Milliseconds to wait while the device is lost (the window is hidden).
		int mLostWaitMilliseconds = 50;

	private:
		Platform::PresentParameters BuildPresentParameters() const;
		void SetStates();
		void BuildViewAndProjection();
		Platform::ShaderHandle Compile( const char* file, Platform::ShaderStage stage );
		void BindStandardShaders();
		// Steps 1 to 3 of a frame; true when the device may draw.
		bool CheckCooperativeLevel();
		void TellFontsLost();
		void TellFontsReset();
		void WriteScreenshot();

		std::unique_ptr<Platform::RenderDevice> mOwnedDevice;
		Platform::RenderDevice* mDevice = nullptr;
		Platform::PresentParameters mPresentParameters;
		Matrix mView = Identity();
		Matrix mProjection = Identity();
		Platform::ShaderHandle mVertexShader = 0;
		Platform::ShaderHandle mWavyPixelShader = 0;
		Platform::ShaderHandle mPixelShader = 0;
		Platform::ShaderHandle mAlphaPixelShader = 0;
		Platform::ShaderHandle mTextPixelShader = 0;
		Tarn::GameWindow* mWindow = nullptr;
		bool mDeviceReady = true;
		std::string mFontFile;
		std::string mScreenshotPath;
		std::vector<uint8_t> mShotPixels;
		int mShotWidth = 0;
		int mShotHeight = 0;
		bool mHaveShot = false;
	};
}
