#include "Game/InanimateObject.h"

#include "Core/TypeRegistry.h"
#include "StateMachines/MineComponent.h"

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( InanimateObject )

	void InanimateObject::Initialise()
	{
		// Component types that are not built yet are simply not added.
		static const char* const kComponents[] = { "TransformComponent", "MeshComponent",      "CollisionComponent",
			                                       "VertexComponent",    "AnimationComponent", "CollisionDebugComponent",
			                                       "EmitterComponent",   "MineComponent" };
		for ( const char* type : kComponents )
			mComponents.AddComponent( HashedName( type ) );
		mComponents.InitialisePending();
		if ( auto* machine = GetComponent<StateMachines::MineComponent>() )
		{
			machine->mAI = 24;
			machine->mState = StateMachines::STATE_NORMAL;
		}
	}
}
