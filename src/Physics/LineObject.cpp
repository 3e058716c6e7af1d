#include "Physics/LineObject.h"

#include "Core/TypeRegistry.h"
#include "Physics/TransformComponent.h"

namespace Physics
{
	TARN_REGISTER_OBJECT_TYPE( LineObject )

	LineObject::LineObject()
	{
		mComponents.AddComponent( Tarn::HashedName( "LineComponent" ) );
		mComponents.AddComponent( Tarn::HashedName( "TransformComponent" ) );
		mComponents.AddComponent( Tarn::HashedName( "CollisionComponent" ) );
		mComponents.AddComponent( Tarn::HashedName( "CollisionDebugComponent" ) );
	}

	void LineObject::Initialise()
	{
		mComponents.InitialisePending();
		if ( auto* transform = GetComponent<Tarn::TransformComponent>() )
			transform->mActive = true;
	}
}
