#pragma once
// The whole game headless with a level of enemies: the test builds the level through
// the level builder, the level's file is written and played again, and the machines
// are stepped through their manager, alone or with the rest of the game.

#include "Core/Object.h"
#include "support/InputHarness.h"
#include "support/LevelFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>

namespace Tarn
{
	class LevelManager;
	class ScoreManager;
	class TransformComponent;
}

namespace StateMachines
{
	class MineComponent;
	class StateMachineComponent;
	class StateMachineManager;
	class SwitchComponent;
	class GateComponent;
}

namespace KelvaneTest
{
	class EnemyLevel : public testing::Test
	{
	protected:
		// The number the level is played as, and the name its end is logged under.
		static constexpr int kLevel = 3;
		static constexpr float kDt = 0.016f;

		void SetUp() override;
		void TearDown() override;

		// An object for the level being built.
		Tarn::Object* Add( const char* type, const char* name, Tarn::Vector2 at );
		// Writes the level built so far to its file and plays it: every object is made
		// again from the file, and what Add returned is gone.
		void Play();

		// Frames of the machines alone (one call of the manager each), or whole update
		// steps of the game (two calls of every service, collisions and physics too).
		void Frames( int count );
		void Steps( int count );

		// A switch (its component and a place) and a gate (its target list) with only the
		// parts the enemies read: without an emitter or an animation the puzzle's own
		// routines pass them over, so that a guard's test alone moves them.
		StateMachines::SwitchComponent& MakeSwitch( const char* name, Tarn::Vector2 at, int32_t colour, bool lit );
		StateMachines::GateComponent& MakeGate( const char* name, std::initializer_list<int32_t> targets, int32_t matched );

		static Tarn::Object& Find( const char* name );
		static Tarn::TransformComponent& Transform( const char* name );
		static StateMachines::StateMachineComponent& Machine( const char* name );
		static StateMachines::MineComponent& MineMachine( const char* name );

		StateMachines::StateMachineManager& Machines() const { return *mMachines; }
		Tarn::ScoreManager& Score() const { return *mScore; }

		TempFolder mFolder;
		ScopedResources mResources;
		std::unique_ptr<InputHarness> mGame;
		Tarn::LevelManager* mLevels = nullptr;
		StateMachines::StateMachineManager* mMachines = nullptr;
		Tarn::ScoreManager* mScore = nullptr;
	};
}
