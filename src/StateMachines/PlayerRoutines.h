#pragma once

#include "StateMachines/StateMachineManager.h"

namespace StateMachines
{
	// mAI 0, on the player: the hit sequence of STATE_WAIT (the won and lost sequences
	// come with the score screen).
	void RunPlayerSequences( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );
	// mAI 1, on the player's body: follows the ship and spins faster while it moves.
	void RunPlayerHalo( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );

	// The halo's spin speed, one value for the whole run, in radians per second.
	float& PlayerHaloSpin();
	inline constexpr float kHaloSpinStart = 3.14159265f / 6.0f;
}
