#include "Core/CommandLine.h"
#include "Core/TypeRegistry.h"
#include "Core/GameWindow/GameProject.h"
#include "Input/InputScript.h"
#include "Platform/AssertBox.h"
#include "Platform/Display.h"
#include "Platform/Process.h"
#include "Utilities/LogSinks.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

int main( int argc, char** argv )
{
	const std::vector<std::string> arguments( argv + 1, argv + argc );
	const Tarn::CommandLineResult parsed = Tarn::ParseCommandLine( arguments );
	if ( !parsed.mError.empty() )
	{
		std::fprintf( stderr, "kelvane: %s\n%s", parsed.mError.c_str(), Tarn::UsageText() );
		return 2;
	}
	const Tarn::LaunchOptions& options = parsed.mOptions;
	if ( options.mHelp )
	{
		std::fputs( Tarn::UsageText(), stdout );
		return 0;
	}
	if ( options.mVersion )
	{
		std::printf( "kelvane %s\n", KELVANE_VERSION );
		return 0;
	}

	if ( options.mListTypes )
	{
		const Tarn::TypeRegistry& types = Tarn::TypeRegistry::Instance();
		for ( const std::string& name : types.ObjectTypeNames() )
			std::printf( "object %s\n", name.c_str() );
		for ( const std::string& name : types.ComponentTypeNames() )
			std::printf( "component %s\n", name.c_str() );
		for ( const std::string& name : types.StateTypeNames() )
			std::printf( "state %s\n", name.c_str() );
		for ( const std::string& name : types.mRefused )
			std::printf( "refused %s\n", name.c_str() );
		return 0;
	}

	// A script that cannot be replayed as written stops the run before its first step.
	Tarn::InputScript script;
	if ( !options.mInputFile.empty() )
	{
		std::string error;
		if ( !script.Load( options.mInputFile, error ) )
		{
			std::fprintf( stderr, "kelvane: %s\n", error.c_str() );
			return 2;
		}
	}

	Tarn::Log& log = Tarn::Log::Instance();
	log.AddSink( "console", new Tarn::ConsoleLogSink() );
	if ( !options.mLogFile.empty() )
	{
		auto* file = new Tarn::FileLogSink();
		if ( !file->Open( options.mLogFile ) )
		{
			delete file;
			std::fprintf( stderr, "kelvane: cannot write the log file '%s'\n", options.mLogFile.c_str() );
			return 2;
		}
		log.AddSink( "file", file );
	}

	Platform::SetUnattendedAssertChoice( options.mOnAssert );
	if ( options.mHeadless )
	{
		Platform::SetAssertBoxEnabled( false );
		Platform::UseHeadlessDrivers();
	}
	else
	{
		std::string reason;
		if ( !Platform::HasDisplay( reason ) )
		{
			std::fprintf( stderr,
			              "kelvane: no display was found (%s); Kelvane needs one, or run it with --headless.\n",
			              reason.c_str() );
			return 1;
		}
	}

	std::string error;
	if ( !Platform::EnterDataRoot( error ) )
	{
		std::fprintf( stderr, "kelvane: %s\n", error.c_str() );
		return 1;
	}
	Platform::InstallInterruptHandlers();

	int exitCode = 0;
	{
		Tarn::GameProject project( options );
		project.mWindow.SetInputScript( std::move( script ) );
		if ( !options.mRecordFile.empty() )
		{
			// What a replay needs besides the events: the same level from the start.
			std::vector<std::string> header = { std::string( "window events recorded by kelvane " ) + KELVANE_VERSION };
			header.push_back( "replay with: kelvane" + ( options.mLevel > 0 ? " --level " + std::to_string( options.mLevel ) : std::string() ) +
			                  " --input FILE" );
			std::string recordError;
			if ( !project.mWindow.Recorder().Open( options.mRecordFile, header, recordError ) )
			{
				std::fprintf( stderr, "kelvane: %s\n", recordError.c_str() );
				return 2;
			}
		}
		Tarn::GameProject::RegisterResources();
		project.CreateComponents();
		project.Run();
		exitCode = project.ExitCode();
	}
	return exitCode;
}
