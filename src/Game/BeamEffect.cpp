#include "Game/BeamEffect.h"

#include "Core/TypeRegistry.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"

namespace Tarn
{
	TARN_REGISTER_COMPONENT_TYPE( BeamEffectComponent )
	TARN_REGISTER_OBJECT_TYPE( BeamEffect )

	void BeamEffect::Initialise()
	{
		mComponents.AddComponent<TransformComponent>();
		mComponents.AddComponent<Graphics::MeshComponent>();
		mComponents.AddComponent<BeamEffectComponent>();
		mComponents.InitialisePending();
		if ( auto* mesh = GetComponent<Graphics::MeshComponent>() )
		{
			mesh->SetTexture( kTexture );
			mesh->mDrawOrder = 2;
			mesh->mVisible = false;
			mesh->mColour.a = 0.0f;
		}
		if ( auto* transform = GetComponent<TransformComponent>() )
		{
			transform->mXScaleFactor = 2.0f;
			transform->mYScaleFactor = 2.0f;
			transform->UpdateWorldMatrix();
		}
	}
}
