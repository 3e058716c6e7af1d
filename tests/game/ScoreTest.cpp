// The level's score: awards and their counters, the clock, and the reckoning at the end.
#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Game/ScoreManager.h"
#include "GameStates/LevelManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/FontComponent.h"
#include "Input/KeyCodes.h"
#include "Input/KeyboardManager.h"
#include "Input/MouseManager.h"
#include "Physics/StatsComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "core/Services.h"
#include "support/HeadlessGame.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
	using Tarn::ScoreManager;

	TEST( ScoreReckoning, HealthAndTimeScores )
	{
		EXPECT_EQ( ScoreManager::HealthScore( 100.0f ), 1300 );
		EXPECT_EQ( ScoreManager::HealthScore( 99.0f ), 990 );
		EXPECT_EQ( ScoreManager::HealthScore( 0.0f ), 0 );
		EXPECT_EQ( ScoreManager::TimeScore( 1, 12.5f ), 750 );
		EXPECT_EQ( ScoreManager::TimeScore( 1, 20.0f ), 0 );
		EXPECT_EQ( ScoreManager::TimeScore( 1, 25.0f ), -500 ) << "over par costs";
		EXPECT_EQ( ScoreManager::TimeScore( 18, 0.0f ), 10000 );
		// Levels without a par (the boss levels, a level loaded by file name) score
		// nothing for time rather than a reward for every second taken.
		EXPECT_EQ( ScoreManager::TimeScore( 19, 400.0f ), 0 );
		EXPECT_EQ( ScoreManager::TimeScore( 0, 400.0f ), 0 );
		EXPECT_FALSE( ScoreManager::ParTime( 19 ).has_value() );
		EXPECT_FLOAT_EQ( *ScoreManager::ParTime( 10 ), 100.0f );
	}

	TEST( ScoreReckoning, TheTextRevealsALineEachSecondWithItsSpacing )
	{
		ScoreManager::Reckoning reckoning;
		reckoning.mCrystalsDestroyed = 1;
		reckoning.mEnemiesKilled = 2;
		reckoning.mHealthScore = 990;
		reckoning.mTimeScore = 750;
		reckoning.mFinalScore = 1740;
		EXPECT_EQ( ScoreManager::ScoreText( reckoning, 1.0f ), "" ) << "each line waits until strictly after its second";
		EXPECT_EQ( ScoreManager::ScoreText( reckoning, 1.01f ), "Crystals Destroyed 1 x -200" );
		EXPECT_EQ( ScoreManager::ScoreText( reckoning, 5.5f ),
		           "Crystals Destroyed 1 x -200\n"
		           "Enemies Killed             2 x +100\n"
		           "Health                           +990\n"
		           "Time                                 +750\n"
		           "Final Score                  1740" );
		reckoning.mTimeScore = 0;
		EXPECT_NE( ScoreManager::ScoreText( reckoning, 4.5f ).find( "\nTime                                 0" ), std::string::npos )
		    << "no plus sign at exactly par";
		reckoning.mTimeScore = -300;
		EXPECT_NE( ScoreManager::ScoreText( reckoning, 4.5f ).find( " -300" ), std::string::npos );
	}

	class ScoreInGame : public KelvaneTest::HeadlessGame
	{
	protected:
		void SetUp() override
		{
			HeadlessGame::SetUp();
			mScore = Tarn::Services::Get<ScoreManager>();
			ASSERT_NE( mScore, nullptr );
			Tarn::Services::Get<Tarn::LevelManager>()->mLevelNumber = 1;
		}

		Tarn::Object* MakePlayer() { return Make( "Player", "Player1" ); }

		void Run( float seconds ) { UpdateFor( *mScore, seconds ); }

		ScoreManager* mScore = nullptr;
	};

	TEST_F( ScoreInGame, AwardsCountTheirKindAndTheClockWaitsForThePlayer )
	{
		mScore->AddScore( ScoreManager::kEnemyAward );
		mScore->AddScore( ScoreManager::kEnemyAward );
		mScore->AddScore( ScoreManager::kCrystalPenalty );
		mScore->AddScore( ScoreManager::kExitAward );
		mScore->AddScore( 5 );
		EXPECT_EQ( mScore->Score(), 200 - 200 + 1000 + 5 );
		EXPECT_EQ( mScore->GetReckoning().mEnemiesKilled, 2 );
		EXPECT_EQ( mScore->GetReckoning().mCrystalsDestroyed, 1 );

		Run( 1.0f );
		EXPECT_FLOAT_EQ( mScore->Elapsed(), 0.0f ) << "no clock before the player moves";
		mScore->StartClock();
		Run( 1.6f );
		EXPECT_NEAR( mScore->Elapsed(), 1.6f, 1e-3f );

		mScore->ResetForNewRun();
		EXPECT_EQ( mScore->Score(), 0 );
		EXPECT_FALSE( mScore->IsStarted() );
		EXPECT_EQ( mScore->GetReckoning().mEnemiesKilled, 0 );
	}

	TEST_F( ScoreInGame, AWinAddsHealthAndTimeAndADeathScoresNothing )
	{
		Tarn::Object* player = MakePlayer();
		ASSERT_NE( player, nullptr );
		player->GetComponent<Physics::StatsComponent>()->mHealth = 99.0f;
		mScore->AddScore( ScoreManager::kExitAward );
		mScore->StartClock();
		Run( 12.5f );
		KelvaneTest::LogCapture log;
		mScore->ShowScoreScreen();
		EXPECT_EQ( mScore->GetReckoning().mHealthScore, 990 );
		EXPECT_NEAR( mScore->GetReckoning().mTimeScore, 750, 2 );
		EXPECT_EQ( mScore->GetReckoning().mFinalScore,
		           1000 + 990 + mScore->GetReckoning().mTimeScore );
		EXPECT_TRUE( log.Contains( "Level 1 won, score " + std::to_string( mScore->GetReckoning().mFinalScore ) ) );
		EXPECT_TRUE( log.Contains( "Level 1 time score " + std::to_string( mScore->GetReckoning().mTimeScore ) ) );
		EXPECT_TRUE( mScore->IsShowing() );
		Run( 2.5f );
		EXPECT_NE( mScore->Text().find( "Enemies Killed" ), std::string::npos );
		EXPECT_EQ( mScore->Text().find( "Health" ), std::string::npos );

		// Far over par with a penalty: the sum is negative, the score is not.
		mScore->ResetForNewRun();
		player->GetComponent<Physics::StatsComponent>()->mHealth = 0.0f;
		mScore->AddScore( ScoreManager::kCrystalPenalty );
		mScore->StartClock();
		Run( 30.0f );
		mScore->ShowScoreScreen();
		EXPECT_EQ( mScore->GetReckoning().mFinalScore, 0 );

		mScore->ResetForNewRun();
		player->GetComponent<Physics::StatsComponent>()->mHealth = 100.0f;
		mScore->AddScore( ScoreManager::kExitAward );
		player->GetComponent<StateMachines::StateMachineComponent>()->mState = StateMachines::STATE_DIE;
		const size_t timeLines = log.CountOf( "time score" );
		mScore->ShowScoreScreen();
		EXPECT_EQ( mScore->GetReckoning().mFinalScore, 0 ) << "a death scores nothing whatever the other lines say";
		EXPECT_TRUE( log.Contains( "Level 1 lost" ) );
		EXPECT_EQ( log.CountOf( "time score" ), timeLines ) << "a lost level has no time score line";
	}

	TEST_F( ScoreInGame, TheScoreScreenShowsItsTextInTheScoreFontOverTheBackgroundsStars )
	{
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* background = Make( "Scenery", "Background" );
		auto* stars = background->GetComponent<Graphics::EmitterComponent>();
		MakePlayer();
		EXPECT_EQ( objects.GetObject( Tarn::HashedName( "ScoreFont" ) ), nullptr ) << "nothing is made before it is needed";

		mScore->ShowScoreScreen();
		Tarn::Object* owner = objects.GetObject( Tarn::HashedName( "ScoreFont" ) );
		ASSERT_NE( owner, nullptr ) << "no level brought one: made when the screen shows";
		auto* font = owner->GetComponent<Graphics::FontComponent>();
		ASSERT_NE( font, nullptr );
		EXPECT_TRUE( font->mVisible );
		EXPECT_EQ( font->mColour, 0xFFFFFF4Du );
		EXPECT_FLOAT_EQ( font->mX, 0.3f );
		EXPECT_FLOAT_EQ( font->mY, 0.25f );
		EXPECT_EQ( font->GetFont()->Desc().mHeight, 36 ) << "0.05 of 720";
		EXPECT_EQ( font->GetFont()->Desc().mWidth, 19 ) << "0.015 of 1280";
		EXPECT_FALSE( stars->mEmitComplete );
		Run( 2.5f );
		EXPECT_EQ( font->mText, mScore->Text() );
		EXPECT_NE( font->mText.find( "Enemies Killed" ), std::string::npos );

		mScore->HideScoreScreen();
		EXPECT_FALSE( font->mVisible );
		EXPECT_TRUE( stars->mEmitComplete );
		mScore->ShowScoreScreen();
		EXPECT_EQ( objects.GetObject( Tarn::HashedName( "ScoreFont" ) ), owner ) << "found again, not made twice";

		mScore->Shutdown();
		objects.ProcessDestroyQueue();
		EXPECT_EQ( objects.GetObject( Tarn::HashedName( "ScoreFont" ) ), nullptr ) << "the score manager takes it away";
	}

	TEST_F( ScoreInGame, AScoreFontTheObjectManagerDestroyedIsNotRemovedAgain )
	{
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		mScore->ShowScoreScreen();
		objects.DestroyObject( "ScoreFont" );
		objects.ProcessDestroyQueue();
		KelvaneTest::LogCapture log;
		Run( 1.5f ); // the reveal goes on with nothing to show it
		mScore->Shutdown();
		EXPECT_EQ( objects.PendingDestroyCount(), 0u );
		for ( const auto& message : log.Messages() )
			EXPECT_LT( message.mLevel, Tarn::Log::LEVEL_WARNING ) << message.mText;
	}

	TEST_F( ScoreInGame, ThePlayersSteeringOrFiringStartsTheClockUnlessItIsLeaving )
	{
		Tarn::Object* player = MakePlayer();
		auto* machine = player->GetComponent<StateMachines::StateMachineComponent>();
		machine->mState = StateMachines::STATE_FLEE;
		mGame->Keyboard().OnKeyDown( Tarn::Key::W );
		mGame->Step();
		EXPECT_FALSE( mScore->IsStarted() ) << "on its way out";
		mGame->Keyboard().OnKeyUp( Tarn::Key::W );

		machine->mState = StateMachines::STATE_NONE;
		mGame->Keyboard().OnKeyDown( Tarn::Key::W );
		mGame->Step();
		EXPECT_TRUE( mScore->IsStarted() );
		mGame->Keyboard().OnKeyUp( Tarn::Key::W );

		mScore->ResetForNewRun();
		mGame->Window().mOnMouseDown.Raise( 10, 10, Tarn::MouseButton::Left );
		mGame->Step();
		EXPECT_TRUE( mScore->IsStarted() ) << "firing counts as much as steering";
	}
}
