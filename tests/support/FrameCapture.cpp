#include "support/FrameCapture.h"

#include "Core/GameWindow/GameProject.h"
#include "Graphics/GraphicsManager.h"
#include "Platform/RenderDevice.h"
#include "core/Services.h"

#include <gtest/gtest.h>

namespace KelvaneTest
{
	void CaptureFrame( Tarn::GameProject& project, const std::string& screenshot, CapturedFrame& frame )
	{
		Platform::RenderDevice* device = Tarn::Services::Get<Graphics::GraphicsManager>()->GetDevice();
		ASSERT_TRUE( project.BeginDraw() );
		project.Draw( project.GetGameTime() );
		device->EndScene();
		ASSERT_TRUE( device->ReadBackBuffer( frame.mPixels, frame.mWidth, frame.mHeight ) );
		device->Present();
		std::string error;
		EXPECT_TRUE( Platform::SavePng( testing::TempDir() + screenshot, frame.mPixels, frame.mWidth, frame.mHeight, error ) ) << error;
	}
}
