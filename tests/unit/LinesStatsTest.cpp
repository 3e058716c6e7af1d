#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Physics/LineComponent.h"
#include "Physics/PhysicsManager.h"
#include "Physics/StatsComponent.h"
#include "Physics/TransformComponent.h"
#include "Platform/TweakBar.h"
#include "Utilities/FileSystem.h"
#include "core/MathConstants.h"
#include "core/Services.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace
{
	class Fighter : public Tarn::Object
	{
		TARN_CLASS_NAME( TestFighter )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<Tarn::TransformComponent>();
			mComponents.AddComponent<Physics::LineComponent>();
			mComponents.AddComponent<Physics::StatsComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
		Physics::StatsComponent& Stats() { return *GetComponent<Physics::StatsComponent>(); }
		Physics::LineComponent& Line() { return *GetComponent<Physics::LineComponent>(); }
	};

	class LinesAndStats : public testing::Test
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::SharedFileSystem( { "StatsComponent" } );
			Tarn::TypeRegistry::Instance().RegisterObjectType( Fighter::ClassHashedName(),
			                                                   []() -> Tarn::Object* { return new Fighter(); } );
			Tarn::Services::Add<Physics::PhysicsManager>( &mPhysics );
		}
		void TearDown() override
		{
			Tarn::ObjectManager::Instance().DestroyAll();
			Tarn::Services::Remove<Physics::PhysicsManager>();
		}
		Fighter* Make( const char* name, const char* type )
		{
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			auto* fighter = static_cast<Fighter*>( objects.CreateObject( Fighter::ClassHashedName(), name ) );
			fighter->mType = Tarn::HashedName( type );
			objects.InitialiseObject( fighter );
			return fighter;
		}
		Physics::PhysicsManager mPhysics{ nullptr };
	};

	TEST_F( LinesAndStats, RotatingALineTurnsItsEndsAndNormalAboutTheOwner )
	{
		Fighter* mirror = Make( "Mirror9", "TestFighter" );
		Physics::LineComponent& line = mirror->Line();
		line.mScale = 4.0f;
		line.Rotate( Tarn::kPi / 2.0f );
		EXPECT_NEAR( line.mPt1.X, 0.0f, 1e-6f );
		EXPECT_NEAR( line.mPt1.Y, 2.0f, 1e-6f );
		EXPECT_NEAR( line.mPt2.Y, -2.0f, 1e-6f );
		EXPECT_NEAR( line.mNormal.X, 1.0f, 1e-6f );
		EXPECT_NEAR( line.mNormal.Y, 0.0f, 1e-6f );

		// About the owner's position, not the origin.
		mirror->GetComponent<Tarn::TransformComponent>()->mPosition = { 3.0f, -1.0f };
		line.Rotate( 0.0f );
		EXPECT_NEAR( line.mPt1.X, 3.0f, 1e-5f );
		EXPECT_NEAR( line.mPt1.Y, 1.0f, 1e-5f );
	}

	TEST_F( LinesAndStats, ThePlayerStartsAtFullHealthAndAGuardKeepsItsOwn )
	{
		EXPECT_EQ( Make( "Player1", "Player" )->Stats().mHealth, 100.0f );
		EXPECT_EQ( Make( "Guard1", "MeleeGuard" )->Stats().mHealth, 0.0f );
	}

	TEST_F( LinesAndStats, StatsSurviveTheExchangeFileAndBuildTheirBar )
	{
		Fighter* guard = Make( "Guard2", "MeleeGuard" );
		guard->Stats().mHealth = 37.5f;
		guard->Stats().mSelfDestruct = true;
		Tarn::ResourceRecord* record = Tarn::FileSystem::Instance().GetResource( "StatsComponent" );
		ASSERT_NE( record, nullptr );
		guard->Stats().Serialise( *record );
		Fighter* copy = Make( "Guard3", "MeleeGuard" );
		copy->Stats().Deserialise( *record );
		EXPECT_EQ( copy->Stats().mHealth, 37.5f );
		EXPECT_TRUE( copy->Stats().mSelfDestruct );

		copy->Stats().CreateTweakBar();
		const Platform::TweakBarData* bar = Platform::FindTweakBar( "Guard3's StatsComponent" );
		ASSERT_NE( bar, nullptr );
		ASSERT_NE( bar->Find( "Curr Health" ), nullptr );
		EXPECT_EQ( bar->Find( "Curr Health" )->mVariable, &copy->Stats().mHealth );
		EXPECT_EQ( bar->Find( "SelfDestruct Mode" )->mDefinition, " group=SelfDestruct " );
	}
}
