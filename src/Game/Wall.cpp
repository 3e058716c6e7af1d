#include "Game/Wall.h"

#include "Core/TypeRegistry.h"

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( Wall )

	void Wall::Initialise()
	{
		// Its size, layer and solidity come from the transform's and collider's tables
		// for its type.
		static const char* const kComponents[] = { "TransformComponent", "MeshComponent", "CollisionComponent" };
		mComponents.AddComponents( kComponents );
	}
}
