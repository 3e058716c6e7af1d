// The level objects without behaviour of their own: what each is made of and how it
// starts.
#include "Core/GameWindow/GameProject.h"
#include "Core/ObjectManager.h"
#include "Game/ObjectiveManager.h"
#include "Game/ObjectiveMarkerComponent.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/PhysicsManager.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"
#include "support/HeadlessGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{
	using Tarn::HashedName;

	class SceneryInGame : public KelvaneTest::HeadlessGame
	{
	protected:
		static std::vector<std::string> Parts( const Tarn::Object& object )
		{
			std::vector<std::string> names;
			for ( const Tarn::ObjectComponent* component : object.mComponents.Components() )
				names.push_back( component->GetType().GetName() );
			return names;
		}
	};

	using Names = std::vector<std::string>;

	TEST_F( SceneryInGame, TheBackgroundLiesBehindEverythingWithItsStarsOn )
	{
		Tarn::Object* background = Make( "Scenery", "Background" );
		ASSERT_NE( background, nullptr );
		EXPECT_EQ( Parts( *background ), ( Names{ "TransformComponent", "MeshComponent", "EmitterComponent" } ) );
		auto* mesh = background->GetComponent<Graphics::MeshComponent>();
		EXPECT_EQ( mesh->GetTextureName(), "resource/background.png" );
		EXPECT_EQ( mesh->mDrawOrder, -1 );
		EXPECT_FLOAT_EQ( background->GetComponent<Tarn::TransformComponent>()->mXScaleFactor, 100.0f );
		auto* stars = background->GetComponent<Graphics::EmitterComponent>();
		EXPECT_FALSE( stars->mEmitComplete );
		EXPECT_EQ( stars->mUpdateBehavior, Graphics::U_singleBurstRotationStarColor );
	}

	TEST_F( SceneryInGame, ACrystalFaceStartsAwayInTheDebrisPool )
	{
		Tarn::Object* face = Make( "Enemy", "Enemy3" );
		ASSERT_NE( face, nullptr );
		EXPECT_EQ( Parts( *face ),
		           ( Names{ "TransformComponent", "MeshComponent", "CollisionComponent", "CollisionDebugComponent" } ) );
		EXPECT_EQ( face->GetComponent<Graphics::MeshComponent>()->GetTextureName(), "resource/facegem.png" );
		auto* transform = face->GetComponent<Tarn::TransformComponent>();
		EXPECT_FLOAT_EQ( transform->mXScaleFactor, 2.0f );
		EXPECT_EQ( transform->mPosition, Tarn::Vector2( 10.0f, 0.0f ) );
		EXPECT_FLOAT_EQ( face->GetComponent<Physics::CollisionComponent>()->HalfWidth(), 5.0f );
		EXPECT_FLOAT_EQ( face->GetComponent<Physics::CollisionComponent>()->HalfHeight(), 5.0f );
		const auto& pool = Tarn::Services::Get<Physics::PhysicsManager>()->Pool( 3 );
		EXPECT_NE( std::find( pool.begin(), pool.end(), transform ), pool.end() );

		Tarn::ObjectManager::Instance().DestroyObject( "Enemy3" );
		Tarn::ObjectManager::Instance().ProcessDestroyQueue();
		EXPECT_EQ( std::find( pool.begin(), pool.end(), transform ), pool.end() ) << "and leaves it with its object";
	}

	TEST_F( SceneryInGame, PadsSignsAndMarkersCarryTheirParts )
	{
		Tarn::Object* pad = Make( "EngSpawner", "EngSpawner1" );
		EXPECT_EQ( Parts( *pad ),
		           ( Names{ "TransformComponent", "MeshComponent", "CollisionComponent", "CollisionDebugComponent" } ) );
		EXPECT_EQ( pad->GetComponent<Graphics::MeshComponent>()->GetTextureName(), "resource/circle.png" );

		Tarn::Object* sign = Make( "TutorialObject", "Tutorial1" );
		EXPECT_EQ( Parts( *sign ), ( Names{ "TransformComponent", "MeshComponent", "StateMachineComponent" } ) );
		EXPECT_EQ( sign->GetComponent<Graphics::MeshComponent>()->GetTextureName(), "resource/nebula1.png" );
		EXPECT_EQ( sign->GetComponent<Graphics::MeshComponent>()->mDrawOrder, 3 );
		EXPECT_FLOAT_EQ( sign->GetComponent<Tarn::TransformComponent>()->mXScaleFactor, 15.0f );

		Tarn::Object* marker = Make( "ObjectiveMarkerObject", "CineModeOn1" );
		EXPECT_EQ( Parts( *marker ), ( Names{ "TransformComponent", "MeshComponent", "AnimationComponent",
		                                      "CollisionComponent", "ObjectiveMarkerComponent" } ) );
		auto* link = marker->GetComponent<Tarn::ObjectiveMarkerComponent>();
		EXPECT_FALSE( link->mDone );
		EXPECT_TRUE( link->mNotStarted );
		EXPECT_FALSE( link->mWaiting );
		auto* objectives = Tarn::Services::Get<Tarn::ObjectiveManager>();
		EXPECT_EQ( objectives->Markers(), std::vector<Tarn::ObjectiveMarkerComponent*>{ link } );
		objectives->Shutdown();
		EXPECT_TRUE( objectives->Markers().empty() );
	}
}
