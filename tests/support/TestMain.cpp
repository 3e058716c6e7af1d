#include "GameStates/LevelManager.h"
#include "Platform/Display.h"
#include "Utilities/FileSystem.h"
#include "support/AssertRecorder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace
{
	// ctest runs every test in a process of its own; the whole binary run at once must
	// give the same results. Each test therefore finds what the process holds for every
	// game as the one before it found it: the resource registry (a game registers its
	// levels when it starts), the level ids (counted for the whole process) and the
	// drivers of a real display (a headless game switches to SDL's dummy ones).
	class ProcessState : public testing::EmptyTestEventListener
	{
		void OnTestStart( const testing::TestInfo& ) override
		{
			mResources = KelvaneTest::SharedFileSystem().Resources();
			Tarn::LevelManager::RestartLevelIds();
			Platform::UseDisplayDrivers();
		}

		void OnTestEnd( const testing::TestInfo& ) override
		{
			Tarn::FileSystem& files = KelvaneTest::SharedFileSystem();
			std::set<std::string> before;
			for ( auto& [id, record] : mResources )
			{
				before.insert( id );
				if ( Tarn::ResourceRecord* now = files.FindResource( id.c_str() ) )
					*now = std::move( record );
			}
			for ( const auto& [id, record] : files.Resources() )
				if ( !before.count( id ) )
					files.RemoveResource( id.c_str() );
			mResources.clear();
		}

		std::vector<std::pair<std::string, Tarn::ResourceRecord>> mResources;
	};
}

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
	testing::UnitTest::GetInstance()->listeners().Append( new ProcessState() );
	return RUN_ALL_TESTS();
}
