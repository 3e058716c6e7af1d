// The three menu levels: the committed files are what the engine saves of the builders
// in tests/support/MenuFiles.cpp, and each loads cleanly with every page it should hold.
#include "Core/ObjectManager.h"
#include "GameStates/LevelObject.h"
#include "Graphics/AnimationManager.h"
#include "GameStates/ButtonComponent.h"
#include "Graphics/MeshComponent.h"
#include "core/Services.h"
#include "support/LogCapture.h"
#include "support/MenuGame.h"
#include "support/LevelFiles.h"
#include "support/MenuFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>

namespace
{
	std::string CommittedFile( const char* id ) { return std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/" + id + ".xml"; }

	// To write the files anew after changing a builder, run this test with
	// KELVANE_WRITE_MENU_LEVELS=1.
	TEST( MenuLevels, TheCommittedFilesAreWhatTheEngineSaves )
	{
		KelvaneTest::MenuFileSystem();
		KelvaneTest::TempFolder folder;
		Graphics::AnimationManager animations( nullptr );
		Tarn::Services::Add<Graphics::AnimationManager>( &animations );
		for ( const KelvaneTest::MenuLevel& menu : KelvaneTest::MenuLevels() )
		{
			SCOPED_TRACE( menu.mId );
			auto* level = static_cast<Tarn::LevelObject*>( KelvaneTest::MakeObject( "LevelObject", menu.mId ) );
			ASSERT_NE( level, nullptr );
			menu.mBuild( *level );
			const Tarn::ResourceRecord saved = Tarn::FileSystem::ParseRecord( folder / ( std::string( menu.mId ) + ".xml" ), true );
			ASSERT_TRUE( level->Save( saved ) );
			if ( std::getenv( "KELVANE_WRITE_MENU_LEVELS" ) )
			{
				ASSERT_TRUE( level->Save( Tarn::FileSystem::ParseRecord( CommittedFile( menu.mId ), true ) ) );
			}
			Tarn::ObjectManager::Instance().DestroyAll();
			EXPECT_EQ( KelvaneTest::ReadWholeFile( saved.mPath ), KelvaneTest::ReadWholeFile( CommittedFile( menu.mId ) ) )
			    << "resource/Levels/" << menu.mId << ".xml is out of date; write it again with KELVANE_WRITE_MENU_LEVELS=1";
		}
		Tarn::Services::Remove<Graphics::AnimationManager>();
	}

	// Loaded as the game loads them: every page has its pictures and buttons, the
	// clickable ones with a rectangle inside the view of any window from 4:3 on, and a
	// page that opens over the main menu or the in-game menu draws above all of it.
	class MenuLevelsInGame : public KelvaneTest::MenuGame
	{
	};

	TEST_F( MenuLevelsInGame, EveryPageLoadsWithItsButtonsInViewAndOverlaysDrawAboveTheirBase )
	{
		KelvaneTest::LogCapture log;
		std::map<int32_t, int> buttons;
		for ( const KelvaneTest::MenuLevel& menu : KelvaneTest::MenuLevels() )
		{
			SCOPED_TRACE( menu.mId );
			// The level manager's own level object of that name.
			auto* level = Tarn::ObjectManager::Instance().GetObjectOfType<Tarn::LevelObject>( Tarn::HashedName( menu.mId ) );
			ASSERT_NE( level, nullptr );
			Tarn::ResourceRecord file = Tarn::FileSystem::ParseRecord( CommittedFile( menu.mId ), true );
			level->Deserialise( file );
			int baseTop = std::numeric_limits<int>::min();
			int overlayBottom = std::numeric_limits<int>::max();
			for ( const Tarn::HashedName& name : level->ObjectNames() )
			{
				Tarn::Object* object = Tarn::ObjectManager::Instance().GetObject( name );
				ASSERT_NE( object, nullptr );
				const auto* button = object->GetComponent<Tarn::ButtonComponent>();
				const auto* mesh = object->GetComponent<Graphics::MeshComponent>();
				ASSERT_TRUE( button && mesh ) << name.GetName();
				EXPECT_FALSE( mesh->mVisible ) << name.GetName() << " waits for its page";
				if ( Tarn::IsBasePage( button->mGroup ) )
					baseTop = std::max( baseTop, mesh->mDrawOrder );
				else
					overlayBottom = std::min( overlayBottom, mesh->mDrawOrder );
				if ( button->mGUIPage )
					continue;
				++buttons[button->mGroup];
				// Half the height of the view at the plane of the pages is a little over 10
				// units, and a 4:3 window shows 13.8 units either side.
				EXPECT_LE( std::max( std::abs( button->mTopRight.X ), std::abs( button->mBottomLeft.X ) ), 12.2f ) << name.GetName();
				EXPECT_LE( std::max( std::abs( button->mTopRight.Y ), std::abs( button->mBottomLeft.Y ) ), 9.8f ) << name.GetName();
				EXPECT_FALSE( Tarn::ButtonPicture( button->mFunction, false ).empty() && button->mFunction != Tarn::FUNC_SOUNDFX_BAR &&
				              button->mFunction != Tarn::FUNC_MUSICFX_BAR )
				    << name.GetName() << " has a picture for its function";
			}
			if ( baseTop != std::numeric_limits<int>::min() )
			{
				EXPECT_LT( baseTop, overlayBottom );
			}
			level->DestroyAllObjects();
		}
		for ( const auto& message : log.Messages() )
			EXPECT_LT( message.mLevel, Tarn::Log::LEVEL_WARNING ) << message.mText;
		// Six on the main menu, five in the in-game menu, options twice (full screen, two
		// volumes of three, two mutes and Back), 20 levels and Back, three on the score
		// screen, yes and no twice, Back on how to play and the credits.
		EXPECT_EQ( buttons[Tarn::GRP_MAINMENU], 6 );
		EXPECT_EQ( buttons[Tarn::GRP_IN_GAME_MENU], 5 );
		EXPECT_EQ( buttons[Tarn::GRP_OPTIONS], 2 * 10 );
		EXPECT_EQ( buttons[Tarn::GRP_LEVEL_SELECT], 21 );
		EXPECT_EQ( buttons[Tarn::GRP_SCORE_SCREEN], 3 );
		EXPECT_EQ( buttons[Tarn::GRP_CONFIRMATION], 4 );
		EXPECT_EQ( buttons[Tarn::GRP_HOWTOPLAY], 1 );
		EXPECT_EQ( buttons[Tarn::GRP_CREDITS], 1 );
	}
}
