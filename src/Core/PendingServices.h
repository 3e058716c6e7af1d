#pragma once

// Engine services and singletons the game is already assembled from but whose
// behaviour is not built yet. Each class stands here with its real name and base so
// that GameProject creates, files and registers it in its place in the order; it
// does nothing. When a piece is built, its class moves out of this file into its own
// subsystem folder and this file loses that block.

#include "Core/GameComponent.h"
#include "core/HashedName.h"

namespace Tarn
{
	class Game;

#define TARN_PENDING_SERVICE( Class, Base )                    \
	class Class : public Base                                  \
	{                                                          \
		TARN_CLASS_NAME( Class )                               \
                                                               \
	public:                                                    \
		explicit Class( Game* game ) : Base( game ) {}         \
		void Update( GameTime& ) override {}                   \
		void Initialise() override {}                          \
		void Shutdown() override {}                            \
		TARN_PENDING_DRAW_##Base                               \
	};

#define TARN_PENDING_DRAW_GameComponent
#define TARN_PENDING_DRAW_DrawableGameComponent \
	void Draw( GameTime& ) override {}

	// Created on the heap by GameProject::CreateComponents, in this order.
	TARN_PENDING_SERVICE( PropertyEditor, GameComponent )

#undef TARN_PENDING_DRAW_GameComponent
#undef TARN_PENDING_DRAW_DrawableGameComponent
#undef TARN_PENDING_SERVICE
}
