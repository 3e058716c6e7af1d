// A lit prism's cone through the real OpenGL device (Xvfb in CI): the first level with
// the ship moved level with the green prism, firing at it. The cone must show where the
// camera puts it, pointing away from the ship, with its glyph, and stun a guard in it.
#include "Core/Object.h"
#include "Game/Player.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "support/LevelOnScreen.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace
{
	TEST( ConeOnScreen, TheLitPrismsConePointsAwayFromTheShipInItsColourAndStunsTheGuardInIt )
	{
		if ( !std::getenv( "DISPLAY" ) )
			GTEST_SKIP() << "no X display";
		const std::string screenshot = testing::TempDir() + "kelvane-cone.png";
		{
			KelvaneTest::LevelOnScreen screen( 1, screenshot );
			// The ship 8 units left of the green prism at (-2, 6); the guard 6 units beyond it.
			auto place = [&]( Tarn::Object* object, float x, float y ) {
				auto* transform = object->GetComponent<Tarn::TransformComponent>();
				transform->mPosition = transform->mPrevPos = { x, y };
				transform->mVelocity = {};
			};
			place( Tarn::FindPlayer(), -10.0f, 6.0f );
			auto& stun = *KelvaneTest::MakeStandIn( "MeleeGuard", "Guard1", { 4.0f, 6.3f } )
			                  .GetComponent<StateMachines::StateMachineComponent>();

			// Fire at the prism and hold, drawing every other step so that the cone brightens.
			const auto [prismX, prismY] = screen.PixelOf( -2.0f, 6.0f );
			screen.Project().mWindow.mOnMouseMove.Raise( prismX, prismY );
			screen.Project().mWindow.mOnMouseDown.Raise( prismX, prismY, 1 );
			for ( int step = 0; step < 60; ++step )
			{
				place( Tarn::FindPlayer(), -10.0f, 6.0f );
				screen.Step( prismX, prismY );
				if ( step % 2 == 1 )
					screen.Frame();
			}
			EXPECT_EQ( stun.mState, StateMachines::STATE_WAIT );
			screen.Capture();

			// The clear colour is (100, 100, 255): the green light shows as green well above red.
			auto green = [&]( float x, float y ) {
				const KelvaneTest::Pixel p = screen.At( x, y );
				return p.g > p.r + 60;
			};
			EXPECT_TRUE( green( 2.0f, 6.0f ) ) << "the cone, bright past its glyph";
			EXPECT_TRUE( green( 6.0f, 6.5f ) ) << "the cone, widening";
			EXPECT_TRUE( green( 15.0f, 6.0f ) ) << "the cone, far out, softer";
			EXPECT_FALSE( green( -6.0f, 6.6f ) ) << "nothing on the ship's side";
			EXPECT_FALSE( green( 6.0f, 8.0f ) ) << "nothing beside the cone";
			// The glyph rides in the cone: its dark disc and white bars both show.
			int dark = 0, white = 0;
			for ( float x = -0.2f; x <= 1.0f; x += 0.05f )
				for ( float y = 5.4f; y <= 6.6f; y += 0.05f )
				{
					const KelvaneTest::Pixel p = screen.At( x, y );
					dark += p.r < 60 && p.g < 80 && p.b < 80;
					white += p.r > 200 && p.g > 200 && p.b > 200;
				}
			EXPECT_GT( dark, 20 );
			EXPECT_GT( white, 5 );
		}
		EXPECT_TRUE( std::filesystem::exists( screenshot ) );
	}
}
