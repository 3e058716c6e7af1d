#pragma once
// Drifting mirrors: a mirror's patrol between two points, by velocity, which the gleam
// tiles share. Filed into the manager's mine table by this family.

#include "StateMachines/StateMachineManager.h"

namespace StateMachines
{
	class MineComponent;

	// Routine::DriftingMirror, on a mirror: drifts between its two patrol points at one
	// unit a second, waiting at each end when it is told to.
	void RunDriftingMirror( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );

	// One frame of that patrol for any machine with patrol data: STATE_NORMAL heads for
	// patrol point 0 and on arrival swaps the points; STATE_PAUSE stands still for
	// mWaitTimer seconds. The physics moves the owner.
	void DriftAlongPatrol( MineComponent& machine, float dt );
}
