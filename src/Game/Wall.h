#pragma once

#include "Core/Object.h"
#include "core/HashedName.h"

namespace Tarn
{
	// A solid block of a level: the player slides along it.
	class Wall : public Object
	{
		TARN_CLASS_NAME( Wall )

	public:
		void Initialise() override;
		void Shutdown() override {}
	};
}
