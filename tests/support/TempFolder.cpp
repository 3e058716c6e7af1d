#include "support/TempFolder.h"

#include "Utilities/FileSystem.h"

#include <gtest/gtest.h>

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

namespace KelvaneTest
{
	Tarn::FileSystem& SharedFileSystem( std::initializer_list<const char*> exchangeTypes )
	{
		// A home of this process alone: ctest runs several test processes at once, and
		// they would otherwise pass their fragments through the same exchange files.
		static TempFolder sHome;
		static Tarn::FileSystem* sFiles = []() {
			const std::string home = sHome.Path().string();
			ScopedEnvironment environment;
			environment.Set( "HOME", home );
			environment.Set( "XDG_CONFIG_HOME", home + "/.config" );
			environment.Set( "XDG_DATA_HOME", home + "/.local/share" );
			testing::internal::CaptureStdout();
			Tarn::FileSystem* files = &Tarn::FileSystem::Instance();
			testing::internal::GetCapturedStdout();
			return files;
		}();
		for ( const char* type : exchangeTypes )
		{
			if ( sFiles->FindResource( type ) )
				continue;
			testing::internal::CaptureStdout();
			sFiles->AddUserFile( ( std::string( "\\" ) + type + ".xml" ).c_str(), type );
			testing::internal::GetCapturedStdout();
		}
		return *sFiles;
	}
}
