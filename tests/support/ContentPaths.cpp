#include "support/ContentPaths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace KelvaneTest
{
	namespace
	{
		bool SameIgnoringCase( const std::string& a, const std::string& b )
		{
			return a.size() == b.size() &&
				   std::equal( a.begin(), a.end(), b.begin(), []( unsigned char x, unsigned char y ) { return std::tolower( x ) == std::tolower( y ); } );
		}
	}

	std::string ResolveContentPath( const std::string& name, const std::string& root )
	{
		fs::path at = root;
		std::istringstream parts( name );
		std::string part;
		std::error_code error;
		while ( std::getline( parts, part, '/' ) )
		{
			if ( part.empty() || part == "." )
				continue;
			if ( fs::exists( at / part, error ) )
			{
				at /= part;
				continue;
			}
			bool found = false;
			for ( const fs::directory_entry& entry : fs::directory_iterator( at, error ) )
			{
				if ( SameIgnoringCase( entry.path().filename().string(), part ) )
				{
					at = entry.path();
					found = true;
					break;
				}
			}
			if ( !found )
				return {};
		}
		return fs::is_regular_file( at, error ) ? at.string() : std::string();
	}
}
