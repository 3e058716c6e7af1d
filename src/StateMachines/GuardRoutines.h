#pragma once
// Guards, plain and white: they watch, close in, lunge, patrol, pause, freeze and are
// stunned, and the white ones walk to lit switches to undo them. Filed into the
// manager's machine table by this family, with the doors other pieces come in by: a
// light cone stuns, a blast kills, the end of a level freezes them all.

#include "StateMachines/StateMachineManager.h"

#include <cstdint>

namespace Tarn
{
	class Object;
}

namespace StateMachines
{
	class StateMachineComponent;
	class SwitchComponent;

	// Routine::Guard and Routine::WhiteGuard, on a guard's machine. The owner's
	// MineComponent, where it has one, is its patrol; without it the guard stands.
	void RunGuard( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );

	// A light cone on a guard: stunned (STATE_WAIT from its ENTER), unless it is stunned
	// already, when the stun runs on undisturbed.
	void StunGuard( StateMachineComponent& guard );

	// The level is won or lost: every guard's machine freezes (STATE_FLEE from its ENTER).
	void FreezeGuards( StateMachineManager& manager );

	// A blast kills the guard: the score's enemy award, and the guard leaves play
	// (inactive, hidden, STATE_NONE), giving back the switch or stun effect it held. A
	// guard already out of play is left alone.
	void KillGuard( StateMachineManager& manager, Tarn::Object& guard );

	// The colour the white guards go to undo: the one the first gate of the manager
	// matched last. ColourCode::None, and nothing to undo, when there is no gate or it
	// has matched nothing yet.
	int32_t WantedUndoColour( const StateMachineManager& manager );

	// A white guard's claim on a lit (or being undone) switch of the wanted colour: a
	// free switch, or one whose claimant is farther from it than this guard. A guard
	// holds at most one switch, so one that already holds one claims nothing. The
	// answer says whether a link was made.
	bool ClaimSwitch( StateMachineManager& manager, StateMachineComponent& guard );
}
