#include "Core/GameWindow/GameProject.h"
#include "Core/ObjectManager.h"
#include "GameStates/LevelManager.h"
#include "GameStates/LevelObject.h"
#include "Input/KeyCodes.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"
#include "support/InputHarness.h"
#include "support/LevelFiles.h"
#include "support/LogCapture.h"
#include "support/RunGame.h"
#include "support/TempFolder.h"

#include "Platform/TweakBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	using KelvaneTest::ReadWholeFile;
	using KelvaneTest::WriteWholeFile;
	using Tarn::HashedName;
	using Tarn::LevelManager;
	namespace Key = Tarn::Key;

	// The whole game headless, with its level files in a folder of the test.
	class PlayingLevels : public testing::Test
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::LevelFileSystem();
			mResources.Point( "Level1", mFolder / "Level1.xml" );
			mResources.Point( "Level2", mFolder / "Level2.xml" );
			mResources.Point( "MainMenu", mFolder / "MainMenu.xml" );
			mResources.Point( "InGameGUI", mFolder / "InGameGUI.xml" );
			mResources.Point( "ScoreScreen", mFolder / "ScoreScreen.xml" );
			WriteWholeFile( mFolder / "Level1.xml", Level( "Level1", { "A", "B" } ) );
			WriteWholeFile( mFolder / "Level2.xml", Level( "Level2", { "C" } ) );
			mGame = std::make_unique<KelvaneTest::InputHarness>( Tarn::LaunchOptions(), false );
			mGame->Project().CreateComponents();
			mGame->Initialise();
			mLevels = Tarn::Services::Get<LevelManager>();
			ASSERT_NE( mLevels, nullptr );
		}

		void TearDown() override { mGame.reset(); }

		static std::string Level( const char* name, std::vector<const char*> walls )
		{
			std::string text = std::string( "<LevelObject Type=\"LevelObject\" Name=\"" ) + name + "\">";
			for ( const char* wall : walls )
				text += std::string( "<Object Type=\"Wall\" ObjectName=\"" ) + wall + "\"/>";
			return text + "</LevelObject>";
		}

		void Press( uint32_t key )
		{
			mGame->Window().mOnKeyDown.Raise( key );
			mGame->Step();
			mGame->Window().mOnKeyUp.Raise( key );
			mGame->Step();
		}

		static Tarn::Object* Find( const char* name )
		{
			return Tarn::ObjectManager::Instance().GetObject( HashedName( name ) );
		}

		KelvaneTest::TempFolder mFolder;
		KelvaneTest::ScopedResources mResources;
		std::unique_ptr<KelvaneTest::InputHarness> mGame;
		LevelManager* mLevels = nullptr;
	};

	TEST_F( PlayingLevels, TheFourLevelObjectsTakeIds1To4AndTheirFiles )
	{
		// The id counter runs for the whole process; every test starts it again.
		const Tarn::LevelObject* levels[] = { mLevels->GetCurrentLevel(), mLevels->GetMainMenu(),
			                                  mLevels->GetInGameGUI(), mLevels->GetScoreScreen() };
		const char* const files[] = { "Level1.xml", "MainMenu.xml", "InGameGUI.xml", "ScoreScreen.xml" };
		for ( int i = 0; i < 4; ++i )
		{
			ASSERT_NE( levels[i], nullptr );
			EXPECT_EQ( levels[i]->GetLevelId(), i + 1 );
			EXPECT_EQ( levels[i]->GetFilePath(), mFolder / files[i] );
		}
		EXPECT_EQ( mLevels->GetCurrentLevel()->mName.GetName(), "Level1" );
		EXPECT_EQ( mLevels->IdPool().size(), LevelManager::kIdPoolSize );
		EXPECT_FALSE( mLevels->mEnabled );
		EXPECT_FALSE( mLevels->mVisible );
	}

	TEST_F( PlayingLevels, F9FromLevel1DestroysItsObjectsAndLoadsLevel2IntoTheSameLevelObject )
	{
		ASSERT_TRUE( mLevels->LoadLevel( 1 ) );
		Tarn::LevelObject* playing = mLevels->GetCurrentLevel();
		ASSERT_NE( Find( "A" ), nullptr );
		ASSERT_NE( Find( "B" ), nullptr );

		Press( Key::F1 + 8 );
		EXPECT_EQ( Find( "A" ), nullptr );
		EXPECT_EQ( Find( "B" ), nullptr );
		EXPECT_NE( Find( "C" ), nullptr );
		EXPECT_EQ( mLevels->GetCurrentLevel(), playing );
		EXPECT_EQ( mLevels->mLevelNumber, 2 );
		EXPECT_EQ( playing->ObjectNames().back().GetName(), "C" );
	}

	TEST_F( PlayingLevels, F2SavesAndF1LoadsTheLevelNamedInLevelFile )
	{
		{
			KelvaneTest::LogCapture log;
			Press( Key::F1 + 1 );
			EXPECT_TRUE( log.Contains( "No level file is chosen: fill in \"Level file\" before saving." ) );
		}
		ASSERT_TRUE( mLevels->LoadLevel( 1 ) );
		Find( "A" )->GetComponent<Tarn::TransformComponent>()->mPosition = { 5, 6 };
		mLevels->mLevelFile = "Level1";
		Press( Key::F1 + 1 );
		EXPECT_NE( ReadWholeFile( mFolder / "Level1.xml" ).find( "mPosition.X=\"5\" mPosition.Y=\"6\"" ), std::string::npos );

		Find( "A" )->GetComponent<Tarn::TransformComponent>()->mPosition = { 0, 0 };
		Press( Key::F1 );
		EXPECT_EQ( Find( "A" )->GetComponent<Tarn::TransformComponent>()->mPosition, Tarn::Vector2( 5, 6 ) );

		mLevels->mLevelFile = "MainMenu";
		Press( Key::F1 + 1 );
		const std::string menu = ReadWholeFile( mFolder / "MainMenu.xml" );
		EXPECT_NE( menu.find( "Name=\"MainMenu\"" ), std::string::npos ) << menu;
		EXPECT_EQ( menu.find( "<Object " ), std::string::npos ) << "the menu holds nothing yet";
	}

	TEST_F( PlayingLevels, TheBarsLevelFileFieldIsWhatF2Saves )
	{
		const Platform::TweakBarData* bar = Platform::FindTweakBar( "LevelManager" );
		ASSERT_NE( bar, nullptr );
		EXPECT_EQ( bar->mDefines, ( std::vector<std::string>{ "LevelManager position='950 0'" } ) );
		const Platform::TweakEntry* field = bar->Find( "Level file" );
		ASSERT_NE( field, nullptr );
		EXPECT_EQ( field->mType, TW_TYPE_STDSTRING );
		const Platform::TweakEntry* current = bar->Find( "Current Level" );
		ASSERT_NE( current, nullptr );
		EXPECT_EQ( Platform::TweakBars().mEnums.at( current->mType ).mLabels.size(), 12u );
		EXPECT_EQ( current->mVariable, &mLevels->mLevelNumber );

		// Typing into the field is writing the string it is bound to.
		*static_cast<std::string*>( field->mVariable ) = "Level1";
		ASSERT_TRUE( mLevels->LoadLevel( 1 ) );
		Press( Key::F1 + 1 );
		EXPECT_NE( ReadWholeFile( mFolder / "Level1.xml" ).find( "<Object " ), std::string::npos );
	}

	TEST_F( PlayingLevels, PausingSwitchesOffTheGameServicesButNotInputOrTheLevelManager )
	{
		mLevels->EnableFor( 100 );
		mLevels->PauseServices();
		EXPECT_FALSE( Tarn::Services::Get<Physics::CollisionManager>()->mEnabled );
		EXPECT_FALSE( Tarn::Services::Get<StateMachines::StateMachineManager>()->mEnabled );
		EXPECT_FALSE( Tarn::Services::Get<Physics::PhysicsManager>()->mEnabled );
		EXPECT_FALSE( Tarn::Services::Get<Tarn::PropertyEditor>()->mEnabled );
		EXPECT_TRUE( Tarn::Services::Get<Tarn::KeyboardManager>()->mEnabled );
		EXPECT_TRUE( Tarn::Services::Get<Tarn::ObjectiveManager>()->mEnabled );
		EXPECT_TRUE( mLevels->mEnabled );
		mLevels->ResumeServices();
		EXPECT_TRUE( Tarn::Services::Get<Physics::CollisionManager>()->mEnabled );
		EXPECT_TRUE( Tarn::Services::Get<Graphics::GraphicsManager>()->mEnabled );
	}

	TEST_F( PlayingLevels, TheUpdateCountdownSwitchesTheManagerOffAgain )
	{
		mLevels->EnableFor( 3 );
		mGame->Step(); // the manager is updated twice per step
		EXPECT_TRUE( mLevels->mEnabled );
		EXPECT_EQ( mLevels->mUpdateCountdown, 1 );
		mGame->Step();
		EXPECT_FALSE( mLevels->mEnabled );
		EXPECT_EQ( mLevels->mUpdateCountdown, 0 );
	}

	TEST_F( PlayingLevels, ANewLevelForgetsTheOldContactsWithoutEndingThem )
	{
		ASSERT_TRUE( mLevels->LoadLevel( 1 ) );
		auto* collisions = Tarn::Services::Get<Physics::CollisionManager>();
		auto* a = Find( "A" )->GetComponent<Physics::CollisionComponent>();
		collisions->mFixedPairs.push_back( { a, a, true } );
		mLevels->LoadNextLevel();
		EXPECT_TRUE( collisions->FixedPairs().empty() );
		EXPECT_TRUE( collisions->MovingPairs().empty() );
	}

	TEST( LevelOptions, ASessionLoadsALevelPlaysAndSavesWhatItLooksLikeAtTheEnd )
	{
		const auto run = KelvaneTest::RunGame( "--headless --level 1 --frames 3 --log '{log}' --save-level '{dir}/end.xml'" );
		ASSERT_EQ( run.mExitCode, 0 ) << run.mStderr << run.mLog;
		EXPECT_NE( run.mLog.find( "Saved the playing level to " ), std::string::npos ) << run.mLog;
		const std::string committed =
		    ReadWholeFile( std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml" );
		const size_t at = run.mLog.find( "Saved the playing level to " );
		const size_t start = at + std::string( "Saved the playing level to " ).size();
		const std::string path = run.mLog.substr( start, run.mLog.find( ".xml", start ) + 4 - start );
		const std::string saved = ReadWholeFile( path );
		for ( const char* name : { "BoundBottom", "BoundRight", "Wall2", "Player1", "Mirror2", "Channel3", "Prism1", "EnergyBeam4" } )
		{
			const std::string attribute = std::string( "ObjectName=\"" ) + name + "\"";
			EXPECT_NE( committed.find( attribute ), std::string::npos ) << name;
			EXPECT_NE( saved.find( attribute ), std::string::npos ) << name << "\n" << saved;
		}
		// The colliders have been synced from their transforms in the frames played.
		EXPECT_NE( saved.find( "<C C.X=\"-6\" C.Y=\"0\" />" ), std::string::npos ) << saved;

		const auto failed = KelvaneTest::RunGame( "--headless --level 1 --frames 1 --save-level '{dir}/no/such/end.xml'" );
		EXPECT_EQ( failed.mExitCode, 1 ) << "a save that failed is no success";
		EXPECT_NE( failed.mStderr.find( "end.xml" ), std::string::npos ) << failed.mStderr;
	}
}
