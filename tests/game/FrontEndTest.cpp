// The front end in the whole game, headless: the game opens on its splash over the main
// menu, a won level's grade shows on the level select and is still there after a
// restart, a death grades nothing, the levels past the campaign are locked, and a cold
// start goes through the splash, the loading screen and the first level's solution to
// the score screen and back to a graded level select.
#include "Core/GameStateManager.h"
#include "Game/LevelEnd.h"
#include "Game/Player.h"
#include "GameStates/ButtonComponent.h"
#include "GameStates/GameLevelSelector.h"
#include "GameStates/LevelManager.h"
#include "GameStates/LoadingScreen.h"
#include "GameStates/MainMenuState.h"
#include "Graphics/FontComponent.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextureList.h"
#include "Input/KeyCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateTypes.h"
#include "core/Services.h"
#include "support/MenuGame.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace
{
	using namespace Tarn;

	class FrontEnd : public KelvaneTest::MenuGame
	{
	protected:
		// What the game does when no level is asked for.
		void ColdStart()
		{
			GameStateManager::Instance().PushState( new MainMenuState() );
			GameStateManager::Instance().ProcessRequests();
		}

		const GameLevelSelector& Selector() const { return *Services::Get<GameLevelSelector>(); }

		std::string LoadingPicture() const { return Loading().GetComponent<Graphics::MeshComponent>()->GetTextureName(); }

		// Level 1 played from the main menu to its end, won or with the ship dead.
		void PlayLevelOne( bool die )
		{
			Buttons().ShowMainMenu();
			Click( FUNC_START );
			ThroughLoadingScreen();
			if ( die )
				FindPlayer()->GetComponent<StateMachines::StateMachineComponent>()->mState = StateMachines::STATE_DIE;
			EndPlayedLevel();
		}

		// The first level's solution, its steps counted on from the game's step now.
		InputScript SolutionFromNow() const
		{
			const uint64_t now = mGame->Project().GetStepCount();
			std::ifstream file( std::string( KELVANE_DATA_ROOT ) + "/tests/solutions/Level1.txt" );
			std::ostringstream shifted;
			for ( std::string line; std::getline( file, line ); )
			{
				std::istringstream in( line );
				uint64_t step = 0;
				if ( !( in >> step ) )
					continue;
				std::string rest;
				std::getline( in, rest );
				shifted << step + now << rest << '\n';
			}
			InputScript script;
			std::string error;
			EXPECT_TRUE( script.Parse( shifted.str(), "Level1.txt", error ) ) << error;
			EXPECT_FALSE( script.Events().empty() );
			return script;
		}

		ButtonComponent* LevelButtonOnTheSelect( int32_t level )
		{
			Buttons().ShowMainMenu();
			Click( FUNC_LEVEL_SELECT );
			EXPECT_EQ( Buttons().TopPage(), GRP_LEVEL_SELECT );
			return OnTopPage( LevelFunction( level ) );
		}
	};

	TEST_F( FrontEnd, TheGameOpensOnTheSplashWhichAClickOrEnterFadesToTheMainMenu )
	{
		for ( const bool withKeys : { false, true } )
		{
			SCOPED_TRACE( withKeys ? "Enter" : "a click" );
			Restart();
			ColdStart();
			ASSERT_TRUE( Loading().IsShown() );
			EXPECT_TRUE( Loading().IsSplash() );
			EXPECT_TRUE( Loading().IsWaiting() );
			EXPECT_EQ( LoadingPicture(), LoadingScreen::kSplashPicture );
			EXPECT_TRUE( Buttons().IsBlinking() ) << "Click to continue...";
			EXPECT_EQ( Buttons().TopPage(), GRP_MAINMENU );

			// The answer only lets the splash go: the menu under it does not take it too.
			if ( withKeys )
			{
				Press( Key::Down );
				Press( Key::Enter );
			}
			else
				Click( *OnTopPage( FUNC_START ) );
			EXPECT_TRUE( Buttons().Pending().empty() );
			EXPECT_FALSE( Buttons().IsBlinking() );
			ASSERT_TRUE( StepUntil( [&]() { return !Loading().IsShown(); } ) );
			EXPECT_EQ( Buttons().TopPage(), GRP_MAINMENU );
			EXPECT_EQ( Buttons().Highlighted(), nullptr );

			// The loading screen after it shows its own picture with the level's tip.
			Click( FUNC_START );
			EXPECT_EQ( LoadingPicture(), LoadingScreen::kPicture );
			EXPECT_FALSE( Loading().IsSplash() );
			ThroughLoadingScreen();
			EXPECT_NE( FindPlayer(), nullptr );
		}
	}

	TEST_F( FrontEnd, AWonLevelsGradeShowsOnTheLevelSelectAndOutlastsARestart )
	{
		PlayLevelOne( true );
		EXPECT_FALSE( Selector().Entry( 1 )->mGraded ) << "a death grades nothing";

		Click( FUNC_RESTART_LEVEL );
		EndPlayedLevel();
		const LevelPicture* one = Selector().Entry( 1 );
		ASSERT_TRUE( one->mGraded );
		EXPECT_GT( one->mScore, 0 );
		const std::string graded = Graphics::LevelSelectPicture( 1, GameLevelSelector::GradeOf( one->mScore ), false );
		EXPECT_EQ( one->mPicture, graded );

		ButtonComponent* button = LevelButtonOnTheSelect( 1 );
		EXPECT_EQ( Texture( *button ), graded );
		PointAt( button->Centre() );
		EXPECT_EQ( Texture( *button ), Graphics::LevelSelectPicture( 1, one->mGrade, true ) );

		Restart();
		EXPECT_EQ( Texture( *LevelButtonOnTheSelect( 1 ) ), graded ) << "kept in the grades file";
		EXPECT_EQ( Texture( *OnTopPage( LevelFunction( 2 ) ) ), Graphics::LevelSelectPicture( 2, GRADE_NONE, false ) );
	}

	TEST_F( FrontEnd, LevelsPastTheCampaignAreLockedEvenWithAFile )
	{
		const std::string first = std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml";
		for ( const char* id : { "Level18", "Level19", "Level20" } )
			mResources.Point( id, first );
		ButtonComponent* eighteen = LevelButtonOnTheSelect( 18 );
		EXPECT_TRUE( eighteen->mActiveButton );
		for ( const int32_t level : { 19, 20 } )
		{
			ButtonComponent* locked = OnTopPage( LevelFunction( level ) );
			EXPECT_FALSE( locked->mActiveButton ) << level;
			EXPECT_FLOAT_EQ( Shade( *locked ), ButtonComponent::kDimmed ) << level;
			Click( *locked );
			EXPECT_TRUE( Buttons().Pending().empty() ) << level;
			EXPECT_FALSE( Loading().IsShown() ) << level;
		}
		Click( *eighteen );
		EXPECT_EQ( Buttons().Pending().size(), 1u );
	}

	// With the mouse alone.
	TEST_F( FrontEnd, AColdStartPlaysThroughTheFirstLevelToItsGradeOnTheLevelSelect )
	{
		ColdStart();
		ClickAt( Vector2() );
		ASSERT_TRUE( StepUntil( [&]() { return !Loading().IsShown(); } ) ) << "the splash went";
		Click( FUNC_START );
		ASSERT_TRUE( StepUntil( [&]() { return Loading().IsWaiting(); } ) );
		EXPECT_EQ( Services::Get<LevelManager>()->mLevelNumber, 1 );
		ClickAt( Vector2() );
		ASSERT_TRUE( StepUntil( [&]() { return !Loading().IsShown(); } ) );

		mGame->Window().SetInputScript( SolutionFromNow() );
		ASSERT_TRUE( StepUntil( [&]() { return Buttons().TopPage() == GRP_SCORE_SCREEN; }, 2000 ) ) << "the solution wins the level";
		const LevelPicture* one = Selector().Entry( 1 );
		ASSERT_TRUE( one->mGraded );
		ASSERT_TRUE( StepUntil( [&]() { return !Buttons().IsZooming(); } ) );

		// Main Menu, "are you sure", yes, and the loading screen back to the menu.
		Click( FUNC_EXITGAME );
		Click( FUNC_CONFIRMATION_YES );
		ASSERT_TRUE( StepUntil( [&]() { return !Loading().IsShown(); } ) );
		EXPECT_EQ( Buttons().TopPage(), GRP_MAINMENU );
		EXPECT_EQ( Texture( *LevelButtonOnTheSelect( 1 ) ), Graphics::LevelSelectPicture( 1, one->mGrade, false ) );
	}

	TEST_F( FrontEnd, AWholeRunWithTheKeysAloneThroughTheLevelSelectAndTheScoreScreen )
	{
		ColdStart();
		Press( Key::Enter );
		ASSERT_TRUE( StepUntil( [&]() { return !Loading().IsShown(); } ) );
		// Level Select is the second button; the first arrow on its page finds level 1.
		Press( Key::Down );
		Press( Key::Down );
		EXPECT_EQ( Buttons().Highlighted()->mFunction, FUNC_LEVEL_SELECT );
		Press( Key::Enter );
		ASSERT_EQ( Buttons().TopPage(), GRP_LEVEL_SELECT );
		Press( Key::Right );
		EXPECT_EQ( Buttons().Highlighted()->mFunction, FUNC_LEVEL_1 );
		Press( Key::Enter );
		ASSERT_TRUE( Loading().IsShown() );
		EXPECT_EQ( Loading().GetComponent<Graphics::FontComponent>()->mText, LoadingScreen::Tip( 1 ) );
		ThroughLoadingScreen();
		ASSERT_NE( FindPlayer(), nullptr );

		EndPlayedLevel();
		ASSERT_EQ( Buttons().TopPage(), GRP_SCORE_SCREEN );
		ASSERT_TRUE( StepUntil( [&]() { return !Buttons().IsZooming(); } ) );
		Press( Key::Right );
		EXPECT_EQ( Buttons().Highlighted()->mFunction, FUNC_NEXT_LEVEL );
		// Level 1 is the last level there is: Next Level goes back to the main menu.
		Press( Key::Enter );
		ASSERT_TRUE( StepUntil( [&]() { return Buttons().TopPage() == GRP_MAINMENU && !Loading().IsShown(); }, 1200 ) );
		EXPECT_EQ( FindPlayer(), nullptr );
		EXPECT_TRUE( Selector().Entry( 1 )->mGraded );
	}

	TEST( LoadingTips, EachCampaignLevelHasItsTipInOrderAndOthersKeepTheLastOne )
	{
		EXPECT_STREQ( LoadingScreen::Tip( 1 ), "Use your Energy Beam on Prisms to create \nEnergy Cones that can interact with \nyour environment." );
		EXPECT_STREQ( LoadingScreen::Tip( 7 ), "Do not harm the Crytals!" );
		EXPECT_STREQ( LoadingScreen::Tip( 8 ), "I repeat: Do not harm the Crytals!" );
		EXPECT_STREQ( LoadingScreen::Tip( 13 ), "Mirrors reflect your Energy Beam. \nUse them to your advantage." );
		EXPECT_STREQ( LoadingScreen::Tip( 18 ), "One more, and we should be home free!\nBe warned, the last one is never easy." );
		for ( const int32_t level : { 0, 19, 20, -3 } )
			EXPECT_EQ( LoadingScreen::Tip( level ), nullptr ) << level;
	}
}
