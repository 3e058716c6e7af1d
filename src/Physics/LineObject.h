#pragma once

#include "Core/Object.h"
#include "core/HashedName.h"

namespace Physics
{
	// A one-sided wall for the player, placed by level files: the bounds of a level.
	class LineObject : public Tarn::Object
	{
		TARN_CLASS_NAME( LineObject )

	public:
		LineObject();

		void Initialise() override;
		// The object manager has shut down and deleted the components already.
		void Shutdown() override {}
	};
}
