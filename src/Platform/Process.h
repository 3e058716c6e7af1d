#pragma once

#include <string>

namespace Platform
{
	// SIGINT and SIGTERM ask the game to exit at the end of the tick in progress.
	void InstallInterruptHandlers();
	bool InterruptRequested();
	void RequestInterrupt();

	// The data root holds resource/ and src/Graphics/. When the working directory is
	// not one, change to the one the program was built with. Returns false (and the
	// reason) when none can be found.
	bool EnterDataRoot( std::string& error );
	bool IsDataRoot( const std::string& folder );
}
