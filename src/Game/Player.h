#pragma once
// The player's ship: its steering, what touching other objects does to it, and the one
// place that names the player object and finds it.

#include "Core/Object.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <cstdint>

namespace Tarn
{
	class TransformComponent;

	// The object name the ship goes by, and its lookup, which everything that follows or
	// aims at the player uses. Null while no player is in the level.
	inline constexpr const char* kPlayerObjectName = "Player1";
	const HashedName& PlayerObjectName();
	Object* FindPlayer();
	// The ship and its beam leave the keys and the mouse alone: a menu page in front has
	// them, or a cinematic holds the player's controls.
	bool PlayerControlsHeld();

	// The ship the user steers, looked up by others by kPlayerObjectName. W, A, S, D push
	// it; what it touches may hurt it, slow it or let it win (a table of contacts, one
	// row per kind of object, in Player.cpp).
	class Player : public Object
	{
		TARN_CLASS_NAME( Player )

	public:
		// Key codes of the steering keys.
		static constexpr uint32_t kKeyW = 119;
		static constexpr uint32_t kKeyA = 97;
		static constexpr uint32_t kKeyS = 115;
		static constexpr uint32_t kKeyD = 100;
		// What one held key adds to the velocity in one keyboard update.
		static constexpr float kStep = 0.3f;
		static constexpr float kKnockBack = 5.0f;
		// How hard a hurting barrier throws the ship off along its normal.
		static constexpr float kBarrierThrow = 15.0f;
		static constexpr float kHitInvulnerability = 4.0f;
		static constexpr float kBarrierInvulnerability = 1.0f;
		static constexpr const char* kHitSound = "resource/Sound/Player_GetHit.wav";

		void Initialise() override;
		void Shutdown() override;
		// The prisms' bar: a button for each component's bar, and "Save".
		void CreateTweakBar() override { CreateObjectTweakBar(); }

		void OnCollisionStay( Physics::CollisionComponent* other ) override;
		void OnCollisionEnd( Physics::CollisionComponent* other ) override;

		// The keyboard's held list: one push for each steering key down.
		void OnKeyHeld( uint32_t key, uint32_t modifiers );
		void OnMouseHeld( int32_t x, int32_t y, int32_t button );
		void OnMouseReleased( int32_t x, int32_t y, int32_t button );

		// A hit of `damage` (negative) from something moving with x velocity `fromVx`:
		// health falls, the ship is thrown away along x and cannot be hit again for a
		// while. A ship still invulnerable from the last hit takes nothing; the answer
		// says whether the hit landed.
		bool TakeHit( float damage, float fromVx );

		// A cinematic takes the controls from the player and gives them back.
		void HoldControls( bool held ) { mControlsHeld = held; }
		bool ControlsHeld() const { return mControlsHeld; }

		bool IsInvulnerable() const;
		// Won and being drawn into the exit.
		bool IsFleeing() const;

		// The parts of a hit: health falls by `damage` (negative), the ship is thrown
		// along x away from a hitter moving with `fromVx`, or off a surface along its
		// normal, cannot be hit again for `seconds`, and is heard.
		void LoseHealth( float damage );
		void ThrowAlongX( float fromVx );
		void ThrowOff( const Vector2& unitNormal );
		void Invulnerable( float seconds );
		void PlayHitSound();

	private:
		bool IgnoresKeys() const;
		// The first steering or firing starts the level's clock; a ship leaving through
		// the exit no longer does.
		void StartLevelClock() const;

		bool mSubscribed = false;
		bool mControlsHeld = false;
		// What this player handed the physics and collision managers, to take back only
		// its own at shutdown (the components are gone by then; only compared).
		const void* mGivenPosition = nullptr;
		const void* mGivenCollider = nullptr;
	};
}
