// Runs the real executable as a player or a script would.
#include "support/RunGame.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace
{
	std::vector<std::string> Lines( const std::string& path )
	{
		std::ifstream in( path );
		std::vector<std::string> lines;
		for ( std::string line; std::getline( in, line ); )
			lines.push_back( line );
		return lines;
	}

	TEST( Program, HeadlessRunForAFixedNumberOfStepsLogsItsLifecycle )
	{
		const std::string log = testing::TempDir() + "kelvane-program-run.log";
		const KelvaneTest::ProgramOutcome outcome = KelvaneTest::RunKelvane( "--headless --frames 120 --log '" + log + "'" );
		EXPECT_EQ( outcome.mExitCode, 0 ) << outcome.mOutput;

		const std::vector<std::string> wanted = { "Creating game.", "Initialising game.", "Components initialised.",
		                                          "Shutting down game.", "Components shut down.", "Destroying game." };
		size_t next = 0;
		for ( const std::string& line : Lines( log ) )
			if ( next < wanted.size() && line.size() >= wanted[next].size() &&
			     line.compare( line.size() - wanted[next].size(), std::string::npos, wanted[next] ) == 0 )
				++next;
		EXPECT_EQ( next, wanted.size() ) << "log lines out of order or missing";
		std::remove( log.c_str() );
	}

	TEST( Program, WithoutADisplayItSaysSoAndPointsToHeadless )
	{
		const KelvaneTest::ProgramOutcome outcome = KelvaneTest::RunKelvane( "--frames 1", "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER" );
		EXPECT_EQ( outcome.mExitCode, 1 );
		EXPECT_NE( outcome.mOutput.find( "display" ), std::string::npos ) << outcome.mOutput;
		EXPECT_NE( outcome.mOutput.find( "--headless" ), std::string::npos ) << outcome.mOutput;
		EXPECT_EQ( std::count( outcome.mOutput.begin(), outcome.mOutput.end(), '\n' ), 1 ) << outcome.mOutput;
	}

	TEST( Program, BadCommandLinesExitWithCodeTwoAndTheUsage )
	{
		for ( const char* arguments : { "--bogus", "--frames", "--frames 0", "--frames -3", "--frames 12x",
		                                "--on-assert maybe", "--log", "--headless=yes" } )
		{
			const KelvaneTest::ProgramOutcome outcome = KelvaneTest::RunKelvane( arguments );
			EXPECT_EQ( outcome.mExitCode, 2 ) << arguments;
			EXPECT_NE( outcome.mOutput.find( "usage: kelvane" ), std::string::npos ) << arguments;
		}
		const KelvaneTest::ProgramOutcome unwritable = KelvaneTest::RunKelvane( "--headless --frames 1 --log /nonexistent-dir/x.log" );
		EXPECT_EQ( unwritable.mExitCode, 2 );
		EXPECT_NE( unwritable.mOutput.find( "/nonexistent-dir/x.log" ), std::string::npos );
	}

	TEST( Program, HelpAndVersion )
	{
		const KelvaneTest::ProgramOutcome help = KelvaneTest::RunKelvane( "--help" );
		EXPECT_EQ( help.mExitCode, 0 );
		for ( const char* option : { "--headless", "--frames", "--log", "--on-assert" } )
			EXPECT_NE( help.mOutput.find( option ), std::string::npos ) << option;
		const KelvaneTest::ProgramOutcome version = KelvaneTest::RunKelvane( "--version" );
		EXPECT_EQ( version.mExitCode, 0 );
		EXPECT_EQ( version.mOutput.rfind( "kelvane ", 0 ), 0u );
	}

	TEST( Program, StartedFromElsewhereItFindsItsDataRoot )
	{
		const KelvaneTest::ProgramOutcome outcome = KelvaneTest::RunKelvane( "--headless --frames 2", "cd / &&" );
		EXPECT_EQ( outcome.mExitCode, 0 ) << outcome.mOutput;
	}
}
