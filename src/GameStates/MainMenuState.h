#pragma once
// The state the game starts in when no level is asked for: the splash over the main
// menu, then the menu's page and its music. Everything after it happens through the
// menus' buttons.

#include "Core/GameStateManager.h"
#include "core/HashedName.h"

namespace Tarn
{
	class MainMenuState : public GameState
	{
		TARN_CLASS_NAME( MainMenuState )

	public:
		MainMenuState() : GameState( ClassHashedName() ) {}

		// The camera stops following anything, the button manager shows the main menu and
		// the splash covers it until the player answers.
		void Initialise() override;
		void Shutdown() override {}
		void Activate() override {}
		void Deactivate() override {}
	};
}
