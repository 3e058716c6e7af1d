#pragma once

#include "Core/ObjectComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateTypes.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <array>
#include <cstdint>

namespace StateMachines
{
	// The machine of a mine, a crystal focus, a spark, a drifting mirror or a gleam
	// tile, and the patrol of a guard.
	class MineComponent : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( MineComponent )

	public:
		explicit MineComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}

		const Tarn::ComponentProperties& Properties() const override;
		// Joins the manager, then takes the routine and starting state of its owner's
		// kind; other owners keep what they were given.
		void Initialise() override;
		void Shutdown() override;

		// The mine routine that drives it, set by its object or its level file; until then
		// code 0, which no mine routine answers to.
		int32_t mAI = Routine::PlayerSequences;
		StateType mState = STATE_NONE;
		InnerStateType mInnerState = INNER_STATE_ON_ENTER;
		float mGleamTimer = 0.0f;
		float mStateTimer = 0.0f;
		float mWaitTimer = 1.0f;
		std::array<Tarn::Vector2, 2> mPatrol{};
		bool mPatrols = false;
		bool mWait = true;
		bool mIsAttacking = false;
	};
}
