#include "Core/GameWindow/GameProject.h"
#include "core/Services.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace
{
	using Tarn::GameProject;
	using Tarn::Services;


	Tarn::LaunchOptions Headless( uint64_t frames )
	{
		Tarn::LaunchOptions options;
		options.mHeadless = true;
		options.mFrames = frames;
		return options;
	}

	// Services in their order of registration, as their entries in the update table say.
	template <typename... T>
	std::vector<Tarn::IsUpdatable*> Instances()
	{
		return { static_cast<Tarn::IsUpdatable*>( Services::Get<T>() )... };
	}

	TEST( GameProject, CreatesAndRegistersEveryServiceInOrder )
	{
		EXPECT_EQ( Services::Get<Graphics::GraphicsManager>(), nullptr );
		GameProject project( Headless( 1 ) );
		EXPECT_EQ( Services::Get<Tarn::Game>(), &project );
		EXPECT_EQ( Services::Get<Tarn::GameWindow>(), &project.mWindow );
		EXPECT_EQ( Services::Get<Graphics::GraphicsManager>(), nullptr );
		project.CreateComponents();
		ASSERT_NE( Services::Get<Graphics::GraphicsManager>(), nullptr );

		using namespace Tarn;
		const auto expected =
		    Instances<GameWindow, KeyboardManager, MouseManager, StateMachines::StateMachineManager, Graphics::GraphicsManager, Graphics::TextureManager,
		              Graphics::AnimationManager, Physics::PhysicsManager, Physics::CollisionManager, ShadowManager, Graphics::ParticleManager, SoundManager,
		              SkillManager, Graphics::StatusBarManager, Graphics::TextManager, ObjectiveManager, ScoreManager, LevelManager,
		              ButtonManager, Graphics::FontManager, GameLevelSelector, DebugToolsManager, PropertyEditor>();
		std::vector<Tarn::IsUpdatable*> inContainer( project.Components().begin(), project.Components().end() );
		EXPECT_EQ( inContainer, expected );
		for ( auto* service : expected )
			EXPECT_NE( service, nullptr );

		// Each service stands twice in the update table: once filed by itself when it
		// was built, once by the container. Each heap service is added right after it
		// is built, so its two entries are adjacent.
		std::vector<Tarn::IsUpdatable*> filed;
		for ( const auto& [order, item] : project.Updatables().Entries() )
			filed.push_back( item );
		ASSERT_EQ( filed.size(), 2 * expected.size() );
		for ( Tarn::IsUpdatable* service : expected )
			EXPECT_EQ( project.Updatables().Count( service ), 2u );
		const auto firstHeap = std::find( filed.begin(), filed.end(), expected[3] );
		ASSERT_NE( firstHeap, filed.end() );
		for ( size_t i = 3; i < expected.size(); ++i )
		{
			const size_t at = size_t( firstHeap - filed.begin() ) + 2 * ( i - 3 );
			ASSERT_LT( at + 1, filed.size() );
			EXPECT_EQ( filed[at], expected[i] );
			EXPECT_EQ( filed[at + 1], expected[i] );
		}
		// The window runs before everything else.
		EXPECT_EQ( project.Updatables().Entries().begin()->second, expected[0] );

		// The five drawable services stand twice in the draw table.
		for ( Tarn::IsDrawable* drawable : std::vector<Tarn::IsDrawable*>{
		          Services::Get<Graphics::GraphicsManager>(), Services::Get<Graphics::TextureManager>(),
		          Services::Get<Graphics::ParticleManager>(), Services::Get<LevelManager>(), Services::Get<Graphics::FontManager>() } )
			EXPECT_EQ( project.Drawables().Count( drawable ), 2u );
		EXPECT_EQ( project.Drawables().Size(), 10u );
	}

	struct CountingService : Tarn::GameComponent
	{
		TARN_CLASS_NAME( CountingService )
		explicit CountingService( Tarn::Game* game ) : GameComponent( game ) {}
		void Update( Tarn::GameTime& ) override { ++mUpdates; }
		void Initialise() override { ++mInitialised; }
		void Shutdown() override { ++mShutdown; }
		int mUpdates = 0, mInitialised = 0, mShutdown = 0;
	};

	TEST( GameProject, AServiceAddedThroughTheContainerIsUpdatedTwicePerStep )
	{
		GameProject project( Headless( 5 ) );
		project.CreateComponents();
		CountingService counter( &project );
		project.Components().AddComponent( &counter );
		project.Run();
		EXPECT_EQ( counter.mUpdates, 10 );
		EXPECT_EQ( counter.mInitialised, 1 );
		EXPECT_EQ( counter.mShutdown, 1 );
		project.Components().RemoveComponent( &counter );
	}

	TEST( GameProject, RunLogsItsLifecycleInOrderAndLeavesNoServiceBehind )
	{
		KelvaneTest::LogCapture capture;
		{
			GameProject project( Headless( 120 ) );
			GameProject::RegisterResources();
			project.CreateComponents();
			project.Run();
			EXPECT_EQ( project.GetStepCount(), 120u );
		}
		const std::vector<std::string> expected = { "Creating game.", "Initialising game.", "Components initialised.",
		                                            "Exit called.", "Shutting down game.", "Components shut down.",
		                                            "Destroying game." };
		std::vector<std::string> lifecycle;
		for ( const auto& message : capture.Messages() )
			if ( message.mFile == "Game.cpp" )
				lifecycle.push_back( message.mText );
		EXPECT_EQ( lifecycle, expected );
		for ( const auto& message : capture.Messages() )
			EXPECT_EQ( message.mLevel, Tarn::Log::LEVEL_INFO ) << message.mText;
		EXPECT_EQ( Services::Get<Tarn::Game>(), nullptr );
		EXPECT_EQ( Services::Get<Tarn::GameWindow>(), nullptr );
		EXPECT_EQ( Services::Get<Tarn::PropertyEditor>(), nullptr );
		EXPECT_TRUE( Services::Instance().mServices.empty() );
	}

	TEST( GameProject, AnUpdatableMadeOutsideTheContainerIsFiledOnce )
	{
		GameProject project( Headless( 1 ) );
		struct Loose : Tarn::IsUpdatable
		{
			void Update( Tarn::GameTime& ) override {}
		} loose;
		EXPECT_EQ( project.Updatables().Count( &loose ), 1u );
	}
}
