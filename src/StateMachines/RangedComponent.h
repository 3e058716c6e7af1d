#pragma once

#include "Core/ObjectComponent.h"
#include "StateMachines/StateTypes.h"
#include "core/HashedName.h"

#include <cstdint>

namespace StateMachines
{
	// The machine of a ranged guard. Not kept in level files.
	class RangedComponent : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( RangedComponent )

	public:
		explicit RangedComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}

		void Initialise() override;
		void Shutdown() override;
		// Not kept in level files; its bar shows the state pair and timer.
		const Tarn::ComponentProperties& Properties() const override;
		Tarn::TweakCallback GetTweakCallback() override { return &OpenTweakBar; }

		float mStateTimer = 0.0f;
		// Working storage of the ranged routine.
		float mShotTimer = 0.0f;
		StateType mState = STATE_BEGIN;
		InnerStateType mInnerState = INNER_STATE_ON_ENTER;
		int32_t mPhase = 1;
		int32_t mShots = 0;
		int32_t mVolley = 0;
		int32_t mCooldown = 0;
		// Raised while it winds up to fire, cleared when it is back to watching.
		bool mFireFlag = false;
	};
}
