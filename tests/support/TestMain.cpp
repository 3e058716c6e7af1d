#include "support/AssertRecorder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
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
	// Mesa's software driver keeps a little memory to the end of the process; once SDL
	// unloads it, the leak checker of the sanitizer build sees that memory without an
	// owner. Keeping the driver loaded keeps it reachable. (Elsewhere this does nothing.)
	for ( const char* library : { "libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so" } )
		dlopen( library, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE );
	// No test may stop in a message box: an assertion that no test expects fails it.
	testing::AddGlobalTestEnvironment( new KelvaneTest::AssertEnvironment() );
	return RUN_ALL_TESTS();
}
