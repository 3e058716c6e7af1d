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
		// Draw orders. The main menu and the in-game menu draw above the level and its
		// heads-up display, their pictures under their buttons; a page that opens over
		// them (options, how to play, the credits, the level select, "are you sure", the
		// score screen) draws above them both, so that they show dimmed behind it. The
		// score's text and the loading screen come above everything.
		static constexpr int32_t kDrawOrder = 7;
		static constexpr int32_t kPageDrawOrder = 6;
		static constexpr int32_t kOverlayDrawOrder = 9;
		static constexpr int32_t kOverlayPageDrawOrder = 8;

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
