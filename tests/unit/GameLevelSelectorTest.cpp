// The level select's grades: a higher final score is the better grade, a later better
// result raises it and a worse one never lowers it, the pictures follow the grade and the
// level a picture name carries, and the grades outlast the run through their file.
#include "GameStates/GameLevelSelector.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace
{
	using Tarn::GameLevelSelector;

	constexpr const char* kBlue = "resource/menu/level select/blue/";
	constexpr const char* kOrange = "resource/menu/level select/orange/";

	class LevelGrades : public testing::Test
	{
	protected:
		// A selector reading and writing the test's own grades file.
		std::unique_ptr<GameLevelSelector> Selector() const
		{
			auto selector = std::make_unique<GameLevelSelector>( nullptr );
			selector->SetFilePath( Path() );
			selector->Initialise();
			return selector;
		}
		std::string Path() const { return mFolder / "data/kelvane/grades.xml"; }

		KelvaneTest::TempFolder mFolder;
	};

	TEST_F( LevelGrades, AHigherScoreIsTheBetterGradeAndTheBoundariesBelongAbove )
	{
		EXPECT_EQ( GameLevelSelector::GradeOf( 999 ), Tarn::GRADE_C );
		EXPECT_EQ( GameLevelSelector::GradeOf( 1000 ), Tarn::GRADE_B );
		EXPECT_EQ( GameLevelSelector::GradeOf( 2999 ), Tarn::GRADE_B );
		EXPECT_EQ( GameLevelSelector::GradeOf( 3000 ), Tarn::GRADE_A );
		EXPECT_EQ( GameLevelSelector::GradeOf( 0 ), Tarn::GRADE_C );
	}

	TEST_F( LevelGrades, ABetterResultRaisesTheGradeAndAWorseOneNeverLowersIt )
	{
		auto selector = Selector();
		const Tarn::LevelPicture* three = selector->Entry( 3 );
		ASSERT_NE( three, nullptr );
		EXPECT_FALSE( three->mGraded );
		EXPECT_EQ( three->mPicture, std::string( kBlue ) + "levelselect3blue.png" );

		selector->SetLevelResult( 3, 999 );
		EXPECT_TRUE( three->mGraded );
		EXPECT_EQ( three->mGrade, Tarn::GRADE_C );
		EXPECT_EQ( three->mPicture, std::string( kBlue ) + "levelselect3Cblue.png" );
		EXPECT_EQ( three->mHoverPicture, std::string( kBlue ) + "levelselect3Cbluehover.png" );

		selector->SetLevelResult( 3, 3500 );
		EXPECT_EQ( three->mGrade, Tarn::GRADE_A );
		EXPECT_EQ( three->mScore, 3500 );
		selector->SetLevelResult( 3, 1200 );
		EXPECT_EQ( three->mGrade, Tarn::GRADE_A ) << "a worse result keeps the better grade";
		EXPECT_EQ( three->mScore, 3500 );
		EXPECT_EQ( selector->PictureOf( 3, false ), std::string( kBlue ) + "levelselect3Ablue.png" );

		// Levels past the twenty, or before the first, are no one's.
		KelvaneTest::LogCapture log;
		selector->SetLevelResult( 21, 5000 );
		selector->SetLevelResult( 0, 5000 );
		EXPECT_EQ( selector->Entry( 21 ), nullptr );
		EXPECT_TRUE( log.Mentions( "level 21, which the level select does not have" ) );
	}

	TEST_F( LevelGrades, ThePictureNameGivesItsLevelWhateverItsDigitsAndColour )
	{
		EXPECT_EQ( GameLevelSelector::LevelOfPicture( std::string( kBlue ) + "levelselect3blue.png" ), 3 );
		EXPECT_EQ( GameLevelSelector::LevelOfPicture( std::string( kBlue ) + "levelselect10Bbluehover.png" ), 10 );
		EXPECT_EQ( GameLevelSelector::LevelOfPicture( std::string( kOrange ) + "levelselect2orange.png" ), 12 );
		EXPECT_EQ( GameLevelSelector::LevelOfPicture( std::string( kOrange ) + "levelselect10Aorange.png" ), 20 );
		// The level select page's own picture, other pictures and numbers out of a set.
		EXPECT_EQ( GameLevelSelector::LevelOfPicture( "resource/level select.png" ), 0 );
		EXPECT_EQ( GameLevelSelector::LevelOfPicture( "resource/menu/levelselect.png" ), 0 );
		EXPECT_EQ( GameLevelSelector::LevelOfPicture( "resource/menu/start.png" ), 0 );
		EXPECT_EQ( GameLevelSelector::LevelOfPicture( std::string( kBlue ) + "levelselect11blue.png" ), 0 );

		auto selector = Selector();
		EXPECT_EQ( selector->PictureOf( 12, false ), std::string( kOrange ) + "levelselect2orange.png" );
		selector->SetLevelResult( 12, 1000 );
		EXPECT_EQ( selector->PictureOf( 12, true ), std::string( kOrange ) + "levelselect2Borangehover.png" );
	}

	TEST_F( LevelGrades, GradesAreThereAtTheNextStartAndABrokenFileGivesNoneWithAWarning )
	{
		{
			auto selector = Selector();
			selector->SetLevelResult( 1, 2166 );
			selector->SetLevelResult( 14, 3000 );
		}
		auto again = Selector();
		EXPECT_EQ( again->Entry( 1 )->mGrade, Tarn::GRADE_B );
		EXPECT_EQ( again->Entry( 1 )->mScore, 2166 );
		EXPECT_EQ( again->Entry( 14 )->mGrade, Tarn::GRADE_A );
		EXPECT_FALSE( again->Entry( 2 )->mGraded );

		// Rows the game could not have written are left out, the others kept.
		{
			std::ofstream file( Path() );
			file << "<Grades><Level number=\"2\" score=\"1500\"/><Level number=\"40\" score=\"10\"/>"
			        "<Level number=\"5\" score=\"lots\"/></Grades>";
		}
		{
			KelvaneTest::LogCapture log;
			auto partial = Selector();
			EXPECT_EQ( partial->Entry( 2 )->mGrade, Tarn::GRADE_B );
			EXPECT_FALSE( partial->Entry( 5 )->mGraded );
			EXPECT_TRUE( log.Mentions( "has a level \"40\"" ) );
			EXPECT_TRUE( log.Mentions( "with the score \"lots\"" ) );
		}

		{
			std::ofstream file( Path() );
			file << "<Grades><Level number=\"2\"";
		}
		KelvaneTest::LogCapture log;
		auto broken = Selector();
		for ( int level = 1; level <= GameLevelSelector::kLevels; ++level )
			EXPECT_FALSE( broken->Entry( level )->mGraded ) << level;
		EXPECT_TRUE( log.Mentions( "cannot be read" ) );
		// The next grade writes the file whole again.
		broken->SetLevelResult( 4, 100 );
		EXPECT_EQ( Selector()->Entry( 4 )->mGrade, Tarn::GRADE_C );
	}

	TEST_F( LevelGrades, AMissingFileGivesAnUngradedSelectorQuietly )
	{
		KelvaneTest::LogCapture log;
		auto selector = Selector();
		EXPECT_FALSE( selector->Entry( 1 )->mGraded );
		for ( const auto& message : log.Messages() )
			EXPECT_LT( message.mLevel, Tarn::Log::LEVEL_WARNING ) << message.mText;
	}
}
