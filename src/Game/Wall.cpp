#include "Game/Wall.h"

#include "Core/TypeRegistry.h"

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( Wall )

	void Wall::Initialise()
	{
		// A component type that is not built yet (the mesh) is simply not added; the
		// wall carries it once it exists.
		mComponents.AddComponent( HashedName( "TransformComponent" ) );
		mComponents.AddComponent( HashedName( "MeshComponent" ) );
		mComponents.AddComponent( HashedName( "CollisionComponent" ) );
		mComponents.InitialisePending();
	}
}
