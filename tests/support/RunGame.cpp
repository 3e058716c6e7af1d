#include "support/RunGame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace KelvaneTest
{
	namespace
	{
		std::string ReadAll( const std::string& path )
		{
			std::ifstream file( path );
			std::ostringstream text;
			text << file.rdbuf();
			return text.str();
		}

		void ReplaceAll( std::string& text, const std::string& from, const std::string& to )
		{
			for ( size_t at = text.find( from ); at != std::string::npos; at = text.find( from, at + to.size() ) )
				text.replace( at, from.size(), to );
		}

		// One folder per test: ctest runs tests side by side.
		std::string ScratchFolder()
		{
			std::string folder = std::string( KELVANE_BINARY_DIR ) + "/test-runs";
			if ( const auto* test = testing::UnitTest::GetInstance()->current_test_info() )
				folder.append( "/" ).append( test->test_suite_name() ).append( "." ).append( test->name() );
			std::filesystem::create_directories( folder );
			return folder;
		}
	}

	std::string ScratchFile( const std::string& name, const std::string& content )
	{
		const std::string path = ScratchFolder() + "/" + name;
		std::ofstream( path, std::ios::binary ) << content;
		return path;
	}

	namespace
	{
		// The exit code of a shell command; -1 when it did not exit normally.
		int Execute( const std::string& command )
		{
			const int status = std::system( command.c_str() );
			return WIFEXITED( status ) ? WEXITSTATUS( status ) : -1;
		}

		std::string Timed( int seconds ) { return " timeout " + std::to_string( seconds ) + " '" KELVANE_EXECUTABLE "' "; }
	}

	GameRun RunGame( const std::string& arguments, int timeoutSeconds )
	{
		const std::string folder = ScratchFolder();
		const std::string log = folder + "/run.log";
		const std::string errors = folder + "/run.stderr";
		std::filesystem::remove( log );
		std::string expanded = arguments;
		ReplaceAll( expanded, "{log}", log );
		ReplaceAll( expanded, "{dir}", folder );

		// Its own home too, so that games run side by side never share exchange files or
		// the player's options.
		const std::string home = folder + "/home";
		std::filesystem::create_directories( home );
		GameRun run;
		run.mExitCode = Execute( "HOME='" + home + "' XDG_CONFIG_HOME='" + home + "/.config' XDG_DATA_HOME='" + home +
		                         "/.local/share'" + Timed( timeoutSeconds ) + expanded + " >/dev/null 2>'" + errors + "'" );
		run.mStderr = ReadAll( errors );
		run.mLog = ReadAll( log );
		return run;
	}

	ProgramOutcome RunKelvane( const std::string& arguments, const std::string& prefix )
	{
		const std::string output = ScratchFolder() + "/program.out";
		ProgramOutcome outcome;
		outcome.mExitCode = Execute( prefix + Timed( 60 ) + arguments + " >'" + output + "' 2>&1" );
		outcome.mOutput = ReadAll( output );
		return outcome;
	}
}
