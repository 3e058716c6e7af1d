#pragma once

// A coloured light sprite: the soft disc of "resource/light.png" drawn with its owner's
// world transform, tinted by the kind its owner's name gives it.

#include "Graphics/MeshComponent.h"
#include "core/HashedName.h"

#include <cstdint>
#include <string>

namespace Tarn
{
	class LightEmitterComponent : public Graphics::MeshComponent
	{
		TARN_CLASS_NAME( LightEmitterComponent )

	public:
		static constexpr const char* kTexture = "resource/light.png";

		explicit LightEmitterComponent( Object* owner ) : MeshComponent( owner ) {}

		// The mesh's start, the light's picture and the tint of its kind.
		void Initialise() override;

		// The kind a light of an owner named `name` takes: by the name's sixth
		// character, 0 for "0", 1 for "1", 2 for "2" and 3 for anything else, a name
		// too short to have one included.
		static int32_t KindOf( const std::string& name );

		int32_t mColourKind = 0;
	};
}
