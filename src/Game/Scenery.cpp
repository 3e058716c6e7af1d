#include "Game/Scenery.h"

#include "Core/GameTime.h"
#include "Core/TypeRegistry.h"
#include "Game/MarkerBehaviours.h"
#include "Game/ObjectiveMarkerComponent.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/PhysicsManager.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( Scenery )
	TARN_REGISTER_OBJECT_TYPE( Enemy )
	TARN_REGISTER_OBJECT_TYPE( EngSpawner )
	TARN_REGISTER_OBJECT_TYPE( TutorialObject )
	TARN_REGISTER_OBJECT_TYPE( ObjectiveMarkerObject )

	namespace
	{
		constexpr const char* kSceneryParts[] = { "TransformComponent", "MeshComponent", "EmitterComponent" };
		constexpr const char* kTouchableParts[] = { "TransformComponent", "MeshComponent", "CollisionComponent",
			                                        "CollisionDebugComponent" };
		constexpr const char* kSignParts[] = { "TransformComponent", "MeshComponent", "StateMachineComponent" };
		constexpr const char* kMarkerParts[] = { "TransformComponent", "MeshComponent", "AnimationComponent",
			                                     "CollisionComponent", "ObjectiveMarkerComponent" };

		// The background lies behind everything else.
		const SceneryKind kScenery = { kSceneryParts, "resource/background.png", -1 };
		const SceneryKind kEnemy = { kTouchableParts, "resource/facegem.png", std::nullopt };
		const SceneryKind kSpawner = { kTouchableParts, "resource/circle.png", std::nullopt };
		const SceneryKind kSign = { kSignParts, "resource/nebula1.png", 3 };
		const SceneryKind kMarker = { kMarkerParts, nullptr, std::nullopt };

		constexpr Vector2 kEnemyScale{ 2.0f, 2.0f };
		constexpr Vector2 kEnemyPosition{ 10.0f, 0.0f };
		constexpr float kEnemyColliderSize = 5.0f;
	}

	void SceneryObject::Assemble( const SceneryKind& kind )
	{
		mComponents.AddComponents( kind.mComponents );
		auto* mesh = GetComponent<Graphics::MeshComponent>();
		if ( !mesh )
			return;
		if ( kind.mTexture )
			mesh->SetTexture( kind.mTexture );
		if ( kind.mDrawOrder )
			mesh->mDrawOrder = *kind.mDrawOrder;
	}

	void Scenery::Initialise()
	{
		Assemble( kScenery );
		if ( auto* stars = GetComponent<Graphics::EmitterComponent>() )
			stars->BackgroundStarColor();
	}

	void Enemy::Initialise()
	{
		Assemble( kEnemy );
		if ( auto* transform = GetComponent<TransformComponent>() )
		{
			transform->mXScaleFactor = kEnemyScale.X;
			transform->mYScaleFactor = kEnemyScale.Y;
			transform->mPosition = kEnemyPosition;
			if ( auto* physics = Services::Get<Physics::PhysicsManager>() )
				physics->Register( transform, Physics::PhysicsManager::List::Pool4 );
		}
		if ( auto* collider = GetComponent<Physics::CollisionComponent>() )
			collider->mCollisionData = { kEnemyColliderSize, kEnemyColliderSize };
	}

	void EngSpawner::Initialise() { Assemble( kSpawner ); }

	void TutorialObject::Initialise() { Assemble( kSign ); }

	void ObjectiveMarkerObject::Initialise() { Assemble( kMarker ); }

	void ObjectiveMarkerObject::Update( GameTime& gameTime )
	{
		if ( auto* link = GetComponent<ObjectiveMarkerComponent>() )
			PlayMarkerStep( *this, *link, gameTime.ElapsedSeconds );
	}
}
