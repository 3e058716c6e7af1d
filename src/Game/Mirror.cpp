#include "Game/Mirror.h"

#include "Core/TypeRegistry.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"

#include <span>

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( Mirror )
	TARN_REGISTER_OBJECT_TYPE( Channel )

	namespace
	{
		void Assemble( Object& object, std::span<const char* const> components, const char* texture )
		{
			object.mComponents.AddComponents( components );
			if ( auto* mesh = object.GetComponent<Graphics::MeshComponent>() )
			{
				mesh->SetTexture( texture );
				// Above the floor and the walls, with the prisms.
				mesh->mDrawOrder = 1;
			}
			// Unlit: the collider's invulnerable flag stands for it.
			if ( auto* collider = object.GetComponent<Physics::CollisionComponent>() )
				collider->mInvulnerable = true;
		}
	}

	void Mirror::Initialise()
	{
		// Its machine lets it drift between two points.
		static const char* const kComponents[] = { "TransformComponent", "MeshComponent",    "CollisionComponent",
			                                       "CollisionDebugComponent", "MirrorComponent", "LineComponent",
			                                       "EmitterComponent",   "MineComponent" };
		Assemble( *this, kComponents, kTexture );
	}

	void Channel::Initialise()
	{
		static const char* const kComponents[] = { "TransformComponent", "MeshComponent",   "CollisionComponent",
			                                       "CollisionDebugComponent", "MirrorComponent", "EmitterComponent" };
		Assemble( *this, kComponents, kTexture );
	}
}
