#pragma once

#include "Core/ObjectComponent.h"
#include "StateMachines/StateTypes.h"
#include "core/HashedName.h"

#include <array>
#include <cstdint>
#include <deque>

namespace Tarn
{
	class Object;
}

namespace StateMachines
{
	// The machine of a gate or an enemy gate: which colours it wants, in which order,
	// and the sparks waiting to be let go.
	class GateComponent : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( GateComponent )

	public:
		static constexpr size_t kTargetCount = 5;

		explicit GateComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}

		const Tarn::ComponentProperties& Properties() const override;
		void Initialise() override;
		void Shutdown() override;

		int32_t mTargetPosition = 0;
		std::deque<Tarn::Object*> mReleaseQueue;
		Tarn::Object* mBarrier = nullptr;
		int32_t mAI = 0;
		StateType mState = STATE_BEGIN;
		InnerStateType mInnerState = INNER_STATE_ON_ENTER;
		int32_t mPhase = 1;
		bool mIsEnemy = false;
		bool mPauseGate = false;
		int32_t mContent = 0;
		int32_t mSkip = 0;
		float mStateTimer = 0.0f;
		std::array<int32_t, kTargetCount> mTargetList{};
	};
}
