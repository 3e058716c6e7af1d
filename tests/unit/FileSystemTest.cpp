#include "Utilities/FileSystem.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>

#include <unistd.h>

namespace
{
	namespace fs = std::filesystem;
	using KelvaneTest::ReadWholeFile;
	using KelvaneTest::WriteWholeFile;
	using Tarn::FileSystem;

	// Points HOME and the XDG folders into a fresh folder for one test.
	class UserFolder : public testing::Test
	{
	protected:
		UserFolder()
		{
			mEnvironment.Set( "HOME", mTemp.Path().string() );
			mEnvironment.Set( "XDG_CONFIG_HOME", mTemp / "config" );
			mEnvironment.Set( "XDG_DATA_HOME", mTemp / "data" );
		}

		// Builds a file system and gives what it wrote to standard output.
		std::string Start( std::unique_ptr<FileSystem>& files )
		{
			testing::internal::CaptureStdout();
			files = std::make_unique<FileSystem>();
			return testing::internal::GetCapturedStdout();
		}

		KelvaneTest::TempFolder mTemp;
		KelvaneTest::ScopedEnvironment mEnvironment;
	};

	TEST_F( UserFolder, DocumentsFolderComesFromUserDirs )
	{
		fs::create_directories( mTemp / "config" );
		WriteWholeFile( mTemp / "config/user-dirs.dirs",
		                "# written by the desktop\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n" );
		std::unique_ptr<FileSystem> files;
		const std::string output = Start( files );

		EXPECT_EQ( files->GetUserFolder(), ( mTemp / "Papers" ) + "/Kelvane/" );
		EXPECT_EQ( output, "Path: " + ( mTemp / "Papers" ) + "\nFolder Created \n" );
		EXPECT_TRUE( FileSystem::DirectoryExists( files->GetUserFolder() ) );

		// The folder is there now: the second start says so in its own words.
		EXPECT_EQ( Start( files ), "Path: " + ( mTemp / "Papers" ) + "\nFolder Create fail \n" );
	}

	TEST_F( UserFolder, WithoutUserDirsTheDocumentsFolderIsUsed )
	{
		std::unique_ptr<FileSystem> files;
		Start( files );
		EXPECT_EQ( files->GetUserFolder(), ( mTemp / "Documents" ) + "/Kelvane/" );
	}

	TEST_F( UserFolder, UnusableDocumentsFolderFallsBackToTheDataFolder )
	{
		// A file where the documents folder should be: nothing can be made inside it.
		WriteWholeFile( mTemp / "Documents", "not a folder" );
		KelvaneTest::LogCapture log;
		std::unique_ptr<FileSystem> files;
		const std::string output = Start( files );

		EXPECT_NE( output.find( "Folder Create fail " ), std::string::npos );
		EXPECT_EQ( files->GetUserFolder(), ( mTemp / "data" ) + "/Kelvane/" );
		EXPECT_TRUE( FileSystem::DirectoryExists( files->GetUserFolder() ) );
		ASSERT_EQ( log.Messages().size(), 1u );
		EXPECT_EQ( log.Messages()[0].mLevel, Tarn::Log::LEVEL_WARNING );
		EXPECT_NE( log.Messages()[0].mText.find( files->GetUserFolder() ), std::string::npos );
	}

	TEST_F( UserFolder, WithNoFolderAtAllUserFilesNameNoFile )
	{
		WriteWholeFile( mTemp / "Documents", "not a folder" );
		WriteWholeFile( mTemp / "data", "not a folder either" );
		KelvaneTest::LogCapture log;
		std::unique_ptr<FileSystem> files;
		Start( files );
		EXPECT_TRUE( files->GetUserFolder().empty() );
		EXPECT_EQ( log.Messages().size(), 1u );

		files->AddUserFile( "\\ObjectDefault.xml", "ObjectDefault" );
		const Tarn::ResourceRecord* record = files->GetResource( "ObjectDefault" );
		ASSERT_NE( record, nullptr );
		EXPECT_FALSE( record->NamesFile() );
		EXPECT_FALSE( fs::exists( "ObjectDefault.xml" ) ) << "nothing may land in the working directory";
	}

