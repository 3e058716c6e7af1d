#pragma once
// The links between a guard's machine and a switch's component: a white guard's claim
// on the lit switch it goes to undo, or the stun effect lent to a stunned guard. Every
// such link is made and broken here, both ways at once, and a component that shuts
// down breaks its own, so neither side is left naming the other once it has moved on.

namespace StateMachines
{
	class StateMachineComponent;
	class SwitchComponent;

	// Links the two both ways, first breaking whatever either was linked to: a guard
	// holds at most one switch and a switch has at most one claimant.
	void Link( StateMachineComponent& guard, SwitchComponent& target );
	// Breaks the guard's link both ways; a guard with none is left as it is.
	void Unlink( StateMachineComponent& guard );
	// Breaks the switch's link both ways.
	void Unlink( SwitchComponent& target );
}
