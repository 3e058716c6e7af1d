#pragma once

#include <string>

namespace KelvaneTest
{
	struct GameRun
	{
		int mExitCode = -1;
		std::string mStderr;
		std::string mLog; // what --log wrote, when the arguments name RunGame's log file
	};

	// Runs the kelvane executable with these arguments (a shell fragment), a time limit
	// and a home of its own. "{log}" and "{dir}" in the arguments become a log file and
	// a scratch folder of this run.
	GameRun RunGame( const std::string& arguments, int timeoutSeconds = 60 );
	std::string ScratchFile( const std::string& name, const std::string& content );

	struct ProgramOutcome
	{
		int mExitCode = -1;  // -1 when the program did not exit normally; 124 when it ran out of time
		std::string mOutput; // stdout and stderr together
	};

	// Runs the kelvane executable with `arguments` (shell words) after `prefix` (for
	// example "env -u DISPLAY" or "cd / &&"), in the test's own environment, with the
	// same time limit, and keeps everything it printed.
	ProgramOutcome RunKelvane( const std::string& arguments, const std::string& prefix = "" );
}
