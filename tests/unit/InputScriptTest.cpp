#include "Core/CommandLine.h"
#include "Input/InputScript.h"
#include "Input/KeyCodes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace
{
	using Kind = Tarn::ScriptedEvent::Kind;

	TEST( InputScript, ReadsEveryEventWithItsValues )
	{
		Tarn::InputScript script;
		std::string error;
		const char* text = "# a session\n"
		                   "1 key-down w   # hold W\n"
		                   "\n"
		                   "1 char 233\n"
		                   "2 mouse-move -5 7\n"
		                   "2 mouse-down 10 20 1\n"
		                   "3 mouse-up 10 20 right\n"
		                   "3 double-click 1 2 3\n"
		                   "4 wheel -2\n"
		                   "4 key-up 119\n"
		                   "5 focus-lost\n"
		                   "5 focus-gained\n"
		                   "6 mouse-leave\n"
		                   "9 close\n";
		ASSERT_TRUE( script.Parse( text, "s.txt", error ) ) << error;
		const auto& events = script.Events();
		ASSERT_EQ( events.size(), 12u );
		EXPECT_EQ( events[0].mKind, Kind::KeyDown );
		EXPECT_EQ( events[0].mValue, 119u );
		EXPECT_EQ( events[0].mLine, 2 );
		EXPECT_EQ( events[1].mValue, 233u );
		EXPECT_EQ( events[2].mX, -5 );
		EXPECT_EQ( events[2].mY, 7 );
		EXPECT_EQ( events[3].mValue, 1u );
		EXPECT_EQ( events[4].mValue, 2u );
		EXPECT_EQ( events[5].mValue, 3u );
		EXPECT_EQ( events[6].mNotches, -2 );
		EXPECT_EQ( events[7].mKind, Kind::KeyUp );
		EXPECT_EQ( events[7].mValue, 119u );
		EXPECT_EQ( events[11].mKind, Kind::Close );
		EXPECT_EQ( events[11].mStep, 9u );
		EXPECT_EQ( script.Remaining(), 12u );
	}

	TEST( InputScript, KeyNamesAndCodes )
	{
		using Tarn::InputScript;
		EXPECT_EQ( InputScript::KeyFromName( "a" ), 97u );
		EXPECT_EQ( InputScript::KeyFromName( "Z" ), 122u );
		// A single digit is the digit key; a longer number is a key code.
		EXPECT_EQ( InputScript::KeyFromName( "5" ), 53u );
		EXPECT_EQ( InputScript::KeyFromName( "53" ), 53u );
		EXPECT_EQ( InputScript::KeyFromName( "kp5" ), 300u );
		EXPECT_EQ( InputScript::KeyFromName( "f1" ), 305u );
		EXPECT_EQ( InputScript::KeyFromName( "f15" ), 319u );
		EXPECT_EQ( InputScript::KeyFromName( "rshift" ), 262u );
		EXPECT_EQ( InputScript::KeyFromName( "escape" ), 256u );
		EXPECT_EQ( InputScript::KeyFromName( "pause" ), 320u );
		// Numbers no key gives, and names of nothing.
		EXPECT_EQ( InputScript::KeyFromName( "321" ), 0u );
		EXPECT_EQ( InputScript::KeyFromName( "47" ), 0u );
		EXPECT_EQ( InputScript::KeyFromName( "00" ), 0u );
		EXPECT_EQ( InputScript::KeyFromName( "f16" ), 0u );
		EXPECT_EQ( InputScript::KeyFromName( "" ), 0u );
	}

	// Each bad line is reported with the file, its line number and what is wrong, and
	// nothing of the script is kept.
	TEST( InputScript, MalformedLinesNameFileLineAndFault )
	{
		const struct
		{
			const char* mText;
			const char* mError;
		} cases[] = {
			{ "1 key-down w\n2 key-down nokey\n", "s.txt:2: unknown key 'nokey'" },
			{ "key-down w\n", "s.txt:1: a line must start with its update step" },
			{ "0 close\n", "s.txt:1: a line must start with its update step" },
			{ "-1 close\n", "s.txt:1: a line must start with its update step" },
			{ "3 close\n2 close\n", "s.txt:2: step 2 comes after step 3" },
			{ "1\n", "s.txt:1: step 1 names no event" },
			{ "1 jump\n", "s.txt:1: unknown event 'jump'" },
			{ "1 mouse-move 4\n", "s.txt:1: mouse-move takes X Y, but 1 value was given" },
			{ "1 close now\n", "s.txt:1: close takes nothing, but 1 value was given" },
			{ "1 mouse-down 1 2 4\n", "s.txt:1: BUTTON must be 1 (left), 2 (right) or 3 (middle), not '4'" },
			{ "1 mouse-move 1 y\n", "s.txt:1: Y must be a whole number, not 'y'" },
			{ "1 wheel 1.5\n", "s.txt:1: the wheel needs a whole number of notches, not '1.5'" },
			{ "1 char 0\n", "s.txt:1: the character code must be a number from 1 to 1114111" },
			{ "99999999999999999999999 close\n", "s.txt:1: a line must start with its update step" },
		};
		for ( const auto& c : cases )
		{
			Tarn::InputScript script;
			std::string error;
			EXPECT_FALSE( script.Parse( c.mText, "s.txt", error ) ) << c.mText;
			EXPECT_EQ( error.rfind( c.mError, 0 ), 0u ) << "got: " << error;
			EXPECT_TRUE( script.Events().empty() );
		}
	}

	TEST( InputScript, LoadsFilesWithWindowsLineEndingsAndReportsMissingOnes )
	{
		const std::string path = std::string( KELVANE_BINARY_DIR ) + "/input-script-test.txt";
		{
			std::ofstream file( path, std::ios::binary );
			file << "1 key-down space\r\n2 key-up space\r\n";
		}
		Tarn::InputScript script;
		std::string error;
		ASSERT_TRUE( script.Load( path, error ) ) << error;
		ASSERT_EQ( script.Events().size(), 2u );
		EXPECT_EQ( script.Events()[1].mValue, Tarn::Key::Space );
		std::remove( path.c_str() );

		EXPECT_FALSE( script.Load( path, error ) );
		EXPECT_EQ( error, path + ": cannot read the input script" );
	}

	TEST( CommandLine, WindowModesAndInputScript )
	{
		auto parse = []( std::vector<std::string> arguments ) { return Tarn::ParseCommandLine( arguments ); };
		EXPECT_EQ( parse( {} ).mOptions.mWindowMode, Tarn::WindowMode::Default );
		EXPECT_EQ( parse( { "--windowed" } ).mOptions.mWindowMode, Tarn::WindowMode::Windowed );
		EXPECT_EQ( parse( { "--fullscreen", "--fullscreen" } ).mOptions.mWindowMode, Tarn::WindowMode::Fullscreen );
		EXPECT_EQ( parse( { "--windowed", "--fullscreen" } ).mError, "--windowed and --fullscreen cannot both be given" );
		EXPECT_EQ( parse( { "--windowed=yes" } ).mError, "--windowed takes no value" );

		EXPECT_EQ( parse( { "--input", "/s/replay.txt" } ).mOptions.mInputFile, "/s/replay.txt" );
		EXPECT_EQ( parse( { "--input=/s/replay.txt" } ).mOptions.mInputFile, "/s/replay.txt" );
		EXPECT_EQ( parse( { "--input" } ).mError, "--input needs a file name" );
		EXPECT_EQ( parse( { "--input=" } ).mError, "--input needs a file name" );
	}
}
