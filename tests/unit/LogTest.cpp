#include "Utilities/Log.h"
#include "Utilities/LogSinks.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace
{
	using KelvaneTest::LogCapture;
	using Tarn::Log;

	class LogTest : public testing::Test
	{
	protected:
		void TearDown() override { Log::Instance().mLevelMask = 15; }
	};

	TEST_F( LogTest, SinksReceiveOnlyLevelsInTheirMask )
	{
		LogCapture all( 0xFFFFFFFFu, "a-all" );
		LogCapture warnings( Log::LEVEL_WARNING, "b-warnings" );
		LogCapture errors( Log::LEVEL_ERROR, "c-errors" );

		LOG_INFO( "plain" );
		LOG_WARNING( "careful " << 3 );
		LOG_ERROR( "broken" );

		EXPECT_EQ( all.Texts(), ( std::vector<std::string>{ "plain", "careful 3", "broken" } ) );
		EXPECT_EQ( warnings.Texts(), ( std::vector<std::string>{ "careful 3" } ) );
		EXPECT_EQ( errors.Texts(), ( std::vector<std::string>{ "broken" } ) );
		EXPECT_EQ( all.Messages()[1].mLevel, Log::LEVEL_WARNING );
	}

	TEST_F( LogTest, LevelMaskDropsMessagesButStillResets )
	{
		LogCapture capture;
		Log& log = Log::Instance();
		log.mLevelMask = Log::LEVEL_ERROR;
		LOG_WARNING( "dropped" );
		EXPECT_TRUE( capture.Messages().empty() );
		// The dropped message must not leak into the next one, and its level is gone.
		EXPECT_EQ( log.mLevel, Log::LEVEL_INFO );
		EXPECT_TRUE( log.mStream.str().empty() );

		log.mLevelMask = 15;
		log.mStream << "next";
		log.Commit( "x.cpp", 1 );
		ASSERT_EQ( capture.Messages().size(), 1u );
		EXPECT_EQ( capture.Messages()[0].mText, "next" );
		EXPECT_EQ( capture.Messages()[0].mLevel, Log::LEVEL_INFO );
	}

	TEST_F( LogTest, WithNoSinksAMessageReachesNothingAndTheNextStartsEmpty )
	{
		Log& log = Log::Instance();
		log.mLevel = Log::LEVEL_WARNING;
		log.mStream << "nobody hears this";
		log.Commit( "a.cpp", 3 );

		LogCapture capture;
		LOG_INFO( "fresh" );
		ASSERT_EQ( capture.Messages().size(), 1u );
		EXPECT_EQ( capture.Messages()[0].mText, "fresh" );
		EXPECT_EQ( capture.Messages()[0].mLevel, Log::LEVEL_INFO );
	}

	TEST_F( LogTest, FileNameIsReducedAndLineKept )
	{
		LogCapture capture;
		Log& log = Log::Instance();
		log.mStream << "m";
		log.Commit( "C:\\src\\core\\gamewindow\\Game.cpp", 57 );
		log.mStream << "m";
		log.Commit( "src/Core/GameWindow/Game.cpp", 58 );
		log.mStream << "m";
		log.Commit( "Game.cpp", 59 );
		log.mStream << "m";
		log.Commit( "mixed/dir\\Thing.cpp", 60 );

		ASSERT_EQ( capture.Messages().size(), 4u );
		EXPECT_EQ( capture.Messages()[0].mFile, "Game.cpp" );
		EXPECT_EQ( capture.Messages()[1].mFile, "Game.cpp" );
		EXPECT_EQ( capture.Messages()[2].mFile, "Game.cpp" );
		EXPECT_EQ( capture.Messages()[3].mFile, "Thing.cpp" );
		EXPECT_EQ( capture.Messages()[1].mLine, 58 );
	}

	TEST_F( LogTest, SinksAreCalledInNameOrderAndReplacedByName )
	{
		std::vector<std::string> calls;
		struct Recorder : Tarn::LogSink
		{
			Recorder( std::vector<std::string>* calls, std::string tag ) : LogSink( 15 ), mCalls( calls ), mTag( tag ) {}
			void Write( const char*, int, const char*, int ) override { mCalls->push_back( mTag ); }
			std::vector<std::string>* mCalls;
			std::string mTag;
		};
		Log& log = Log::Instance();
		log.AddSink( "zz", new Recorder( &calls, "zz" ) );
		log.AddSink( "aa", new Recorder( &calls, "aa" ) );
		log.AddSink( "aa", new Recorder( &calls, "aa2" ) );
		LOG_INFO( "x" );
		log.RemoveSink( "aa" );
		log.RemoveSink( "zz" );
		EXPECT_EQ( calls, ( std::vector<std::string>{ "aa2", "zz" } ) );
	}

	TEST_F( LogTest, FileSinkWritesOneLinePerMessage )
	{
		const std::string path = testing::TempDir() + "kelvane-log-test.log";
		auto* sink = new Tarn::FileLogSink();
		ASSERT_TRUE( sink->Open( path ) );
		Log::Instance().AddSink( "file-test", sink );
		LOG_INFO( "Creating game." );
		LOG_ERROR( "bad " << 7 );
		Log::Instance().RemoveSink( "file-test" );

		std::ifstream in( path );
		std::string first, second, third;
		std::getline( in, first );
		std::getline( in, second );
		EXPECT_FALSE( std::getline( in, third ) );
		EXPECT_NE( first.find( "info" ), std::string::npos );
		EXPECT_NE( first.find( "LogTest.cpp" ), std::string::npos );
		EXPECT_NE( first.find( "Creating game." ), std::string::npos );
		EXPECT_EQ( second.rfind( "error LogTest.cpp(", 0 ), 0u );
		EXPECT_NE( second.find( "): bad 7" ), std::string::npos );
		std::remove( path.c_str() );
	}

	TEST_F( LogTest, FileSinkReportsAnUnwritablePath )
	{
		Tarn::FileLogSink sink;
		EXPECT_FALSE( sink.Open( "/nonexistent-folder/for/sure/x.log" ) );
		sink.Write( "ignored", 2, "a.cpp", 1 ); // must not crash
	}
}
