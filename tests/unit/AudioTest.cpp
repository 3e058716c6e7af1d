#include "Platform/Audio.h"
#include "Utilities/FileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

namespace
{
	using Platform::AudioResult;
	using Platform::AudioSystem;
	using Platform::Channel;
	using Platform::ChannelGroup;
	using Platform::Sound;

	constexpr const char* kShortEffect = "resource/Sound/Button_ClickSound.wav";
	constexpr const char* kOtherEffect = "resource/Sound/Switch_Activate.wav";

	// An audio system on the test process's dummy driver with `channels` mixer channels.
	class AudioSystemTest : public testing::Test
	{
	protected:
		void Open( int channels )
		{
			const AudioResult init = mSystem.Init( channels );
			ASSERT_TRUE( init.Ok() ) << init.Reason();
		}
		Sound* Load( const char* path )
		{
			Sound* sound = nullptr;
			const AudioResult result = mSystem.CreateSound( Tarn::FileSystem::ResolvePath( path ), sound );
			EXPECT_TRUE( result.Ok() ) << result.Reason();
			return sound;
		}
		static bool Playing( const Channel& channel )
		{
			bool playing = true;
			channel.IsPlaying( playing );
			return playing;
		}

		AudioSystem mSystem;
	};

	TEST( AudioResult, PrintsZeroForSuccessAndTheReasonOtherwise )
	{
		std::ostringstream out;
		out << AudioResult() << "|" << AudioResult::Failure( "invalid sound" ) << "|" << AudioResult::Failure( "" );
		EXPECT_EQ( out.str(), "0|invalid sound|unknown audio error" );
	}

	TEST_F( AudioSystemTest, AMissingBrokenOrEmptyFileGivesANullSoundThatPlaysNothing )
	{
		Open( 4 );
		KelvaneTest::TempFolder folder;
		KelvaneTest::WriteWholeFile( folder / "broken.wav", "RIFF this is not a wave at all" );
		KelvaneTest::WriteWholeFile( folder / "empty.mp3", "" );
		for ( const std::string& path : { std::string( "resource/Sound/NoSuchSound.wav" ), folder / "broken.wav", folder / "empty.mp3" } )
		{
			SCOPED_TRACE( path );
			Sound* sound = reinterpret_cast<Sound*>( 0x1 );
			const AudioResult result = mSystem.CreateSound( path, sound );
			EXPECT_FALSE( result.Ok() );
			EXPECT_NE( result.Reason().find( path ), std::string::npos ) << result.Reason();
			EXPECT_EQ( sound, nullptr );
		}

		Channel channel;
		const AudioResult played = mSystem.PlaySound( nullptr, nullptr, false, channel );
		EXPECT_EQ( played.Reason(), "invalid sound" );
		EXPECT_TRUE( channel.IsNull() );
		EXPECT_EQ( mSystem.GetPlaybackCount(), 0u );
		// Every operation on the null playback fails and says why, none crashes.
		EXPECT_FALSE( Playing( channel ) );
		EXPECT_FALSE( channel.Stop().Ok() );
		EXPECT_FALSE( channel.SetVolume( 0.5f ).Ok() );
		EXPECT_FALSE( channel.SetPaused( true ).Ok() );
		EXPECT_FALSE( mSystem.ReleaseSound( nullptr ).Ok() );
	}

