#include "Core/GameTime.h"
#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/AnimationManager.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace
{
	using Graphics::AnimationComponent;
	using Graphics::AnimationManager;

	class Animated : public Tarn::Object
	{
		TARN_CLASS_NAME( TestAnimated )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<Tarn::TransformComponent>();
			mComponents.AddComponent<Graphics::MeshComponent>();
			mComponents.AddComponent<AnimationComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
		AnimationComponent& Animation() { return *GetComponent<AnimationComponent>(); }
		Graphics::MeshComponent& Mesh() { return *GetComponent<Graphics::MeshComponent>(); }
	};

	// Only the header chunk: all that the sheet reader looks at.
	void WritePngHeader( const std::string& path, uint32_t width, uint32_t height )
	{
		const unsigned char bytes[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
			                            uint8_t( width >> 24 ), uint8_t( width >> 16 ), uint8_t( width >> 8 ), uint8_t( width ),
			                            uint8_t( height >> 24 ), uint8_t( height >> 16 ), uint8_t( height >> 8 ), uint8_t( height ),
			                            8, 6, 0, 0, 0 };
		std::ofstream( path, std::ios::binary ).write( reinterpret_cast<const char*>( bytes ), sizeof( bytes ) );
	}

	// A row of square frames of 32 pixels.
	void WriteAtlas( const std::string& path, int frames )
	{
		std::ostringstream text;
		text << "<TextureAtlas imagePath=\"x.png\">\n";
		for ( int i = 0; i < frames; ++i )
			text << "<SubTexture name=\"f" << i << "\" x=\"" << 32 * i << "\" y=\"0\" width=\"32\" height=\"32\"/>\n";
		text << "</TextureAtlas>\n";
		KelvaneTest::WriteWholeFile( path, text.str() );
	}

	class Animation : public testing::Test
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::SharedFileSystem();
			Tarn::TypeRegistry::Instance().RegisterObjectType( Animated::ClassHashedName(),
			                                                   []() -> Tarn::Object* { return new Animated(); } );
			Tarn::LaunchOptions options;
			options.mHeadless = true;
			mProject = std::make_unique<Tarn::GameProject>( options );
			mProject->CreateComponents();
			mProject->Initialise();
			mManager = Tarn::Services::Get<AnimationManager>();
			ASSERT_NE( mManager, nullptr );
			mImage = mFolder / "sheet.png";
			WritePngHeader( mImage, 256, 64 );
			mAtlas = mFolder / "sheet.xml";
			WriteAtlas( mAtlas, 8 );
			mTime.ElapsedSeconds = 1.0f / 60.0f;
		}
		void TearDown() override
		{
			mProject->Shutdown();
			mProject.reset();
		}

		Animated* Make( const char* name )
		{
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			Tarn::Object* object = objects.CreateObject( Animated::ClassHashedName(), name );
			objects.InitialiseObject( object );
			return static_cast<Animated*>( object );
		}

		// The frame shown after each of `steps` updates.
		std::vector<int> Play( AnimationComponent& animation, int steps )
		{
			std::vector<int> shown;
			for ( int i = 0; i < steps; ++i )
			{
				animation.Update( mTime );
				shown.push_back( animation.GetShownFrame() );
			}
			return shown;
		}

		KelvaneTest::TempFolder mFolder;
		std::string mImage, mAtlas;
		std::unique_ptr<Tarn::GameProject> mProject;
		AnimationManager* mManager = nullptr;
		Tarn::GameTime mTime;
	};

	TEST_F( Animation, ASheetOfEightFramesIsCutFromItsImageAndShowsTheFirst )
	{
		Animated* sprite = Make( "Animated1" );
		AnimationComponent& animation = sprite->Animation();
		animation.SetAnimation( mAtlas, mImage );
		EXPECT_EQ( animation.GetStartFrame(), 0 );
		EXPECT_EQ( animation.GetEndFrame(), 7 );
		EXPECT_EQ( animation.GetCurrentFrame(), 0 );
		EXPECT_EQ( animation.GetShownFrame(), 0 );

		const auto& frames = animation.GetAnimationFrames();
		ASSERT_EQ( frames.size(), 8u );
		EXPECT_FLOAT_EQ( frames[3].mUMin, 96.0f / 256.0f );
		EXPECT_FLOAT_EQ( frames[3].mUMax, 128.0f / 256.0f );
		EXPECT_FLOAT_EQ( frames[3].mVMin, 0.0f );
		EXPECT_FLOAT_EQ( frames[3].mVMax, 0.5f );
		EXPECT_FLOAT_EQ( frames[3].mDuration, 0.2f );
		// The mesh shows the first frame's rectangle.
		EXPECT_FLOAT_EQ( sprite->Mesh().mUVRect[2], 0.125f );
		EXPECT_FLOAT_EQ( sprite->Mesh().mUVRect[3], 0.5f );
		EXPECT_FLOAT_EQ( sprite->Mesh().GetVertices()[3].u, 0.125f );
	}

	TEST_F( Animation, MissingAttributesReadAsZeroAndTheFirstLoadOfANameStays )
	{
		KelvaneTest::WriteWholeFile( mAtlas, "<TextureAtlas><SubTexture x=\"64\" width=\"32\"/><Other/>"
		                                     "<SubTexture x=\"0\" y=\"32\" width=\"32\" height=\"32\"/></TextureAtlas>" );
		ASSERT_TRUE( mManager->LoadSheet( mAtlas, mImage ) );
		auto frames = mManager->GetFrames( mAtlas );
		ASSERT_EQ( frames.size(), 2u );
		EXPECT_FLOAT_EQ( frames[0].mUMin, 0.25f );
		EXPECT_FLOAT_EQ( frames[0].mVMin, 0.0f );
		EXPECT_FLOAT_EQ( frames[0].mVMax, 0.0f );
		EXPECT_FLOAT_EQ( frames[1].mVMin, 0.5f );

		// The same name again, whatever the file holds now, keeps the first frames.
		WriteAtlas( mAtlas, 5 );
		Animated* sprite = Make( "Animated1" );
		sprite->Animation().SetAnimation( mAtlas, mImage );
		EXPECT_EQ( sprite->Animation().GetAnimationFrames().size(), 2u );
		EXPECT_EQ( sprite->Animation().GetEndFrame(), 1 );
	}

	TEST_F( Animation, AnUnreadableSheetGivesNoFramesAnErrorAndNoCrash )
	{
		Animated* sprite = Make( "Animated1" );
		AnimationComponent& animation = sprite->Animation();
		const float before[4] = { sprite->Mesh().mUVRect[0], sprite->Mesh().mUVRect[1], sprite->Mesh().mUVRect[2],
			                      sprite->Mesh().mUVRect[3] };
		{
			KelvaneTest::LogCapture log( Tarn::Log::LEVEL_ERROR );
			animation.SetAnimation( mFolder / "missing.xml", mImage );
			EXPECT_EQ( log.Messages().size(), 1u );
			EXPECT_TRUE( log.Mentions( "missing.xml" ) );
		}
		EXPECT_TRUE( animation.GetAnimationFrames().empty() );
		EXPECT_EQ( animation.GetEndFrame(), -1 );
		for ( int i = 0; i < 30; ++i )
			animation.Update( mTime );
		EXPECT_EQ( animation.GetShownFrame(), -1 );
		EXPECT_FLOAT_EQ( sprite->Mesh().mUVRect[2], before[2] );

		// An atlas whose image cannot be measured would cut frames of infinite size.
		{
			KelvaneTest::LogCapture log( Tarn::Log::LEVEL_ERROR );
			animation.SetAnimation( mAtlas, mFolder / "no-image.png" );
			EXPECT_TRUE( log.Mentions( "no-image.png" ) );
		}
		EXPECT_TRUE( animation.GetAnimationFrames().empty() );
		EXPECT_FALSE( mManager->HasSheet( mAtlas ) );
		// Not filed, so a later load with the right image still succeeds.
		animation.SetAnimation( mAtlas, mImage );
		EXPECT_EQ( animation.GetAnimationFrames().size(), 8u );

		KelvaneTest::LogCapture log( Tarn::Log::LEVEL_ERROR );
		EXPECT_TRUE( mManager->GetFrames( "never loaded" ).empty() );
		EXPECT_TRUE( log.Mentions( "never loaded" ) );
	}

	TEST_F( Animation, AFrameLastsItsStepsAndALoopWrapsInOneStepWithoutShowing )
	{
		Animated* sprite = Make( "Animated1" );
		AnimationComponent& animation = sprite->Animation();
		animation.SetAnimation( mAtlas, mImage );
		animation.SetEndFrame( 2 );
		const std::vector<int> shown = Play( animation, 80 );

		// Run lengths of each frame shown.
		std::vector<std::pair<int, int>> runs;
		for ( int frame : shown )
			if ( runs.empty() || runs.back().first != frame )
				runs.push_back( { frame, 1 } );
			else
				++runs.back().second;
		ASSERT_GE( runs.size(), 5u );
		EXPECT_EQ( runs[0].first, 0 );
		EXPECT_EQ( runs[1].first, 1 );
		EXPECT_EQ( runs[2].first, 2 );
		EXPECT_EQ( runs[3].first, 0 );
		for ( size_t i = 1; i + 1 < runs.size(); ++i )
		{
			// Frames 0 and 1 last 13 or 14 steps; the last frame of the range also holds
			// through the step that wraps back to the start.
			const int expected = runs[i].first == 2 ? 1 : 0;
			EXPECT_GE( runs[i].second, 13 + expected ) << "run " << i;
			EXPECT_LE( runs[i].second, 14 + expected ) << "run " << i;
		}
	}

	TEST_F( Animation, ASinglePlayForwardStopsWhenTheEndBecomesCurrent )
	{
		Animated* sprite = Make( "Animated1" );
		AnimationComponent& animation = sprite->Animation();
		animation.SetAnimation( mAtlas, mImage );
		animation.SetStartFrame( 1 );
		animation.SetEndFrame( 4 );
		animation.PlayOnce();
		std::vector<int> shown = Play( animation, 60 );
		// 1 and 2 stay on screen; 3 is handed to the mesh in the step in which 4
		// becomes current, which ends the play and puts the start frame back at once.
		std::vector<int> distinct;
		for ( int frame : shown )
			if ( distinct.empty() || distinct.back() != frame )
				distinct.push_back( frame );
		EXPECT_EQ( distinct, ( std::vector<int>{ 1, 2, 1 } ) );
		const auto end = std::find_if( shown.begin() + 20, shown.end(), []( int frame ) { return frame == 1; } );
		const long playSteps = 1 + ( end - shown.begin() );
		EXPECT_GE( playSteps, 27 );
		EXPECT_LE( playSteps, 29 );
		EXPECT_TRUE( animation.IsPaused() );
		EXPECT_FALSE( animation.IsPlayingOnce() );
		EXPECT_FALSE( animation.IsAnimating() );

		animation.SetCurrentFrame( 0 );
		animation.PlayOnce( false, true );
		Play( animation, 60 );
		EXPECT_EQ( animation.GetShownFrame(), 4 );
	}

	TEST_F( Animation, AReverseSinglePlayShowsTheRangeBackwardsAndRestoresIt )
	{
		Animated* sprite = Make( "Animated1" );
		AnimationComponent& animation = sprite->Animation();
		animation.SetAnimation( mAtlas, mImage );
		for ( bool stayAtEnd : { false, true } )
		{
			SCOPED_TRACE( stayAtEnd );
			animation.SetStartFrame( 2 );
			animation.SetEndFrame( 5 );
			animation.SetFrame( 0 );
			animation.mTimer = 0.0f;
			animation.PlayOnce( true, stayAtEnd );
			std::vector<int> distinct;
			for ( int frame : Play( animation, 60 ) )
				if ( distinct.empty() || distinct.back() != frame )
					distinct.push_back( frame );
			// 3 is handed over in the step that makes 2 current and ends the play.
			EXPECT_EQ( distinct, ( std::vector<int>{ 5, 4, stayAtEnd ? 5 : 2 } ) );
			EXPECT_EQ( animation.GetStartFrame(), 2 );
			EXPECT_EQ( animation.GetEndFrame(), 5 );
			EXPECT_TRUE( animation.IsPaused() );
			EXPECT_FALSE( animation.mPlayOnceReverse );
		}
	}

	TEST_F( Animation, SetFramePausesOnAValidFrameAndRefusesOthers )
	{
		Animated* sprite = Make( "Animated1" );
		AnimationComponent& animation = sprite->Animation();
		animation.SetAnimation( mAtlas, mImage );
		animation.SetFrame( 6 );
		EXPECT_TRUE( animation.IsPaused() );
		EXPECT_EQ( animation.GetShownFrame(), 6 );
		EXPECT_FLOAT_EQ( sprite->Mesh().mUVRect[0], 192.0f / 256.0f );
		Play( animation, 40 );
		EXPECT_EQ( animation.GetShownFrame(), 6 );

		for ( int bad : { 8, -1 } )
		{
			KelvaneTest::LogCapture log( Tarn::Log::LEVEL_ERROR );
			animation.SetFrame( bad );
			EXPECT_EQ( log.Messages().size(), 1u ) << bad;
			EXPECT_EQ( animation.GetShownFrame(), 6 );
			EXPECT_EQ( animation.GetCurrentFrame(), 6 );
		}
		// A range set past the sheet plays what exists and never reads beyond it.
		animation.SetPaused( false );
		animation.SetStartFrame( 6 );
		animation.SetEndFrame( 12 );
		Play( animation, 200 );
		EXPECT_LE( animation.GetShownFrame(), 7 );
	}

	TEST_F( Animation, TheManagerStepsRegisteredComponentsUntilTheyShutDown )
	{
		Animated* sprite = Make( "Animated1" );
		AnimationComponent& animation = sprite->Animation();
		ASSERT_EQ( mManager->mComponents.size(), 1u );
		animation.SetAnimation( mAtlas, mImage );
		for ( int i = 0; i < 15; ++i )
			mManager->Update( mTime );
		EXPECT_EQ( animation.GetShownFrame(), 1 );

		Tarn::ObjectManager::Instance().DestroyObject( sprite->GetName() );
		Tarn::ObjectManager::Instance().ProcessDestroyQueue();
		EXPECT_TRUE( mManager->mComponents.empty() );
	}

	TEST_F( Animation, AStoredAnimationLoadsItsSheetAgain )
	{
		Animated* source = Make( "Source1" );
		source->Animation().SetAnimation( mAtlas, mImage );
		source->Animation().mTimer = 0.1f;
		source->Animation().SetFrame( 4 );
		// An exchange file of this test's own, so that the game's registrations stay
		// untouched for the tests that check them.
		KelvaneTest::TempFolder folder;
		Tarn::ResourceRecord exchange;
		exchange.mPath = folder / "AnimationComponent.xml";
		Tarn::ResourceRecord* record = &exchange;
		source->Animation().Serialise( *record );
		const std::string text = KelvaneTest::ReadWholeFile( record->mPath );
		EXPECT_NE( text.find( "<mCurrentFrame mCurrentFrame=\"4\"" ), std::string::npos ) << text;
		EXPECT_NE( text.find( "mIsPausedAnimation=\"true\"" ), std::string::npos ) << text;

		Animated* copy = Make( "Copy1" );
		copy->Animation().Deserialise( *record );
		EXPECT_EQ( copy->Animation().GetXmlFileName(), mAtlas );
		EXPECT_EQ( copy->Animation().GetSpriteSheetFileName(), mImage );
		EXPECT_FLOAT_EQ( copy->Animation().mTimer, 0.1f );
		EXPECT_TRUE( copy->Animation().IsPaused() );
		// Loading the sheet resets the range to the whole sheet, shown from the start.
		EXPECT_EQ( copy->Animation().GetCurrentFrame(), 0 );
		EXPECT_EQ( copy->Animation().GetEndFrame(), 7 );
		EXPECT_EQ( copy->Animation().GetShownFrame(), 0 );
	}

	TEST_F( Animation, TheGamesSheetsLoadFromTheDataRootHoweverTheyAreSpelt )
	{
		EXPECT_EQ( AnimationManager::ResolveSheetPath( "/resource/sheet.xml" ), "resource/sheet.xml" );
		EXPECT_EQ( AnimationManager::ResolveSheetPath( "./resource/gate.xml" ), "resource/gate.xml" );
		EXPECT_EQ( AnimationManager::ResolveSheetPath( "./resource/GATE.XML" ), "resource/gate.xml" );
		EXPECT_EQ( AnimationManager::ResolveSheetPath( mAtlas ), mAtlas );

		Animated* sprite = Make( "Gate1" );
		KelvaneTest::LogCapture log( Tarn::Log::LEVEL_ERROR );
		sprite->Animation().SetAnimation( "./resource/gate.xml", "./resource/gate.png" );
		EXPECT_GE( sprite->Animation().GetAnimationFrames().size(), 4u );
		sprite->Animation().SetAnimation( "/resource/sheet.xml", "/resource/sheet.png" );
		EXPECT_FALSE( sprite->Animation().GetAnimationFrames().empty() );
		EXPECT_TRUE( log.Messages().empty() );
		for ( const auto& frame : sprite->Animation().GetAnimationFrames() )
		{
			EXPECT_GE( frame.mUMin, 0.0f );
			EXPECT_LE( frame.mUMax, 1.0f );
		}
	}
}
