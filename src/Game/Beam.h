#pragma once

#include "Core/Object.h"
#include "core/HashedName.h"

namespace Tarn
{
	// The energy beam: a stretched, rippling sprite from its source toward where it
	// aims. Its behaviour is its BeamComponent; the object passes its contacts on.
	class Beam : public Object
	{
		TARN_CLASS_NAME( Beam )

	public:
		static constexpr const char* kTexture = "resource/energybeam.png";
		static constexpr const char* kEmitterTexture = "resource/light_pillar.png";

		void Initialise() override;
		void Shutdown() override {}

		void OnCollisionStay( Physics::CollisionComponent* other ) override;
		void OnCollisionEnd( Physics::CollisionComponent* other ) override;
	};
}
