#include "support/AssertRecorder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main( int argc, char** argv )
{
	testing::InitGoogleTest( &argc, argv );
	const std::string home = KELVANE_TEST_HOME;
	std::filesystem::create_directories( home );
	setenv( "HOME", home.c_str(), 1 );
	setenv( "XDG_CONFIG_HOME", ( home + "/.config" ).c_str(), 1 );
	setenv( "XDG_DATA_HOME", ( home + "/.local/share" ).c_str(), 1 );
	setenv( "SDL_AUDIODRIVER", "dummy", 1 );
	// (The sanitizer build keeps Mesa's driver loaded for the leak checker: see the
	// platform window.)
	// No test may stop in a message box: an assertion that no test expects fails it.
	testing::AddGlobalTestEnvironment( new KelvaneTest::AssertEnvironment() );
	return RUN_ALL_TESTS();
}
