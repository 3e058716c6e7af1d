#include "Game/InanimateObject.h"

#include "Core/TypeRegistry.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/MeshComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/TileRoutines.h"

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( InanimateObject )

	void InanimateObject::Initialise()
	{
		// Component types that are not built yet are simply not added.
		static const char* const kComponents[] = { "TransformComponent", "MeshComponent",      "CollisionComponent",
			                                       "VertexComponent",    "AnimationComponent", "CollisionDebugComponent",
			                                       "EmitterComponent",   "MineComponent" };
		mComponents.AddComponents( kComponents );
		// A prism stands on the floor's layer and gleams until a beam lights it: its
		// machine (a gleam tile) plays the sheet once now and then.
		if ( auto* mesh = GetComponent<Graphics::MeshComponent>() )
			mesh->mDrawOrder = 1;
		StateMachines::ShowIdleGleam( *this );
		if ( auto* machine = GetComponent<StateMachines::MineComponent>() )
		{
			machine->mAI = StateMachines::Routine::GleamTile;
			machine->mState = StateMachines::STATE_NORMAL;
		}
	}
}
