#pragma once
// The player's own behaviours: its sequences (hit, exit and death) and the halo of its
// body. Filed into the manager's machine table by this family.

#include "StateMachines/StateMachineManager.h"
#include "core/MathConstants.h"

namespace StateMachines
{
	// Routine::PlayerSequences, on the player: hit (STATE_WAIT), won and drawn into the
	// exit (STATE_FLEE), lost (STATE_DIE). The last two end the level once.
	void RunPlayerSequences( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );

	// Routine::PlayerHalo, on the player's body: follows the ship and spins faster while
	// it moves.
	void RunPlayerHalo( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );

	// The halo's spin speed, one value for the whole run, in radians per second.
	float& PlayerHaloSpin();
	inline constexpr float kHaloSpinStart = Tarn::kPi / 6.0f;
}
