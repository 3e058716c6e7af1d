#include "support/TempFolder.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace KelvaneTest
{
	TempFolder::TempFolder()
	{
		static std::atomic<int> sCount{ 0 };
		mPath = std::filesystem::path( KELVANE_BINARY_DIR ) / "test-temp" /
		        ( std::to_string( getpid() ) + "-" + std::to_string( sCount++ ) );
		std::error_code error;
		std::filesystem::remove_all( mPath, error );
		std::filesystem::create_directories( mPath );
	}

	TempFolder::~TempFolder()
	{
		std::error_code error;
		std::filesystem::remove_all( mPath, error );
	}

	void ScopedEnvironment::Set( const char* name, const std::optional<std::string>& value )
	{
		const char* old = std::getenv( name );
		mSaved.emplace_back( name, old ? std::optional<std::string>( old ) : std::nullopt );
		if ( value )
			setenv( name, value->c_str(), 1 );
		else
			unsetenv( name );
	}

	ScopedEnvironment::~ScopedEnvironment()
	{
		for ( auto it = mSaved.rbegin(); it != mSaved.rend(); ++it )
		{
			if ( it->second )
				setenv( it->first.c_str(), it->second->c_str(), 1 );
			else
				unsetenv( it->first.c_str() );
		}
	}

	std::string ReadWholeFile( const std::string& path )
	{
		std::ifstream in( path, std::ios::binary );
		std::ostringstream contents;
		contents << in.rdbuf();
		return contents.str();
	}

	void WriteWholeFile( const std::string& path, const std::string& contents )
	{
		std::ofstream out( path, std::ios::binary | std::ios::trunc );
		out << contents;
	}
}
