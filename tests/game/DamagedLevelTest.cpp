// Damaged level files, each the shape of something the level fuzzer (tools/fuzz.sh)
// found: the whole game headless loads what it can, says what it skipped and plays on.

#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "GameStates/LevelManager.h"
#include "GameStates/LevelObject.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"
#include "support/InputHarness.h"
#include "support/LevelFiles.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace
{
	using Tarn::HashedName;

	class DamagedLevels : public testing::Test
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::LevelFileSystem();
			for ( const char* id : { "Level1", "MainMenu", "InGameGUI", "ScoreScreen" } )
				mResources.Point( id, mFolder / ( std::string( id ) + ".xml" ) );
			mGame = std::make_unique<KelvaneTest::InputHarness>( Tarn::LaunchOptions(), false );
			mGame->Project().CreateComponents();
			mGame->Initialise();
			mLevels = Tarn::Services::Get<Tarn::LevelManager>();
			ASSERT_NE( mLevels, nullptr );
		}

		void TearDown() override { mGame.reset(); }

		// Loads the objects' XML as the playing level and plays a few steps, drawing
		// each, as the game would.
		void Play( const std::string& objects, int steps = 8 )
		{
			KelvaneTest::WriteWholeFile( mFolder / "Level1.xml",
			                             "<LevelObject Type=\"LevelObject\" Name=\"Level1\">" + objects + "</LevelObject>" );
			ASSERT_TRUE( mLevels->LoadLevel( 1 ) );
			Tarn::GameProject& project = mGame->Project();
			project.GetGameTime().ElapsedSeconds = 0.016f;
			for ( int i = 0; i < steps; ++i )
			{
				mGame->Step();
				if ( project.BeginDraw() )
				{
					project.Draw( project.GetGameTime() );
					project.EndDraw();
				}
			}
		}

		static Tarn::Object* Find( const std::string& name )
		{
			return Tarn::ObjectManager::Instance().GetObject( HashedName( name.c_str() ) );
		}

		KelvaneTest::TempFolder mFolder;
		KelvaneTest::ScopedResources mResources;
		std::unique_ptr<KelvaneTest::InputHarness> mGame;
		Tarn::LevelManager* mLevels = nullptr;
	};

	std::string Transform( const char* x, const char* y, const char* velocity = "0" )
	{
		return std::string( "<ObjectComponent Name=\"TransformComponent\"><Position mPosition.X=\"" ) + x + "\" mPosition.Y=\"" + y +
		       "\" /><Velocity mVelocity.X=\"" + velocity + "\" mVelocity.Y=\"0\" /><Active mActive=\"true\" /></ObjectComponent>";
	}

	std::string Element( const char* type, const std::string& name, const std::string& components = "" )
	{
		return std::string( "<Object Type=\"" ) + type + "\" ObjectName=\"" + name + "\">" + components + "</Object>";
	}

	// Messages naming the level file's path are matched on the words after it.
	bool Mentions( const KelvaneTest::LogCapture& log, const std::string& words )
	{
		for ( const std::string& text : log.Texts() )
			if ( text.find( words ) != std::string::npos )
				return true;
		return false;
	}

	Tarn::Vector2 PositionOf( const Tarn::Object* object )
	{
		return object->GetComponent<Tarn::TransformComponent>()->mPosition;
	}

	// A level object inside a level used to be made a level of its own: it took an id
	// and a file from the level manager and, when its turn came to read its values,
	// loaded the objects' exchange file as a level over the document the outer level
	// was still being read from.
	TEST_F( DamagedLevels, ALevelInsideALevelIsSkippedAndTheObjectsAfterItReadTheirValues )
	{
		KelvaneTest::LogCapture log;
		Play( Element( "Wall", "Wall1", Transform( "1", "2" ) ) + Element( "LevelObject", "Inner" ) +
		      Element( "Wall", "Wall2", Transform( "3", "4" ) ) );
		EXPECT_TRUE( Mentions( log, "skipping the level object \"Inner\" inside the level; a level cannot hold another." ) );
		EXPECT_EQ( Find( "Inner" ), nullptr );
		EXPECT_EQ( mLevels->IdPool().size(), Tarn::LevelManager::kIdPoolSize );
		ASSERT_NE( Find( "Wall2" ), nullptr );
		EXPECT_EQ( PositionOf( Find( "Wall1" ) ), Tarn::Vector2( 1, 2 ) );
		EXPECT_EQ( PositionOf( Find( "Wall2" ) ), Tarn::Vector2( 3, 4 ) );
	}

	// The second object of a name is skipped (renaming it would break the lookups by
	// name that beams and routines make); the first reads its own element.
	TEST_F( DamagedLevels, RepeatedEmptyAndVeryLongNames )
	{
		const std::string longName( 50000, 'W' );
		KelvaneTest::LogCapture log;
		Play( Element( "Wall", "Wall1", Transform( "1", "2" ) ) + Element( "Mirror", "Wall1", Transform( "5", "6" ) ) +
		      Element( "InanimateObject", "", Transform( "7", "8" ) ) + Element( "Wall", longName, Transform( "9", "1" ) ) );
		EXPECT_TRUE( log.Contains( "Error creating object (Wall1): Duplicate name." ) );
		EXPECT_TRUE( Find( "Wall1" )->IsType( "Wall" ) );
		EXPECT_EQ( PositionOf( Find( "Wall1" ) ), Tarn::Vector2( 1, 2 ) );
		ASSERT_NE( Find( "" ), nullptr );
		EXPECT_EQ( PositionOf( Find( "" ) ), Tarn::Vector2( 7, 8 ) );
		ASSERT_NE( Find( longName ), nullptr );
		EXPECT_EQ( PositionOf( Find( longName ) ), Tarn::Vector2( 9, 1 ) );
		EXPECT_EQ( mLevels->GetCurrentLevel()->ObjectNames().size(), 3u );
	}

	// A value that is not a finite number keeps what the object had, and says so; one
	// ship at "nan" would otherwise take the camera, and so the whole picture, with it.
	TEST_F( DamagedLevels, ValuesThatAreNotFiniteNumbersKeepWhatTheObjectHad )
	{
		KelvaneTest::LogCapture log;
		Play( Element( "Wall", "Wall1", Transform( "nan", "2" ) ) + Element( "InanimateObject", "Prism1", Transform( "inf", "-1e39", "-inf" ) ) );
		EXPECT_TRUE( log.Contains( "TransformComponent: the value \"nan\" of mPosition.X is not a finite number; it keeps the value it had." ) );
		EXPECT_TRUE( log.Contains( "TransformComponent: the value \"-1e39\" of mPosition.Y is not a finite number; it keeps the value it had." ) );
		EXPECT_EQ( PositionOf( Find( "Wall1" ) ), Tarn::Vector2( 0, 2 ) );
		EXPECT_EQ( PositionOf( Find( "Prism1" ) ), Tarn::Vector2( 0, 0 ) );
		EXPECT_EQ( Find( "Prism1" )->GetComponent<Tarn::TransformComponent>()->mVelocity, Tarn::Vector2( 0, 0 ) );
	}

	// A speed that carries an object beyond the largest float stops it where it is.
	TEST_F( DamagedLevels, AnObjectDrivenOutOfTheRangeOfPositionsStops )
	{
		KelvaneTest::LogCapture log;
		Play( Element( "InanimateObject", "Prism1", Transform( "3e38", "0", "3e38" ) ), 20 );
		const Tarn::Object* prism = Find( "Prism1" );
		EXPECT_TRUE( std::isfinite( PositionOf( prism ).X ) );
		EXPECT_EQ( prism->GetComponent<Tarn::TransformComponent>()->mVelocity, Tarn::Vector2( 0, 0 ) );
		EXPECT_EQ( log.CountOf( "Prism1 moved beyond the range of positions; it stops where it is." ), 1u );
	}

	// What a hand, a crash or a disk does to a file: the game says what it could not
	// read and plays on with what it could.
	TEST_F( DamagedLevels, MalformedElementsAndBrokenFilesAreSkippedWithAMessage )
	{
		KelvaneTest::LogCapture log;
		Play( Element( "Wall", "Wall1", Transform( "1", "1" ) + Transform( "2", "2" ) + "<ObjectComponent Name=\"NoSuchComponent\" /><ObjectComponent />" ) +
		      "<Object ObjectName=\"NoType\" />" + Element( "NoSuchType", "Unknown1" ) + Element( "PlayerDoodad", "Halo1" ) );
		EXPECT_EQ( PositionOf( Find( "Wall1" ) ), Tarn::Vector2( 1, 1 ) );
		EXPECT_TRUE( log.Contains( "Error creating object (Unknown1): No such type (NoSuchType)." ) );
		EXPECT_TRUE( Mentions( log, "which names no type and object." ) );
		EXPECT_NE( Find( "Halo1" ), nullptr );

		KelvaneTest::WriteWholeFile( mFolder / "Level1.xml", "<LevelObject Type=\"LevelObject\" Name=\"Level1\"><Object Type=\"Wall\" Obj" );
		ASSERT_TRUE( mLevels->LoadLevel( 1 ) );
		mGame->Step( 4 );
		EXPECT_EQ( Find( "Wall1" ), nullptr );
		EXPECT_TRUE( Mentions( log, "it reads as empty." ) );
	}

	TEST_F( DamagedLevels, ATextureNamingAMissingFileIsReportedOnceAndDrawsWithout )
	{
		const std::string mesh = "<ObjectComponent Name=\"MeshComponent\"><mTextureName TextureLocation=\"resource/no such picture.png\" /></ObjectComponent>";
		KelvaneTest::LogCapture log;
		Play( Element( "Wall", "Wall1", mesh ) + Element( "Wall", "Wall2", mesh ) );
		EXPECT_EQ( log.CountOf( "There is no texture resource/no such picture.png; what uses it is drawn without one." ), 1u );
		EXPECT_EQ( Find( "Wall2" )->GetComponent<Graphics::MeshComponent>()->GetPtrTexture(), 0u );
	}
}
