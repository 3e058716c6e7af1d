#pragma once

#include "core/HashedName.h"
#include "core/Noncopyable.h"

#include <cstdint>
#include <map>
#include <utility>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Tarn
{
	// A registered file, its path split once into its parts. An empty mPath names no
	// file: a load through it reads nothing and a save writes nothing.
	struct ResourceRecord
	{
		std::string mFolder;
		std::string mBaseName;
		std::string mFileName;
		std::string mExtension;
		std::string mPath;
		uint32_t mPathHash = 0;

		bool NamesFile() const { return !mPath.empty(); }
	};

	// Knows the game's user folder and keeps the registry of named resources. Other
	// code never spells a path: it asks for the record of an ID.
	class FileSystem : private Noncopyable
	{
	public:
		static FileSystem& Instance();

		// Finds (and creates when missing) the user folder from the environment. The
		// program uses the one instance above; tests build their own beside it.
		FileSystem();
		~FileSystem();

		// Paths of resources are relative to the data root: a leading slash is dropped.
		void AddResource( const char* id, const char* path );
		// Registers a file of the user folder, creating it empty when it is missing.
		void AddUserFile( const char* fileName, const char* id );
		// Logs an error and gives null when the ID is not registered.
		ResourceRecord* GetResource( const char* id ) const;
		// The same lookup for callers to whom a missing ID is not an error.
		ResourceRecord* FindResource( const char* id ) const;

		// Forgets an ID; nothing happens for one that is not registered.
		void RemoveResource( const char* id );
		// Every registered ID with its record, in no particular order.
		std::vector<std::pair<std::string, ResourceRecord>> Resources() const;

		const std::string& GetUserFolder() const { return mUserFolder; }
		size_t ResourceCount() const { return mResources.size(); }

		static bool DirectoryExists( const std::string& path );
		static bool FileExists( const std::string& path );
		// Makes the folder and those above it; true when it exists afterwards.
		static bool MakeFolders( const std::string& path );

		// Backslashes become slashes, runs of slashes one slash; leading slashes are
		// dropped unless keepRoot is set (an absolute path of the user folder).
		static std::string NormalisePath( std::string_view path, bool keepRoot = false );
		static ResourceRecord ParseRecord( std::string_view path, bool keepRoot = false );

		// The path to open for `path`: the path itself when it exists as spelt, else
		// the path whose every missing component is replaced by the entry of its folder
		// that matches it ignoring case (an exact match always wins). When nothing
		// matches, the path comes back as spelt so that messages name what was asked.
		// Every loader opens its files through this.
		static std::string ResolvePath( const std::string& path );

		// How the written temporary file takes the place of the old one.
		enum class Replace
		{
			// Renamed over it: the file is at every moment the old one or the new one
			// (ext4 writes the new data out before such a rename).
			Durably,
			// The old one removed, then the new one renamed: no such flush, for scratch
			// files that are written often; a crash in between leaves the new file
			// under its temporary name.
			Quickly,
		};

		// Writes `contents` to a temporary file beside `path` and puts it in the place of
		// `path` only when the whole write succeeded, so a failed save leaves the old
		// file as it was. Logs an error naming the path and returns false on failure.
		// Every save of the program goes through this.
		static bool WriteFileAtomically( const std::string& path, std::string_view contents,
		                                 Replace replace = Replace::Durably );
		// A file of the player's own (options, grades): its folder made when missing, then
		// written as WriteFileAtomically does. `what` names it in the error ("the options
		// file"). False for an empty path.
		static bool WriteUserFile( const std::string& path, std::string_view contents, const char* what );
		// The temporary file that WriteFileAtomically writes first.
		static std::string TemporaryPathFor( const std::string& path );

	private:
		struct Entry
		{
			HashedName mId;
			std::unique_ptr<ResourceRecord> mRecord;
		};

		void AddRecord( const char* id, ResourceRecord record );
		void FindUserFolder();

		std::string mUserFolder;
		std::map<uint32_t, Entry> mResources;
	};

	// The folder the user's documents live in, as the desktop names it: the
	// XDG_DOCUMENTS_DIR of $XDG_CONFIG_HOME/user-dirs.dirs, else ~/Documents. Empty when
	// no home folder is known.
	std::string FindDocumentsFolder();
	// $XDG_DATA_HOME, else ~/.local/share; empty when no home folder is known.
	std::string FindDataFolder();
	// $XDG_CONFIG_HOME, else ~/.config; empty when no home folder is known.
	std::string FindConfigFolder();
}
