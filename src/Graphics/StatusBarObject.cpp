#include "Graphics/StatusBarObject.h"

#include "Core/TypeRegistry.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/StatusBarComponent.h"
#include "Physics/TransformComponent.h"

namespace Graphics
{
	TARN_REGISTER_OBJECT_TYPE( StatusBarObject )
	TARN_REGISTER_OBJECT_TYPE( StatusBarOutline )

	void StatusBarObject::Initialise()
	{
		mComponents.AddComponent<Tarn::TransformComponent>();
		mComponents.AddComponent<StatusBarComponent>();
		mComponents.InitialisePending();
	}

	void StatusBarOutline::Initialise()
	{
		mComponents.AddComponent<Tarn::TransformComponent>();
		mComponents.AddComponent<MeshComponent>();
		mComponents.InitialisePending();
		if ( auto* mesh = GetComponent<MeshComponent>() )
		{
			mesh->mIsHUD = true;
			mesh->mDrawOrder = kDrawOrder;
			mesh->SetTexture( kTexture );
		}
	}
}
