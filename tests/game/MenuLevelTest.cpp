// The three menu levels: the committed files are what the engine saves of the builders
// in tests/support/MenuFiles.cpp, and each loads cleanly with every page it should hold.
#include "Core/ObjectManager.h"
#include "GameStates/LevelObject.h"
#include "Graphics/AnimationManager.h"
#include "core/Services.h"
#include "support/LevelFiles.h"
#include "support/MenuFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
}
