#pragma once

#include "Core/ObjectComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateTypes.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <cstdint>

namespace StateMachines
{
	class SwitchComponent;

	// The group of the state entries in the bars of the behaviour components.
	inline constexpr const char* kStateGroup = " group=State ";

	// The machine of a guard, a gate barrier, a boss part, a prompt or a fader: numbers
	// only. The state-machine manager runs the routine that mAI selects.
	class StateMachineComponent : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( StateMachineComponent )

	public:
		explicit StateMachineComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}

		// Reads back everything it writes except mCurrPhase.
		const Tarn::ComponentProperties& Properties() const override;
		Tarn::TweakCallback GetTweakCallback() override { return &OpenTweakBar; }
		// Starts in STATE_NONE and joins the manager; a gate barrier always runs its
		// own routine from STATE_NORMAL.
		void Initialise() override;
		void Shutdown() override;

		float mStateTimer = 0.0f;
		bool mActionFlag = false;
		SwitchComponent* mTarget = nullptr;
		int32_t mSavedState = 0;
		int32_t mSavedInnerState = 0;
		float mSubTimer = 0.0f;
		float mPulseRate = 0.2f;
		float mPulseMax = 1.6f;
		float mPulseMin = 1.4f;
		int32_t mSign = 1;
		// The routine that drives the owner, set by its object or its level file.
		int32_t mAI = Routine::PlayerSequences;
		StateType mState = STATE_BEGIN;
		InnerStateType mInnerState = INNER_STATE_ON_ENTER;
		int32_t mCurrPhase = 0;
		bool mMeshSwitchCheck = true;
		float mAttackRadius = 0.0f;
		Tarn::Vector2 mAttackProjection;

	protected:
		// A level is read after its objects are initialised; a gate barrier runs its own
		// routine whatever the file says.
		void OnDeserialised( const pugi::xml_node& element ) override;

	private:
		void ForceGateBarrier();
	};
}
