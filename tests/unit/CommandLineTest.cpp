#include "Core/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
	Tarn::CommandLineResult Parse( std::vector<std::string> arguments ) { return Tarn::ParseCommandLine( arguments ); }

	TEST( CommandLine, ReadsEveryOptionInBothSpellings )
	{
		const auto result = Parse( { "--headless", "--frames", "120", "--log=run.log", "--on-assert", "ignore" } );
		ASSERT_TRUE( result.mError.empty() ) << result.mError;
		EXPECT_TRUE( result.mOptions.mHeadless );
		EXPECT_EQ( result.mOptions.mFrames, 120u );
		EXPECT_EQ( result.mOptions.mLogFile, ( std::filesystem::current_path() / "run.log" ).string() );
		EXPECT_EQ( result.mOptions.mOnAssert, Platform::AssertChoice::Ignore );
		EXPECT_EQ( Parse( { "--on-assert=break" } ).mOptions.mOnAssert, Platform::AssertChoice::Retry );
		EXPECT_EQ( Parse( {} ).mOptions.mOnAssert, Platform::AssertChoice::Abort );
		EXPECT_EQ( Parse( {} ).mOptions.mFrames, 0u );
	}

	TEST( CommandLine, ErrorsNameTheOptionAndTheValue )
	{
		EXPECT_NE( Parse( { "--frames", "ten" } ).mError.find( "'ten'" ), std::string::npos );
		EXPECT_NE( Parse( { "--frames" } ).mError.find( "--frames" ), std::string::npos );
		EXPECT_NE( Parse( { "-x" } ).mError.find( "'-x'" ), std::string::npos );
		EXPECT_FALSE( Parse( { "--frames", "99999999999999999999999" } ).mError.empty() );
		EXPECT_FALSE( Parse( { "--version=2" } ).mError.empty() );
	}
}

namespace
{
	TEST( CommandLine, LevelAndSaveLevel )
	{
		const auto result = Parse( { "--level", "3", "--save-level=out/end.xml" } );
		ASSERT_TRUE( result.mError.empty() ) << result.mError;
		EXPECT_EQ( result.mOptions.mLevel, 3 );
		// Made absolute where the command is given: the game moves to its data root.
		EXPECT_EQ( result.mOptions.mSaveLevelFile, ( std::filesystem::current_path() / "out/end.xml" ).string() );
		EXPECT_EQ( Parse( { "--save-level", "/tmp/x.xml" } ).mOptions.mSaveLevelFile, "/tmp/x.xml" );
		EXPECT_EQ( Parse( {} ).mOptions.mLevel, 0 );
		EXPECT_EQ( Parse( { "--level=20" } ).mOptions.mLevel, 20 );
		for ( const char* wrong : { "0", "21", "-1", "one", "" } )
			EXPECT_NE( Parse( { "--level", wrong } ).mError.find( "--level needs a level number from 1 to 20" ),
			           std::string::npos )
			    << wrong;
		EXPECT_FALSE( Parse( { "--level" } ).mError.empty() );
		EXPECT_FALSE( Parse( { "--save-level=" } ).mError.empty() );
	}
}

namespace
{
	// The game changes to its data root before it opens any of these, so every file
	// the command line names must already be fixed to where the command was given.
	TEST( CommandLine, EveryFileIsWhereTheCommandWasGiven )
	{
		const std::filesystem::path here = std::filesystem::current_path();
		const auto result = Parse( { "--screenshot", "shot.png", "--log=logs/../run.log", "--input", "in.txt",
		                             "--save-level", "./end.xml", "--record", "sub/rec.txt" } );
		ASSERT_TRUE( result.mError.empty() ) << result.mError;
		EXPECT_EQ( result.mOptions.mScreenshotFile, ( here / "shot.png" ).string() );
		EXPECT_EQ( result.mOptions.mLogFile, ( here / "run.log" ).string() );
		EXPECT_EQ( result.mOptions.mInputFile, ( here / "in.txt" ).string() );
		EXPECT_EQ( result.mOptions.mSaveLevelFile, ( here / "end.xml" ).string() );
		EXPECT_EQ( result.mOptions.mRecordFile, ( here / "sub/rec.txt" ).string() );
		EXPECT_EQ( Parse( { "--record", "/tmp/r.txt" } ).mOptions.mRecordFile, "/tmp/r.txt" );
		EXPECT_FALSE( Parse( { "--record" } ).mError.empty() );
		EXPECT_FALSE( Parse( { "--record=" } ).mError.empty() );
		// Recording over the script being replayed would destroy it.
		EXPECT_NE( Parse( { "--input", "a.txt", "--record", "./a.txt" } ).mError.find( "same file" ), std::string::npos );
	}
}
