// Every level of the campaign is played headless to the win from its solution script in tests/solutions/,
// as a player would hand the run over; and the same level left alone, or flown without
// ever firing the beam, is never won.
#include "support/RunGame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace
{
	constexpr int kLevels = 18;
	// Steps after the script's last event for the exit to draw the ship in and the
	// level to end.
	constexpr int kStepsToEnd = 600;

	std::string SolutionPath( int level )
	{
		return std::string( KELVANE_DATA_ROOT ) + "/tests/solutions/Level" + std::to_string( level ) + ".txt";
	}

	std::string Read( const std::string& path )
	{
		std::ifstream file( path );
		std::ostringstream text;
		text << file.rdbuf();
		return text.str();
	}

	// The step of the script's last event.
	int LastStep( const std::string& script )
	{
		int last = 0;
		std::istringstream lines( script );
		for ( std::string line; std::getline( lines, line ); )
		{
			int step = 0;
			if ( std::istringstream( line ) >> step )
				last = std::max( last, step );
		}
		return last;
	}

	// The script without its mouse buttons: the same flight, the beam never fired.
	std::string WithoutBeam( const std::string& script )
	{
		std::string kept;
		std::istringstream lines( script );
		for ( std::string line; std::getline( lines, line ); )
			if ( line.find( "mouse-down" ) == std::string::npos && line.find( "mouse-up" ) == std::string::npos &&
			     line.find( "double-click" ) == std::string::npos )
				kept += line + "\n";
		return kept;
	}

	// The number after the log's "Level N" + `what`, or nothing when no such line was logged.
	std::optional<int> LoggedNumber( const std::string& log, int level, const std::string& what )
	{
		const std::string line = "Level " + std::to_string( level ) + what;
		const size_t at = log.find( line );
		if ( at == std::string::npos )
			return std::nullopt;
		return std::atoi( log.c_str() + at + line.size() );
	}

	// The score of the log's "Level N won, score S" line, or nothing when the level was not won.
	std::optional<int> WonScore( const std::string& log, int level ) { return LoggedNumber( log, level, " won, score " ); }

	KelvaneTest::GameRun Play( int level, const std::string& script, int frames )
	{
		const std::string file = KelvaneTest::ScratchFile( "level" + std::to_string( level ) + "-run.txt", script );
		return KelvaneTest::RunGame( "--headless --level " + std::to_string( level ) + " --frames " +
		                                 std::to_string( frames ) + " --log '{log}' --input '" + file + "'",
		                             120 );
	}

	class Solutions : public testing::TestWithParam<int>
	{
	};

	TEST_P( Solutions, TheScriptWinsTheLevelAndNothingLessDoes )
	{
		const int level = GetParam();
		if ( !std::filesystem::exists( SolutionPath( level ) ) )
			GTEST_FAIL() << "level " << level << " of the campaign has no solution script";
		const std::string script = Read( SolutionPath( level ) );
		const int frames = LastStep( script ) + kStepsToEnd;

		const auto solved = Play( level, script, frames );
		ASSERT_EQ( solved.mExitCode, 0 ) << solved.mStderr;
		const std::optional<int> score = WonScore( solved.mLog, level );
		ASSERT_TRUE( score.has_value() ) << solved.mLog;
		EXPECT_GT( *score, 0 );
		// Inside par: the time the run took is worth points of its own.
		const std::optional<int> timeScore = LoggedNumber( solved.mLog, level, " time score " );
		ASSERT_TRUE( timeScore.has_value() ) << solved.mLog;
		EXPECT_GT( *timeScore, 0 ) << "the script finishes over par";

		const auto idle = Play( level, "# nothing\n", frames );
		ASSERT_EQ( idle.mExitCode, 0 ) << idle.mStderr;
		EXPECT_FALSE( WonScore( idle.mLog, level ).has_value() ) << "won with no input";

		const auto unarmed = Play( level, WithoutBeam( script ), frames );
		ASSERT_EQ( unarmed.mExitCode, 0 ) << unarmed.mStderr;
		EXPECT_FALSE( WonScore( unarmed.mLog, level ).has_value() ) << "won without firing the beam";
	}

	INSTANTIATE_TEST_SUITE_P( Levels, Solutions, testing::Range( 1, kLevels + 1 ),
	                          []( const testing::TestParamInfo<int>& info ) { return "Level" + std::to_string( info.param ); } );
}
