#include "Game/PlayerDoodad.h"

#include "Core/TypeRegistry.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( PlayerDoodad )

	void PlayerDoodad::Initialise()
	{
		// The transform's start, (-30, 0) with friction, comes with the type's name.
		mComponents.AddComponent<TransformComponent>();
		mComponents.AddComponent<Graphics::MeshComponent>();
		mComponents.AddComponent<Graphics::AnimationComponent>();
		mComponents.AddComponent<StateMachines::StateMachineComponent>();
		mComponents.InitialisePending();
		if ( auto* mesh = GetComponent<Graphics::MeshComponent>() )
		{
			mesh->mDrawOrder = 3;
			// The animation only moves the frame; the sheet's picture is the mesh's.
			mesh->SetTexture( kSheetTexture );
		}
		if ( auto* transform = GetComponent<TransformComponent>() )
		{
			transform->mXScaleFactor = 2.0f;
			transform->mYScaleFactor = 2.0f;
		}
		if ( auto* animation = GetComponent<Graphics::AnimationComponent>() )
		{
			animation->SetAnimation( kSheetXml, kSheetPng );
			for ( Graphics::AnimationFrame& frame : animation->mFrames )
				frame.mDuration = kFrameTime;
		}
		// The body follows the ship by the halo routine.
		if ( auto* machine = GetComponent<StateMachines::StateMachineComponent>() )
			machine->mAI = StateMachines::Routine::PlayerHalo;
	}
}
