#include "Game/Beam.h"

#include "Core/TypeRegistry.h"
#include "Game/BeamComponent.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( Beam )

	void Beam::Initialise()
	{
		static const char* const kComponents[] = { "TransformComponent",      "MeshComponent", "CollisionComponent",
			                                       "CollisionDebugComponent", "BeamComponent", "EmitterComponent" };
		mComponents.AddComponents( kComponents );
		if ( auto* mesh = GetComponent<Graphics::MeshComponent>() )
		{
			mesh->SetTexture( kTexture );
			mesh->mDrawOrder = 1;
			// Off until a button is held; it fades in from nothing.
			mesh->mVisible = false;
			mesh->mColour.a = 0.0f;
		}
		if ( auto* transform = GetComponent<TransformComponent>() )
		{
			transform->mActive = true;
			transform->mYScaleFactor = 0.0f;
		}
		if ( auto* emitter = GetComponent<Graphics::EmitterComponent>() )
			emitter->SetTexture( kEmitterTexture );
	}

	void Beam::OnCollisionStay( Physics::CollisionComponent* other )
	{
		if ( auto* beam = GetComponent<BeamComponent>(); beam && other )
			beam->OnContactStay( *other );
	}

	void Beam::OnCollisionEnd( Physics::CollisionComponent* other )
	{
		if ( auto* beam = GetComponent<BeamComponent>(); beam && other )
			beam->OnContactEnd( *other );
	}
}
