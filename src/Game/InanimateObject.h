#pragma once

#include "Core/Object.h"
#include "core/HashedName.h"

namespace Tarn
{
	// A prism: the beam lights it into a coloured cone. Until it is lit it gleams.
	class InanimateObject : public Object
	{
		TARN_CLASS_NAME( InanimateObject )

	public:
		void Initialise() override;
		void Shutdown() override {}
		void CreateTweakBar() override { CreateObjectTweakBar(); }
	};
}
