#include "Platform/AssertBox.h"
#include "Utilities/Assert.h"
#include "support/AssertRecorder.h"

#include <gtest/gtest.h>

namespace
{
	TEST( AssertText, BackslashPathShowsTheFileNameOnly )
	{
		EXPECT_EQ( Tarn::FormatAssertText( "component", "Expression is false. Expected true.",
		                                   "c:\\work\\src\\Thing.cpp", 12 ),
		           "Expression: component\n@ Thing.cpp:12\nMessage: \nExpression is false. Expected true.\n" );
	}

	TEST( AssertText, ForwardSlashPathIsShownWhole )
	{
		const std::string text = Tarn::FormatAssertText( "name", "m", "src/Utilities/Hash.cpp", 111 );
		EXPECT_NE( text.find( "\n@ src/Utilities/Hash.cpp:111\n" ), std::string::npos );
	}

	TEST( Assert, MacroPassesTheConditionTextAndReturnsOnIgnore )
	{
		KelvaneTest::AssertRecorder recorder;
		int* pointer = nullptr;
		bool reachedAfter = false;
		TARN_ASSERT( pointer );
		TARN_ASSERT_MSG( 1 + 1 == 3, "Arithmetic is off." );
		TARN_ASSERT( pointer == nullptr ); // holds: no report
		reachedAfter = true;

		EXPECT_TRUE( reachedAfter );
		ASSERT_EQ( recorder.Count(), 2u );
		EXPECT_EQ( recorder.Reports()[0].mExpression, "pointer" );
		EXPECT_EQ( recorder.Reports()[0].mMessage, "Expression is false. Expected true." );
		EXPECT_EQ( recorder.Reports()[1].mExpression, "1 + 1 == 3" );
		EXPECT_EQ( recorder.Reports()[1].mMessage, "Arithmetic is off." );
		EXPECT_NE( recorder.Reports()[1].mText.find( "Message: \nArithmetic is off.\n" ), std::string::npos );
	}

	// Without a box the unattended answer decides: abort ends the process with code 1
	// after printing the box's text.
	TEST( AssertDeathTest, UnattendedAbortExitsWithCodeOne )
	{
		GTEST_FLAG_SET( death_test_style, "threadsafe" );
		EXPECT_EXIT(
		    {
			    Platform::SetAssertHandler( nullptr );
			    Platform::SetAssertBoxEnabled( false );
			    Platform::SetUnattendedAssertChoice( Platform::AssertChoice::Abort );
			    Tarn::Assert( "service", "Expression is false. Expected true.", "Services.h", 30 );
			    std::exit( 0 );
		    },
		    testing::ExitedWithCode( 1 ), "Assertion Error\nExpression: service\n@ Services.h:30" );
	}

	TEST( AssertDeathTest, UnattendedIgnoreAndBreakReturnWithoutADebugger )
	{
		GTEST_FLAG_SET( death_test_style, "threadsafe" );
		EXPECT_EXIT(
		    {
			    Platform::SetAssertHandler( nullptr );
			    Platform::SetAssertBoxEnabled( false );
			    Platform::SetUnattendedAssertChoice( Platform::AssertChoice::Ignore );
			    Tarn::Assert( "a", "m", "f.cpp", 1 );
			    // Retry with no debugger attached returns at once.
			    Platform::SetUnattendedAssertChoice( Platform::AssertChoice::Retry );
			    Tarn::Assert( "b", "m", "f.cpp", 2 );
			    std::exit( Platform::IsDebuggerAttached() ? 3 : 7 );
		    },
		    testing::ExitedWithCode( 7 ), "Expression: b" );
	}
}
