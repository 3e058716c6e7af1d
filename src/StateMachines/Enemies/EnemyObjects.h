#pragma once
// The enemy objects a level holds: guards (melee and ranged), mines, crystal foci, gate
// barriers and the light bomb. Each assembles its components in a fixed order and its
// start values in Initialise; what they do is their machines' (the guard, mine and
// barrier families), and what meeting them does is their contact responses here and
// the player's contact table.

#include "Core/Object.h"
#include "core/HashedName.h"

namespace Enemies
{
	// A guard that fights at close quarters; white guards (mAI 3) come from the level.
	// Guards that touch push each other apart; a guard lights a mine's fuse by touch.
	class MeleeGuard : public Tarn::Object
	{
		TARN_CLASS_NAME( MeleeGuard )

	public:
		void Initialise() override;
		void Shutdown() override {}
		void OnCollisionStay( Physics::CollisionComponent* other ) override;
	};

	// Set up as the melee guard, with health and without a contact response of its own.
	class RangeGuard : public Tarn::Object
	{
		TARN_CLASS_NAME( RangeGuard )

	public:
		void Initialise() override;
		void Shutdown() override {}
	};

	// Its machine spins and patrols it, lights its fuse and explodes it; what the mine
	// meets is answered here, whichever side the contact reports it on.
	class Mine : public Tarn::Object
	{
		TARN_CLASS_NAME( Mine )

	public:
		void Initialise() override;
		void Shutdown() override {}
		void OnCollisionStart( Physics::CollisionComponent* other ) override;
		void OnCollisionStay( Physics::CollisionComponent* other ) override;
	};

	// A crystal that a light cone burns, at a cost to the score.
	class CrystalFocus : public Tarn::Object
	{
		TARN_CLASS_NAME( CrystalFocus )

	public:
		void Initialise() override;
		void Shutdown() override {}
	};

	// An unseen field before the gate that hurts in its engaged phase; its emitter shows it.
	class GateBarrier : public Tarn::Object
	{
		TARN_CLASS_NAME( GateBarrier )

	public:
		void Initialise() override;
		void Shutdown() override {}
	};

	// Moved and spent by whatever creates it (the scripted levels); no machine.
	class LightBombProjectile : public Tarn::Object
	{
		TARN_CLASS_NAME( LightBombProjectile )

	public:
		void Initialise() override;
		void Shutdown() override {}
	};
}
