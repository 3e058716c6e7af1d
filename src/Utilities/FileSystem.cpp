#include "Utilities/FileSystem.h"

#include "Utilities/Hash.h"
#include "Utilities/Log.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace Tarn
{
	namespace fs = std::filesystem;

	namespace
	{
		std::string GetEnvironment( const char* name )
		{
			const char* value = std::getenv( name );
			return value ? std::string( value ) : std::string();
		}

		std::string HomeFolder()
		{
			std::string home = GetEnvironment( "HOME" );
			if ( !home.empty() )
				return home;
			if ( const passwd* entry = getpwuid( getuid() ) )
				if ( entry->pw_dir && entry->pw_dir[0] != '\0' )
					return entry->pw_dir;
			return std::string();
		}

		std::string TrimTrailingSlashes( std::string path )
		{
			while ( path.size() > 1 && ( path.back() == '/' || path.back() == '\\' ) )
				path.pop_back();
			return path;
		}

		// The value of XDG_DOCUMENTS_DIR in a user-dirs.dirs file: a quoted path that
		// is either absolute or starts with $HOME, as the desktop writes it.
		std::string ReadUserDirsDocuments( const std::string& file, const std::string& home )
		{
			std::ifstream in( file );
			std::string line;
			std::string found;
			while ( std::getline( in, line ) )
			{
				size_t start = line.find_first_not_of( " \t" );
				if ( start == std::string::npos || line[start] == '#' )
					continue;
				const std::string key = "XDG_DOCUMENTS_DIR=";
				if ( line.compare( start, key.size(), key ) != 0 )
					continue;
				std::string value = line.substr( start + key.size() );
				const size_t end = value.find_last_not_of( " \t\r" );
				value = end == std::string::npos ? std::string() : value.substr( 0, end + 1 );
				if ( value.size() >= 2 && value.front() == '"' && value.back() == '"' )
					value = value.substr( 1, value.size() - 2 );
				if ( value.rfind( "$HOME", 0 ) == 0 )
					value = home + value.substr( 5 );
				else if ( value.rfind( "${HOME}", 0 ) == 0 )
					value = home + value.substr( 7 );
				if ( value.empty() || value.front() != '/' )
					continue;
				found = value; // the last assignment wins, as in a shell
			}
			return found;
		}

		bool EqualIgnoringCase( const std::string& a, const std::string& b )
		{
			if ( a.size() != b.size() )
				return false;
			for ( size_t i = 0; i < a.size(); ++i )
				if ( std::tolower( static_cast<unsigned char>( a[i] ) ) != std::tolower( static_cast<unsigned char>( b[i] ) ) )
					return false;
			return true;
		}

		bool PathExists( const std::string& path )
		{
			std::error_code error;
			return fs::exists( fs::path( path ), error );
		}
	}

	std::string FindDocumentsFolder()
	{
		const std::string home = HomeFolder();
		if ( home.empty() )
			return std::string();
		std::string config = GetEnvironment( "XDG_CONFIG_HOME" );
		if ( config.empty() || config.front() != '/' )
			config = home + "/.config";
		std::string documents = ReadUserDirsDocuments( config + "/user-dirs.dirs", home );
		if ( documents.empty() )
			documents = home + "/Documents";
		return TrimTrailingSlashes( documents );
	}

	std::string FindDataFolder()
	{
		std::string data = GetEnvironment( "XDG_DATA_HOME" );
		if ( !data.empty() && data.front() == '/' )
			return TrimTrailingSlashes( data );
		const std::string home = HomeFolder();
		return home.empty() ? std::string() : home + "/.local/share";
	}

	std::string FindConfigFolder()
	{
		std::string config = GetEnvironment( "XDG_CONFIG_HOME" );
		if ( !config.empty() && config.front() == '/' )
			return TrimTrailingSlashes( config );
		const std::string home = HomeFolder();
		return home.empty() ? std::string() : home + "/.config";
	}

	FileSystem& FileSystem::Instance()
	{
		static FileSystem fileSystem;
		return fileSystem;
	}

	FileSystem::FileSystem() { FindUserFolder(); }

	FileSystem::~FileSystem() { mResources.clear(); }

	void FileSystem::FindUserFolder()
	{
		const std::string documents = FindDocumentsFolder();
		if ( documents.empty() )
			std::printf( "Error: %d\n", ENOENT );
		else
			std::printf( "Path: %s\n", documents.c_str() );

		bool usable = false;
		if ( !documents.empty() )
		{
			mUserFolder = documents + "/Kelvane/";
			if ( !DirectoryExists( mUserFolder ) )
			{
				usable = FileSystem::MakeFolders( mUserFolder );
				std::printf( usable ? "Folder Created \n" : "Folder Create fail \n" );
			}
			else
			{
				usable = true;
				std::printf( "Folder Create fail \n" );
			}
		}
		std::fflush( stdout );
		if ( usable )
			return;

		const std::string data = FindDataFolder();
		const std::string fallback = data.empty() ? std::string() : data + "/Kelvane/";
		if ( !fallback.empty() && FileSystem::MakeFolders( fallback ) )
		{
			LOG_WARNING( "No documents folder could be used" << ( documents.empty() ? "" : " (" + documents + ")" )
			                                                   << "; the user folder is " << fallback );
			mUserFolder = fallback;
			return;
		}
		LOG_ERROR( "No user folder could be found or made; exchange files name no file." );
		mUserFolder.clear();
	}

	std::string FileSystem::NormalisePath( std::string_view path, bool keepRoot )
	{
		std::string result;
		result.reserve( path.size() );
		for ( char c : path )
		{
			if ( c == '\\' )
				c = '/';
			if ( c == '/' && !result.empty() && result.back() == '/' )
				continue;
			result.push_back( c );
		}
		if ( !keepRoot )
		{
			const size_t first = result.find_first_not_of( '/' );
			result.erase( 0, first == std::string::npos ? result.size() : first );
		}
		return result;
	}

	ResourceRecord FileSystem::ParseRecord( std::string_view path, bool keepRoot )
	{
		ResourceRecord record;
		record.mPath = NormalisePath( path, keepRoot );
		record.mPathHash = Hash( record.mPath.c_str() );
		const size_t slash = record.mPath.rfind( '/' );
		if ( slash == std::string::npos )
			record.mFileName = record.mPath;
		else
		{
			record.mFolder = record.mPath.substr( 0, slash + 1 );
			record.mFileName = record.mPath.substr( slash + 1 );
		}
		const size_t point = record.mFileName.rfind( '.' );
		if ( point == std::string::npos )
			record.mBaseName = record.mFileName;
		else
		{
			record.mBaseName = record.mFileName.substr( 0, point );
			record.mExtension = record.mFileName.substr( point + 1 );
		}
		return record;
	}

	void FileSystem::AddResource( const char* id, const char* path )
	{
		AddRecord( id, ParseRecord( path ? path : "" ) );
	}

	void FileSystem::AddRecord( const char* id, ResourceRecord record )
	{
		const HashedName name( id );
		if ( mResources.count( name.GetHash() ) != 0 )
		{
			LOG_ERROR( "Resource already exists: Add ID(" << name.GetName() << ")" );
			return;
		}
		mResources.emplace( name.GetHash(), Entry{ name, std::make_unique<ResourceRecord>( std::move( record ) ) } );
	}

	void FileSystem::AddUserFile( const char* fileName, const char* id )
	{
		if ( mUserFolder.empty() )
		{
			LOG_ERROR( "No user folder for " << ( fileName ? fileName : "" ) << ": " << ( id ? id : "" )
			                                 << " names no file." );
			AddRecord( id, ResourceRecord() );
			return;
		}
		const ResourceRecord record = ParseRecord( mUserFolder + ( fileName ? fileName : "" ), true );
		std::printf( "%s\n", record.mPath.c_str() );
		std::fflush( stdout );
		if ( !PathExists( record.mPath ) )
		{
			// "a" never truncates, so a file that appears meanwhile keeps its content.
			if ( std::FILE* file = std::fopen( record.mPath.c_str(), "ab" ) )
				std::fclose( file );
			else
				LOG_ERROR( "Cannot create " << record.mPath << ": " << std::strerror( errno ) );
		}
		AddRecord( id, record );
	}

	void FileSystem::RemoveResource( const char* id ) { mResources.erase( Hash( id ? id : "" ) ); }

	std::vector<std::pair<std::string, ResourceRecord>> FileSystem::Resources() const
	{
		std::vector<std::pair<std::string, ResourceRecord>> resources;
		resources.reserve( mResources.size() );
		for ( const auto& [hash, entry] : mResources )
			resources.emplace_back( entry.mId.GetName(), *entry.mRecord );
		return resources;
	}

	ResourceRecord* FileSystem::FindResource( const char* id ) const
	{
		const auto found = mResources.find( Hash( id ? id : "" ) );
		return found == mResources.end() ? nullptr : found->second.mRecord.get();
	}

	ResourceRecord* FileSystem::GetResource( const char* id ) const
	{
		ResourceRecord* record = FindResource( id );
		if ( !record )
			LOG_ERROR( "Resource not found: Get ID(" << ( id ? id : "" ) << ")" );
		return record;
	}

	bool FileSystem::FileExists( const std::string& path )
	{
		std::error_code error;
		return !path.empty() && fs::is_regular_file( fs::path( ResolvePath( path ) ), error );
	}

	bool FileSystem::MakeFolders( const std::string& path )
	{
		std::error_code error;
		fs::create_directories( fs::path( TrimTrailingSlashes( path ) ), error );
		return DirectoryExists( path );
	}

	bool FileSystem::DirectoryExists( const std::string& path )
	{
		const std::string trimmed = TrimTrailingSlashes( path );
		if ( trimmed.empty() )
			return false;
		std::error_code error;
		return fs::is_directory( fs::path( trimmed ), error );
	}

	std::string FileSystem::ResolvePath( const std::string& path )
	{
		if ( path.empty() || PathExists( path ) )
			return path;

		std::string resolved = path.front() == '/' ? "/" : "";
		size_t start = 0;
		while ( start <= path.size() )
		{
			size_t end = path.find( '/', start );
			if ( end == std::string::npos )
				end = path.size();
			const std::string part = path.substr( start, end - start );
			start = end + 1;
			if ( part.empty() )
				continue;

			std::string candidate = resolved + part;
			if ( part != "." && part != ".." && !PathExists( candidate ) )
			{
				const std::string folder = resolved.empty() ? "." : resolved;
				std::vector<std::string> matches;
				std::error_code error;
				for ( fs::directory_iterator it( folder, error ), last; !error && it != last; it.increment( error ) )
				{
					const std::string name = it->path().filename().string();
					if ( EqualIgnoringCase( name, part ) )
						matches.push_back( name );
				}
				if ( matches.empty() )
					return path;
				// Several spellings of one name in a folder: take the same one every time.
				std::sort( matches.begin(), matches.end() );
				candidate = resolved + matches.front();
			}
			resolved = candidate;
			if ( end < path.size() )
				resolved += '/';
		}
		return resolved;
	}

	std::string FileSystem::TemporaryPathFor( const std::string& path ) { return path + ".saving"; }

	bool FileSystem::WriteUserFile( const std::string& path, std::string_view contents, const char* what )
	{
		if ( path.empty() )
			return false;
		const std::string folder = std::filesystem::path( path ).parent_path().string();
		if ( !folder.empty() && !MakeFolders( folder ) )
		{
			LOG_ERROR( "Cannot make the folder " << folder << " for " << what << "." );
			return false;
		}
		return WriteFileAtomically( path, contents );
	}

	bool FileSystem::WriteFileAtomically( const std::string& path, std::string_view contents, Replace replace )
	{
		if ( path.empty() )
			return false;
		const std::string temporary = TemporaryPathFor( path );
		std::FILE* file = std::fopen( temporary.c_str(), "wb" );
		if ( !file )
		{
			LOG_ERROR( "Cannot save " << path << ": " << std::strerror( errno ) );
			return false;
		}
		bool written = std::fwrite( contents.data(), 1, contents.size(), file ) == contents.size();
		written = std::fflush( file ) == 0 && written;
		const int savedErrno = errno;
		written = std::fclose( file ) == 0 && written;
		if ( !written )
		{
			LOG_ERROR( "Cannot save " << path << ": " << std::strerror( savedErrno ? savedErrno : EIO ) );
			std::remove( temporary.c_str() );
			return false;
		}
		if ( replace == Replace::Quickly )
			std::remove( path.c_str() );
		if ( std::rename( temporary.c_str(), path.c_str() ) != 0 )
		{
			LOG_ERROR( "Cannot save " << path << ": " << std::strerror( errno ) );
			std::remove( temporary.c_str() );
			return false;
		}
		return true;
	}
}
