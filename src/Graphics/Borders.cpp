#include "Graphics/Borders.h"

#include "Core/TypeRegistry.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( Borders )

	void Borders::Initialise()
	{
		auto* transform = mComponents.AddComponent<TransformComponent>();
		auto* mesh = mComponents.AddComponent<Graphics::MeshComponent>();
		mComponents.InitialisePending();
		if ( mesh )
		{
			mesh->SetTexture( kTexture );
			mesh->mIsHUD = true;
			mesh->mDrawOrder = 7;
		}
		if ( transform )
		{
			// The screen runs from -1 to 1: a unit quad scaled by two covers it.
			transform->mXScaleFactor = 2.0f;
			transform->mYScaleFactor = 2.0f;
			transform->UpdateWorldMatrix();
		}
	}
}
