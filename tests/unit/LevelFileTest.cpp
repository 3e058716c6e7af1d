#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "GameStates/LevelObject.h"
#include "Physics/CollisionComponent.h"
#include "Physics/LineComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/MineComponent.h"
#include "Utilities/FileSystem.h"
#include "support/LevelFiles.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
	using KelvaneTest::LogCapture;
	using KelvaneTest::MakeObject;
	using KelvaneTest::ReadWholeFile;
	using KelvaneTest::WriteWholeFile;
	using Tarn::HashedName;
	using Tarn::LevelObject;
	using Tarn::ObjectManager;

	class LevelFiles : public testing::Test
	{
	protected:
		void SetUp() override { KelvaneTest::LevelFileSystem(); }
		void TearDown() override { ObjectManager::Instance().DestroyAll(); }

		LevelObject& Level( const char* name = "TestLevel" )
		{
			auto* level = static_cast<LevelObject*>( MakeObject( "LevelObject", name ) );
			EXPECT_NE( level, nullptr );
			return *level;
		}

		Tarn::ResourceRecord File( const std::string& name, const std::string& contents = {} )
		{
			const std::string path = mFolder / name;
			if ( !contents.empty() )
				WriteWholeFile( path, contents );
			return Tarn::FileSystem::ParseRecord( path, true );
		}

		std::vector<std::string> Names( const LevelObject& level ) const
		{
			std::vector<std::string> names;
			for ( const HashedName& name : level.ObjectNames() )
				names.push_back( name.GetName() );
			return names;
		}

		static void Load( LevelObject& level, Tarn::ResourceRecord record ) { level.Deserialise( record ); }

		static Tarn::Object* Find( const char* name ) { return ObjectManager::Instance().GetObject( HashedName( name ) ); }

		static std::string Element( const char* type, const char* name, const std::string& inside = {} )
		{
			return std::string( "<Object Type=\"" ) + type + "\" ObjectName=\"" + name + "\">" + inside + "</Object>";
		}

		static std::string LevelText( const std::string& objects )
		{
			return "<LevelObject Type=\"LevelObject\" Name=\"TestLevel\">" + objects + "</LevelObject>";
		}

		KelvaneTest::TempFolder mFolder;
	};

	TEST_F( LevelFiles, ARoundTripKeepsEveryValue )
	{
		LevelObject& level = Level();
		KelvaneTest::BuildFirstLevel( level );
		Tarn::Object* wall = Find( "Wall2" );
		auto* transform = wall->GetComponent<Tarn::TransformComponent>();
		transform->mVelocity = { 0.1f, -1e6f };
		transform->mDirection = 1.25f;
		transform->mHasFriction = true;
		transform->mTransType = -1;
		auto* collider = wall->GetComponent<Physics::CollisionComponent>();
		collider->mCollisionData = { 6.5f, 0.25f };
		collider->mInvulTimer = 2.0f;
		collider->mDefault = false;
		auto* mine = Find( "Prism2" )->GetComponent<StateMachines::MineComponent>();
		mine->mPatrol = { Tarn::Vector2( 1, 2 ), Tarn::Vector2( -3, 4.5f ) };
		mine->mIsAttacking = true;
		mine->mInnerState = StateMachines::INNER_STATE_ON_UPDATE;

		Tarn::ResourceRecord first = File( "first.xml" );
		ASSERT_TRUE( level.Save( first ) );
		level.DestroyAllObjects();
		ASSERT_EQ( Find( "Wall2" ), nullptr );

		LevelObject& again = Level( "Again" );
		again.Deserialise( first );
		EXPECT_EQ( Names( again ), Names( level ) );
		wall = Find( "Wall2" );
		ASSERT_NE( wall, nullptr );
		EXPECT_EQ( wall->GetComponent<Tarn::TransformComponent>()->mVelocity, Tarn::Vector2( 0.1f, -1e6f ) );
		EXPECT_EQ( wall->GetComponent<Tarn::TransformComponent>()->mTransType, -1 );
		EXPECT_FALSE( wall->GetComponent<Physics::CollisionComponent>()->mDefault );
		EXPECT_EQ( Find( "Prism2" )->GetComponent<StateMachines::MineComponent>()->mPatrol[1], Tarn::Vector2( -3, 4.5f ) );
		EXPECT_EQ( Find( "BoundTop" )->GetComponent<Physics::LineComponent>()->mNormal, Tarn::Vector2( 0, -1 ) );

		// Written again, the file is the same but for the level's own name.
		Tarn::ResourceRecord second = File( "second.xml" );
		ASSERT_TRUE( again.Save( second ) );
		std::string expected = ReadWholeFile( first.mPath );
		expected.replace( expected.find( "Name=\"TestLevel\"" ), 16, "Name=\"Again\"" );
		EXPECT_EQ( ReadWholeFile( second.mPath ), expected );
	}

	// After a load, each exchange file holds the last fragment of its type that passed
	// through it: the element of the last object of the level that carries that kind.
	TEST_F( LevelFiles, AfterALoadEachExchangeFileHoldsTheLastFragmentOfItsType )
	{
		const std::string path = std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml";
		pugi::xml_document source;
		ASSERT_TRUE( source.load_file( path.c_str() ) );
		std::map<std::string, pugi::xml_node> last;
		pugi::xml_node lastObject;
		for ( pugi::xml_node object : source.document_element().children( "Object" ) )
		{
			lastObject = object;
			for ( pugi::xml_node component : object.children( "ObjectComponent" ) )
				last[component.attribute( "Name" ).value()] = component;
		}
		auto documentOf = []( const pugi::xml_node& element ) {
			pugi::xml_document document;
			document.append_copy( element );
			std::ostringstream text;
			document.save( text );
			return text.str();
		};
		Tarn::FileSystem& files = KelvaneTest::LevelFileSystem();
		for ( const auto& [type, element] : last )
			if ( const Tarn::ResourceRecord* exchange = files.FindResource( type.c_str() ) )
				WriteWholeFile( exchange->mPath, "" );

		LevelObject& level = Level( "Level1" );
		Tarn::ResourceRecord file = Tarn::FileSystem::ParseRecord( path, true );
		level.Deserialise( file );
		ASSERT_EQ( level.ObjectNames().size(), KelvaneTest::kFirstLevelObjects );

		size_t checked = 0;
		for ( const auto& [type, element] : last )
		{
			const Tarn::ResourceRecord* exchange = files.FindResource( type.c_str() );
			if ( !exchange || !exchange->NamesFile() )
				continue;
			EXPECT_EQ( ReadWholeFile( exchange->mPath ), documentOf( element ) ) << type;
			++checked;
		}
		EXPECT_GE( checked, 8u );
		EXPECT_EQ( ReadWholeFile( files.GetResource( "ObjectDefault" )->mPath ), documentOf( lastObject ) );
	}

	TEST_F( LevelFiles, ElementOrderIsCreationOrderAndSaveOrder )
	{
		// Names whose hashes do not sort the way the file lists them.
		const std::string text = LevelText( Element( "Wall", "Zed" ) + Element( "Wall", "Alpha" ) + Element( "Wall", "Mid" ) );
		Tarn::ResourceRecord file = File( "order.xml", text );
		LevelObject& level = Level();
		level.Deserialise( file );
		EXPECT_EQ( Names( level ), ( std::vector<std::string>{ "Zed", "Alpha", "Mid" } ) );

		Tarn::ResourceRecord saved = File( "saved.xml" );
		ASSERT_TRUE( level.Save( saved ) );
		const std::string written = ReadWholeFile( saved.mPath );
		const size_t zed = written.find( "ObjectName=\"Zed\"" );
		const size_t alpha = written.find( "ObjectName=\"Alpha\"" );
		const size_t mid = written.find( "ObjectName=\"Mid\"" );
		ASSERT_NE( mid, std::string::npos ) << written;
		EXPECT_LT( zed, alpha );
		EXPECT_LT( alpha, mid );
		EXPECT_NE( written.find( "<LevelObject Type=\"LevelObject\" Name=\"TestLevel\">" ), std::string::npos ) << written;
	}

	TEST_F( LevelFiles, ADestroyedObjectIsNotSavedAndItsNameStaysListed )
	{
		LevelObject& level = Level();
		Load( level, File( "two.xml", LevelText( Element( "Wall", "Keep" ) + Element( "Wall", "Gone" ) ) ) );
		level.RemoveObject( Find( "Gone" ) );
		EXPECT_NE( Find( "Gone" ), nullptr ) << "destroyed at the end of the step";
		ObjectManager::Instance().ProcessDestroyQueue();
		ASSERT_EQ( Find( "Gone" ), nullptr );

		Tarn::ResourceRecord saved = File( "saved.xml" );
		ASSERT_TRUE( level.Save( saved ) );
		const std::string written = ReadWholeFile( saved.mPath );
		EXPECT_NE( written.find( "\"Keep\"" ), std::string::npos );
		EXPECT_EQ( written.find( "\"Gone\"" ), std::string::npos );
		EXPECT_EQ( Names( level ), ( std::vector<std::string>{ "Keep", "Gone" } ) );
	}

	TEST_F( LevelFiles, NamesAreCountedByTheirFirstWordInOrder )
	{
		const LevelObject::NameCounters before = LevelObject::Counters();
		LevelObject& level = Level();
		Load( level, File( "names.xml", LevelText( Element( "Wall", "SwitchMine1" ) + Element( "Wall", "Mine2" ) +
		                                                 Element( "Wall", "ButtonPillar" ) + Element( "Wall", "Crystal9" ) +
		                                                 Element( "Wall", "Plain" ) + Element( "NoSuchType", "Mine3" ) ) ) );
		const LevelObject::NameCounters after = LevelObject::Counters();
		EXPECT_EQ( after.mSwitch - before.mSwitch, 1 ) << "\"Switch\" beats \"Mine\"";
		EXPECT_EQ( after.mMine - before.mMine, 1 ) << "an object that was never made is not counted";
		EXPECT_EQ( after.mButton - before.mButton, 1 );
		EXPECT_EQ( after.mPillar - before.mPillar, 0 );
		EXPECT_EQ( after.mCrystal - before.mCrystal, 1 );
	}

	TEST_F( LevelFiles, ALevelLoadedTwiceIntoOneLevelObjectStillSavesEachObjectOnce )
	{
		Tarn::ResourceRecord file = File( "one.xml", LevelText( Element( "Wall", "Only" ) ) );
		LevelObject& level = Level();
		level.Deserialise( file );
		level.DestroyAllObjects();
		level.Deserialise( file );
		EXPECT_EQ( Names( level ).size(), 2u );
		Tarn::ResourceRecord saved = File( "saved.xml" );
		ASSERT_TRUE( level.Save( saved ) );
		const std::string written = ReadWholeFile( saved.mPath );
		EXPECT_EQ( written.find( "\"Only\"" ), written.rfind( "\"Only\"" ) ) << written;

		LogCapture log;
		LevelObject& reloaded = Level( "Reloaded" );
		reloaded.Deserialise( saved );
		EXPECT_EQ( log.CountOf( "Error creating object (Only): Duplicate name." ), 1u ) << "it exists already";
	}

	TEST_F( LevelFiles, ReloadingGivesExistingObjectsTheFilesValuesAndLeavesOthersAlone )
	{
		const std::string wall = "<ObjectComponent Name=\"TransformComponent\"><Position mPosition.X=\"7\" "
		                         "mPosition.Y=\"-2\"/></ObjectComponent>";
		Tarn::ResourceRecord file = File( "walls.xml", LevelText( Element( "Wall", "Moved", wall ) ) );
		LevelObject& level = Level();
		level.Deserialise( file );
		Tarn::Object* other = MakeObject( "Wall", "NotInFile" );
		level.AddObject( other );
		other->GetComponent<Tarn::TransformComponent>()->mPosition = { 3, 3 };
		Tarn::Object* moved = Find( "Moved" );
		moved->GetComponent<Tarn::TransformComponent>()->mPosition = { 0, 0 };
		const size_t count = ObjectManager::Instance().ObjectCount();

		level.ReloadObjects( file );
		EXPECT_EQ( moved->GetComponent<Tarn::TransformComponent>()->mPosition, Tarn::Vector2( 7, -2 ) );
		EXPECT_EQ( other->GetComponent<Tarn::TransformComponent>()->mPosition, Tarn::Vector2( 3, 3 ) )
		    << "an object the file does not hold keeps its values";
		EXPECT_EQ( ObjectManager::Instance().ObjectCount(), count );
	}

	// Every broken file loads what it can, says what it skipped, and returns.
	TEST_F( LevelFiles, BrokenFilesLoadWhatTheyCanAndSayWhatTheySkipped )
	{
		LevelObject& level = Level();
		{
			LogCapture log;
			Tarn::ResourceRecord missing = File( "missing.xml" );
			level.Deserialise( missing );
			EXPECT_TRUE( level.ObjectNames().empty() );
			EXPECT_GE( log.Messages().size(), 1u );
			EXPECT_NE( log.Texts().front().find( "missing.xml" ), std::string::npos ) << log.Texts().front();
		}
		{
			LogCapture log;
			Tarn::ResourceRecord empty = File( "empty.xml" );
			WriteWholeFile( empty.mPath, "" );
			level.Deserialise( empty );
			EXPECT_TRUE( level.ObjectNames().empty() );
			EXPECT_TRUE( log.Contains( "Level file " + empty.mPath + " holds no objects." ) );
		}
		{
			LogCapture log;
			Load( level, File( "junk.xml", "this is not <XML at all" ) );
			EXPECT_TRUE( level.ObjectNames().empty() );
			EXPECT_GE( log.Messages().size(), 2u );
		}
		{
			LogCapture log;
			Load( level, File( "types.xml", LevelText( Element( "Dragon", "Smaug" ) + Element( "Wall", "Real" ) +
			                                                 "<Object/>" + Element( "Wall", "Real" ) ) ) );
			EXPECT_EQ( Names( level ), ( std::vector<std::string>{ "Real" } ) );
			EXPECT_TRUE( log.Contains( "Error creating object (Smaug): No such type (Dragon)." ) );
			EXPECT_TRUE( log.Contains( "Error creating object (Real): Duplicate name." ) );
			EXPECT_EQ( log.CountOf( "skipped 3." ), 0u );
			bool summary = false;
			for ( const std::string& text : log.Texts() )
				summary = summary || text.find( "loaded 1 objects, skipped 3." ) != std::string::npos;
			EXPECT_TRUE( summary );
		}
		{
			LogCapture log;
			const std::string text =
			    "<ObjectComponent Name=\"TransformComponent\"><Position mPosition.X=\"left\" mPosition.Y=\"\"/>"
			    "<Direction mDirection=\"1.5.5.x\"/></ObjectComponent>";
			Load( level, File( "values.xml", LevelText( Element( "Wall", "Odd", text ) ) ) );
			Tarn::Object* odd = Find( "Odd" );
			ASSERT_NE( odd, nullptr );
			EXPECT_EQ( odd->GetComponent<Tarn::TransformComponent>()->mPosition, Tarn::Vector2( 0, 0 ) );
			EXPECT_FLOAT_EQ( odd->GetComponent<Tarn::TransformComponent>()->mDirection, 1.5f );
		}
		{
			std::string deep;
			for ( int i = 0; i < 1000; ++i )
				deep += "<Object Type=\"Wall\" ObjectName=\"Deep" + std::to_string( i ) + "\">";
			for ( int i = 0; i < 1000; ++i )
				deep += "</Object>";
			std::string nested = "<ObjectComponent Name=\"TransformComponent\">";
			for ( int i = 0; i < 1000; ++i )
				nested += "<Position>";
			for ( int i = 0; i < 1000; ++i )
				nested += "</Position>";
			nested += "</ObjectComponent>";
			LogCapture log;
			Load( level, File( "deep.xml", LevelText( deep + Element( "Wall", "Shallow", nested ) ) ) );
			EXPECT_NE( Find( "Deep0" ), nullptr ) << "the outer element is an object of the level";
			EXPECT_EQ( Find( "Deep1" ), nullptr ) << "what is nested inside an object is not";
			EXPECT_NE( Find( "Shallow" ), nullptr );
			Tarn::ResourceRecord saved = File( "deep-saved.xml" );
			EXPECT_TRUE( level.Save( saved ) );
		}
	}

	TEST_F( LevelFiles, SavingWithoutAFileSaysSoAndWritesNothing )
	{
		LogCapture log;
		LevelObject& level = Level();
		EXPECT_FALSE( level.Save( Tarn::ResourceRecord() ) );
		EXPECT_TRUE( log.Contains( "Level TestLevel: no file to save to." ) );
		// A folder that does not exist: the atomic save fails and says where.
		EXPECT_FALSE( level.Save( File( "no/such/folder/level.xml" ) ) );
	}
}
