// Options that last, and the menus without a mouse: what the options page changes is
// saved at once and is there at the next start, a broken file gives the defaults, the
// window's focus leaves the player's mutes alone; the arrows, Enter and Escape reach
// every page.
#include "Core/GameWindow/GameWindow.h"
#include "Game/Player.h"
#include "GameStates/ButtonComponent.h"
#include "GameStates/LevelManager.h"
#include "GameStates/LoadingScreen.h"
#include "GameStates/PlayerOptions.h"
#include "GameStates/SoundManager.h"
#include "Input/KeyCodes.h"
#include "core/Services.h"
#include "support/LogCapture.h"
#include "support/MenuGame.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
	using namespace Tarn;

	class MenuOptions : public KelvaneTest::MenuGame
	{
	protected:
		void OpenOptions()
		{
			Buttons().ShowMainMenu();
			Click( FUNC_OPTIONS );
			ASSERT_EQ( Buttons().TopPage(), GRP_OPTIONS );
		}

		GameWindow& Window() { return mGame->Window(); }
	};

	TEST_F( MenuOptions, WhatTheOptionsPageChangesIsSavedAtOnceAndThereAtTheNextStart )
	{
		EXPECT_FALSE( std::filesystem::exists( OptionsFile() ) ) << "nothing is written until something changes";
		OpenOptions();
		// Full screen is the window's own start; its checkbox says so.
		ASSERT_TRUE( Window().Settings().mFullscreen );
		ButtonComponent* fullScreen = Button( "MenuFullScreenButton" );
		EXPECT_EQ( fullScreen->mFunction, FUNC_CHANGERESOLUTION_NONWINDOW );
		EXPECT_EQ( Texture( *fullScreen ), "resource/menu/checkboxchecked.png" );

		Click( FUNC_SOUND_INC );
		Click( FUNC_SOUND_INC );
		Click( FUNC_MUSIC_SOUND_DEC );
		Click( FUNC_MUSIC_SOUND_DEC );
		Click( FUNC_MUSIC_MUTE );
		Click( *fullScreen );
		EXPECT_FALSE( Window().Settings().mFullscreen );
		EXPECT_EQ( fullScreen->mFunction, FUNC_CHANGERESOLUTION );

		PlayerOptions saved = PlayerOptions::Load( OptionsFile() );
		EXPECT_FLOAT_EQ( saved.mEffectsVolume, 0.8f );
		EXPECT_FLOAT_EQ( saved.mMusicVolume, 0.0f );
		EXPECT_TRUE( saved.mMusicMuted );
		EXPECT_FALSE( saved.mSoundMuted );
		EXPECT_FALSE( saved.mFullScreen );

		Restart();
		EXPECT_FLOAT_EQ( Sounds().mEffectsVolume, 0.8f );
		EXPECT_FLOAT_EQ( Sounds().mMusicVolume, 0.0f );
		EXPECT_TRUE( Sounds().IsBackgroundMuted() );
		EXPECT_FALSE( Sounds().IsEffectsMuted() );
		EXPECT_FALSE( Window().Settings().mFullscreen );
		float groupVolume = 0.0f;
		Sounds().GetEffectsGroup()->GetVolume( groupVolume );
		EXPECT_FLOAT_EQ( groupVolume, 0.8f ) << "applied to the mix, not only kept";

		// The page shows them.
		OpenOptions();
		EXPECT_EQ( Texture( *Button( "MenuEffectsVolumeBar" ) ), "resource/menu/bar row4.png" );
		EXPECT_EQ( Texture( *Button( "MenuMusicVolumeBar" ) ), "resource/menu/bar row0.png" );
		EXPECT_EQ( Button( "MenuMuteMusicButton" )->mFunction, FUNC_MUSIC_MUTED );
		EXPECT_EQ( Texture( *Button( "MenuMuteMusicButton" ) ), "resource/menu/checkboxchecked.png" );
		EXPECT_EQ( Button( "MenuMuteAllButton" )->mFunction, FUNC_SOUND_MUTE );
		EXPECT_EQ( Button( "MenuFullScreenButton" )->mFunction, FUNC_CHANGERESOLUTION );

		// The command line's choice of window wins over the saved one, and is not saved.
		LaunchOptions asked;
		asked.mWindowMode = WindowMode::Fullscreen;
		Restart( asked );
		EXPECT_TRUE( Window().Settings().mFullscreen );
		EXPECT_FALSE( PlayerOptions::Load( OptionsFile() ).mFullScreen );
	}

	TEST_F( MenuOptions, ABrokenFileGivesTheDefaultsWithAWarningAndIsWrittenWholeAtTheNextChange )
	{
		std::filesystem::create_directories( std::filesystem::path( OptionsFile() ).parent_path() );
		KelvaneTest::WriteWholeFile( OptionsFile(), "<Options><EffectsVolume value=\"0.2\"" );
		{
			KelvaneTest::LogCapture log;
			Restart();
			size_t warnings = 0;
			for ( const auto& message : log.Messages() )
				warnings += message.mLevel == Log::LEVEL_WARNING && message.mText.find( OptionsFile() ) != std::string::npos;
			EXPECT_EQ( warnings, 1u );
		}
		EXPECT_FLOAT_EQ( Sounds().mEffectsVolume, SoundManager::kStartVolume );
		EXPECT_FLOAT_EQ( Sounds().mMusicVolume, SoundManager::kStartVolume );

		OpenOptions();
		Click( FUNC_SOUND_MUTE );
		EXPECT_TRUE( Sounds().IsBackgroundMuted() );
		EXPECT_TRUE( Sounds().IsEffectsMuted() );
		const PlayerOptions saved = PlayerOptions::Load( OptionsFile() );
		EXPECT_TRUE( saved.mSoundMuted );
		EXPECT_FLOAT_EQ( saved.mEffectsVolume, SoundManager::kStartVolume );
	}

	TEST_F( MenuOptions, TheCheckboxesFollowEachOtherAndTheWindowsFocusKeepsThePlayersMutes )
	{
		OpenOptions();
		ButtonComponent* all = Button( "MenuMuteAllButton" );
		ButtonComponent* music = Button( "MenuMuteMusicButton" );
		Click( *all );
		EXPECT_EQ( all->mFunction, FUNC_SOUND_MUTED );
		EXPECT_EQ( music->mFunction, FUNC_MUSIC_MUTED ) << "muting everything mutes the music";
		Click( *all );
		EXPECT_EQ( music->mFunction, FUNC_MUSIC_MUTE ) << "and unmuting everything unmutes it";
		EXPECT_FALSE( Sounds().IsBackgroundMuted() );

		Click( *music );
		Window().mOnFocusLost.Raise();
		EXPECT_TRUE( Sounds().IsEffectsMuted() );
		Window().mOnFocusGained.Raise();
		EXPECT_TRUE( Sounds().IsBackgroundMuted() ) << "the player's mute outlasts the window's";
		EXPECT_FALSE( Sounds().IsEffectsMuted() );
	}

	TEST_F( MenuOptions, TheArrowsMoveTheHighlightEnterActivatesItAndEscapeGoesBack )
	{
		Buttons().ShowMainMenu();
		EXPECT_EQ( Buttons().Highlighted(), nullptr );
		const uint64_t before = Playbacks();
		Press( Key::Down );
		EXPECT_EQ( Buttons().Highlighted(), Button( "StartButton" ) ) << "the first arrow finds the first button";
		EXPECT_EQ( Playbacks(), before + 1 ) << "with the hover sound";
		EXPECT_EQ( Texture( *Button( "StartButton" ) ), "resource/menu/start2.png" );
		Press( Key::Down );
		EXPECT_EQ( Buttons().Highlighted(), Button( "LevelSelectButton" ) );
		EXPECT_FALSE( Button( "StartButton" )->mHovered );
		Press( Key::Up );
		EXPECT_EQ( Buttons().Highlighted(), Button( "StartButton" ) );
		Press( Key::Up );
		EXPECT_EQ( Buttons().Highlighted(), Button( "StartButton" ) ) << "nothing above the first";
		Press( Key::Down );
		Press( Key::Down );
		EXPECT_EQ( Buttons().Highlighted(), Button( "OptionsButton" ) );
		Press( Key::Enter );
		ASSERT_EQ( Buttons().TopPage(), GRP_OPTIONS );

		// Down the controls' column, and along a volume row past its bar.
		Press( Key::Down );
		EXPECT_EQ( Buttons().Highlighted(), Button( "MenuFullScreenButton" ) );
		Press( Key::Down );
		EXPECT_EQ( Buttons().Highlighted(), Button( "MenuEffectsDownButton" ) );
		Press( Key::Right );
		EXPECT_EQ( Buttons().Highlighted(), Button( "MenuEffectsUpButton" ) );
		Press( Key::Enter );
		EXPECT_FLOAT_EQ( Sounds().mEffectsVolume, 0.6f );
		EXPECT_EQ( Buttons().Highlighted(), Button( "MenuEffectsUpButton" ) ) << "still there for the next press";
		Press( Key::Enter );
		EXPECT_FLOAT_EQ( Sounds().mEffectsVolume, 0.8f );
		for ( int i = 0; i < 6; ++i )
			Press( Key::Down );
		EXPECT_EQ( Buttons().Highlighted(), Button( "MenuOptionsBackButton" ) );

		Press( Key::Escape );
		EXPECT_EQ( Buttons().TopPage(), GRP_MAINMENU );
		Press( Key::Escape );
		EXPECT_EQ( Buttons().TopPage(), GRP_MAINMENU ) << "the main menu is the bottom page";
	}

	TEST_F( MenuOptions, AWholeRunWithTheKeysAlone )
	{
		Buttons().ShowMainMenu();
		// Start.
		Press( Key::Down );
		Press( Key::Enter );
		ThroughLoadingScreen();
		ASSERT_NE( FindPlayer(), nullptr );

		// The in-game menu, its options and back, then the main menu through "are you sure".
		Press( Key::Escape );
		ASSERT_EQ( Buttons().TopPage(), GRP_IN_GAME_MENU );
		Press( Key::Down );
		EXPECT_EQ( Buttons().Highlighted(), Button( "ReturnButton" ) );
		Press( Key::Down );
		Press( Key::Down );
		Press( Key::Enter );
		ASSERT_EQ( Buttons().TopPage(), GRP_OPTIONS );
		Press( Key::Escape );
		ASSERT_EQ( Buttons().TopPage(), GRP_IN_GAME_MENU );
		EXPECT_TRUE( Buttons().IsPaused() );
		Press( Key::Down );
		Press( Key::Down );
		Press( Key::Down );
		Press( Key::Down );
		EXPECT_EQ( Buttons().Highlighted(), Button( "MainMenuButton" ) );
		Press( Key::Enter );
		ASSERT_EQ( Buttons().TopPage(), GRP_CONFIRMATION );
		Press( Key::Escape );
		EXPECT_EQ( Buttons().TopPage(), GRP_IN_GAME_MENU ) << "Escape says no";
		EXPECT_TRUE( Buttons().Pending().empty() );
		for ( int i = 0; i < 4; ++i )
			Press( Key::Down );
		Press( Key::Enter );
		ASSERT_EQ( Buttons().TopPage(), GRP_CONFIRMATION );
		Press( Key::Left );
		EXPECT_EQ( Buttons().Highlighted(), Button( "PauseYesButton" ) );
		Press( Key::Enter );
		ASSERT_TRUE( StepUntil( [&]() { return Buttons().TopPage() == GRP_MAINMENU && !Loading().IsShown(); } ) );
		EXPECT_EQ( FindPlayer(), nullptr );

		// Quit, through "are you sure".
		for ( int i = 0; i < 7; ++i )
			Press( Key::Down );
		EXPECT_EQ( Buttons().Highlighted(), Button( "QuitButton" ) );
		Press( Key::Enter );
		Press( Key::Right );
		EXPECT_EQ( Buttons().Highlighted(), Button( "MenuYesButton" ) );
		Press( Key::Right );
		EXPECT_EQ( Buttons().Highlighted(), Button( "MenuNoButton" ) );
		Press( Key::Left );
		Press( Key::Enter );
		EXPECT_TRUE( mGame->Project().IsExiting() );
	}
}
