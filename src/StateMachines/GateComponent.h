#pragma once

#include "Core/ObjectComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateTypes.h"
#include "core/HashedName.h"

#include <array>
#include <cstdint>
#include <vector>

namespace StateMachines
{
	// The machine of a gate or an enemy gate: which colours it wants, in which order,
	// how far it has got, and for an enemy gate the guards it lets out. Other objects
	// are kept by name and looked up when needed, so the gate never names one that has
	// gone, and one later in the level's file is found as well as one before it.
	class GateComponent : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( GateComponent )

	public:
		static constexpr size_t kTargetCount = 5;
		// The barrier a plain gate drops when it opens and raises when it closes.
		static constexpr const char* kBarrierName = "Barrier";
		// An enemy gate's guards are "Guard" and their number.
		static constexpr const char* kGuardPrefix = "Guard";

		explicit GateComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}

		const Tarn::ComponentProperties& Properties() const override;
		void Initialise() override;
		void Shutdown() override;

		// The colours it wants: the entries of the list before the first None.
		int32_t TargetCount() const;
		// The colour it wants next; None once every colour has been matched, whatever
		// state the gate is in.
		int32_t WantedColour() const;
		// The colour matched last; None before the first match.
		int32_t LastMatchedColour() const;

		// An enemy gate's guards, by name, the numbers mSkip + 1 to mSkip + mContent in
		// that order: made from the two the first time they are needed, once the whole
		// level is in place. The gate lets out the last one first.
		std::vector<Tarn::HashedName>& ReleaseQueue();

		// How many colours have been matched, in order. Not kept in the file: a loaded
		// gate starts from its first colour.
		int32_t mTargetPosition = 0;
		// The gate routine that drives it, set by its object or its level file; until then
		// code 0, which no gate routine answers to.
		int32_t mAI = Routine::PlayerSequences;
		StateType mState = STATE_BEGIN;
		InnerStateType mInnerState = INNER_STATE_ON_ENTER;
		int32_t mPhase = 1;
		bool mIsEnemy = false;
		bool mPauseGate = false;
		int32_t mContent = 0;
		int32_t mSkip = 0;
		float mStateTimer = 0.0f;
		std::array<int32_t, kTargetCount> mTargetList{};

	protected:
		// A loaded gate starts from its first colour, and makes its queue anew.
		void OnDeserialised( const pugi::xml_node& element ) override;

	private:
		std::vector<Tarn::HashedName> mReleaseQueue;
		bool mQueueMade = false;
	};
}
