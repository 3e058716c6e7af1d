// Long headless runs: the first level stepped thousands of times stays in the same
// memory, and the recording device holds one finished frame and the one in progress.
#include "Core/GameWindow/GameProject.h"
#include "GameStates/LevelManager.h"
#include "Graphics/GraphicsManager.h"
#include "Platform/RecordingRenderDevice.h"
#include "core/Services.h"
#include "support/LevelFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include <unistd.h>

#if defined( __SANITIZE_ADDRESS__ )
// The sanitizer's runtime has it; GCC ships no header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace
{
	// Kilobytes in use: resident memory, or under the address sanitizer (whose
	// quarantine keeps freed blocks resident on purpose) the bytes allocated and not
	// freed.
	long MemoryInUseKilobytes()
	{
#if defined( __SANITIZE_ADDRESS__ )
		return long( __sanitizer_get_current_allocated_bytes() / 1024 );
#else
		long pages = 0, resident = 0;
		if ( FILE* statm = std::fopen( "/proc/self/statm", "r" ) )
		{
			if ( std::fscanf( statm, "%ld %ld", &pages, &resident ) != 2 )
				resident = 0;
			std::fclose( statm );
		}
		return resident * ( sysconf( _SC_PAGESIZE ) / 1024 );
#endif
	}

	class HeadlessRun : public testing::Test
	{
	protected:
		void SetUp() override
		{
			// Every exchange file the game registers, so that the level's effects are armed
			// as in a real run.
			KelvaneTest::LevelFileSystem();
			KelvaneTest::SharedFileSystem( { "EmitterComponent", "FontComponent", "StatsComponent", "SkillsComponent",
			                                 "VertexComponent", "StatusBarComponent", "CollisionDebugComponent",
			                                 "ButtonComponent", "ShaderComponent" } );
			mResources.Point( "Level1", std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml" );
			Tarn::LaunchOptions options;
			options.mHeadless = true;
			mProject = std::make_unique<Tarn::GameProject>( options );
			mProject->CreateComponents();
			mProject->Initialise();
			mDevice = dynamic_cast<Platform::RecordingRenderDevice*>(
			    Tarn::Services::Get<Graphics::GraphicsManager>()->GetDevice() );
			ASSERT_NE( mDevice, nullptr );
			ASSERT_TRUE( Tarn::Services::Get<Tarn::LevelManager>()->LoadLevel( 1 ) );
		}
		void TearDown() override
		{
			if ( mProject )
				mProject->Shutdown();
			mProject.reset();
		}

		// One update step and its draw, as the loop runs them headless.
		void Step( int count )
		{
			Tarn::GameTime& time = mProject->GetGameTime();
			time.ElapsedSeconds = 0.016f;
			time.ElapsedGameTime = 16;
			for ( int i = 0; i < count; ++i )
			{
				mProject->Update( time );
				ASSERT_TRUE( mProject->BeginDraw() );
				mProject->Draw( time );
				mProject->EndDraw();
			}
		}

		size_t Count( const char* call ) const { return size_t( std::count( mDevice->mCalls.begin(), mDevice->mCalls.end(), call ) ); }

		KelvaneTest::ScopedResources mResources;
		std::unique_ptr<Tarn::GameProject> mProject;
		Platform::RecordingRenderDevice* mDevice = nullptr;
	};

	TEST_F( HeadlessRun, FiveThousandStepsOfTheFirstLevelStayWithinAFewMegabytesOfStepFiveHundred )
	{
		Step( 500 );
		const long settled = MemoryInUseKilobytes();
		Step( 4500 );
		const long later = MemoryInUseKilobytes();
		EXPECT_LT( later - settled, 3 * 1024 ) << "after 500 steps: " << settled << " kB, after 5,000: " << later << " kB";
		// Still drawing: the last frame's walls, ship and mirrors are in the record.
		EXPECT_GT( mDevice->DrawCallsLastFrame(), 5u );
		EXPECT_EQ( mDevice->mDraws.size(), mDevice->DrawCallsLastFrame() );
	}

	TEST_F( HeadlessRun, TheRecordHoldsTheLastFinishedFrameAndTheFrameInProgress )
	{
		Step( 3 );
		// Exactly one frame: from after the previous Present up to its own.
		EXPECT_EQ( Count( "Present" ), 1u );
		EXPECT_EQ( mDevice->mCalls.back(), "Present" );
		EXPECT_EQ( Count( "Clear ff6464ff" ), 1u );
		const size_t lastFrameCalls = mDevice->mCalls.size();
		const size_t lastFrameDraws = mDevice->mDraws.size();
		EXPECT_EQ( lastFrameDraws, mDevice->DrawCallsLastFrame() );

		// A frame begun and not finished follows the finished one.
		ASSERT_TRUE( mProject->BeginDraw() );
		mProject->Draw( mProject->GetGameTime() );
		EXPECT_EQ( Count( "Present" ), 1u );
		EXPECT_EQ( Count( "Clear ff6464ff" ), 2u );
		EXPECT_GT( mDevice->mCalls.size(), lastFrameCalls );
		EXPECT_EQ( mDevice->mDraws.size(), 2 * lastFrameDraws );
		mProject->EndDraw();
		EXPECT_EQ( Count( "Present" ), 1u );
		EXPECT_EQ( mDevice->mDraws.size(), lastFrameDraws );
	}
}
