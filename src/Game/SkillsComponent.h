#pragma once

#include "Core/ObjectComponent.h"
#include "core/HashedName.h"

namespace Tarn
{
	// The player's skills record: radial-light energy, the light bomb's cooldown and
	// the speed boost. Only the boost flag and the speed factor act on anything (the
	// steering); the rest is shown and written but not yet spent or refilled.
	class SkillsComponent : public ObjectComponent
	{
		TARN_CLASS_NAME( SkillsComponent )

	public:
		explicit SkillsComponent( Object* owner ) : ObjectComponent( owner ) {}

		void Initialise() override {}
		// Closes its bar.
		void Shutdown() override;
		// Written, never read back: the record is the live run's, and a level file does
		// not change it.
		const ComponentProperties& Properties() const override;

		float mRadialLightEnergy = 50.0f;
		float mRadialLightEnergyMax = 100.0f;
		float mLightBombCooldown = 3.0f;
		float mLightBombCooldownCurrentTime = 0.0f;
		bool mLightBombReady = true;
		bool mSpeedBoost = false;
		float mSpeedTimer = 0.0f;
		// Multiplies the steering steps while mSpeedBoost is set; a nebula halves it.
		float mSpeedFactor = 1.0f;
	};
}