	TEST_F( UserFolder, UserFilesAreCreatedEmptyAndNeverTouchedAgain )
	{
		std::unique_ptr<FileSystem> files;
		Start( files );
		testing::internal::CaptureStdout();
		files->AddUserFile( "\\TransformComponent.xml", "TransformComponent" );
		const std::string output = testing::internal::GetCapturedStdout();

		const std::string path = ( mTemp / "Documents" ) + "/Kelvane/TransformComponent.xml";
		EXPECT_EQ( output, path + "\n" );
		const Tarn::ResourceRecord* record = files->GetResource( "TransformComponent" );
		ASSERT_NE( record, nullptr );
		EXPECT_EQ( record->mPath, path ) << "the doubled separator is reduced, the root kept";
		EXPECT_EQ( record->mFileName, "TransformComponent.xml" );
		ASSERT_TRUE( fs::exists( path ) );
		EXPECT_EQ( fs::file_size( path ), 0u );

		// A second start with the folder present keeps what the files hold.
		WriteWholeFile( path, "<ObjectComponent Name=\"TransformComponent\"/>" );
		Start( files );
		testing::internal::CaptureStdout();
		files->AddUserFile( "\\TransformComponent.xml", "TransformComponent" );
		testing::internal::GetCapturedStdout();
		EXPECT_EQ( ReadWholeFile( path ), "<ObjectComponent Name=\"TransformComponent\"/>" );
	}

	TEST_F( UserFolder, ResourcesAreParsedOnceAndTheFirstRegistrationWins )
	{
		std::unique_ptr<FileSystem> files;
		Start( files );
		KelvaneTest::LogCapture log;
		files->AddResource( "Level1", "/resource/Levels/Level1.xml" );
		files->AddResource( "Level1", "/resource/Levels/Other.xml" );
		files->AddResource( "Readme", "\\\\docs\\\\\\notes//README" );

		ASSERT_EQ( log.Messages().size(), 1u );
		EXPECT_EQ( log.Messages()[0].mText, "Resource already exists: Add ID(Level1)" );
		EXPECT_EQ( log.Messages()[0].mLevel, Tarn::Log::LEVEL_ERROR );

		const Tarn::ResourceRecord* level = files->GetResource( "Level1" );
		ASSERT_NE( level, nullptr );
		EXPECT_EQ( level->mPath, "resource/Levels/Level1.xml" );
		EXPECT_EQ( level->mFolder, "resource/Levels/" );
		EXPECT_EQ( level->mFileName, "Level1.xml" );
		EXPECT_EQ( level->mBaseName, "Level1" );
		EXPECT_EQ( level->mExtension, "xml" );
		EXPECT_EQ( level->mPathHash, Tarn::Hash( "resource/Levels/Level1.xml" ) );

		const Tarn::ResourceRecord* readme = files->GetResource( "Readme" );
		ASSERT_NE( readme, nullptr );
		EXPECT_EQ( readme->mPath, "docs/notes/README" );
		EXPECT_EQ( readme->mBaseName, "README" );
		EXPECT_EQ( readme->mExtension, "" );

		log.Clear();
		EXPECT_EQ( files->FindResource( "Level2" ), nullptr );
		EXPECT_TRUE( log.Messages().empty() );
		EXPECT_EQ( files->GetResource( "Level2" ), nullptr );
		ASSERT_EQ( log.Messages().size(), 1u );
		EXPECT_EQ( log.Messages()[0].mText, "Resource not found: Get ID(Level2)" );
	}

	TEST_F( UserFolder, AResourceRemovedIsGoneAndCanBeRegisteredAgain )
	{
		std::unique_ptr<FileSystem> files;
		Start( files );
		files->AddResource( "Level1", "/resource/Levels/Level1.xml" );
		files->AddResource( "Camera", "/resource/Camera.xml" );
		const size_t before = files->ResourceCount();
		auto listed = files->Resources();
		ASSERT_EQ( listed.size(), before );
		const auto camera = std::find_if( listed.begin(), listed.end(), []( const auto& entry ) { return entry.first == "Camera"; } );
		ASSERT_NE( camera, listed.end() );
		EXPECT_EQ( camera->second.mPath, "resource/Camera.xml" );

		files->RemoveResource( "Level1" );
		files->RemoveResource( "Level1" );
		files->RemoveResource( "never registered" );
		EXPECT_EQ( files->ResourceCount(), before - 1 );
		EXPECT_EQ( files->FindResource( "Level1" ), nullptr );
		ASSERT_NE( files->FindResource( "Camera" ), nullptr );

		KelvaneTest::LogCapture log;
		files->AddResource( "Level1", "/resource/Levels/Other.xml" );
		EXPECT_TRUE( log.Messages().empty() ) << "no longer registered, so no clash";
		EXPECT_EQ( files->FindResource( "Level1" )->mPath, "resource/Levels/Other.xml" );
	}

