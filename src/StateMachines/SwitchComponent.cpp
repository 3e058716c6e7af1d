#include "StateMachines/SwitchComponent.h"

#include "Core/TypeRegistry.h"
#include "StateMachines/StateMachineManager.h"
#include "StateMachines/SwitchLinks.h"
#include "core/Services.h"

namespace StateMachines
{
	TARN_REGISTER_COMPONENT_TYPE( SwitchComponent )

	const Tarn::ComponentProperties& SwitchComponent::Properties() const
	{
		using P = Tarn::Declare<SwitchComponent>;
		static const Tarn::ComponentProperties kProperties = {
			P::Enum( "State", "mState", &SwitchComponent::mState ),
			P::Enum( "InnerState", "mInnerState", &SwitchComponent::mInnerState ),
			P::Float( "StateTimer", "mStateTimer", &SwitchComponent::mStateTimer ),
			P::Int( "CurrPhase", "mCurrPhase", &SwitchComponent::mCurrPhase ),
			P::Int( "SwitchColour", "mSwitchColour", &SwitchComponent::mSwitchColour ),
		};
		return kProperties;
	}

	void SwitchComponent::Initialise()
	{
		Unlink( *this );
		mState = STATE_NORMAL;
		mInnerState = INNER_STATE_ON_ENTER;
		mCurrPhase = 1;
		mSwitchColour = 0;
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Register( this );
	}

	void SwitchComponent::Shutdown()
	{
		// The guard that claimed this switch, or wore this stun effect, forgets it.
		Unlink( *this );
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Unregister( this );
	}
}
