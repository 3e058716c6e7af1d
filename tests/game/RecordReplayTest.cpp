// --record writes a session as a script that --input plays again exactly, and every
// file the command line names lands where the command was given.
#include "Input/InputScript.h"
#include "support/RunGame.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
	std::string ReadFile( const std::string& path )
	{
		std::ifstream file( path, std::ios::binary );
		std::ostringstream text;
		text << file.rdbuf();
		return text.str();
	}

	// A session that moves the ship, fires the beam and turns it, over a few seconds.
	const char* const kSession = "# steer, then fire the beam while turning\n"
	                             "1 mouse-move 640 360\n"
	                             "2 key-down w\n"
	                             "40 key-down d\n"
	                             "70 key-up w\n"
	                             "90 mouse-move 900 200\n"
	                             "95 mouse-down 900 200 1\n"
	                             "120 mouse-move 1000 500\n"
	                             "121 wheel -2\n"
	                             "150 mouse-up 1000 500 left\n"
	                             "151 key-up d\n"
	                             "160 key-down space\n"
	                             "161 key-up space\n"
	                             "170 char 233\n";

	TEST( RecordReplay, ARecordedSessionReplaysToTheSameLevel )
	{
		const std::string script = KelvaneTest::ScratchFile( "session.txt", kSession );
		const auto recorded = KelvaneTest::RunGame( "--headless --level 1 --frames 200 --input '" + script +
		                                            "' --record '{dir}/recorded.txt' --save-level '{dir}/first.xml'" );
		ASSERT_EQ( recorded.mExitCode, 0 ) << recorded.mStderr;
		const std::string folder = std::filesystem::path( script ).parent_path().string();
		const std::string recording = folder + "/recorded.txt";

		// The recording reads back as the same events at the same steps.
		Tarn::InputScript original, replayed;
		std::string error;
		ASSERT_TRUE( original.Load( script, error ) ) << error;
		ASSERT_TRUE( replayed.Load( recording, error ) ) << error;
		ASSERT_EQ( replayed.Events().size(), original.Events().size() ) << ReadFile( recording );
		for ( size_t i = 0; i < original.Events().size(); ++i )
		{
			const Tarn::ScriptedEvent& a = original.Events()[i];
			const Tarn::ScriptedEvent& b = replayed.Events()[i];
			EXPECT_EQ( Tarn::InputScript::Format( a ), Tarn::InputScript::Format( b ) ) << "event " << i;
		}
		EXPECT_NE( ReadFile( recording ).find( "replay with: kelvane --level 1 --input FILE" ), std::string::npos );

		const auto replay = KelvaneTest::RunGame( "--headless --level 1 --frames 200 --input '" + recording +
		                                          "' --save-level '{dir}/second.xml'" );
		ASSERT_EQ( replay.mExitCode, 0 ) << replay.mStderr;
		const std::string first = ReadFile( folder + "/first.xml" );
		ASSERT_FALSE( first.empty() );
		EXPECT_EQ( ReadFile( folder + "/second.xml" ), first );

		// The session changed the level, so the comparison above says something.
		const auto idle = KelvaneTest::RunGame( "--headless --level 1 --frames 200 --save-level '{dir}/idle.xml'" );
		ASSERT_EQ( idle.mExitCode, 0 ) << idle.mStderr;
		EXPECT_NE( ReadFile( folder + "/idle.xml" ), first );
	}

	TEST( RecordReplay, EventsAScriptCannotNameAreLeftOutAndCounted )
	{
		Tarn::ScriptedEvent button;
		button.mStep = 3;
		button.mKind = Tarn::ScriptedEvent::Kind::MouseDown;
		button.mValue = 4;
		EXPECT_EQ( Tarn::InputScript::Format( button ), "" );
		button.mValue = 3;
		EXPECT_EQ( Tarn::InputScript::Format( button ), "3 mouse-down 0 0 3" );
		Tarn::ScriptedEvent key;
		key.mStep = 9;
		key.mKind = Tarn::ScriptedEvent::Kind::KeyUp;
		key.mValue = 0;
		EXPECT_EQ( Tarn::InputScript::Format( key ), "" );
		key.mValue = Tarn::InputScript::KeyFromName( "lshift" );
		EXPECT_EQ( Tarn::InputScript::Format( key ), "9 key-up lshift" );
	}

	TEST( RecordReplay, FilesAreWrittenWhereTheCommandWasGiven )
	{
		const std::string folder = std::filesystem::path( KelvaneTest::ScratchFile( "marker", "" ) ).parent_path().string();
		for ( const char* name : { "run.log", "end.xml", "rec.txt" } )
			std::filesystem::remove( folder + "/" + name );
		const auto outcome = KelvaneTest::RunKelvane(
		    "--headless --frames 3 --level 1 --log run.log --save-level end.xml --record rec.txt", "cd '" + folder + "' &&" );
		ASSERT_EQ( outcome.mExitCode, 0 ) << outcome.mOutput;
		for ( const char* name : { "run.log", "end.xml", "rec.txt" } )
			EXPECT_TRUE( std::filesystem::exists( folder + "/" + name ) ) << name;

		const auto unwritable = KelvaneTest::RunKelvane( "--headless --frames 1 --record /no-such-folder/rec.txt" );
		EXPECT_EQ( unwritable.mExitCode, 2 );
		EXPECT_NE( unwritable.mOutput.find( "cannot write the recording '/no-such-folder/rec.txt'" ), std::string::npos )
		    << unwritable.mOutput;
	}
}
