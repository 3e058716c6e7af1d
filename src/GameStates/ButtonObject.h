#pragma once
// The objects menu level files build their pages from: a button (or a page picture) and
// the same with a particle emitter, whose rings drift behind the main menu.

#include "Core/Object.h"
#include "core/HashedName.h"

#include <cstdint>

namespace Tarn
{
	class ButtonObject : public Object
	{
		TARN_CLASS_NAME( ButtonObject )

	public:
		// Buttons draw above the level and its heads-up display, page pictures under
		// their buttons; the text of a page (the score) above both.
		static constexpr int32_t kDrawOrder = 7;
		static constexpr int32_t kPageDrawOrder = 6;

		void Initialise() override;
		void Shutdown() override {}
	};

	class AnimatedButtonObject : public Object
	{
		TARN_CLASS_NAME( AnimatedButtonObject )

	public:
		void Initialise() override;
		void Shutdown() override {}
	};
}