	TEST_F( AudioSystemTest, AHandleOfAnEndedPlaybackNeverReachesTheNextPlaybackOnItsChannel )
	{
		Open( 1 );
		Sound* sound = Load( kShortEffect );
		ASSERT_NE( sound, nullptr );
		Channel first;
		ASSERT_TRUE( mSystem.PlaySound( sound, nullptr, false, first ).Ok() );
		EXPECT_TRUE( Playing( first ) );
		ASSERT_TRUE( first.Stop().Ok() );
		EXPECT_FALSE( Playing( first ) );

		Channel second;
		ASSERT_TRUE( mSystem.PlaySound( sound, nullptr, false, second ).Ok() );
		EXPECT_NE( first.Id(), second.Id() ) << "one mixer channel, two playbacks, two handles";
		EXPECT_TRUE( Playing( second ) );
		EXPECT_FALSE( Playing( first ) );
		EXPECT_FALSE( first.SetVolume( 0.1f ).Ok() );
		EXPECT_FALSE( first.Stop().Ok() );
		float volume = 0.0f;
		ASSERT_TRUE( second.GetVolume( volume ).Ok() );
		EXPECT_FLOAT_EQ( volume, 1.0f ) << "the stale handle changed the new playback";
		EXPECT_TRUE( Playing( second ) ) << "the stale handle stopped the new playback";
	}

	TEST_F( AudioSystemTest, TheOldestPlaybackGivesWayWhenEveryChannelIsBusy )
	{
		Open( 2 );
		Sound* sound = Load( kOtherEffect );
		ASSERT_NE( sound, nullptr );
		ASSERT_TRUE( sound->SetMode( Platform::kAudioLoopNormal ).Ok() );  // none ends on its own
		Channel a, b, c;
		ASSERT_TRUE( mSystem.PlaySound( sound, nullptr, false, a ).Ok() );
		ASSERT_TRUE( mSystem.PlaySound( sound, nullptr, false, b ).Ok() );
		ASSERT_TRUE( mSystem.PlaySound( sound, nullptr, false, c ).Ok() );
		EXPECT_FALSE( Playing( a ) );
		EXPECT_TRUE( Playing( b ) );
		EXPECT_TRUE( Playing( c ) );
		EXPECT_EQ( mSystem.GetPlaybackCount(), 3u );
	}

	TEST_F( AudioSystemTest, GroupVolumeAndMuteReachTheMixerWithoutChangingTheChannelsOwnVolume )
	{
		Open( 4 );
		Sound* sound = Load( kOtherEffect );
		ASSERT_NE( sound, nullptr );
		sound->SetMode( Platform::kAudioLoopNormal );
		ChannelGroup* group = nullptr;
		ASSERT_TRUE( mSystem.CreateChannelGroup( "Effects", group ).Ok() );
		ASSERT_NE( group, nullptr );
		EXPECT_EQ( group->GetName(), "Effects" );

		Channel channel;
		ASSERT_TRUE( mSystem.PlaySound( sound, group, false, channel ).Ok() );
		ASSERT_TRUE( group->SetVolume( 0.5f ).Ok() );
		ASSERT_TRUE( channel.SetVolume( 0.8f ).Ok() );
		const float step = 1.0f / 128.0f;
		float audible = 0.0f;
		channel.GetAudibleVolume( audible );
		EXPECT_NEAR( audible, 0.4f, step );

		group->SetMute( true );
		channel.GetAudibleVolume( audible );
		EXPECT_EQ( audible, 0.0f );
		// A playback started while the group is muted is silent too.
		Channel late;
		ASSERT_TRUE( mSystem.PlaySound( sound, group, false, late ).Ok() );
		late.GetAudibleVolume( audible );
		EXPECT_EQ( audible, 0.0f );

		group->SetMute( false );
		channel.GetAudibleVolume( audible );
		EXPECT_NEAR( audible, 0.4f, step );
		float own = 0.0f;
		channel.GetVolume( own );
		EXPECT_FLOAT_EQ( own, 0.8f );

		// Out of the group the channel plays at its own volume; above full it is held at full.
		ASSERT_TRUE( channel.SetChannelGroup( nullptr ).Ok() );
		channel.GetAudibleVolume( audible );
		EXPECT_NEAR( audible, 0.8f, step );
		channel.SetVolume( 2.0f );
		channel.GetAudibleVolume( audible );
		EXPECT_FLOAT_EQ( audible, 1.0f );
		channel.SetVolume( -1.0f );
		channel.GetVolume( own );
		EXPECT_EQ( own, 0.0f );
	}

