#pragma once
// A machine's patrol between its two patrol points, shared by every family that
// patrols: drifting mirrors and gleam tiles move by velocity, mines and crystal foci
// move their position.

namespace Tarn
{
	class TransformComponent;
}

namespace StateMachines
{
	class MineComponent;

	// Units a second along a patrol.
	inline constexpr float kPatrolSpeed = 1.0f;

	enum class PatrolMotion
	{
		ByVelocity, // the velocity heads for the point and the physics moves the owner
		ByPosition, // the position itself steps toward the point
	};

	// One frame of the patrol: STATE_NORMAL heads for patrol point 0 at one unit a second
	// (a machine that does not patrol waits in its ENTER) and on arrival swaps the points,
	// pausing first when mWait is set; STATE_PAUSE stands still for mWaitTimer seconds.
	// Other states are left alone.
	void FollowPatrol( MineComponent& machine, Tarn::TransformComponent& transform, float dt, PatrolMotion motion );
}
