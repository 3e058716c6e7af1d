#pragma once
// The effects a level keeps in pools, out of play until a machine is lent one: the stun
// effect, a ring shown over a stunned guard, and the switch effect, the spark a lit
// switch sends to the gate. What moves them is their borrowers' behaviour (the guard and
// spark routines, the colour puzzle); here they are only assembled, waiting.

#include "Core/Object.h"
#include "core/HashedName.h"

namespace Tarn
{
	class StunEffect : public Object
	{
		TARN_CLASS_NAME( StunEffect )

	public:
		static constexpr const char* kSheetXml = "./resource/stun.xml";
		static constexpr const char* kSheetPng = "./resource/stun.png";
		static constexpr const char* kTexture = "resource/stun.png";
		// Seconds each frame of the ring shows.
		static constexpr float kFrameTime = 0.06f;

		void Initialise() override;
		void Shutdown() override {}
	};

	// A spark that touches a gate is caught there, whichever side the contact is
	// reported on (the gate answers it too).
	class SwitchEffect : public Object
	{
		TARN_CLASS_NAME( SwitchEffect )

	public:
		void Initialise() override;
		void Shutdown() override {}
		void OnCollisionStay( Physics::CollisionComponent* other ) override;
	};
}
