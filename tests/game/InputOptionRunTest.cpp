#include "support/RunGame.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
	using KelvaneTest::RunGame;
	using KelvaneTest::ScratchFile;

	TEST( InputOptionRun, AMalformedScriptStopsTheRunBeforeItStarts )
	{
		const std::string script = ScratchFile( "bad-script.txt", "1 key-down w\n\n3 key-down nokey\n4 close\n" );
		const auto run = RunGame( "--headless --log '{log}' --input '" + script + "'" );
		EXPECT_EQ( run.mExitCode, 2 );
		EXPECT_NE( run.mStderr.find( script + ":3: unknown key 'nokey'" ), std::string::npos ) << run.mStderr;
		// Not one step ran: the game was never even made.
		EXPECT_EQ( run.mLog.find( "Creating game." ), std::string::npos ) << run.mLog;

		const auto missing = RunGame( "--headless --input '{dir}/no-such-script.txt'" );
		EXPECT_EQ( missing.mExitCode, 2 );
		EXPECT_NE( missing.mStderr.find( "no-such-script.txt: cannot read the input script" ), std::string::npos )
		    << missing.mStderr;
	}

	TEST( InputOptionRun, AScriptedCloseEndsTheGameCleanly )
	{
		const std::string script = ScratchFile( "close-script.txt", "# close at once\n3 close\n" );
		const auto run = RunGame( "--headless --log '{log}' --input '" + script + "'" );
		EXPECT_EQ( run.mExitCode, 0 ) << run.mStderr;
		EXPECT_NE( run.mLog.find( "Exit called." ), std::string::npos );
		EXPECT_NE( run.mLog.find( "Components shut down." ), std::string::npos );
	}
}

namespace
{
	TEST( WindowRun, AWindowThatCannotBeMadeEndsTheRunWithAnError )
	{
		// SDL's dummy driver has no OpenGL, and the window must carry it.
		setenv( "SDL_VIDEODRIVER", "dummy", 1 );
		const auto run = KelvaneTest::RunGame( "--windowed --frames 5 --log '{log}'" );
		unsetenv( "SDL_VIDEODRIVER" );
		EXPECT_EQ( run.mExitCode, 1 );
		EXPECT_NE( run.mStderr.find( "Failed to create the window: " ), std::string::npos ) << run.mStderr;
		// The game still shuts down in order rather than stopping half way.
		EXPECT_NE( run.mLog.find( "Components shut down." ), std::string::npos ) << run.mLog;
	}
}
