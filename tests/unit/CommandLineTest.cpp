#include "Core/CommandLine.h"

#include <gtest/gtest.h>

namespace
{
	Tarn::CommandLineResult Parse( std::vector<std::string> arguments ) { return Tarn::ParseCommandLine( arguments ); }

	TEST( CommandLine, ReadsEveryOptionInBothSpellings )
	{
		const auto result = Parse( { "--headless", "--frames", "120", "--log=run.log", "--on-assert", "ignore" } );
		ASSERT_TRUE( result.mError.empty() ) << result.mError;
		EXPECT_TRUE( result.mOptions.mHeadless );
		EXPECT_EQ( result.mOptions.mFrames, 120u );
		EXPECT_EQ( result.mOptions.mLogFile, "run.log" );
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
