// The campaign's level files: each is what the engine saves of its builder, loads
// without a warning, and holds what a level needs (one ship, one gate, a prism and a
// switch) and nothing the game cannot make. To write the files anew after changing a
// builder, run these tests with KELVANE_WRITE_LEVELS=1.
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "GameStates/LevelObject.h"
#include "Graphics/AnimationManager.h"
#include "Physics/CollisionManager.h"
#include "Physics/PhysicsManager.h"
#include "core/Services.h"
#include "support/Campaign.h"
#include "support/LevelFiles.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <map>
#include <string>

namespace
{
	std::string LevelPath( int number )
	{
		return std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level" + std::to_string( number ) + ".xml";
	}

	class CampaignFiles : public testing::TestWithParam<int>
	{
	protected:
		void SetUp() override
		{
			mLevel = KelvaneTest::FindCampaignLevel( GetParam() );
			if ( !mLevel )
				GTEST_FAIL() << "level " << GetParam() << " of the campaign has no builder";
			KelvaneTest::LevelFileSystem();
		}

		const KelvaneTest::CampaignLevel* mLevel = nullptr;
	};

	TEST_P( CampaignFiles, TheCommittedFileIsWhatTheEngineSaves )
	{
		const std::string name = "Level" + std::to_string( GetParam() );
		KelvaneTest::TempFolder folder;
		Graphics::AnimationManager animations( nullptr );
		Tarn::Services::Add<Graphics::AnimationManager>( &animations );
		auto* level = static_cast<Tarn::LevelObject*>( KelvaneTest::MakeObject( "LevelObject", name.c_str() ) );
		ASSERT_NE( level, nullptr );
		mLevel->mBuild( *level );

		const Tarn::ResourceRecord saved = Tarn::FileSystem::ParseRecord( folder / ( name + ".xml" ), true );
		ASSERT_TRUE( level->Save( saved ) );
		if ( std::getenv( "KELVANE_WRITE_LEVELS" ) )
		{
			ASSERT_TRUE( level->Save( Tarn::FileSystem::ParseRecord( LevelPath( GetParam() ), true ) ) );
		}
		Tarn::ObjectManager::Instance().DestroyAll();
		Tarn::Services::Remove<Graphics::AnimationManager>();
		EXPECT_EQ( KelvaneTest::ReadWholeFile( saved.mPath ), KelvaneTest::ReadWholeFile( LevelPath( GetParam() ) ) )
		    << "resource/Levels/" << name << ".xml is out of date; write it again with KELVANE_WRITE_LEVELS=1";
	}

	TEST_P( CampaignFiles, LoadsWithoutAWarningAndHoldsWhatALevelNeeds )
	{
		// Every object in the file is of a type the game makes.
		pugi::xml_document document;
		ASSERT_TRUE( document.load_file( LevelPath( GetParam() ).c_str() ) ) << LevelPath( GetParam() );
		std::map<std::string, int> types;
		for ( const pugi::xml_node object : document.document_element().children( "Object" ) )
		{
			const std::string type = object.attribute( "Type" ).as_string();
			++types[type];
			EXPECT_TRUE( Tarn::TypeRegistry::Instance().HasObjectType( Tarn::HashedName( type.c_str() ) ) )
			    << "unknown object type " << type;
		}
		EXPECT_EQ( types["Player"], 1 );
		EXPECT_EQ( types["Gate"], 1 );
		EXPECT_EQ( types["GateBarrier"], 1 );
		EXPECT_EQ( types["Scenery"] >= 1, true ) << "no background";
		EXPECT_GE( types["InanimateObject"], 1 ) << "no prism";
		EXPECT_GE( types["Switch"], 1 );
		EXPECT_GE( types["LineObject"], 4 ) << "no line bounds";
		EXPECT_GE( types["StatusBarObject"], 2 ) << "no player bars";

		// The engine reads it back without a word of warning.
		Physics::CollisionManager collisions( nullptr );
		Physics::PhysicsManager physics( nullptr );
		Graphics::AnimationManager animations( nullptr );
		Tarn::Services::Add<Graphics::AnimationManager>( &animations );
		Tarn::Services::Add<Physics::CollisionManager>( &collisions );
		Tarn::Services::Add<Physics::PhysicsManager>( &physics );
		{
			KelvaneTest::LogCapture log;
			const std::string name = "Level" + std::to_string( GetParam() );
			auto* level = static_cast<Tarn::LevelObject*>( KelvaneTest::MakeObject( "LevelObject", name.c_str() ) );
			Tarn::ResourceRecord file = Tarn::FileSystem::ParseRecord( LevelPath( GetParam() ), true );
			level->Deserialise( file );
			size_t objects = 0;
			for ( const auto& [type, count] : types )
				objects += size_t( count );
			EXPECT_EQ( level->ObjectNames().size(), objects );
			for ( const auto& message : log.Messages() )
				EXPECT_LT( message.mLevel, Tarn::Log::LEVEL_WARNING ) << message.mText;
			Tarn::ObjectManager::Instance().DestroyAll();
		}
		Tarn::Services::Remove<Physics::PhysicsManager>();
		Tarn::Services::Remove<Physics::CollisionManager>();
		Tarn::Services::Remove<Graphics::AnimationManager>();
	}

	INSTANTIATE_TEST_SUITE_P( Levels, CampaignFiles, testing::Range( 1, KelvaneTest::kCampaignLevels + 1 ),
	                          []( const testing::TestParamInfo<int>& info ) { return "Level" + std::to_string( info.param ); } );
}