	TEST( FileSystemPaths, NormalFormAndDirectoryTest )
	{
		EXPECT_EQ( FileSystem::NormalisePath( "/resource/sheet.xml" ), "resource/sheet.xml" );
		EXPECT_EQ( FileSystem::NormalisePath( "C:\\Users\\me\\Documents\\Kelvane\\\\ObjectDefault.xml" ),
		           "C:/Users/me/Documents/Kelvane/ObjectDefault.xml" );
		EXPECT_EQ( FileSystem::NormalisePath( "//home//me/", true ), "/home/me/" );
		EXPECT_EQ( FileSystem::ParseRecord( "file" ).mFileName, "file" );
		EXPECT_EQ( FileSystem::ParseRecord( "file" ).mFolder, "" );

		KelvaneTest::TempFolder temp;
		WriteWholeFile( temp / "plain", "x" );
		EXPECT_TRUE( FileSystem::DirectoryExists( temp.Path().string() + "/" ) );
		EXPECT_TRUE( FileSystem::DirectoryExists( temp.Path().string() + "\\" ) );
		EXPECT_FALSE( FileSystem::DirectoryExists( temp / "plain" ) );
		EXPECT_FALSE( FileSystem::DirectoryExists( temp / "missing" ) );
		EXPECT_FALSE( FileSystem::DirectoryExists( "" ) );
	}

	TEST( FileSystemPaths, ResolvesEachComponentIgnoringCaseButPrefersTheExactName )
	{
		KelvaneTest::TempFolder temp;
		fs::create_directories( temp / "resource/Sound" );
		WriteWholeFile( temp / "resource/Sound/Boom.WAV", "boom" );
		fs::create_directories( temp / "twins" );
		WriteWholeFile( temp / "twins/a.txt", "lower" );
		WriteWholeFile( temp / "twins/A.txt", "upper" );

		EXPECT_EQ( FileSystem::ResolvePath( temp / "resource/sound/boom.wav" ), temp / "resource/Sound/Boom.WAV" );
		EXPECT_EQ( FileSystem::ResolvePath( temp / "resource/Sound/Boom.WAV" ), temp / "resource/Sound/Boom.WAV" );
		EXPECT_EQ( FileSystem::ResolvePath( temp / "TWINS/A.txt" ), temp / "twins/A.txt" );
		EXPECT_EQ( FileSystem::ResolvePath( temp / "TWINS/a.txt" ), temp / "twins/a.txt" );
		EXPECT_EQ( FileSystem::ResolvePath( temp / "resource/sound/missing.wav" ), temp / "resource/sound/missing.wav" )
		    << "a path that matches nothing comes back as spelt";

		// Loaders spell paths relative to the data root.
		const fs::path before = fs::current_path();
		fs::current_path( temp.Path() );
		const std::string relative = FileSystem::ResolvePath( "RESOURCE/sound/boom.wav" );
		fs::current_path( before );
		EXPECT_EQ( relative, "resource/Sound/Boom.WAV" );
	}

	TEST( FileSystemPaths, AtomicSaveReplacesOnlyAfterAWholeWrite )
	{
		KelvaneTest::TempFolder temp;
		const std::string target = temp / "Level1.xml";
		WriteWholeFile( target, "old level" );

		EXPECT_TRUE( FileSystem::WriteFileAtomically( target, "new level" ) );
		EXPECT_EQ( ReadWholeFile( target ), "new level" );
		EXPECT_FALSE( fs::exists( FileSystem::TemporaryPathFor( target ) ) );

		// A folder in the way of the temporary file makes the write fail.
		fs::create_directories( FileSystem::TemporaryPathFor( target ) );
		KelvaneTest::LogCapture log;
		EXPECT_FALSE( FileSystem::WriteFileAtomically( target, "lost level" ) );
		EXPECT_EQ( ReadWholeFile( target ), "new level" );
		ASSERT_EQ( log.Messages().size(), 1u );
		EXPECT_EQ( log.Messages()[0].mLevel, Tarn::Log::LEVEL_ERROR );
		EXPECT_NE( log.Messages()[0].mText.find( target ), std::string::npos );

		EXPECT_FALSE( FileSystem::WriteFileAtomically( temp / "no/such/folder/file.xml", "x" ) );
	}

	// The quick replacement of scratch files keeps the same promise about a failed write.
	TEST( FileSystemPaths, AQuickSaveAlsoReplacesOnlyAfterAWholeWrite )
	{
		KelvaneTest::TempFolder temp;
		const std::string target = temp / "ObjectDefault.xml";
		WriteWholeFile( target, "old fragment" );
		EXPECT_TRUE( FileSystem::WriteFileAtomically( target, "new fragment", FileSystem::Replace::Quickly ) );
		EXPECT_EQ( ReadWholeFile( target ), "new fragment" );
		EXPECT_FALSE( fs::exists( FileSystem::TemporaryPathFor( target ) ) );

		fs::create_directories( FileSystem::TemporaryPathFor( target ) );
		KelvaneTest::LogCapture log;
		EXPECT_FALSE( FileSystem::WriteFileAtomically( target, "lost fragment", FileSystem::Replace::Quickly ) );
		EXPECT_EQ( ReadWholeFile( target ), "new fragment" );
		EXPECT_EQ( log.Messages().size(), 1u );
	}
}
