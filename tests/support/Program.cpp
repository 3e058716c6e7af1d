#include "support/Program.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace KelvaneTest
{
	ProgramOutcome RunKelvane( const std::string& arguments, const std::string& prefix )
	{
		const std::string command = prefix + " \"" KELVANE_EXECUTABLE "\" " + arguments + " 2>&1";
		ProgramOutcome outcome;
		FILE* pipe = popen( command.c_str(), "r" );
		if ( !pipe )
			return outcome;
		std::array<char, 4096> buffer{};
		size_t read = 0;
		while ( ( read = fread( buffer.data(), 1, buffer.size(), pipe ) ) > 0 )
			outcome.mOutput.append( buffer.data(), read );
		const int status = pclose( pipe );
		outcome.mExitCode = WIFEXITED( status ) ? WEXITSTATUS( status ) : -1;
		return outcome;
	}
}
