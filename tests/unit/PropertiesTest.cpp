// The property tables components declare, what is derived from them (the XML written
// and read, the tweak bar), and the lifetime of the bars.

#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/Properties.h"
#include "Core/TypeRegistry.h"
#include "GameStates/LevelObject.h"
#include "Graphics/AnimationManager.h"
#include "Graphics/EmitterComponent.h"
#include "Platform/TweakBar.h"
#include "StateMachines/StateTypes.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"
#include "support/LevelFiles.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <array>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
	using Tarn::Declare;
	using Tarn::HashedName;
	using Tarn::Vector2;

	enum Mood : int32_t
	{
		CALM = 0,
		CROSS = 1,
		FURIOUS = 2,
	};

	int sPressed = 0;

	// One row of every kind the tables have.
	class Specimen : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( TestSpecimen )

	public:
		explicit Specimen( Tarn::Object* owner ) : ObjectComponent( owner ) {}
		void Initialise() override {}
		void Shutdown() override {}

		static void Press( void* clientData ) { sPressed += static_cast<Specimen*>( clientData )->mCount; }

		const Tarn::ComponentProperties& Properties() const override
		{
			using P = Declare<Specimen>;
			static const Tarn::ComponentProperties kProperties = {
				P::Float( "Speed", "mSpeed", &Specimen::mSpeed ).Bar( "Speed", " group=Motion step=0.1 " ),
				P::Int( "Count", "mCount", &Specimen::mCount ),
				P::Enum( "Mood", "mMood", &Specimen::mMood ).Bar( "Mood", " group=State " ).Enumeration( "Mood", "CALM, CROSS, FURIOUS" ),
				P::Bool( "Lit", "mLit", &Specimen::mLit ).Bar( "Lit", "" ),
				P::String( "Label", "mLabel", &Specimen::mLabel ).Bar( "Label", " group=Text " ),
				P::Vector( "Where", "mWhere", &Specimen::mWhere ).Bar( { "Where X", "" }, " group=Motion " ),
				P::Compound( "Aim", "mAim", &Specimen::mAim, Tarn::Parts::kLowerXY ),
				P::Compound( "Tint", "mTint", &Specimen::mTint, Tarn::Parts::kNumberedRGBA ),
				P::Compounds( "Route", "mRoute", &Specimen::mRoute, Tarn::Parts::kLowerXY ),
				P::Numbered( "Codes", "mCodes", &Specimen::mCodes ),
				P::Named( "Size", &Specimen::mSize, { { "Wide", 0 }, { "Across", 0 }, { "High", 1 } } ),
				P::Float( "Elapsed", "mElapsed", &Specimen::mElapsed ).WriteOnly(),
				P::String( "Picture", "mPicture", &Specimen::mPicture ).KeptWhenMissing(),
				P::Tweak( "Count Shown", &Specimen::mCount, " group=State " ),
				P::Button( "Press", &Specimen::Press, "group=Buttons" ),
			};
			return kProperties;
		}

		float mSpeed = 0.0f;
		int32_t mCount = 0;
		Mood mMood = CALM;
		bool mLit = false;
		std::string mLabel;
		Vector2 mWhere;
		Vector2 mAim;
		Tarn::Colour mTint;
		std::array<Vector2, 2> mRoute{};
		std::array<int32_t, 3> mCodes{};
		std::array<float, 2> mSize{};
		float mElapsed = 0.0f;
		std::string mPicture;
	};

	class Holder : public Tarn::Object
	{
	public:
		explicit Holder( const char* name )
		{
			mType = HashedName( "Holder" );
			mName = HashedName( name );
		}
		void Initialise() override {}
		void Shutdown() override {}
	};

	std::string Text( const pugi::xml_node& node )
	{
		std::ostringstream text;
		node.print( text, "", pugi::format_raw );
		return text.str();
	}

	class PropertyTables : public testing::Test
	{
	protected:
		void SetUp() override
		{
			Tarn::TypeRegistry::Instance().RegisterComponentType(
			    Specimen::ClassHashedName(),
			    []( Tarn::Object* owner ) -> Tarn::ObjectComponent* { return new Specimen( owner ); } );
			mSpecimen = static_cast<Specimen*>( mHolder.mComponents.AddComponent( Specimen::ClassHashedName() ) );
			ASSERT_NE( mSpecimen, nullptr );
		}

		pugi::xml_node Write( const Specimen& specimen )
		{
			mDocument.reset();
			pugi::xml_node element = mDocument.append_child( "ObjectComponent" );
			specimen.Properties().Write( element, const_cast<Specimen&>( specimen ) );
			return element;
		}

		Holder mHolder{ "Holder1" };
		Specimen* mSpecimen = nullptr;
		pugi::xml_document mDocument;
	};

	TEST_F( PropertyTables, EveryKindIsWrittenInTableOrderWithItsPartSpelling )
	{
		Specimen& s = *mSpecimen;
		s.mSpeed = 0.1f;
		s.mCount = -1;
		s.mMood = FURIOUS;
		s.mLit = true;
		s.mLabel = "a <b> & \"c\"";
		s.mWhere = { 1e6f, -2 };
		s.mAim = { 3, 4 };
		s.mTint = { 0.25f, 0.5f, 0.75f, 1 };
		s.mRoute = { Vector2( 1, 2 ), Vector2( 3, 4 ) };
		s.mCodes = { 7, -2, 0 };
		s.mSize = { 5, 6 };
		s.mElapsed = 9;
		s.mPicture = "p.png";
		EXPECT_EQ( Text( Write( s ) ),
		           "<ObjectComponent>"
		           "<Speed mSpeed=\"0.1\"/>"
		           "<Count mCount=\"4294967295\"/>"
		           "<Mood mMood=\"2\"/>"
		           "<Lit mLit=\"true\"/>"
		           "<Label mLabel=\"a &lt;b> &amp; &quot;c&quot;\"/>"
		           "<Where mWhere.X=\"1e+06\" mWhere.Y=\"-2\"/>"
		           "<Aim mAim.x=\"3\" mAim.y=\"4\"/>"
		           "<Tint mTint.0=\"0.25\" mTint.1=\"0.5\" mTint.2=\"0.75\" mTint.3=\"1\"/>"
		           "<Route mRoute.0.x=\"1\" mRoute.0.y=\"2\" mRoute.1.x=\"3\" mRoute.1.y=\"4\"/>"
		           "<Codes mCodes.0=\"7\" mCodes.1=\"4294967294\" mCodes.2=\"0\"/>"
		           "<Size Wide=\"5\" Across=\"5\" High=\"6\"/>"
		           "<Elapsed mElapsed=\"9\"/>"
		           "<Picture mPicture=\"p.png\"/>"
		           "</ObjectComponent>" )
		    << "bar-only rows and buttons write nothing";
	}

	TEST_F( PropertyTables, ReadingTakesWhatIsThereAndZeroForWhatIsNot )
	{
		Specimen written( &mHolder );
		written.mSpeed = -2.5f;
		written.mCount = -7;
		written.mMood = CROSS;
		written.mLit = true;
		written.mLabel = "x";
		written.mWhere = { 1, 2 };
		written.mAim = { 3, 4 };
		written.mTint = { 5, 6, 7, 8 };
		written.mRoute = { Vector2( 9, 10 ), Vector2( 11, 12 ) };
		written.mCodes = { 13, 14, -15 };
		written.mSize = { 16, 17 };
		written.mElapsed = 18;
		written.mPicture = "picture.png";
		const pugi::xml_node element = Write( written );

		Specimen& read = *mSpecimen;
		read.mElapsed = 99;
		read.Properties().Read( element, read );
		EXPECT_EQ( read.mSpeed, -2.5f );
		EXPECT_EQ( read.mCount, -7 );
		EXPECT_EQ( read.mMood, CROSS );
		EXPECT_TRUE( read.mLit );
		EXPECT_EQ( read.mLabel, "x" );
		EXPECT_EQ( read.mWhere, Vector2( 1, 2 ) );
		EXPECT_EQ( read.mAim, Vector2( 3, 4 ) );
		EXPECT_EQ( read.mTint, ( Tarn::Colour{ 5, 6, 7, 8 } ) );
		EXPECT_EQ( read.mRoute[1], Vector2( 11, 12 ) );
		EXPECT_EQ( read.mCodes, ( std::array<int32_t, 3>{ 13, 14, -15 } ) );
		EXPECT_EQ( read.mSize, ( std::array<float, 2>{ 16, 17 } ) );
		EXPECT_EQ( read.mElapsed, 99.0f ) << "written only";
		EXPECT_EQ( read.mPicture, "picture.png" );

		// Of two attributes of one value, the later one is what is read; extra elements
		// and attributes are passed over.
		pugi::xml_document edited;
		edited.load_string( "<ObjectComponent><Size Wide=\"1\" Across=\"2\" High=\"3\" Deep=\"4\"/><Other a=\"b\"/>"
		                    "<Lit mLit=\"TRUE\"/></ObjectComponent>" );
		read.mPicture = "kept.png";
		read.Properties().Read( edited.document_element(), read );
		EXPECT_EQ( read.mSize, ( std::array<float, 2>{ 2, 3 } ) );
		EXPECT_FALSE( read.mLit ) << "TRUE in capitals is not true";
		EXPECT_EQ( read.mSpeed, 0.0f ) << "a missing element reads as 0";
		EXPECT_EQ( read.mCount, 0 );
		EXPECT_EQ( read.mMood, CALM );
		EXPECT_EQ( read.mLabel, "" );
		EXPECT_EQ( read.mRoute[0], Vector2( 0, 0 ) );
		EXPECT_EQ( read.mPicture, "kept.png" ) << "a row kept when missing keeps its value";

		// No element at all: everything read reads as 0.
		read.Properties().Read( pugi::xml_node(), read );
		EXPECT_EQ( read.mSize, ( std::array<float, 2>{ 0, 0 } ) );
		EXPECT_EQ( read.mPicture, "kept.png" );
	}

	TEST_F( PropertyTables, TheBarListsItsEntriesInTableOrderBoundToTheMembers )
	{
		Specimen& s = *mSpecimen;
		s.mCount = 3;
		s.CreateTweakBar();
		const Platform::TweakBarData* bar = Platform::FindTweakBar( "Holder1's TestSpecimen" );
		ASSERT_NE( bar, nullptr );
		ASSERT_NE( s.mTweakBar, nullptr );
		EXPECT_EQ( &Platform::TweakBarContents( s.mTweakBar ), bar );
		std::vector<std::string> names;
		for ( const Platform::TweakEntry& entry : bar->mEntries )
			names.push_back( entry.mName );
		EXPECT_EQ( names, ( std::vector<std::string>{ "Speed", "Mood", "Lit", "Label", "Where X", "Count Shown", "Press" } ) )
		    << "a part without a label has no entry";

		EXPECT_EQ( bar->Find( "Speed" )->mType, TW_TYPE_FLOAT );
		EXPECT_EQ( bar->Find( "Speed" )->mVariable, &s.mSpeed );
		EXPECT_EQ( bar->Find( "Speed" )->mDefinition, " group=Motion step=0.1 " );
		EXPECT_EQ( bar->Find( "Lit" )->mType, TW_TYPE_BOOLCPP );
		EXPECT_EQ( bar->Find( "Label" )->mType, TW_TYPE_STDSTRING );
		EXPECT_EQ( bar->Find( "Where X" )->mVariable, &s.mWhere.X );
		EXPECT_EQ( bar->Find( "Count Shown" )->mType, TW_TYPE_INT32 );
		EXPECT_EQ( bar->Find( "Count Shown" )->mVariable, &s.mCount );

		const Platform::TweakEntry* mood = bar->Find( "Mood" );
		ASSERT_TRUE( Platform::TweakBars().mEnums.count( mood->mType ) );
		EXPECT_EQ( Platform::TweakBars().mEnums.at( mood->mType ).mLabels,
		           ( std::vector<std::string>{ "CALM", "CROSS", "FURIOUS" } ) );
		EXPECT_EQ( mood->mVariable, &s.mMood );

		sPressed = 0;
		EXPECT_TRUE( Platform::PressTweakButton( "Holder1's TestSpecimen", "Press" ) );
		EXPECT_EQ( sPressed, 3 ) << "the button is given its component";
	}

	// Every component of the game, and every object: its bar's entries lie inside the
	// component itself, at the same place in each one, and a bar opened again holds
	// each entry once.
	TEST( ComponentBars, EveryEntryIsBoundToItsOwnComponentAndOpeningAgainReplacesIt )
	{
		for ( const std::string& type : Tarn::TypeRegistry::Instance().ComponentTypeNames() )
		{
			Holder first( "First" );
			Holder second( "Second" );
			Tarn::ObjectComponent* a = first.mComponents.AddComponent( HashedName( type.c_str() ) );
			Tarn::ObjectComponent* b = second.mComponents.AddComponent( HashedName( type.c_str() ) );
			ASSERT_TRUE( a && b ) << type;
			a->CreateTweakBar();
			a->CreateTweakBar();
			b->CreateTweakBar();
			const Platform::TweakBarData* barA = Platform::FindTweakBar( "First's " + type );
			const Platform::TweakBarData* barB = Platform::FindTweakBar( "Second's " + type );
			ASSERT_EQ( barA == nullptr, barB == nullptr ) << type;
			if ( !barA )
				continue;
			ASSERT_EQ( barA->mEntries.size(), barB->mEntries.size() ) << type;
			std::set<std::string> names;
			for ( size_t i = 0; i < barA->mEntries.size(); ++i )
			{
				const Platform::TweakEntry& entryA = barA->mEntries[i];
				const Platform::TweakEntry& entryB = barB->mEntries[i];
				EXPECT_TRUE( names.insert( entryA.mName ).second ) << type << ": " << entryA.mName << " twice";
				const void* boundA = entryA.mVariable ? entryA.mVariable : entryA.mClientData;
				const void* boundB = entryB.mVariable ? entryB.mVariable : entryB.mClientData;
				const auto offsetA = static_cast<const char*>( boundA ) - reinterpret_cast<const char*>( a );
				const auto offsetB = static_cast<const char*>( boundB ) - reinterpret_cast<const char*>( b );
				EXPECT_EQ( offsetA, offsetB ) << type << ": " << entryA.mName;
				EXPECT_GE( offsetA, 0 ) << type << ": " << entryA.mName;
				EXPECT_LT( offsetA, 1 << 16 ) << type << ": " << entryA.mName;
			}
		}
	}

	TEST( ComponentBars, ABarGoesWithTheComponentOrObjectThatBuiltIt )
	{
		KelvaneTest::LevelFileSystem();
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* wall = KelvaneTest::MakeObject( "Wall", "BarWall" );
		ASSERT_NE( wall, nullptr );
		for ( Tarn::ObjectComponent* component : wall->mComponents.Components() )
			component->CreateTweakBar();
		wall->mTweakBar = TwNewBar( "BarWall" );
		ASSERT_NE( Platform::FindTweakBar( "BarWall's TransformComponent" ), nullptr );
		ASSERT_NE( Platform::FindTweakBar( "BarWall's MeshComponent" ), nullptr );

		// A component taken off its object takes its bar along.
		wall->mComponents.RemoveComponent( HashedName( "MeshComponent" ) );
		EXPECT_EQ( Platform::FindTweakBar( "BarWall's MeshComponent" ), nullptr );

		objects.DestroyObject( "BarWall" );
		EXPECT_NE( Platform::FindTweakBar( "BarWall's TransformComponent" ), nullptr ) << "until the end of the step";
		objects.ProcessDestroyQueue();
		for ( const char* name : { "BarWall", "BarWall's TransformComponent", "BarWall's CollisionComponent" } )
			EXPECT_EQ( Platform::FindTweakBar( name ), nullptr ) << name;
		for ( TwBar* bar : Platform::TweakBars().mOrder )
			EXPECT_EQ( Platform::TweakBarContents( bar ).mName.rfind( "BarWall", 0 ), std::string::npos );
	}

	TEST( ComponentBars, ALevelReadAgainAndItsBarsOpenedAgainShowEachEntryOnce )
	{
		KelvaneTest::LevelFileSystem();
		Graphics::AnimationManager animations( nullptr );
		Tarn::Services::Add<Graphics::AnimationManager>( &animations );
		auto* level = static_cast<Tarn::LevelObject*>( KelvaneTest::MakeObject( "LevelObject", "BarLevel" ) );
		Tarn::ResourceRecord file =
		    Tarn::FileSystem::ParseRecord( std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml", true );
		level->Deserialise( file );
		auto openAll = [level]() {
			for ( const HashedName& name : level->ObjectNames() )
				if ( Tarn::Object* object = Tarn::ObjectManager::Instance().GetObject( name ) )
					for ( Tarn::ObjectComponent* component : object->mComponents.Components() )
						component->CreateTweakBar();
		};
		openAll();
		const size_t bars = Platform::TweakBars().mOrder.size();
		level->ReloadObjects( file );
		openAll();
		openAll();
		EXPECT_EQ( Platform::TweakBars().mOrder.size(), bars );
		size_t checked = 0;
		for ( TwBar* bar : Platform::TweakBars().mOrder )
		{
			const Platform::TweakBarData& data = Platform::TweakBarContents( bar );
			std::set<std::string> names;
			for ( const Platform::TweakEntry& entry : data.mEntries )
				EXPECT_TRUE( names.insert( entry.mName ).second ) << data.mName << ": " << entry.mName;
			checked += !data.mEntries.empty();
		}
		EXPECT_GT( checked, 20u );

		std::vector<std::string> owners;
		for ( const HashedName& name : level->ObjectNames() )
			owners.push_back( name.GetName() + "'s " );
		level->DestroyAllObjects();
		Tarn::ObjectManager::Instance().DestroyAll();
		Tarn::Services::Remove<Graphics::AnimationManager>();
		for ( TwBar* bar : Platform::TweakBars().mOrder )
			for ( const std::string& owner : owners )
				EXPECT_NE( Platform::TweakBarContents( bar ).mName.rfind( owner, 0 ), 0u )
				    << Platform::TweakBarContents( bar ).mName << " outlived its component";
	}

	TEST( ComponentBars, TheEmittersBarKeepsItsLayout )
	{
		Holder holder( "Sparks" );
		auto* emitter = holder.mComponents.AddComponent<Graphics::EmitterComponent>();
		emitter->CreateTweakBar();
		const Platform::TweakBarData* bar = Platform::FindTweakBar( "Sparks's EmitterComponent" );
		ASSERT_NE( bar, nullptr );
		std::vector<std::string> entries;
		for ( const Platform::TweakEntry& entry : bar->mEntries )
			if ( entry.mDefinition != "group=Presets" )
				entries.push_back( entry.mName + "|" + entry.mDefinition );
		const std::string emitterGroup = "| group=Emitter step=0.1 ";
		const std::string particles = "| group=Particles step=0.1 ";
		const std::string shader = "| group='Particles Shader' step=0.1 ";
		EXPECT_EQ( entries, ( std::vector<std::string>{
		                        "LifeTime" + emitterGroup,         "Current Timer" + emitterGroup,
		                        "Spawn Rate" + emitterGroup,       "Spawn Timer" + emitterGroup,
		                        "Position X" + emitterGroup,       "Position Y" + emitterGroup,
		                        "Follow Object" + emitterGroup,    "Move To Final Position" + emitterGroup,
		                        "Final Position X" + emitterGroup, "Final Position Y" + emitterGroup,
		                        "Velocity X" + emitterGroup,       "Velocity Y" + emitterGroup,
		                        "Update Behavior|group='Emitter'", "Draw Behavior|",
		                        "Angle Width" + particles,         "Angle Main" + particles,
		                        "Minimum Speed X" + particles,     "Minimum Speed Y" + particles,
		                        "Maximum Speed X" + particles,     "Maximum SpeedY" + particles,
		                        "Scale Start X" + particles,       "Scale Start Y" + particles,
		                        "Scale End X" + particles,         "Scale End Y" + particles,
		                        "Spawn Distance X" + particles,    "Spawn Distance Y" + particles,
		                        "Minimum LifeTime" + particles,    "MaximumLifeTime" + particles,
		                        "Red Start" + shader,              "Green Start" + shader,
		                        "Blue Start" + shader,             "Alpha Start" + shader,
		                        "Red End" + shader,                "Green End" + shader,
		                        "Blue End" + shader,               "Alpha End" + shader,
		                        "Draw Order|group='Draw'" } ) );
		EXPECT_EQ( bar->mEntries.size() - entries.size(), Graphics::EmitterComponent::PresetNames().size() );
		EXPECT_EQ( bar->Find( "Final Position Y" )->mVariable, &emitter->mFinalPosition.Y );
		EXPECT_EQ( Platform::TweakBars().mEnums.at( bar->Find( "Update Behavior" )->mType ).mLabels.size(), 11u );
	}

	TEST( TweakBars, ABarBuiltAgainUnderItsNameIsEmptiedFirst )
	{
		float value = 0.0f;
		TwBar* bar = TwNewBar( "Rebuilt" );
		TwAddVarRW( bar, "Value", TW_TYPE_FLOAT, &value, "" );
		TwDefine( " Rebuilt position='1 1' " );
		EXPECT_EQ( TwNewBar( "Rebuilt" ), bar );
		TwAddVarRW( bar, "Value", TW_TYPE_FLOAT, &value, "" );
		EXPECT_EQ( Platform::TweakBarContents( bar ).mEntries.size(), 1u );
		EXPECT_TRUE( Platform::TweakBarContents( bar ).mDefines.empty() );
		EXPECT_EQ( TwDeleteBar( bar ), 1 );
		EXPECT_EQ( TwDeleteBar( bar ), 0 ) << "a bar that is gone is not deleted twice";
	}
}
