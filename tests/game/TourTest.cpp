// The front end's tours (tools/tour/), played headless as a player would: from the splash
// and the main menu through the options, into level 1 and its in-game menu, back to the main menu
// through "are you sure", its other pages, and out through "are you sure" again. The
// mouse tour and the key tour visit the same pages in the same order and end the game.
#include "support/RunGame.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace
{
	// What the menus said in the log, in order.
	std::vector<std::string> MenuLines( const std::string& log )
	{
		std::vector<std::string> lines;
		std::istringstream in( log );
		for ( std::string line; std::getline( in, line ); )
			for ( const char* mark : { "Splash screen", "Menu page", "started from the menus", "Exit called." } )
				if ( line.find( mark ) != std::string::npos )
					lines.push_back( line.substr( line.find( "): " ) + 3 ) );
		return lines;
	}

	class Tours : public testing::TestWithParam<const char*>
	{
	};

	TEST_P( Tours, VisitEveryPageAndQuitThroughTheConfirmation )
	{
		const std::string tour = std::string( KELVANE_DATA_ROOT ) + "/tools/tour/" + GetParam();
		// Well past the tour's last step: the game must end by the tour's own Quit.
		const KelvaneTest::GameRun run = KelvaneTest::RunGame( "--headless --frames 2000 --log '{log}' --input '" + tour + "'" );
		ASSERT_EQ( run.mExitCode, 0 ) << run.mStderr;
		EXPECT_EQ( run.mStderr, "" );
		const std::vector<std::string> expected = {
			"Menu page opened: main menu.",   "Splash screen shown.",           "Menu page opened: options.",     "Menu page closed: options.",
			"Level 1 started from the menus.", "Menu page opened: in-game menu.", "Menu page opened: options.",
			"Menu page closed: options.",      "Menu page opened: are you sure.", "Menu page opened: main menu.",
			"Menu page opened: how to play.",  "Menu page closed: how to play.",  "Menu page opened: credits.",
			"Menu page closed: credits.",      "Menu page opened: level select.", "Menu page closed: level select.",
			"Menu page opened: are you sure.", "Exit called.",
		};
		EXPECT_EQ( MenuLines( run.mLog ), expected );
		EXPECT_EQ( run.mLog.find( "event(s) after the last step" ), std::string::npos ) << "every event of the tour was played";
	}

	INSTANTIATE_TEST_SUITE_P( Front, Tours, testing::Values( "menus.txt", "menus-keys.txt" ) );
}
