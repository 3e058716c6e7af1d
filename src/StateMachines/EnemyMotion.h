#pragma once
// How the enemies move and look about: toward the player, along a turn, to a point.
// Shared by the guard, ranged-guard, mine and spark routines; it only writes the
// transform it is given.

#include "core/Vector2.h"

namespace Tarn
{
	class TransformComponent;
}

namespace StateMachines
{
	// The player's transform, looked up by name each time; null while there is no player.
	Tarn::TransformComponent* PlayerTransform();

	// Squared distance between the two; infinite when there is no `to` (no player, say),
	// so that no range test is ever met.
	float DistanceSqTo( const Tarn::TransformComponent& from, const Tarn::TransformComponent* to );

	// Still sliding from a lunge or a push: faster than one unit a second.
	bool IsSliding( const Tarn::TransformComponent& transform );

	// Turns toward `point` at `rate` radians a second, on the side the current motion
	// has it, and flies on along the new heading at just under 1.5 units a second.
	void SteerToward( Tarn::TransformComponent& transform, const Tarn::Vector2& point, float rate, float dt );

	// Points the rotation straight at `point`.
	void FaceToward( Tarn::TransformComponent& transform, const Tarn::Vector2& point );

	// The same scale on both axes.
	void SetScale( Tarn::TransformComponent& transform, float scale );

	// Moves the position itself (not the velocity) toward `point` at `speed` units a second.
	void MoveToward( Tarn::TransformComponent& transform, const Tarn::Vector2& point, float speed, float dt );

	// Within this squared distance of a patrol or flight point the mover has arrived.
	inline constexpr float kArrivedSq = 0.1f;
}
