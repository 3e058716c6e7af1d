#include "StateMachines/RangedComponent.h"

#include "Core/TypeRegistry.h"
#include "StateMachines/StateMachineComponent.h"
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

	const Tarn::ComponentProperties& RangedComponent::Properties() const
	{
		using P = Tarn::Declare<RangedComponent>;
		static const Tarn::ComponentProperties kProperties = {
			P::Tweak( "State", &RangedComponent::mState, kStateGroup ).Enumeration( "StateType", kStateTypeNames ),
			P::Tweak( "Inner State", &RangedComponent::mInnerState, kStateGroup )
			    .Enumeration( "InnerStateType", kInnerStateTypeNames ),
			P::Tweak( "State Timer", &RangedComponent::mStateTimer, kStateGroup ),
		};
		return kProperties;
	}
}
