#include "Core/GameTime.h"
#include "Core/GameWindow/GameProject.h"
#include "GameStates/SoundManager.h"
#include "GameStates/SoundTable.h"
#include "core/Services.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{
	using Tarn::SoundManager;

	constexpr const char* kPortal = "resource/Sound/Portal_Open.wav";
	constexpr const char* kWrongSwitch = "resource/Sound/Switch_WrongSwitch.wav";
	constexpr const char* kMusic = "resource/Sound/corvinlake.mp3";
	constexpr const char* kLevelMusic = "resource/sound/corvinlake.mp3";

	std::vector<std::string> Lines( const std::string& text )
	{
		std::vector<std::string> lines;
		std::istringstream in( text );
		for ( std::string line; std::getline( in, line ); )
			lines.push_back( line );
		return lines;
	}

	// The whole game, headless (SDL's dummy audio driver), initialised but not looping.
	class HeadlessSound : public testing::Test
	{
	protected:
		void SetUp() override
		{
			// The file system speaks on standard output when it is first built: before
			// the capture, so that only the sound system's lines are read.
			KelvaneTest::SharedFileSystem();
			Tarn::LaunchOptions options;
			options.mHeadless = true;
			mProject = std::make_unique<Tarn::GameProject>( options );
			mProject->CreateComponents();
			testing::internal::CaptureStdout();
			mProject->Initialise();
			mConsole = testing::internal::GetCapturedStdout();
			mSound = Tarn::Services::Get<SoundManager>();
			ASSERT_NE( mSound, nullptr );
			ASSERT_NE( mSound->GetSystem(), nullptr );
			ASSERT_TRUE( mSound->GetSystem()->IsOpen() );
		}
		void TearDown() override
		{
			mProject->Shutdown();
			mProject.reset();
		}

		Platform::Channel ChannelOf( const std::string& path )
		{
			SoundManager::SoundEntry* entry = mSound->GetSound( path );
			return entry ? entry->second : Platform::Channel();
		}
		static bool Playing( const Platform::Channel& channel )
		{
			bool playing = false;
			channel.IsPlaying( playing );
			return playing;
		}
		static float VolumeOf( const Platform::Channel& channel )
		{
			float volume = -1.0f;
			channel.GetVolume( volume );
			return volume;
		}
		static float AudibleVolumeOf( const Platform::Channel& channel )
		{
			float volume = -1.0f;
			channel.GetAudibleVolume( volume );
			return volume;
		}
		static bool Muted( const Platform::ChannelGroup* group )
		{
			bool mute = false;
			group->GetMute( mute );
			return mute;
		}
		static float VolumeOf( const Platform::ChannelGroup* group )
		{
			float volume = -1.0f;
			group->GetVolume( volume );
			return volume;
		}
		// One call of the manager's Update with the game's step.
		void UpdateOnce()
		{
			Tarn::GameTime time;
			time.ElapsedGameTime = 16;
			time.ElapsedSeconds = 0.016f;
			time.ElapsedSecondsPrecise = 0.016;
			mSound->Update( time );
		}

		std::unique_ptr<Tarn::GameProject> mProject;
		SoundManager* mSound = nullptr;
		std::string mConsole;
	};

	TEST_F( HeadlessSound, LoadsTheTableInOrderPrintingEveryResultAndLoopsTheLoopingSounds )
	{
		const std::vector<std::string> lines = Lines( mConsole );
		ASSERT_GE( lines.size(), 3u );
		EXPECT_EQ( lines[0], "Init: 0" );
		EXPECT_EQ( lines[1], "Create background channel: 0" );
		EXPECT_EQ( lines[2], "Create effects channel: 0" );

		size_t line = 3;
		for ( const Tarn::SoundTableEntry& entry : Tarn::SoundTable() )
		{
			SCOPED_TRACE( entry.mPath );
			const std::string prefix =
			    entry.mGroup == Tarn::SoundGroup::Background ? "LoadSoundBackground - " : "LoadSoundEffect - ";
			for ( const char* step : { "createSound: 0", "playSound: 0", "setChannelGroup: 0", "stop: 0" } )
			{
				ASSERT_LT( line, lines.size() );
				EXPECT_EQ( lines[line++], prefix + step );
			}
			const auto found = mSound->GetSounds().find( entry.mPath );
			ASSERT_NE( found, mSound->GetSounds().end() ) << "the key is the path exactly as the table spells it";
			ASSERT_NE( found->second.first, nullptr );
			EXPECT_EQ( found->second.first->GetMode(),
			           uint32_t( entry.mLoop ? Platform::kAudioLoopNormal : Platform::kAudioLoopOff ) );
			EXPECT_FALSE( Playing( found->second.second ) ) << "the loading playback was stopped";
		}
		// Then the effects only the scripted levels name, each with its four lines.
		EXPECT_EQ( lines.size(), line + 4 * ( Tarn::ScriptedLevelSounds().size() - 1 ) );
		for ( ; line < lines.size(); ++line )
			EXPECT_EQ( lines[line].rfind( "LoadSoundEffect - ", 0 ), 0u ) << lines[line];

		// The options menu's volumes are what the mix plays at from the start.
		EXPECT_FLOAT_EQ( VolumeOf( mSound->GetEffectsGroup() ), 0.4f );
		EXPECT_FLOAT_EQ( VolumeOf( mSound->GetBackgroundGroup() ), 0.4f );
		EXPECT_EQ( mSound->GetEffectsGroup()->GetName(), "Effects" );
		EXPECT_EQ( mSound->GetBackgroundGroup()->GetName(), "Background" );
	}

	TEST_F( HeadlessSound, TheScriptedLevelsLowerCasePathsFindTheirFiles )
	{
		EXPECT_EQ( mSound->GetSound( kLevelMusic ), mSound->GetSound( kMusic ) ) << "the table's music, not a second copy";
		for ( const char* path : Tarn::ScriptedLevelSounds() )
		{
			SCOPED_TRACE( path );
			SoundManager::SoundEntry* entry = mSound->GetSound( path );
			ASSERT_NE( entry, nullptr );
			EXPECT_NE( entry->first, nullptr );
		}

		mSound->PlayMusic( kLevelMusic );
		const Platform::Channel music = ChannelOf( kMusic );
		EXPECT_TRUE( Playing( music ) );
		Platform::ChannelGroup* group = nullptr;
		music.GetChannelGroup( group );
		EXPECT_EQ( group, mSound->GetBackgroundGroup() );

		const char* boss = "resource/sound/FirstBossHandAttack.wav";
		mSound->PlaySoundEffect( boss, true );
		const Platform::Channel effect = ChannelOf( boss );
		EXPECT_TRUE( Playing( effect ) );
		effect.GetChannelGroup( group );
		EXPECT_EQ( group, mSound->GetEffectsGroup() );
		EXPECT_EQ( mSound->GetSound( "resource/sound/NoSuchBoss.wav" ), nullptr );
	}

	TEST_F( HeadlessSound, FocusLossMutesBothGroupsAndFocusGainUnmutesBothEvenAfterTheGameMutedMusic )
	{
		mSound->PlayMusic( kMusic );
		mSound->PlaySoundEffect( kWrongSwitch, true );
		const Platform::Channel music = ChannelOf( kMusic );
		const Platform::Channel effect = ChannelOf( kWrongSwitch );
		mSound->MuteMusic();
		EXPECT_TRUE( mSound->IsBackgroundMuted() );
		EXPECT_FALSE( mSound->IsEffectsMuted() );
		EXPECT_EQ( AudibleVolumeOf( music ), 0.0f );
		EXPECT_GT( AudibleVolumeOf( effect ), 0.0f );

		mProject->mWindow.mOnFocusLost.Raise();
		EXPECT_TRUE( mSound->IsBackgroundMuted() );
		EXPECT_TRUE( mSound->IsEffectsMuted() );
		EXPECT_TRUE( Muted( mSound->GetBackgroundGroup() ) );
		EXPECT_TRUE( Muted( mSound->GetEffectsGroup() ) );
		EXPECT_EQ( AudibleVolumeOf( effect ), 0.0f );

		mProject->mWindow.mOnFocusGained.Raise();
		EXPECT_FALSE( mSound->IsBackgroundMuted() );
		EXPECT_FALSE( mSound->IsEffectsMuted() );
		EXPECT_FALSE( Muted( mSound->GetBackgroundGroup() ) );
		EXPECT_FALSE( Muted( mSound->GetEffectsGroup() ) );
		EXPECT_NEAR( AudibleVolumeOf( music ), 0.4f, 1.0f / 128 );
		EXPECT_NEAR( AudibleVolumeOf( effect ), 0.4f, 1.0f / 128 );

		// After Shutdown the manager no longer listens: focus events reach nothing of it.
		const size_t lost = mProject->mWindow.mOnFocusLost.Count();
		const size_t gained = mProject->mWindow.mOnFocusGained.Count();
		mSound->Shutdown();
		EXPECT_EQ( mProject->mWindow.mOnFocusLost.Count(), lost - 1 );
		EXPECT_EQ( mProject->mWindow.mOnFocusGained.Count(), gained - 1 );
		mProject->mWindow.mOnFocusLost.Raise();
		EXPECT_FALSE( mSound->IsBackgroundMuted() );
	}

	TEST_F( HeadlessSound, AFadeFrom07To02TakesHalfASecondOfFramesAndStopsThere )
	{
		mSound->PlayMusic( kMusic );
		const Platform::Channel music = ChannelOf( kMusic );
		ASSERT_TRUE( music.SetVolume( 0.7f ).Ok() );
		mSound->Fade( kMusic, 0.2f );
		ASSERT_TRUE( mSound->IsFading() );

		int moves = 0;
		float previous = VolumeOf( music );
		while ( mSound->IsFading() && moves < 100 )
		{
			UpdateOnce();
			const float now = VolumeOf( music );
			if ( now != previous )
			{
				++moves;
				EXPECT_NEAR( previous - now, 0.016f, 1e-5f ) << "the fade moves 1.0 per second";
			}
			previous = now;
		}
		// 0.5 / 0.016 = 31.25 frames: the 32nd crosses the target by less than one step.
		EXPECT_EQ( moves, 32 );
		EXPECT_LT( VolumeOf( music ), 0.2f );
		EXPECT_GT( VolumeOf( music ), 0.2f - 0.016f );
		const float settled = VolumeOf( music );
		UpdateOnce();
		EXPECT_EQ( VolumeOf( music ), settled );

		// And back up, as when play resumes after the score screen.
		music.SetVolume( 0.2f );
		mSound->Fade( kMusic, 0.7f );
		moves = 0;
		while ( mSound->IsFading() && moves < 100 )
		{
			UpdateOnce();
			++moves;
		}
		EXPECT_GE( VolumeOf( music ), 0.7f );
		EXPECT_LT( VolumeOf( music ), 0.7f + 0.016f );
		EXPECT_EQ( moves, 33 ) << "32 steps up and the update that ends the fade";
		EXPECT_NEAR( VolumeOf( music ), 0.2f + 32 * 0.016f, 1e-4f );
	}

	TEST_F( HeadlessSound, TheGameLoopRunsTheFadeTwiceInEveryStep )
	{
		mSound->PlayMusic( kMusic );
		const Platform::Channel music = ChannelOf( kMusic );
		music.SetVolume( 0.7f );
		mSound->Fade( kMusic, 0.2f );
		Tarn::GameTime time;
		time.ElapsedGameTime = 16;
		time.ElapsedSeconds = 0.016f;
		for ( int step = 0; step < 16; ++step )
			mProject->Update( time );
		EXPECT_LT( VolumeOf( music ), 0.2f );
		EXPECT_NEAR( VolumeOf( music ), 0.7f - 32 * 0.016f, 1e-4f );
	}

	TEST_F( HeadlessSound, AFadeWithNothingToFadeEndsAtTheNextUpdate )
	{
		mSound->PlayMusic( kMusic );
		const Platform::Channel music = ChannelOf( kMusic );
		music.SetVolume( 0.7f );

		// A path without a sound leaves the music alone.
		mSound->Fade( "resource/Sound/NoSuchMusic.mp3", 0.2f );
		EXPECT_TRUE( mSound->IsFading() );
		UpdateOnce();
		EXPECT_FALSE( mSound->IsFading() );
		EXPECT_FLOAT_EQ( VolumeOf( music ), 0.7f );

		// Music stopped in the middle of its fade.
		mSound->Fade( kMusic, 0.2f );
		UpdateOnce();
		mSound->StopSound( kMusic );
		UpdateOnce();
		EXPECT_FALSE( mSound->IsFading() );

		// At the target already: nothing moves.
		mSound->PlayMusic( kMusic );
		ChannelOf( kMusic ).SetVolume( 0.2f );
		mSound->Fade( kMusic, 0.2f );
		UpdateOnce();
		EXPECT_FALSE( mSound->IsFading() );
		EXPECT_FLOAT_EQ( VolumeOf( ChannelOf( kMusic ) ), 0.2f );
	}

	TEST_F( HeadlessSound, PortalOpenDoesNotRestartWhileItPlaysButTheWrongSwitchSoundAlwaysDoes )
	{
		Platform::AudioSystem* system = mSound->GetSystem();
		mSound->PlaySoundEffect( kPortal, false );
		const Platform::Channel portal = ChannelOf( kPortal );
		ASSERT_TRUE( Playing( portal ) );
		const uint64_t started = system->GetPlaybackCount();
		mSound->PlaySoundEffect( kPortal, false );
		EXPECT_EQ( ChannelOf( kPortal ), portal );
		EXPECT_EQ( system->GetPlaybackCount(), started );
		// Once it has ended it plays again.
		mSound->StopSound( kPortal );
		mSound->PlaySoundEffect( kPortal, false );
		EXPECT_FALSE( ChannelOf( kPortal ) == portal );
		EXPECT_TRUE( Playing( ChannelOf( kPortal ) ) );
		EXPECT_EQ( system->GetPlaybackCount(), started + 1 );

		mSound->PlaySoundEffect( kWrongSwitch, true );
		const Platform::Channel first = ChannelOf( kWrongSwitch );
		ASSERT_TRUE( Playing( first ) );
		mSound->PlaySoundEffect( kWrongSwitch, true );
		const Platform::Channel second = ChannelOf( kWrongSwitch );
		EXPECT_FALSE( second == first );
		EXPECT_TRUE( Playing( second ) );
		EXPECT_EQ( system->GetPlaybackCount(), started + 3 );
		Platform::ChannelGroup* group = nullptr;
		second.GetChannelGroup( group );
		EXPECT_EQ( group, mSound->GetEffectsGroup() );
	}

	TEST_F( HeadlessSound, VolumeStepsStopAtFullAndAtSilenceAndReachTheirGroup )
	{
		struct Scale
		{
			float* mVolume;
			std::function<void()> mRaise;
			std::function<void()> mLower;
			Platform::ChannelGroup* mGroup;
		};
		const Scale scales[] = {
			{ &mSound->mEffectsVolume, [this] { mSound->RaiseEffectsVolume(); }, [this] { mSound->LowerEffectsVolume(); },
			  mSound->GetEffectsGroup() },
			{ &mSound->mMusicVolume, [this] { mSound->RaiseMusicVolume(); }, [this] { mSound->LowerMusicVolume(); },
			  mSound->GetBackgroundGroup() },
		};
		for ( const Scale& scale : scales )
		{
			SCOPED_TRACE( scale.mGroup->GetName() );
			EXPECT_FLOAT_EQ( *scale.mVolume, 0.4f );
			std::vector<float> up;
			for ( int click = 0; click < 4; ++click )
			{
				scale.mRaise();
				up.push_back( *scale.mVolume );
				EXPECT_EQ( VolumeOf( scale.mGroup ), *scale.mVolume );
			}
			ASSERT_EQ( up.size(), 4u );
			EXPECT_FLOAT_EQ( up[0], 0.6f );
			EXPECT_FLOAT_EQ( up[1], 0.8f );
			EXPECT_EQ( up[2], 1.0f );
			EXPECT_EQ( up[3], 1.0f );

			for ( int click = 0; click < 7; ++click )
				scale.mLower();
			EXPECT_EQ( *scale.mVolume, 0.0f );
			EXPECT_EQ( VolumeOf( scale.mGroup ), 0.0f );
			for ( int click = 0; click < 5; ++click )
				scale.mRaise();
			EXPECT_EQ( *scale.mVolume, 1.0f ) << "five steps from silence reach full";
		}

		// The steps set the mix: an effect at full effects volume plays at full.
		mSound->PlaySoundEffect( kWrongSwitch, true );
		EXPECT_FLOAT_EQ( AudibleVolumeOf( ChannelOf( kWrongSwitch ) ), 1.0f );
	}

	TEST_F( HeadlessSound, AMissingOrBrokenFileLeavesANullSoundThatPlaysNothing )
	{
		KelvaneTest::LogCapture log( Tarn::Log::LEVEL_WARNING );
		KelvaneTest::TempFolder folder;
		const std::string broken = folder / "broken.mp3";
		KelvaneTest::WriteWholeFile( broken, std::string( 4096, '\x7f' ) );
		const std::string missing = "resource/Sound/NotBaked.wav";

		testing::internal::CaptureStdout();
		mSound->LoadSound( missing, Tarn::SoundGroup::Effects, false );
		mSound->LoadSound( broken, Tarn::SoundGroup::Background, true );
		const std::vector<std::string> lines = Lines( testing::internal::GetCapturedStdout() );
		ASSERT_EQ( lines.size(), 8u );
		EXPECT_EQ( lines[0].rfind( "LoadSoundEffect - createSound: cannot load '" + missing + "'", 0 ), 0u ) << lines[0];
		EXPECT_EQ( lines[1], "LoadSoundEffect - playSound: invalid sound" );
		EXPECT_EQ( lines[4].rfind( "LoadSoundBackground - createSound: cannot load '" + broken + "'", 0 ), 0u ) << lines[4];
		for ( const std::string& line : lines )
			EXPECT_NE( line.substr( line.size() - 3 ), ": 0" ) << "no step of a failed load reports success: " << line;
		EXPECT_EQ( log.CountOf( "Sound '" + missing + "' is missing or broken: it plays nothing." ), 1u );
		EXPECT_EQ( log.CountOf( "Sound '" + broken + "' is missing or broken: it plays nothing." ), 1u );

		for ( const std::string& path : { missing, broken } )
		{
			SoundManager::SoundEntry* entry = mSound->GetSound( path );
			ASSERT_NE( entry, nullptr );
			EXPECT_EQ( entry->first, nullptr );
		}
		const uint64_t started = mSound->GetSystem()->GetPlaybackCount();
		mSound->PlaySoundEffect( missing, true );
		mSound->PlayMusic( broken );
		mSound->PauseSound( broken, true );
		mSound->StopSound( missing );
		mSound->Fade( broken, 0.2f );
		UpdateOnce();
		EXPECT_FALSE( mSound->IsFading() );
		EXPECT_EQ( mSound->GetSystem()->GetPlaybackCount(), started );
		EXPECT_FALSE( Playing( ChannelOf( missing ) ) );

		// A path that names no sound at all is a fault of the caller, reported once.
		log.Clear();
		mSound->PlaySoundEffect( "resource/Sound/Typo.wav", true );
		mSound->PlaySoundEffect( "resource/Sound/Typo.wav", true );
		EXPECT_EQ( log.CountOf( "PlaySoundEffect: no sound is loaded under 'resource/Sound/Typo.wav'." ), 1u );
		EXPECT_EQ( mSound->GetSound( "resource/Sound/Typo.wav" ), nullptr ) << "a lookup adds nothing to the map";
	}

	TEST_F( HeadlessSound, ShutdownReleasesEverythingAndLaterCallsDoNothing )
	{
		mSound->PlayMusic( kMusic );
		mSound->Fade( kMusic, 0.2f );
		mSound->Shutdown();
		EXPECT_TRUE( mSound->GetSounds().empty() );
		EXPECT_EQ( mSound->GetSystem(), nullptr );
		EXPECT_EQ( mSound->GetEffectsGroup(), nullptr );
		EXPECT_FALSE( mSound->IsFading() );
		mSound->PlaySoundEffect( kPortal, false );
		mSound->PlayMusic( kMusic );
		mSound->MuteAll();
		mSound->RaiseEffectsVolume();
		UpdateOnce();
		mSound->Shutdown();
		EXPECT_EQ( mSound->GetSound( kPortal ), nullptr );
	}
}
