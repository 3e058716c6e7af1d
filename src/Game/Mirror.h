#pragma once

#include "Core/Object.h"
#include "core/HashedName.h"

namespace Tarn
{
	// Reflects a beam that strikes its front (the side its line's normal points away
	// from) into the beam named after it. Dark until a beam lights it.
	class Mirror : public Object
	{
		TARN_CLASS_NAME( Mirror )

	public:
		static constexpr const char* kTexture = "resource/mirror.png";

		void Initialise() override;
		void Shutdown() override {}
	};

	// Takes a beam from any side and sends it on toward the pointer, as its own beam.
	class Channel : public Object
	{
		TARN_CLASS_NAME( Channel )

	public:
		static constexpr const char* kTexture = "resource/asd.png";

		void Initialise() override;
		void Shutdown() override {}
	};
}
