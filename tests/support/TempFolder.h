#pragma once

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace KelvaneTest
{
	// A fresh folder in the build tree, removed with everything in it at the end.
	class TempFolder
	{
	public:
		TempFolder();
		~TempFolder();

		const std::filesystem::path& Path() const { return mPath; }
		std::string operator/( const std::string& relative ) const { return ( mPath / relative ).string(); }

	private:
		std::filesystem::path mPath;
	};

	// Sets an environment variable (or unsets it, given nullopt) and restores the old
	// value at the end.
	class ScopedEnvironment
	{
	public:
		void Set( const char* name, const std::optional<std::string>& value );
		~ScopedEnvironment();

	private:
		std::vector<std::pair<std::string, std::optional<std::string>>> mSaved;
	};

	std::string ReadWholeFile( const std::string& path );
	void WriteWholeFile( const std::string& path, const std::string& contents );
}

namespace Tarn
{
	class FileSystem;
}

namespace KelvaneTest
{
	// The program's file system, built on first use with its user folder in a folder
	// of this test process (never the real home, even outside ctest), and with the
	// exchange file of each given type registered.
	Tarn::FileSystem& SharedFileSystem( std::initializer_list<const char*> exchangeTypes = {} );
}
