// The options file: what is saved reads back the same, and a file that is missing,
// broken or holds values the menu could not have set gives sound options, saying so.
#include "GameStates/PlayerOptions.h"
#include "Utilities/FileSystem.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
	using Tarn::PlayerOptions;

	size_t Warnings( const KelvaneTest::LogCapture& log )
	{
		size_t count = 0;
		for ( const auto& message : log.Messages() )
			count += message.mLevel >= Tarn::Log::LEVEL_WARNING;
		return count;
	}

	TEST( PlayerOptionsFile, LivesInTheConfigFolderOfXdgOrHome )
	{
		KelvaneTest::ScopedEnvironment environment;
		environment.Set( "HOME", "/home/player" );
		environment.Set( "XDG_CONFIG_HOME", "/somewhere/config" );
		EXPECT_EQ( PlayerOptions::FilePath(), "/somewhere/config/kelvane/options.xml" );
		environment.Set( "XDG_CONFIG_HOME", std::nullopt );
		EXPECT_EQ( PlayerOptions::FilePath(), "/home/player/.config/kelvane/options.xml" );
		// A relative XDG folder is not one, as the XDG rules say.
		environment.Set( "XDG_CONFIG_HOME", "relative/config" );
		EXPECT_EQ( PlayerOptions::FilePath(), "/home/player/.config/kelvane/options.xml" );
	}

	TEST( PlayerOptionsFile, WhatIsSavedReadsBackAndTheFolderIsMadeForIt )
	{
		KelvaneTest::TempFolder folder;
		const std::string path = folder / "config/kelvane/options.xml";
		PlayerOptions options;
		options.mEffectsVolume = 1.0f;
		options.mMusicVolume = 0.0f;
		options.mSoundMuted = true;
		options.mMusicMuted = true;
		options.mFullScreen = false;
		KelvaneTest::LogCapture log;
		ASSERT_TRUE( options.Save( path ) );
		EXPECT_EQ( PlayerOptions::Load( path ), options );
		EXPECT_EQ( Warnings( log ), 0u );
		// Written through a temporary file that is gone once the save is over.
		EXPECT_FALSE( std::filesystem::exists( Tarn::FileSystem::TemporaryPathFor( path ) ) );

		options.mMusicVolume = 0.6f;
		ASSERT_TRUE( options.Save( path ) );
		EXPECT_FLOAT_EQ( PlayerOptions::Load( path ).mMusicVolume, 0.6f );
	}

	TEST( PlayerOptionsFile, AMissingFileGivesTheDefaultsQuietlyAndABrokenOneWithAWarning )
	{
		KelvaneTest::TempFolder folder;
		{
			KelvaneTest::LogCapture log;
			EXPECT_EQ( PlayerOptions::Load( folder / "none.xml" ), PlayerOptions() );
			EXPECT_EQ( PlayerOptions::Load( "" ), PlayerOptions() );
			EXPECT_EQ( Warnings( log ), 0u );
		}
		for ( const char* broken : { "<Options><EffectsVolume value=\"1\"", "not xml at all", "<Other/>", "" } )
		{
			SCOPED_TRACE( broken );
			KelvaneTest::WriteWholeFile( folder / "options.xml", broken );
			KelvaneTest::LogCapture log;
			EXPECT_EQ( PlayerOptions::Load( folder / "options.xml" ), PlayerOptions() );
			EXPECT_EQ( Warnings( log ), 1u );
		}
	}

	TEST( PlayerOptionsFile, ValuesTheMenuCouldNotSetAreBroughtOntoItsScaleWithAWarning )
	{
		KelvaneTest::TempFolder folder;
		const std::string path = folder / "options.xml";
		struct Case
		{
			const char* mText;
			float mVolume;
			size_t mWarnings;
		};
		for ( const Case& c : { Case{ "0.8", 0.8f, 0 }, Case{ "7", 1.0f, 1 }, Case{ "-3", 0.0f, 1 }, Case{ "0.55", 0.6f, 1 },
		                        Case{ "loud", 0.4f, 1 }, Case{ "nan", 0.4f, 1 }, Case{ "", 0.4f, 1 } } )
		{
			SCOPED_TRACE( c.mText );
			KelvaneTest::WriteWholeFile( path, std::string( "<Options><MusicVolume value=\"" ) + c.mText +
			                                       "\"/><FullScreen value=\"false\"/></Options>" );
			KelvaneTest::LogCapture log;
			const PlayerOptions options = PlayerOptions::Load( path );
			EXPECT_NEAR( options.mMusicVolume, c.mVolume, 1e-6f );
			EXPECT_GE( Warnings( log ), c.mWarnings );
			EXPECT_LE( Warnings( log ), c.mWarnings + 1 );
			// What the file does not hold keeps its default; what it holds is read.
			EXPECT_FLOAT_EQ( options.mEffectsVolume, PlayerOptions::kDefaultVolume );
			EXPECT_FALSE( options.mFullScreen );
		}
	}
}
