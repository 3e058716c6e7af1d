// Particles through the real OpenGL device (Xvfb in CI): they land where the camera
// puts their owner.
#include "Core/GameTime.h"
#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"
#include "support/DrawnObjects.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace
{
	TEST( ParticlesOnScreen, APrismsSparksAppearWhereTheCameraShowsTheirOwner )
	{
		if ( !std::getenv( "DISPLAY" ) )
			GTEST_SKIP() << "no X display";
		KelvaneTest::RegisterDrawnObjects();
		Tarn::LaunchOptions options;
		options.mWindowMode = Tarn::WindowMode::Windowed;
		Tarn::GameProject project( options );
		project.mWindow.Settings().mFullscreen = false;
		project.CreateComponents();
		project.Initialise();
		auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		Platform::RenderDevice* device = graphics->GetDevice();
		ASSERT_NE( device, nullptr );

		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* prism = objects.CreateObject( KelvaneTest::SparksObject::ClassHashedName(), "Prism1" );
		objects.InitialiseObject( prism );
		prism->GetComponent<Tarn::TransformComponent>()->mPosition = { 6.0f, -3.0f };
		auto* emitter = prism->GetComponent<Graphics::EmitterComponent>();
		// The prism's sparks, held still and large enough to find, in an untextured
		// yellow.
		emitter->AngleSparks();
		emitter->SetTexture( "resource/no such picture.png" );
		emitter->mMinSpeed = emitter->mMaxSpeed = {};
		emitter->mScaleStart = emitter->mScaleEnd = { 1.5f, 1.5f, 1.5f };
		emitter->mPixelShaderColorStart = emitter->mPixelShaderColorEnd = { 1.0f, 1.0f, 0.0f, 1.0f };
		emitter->AimAt( 6.0f, 10.0f );
		Tarn::GameTime time;
		time.ElapsedSeconds = 0.016f;
		for ( int i = 0; i < 2; ++i )
			project.Update( time );
		ASSERT_EQ( emitter->LiveParticleCount(), 50 );

		for ( int i = 0; i < 2; ++i )
		{
			ASSERT_TRUE( project.BeginDraw() );
			project.Draw( project.GetGameTime() );
			if ( i == 0 )
				project.EndDraw();
		}
		std::vector<uint8_t> pixels;
		int width = 0, height = 0;
		ASSERT_TRUE( device->ReadBackBuffer( pixels, width, height ) );
		project.EndDraw();
		// The fifty sparks share their shader and texture: one batch.
		EXPECT_EQ( device->DrawCallsLastFrame(), 1u );

		const Graphics::Matrix viewProjection =
		    device->GetTransform( Platform::TransformKind::View ) * device->GetTransform( Platform::TransformKind::Projection );
		auto pixelAt = [&]( float x, float y ) {
			const glm::vec3 ndc = Graphics::TransformCoord( { x, y, 0.0f }, viewProjection );
			const int px = static_cast<int>( ( ndc.x + 1.0f ) * 0.5f * float( width ) );
			const int py = static_cast<int>( ( 1.0f - ndc.y ) * 0.5f * float( height ) );
			EXPECT_TRUE( px >= 0 && px < width && py >= 0 && py < height ) << x << ", " << y;
			const size_t at = ( size_t( py ) * size_t( width ) + size_t( px ) ) * 4;
			return std::array<int, 3>{ pixels[at], pixels[at + 1], pixels[at + 2] };
		};
		// Every spark sits 0.45 units above the prism, give or take its small spawn box.
		for ( const Graphics::Particle& particle : emitter->mParticles )
		{
			const auto colour = pixelAt( particle.mPosition.x, particle.mPosition.y );
			EXPECT_GT( colour[0], 200 );
			EXPECT_GT( colour[1], 200 );
			EXPECT_LT( colour[2], 60 );
		}
		const auto sparks = pixelAt( 6.0f, -2.55f );
		EXPECT_GT( sparks[1], 200 );
		// The mirror image of the prism's place shows the clear colour.
		const auto elsewhere = pixelAt( -6.0f, -2.55f );
		EXPECT_EQ( elsewhere[0], 100 );
		EXPECT_EQ( elsewhere[2], 255 );

		objects.DestroyAll();
		project.Shutdown();
	}
}
