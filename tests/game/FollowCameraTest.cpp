// A level wider than the screen carries its own camera, which follows the ship once the
// level is loaded; a level without one is seen from the screen at rest, also after a
// level with a camera has gone.
#include "Core/ObjectManager.h"
#include "Graphics/Camera.h"
#include "Graphics/GraphicsManager.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"
#include "support/EnemyLevel.h"

#include <gtest/gtest.h>

namespace
{
	class FollowCamera : public KelvaneTest::EnemyLevel
	{
	protected:
		static Graphics::Camera* TheCamera()
		{
			return Tarn::ObjectManager::Instance().GetObjectOfType<Graphics::Camera>( Tarn::HashedName( "Camera1" ) );
		}
		static Graphics::Matrix View() { return *Tarn::Services::Get<Graphics::GraphicsManager>()->GetView(); }
		static Graphics::Matrix RestView()
		{
			auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
			const Graphics::Matrix now = *graphics->GetView();
			graphics->ResetView();
			const Graphics::Matrix rest = *graphics->GetView();
			*graphics->GetView() = now;
			return rest;
		}
	};

	TEST_F( FollowCamera, ALevelWithItsCameraFollowsTheShipAndHandsTheViewBackWhenItGoes )
	{
		Add( "Player", "Player1", { -20, 4 } );
		Add( "Camera", "Camera1", { 0, 0 } );
		Play();
		Graphics::Camera* camera = TheCamera();
		ASSERT_NE( camera, nullptr );
		EXPECT_TRUE( camera->mFollowPlayer );
		EXPECT_FLOAT_EQ( camera->mLook.x, -20.0f ) << "the level starts with the ship in view";
		EXPECT_FLOAT_EQ( camera->mEye.x, -20.0f );

		// The ship far to the right: the camera closes in on its x, and keeps its height.
		Transform( "Player1" ).mPosition = { 30, 6 };
		Steps( 300 );
		EXPECT_NEAR( camera->mLook.x, 30.0f, 0.5f );
		EXPECT_NEAR( camera->mEye.x, 30.0f, 0.5f );
		EXPECT_FLOAT_EQ( camera->mLook.y, 0.0f );
		EXPECT_NE( View(), RestView() ) << "the screen shows where the camera stands";

		Tarn::ObjectManager::Instance().DestroyObject( "Camera1" );
		Tarn::ObjectManager::Instance().ProcessDestroyQueue();
		EXPECT_EQ( View(), RestView() );
	}

	TEST_F( FollowCamera, ALevelWithoutACameraIsSeenAtRestWhereverTheShipFlies )
	{
		Add( "Player", "Player1", { 0, 0 } );
		Play();
		EXPECT_EQ( TheCamera(), nullptr );
		Transform( "Player1" ).mPosition = { 15, 0 };
		Steps( 100 );
		EXPECT_EQ( View(), RestView() );
	}
}
