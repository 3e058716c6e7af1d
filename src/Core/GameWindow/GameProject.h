#pragma once

#include "Core/CommandLine.h"
#include "Core/GameWindow/Game.h"
#include "Core/GameWindow/GameWindow.h"
#include "Core/PendingServices.h"
#include "DebugTools/DebugToolsManager.h"
#include "Game/ObjectiveManager.h"
#include "Game/ScoreManager.h"
#include "Game/ShadowManager.h"
#include "GameStates/ButtonManager.h"
#include "GameStates/GameLevelSelector.h"
#include "Game/SkillManager.h"
#include "GameStates/LevelManager.h"
#include "GameStates/PlayerOptions.h"
#include "GameStates/SoundManager.h"
#include "Graphics/AnimationManager.h"
#include "Graphics/FontManager.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/ParticleManager.h"
#include "Graphics/StatusBarManager.h"
#include "Graphics/TextManager.h"
#include "Graphics/TextureManager.h"
#include "Input/KeyboardManager.h"
#include "Input/MouseManager.h"
#include "Physics/CollisionManager.h"
#include "Physics/PhysicsManager.h"
#include "StateMachines/StateMachineManager.h"

#include <memory>
#include <tuple>

namespace Platform
{
	class Clock;
}

namespace Tarn
{
	// The heap services of the game, in the order of their creation; destruction runs
	// the other way.
	using HeapServices = std::tuple<StateMachines::StateMachineManager, Graphics::GraphicsManager, Graphics::TextureManager, Graphics::AnimationManager,
	                                Physics::PhysicsManager, Physics::CollisionManager, ShadowManager, Graphics::ParticleManager, SoundManager,
	                                SkillManager, Graphics::StatusBarManager, Graphics::TextManager, ObjectiveManager, ScoreManager,
	                                LevelManager, ButtonManager, Graphics::FontManager, GameLevelSelector, DebugToolsManager,
	                                PropertyEditor>;

	// The game itself: embeds the window and the two input managers, creates the other
	// services and runs the loop.
	class GameProject : public Game
	{
	public:
		explicit GameProject( const LaunchOptions& options = LaunchOptions() );
		~GameProject() override;

		void Run() override;

		static void RegisterResources();
		void CreateComponents();
		void DestroyComponents();

		const LaunchOptions& Options() const { return mOptions; }
		// What the process should end with: 0, or 1 when the window could not be made or
		// the level asked for by --save-level could not be written.
		int ExitCode() const { return mWindow.HasFailed() || mSaveLevelFailed ? 1 : 0; }

		GameWindow mWindow;
		KeyboardManager mKeyboard;
		MouseManager mMouse;

	private:
		// The window's close box ends the game.
		void OnWindowClose();

		LaunchOptions mOptions;
		// The player's options as read at start, and the file they are kept in.
		PlayerOptions mPlayerOptions;
		std::string mPlayerOptionsFile;
		std::unique_ptr<Platform::Clock> mClock;
		bool mComponentsCreated = false;
		bool mSaveLevelFailed = false;
	};
}
