#include "support/FieldPieces.h"

#include "Core/ObjectManager.h"
#include "Game/Nebula.h"
#include "GameStates/LevelObject.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "support/LevelFiles.h"
#include "support/LevelPieces.h"

namespace KelvaneTest
{
	using Tarn::Vector2;

	namespace
	{
		// Scales the object's sprite to `size` and its collider to match: a box takes
		// half of each side, a circle half of the width.
		void Resize( Tarn::Object& object, Vector2 size, Vector2 collider )
		{
			auto* transform = object.GetComponent<Tarn::TransformComponent>();
			transform->mXScaleFactor = size.X;
			transform->mYScaleFactor = size.Y;
			transform->UpdateWorldMatrix();
			auto* shape = object.GetComponent<Physics::CollisionComponent>();
			shape->mCollisionData = { collider.X, collider.Y };
		}
	}

	void AddBlock( Tarn::LevelObject& level, const char* name, Vector2 position, Vector2 size )
	{
		AddWall( level, name, position );
		Tarn::Object* wall = Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( name ) );
		Resize( *wall, size, size * 0.5f );
	}

	void AddNebula( Tarn::LevelObject& level, const char* name, Vector2 position, float radius, int32_t sign )
	{
		// The cloud's picture fades out well before its edge.
		constexpr float kCloudPerRadius = 2.6f;
		Tarn::Object* nebula = AddToLevel( level, "Nebula", name, position );
		Resize( *nebula, Vector2( radius, radius ) * kCloudPerRadius, Vector2( radius, 0.0f ) );
		nebula->GetComponent<StateMachines::StateMachineComponent>()->mSign = sign;
	}

	void AddNebulaCover( Tarn::LevelObject& level, Vector2 centre, int32_t sign )
	{
		Tarn::Object* cover = AddToLevel( level, "NebulaCover", Tarn::Nebula::CoverName( sign ).c_str(), centre );
		// Out of sight until the ship first flies in.
		auto* mesh = cover->GetComponent<Graphics::MeshComponent>();
		mesh->mColour.a = 0.0f;
		mesh->mVisible = false;
	}
}
