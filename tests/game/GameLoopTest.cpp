#include "Core/GameWindow/Game.h"
#include "support/AssertRecorder.h"
#include "support/LogCapture.h"
#include "support/ManualClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
	using KelvaneTest::LogCapture;
	using KelvaneTest::ManualClock;

	// A game whose frame always begins (or never, when told) and that counts its draws.
	class CountingGame : public Tarn::Game
	{
	public:
		CountingGame()
		{
			SetClock( &mClock );
			StartLoopForTest();
		}
		void StartLoopForTest() { StartTimer(); }

		bool BeginDraw() override
		{
			++mBegins;
			return mFrameBegins;
		}
		void Draw( Tarn::GameTime& time ) override
		{
			++mDraws;
			Game::Draw( time );
		}
		void EndDraw() override { ++mEnds; }

		void Advance( int64_t ms )
		{
			mClock.Advance( ms );
			Tick();
		}

		ManualClock mClock;
		bool mFrameBegins = true;
		int mBegins = 0, mDraws = 0, mEnds = 0;
	};

	struct Probe : Tarn::IsUpdatable
	{
		std::vector<bool> mSlow;
		std::function<void()> mDuring;
		void Update( Tarn::GameTime& time ) override
		{
			mSlow.push_back( time.IsRunningSlowly );
			if ( mDuring )
				mDuring();
		}
	};

	struct DrawProbe : Tarn::IsDrawable
	{
		int mDraws = 0;
		void Draw( Tarn::GameTime& ) override { ++mDraws; }
	};

	TEST( GameLoop, FortyMillisecondsRunTwoStepsSlowThenNot )
	{
		CountingGame game;
		Probe probe;
		game.Advance( 40 );
		EXPECT_EQ( probe.mSlow, ( std::vector<bool>{ true, false } ) );
		EXPECT_EQ( game.GetGameTime().TotalGameTime, 32 );
		EXPECT_EQ( game.GetGameTime().ElapsedGameTime, 16 );
		EXPECT_FLOAT_EQ( game.GetGameTime().ElapsedSeconds, 0.016f );
		EXPECT_EQ( game.GetGameTime().ElapsedRealTime, 8 ); // the remainder
		EXPECT_EQ( game.mDraws, 1 );
	}

	TEST( GameLoop, StallDropsAllButOneStepWithTheWarnings )
	{
		LogCapture capture( Tarn::Log::LEVEL_WARNING );
		CountingGame game;
		Probe probe;
		game.Advance( 500 );
		EXPECT_EQ( probe.mSlow.size(), 1u );
		EXPECT_EQ( capture.CountOf( "WARNING! Game update frames are lagging behind intended fixed frame limit" ), 1u );
		EXPECT_EQ( capture.CountOf( "Frames dropped:30" ), 1u );
		for ( const auto& message : capture.Messages() )
			EXPECT_EQ( message.mLevel, Tarn::Log::LEVEL_WARNING );

		// The game then resumes in real time.
		game.Advance( 16 );
		EXPECT_EQ( probe.mSlow.size(), 2u );
	}

	TEST( GameLoop, ElevenDueStepsWarnTenDoNot )
	{
		{
			LogCapture capture( Tarn::Log::LEVEL_WARNING );
			CountingGame game;
			Probe probe;
			game.Advance( 10 * 16 );
			EXPECT_EQ( probe.mSlow.size(), 10u );
			EXPECT_TRUE( capture.Messages().empty() );
		}
		{
			LogCapture capture( Tarn::Log::LEVEL_WARNING );
			CountingGame game;
			game.mReportDroppedFrames = false;
			Probe probe;
			game.Advance( 11 * 16 );
			EXPECT_EQ( probe.mSlow.size(), 1u );
			EXPECT_EQ( capture.Texts(), ( std::vector<std::string>{ "WARNING! Game update frames are lagging behind intended fixed frame limit" } ) );
		}
	}

	TEST( GameLoop, DrawRateLimitAndUnlimited )
	{
		CountingGame game;
		game.Advance( 5 );
		EXPECT_EQ( game.mBegins, 0 );
		game.mLimitDrawRate = false;
		game.Advance( 5 );
		game.Advance( 0 );
		EXPECT_EQ( game.mBegins, 2 );
		EXPECT_EQ( game.mDraws, 2 );
		EXPECT_EQ( game.mEnds, 2 );
	}

	TEST( GameLoop, AFrameThatCannotBeginIsRetriedAndSkipsTheDraw )
	{
		CountingGame game;
		DrawProbe drawn;
		game.mFrameBegins = false;
		game.Advance( 16 );
		game.Advance( 16 );
		EXPECT_EQ( game.mBegins, 2 );
		EXPECT_EQ( game.mDraws, 0 );
		EXPECT_EQ( drawn.mDraws, 0 );
		// Waiting for a hidden window must not spin: the next try is one step away.
		EXPECT_EQ( game.MillisecondsUntilDue(), 16 );
		game.mFrameBegins = true;
		game.Advance( 16 );
		EXPECT_EQ( game.mDraws, 1 );
		EXPECT_EQ( drawn.mDraws, 1 );
	}

	TEST( GameLoop, IdleTimeIsTheWaitForTheNextStep )
	{
		CountingGame game;
		game.Advance( 20 );
		EXPECT_EQ( game.MillisecondsUntilDue(), 12 );
		// The step ran, the draw is 4 ms away.
		game.Advance( 12 );
		EXPECT_EQ( game.MillisecondsUntilDue(), 4 );
	}

	TEST( GameLoop, VariableStepRunsOneUpdateForEverythingGathered )
	{
		CountingGame game;
		game.mIsFixedTimeStep = false;
		Probe probe;
		game.Advance( 10 );
		EXPECT_TRUE( probe.mSlow.empty() ); // waits for one whole step
		game.Advance( 35 );
		EXPECT_EQ( probe.mSlow.size(), 1u );
		EXPECT_EQ( game.GetGameTime().TotalGameTime, 45 );
		EXPECT_EQ( game.GetGameTime().ElapsedGameTime, 0 );
	}

	TEST( GameLoop, NegativeDeltaCountsAsZero )
	{
		CountingGame game;
		game.mClock.mNow -= 100;
		game.Tick();
		EXPECT_EQ( game.GetGameTime().TotalRealTime, 0 );
	}

	TEST( GameLoop, OrderChangedDuringAStepIsUpdatedExactlyOnce )
	{
		for ( auto [from, to] : { std::pair{ 5, 1 }, std::pair{ 1, 5 }, std::pair{ 5, 5 } } )
		{
			CountingGame game;
			Probe changer, moved, after;
			changer.mUpdateOrder = 0;
			moved.mUpdateOrder = from;
			after.mUpdateOrder = 3;
			// Re-file everything under its order with one step first.
			game.Advance( 16 );
			changer.mSlow.clear();
			moved.mSlow.clear();
			changer.mDuring = [&] { moved.mUpdateOrder = to; };
			game.Advance( 16 );
			EXPECT_EQ( moved.mSlow.size(), 1u ) << from << " -> " << to;
			game.Advance( 16 );
			EXPECT_EQ( moved.mSlow.size(), 2u ) << from << " -> " << to;
		}
	}

	TEST( GameLoop, UpdatablesRunInOrderAndAnUnfiledOneIsNeverCalledAgain )
	{
		CountingGame game;
		std::vector<int> order;
		struct Tagged : Tarn::IsUpdatable
		{
			std::vector<int>* mOut;
			int mTag;
			void Update( Tarn::GameTime& ) override { mOut->push_back( mTag ); }
		};
		auto* late = new Tagged;
		late->mOut = &order;
		late->mTag = 9;
		late->mUpdateOrder = 9;
		Tagged early;
		early.mOut = &order;
		early.mTag = -3;
		early.mUpdateOrder = -3;
		Tagged disabled;
		disabled.mOut = &order;
		disabled.mTag = 1;
		disabled.mEnabled = false;
		game.Advance( 16 );
		EXPECT_EQ( order, ( std::vector<int>{ -3, 9 } ) );
		delete late;
		order.clear();
		game.Advance( 16 );
		EXPECT_EQ( order, ( std::vector<int>{ -3 } ) );
	}

	TEST( GameLoop, ExitFromAnUpdateEndsAfterThatTicksDraw )
	{
		LogCapture capture;
		CountingGame game;
		Probe probe;
		probe.mDuring = [&] { game.Exit(); };
		game.Advance( 16 );
		EXPECT_TRUE( game.IsExiting() );
		EXPECT_EQ( game.mDraws, 1 );
		EXPECT_TRUE( capture.Contains( "Exit called." ) );
	}

	TEST( GameLoop, StepLimitCallsExitAfterThatManySteps )
	{
		CountingGame game;
		game.SetStepLimit( 3 );
		game.Advance( 32 );
		EXPECT_FALSE( game.IsExiting() );
		game.Advance( 16 );
		EXPECT_TRUE( game.IsExiting() );
		EXPECT_EQ( game.GetStepCount(), 3u );
	}

	TEST( GameLoop, NullHandedToTheTableHandlersAssertsAndFilesNothing )
	{
		KelvaneTest::AssertRecorder recorder;
		CountingGame game;
		const size_t updatables = game.Updatables().Size();
		const size_t drawables = game.Drawables().Size();
		game.AddUpdatable( nullptr );
		game.AddDrawable( nullptr );
		game.RemoveUpdatable( nullptr );
		game.RemoveDrawable( nullptr );
		EXPECT_TRUE( recorder.Saw( "updatable", "Expression is false. Expected true." ) );
		EXPECT_TRUE( recorder.Saw( "drawable", "Expression is false. Expected true." ) );
		EXPECT_EQ( game.Updatables().Size(), updatables );
		EXPECT_EQ( game.Drawables().Size(), drawables );
		game.Advance( 16 ); // and the loop goes on
		EXPECT_EQ( game.GetStepCount(), 1u );
	}
}
