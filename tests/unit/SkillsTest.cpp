#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Game/SkillManager.h"
#include "Game/SkillsComponent.h"
#include "Platform/TweakBar.h"
#include "Utilities/FileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	class Pilot : public Tarn::Object
	{
		TARN_CLASS_NAME( TestPilot )

	public:
		void Initialise() override
		{
			mComponents.AddComponent( Tarn::HashedName( "SkillsComponent" ) );
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
		Tarn::SkillsComponent* Skills() { return GetComponent<Tarn::SkillsComponent>(); }
	};

	class Skills : public testing::Test
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::SharedFileSystem( { "SkillsComponent" } );
			Tarn::TypeRegistry& types = Tarn::TypeRegistry::Instance();
			if ( !types.HasObjectType( Pilot::ClassHashedName() ) )
				types.RegisterObjectType( Pilot::ClassHashedName(), []() -> Tarn::Object* { return new Pilot(); } );
		}
		void TearDown() override { Tarn::ObjectManager::Instance().DestroyAll(); }

		static Pilot* Make( const char* name )
		{
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			auto* pilot = static_cast<Pilot*>( objects.CreateObject( Pilot::ClassHashedName(), name ) );
			objects.InitialiseObject( pilot );
			return pilot;
		}
	};

	TEST_F( Skills, TheManagerLeavesTheTypeKnownAndARecordStartsAtItsDefaults )
	{
		Tarn::SkillManager manager( nullptr );
		manager.Initialise();
		EXPECT_TRUE( Tarn::TypeRegistry::Instance().HasComponentType( Tarn::HashedName( "SkillsComponent" ) ) );
		Pilot* pilot = Make( "Pilot1" );
		ASSERT_NE( pilot->Skills(), nullptr );
		EXPECT_EQ( pilot->Skills()->mRadialLightEnergy, 50.0f );
		EXPECT_EQ( pilot->Skills()->mRadialLightEnergyMax, 100.0f );
		EXPECT_FALSE( pilot->Skills()->mSpeedBoost );
		EXPECT_EQ( pilot->Skills()->mSpeedFactor, 1.0f );
	}

	// The record is written for the level editor's eyes, but a file read back never
	// changes the live values.
	TEST_F( Skills, TheRecordIsWrittenButALoadLeavesTheLiveValues )
	{
		Pilot* pilot = Make( "Pilot2" );
		Tarn::SkillsComponent& skills = *pilot->Skills();
		skills.mRadialLightEnergy = 12.5f;
		skills.mSpeedBoost = true;
		skills.mLightBombReady = false;
		Tarn::ResourceRecord* record = Tarn::FileSystem::Instance().GetResource( "SkillsComponent" );
		ASSERT_NE( record, nullptr );
		skills.Serialise( *record );
		const std::string text = KelvaneTest::ReadWholeFile( record->mPath );
		for ( const char* attribute : { "mRadialLightEnergy=\"12.5", "mRadialLightEnergyMax=\"100", "mLightBombCooldown=\"3",
		                                "mLightBombCooldownCurrentTime=\"0", "mLightBombReady=\"false\"", "mSpeedBoost=\"true\"",
		                                "mSpeedTimer=\"0" } )
			EXPECT_NE( text.find( attribute ), std::string::npos ) << attribute << " in " << text;

		Pilot* other = Make( "Pilot3" );
		other->Skills()->Deserialise( *record );
		EXPECT_EQ( other->Skills()->mRadialLightEnergy, 50.0f );
		EXPECT_FALSE( other->Skills()->mSpeedBoost );

		other->Skills()->CreateTweakBar();
		const Platform::TweakBarData* bar = Platform::FindTweakBar( "Pilot3's SkillsComponent" );
		ASSERT_NE( bar, nullptr );
		ASSERT_NE( bar->Find( "Max  Energy" ), nullptr );
		EXPECT_EQ( bar->Find( "Max  Energy" )->mVariable, &other->Skills()->mRadialLightEnergyMax );
		ASSERT_NE( bar->Find( "Speed Boost Timer" ), nullptr );
		EXPECT_EQ( bar->Find( "Speed Boost Timer" )->mDefinition, " group=SpeedBoost " );
		other->Skills()->Shutdown();
		EXPECT_EQ( Platform::FindTweakBar( "Pilot3's SkillsComponent" ), nullptr );
	}
}
