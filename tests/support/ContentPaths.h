#pragma once

#include <string>

namespace KelvaneTest
{
	// Finds a content file the way the game names it: relative to the data root
	// (the working directory of the tests) whatever "./" or "/" it starts with, and,
	// where no file has that exact spelling, through a folder entry whose name
	// differs only in case. Empty when nothing matches.
	std::string ResolveContentPath( const std::string& name, const std::string& root = "." );
}
