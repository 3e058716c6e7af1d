#include "Game/ObjectiveMarkerComponent.h"

#include "Core/TypeRegistry.h"
#include "Game/ObjectiveManager.h"
#include "core/Services.h"

namespace Tarn
{
	TARN_REGISTER_COMPONENT_TYPE( ObjectiveMarkerComponent )

	ObjectiveMarkerComponent::~ObjectiveMarkerComponent()
	{
		// Gone without its shutdown, it must still leave the list and every chain.
		if ( ObjectiveManager* objectives = Services::Get<ObjectiveManager>() )
			objectives->Unregister( this );
	}

	void ObjectiveMarkerComponent::Initialise()
	{
		mDone = false;
		mNotStarted = true;
		mWaiting = false;
		mElapsed = 0.0f;
		mStartValue = 0.0f;
		if ( ObjectiveManager* objectives = Services::Get<ObjectiveManager>() )
			objectives->Register( this );
	}

	void ObjectiveMarkerComponent::Shutdown()
	{
		if ( ObjectiveManager* objectives = Services::Get<ObjectiveManager>() )
			objectives->Unregister( this );
	}
}
