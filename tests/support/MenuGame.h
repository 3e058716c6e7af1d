#pragma once
// The whole game headless with the committed menu levels and the first level, for the
// tests of the menus: the pointer is moved and clicked over a button where the camera
// shows it, keys are pressed through the window's events, and the player's options
// and grades live in folders of the test's own.

#include "GameStates/ButtonManager.h"
#include "GameStates/ButtonTypes.h"
#include "support/HeadlessGame.h"
#include "support/LevelFiles.h"
#include "support/TempFolder.h"
#include "Core/CommandLine.h"
#include "core/Vector2.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace Tarn
{
	class ButtonComponent;
	class LoadingScreen;
	class SoundManager;
}

namespace KelvaneTest
{
	class MenuGame : public HeadlessGame
	{
	protected:
		void SetUp() override;
		void TearDown() override;
		// The game shut down and started again, as a player would quit and come back.
		void Restart( Tarn::LaunchOptions options = Tarn::LaunchOptions() );

		Tarn::ButtonManager& Buttons() const;
		Tarn::SoundManager& Sounds() const;
		Tarn::LoadingScreen& Loading() const;
		// The button of the object of that name; fails the test when there is none.
		Tarn::ButtonComponent* Button( const char* name ) const;
		// The first button of the function on the top page.
		Tarn::ButtonComponent* OnTopPage( Tarn::ButtonFunction function ) const;

		// The window pixel that shows a world point.
		std::pair<int, int> PixelOf( Tarn::Vector2 world ) const;
		void PointAt( Tarn::Vector2 world );
		void ClickAt( Tarn::Vector2 world );
		void Click( const Tarn::ButtonComponent& button );
		// Clicks the button of that function on the top page.
		void Click( Tarn::ButtonFunction function );
		void Press( uint32_t key );

		void Step( int steps = 1 );
		// Steps until `done` holds, at most `limit` steps; false when it never did.
		bool StepUntil( const std::function<bool()>& done, int limit = 600 );
		// Steps until the loading screen is up, its functions have run, then answers it
		// and steps until it has gone.
		void ThroughLoadingScreen();

		// Sounds started since the game began.
		uint64_t Playbacks() const;
		std::string Texture( const Tarn::ButtonComponent& button ) const;
		float Shade( const Tarn::ButtonComponent& button ) const;
		bool Visible( const Tarn::ButtonComponent& button ) const;

		// The player's options file of this test.
		std::string OptionsFile() const;

		TempFolder mConfig;
		// The level select's grades of this test.
		TempFolder mData;
		ScopedEnvironment mEnvironment;
		ScopedResources mResources;
	};
}
