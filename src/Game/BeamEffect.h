#pragma once

#include "Core/Object.h"
#include "Core/ObjectComponent.h"
#include "core/HashedName.h"

namespace Tarn
{
	// Marks the muzzle sprite of a beam. It holds nothing; only its name is saved.
	class BeamEffectComponent : public ObjectComponent
	{
		TARN_CLASS_NAME( BeamEffectComponent )

	public:
		explicit BeamEffectComponent( Object* owner ) : ObjectComponent( owner ) {}

		void Initialise() override {}
		void Shutdown() override {}
	};

	// The flare at the muzzle of a beam, shown and placed by the beam while it fires.
	// "EnergyBeamN" uses the one named "BeamEffectN".
	class BeamEffect : public Object
	{
		TARN_CLASS_NAME( BeamEffect )

	public:
		static constexpr const char* kTexture = "resource/beameffect.png";

		void Initialise() override;
		void Shutdown() override {}
	};
}
