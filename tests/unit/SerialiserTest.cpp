#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "Physics/PhysicsManager.h"
#include "Physics/TransformComponent.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace
{
	namespace fs = std::filesystem;
	using KelvaneTest::ReadWholeFile;
	using KelvaneTest::WriteWholeFile;
	using Tarn::HashedName;
	using namespace Tarn::ValueText;

	TEST( ValueText, FloatsIntegersAndBooleans )
	{
		EXPECT_EQ( FromFloat( 0.1f ), "0.1" );
		EXPECT_EQ( FromFloat( 1000000.0f ), "1e+06" );
		EXPECT_EQ( ToFloat( FromFloat( 1000000.0f ).c_str() ), 1000000.0f );
		EXPECT_EQ( ToFloat( FromFloat( 0.1f ).c_str() ), 0.1f );
		EXPECT_EQ( FromFloat( -2.5f ), "-2.5" );
		EXPECT_EQ( FromFloat( 123.456789f ), "123.457" ) << "six significant digits";

		EXPECT_EQ( FromInt( -1 ), "4294967295" );
		EXPECT_EQ( ToInt( "4294967295" ), -1 ) << "the unsigned form reads back to the same value";
		EXPECT_EQ( ToInt( FromInt( -123456 ).c_str() ), -123456 );
		EXPECT_EQ( ToInt( "17" ), 17 );
		EXPECT_EQ( ToInt( "" ), 0 );
		EXPECT_EQ( ToInt( nullptr ), 0 );

		EXPECT_STREQ( FromBool( true ), "true" );
		EXPECT_STREQ( FromBool( false ), "false" );
		EXPECT_FALSE( ToBool( "TRUE" ) );
		EXPECT_TRUE( ToBool( "untrue" ) );
		EXPECT_FALSE( ToBool( "" ) );
		EXPECT_FALSE( ToBool( nullptr ) );
	}

	// Floats are formatted without a stream, but exactly as a stream formats them.
	TEST( ValueText, FloatsAreWrittenAsADefaultStreamWritesThem )
	{
		std::vector<float> values = { 0.0f, -0.0f, 0.1f, 1e6f, 1e-5f, 123.456789f, 999999.5f, 1e38f,
		                              std::numeric_limits<float>::min(), std::numeric_limits<float>::denorm_min(),
		                              std::numeric_limits<float>::max(), std::numeric_limits<float>::infinity(),
		                              -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
		                              -std::numeric_limits<float>::quiet_NaN() };
		// And a spread over every exponent, from bit patterns.
		for ( uint32_t bits = 0; bits < 0xFFFFFFFFu - 0x01000193u; bits += 0x01000193u )
		{
			float value;
			std::memcpy( &value, &bits, sizeof( value ) );
			values.push_back( value );
		}
		for ( float value : values )
		{
			std::ostringstream stream;
			stream << static_cast<double>( value );
			EXPECT_EQ( FromFloat( value ), stream.str() );
		}
	}

	// A component with one property of every other kind, to travel beside the transform.
	class GaugeComponent : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( TestGauge )

	public:
		explicit GaugeComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}
		void Initialise() override {}
		void Shutdown() override {}
		const Tarn::ComponentProperties& Properties() const override
		{
			using P = Tarn::Declare<GaugeComponent>;
			static const Tarn::ComponentProperties kProperties = {
				P::Compound( "Tint", "mTint", &GaugeComponent::mTint, Tarn::Parts::kRGBA ),
				P::Int( "Level", "mLevel", &GaugeComponent::mLevel ),
				P::String( "Label", "mLabel", &GaugeComponent::mLabel ),
				P::Bool( "Lit", "mLit", &GaugeComponent::mLit ),
			};
			return kProperties;
		}

		Tarn::Colour mTint;
		int32_t mLevel = 3;
		std::string mLabel;
		bool mLit = false;
	};

	class Mover : public Tarn::Object
	{
		TARN_CLASS_NAME( TestMover )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<Tarn::TransformComponent>();
			mComponents.AddComponent<GaugeComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}

		Tarn::TransformComponent& Transform() { return *GetComponent<Tarn::TransformComponent>(); }
		GaugeComponent& Gauge() { return *GetComponent<GaugeComponent>(); }
	};

	class ExchangeFiles : public testing::Test
	{
	protected:
		void SetUp() override
		{
			Tarn::TypeRegistry& types = Tarn::TypeRegistry::Instance();
			types.RegisterObjectType( Mover::ClassHashedName(), []() -> Tarn::Object* { return new Mover(); } );
			types.RegisterComponentType( GaugeComponent::ClassHashedName(), []( Tarn::Object* owner ) -> Tarn::ObjectComponent* {
				return new GaugeComponent( owner );
			} );
			Tarn::FileSystem& files = KelvaneTest::SharedFileSystem( { "ObjectDefault", "TransformComponent", "TestGauge" } );
			mObjectFile = files.GetResource( "ObjectDefault" );
			ASSERT_NE( mObjectFile, nullptr );
			ASSERT_TRUE( mObjectFile->NamesFile() );
			Tarn::Services::Add<Physics::PhysicsManager>( &mPhysics );
		}

		void TearDown() override
		{
			Tarn::ObjectManager::Instance().DestroyAll();
			Tarn::Services::Remove<Physics::PhysicsManager>();
		}

		Mover* Make( const char* name )
		{
			auto* mover = static_cast<Mover*>( Tarn::ObjectManager::Instance().CreateObject( Mover::ClassHashedName(), name ) );
			Tarn::ObjectManager::Instance().InitialiseObject( mover );
			return mover;
		}

		Physics::PhysicsManager mPhysics{ nullptr };
		Tarn::ResourceRecord* mObjectFile = nullptr;
	};

	TEST_F( ExchangeFiles, AWholeObjectSurvivesTheTrip )
	{
		Mover* source = Make( "Mover1" );
		Tarn::TransformComponent& t = source->Transform();
		t.mPrevPos = { 1.5f, -2.0f };
		t.mPosition = { 0.1f, 1000000.0f };
		t.mVelocity = { -3.25f, 4.0f };
		t.mForce = { 7.0f, -8.5f };
		t.mDirection = 1.25f;
		t.mXScaleFactor = 2.0f;
		t.mYScaleFactor = 3.0f;
		t.mZScaleFactor = 4.0f;
		t.mLifeSpan = 20.0f;
		t.mHasFriction = true;
		t.mActive = true;
		t.mTransType = -1;
		source->Gauge().mTint = { 0.25f, 0.5f, 0.75f, 1.5f };
		source->Gauge().mLevel = -7;
		source->Gauge().mLabel = "beam & <gate>";
		source->Gauge().mLit = true;

		source->Serialise( *mObjectFile );

		pugi::xml_document written;
		ASSERT_TRUE( written.load_file( mObjectFile->mPath.c_str() ) );
		const pugi::xml_node object = written.document_element();
		EXPECT_STREQ( object.name(), "Object" );
		EXPECT_STREQ( object.first_attribute().name(), "Type" );
		EXPECT_STREQ( object.first_attribute().value(), "TestMover" );
		EXPECT_STREQ( object.last_attribute().name(), "ObjectName" );
		EXPECT_STREQ( object.last_attribute().value(), "Mover1" );
		std::vector<std::string> components;
		for ( pugi::xml_node child : object.children() )
			components.push_back( child.attribute( "Name" ).value() );
		EXPECT_EQ( components, ( std::vector<std::string>{ "TransformComponent", "TestGauge" } ) );

		const pugi::xml_node transform = object.first_child();
		std::vector<std::string> properties;
		for ( pugi::xml_node child : transform.children() )
			properties.push_back( child.name() );
		EXPECT_EQ( properties, ( std::vector<std::string>{ "PrevPos", "Position", "Velocity", "Force", "Direction",
		                                                   "XScaleFactor", "YScaleFactor", "ZScaleFactor", "LifeSpan",
		                                                   "HasFriction", "Active", "TransType" } ) );
		EXPECT_STREQ( transform.child( "Position" ).attribute( "mPosition.X" ).value(), "0.1" );
		EXPECT_STREQ( transform.child( "Position" ).attribute( "mPosition.Y" ).value(), "1e+06" );
		EXPECT_STREQ( transform.child( "TransType" ).attribute( "mTransType" ).value(), "4294967295" );
		EXPECT_STREQ( transform.child( "HasFriction" ).attribute( "mHasFriction" ).value(), "true" );
		EXPECT_STREQ( object.child( "ObjectComponent" ).next_sibling().child( "Tint" ).attribute( "mTint.a" ).value(), "1.5" );

		Mover* copy = Make( "Mover2" );
		copy->Deserialise( *mObjectFile );
		const Tarn::TransformComponent& c = copy->Transform();
		EXPECT_EQ( c.mPrevPos, t.mPrevPos );
		EXPECT_EQ( c.mPosition, t.mPosition );
		EXPECT_EQ( c.mVelocity, t.mVelocity );
		EXPECT_EQ( c.mForce, t.mForce );
		EXPECT_EQ( c.mDirection, t.mDirection );
		EXPECT_EQ( c.mXScaleFactor, 2.0f );
		EXPECT_EQ( c.mYScaleFactor, 3.0f );
		EXPECT_EQ( c.mZScaleFactor, 4.0f );
		EXPECT_EQ( c.mLifeSpan, 20.0f );
		EXPECT_TRUE( c.mHasFriction );
		EXPECT_TRUE( c.mActive );
		EXPECT_EQ( c.mTransType, -1 );
		EXPECT_EQ( copy->Gauge().mTint, source->Gauge().mTint );
		EXPECT_EQ( copy->Gauge().mLevel, -7 );
		EXPECT_EQ( copy->Gauge().mLabel, "beam & <gate>" );
		EXPECT_TRUE( copy->Gauge().mLit );
	}

	TEST_F( ExchangeFiles, MissingElementsReadAsZeroAndExtraOnesAreIgnored )
	{
		WriteWholeFile( mObjectFile->mPath, "<Object Type=\"TestMover\" ObjectName=\"Mover1\">"
		                                    "<ObjectComponent Name=\"TestGauge\" Extra=\"1\">"
		                                    "<Level mLevel=\"12\" mBogus=\"x\"/><Lit mLit=\"TRUE\"/><Unknown a=\"b\"/>"
		                                    "</ObjectComponent></Object>" );
		Mover* mover = Make( "Mover1" );
		mover->Transform().mPosition = { 5.0f, 6.0f };
		mover->Transform().mActive = true;

		KelvaneTest::LogCapture log;
		mover->Deserialise( *mObjectFile );

		const Tarn::TransformComponent& t = mover->Transform();
		EXPECT_EQ( t.mPosition, Tarn::Vector2( 0.0f, 0.0f ) ) << "no element for the transform: every value reads 0";
		EXPECT_EQ( t.mXScaleFactor, 0.0f );
		EXPECT_FALSE( t.mActive );
		EXPECT_EQ( mover->Gauge().mLevel, 12 );
		EXPECT_FALSE( mover->Gauge().mLit ) << "TRUE in capitals is not true";
		EXPECT_EQ( mover->Gauge().mTint, ( Tarn::Colour{ 0, 0, 0, 0 } ) );
		EXPECT_TRUE( log.Messages().empty() );
	}

	TEST_F( ExchangeFiles, MissingOrBrokenFilesReadAsEmptyWithAWarning )
	{
		KelvaneTest::TempFolder temp;
		Tarn::ResourceRecord missing = Tarn::FileSystem::ParseRecord( temp / "gone.xml", true );
		Tarn::ResourceRecord broken = Tarn::FileSystem::ParseRecord( temp / "broken.xml", true );
		WriteWholeFile( broken.mPath, "<ObjectComponent Name=\"TransformComponent\"><Position" );

		Mover* mover = Make( "Mover1" );
		mover->Transform().mPosition = { 5.0f, 6.0f };
		KelvaneTest::LogCapture log;
		mover->Transform().Deserialise( missing );
		EXPECT_EQ( mover->Transform().mPosition, Tarn::Vector2( 0.0f, 0.0f ) );
		mover->Transform().mPosition = { 5.0f, 6.0f };
		mover->Transform().Deserialise( broken );
		EXPECT_EQ( mover->Transform().mPosition, Tarn::Vector2( 0.0f, 0.0f ) );

		ASSERT_EQ( log.Messages().size(), 2u );
		EXPECT_EQ( log.Messages()[0].mLevel, Tarn::Log::LEVEL_WARNING );
		EXPECT_NE( log.Messages()[0].mText.find( missing.mPath ), std::string::npos );
		EXPECT_NE( log.Messages()[1].mText.find( broken.mPath ), std::string::npos );

		// A record that names no file neither reads nor writes.
		Tarn::ResourceRecord none;
		log.Clear();
		mover->Serialise( none );
		mover->Deserialise( none );
		EXPECT_TRUE( log.Messages().empty() );
	}

	TEST_F( ExchangeFiles, AFailedSaveKeepsThePreviousFile )
	{
		Mover* mover = Make( "Mover1" );
		mover->Serialise( *mObjectFile );
		const std::string before = ReadWholeFile( mObjectFile->mPath );
		ASSERT_NE( before.find( "Mover1" ), std::string::npos );

		const std::string blocker = Tarn::FileSystem::TemporaryPathFor( mObjectFile->mPath );
		fs::create_directories( blocker );
		Mover* other = Make( "Mover2" );
		KelvaneTest::LogCapture log;
		other->Serialise( *mObjectFile );
		fs::remove_all( blocker );

		EXPECT_EQ( ReadWholeFile( mObjectFile->mPath ), before );
		EXPECT_TRUE( log.Contains( "Cannot save " + mObjectFile->mPath + ": Is a directory" ) );
	}

	TEST_F( ExchangeFiles, ExtractObjectCopiesOneElementOfTheLevel )
	{
		KelvaneTest::TempFolder temp;
		WriteWholeFile( temp / "Level.xml", "<LevelObject Type=\"LevelObject\" Name=\"Level1\">"
		                                    "<Object Type=\"Wall\" ObjectName=\"Wall1\"/>"
		                                    "<Object Type=\"TestMover\" ObjectName=\"Mover7\"><ObjectComponent "
		                                    "Name=\"TransformComponent\"><Position mPosition.X=\"4\" mPosition.Y=\"-2\"/>"
		                                    "</ObjectComponent></Object></LevelObject>" );
		Tarn::Serialiser& serialiser = Tarn::Serialiser::Instance();
		ASSERT_STREQ( serialiser.LoadLevel( temp / "Level.xml" ).name(), "LevelObject" );

		serialiser.ExtractObject( "Mover7" );
		pugi::xml_document extracted;
		extracted.load_file( mObjectFile->mPath.c_str() );
		EXPECT_STREQ( extracted.document_element().attribute( "ObjectName" ).value(), "Mover7" );
		EXPECT_FALSE( extracted.document_element().next_sibling() );

		Mover* mover = Make( "Mover7" );
		mover->Deserialise( *mObjectFile );
		EXPECT_EQ( mover->Transform().mPosition, Tarn::Vector2( 4.0f, -2.0f ) );

		serialiser.ExtractObject( "Nobody" );
		extracted.load_file( mObjectFile->mPath.c_str() );
		EXPECT_FALSE( extracted.document_element() );
	}

	// While a load or save is open its fragments pass in memory; each exchange file is
	// written when it ends, with the last fragment of its type.
	TEST_F( ExchangeFiles, InABatchFragmentsPassInMemoryAndTheFilesAreWrittenAtTheEnd )
	{
		Tarn::FileSystem& files = Tarn::FileSystem::Instance();
		const std::vector<std::string> paths = { mObjectFile->mPath, files.GetResource( "TransformComponent" )->mPath,
			                                     files.GetResource( "TestGauge" )->mPath };
		for ( const std::string& path : paths )
			WriteWholeFile( path, "<Before/>" );
		Mover* first = Make( "Mover1" );
		Mover* second = Make( "Mover2" );
		Mover* reader = Make( "Mover3" );
		first->Transform().mPosition = { 1, 1 };
		second->Transform().mPosition = { 2, -2 };
		second->Gauge().mLevel = 44;
		{
			const Tarn::Serialiser::Batch batch;
			first->Serialise( *mObjectFile );
			second->Serialise( *mObjectFile );
			{
				const Tarn::Serialiser::Batch nested;
				reader->Deserialise( *mObjectFile );
			}
			for ( const std::string& path : paths )
				EXPECT_EQ( ReadWholeFile( path ), "<Before/>" ) << path << " is written only when the batch ends";
			EXPECT_EQ( reader->Transform().mPosition, Tarn::Vector2( 2, -2 ) ) << "read from what was handed over";
			EXPECT_EQ( reader->Gauge().mLevel, 44 );
		}
		pugi::xml_document written;
		ASSERT_TRUE( written.load_file( mObjectFile->mPath.c_str() ) );
		EXPECT_STREQ( written.document_element().attribute( "ObjectName" ).value(), "Mover2" );
		const std::string transform = ReadWholeFile( paths[1] );
		EXPECT_NE( transform.find( "<Position mPosition.X=\"2\" mPosition.Y=\"-2\" />" ), std::string::npos ) << transform;
		EXPECT_NE( ReadWholeFile( paths[2] ).find( "mLevel=\"44\"" ), std::string::npos );

		// Outside a batch, each step writes its file at once.
		first->Transform().Serialise( *files.GetResource( "TransformComponent" ) );
		EXPECT_NE( ReadWholeFile( paths[1] ).find( "mPosition.X=\"1\"" ), std::string::npos );
	}

	TEST_F( ExchangeFiles, AppendingNeedsAnElementBeingWritten )
	{
		Tarn::Serialiser& serialiser = Tarn::Serialiser::Instance();
		serialiser.SetCurrentElement( pugi::xml_node() );
		KelvaneTest::LogCapture log;
		serialiser.AppendFileContents( mObjectFile->mPath.c_str() );
		ASSERT_EQ( log.Messages().size(), 1u );
		EXPECT_EQ( log.Messages()[0].mLevel, Tarn::Log::LEVEL_ERROR );
	}
}
