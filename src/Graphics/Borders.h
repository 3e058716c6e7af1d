#pragma once

#include "Core/Object.h"
#include "core/HashedName.h"

namespace Tarn
{
	// The frame around the play field: one HUD mesh that covers the whole screen.
	class Borders : public Object
	{
		TARN_CLASS_NAME( Borders )

	public:
		static constexpr const char* kTexture = "resource/borders.png";

		void Initialise() override;
		void Shutdown() override {}
	};
}
