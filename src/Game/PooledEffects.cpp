#include "Game/PooledEffects.h"

#include "Core/TypeRegistry.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "StateMachines/GateRoutines.h"

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( StunEffect )
	TARN_REGISTER_OBJECT_TYPE( SwitchEffect )

	namespace
	{
		// An emission life below the emitter's timer spawns nothing.
		constexpr float kTrailOff = -1.0f;

		// Both wait hidden, above the floor, until they are lent out.
		void HideMesh( Object& effect )
		{
			if ( auto* mesh = effect.GetComponent<Graphics::MeshComponent>() )
			{
				mesh->mVisible = false;
				mesh->mDrawOrder = 1;
			}
		}
	}

	void StunEffect::Initialise()
	{
		static const char* const kComponents[] = { "TransformComponent",      "MeshComponent",      "CollisionComponent",
			                                       "CollisionDebugComponent", "AnimationComponent", "SwitchComponent" };
		mComponents.AddComponents( kComponents );
		HideMesh( *this );
		if ( auto* mesh = GetComponent<Graphics::MeshComponent>() )
			mesh->SetTexture( kTexture );
		// The ring turns for as long as it is shown.
		if ( auto* animation = GetComponent<Graphics::AnimationComponent>() )
		{
			animation->SetAnimation( kSheetXml, kSheetPng );
			for ( Graphics::AnimationFrame& frame : animation->mFrames )
				frame.mDuration = kFrameTime;
			animation->SetPaused( false );
		}
	}

	void SwitchEffect::Initialise()
	{
		static const char* const kComponents[] = { "TransformComponent", "MeshComponent",   "EmitterComponent",
			                                       "CollisionComponent", "MineComponent", "CollisionDebugComponent" };
		mComponents.AddComponents( kComponents );
		HideMesh( *this );
		// The spark is its trail: particles in the switch's colour, given at its launch.
		// Its emission waits for the flight, which keeps it going (the spark routine).
		if ( auto* emitter = GetComponent<Graphics::EmitterComponent>() )
		{
			emitter->SwitchEffect();
			emitter->mEmitLifeTime = kTrailOff;
		}
	}

	void SwitchEffect::OnCollisionStay( Physics::CollisionComponent* other )
	{
		auto* spark = GetComponent<Physics::CollisionComponent>();
		if ( spark && other && other->mOwner )
			StateMachines::SparkMeetsGate( *spark, *other->mOwner );
	}
}
