#pragma once
// The state the game starts in when no level is asked for: the main menu, its page
// and its music. Everything after it happens through the menus' buttons.

#include "Core/GameStateManager.h"
#include "core/HashedName.h"

namespace Tarn
{
	class MainMenuState : public GameState
	{
		TARN_CLASS_NAME( MainMenuState )

	public:
		MainMenuState() : GameState( ClassHashedName() ) {}

		// The camera stops following anything, and the button manager shows the main menu.
		void Initialise() override;
		void Shutdown() override {}
		void Activate() override {}
		void Deactivate() override {}
	};
}
