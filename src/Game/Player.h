#pragma once

#include "Core/Object.h"
#include "core/HashedName.h"

#include <cstdint>

namespace Tarn
{
	class TransformComponent;

	// The ship the user steers, looked up by others as "Player1". W, A, S, D push it;
	// what it touches may hurt it, slow it or let it win.
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
		static constexpr float kHitInvulnerability = 4.0f;
		static constexpr float kBarrierInvulnerability = 1.0f;
		static constexpr const char* kHitSound = "resource/Sound/Player_GetHit.wav";

		void Initialise() override;
		void Shutdown() override;

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

		bool IsInvulnerable() const;

	private:
		bool IgnoresKeys() const;
		bool IsFleeing() const;
		void Invulnerable( float seconds );
		void PlayHitSound();

		bool mSubscribed = false;
		// What this player handed the physics and collision managers, to take back only
		// its own at shutdown (the components are gone by then; only compared).
		const void* mGivenPosition = nullptr;
		const void* mGivenCollider = nullptr;
	};
}
