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

	// Runs the kelvane executable with these arguments (a shell fragment) and a time
	// limit. "{log}" and "{dir}" in the arguments become a log file and a scratch
	// folder of this run.
	GameRun RunGame( const std::string& arguments, int timeoutSeconds = 60 );
	std::string ScratchFile( const std::string& name, const std::string& content );
}
