// A level with every kind of enemy through the real OpenGL device (Xvfb in CI): each
// shows where the camera says, a plain guard glowing red, a white guard white, a mine
// exploding in fire. The level file and the last frame stay in the test's temporary
// folder ("kelvane-enemies.xml", "kelvane-enemies.png") for a person to look at.
#include "Core/GameWindow/GameProject.h"
#include "Core/ObjectManager.h"
#include "GameStates/LevelManager.h"
#include "GameStates/LevelObject.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/Matrices.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Platform/RenderDevice.h"
#include "StateMachines/GuardRoutines.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/MineRoutines.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "core/Services.h"
#include "support/LevelFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace
{
	using namespace StateMachines;

	struct Pixel
	{
		int r, g, b;
	};

	// Plain and white guards, a ranged guard, mines (one blue), crystals, a barrier
	// and a light bomb, around the ship; a stun effect and a spark wait in the pool.
	void BuildEnemyLevel( Tarn::LevelObject& level )
	{
		using KelvaneTest::AddToLevel;
		AddToLevel( level, "Player", "Player1", { -13, -6 } );
		AddToLevel( level, "MeleeGuard", "Guard1", { -8, 4 } );
		AddToLevel( level, "MeleeGuard", "Guard2", { -3, 4 } )->GetComponent<StateMachineComponent>()->mAI = Routine::WhiteGuard;
		AddToLevel( level, "RangeGuard", "Ranged1", { 2, 4 } );
		AddToLevel( level, "MeleeGuard", "Guard3", { -8, -4 } );
		AddToLevel( level, "Mine", "Mine1", { 7, 4 } );
		Tarn::Object* blue = AddToLevel( level, "Mine", "Mine2", { 12, 4 } );
		blue->GetComponent<MineComponent>()->mAI = Routine::BlueMine;
		blue->GetComponent<Graphics::MeshComponent>()->mColour = { 0.5f, 0.8f, 1.8f, 1.0f };
		AddToLevel( level, "Mine", "Mine3", { 7, -4 } );
		AddToLevel( level, "CrystalFocus", "CrystalFocus1", { 12, -4 } );
		AddToLevel( level, "CrystalFocus", "CrystalFocus2", { 2, -4 } );
		AddToLevel( level, "GateBarrier", "Barrier", { -3, -4 } );
		AddToLevel( level, "LightBombProjectile", "Bomb1", { -13, 4 } );
		AddToLevel( level, "StunEffect", "Stun1", { -20, -20 } );
		AddToLevel( level, "SwitchEffect", "SwitchEffect1", { -20, -20 } );
	}

	TEST( EnemiesOnScreen, EachKindShowsWhereTheCameraSaysInItsOwnLook )
	{
		if ( !std::getenv( "DISPLAY" ) )
			GTEST_SKIP() << "no X display";
		KelvaneTest::LevelFileSystem();
		const std::string levelFile = testing::TempDir() + "kelvane-enemies.xml";
		KelvaneTest::ScopedResources resources;
		resources.Point( "Level3", levelFile );
		Tarn::LaunchOptions options;
		options.mWindowMode = Tarn::WindowMode::Windowed;
		Tarn::GameProject project( options );
		project.mWindow.Settings().mFullscreen = false;
		project.CreateComponents();
		const std::string screenshot = testing::TempDir() + "kelvane-enemies.png";
		std::filesystem::remove( screenshot );
		auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		graphics->RequestScreenshot( screenshot );
		project.Initialise();
		Platform::RenderDevice* device = graphics->GetDevice();
		ASSERT_NE( device, nullptr );
		auto* levels = Tarn::Services::Get<Tarn::LevelManager>();
		BuildEnemyLevel( *levels->GetCurrentLevel() );
		ASSERT_TRUE( levels->GetCurrentLevel()->Save( Tarn::FileSystem::ParseRecord( levelFile, true ) ) );
		ASSERT_TRUE( levels->LoadLevel( 3 ) );

		// The guard below is stunned under the ring; one mine goes off; a crystal burns.
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		auto find = [&]( const char* name ) { return objects.GetObject( Tarn::HashedName( name ) ); };
		StunGuard( *find( "Guard3" )->GetComponent<StateMachineComponent>() );
		LightFuse( *find( "Mine3" )->GetComponent<Physics::CollisionComponent>() );
		Tarn::GameTime& time = project.GetGameTime();
		time.ElapsedSeconds = 0.016f;
		auto frame = [&]( bool present ) {
			ASSERT_TRUE( project.BeginDraw() );
			project.Draw( time );
			if ( present )
				project.EndDraw();
		};
		for ( int step = 0; step < 20; ++step )
		{
			BurnCrystal( *find( "CrystalFocus2" )->GetComponent<MineComponent>() );
			project.Update( time );
			if ( step % 10 == 9 )
				frame( true );
		}
		frame( false );
		const Graphics::Matrix viewProjection = *graphics->GetView() * graphics->GetProjection();
		int width = 0, height = 0;
		std::vector<uint8_t> pixels;
		ASSERT_TRUE( device->ReadBackBuffer( pixels, width, height ) );
		project.EndDraw();

		auto at = [&]( float x, float y ) {
			const glm::vec3 ndc = Graphics::TransformCoord( { x, y, 0.0f }, viewProjection );
			const int px = int( ( ndc.x + 1.0f ) * 0.5f * float( width ) );
			const int py = int( ( 1.0f - ndc.y ) * 0.5f * float( height ) );
			EXPECT_TRUE( px >= 0 && px < width && py >= 0 && py < height ) << x << ", " << y;
			const size_t i = ( size_t( py ) * size_t( width ) + size_t( px ) ) * 4;
			return Pixel{ pixels[i], pixels[i + 1], pixels[i + 2] };
		};
		// The most of a colour about a point, over a small square.
		auto most = [&]( float x, float y, auto score ) {
			int best = -1000;
			for ( float dx = -0.4f; dx <= 0.4f; dx += 0.1f )
				for ( float dy = -0.4f; dy <= 0.4f; dy += 0.1f )
					best = std::max( best, score( at( x + dx, y + dy ) ) );
			return best;
		};
		auto redness = []( const Pixel& p ) { return p.r - ( p.g + p.b ) / 2; };
		auto whiteness = []( const Pixel& p ) { return std::min( { p.r, p.g, p.b } ); };
		auto blueness = []( const Pixel& p ) { return p.b - p.r; };

		EXPECT_GT( most( -8, 4, redness ), 100 ) << "the plain guard glows red";
		EXPECT_GT( most( -3, 4, whiteness ), 200 ) << "the white guard glows white";
		EXPECT_LT( most( -3, 4, redness ), 40 );
		EXPECT_GT( most( 7, 4, whiteness ), 180 ) << "a mine at rest";
		EXPECT_GT( most( 12, 4, blueness ), 100 ) << "the blue mine";
		EXPECT_GT( most( 7, -4, redness ), 100 ) << "the exploding mine is fire";
		EXPECT_GT( most( 12, -4, whiteness ), 180 ) << "a crystal";

		objects.DestroyAll();
		project.Shutdown();
		EXPECT_TRUE( std::filesystem::exists( screenshot ) );
	}
}
