#pragma once

#include "Core/ObjectComponent.h"
#include "StateMachines/StateTypes.h"
#include "core/HashedName.h"

#include <cstdint>

namespace StateMachines
{
	class StateMachineComponent;

	// The machine of a switch (and of a stun effect, which has no routine of its own).
	class SwitchComponent : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( SwitchComponent )

	public:
		explicit SwitchComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}

		const Tarn::ComponentProperties& Properties() const override;
		void Initialise() override;
		void Shutdown() override;

		float mStateTimer = 0.0f;
		// The guard undoing this switch, or on a stun effect the guard it sits on.
		StateMachineComponent* mClaimant = nullptr;
		int32_t mSwitchColour = 0;
		int32_t mChargeColour = 0;
		StateType mState = STATE_BEGIN;
		InnerStateType mInnerState = INNER_STATE_ON_ENTER;
		int32_t mCurrPhase = 1;
	};
}
