#pragma once

#include <string>

namespace KelvaneTest
{
	struct ProgramOutcome
	{
		int mExitCode = -1;  // -1 when the program did not exit normally
		std::string mOutput; // stdout and stderr together
	};

	// Runs the built kelvane with `arguments` (shell words), after `prefix` (for example
	// "env -u DISPLAY" or "cd / &&"), and waits for it.
	ProgramOutcome RunKelvane( const std::string& arguments, const std::string& prefix = "" );
}
