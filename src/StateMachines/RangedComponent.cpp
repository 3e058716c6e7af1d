#include "StateMachines/RangedComponent.h"

#include "Core/TypeRegistry.h"
#include "StateMachines/StateMachineManager.h"
#include "core/Services.h"

namespace StateMachines
{
	TARN_REGISTER_COMPONENT_TYPE( RangedComponent )

	void RangedComponent::Initialise()
	{
		mShotTimer = 0.0f;
		mState = STATE_NONE;
		mInnerState = INNER_STATE_ON_ENTER;
		mPhase = 1;
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Register( this );
	}

	void RangedComponent::Shutdown()
	{
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Unregister( this );
	}
}
