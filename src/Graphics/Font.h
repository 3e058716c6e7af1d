#pragma once

#include "Core/Object.h"
#include "core/HashedName.h"

namespace Graphics
{
	// A text on its own: an object that carries nothing but a font component ("ScoreFont",
	// the levels' captions).
	class Font : public Tarn::Object
	{
		TARN_CLASS_NAME( Font )

	public:
		void Initialise() override;
		void Shutdown() override {}
	};
}
