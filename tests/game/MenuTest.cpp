// The menus in the whole game, headless: pages open over each other and close again,
// the pointer hovers and clicks, the options move the sound and the window and are
// kept, the functions that change levels wait for the loading screen, the in-game menu
// pauses the game, and a level's end brings up the score screen.
#include "Core/ObjectManager.h"
#include "Game/LevelEnd.h"
#include "Game/Player.h"
#include "Game/ScoreManager.h"
#include "GameStates/ButtonComponent.h"
#include "GameStates/LevelManager.h"
#include "GameStates/LevelObject.h"
#include "GameStates/LoadingScreen.h"
#include "GameStates/SoundManager.h"
#include "Graphics/Camera.h"
#include "Graphics/FontComponent.h"
#include "Graphics/MeshComponent.h"
#include "Input/KeyCodes.h"
#include "Physics/CollisionComponent.h"
#include "Physics/PhysicsManager.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateTypes.h"
#include "core/Services.h"
#include "support/LogCapture.h"
#include "support/MenuGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace
{
	using namespace Tarn;

	class Menus : public KelvaneTest::MenuGame
	{
	protected:
		LevelManager& Levels() const { return *Services::Get<LevelManager>(); }

		// Into the first level through Start and the loading screen.
		void StartTheGame()
		{
			Buttons().ShowMainMenu();
			Click( FUNC_START );
			ThroughLoadingScreen();
		}

		float AudibleMusic() const
		{
			const SoundManager::SoundEntry* music = Sounds().GetSound( ButtonManager::kLevelMusic );
			float volume = 0.0f;
			music->second.GetAudibleVolume( volume );
			return volume;
		}
	};

	TEST_F( Menus, OptionsOpensOverTheMainMenuWhichStaysDimmedAndDeafUntilBack )
	{
		Buttons().ShowMainMenu();
		ASSERT_EQ( Buttons().TopPage(), GRP_MAINMENU );
		ButtonComponent* start = Button( "StartButton" );
		ButtonComponent* logo = Button( "MainMenuLogo" );
		EXPECT_TRUE( Visible( *start ) );
		EXPECT_FLOAT_EQ( Shade( *start ), 1.0f );

		Click( FUNC_OPTIONS );
		EXPECT_EQ( Buttons().TopPage(), GRP_OPTIONS );
		EXPECT_EQ( Buttons().Pages().size(), 2u );
		for ( const ButtonComponent* button : { start, logo } )
		{
			EXPECT_TRUE( Visible( *button ) ) << "the main menu stays in sight";
			EXPECT_FLOAT_EQ( Shade( *button ), 0.2f );
			EXPECT_FALSE( button->mActiveButton );
		}
		EXPECT_TRUE( Visible( *Button( "MenuOptionsPage" ) ) );

		// Where Start is, under the options page, a click finds nothing of the main menu.
		const uint64_t before = Playbacks();
		ClickAt( start->Centre() );
		EXPECT_EQ( Buttons().TopPage(), GRP_OPTIONS );
		EXPECT_TRUE( Buttons().Pending().empty() );
		EXPECT_FALSE( Loading().IsShown() );
		EXPECT_EQ( Playbacks(), before );

		Click( FUNC_BACK );
		EXPECT_EQ( Buttons().TopPage(), GRP_MAINMENU );
		EXPECT_FLOAT_EQ( Shade( *start ), 1.0f );
		EXPECT_TRUE( start->mActiveButton );
		EXPECT_FALSE( Visible( *Button( "MenuOptionsPage" ) ) ) << "a closed page goes";

		// How to play, the credits and the level select open and close the same way.
		for ( const ButtonFunction opener : { FUNC_HOWTOPLAY, FUNC_CREDITS, FUNC_LEVEL_SELECT } )
		{
			Click( opener );
			EXPECT_NE( Buttons().TopPage(), GRP_MAINMENU ) << opener;
			Click( FUNC_BACK );
			EXPECT_EQ( Buttons().TopPage(), GRP_MAINMENU ) << opener;
		}
	}

	TEST_F( Menus, TwoOverlappingButtonsUnderOneClickBothActivate )
	{
		Sounds().SetEffectsVolume( 0.0f );
		Buttons().ShowMainMenu();
		Click( FUNC_OPTIONS );
		// A second "louder" button lying over the first.
		ButtonComponent* first = OnTopPage( FUNC_SOUND_INC );
		Object* copy = Make( "ButtonObject", "SecondLouder" );
		auto* second = copy->GetComponent<ButtonComponent>();
		second->mGroup = GRP_OPTIONS;
		second->mFunction = FUNC_SOUND_INC;
		second->mTopRight = first->mTopRight;
		second->mBottomLeft = first->mBottomLeft;
		Buttons().File( *second );
		second->Show();

		Click( *first );
		EXPECT_FLOAT_EQ( Sounds().mEffectsVolume, 0.4f ) << "both stepped the volume";
	}

	TEST_F( Menus, FiveStepsUpFromSilenceShowBarRowsOneToFiveAndASixthOnlySounds )
	{
		Sounds().SetEffectsVolume( 0.0f );
		Buttons().ShowMainMenu();
		Click( FUNC_OPTIONS );
		ButtonComponent* bar = Button( "MenuEffectsVolumeBar" );
		EXPECT_EQ( Texture( *bar ), "resource/menu/bar row0.png" );
		for ( int row = 1; row <= 5; ++row )
		{
			Click( FUNC_SOUND_INC );
			EXPECT_EQ( Texture( *bar ), "resource/menu/bar row" + std::to_string( row ) + ".png" );
		}
		EXPECT_FLOAT_EQ( Sounds().mEffectsVolume, 1.0f );
		const uint64_t before = Playbacks();
		Click( FUNC_SOUND_INC );
		EXPECT_EQ( Playbacks(), before + 1 ) << "the function sound plays all the same";
		EXPECT_FLOAT_EQ( Sounds().mEffectsVolume, 1.0f );
		EXPECT_EQ( Texture( *bar ), "resource/menu/bar row5.png" );

		// Down again, and the music's bar is its own.
		Click( FUNC_SOUND_DEC );
		EXPECT_EQ( Texture( *bar ), "resource/menu/bar row4.png" );
		Click( FUNC_MUSIC_SOUND_DEC );
		EXPECT_FLOAT_EQ( Sounds().mMusicVolume, 0.2f );
		EXPECT_EQ( Texture( *Button( "MenuMusicVolumeBar" ) ), "resource/menu/bar row1.png" );
		EXPECT_EQ( Texture( *bar ), "resource/menu/bar row4.png" );
	}

	TEST_F( Menus, HoveringPlaysItsSoundOncePerEntryAndShowsTheHighlightedPicture )
	{
		Buttons().ShowMainMenu();
		ButtonComponent* start = Button( "StartButton" );
		EXPECT_EQ( Texture( *start ), "resource/menu/start.png" );
		const uint64_t before = Playbacks();
		PointAt( start->Centre() );
		PointAt( start->Centre() + Vector2( 0.5f, 0.1f ) );
		EXPECT_EQ( Playbacks(), before + 1 );
		EXPECT_TRUE( start->mHovered );
		EXPECT_EQ( Texture( *start ), "resource/menu/start2.png" );

		PointAt( Vector2( -12.0f, 0.0f ) );
		EXPECT_FALSE( start->mHovered );
		EXPECT_EQ( Texture( *start ), "resource/menu/start.png" );
		PointAt( start->Centre() );
		EXPECT_EQ( Playbacks(), before + 2 ) << "a new entry sounds again";
		// The pointer leaving the window leaves nothing highlighted.
		mGame->Window().mOnMouseLeave.Raise();
		EXPECT_FALSE( start->mHovered );

		// Page pictures are never hovered.
		ButtonComponent* logo = Button( "MainMenuLogo" );
		PointAt( logo->Centre() );
		EXPECT_FALSE( logo->mHovered );
	}

	TEST_F( Menus, ALevelButtonWaitsForTheLoadingScreenThenLoadsItsLevel )
	{
		// Level 7 is the first level's file under the seventh name.
		mResources.Point( "Level7", std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml" );
		Buttons().ShowMainMenu();
		Click( FUNC_LEVEL_SELECT );
		ASSERT_EQ( Buttons().TopPage(), GRP_LEVEL_SELECT );
		ButtonComponent* seven = OnTopPage( LevelFunction( 7 ) );
		EXPECT_EQ( Texture( *seven ), "resource/menu/level select/blue/levelselect7blue.png" );
		PointAt( seven->Centre() );
		EXPECT_EQ( Texture( *seven ), "resource/menu/level select/blue/levelselect7bluehover.png" );

		Click( *seven );
		EXPECT_EQ( Levels().mLevelNumber, 7 );
		ASSERT_EQ( Buttons().Pending().size(), 1u );
		EXPECT_EQ( Buttons().Pending().back(), FUNC_LEVEL_1 + 6 );
		EXPECT_TRUE( Loading().IsShown() );
		EXPECT_EQ( FindPlayer(), nullptr ) << "nothing loads before the loading screen is up";
		// The screen fades in at 2 a second to 1.5: the function waits until it is there.
		Step( 20 );
		EXPECT_FALSE( Buttons().Pending().empty() );
		EXPECT_LT( Loading().Alpha(), LoadingScreen::kUpAlpha );

		ThroughLoadingScreen();
		EXPECT_EQ( Levels().mLevelNumber, 7 );
		EXPECT_NE( FindPlayer(), nullptr );
		EXPECT_FALSE( Buttons().TopPage().has_value() );
		EXPECT_TRUE( Buttons().Buttons( GRP_MAINMENU ).empty() ) << "the main menu is gone";
		EXPECT_FALSE( Buttons().Buttons( GRP_IN_GAME_MENU ).empty() ) << "the in-game menu is ready";
		EXPECT_TRUE( Buttons().IsInLevel() );
	}

	TEST_F( Menus, ALevelWithoutItsFileIsDimmedAndTakesNoClick )
	{
		Buttons().ShowMainMenu();
		Click( FUNC_LEVEL_SELECT );
		ButtonComponent* one = OnTopPage( FUNC_LEVEL_1 );
		ButtonComponent* twelve = OnTopPage( LevelFunction( 12 ) );
		EXPECT_TRUE( one->mActiveButton );
		EXPECT_FALSE( twelve->mActiveButton );
		EXPECT_FLOAT_EQ( Shade( *twelve ), 0.2f );
		EXPECT_EQ( Texture( *twelve ), "resource/menu/level select/orange/levelselect2orange.png" );
		Click( *twelve );
		EXPECT_TRUE( Buttons().Pending().empty() );
		EXPECT_FALSE( Loading().IsShown() );
	}

	TEST_F( Menus, ReloadingAMenuLevelLeavesEveryButtonFiledOnceAndNoneOfADestroyedObject )
	{
		Buttons().ShowMainMenu();
		std::vector<size_t> counts;
		for ( int group = GRP_MAINMENU; group < GRP_TOTAL; ++group )
			counts.push_back( Buttons().Buttons( ButtonGroup( group ) ).size() );
		EXPECT_EQ( counts[GRP_LEVEL_SELECT], 22u ) << "20 levels, the page and Back";
		for ( int again = 0; again < 3; ++again )
			Buttons().ShowMainMenu();
		for ( int group = GRP_MAINMENU; group < GRP_TOTAL; ++group )
		{
			const auto& buttons = Buttons().Buttons( ButtonGroup( group ) );
			EXPECT_EQ( buttons.size(), counts[size_t( group )] ) << "group " << group;
			std::set<const ButtonComponent*> distinct( buttons.begin(), buttons.end() );
			EXPECT_EQ( distinct.size(), buttons.size() );
			for ( const ButtonComponent* button : buttons )
			{
				Object* owner = ObjectManager::Instance().GetObject( button->mOwner->GetName() );
				ASSERT_NE( owner, nullptr );
				EXPECT_EQ( owner->GetComponent<ButtonComponent>(), button ) << "a live object's own button";
			}
		}
		EXPECT_EQ( Buttons().Pages().size(), 1u );

		Buttons().LeaveMainMenu();
		for ( int group = GRP_MAINMENU; group < GRP_TOTAL; ++group )
			EXPECT_TRUE( Buttons().Buttons( ButtonGroup( group ) ).empty() ) << "group " << group;
	}

	TEST_F( Menus, TheInGameMenuPausesTheGameAndThePauseFlagFollowsItThroughARestart )
	{
		StartTheGame();
		auto* physics = Services::Get<Physics::PhysicsManager>();
		ASSERT_TRUE( physics->mEnabled );
		Press( Key::Escape );
		EXPECT_EQ( Buttons().TopPage(), GRP_IN_GAME_MENU );
		EXPECT_TRUE( Buttons().IsPaused() );
		EXPECT_FALSE( physics->mEnabled );
		EXPECT_TRUE( Buttons().HoldsInput() );

		Click( FUNC_RESTART_LEVEL );
		EXPECT_FALSE( Buttons().TopPage().has_value() );
		EXPECT_FALSE( Buttons().IsPaused() );
		EXPECT_TRUE( physics->mEnabled );
		EXPECT_NE( FindPlayer(), nullptr );

		// The flag has not drifted: Escape opens and pauses, Escape closes and resumes.
		Press( Key::Escape );
		EXPECT_TRUE( Buttons().IsPaused() );
		EXPECT_FALSE( physics->mEnabled );
		Press( Key::Escape );
		EXPECT_FALSE( Buttons().IsPaused() );
		EXPECT_TRUE( physics->mEnabled );
		EXPECT_FALSE( Buttons().TopPage().has_value() );
		EXPECT_FALSE( Visible( *Button( "PausePage" ) ) ) << "a closed in-game menu leaves nothing on the level";

		// Return closes it too.
		Press( Key::Escape );
		Click( FUNC_RETURN );
		EXPECT_FALSE( Buttons().IsPaused() );
		EXPECT_TRUE( physics->mEnabled );
	}

	// A level wider than the screen has its camera follow the ship; the pages stand at the
	// middle of the world, so the camera looks there while one is open over the level.
	TEST_F( Menus, APageOverALevelWhoseCameraFollowsTheShipBringsTheCameraToItAndBack )
	{
		StartTheGame();
		// The camera such a level brings with it.
		ObjectManager& objects = ObjectManager::Instance();
		Object* made = objects.CreateObject( Graphics::Camera::ClassHashedName(), "Camera1" );
		ASSERT_NE( made, nullptr );
		objects.InitialiseObject( made );
		auto* camera = objects.GetObjectOfType<Graphics::Camera>( HashedName( "Camera1" ) );
		ASSERT_NE( camera, nullptr );
		camera->StartFollowing();
		camera->mLook.x = camera->mEye.x = 30.0f;

		Press( Key::Escape );
		ASSERT_EQ( Buttons().TopPage(), GRP_IN_GAME_MENU );
		EXPECT_FALSE( camera->mFollowPlayer );
		EXPECT_FLOAT_EQ( camera->mLook.x, 0.0f );
		EXPECT_FLOAT_EQ( camera->mEye.x, 0.0f );
		Press( Key::Escape );
		EXPECT_FALSE( Buttons().TopPage().has_value() );
		EXPECT_TRUE( camera->mFollowPlayer ) << "back to following the ship";

		// Twice over, and then the score screen the same way.
		Press( Key::Escape );
		EXPECT_FALSE( camera->mFollowPlayer );
		Press( Key::Escape );
		EXPECT_TRUE( camera->mFollowPlayer );
		camera->mLook.x = camera->mEye.x = 30.0f;
		EndPlayedLevel();
		EXPECT_FALSE( camera->mFollowPlayer );
		EXPECT_FLOAT_EQ( camera->mLook.x, 0.0f );

		// A level whose camera stands still keeps it where it is.
		Click( FUNC_RESTART_LEVEL );
		camera->mFollowPlayer = false;
		camera->mLook.x = 4.0f;
		Press( Key::Escape );
		Press( Key::Escape );
		EXPECT_FALSE( camera->mFollowPlayer );
		EXPECT_FLOAT_EQ( camera->mLook.x, 4.0f );
	}

	TEST_F( Menus, TheInGameMenuLowersTheMusicUnderThePlayersVolumeAndClosingItRestoresIt )
	{
		Sounds().SetMusicVolume( 0.8f );
		StartTheGame();
		EXPECT_NEAR( AudibleMusic(), 0.8f, 1.0f / 128 );
		Press( Key::Escape );
		EXPECT_FLOAT_EQ( Sounds().mMusicVolume, 0.8f ) << "the player's volume is the player's";
		EXPECT_NEAR( AudibleMusic(), 0.8f * ButtonManager::kMenuMusicShare, 1.0f / 128 );
		Press( Key::Escape );
		EXPECT_NEAR( AudibleMusic(), 0.8f, 1.0f / 128 );

		// The options page over the in-game menu changes the volume the game returns to.
		Press( Key::Escape );
		Click( FUNC_OPTIONS );
		Click( FUNC_MUSIC_SOUND_DEC );
		Click( FUNC_BACK );
		Click( FUNC_RETURN );
		EXPECT_NEAR( AudibleMusic(), 0.6f, 1.0f / 128 );
	}

	TEST_F( Menus, AConfirmationAskedWhileTheLoadingScreenIsUpWaitsForTheAnswer )
	{
		Buttons().ShowMainMenu();
		Loading().Show();
		ASSERT_TRUE( StepUntil( [&]() { return Loading().IsUp(); } ) );
		Buttons().AskConfirmation( FUNC_EXITPROGRAM );
		Step( 30 );
		EXPECT_FALSE( mGame->Project().IsExiting() );
		ASSERT_EQ( Buttons().Pending().size(), 1u );
		EXPECT_EQ( Buttons().TopPage(), GRP_CONFIRMATION );

		Loading().Continue();
		ASSERT_TRUE( StepUntil( [&]() { return !Loading().IsShown(); } ) );
		Click( FUNC_CONFIRMATION_NO );
		EXPECT_TRUE( Buttons().Pending().empty() );
		EXPECT_EQ( Buttons().TopPage(), GRP_MAINMENU );
		EXPECT_FALSE( mGame->Project().IsExiting() );

		Click( FUNC_EXITPROGRAM );
		EXPECT_TRUE( Visible( *Button( "MenuConfirmationPage" ) ) );
		EXPECT_FALSE( mGame->Project().IsExiting() );
		Click( FUNC_CONFIRMATION_YES );
		EXPECT_TRUE( mGame->Project().IsExiting() );
	}

	TEST_F( Menus, BackToTheMainMenuFromALevelThroughTheConfirmation )
	{
		StartTheGame();
		Press( Key::Escape );
		Click( FUNC_EXITGAME );
		EXPECT_EQ( Buttons().TopPage(), GRP_CONFIRMATION );
		EXPECT_TRUE( Visible( *Button( "PausePage" ) ) ) << "the in-game menu stays in sight, dimmed";
		EXPECT_FLOAT_EQ( Shade( *Button( "PausePage" ) ), 0.2f );
		Click( FUNC_CONFIRMATION_YES );
		EXPECT_FALSE( Buttons().IsPaused() );
		EXPECT_TRUE( Loading().IsShown() );
		ASSERT_TRUE( StepUntil( [&]() { return Buttons().TopPage() == GRP_MAINMENU; } ) );
		EXPECT_EQ( FindPlayer(), nullptr ) << "the level is gone";
		EXPECT_TRUE( Buttons().Buttons( GRP_IN_GAME_MENU ).empty() );
		EXPECT_FALSE( Buttons().IsInLevel() );
		ASSERT_TRUE( StepUntil( [&]() { return !Loading().IsShown(); } ) ) << "it fades out by itself";
		// Escape on the main menu goes nowhere.
		Press( Key::Escape );
		EXPECT_EQ( Buttons().TopPage(), GRP_MAINMENU );
	}

	TEST_F( Menus, ALevelsEndZoomsInTheScoreScreenWonOrLost )
	{
		StartTheGame();
		KelvaneTest::LogCapture log;
		EndPlayedLevel();
		const std::vector<std::string> texts = log.Texts();
		EXPECT_TRUE( std::any_of( texts.begin(), texts.end(), []( const std::string& text ) { return text.rfind( "Level 1 won, score ", 0 ) == 0; } ) )
		    << "said at once, as scripts read it";
		EXPECT_EQ( Buttons().TopPage(), GRP_SCORE_SCREEN );
		ButtonComponent* won = Button( ButtonManager::kWonPageName );
		ButtonComponent* next = OnTopPage( FUNC_NEXT_LEVEL );
		EXPECT_TRUE( Visible( *won ) );
		EXPECT_FALSE( Visible( *Button( ButtonManager::kLostPageName ) ) );
		EXPECT_TRUE( Visible( *next ) );
		const auto* transform = next->mOwner->GetComponent<TransformComponent>();
		EXPECT_FLOAT_EQ( transform->mXScaleFactor, 0.0f );
		EXPECT_TRUE( Buttons().IsZooming() );
		Step();
		EXPECT_NEAR( transform->mXScaleFactor, next->mRestScale.X * ( 1.0f - 0.8f * 0.8f ), 1e-3f ) << "a fifth of the way each update";
		ASSERT_TRUE( StepUntil( [&]() { return !Buttons().IsZooming(); } ) );
		EXPECT_FLOAT_EQ( transform->mXScaleFactor, next->mRestScale.X );
		EXPECT_FLOAT_EQ( won->mOwner->GetComponent<TransformComponent>()->mYScaleFactor, won->mRestScale.Y );
		EXPECT_TRUE( Services::Get<ScoreManager>()->IsShowing() );

		// Restart leaves the score screen for the level again.
		Click( FUNC_RESTART_LEVEL );
		EXPECT_FALSE( Buttons().TopPage().has_value() );
		EXPECT_FALSE( Services::Get<ScoreManager>()->IsShowing() );
		EXPECT_FLOAT_EQ( transform->mXScaleFactor, next->mRestScale.X );

		// A ship that died: the lost page and no way on.
		auto* machine = FindPlayer()->GetComponent<StateMachines::StateMachineComponent>();
		machine->mState = StateMachines::STATE_DIE;
		EndPlayedLevel();
		EXPECT_TRUE( log.Contains( "Level 1 lost" ) );
		EXPECT_TRUE( Visible( *Button( ButtonManager::kLostPageName ) ) );
		EXPECT_FALSE( Visible( *won ) );
		EXPECT_FALSE( Visible( *next ) );
		EXPECT_FALSE( next->mActiveButton );
	}

	TEST_F( Menus, NextLevelAfterTheLastLevelThereIsGoesBackToTheMainMenu )
	{
		StartTheGame();
		EndPlayedLevel();
		Click( FUNC_NEXT_LEVEL );
		EXPECT_TRUE( Loading().IsShown() );
		ASSERT_TRUE( StepUntil( [&]() { return Buttons().TopPage() == GRP_MAINMENU; } ) ) << "there is no level 2 yet";
		EXPECT_EQ( FindPlayer(), nullptr );

		// With a second level there, it is loaded instead.
		mResources.Point( "Level2", std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml" );
		ASSERT_TRUE( StepUntil( [&]() { return !Loading().IsShown(); } ) );
		Click( FUNC_START );
		ThroughLoadingScreen();
		EndPlayedLevel();
		Click( FUNC_NEXT_LEVEL );
		ThroughLoadingScreen();
		EXPECT_EQ( Levels().mLevelNumber, 2 );
		EXPECT_NE( FindPlayer(), nullptr );
		EXPECT_FALSE( Buttons().TopPage().has_value() );
	}

	TEST_F( Menus, ClickToContinueBlinksRedFallingSlowlyAndRisingTwiceAsFast )
	{
		auto* text = ObjectManager::Instance()
		                 .GetObject( HashedName( ButtonManager::kClickToContinueName ) )
		                 ->GetComponent<Graphics::FontComponent>();
		EXPECT_FALSE( text->mVisible );
		EXPECT_EQ( text->mText, "Click to continue..." );
		Buttons().StartBlinking();
		EXPECT_TRUE( text->mVisible );
		EXPECT_NEAR( Buttons().BlinkAlpha(), 1.0f - 0.015f, 1e-5f );
		EXPECT_EQ( text->mColour & 0xFFFFFFu, 0xFF0000u );
		int updates = 1;
		while ( Buttons().BlinkAlpha() > 0.0f && updates < 1000 )
		{
			Buttons().Update( mGame->Project().GetGameTime() );
			++updates;
		}
		EXPECT_NEAR( float( updates ), 1.0f / 0.015f, 1.5f );
		EXPECT_EQ( text->mColour >> 24, 0u );
		Buttons().Update( mGame->Project().GetGameTime() );
		EXPECT_GT( Buttons().BlinkAlpha(), 0.0f ) << "rising again";
		const float rising = Buttons().BlinkAlpha();
		Buttons().Update( mGame->Project().GetGameTime() );
		EXPECT_NEAR( Buttons().BlinkAlpha() - rising, 0.03f, 1e-5f );
		Buttons().StopBlinking();
		EXPECT_FALSE( text->mVisible );
	}

	TEST_F( Menus, TheShipAndItsBeamLeaveTheInputToAnOpenPage )
	{
		StartTheGame();
		Object* player = FindPlayer();
		auto* transform = player->GetComponent<TransformComponent>();
		Press( Key::Escape );
		const Vector2 velocity = transform->mVelocity;
		mGame->Window().mOnKeyDown.Raise( Key::W );
		Step( 10 );
		mGame->Window().mOnKeyUp.Raise( Key::W );
		EXPECT_EQ( transform->mVelocity, velocity ) << "W steers nothing under the in-game menu";
		EXPECT_FALSE( Services::Get<ScoreManager>()->IsStarted() ) << "and starts no clock";
	}
}
