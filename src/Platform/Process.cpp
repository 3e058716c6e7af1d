#include "Platform/Process.h"

#include <atomic>
#include <csignal>
#include <filesystem>
#include <system_error>

namespace Platform
{
	namespace
	{
		volatile std::sig_atomic_t sInterrupted = 0;

		extern "C" void OnInterrupt( int ) { sInterrupted = 1; }
	}

	void InstallInterruptHandlers()
	{
		std::signal( SIGINT, OnInterrupt );
		std::signal( SIGTERM, OnInterrupt );
	}

	bool InterruptRequested() { return sInterrupted != 0; }
	void RequestInterrupt() { sInterrupted = 1; }

	bool IsDataRoot( const std::string& folder )
	{
		std::error_code error;
		const std::filesystem::path root( folder );
		return std::filesystem::is_directory( root / "resource", error ) &&
		       std::filesystem::is_directory( root / "src" / "Graphics", error );
	}

	bool EnterDataRoot( std::string& error )
	{
		if ( IsDataRoot( "." ) )
			return true;
		const std::string built = KELVANE_DATA_ROOT;
		if ( !IsDataRoot( built ) )
		{
			error = "cannot find the data root (a folder with resource/ and src/Graphics/); tried the working directory and " + built;
			return false;
		}
		std::error_code code;
		std::filesystem::current_path( built, code );
		if ( code )
		{
			error = "cannot change to the data root " + built + ": " + code.message();
			return false;
		}
		return true;
	}
}
