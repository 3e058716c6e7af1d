#pragma once
// Mines and crystal foci: they spin and patrol; a mine reddens on its fuse and
// explodes, killing guards, setting off other mines and crystals; a crystal burns
// while a cone lights it. Filed into the manager's mine table by this family, with
// the doors other pieces come in by.

#include "StateMachines/StateMachineManager.h"

namespace Physics
{
	class CollisionComponent;
}

namespace Tarn
{
	class Object;
}

namespace StateMachines
{
	class MineComponent;

	// Routine::Mine and Routine::BlueMine.
	void RunMine( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );
	// Routine::CrystalFocus.
	void RunCrystalFocus( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );

	// Lights the fuse of the mine this collider belongs to (STATE_WAIT from its ENTER),
	// the collider becoming invulnerable so that nothing lights it twice. A mine already
	// lit, exploding or spent is left alone; the answer says whether the fuse was lit.
	bool LightFuse( Physics::CollisionComponent& mine );

	// What meeting the mine does to the other side. A mine at rest has its fuse lit by a
	// guard or a crystal, as by the player's touch; only its explosion kills the guard
	// (with the enemy award), sets off another mine (once) or a crystal.
	void MeetMine( Tarn::Object& mine, Physics::CollisionComponent& other );

	// A light cone on a crystal, each frame it lights it: the crystal burns (STATE_WAIT).
	// A crystal burnt out already (STATE_DIE) is left as it is.
	void BurnCrystal( MineComponent& crystal );

	// The spin every mine of the run shares, drawn once: its speed in radians a second
	// and its direction, +1 or -1.
	struct MineSpin
	{
		float mSpeed;
		float mSign;
	};
	const MineSpin& SharedMineSpin();

	inline constexpr const char* kMineTexture = "resource/mine.png";
	inline constexpr const char* kExplosionTexture = "resource/Explosion.png";
}