	TEST_F( AudioSystemTest, ALoopingSoundOutlastsItsLengthAndAPausedStartWaitsForResume )
	{
		Open( 4 );
		Sound* once = Load( kShortEffect );
		Sound* looping = Load( kShortEffect );
		ASSERT_NE( once, nullptr );
		ASSERT_NE( looping, nullptr );
		ASSERT_TRUE( looping->SetMode( Platform::kAudioLoopNormal ).Ok() );
		EXPECT_EQ( looping->GetMode(), uint32_t( Platform::kAudioLoopNormal ) );
		EXPECT_EQ( once->GetMode(), uint32_t( Platform::kAudioLoopOff ) );
		EXPECT_FALSE( once->SetMode( Platform::kAudioLoopNormal | Platform::kAudioLoopOff ).Ok() );
		ASSERT_GT( once->GetSeconds(), 0.0 );
		ASSERT_LT( once->GetSeconds(), 2.0 );

		Channel a, b, paused;
		ASSERT_TRUE( mSystem.PlaySound( once, nullptr, false, a ).Ok() );
		ASSERT_TRUE( mSystem.PlaySound( looping, nullptr, false, b ).Ok() );
		ASSERT_TRUE( mSystem.PlaySound( once, nullptr, true, paused ).Ok() );
		bool isPaused = false;
		paused.GetPaused( isPaused );
		EXPECT_TRUE( isPaused );

		// The dummy driver mixes in real time: wait for the one-shot to end.
		const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds( 10 );
		while ( Playing( a ) && std::chrono::steady_clock::now() < deadline )
			std::this_thread::sleep_for( std::chrono::milliseconds( 20 ) );
		ASSERT_FALSE( Playing( a ) ) << "the one-shot never ended";
		EXPECT_TRUE( Playing( b ) );
		EXPECT_TRUE( Playing( paused ) ) << "a paused playback is still a playback";
		ASSERT_TRUE( paused.SetPaused( false ).Ok() );
		paused.GetPaused( isPaused );
		EXPECT_FALSE( isPaused );

		// Releasing a sound ends its playbacks; their handles then fail safely.
		ASSERT_TRUE( mSystem.ReleaseSound( looping ).Ok() );
		EXPECT_FALSE( Playing( b ) );
		EXPECT_TRUE( mSystem.Update().Ok() );
	}

	TEST_F( AudioSystemTest, NothingWorksBeforeInitOrAfterCloseAndNothingCrashes )
	{
		Sound* sound = nullptr;
		ChannelGroup* group = nullptr;
		EXPECT_EQ( mSystem.CreateSound( kShortEffect, sound ).Reason(), "the audio device is not open" );
		EXPECT_FALSE( mSystem.CreateChannelGroup( "Effects", group ).Ok() );
		EXPECT_EQ( group, nullptr );
		EXPECT_FALSE( mSystem.Update().Ok() );
		EXPECT_FALSE( mSystem.Init( 0 ).Ok() );
		EXPECT_FALSE( mSystem.Init( 256 ).Ok() );

		Open( 2 );
		EXPECT_FALSE( mSystem.Init( 2 ).Ok() ) << "a second Init";
		EXPECT_FALSE( mSystem.GetDriverName().empty() );
		sound = Load( kShortEffect );
		Channel channel;
		ASSERT_TRUE( mSystem.PlaySound( sound, nullptr, false, channel ).Ok() );
		EXPECT_TRUE( mSystem.Close().Ok() );
		EXPECT_FALSE( mSystem.IsOpen() );
		EXPECT_FALSE( Playing( channel ) );
		EXPECT_FALSE( mSystem.PlaySound( sound, nullptr, false, channel ).Ok() ) << "the sound went with the system";
		EXPECT_FALSE( mSystem.Close().Ok() );
		// It opens again after a close, as every new game does in the same process.
		Open( 2 );
		EXPECT_NE( Load( kShortEffect ), nullptr );
	}
}
