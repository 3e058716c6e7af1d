#include "support/RunGame.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
	using KelvaneTest::RunGame;

	bool HasDisplay() { return std::getenv( "DISPLAY" ) || std::getenv( "WAYLAND_DISPLAY" ); }

	TEST( RealWindow, OpensAt1280By720Windowed )
	{
		if ( !HasDisplay() )
			GTEST_SKIP() << "no display (the suite runs under xvfb-run in CI)";
		const auto run = RunGame( "--windowed --frames 30 --log '{log}'" );
		EXPECT_EQ( run.mExitCode, 0 ) << run.mStderr;
		EXPECT_NE( run.mLog.find( "Window created: 1280 x 720 windowed" ), std::string::npos ) << run.mLog;
	}

	TEST( RealWindow, ACloseEventEndsTheGameWithExitCodeZero )
	{
		if ( !HasDisplay() )
			GTEST_SKIP() << "no display (the suite runs under xvfb-run in CI)";
		const std::string script = KelvaneTest::ScratchFile( "real-close.txt", "1 mouse-move 10 10\n5 close\n" );
		// No step limit: only the close can end this run before the time limit does.
		const auto run = RunGame( "--windowed --log '{log}' --input '" + script + "'", 30 );
		EXPECT_EQ( run.mExitCode, 0 ) << run.mStderr;
		EXPECT_NE( run.mLog.find( "Exit called." ), std::string::npos ) << run.mLog;
	}
}
