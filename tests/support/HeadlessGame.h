#pragma once
// The whole game headless, every service made and initialised, for the tests of one
// piece working inside it; objects are made through the object manager by type name.

#include "Core/GameComponent.h"
#include "Core/Object.h"
#include "support/InputHarness.h"
#include "support/LevelFiles.h"

#include <gtest/gtest.h>

#include <memory>

namespace KelvaneTest
{
	class HeadlessGame : public testing::Test
	{
	protected:
		static constexpr float kDt = 0.016f;

		// The game's clock steps kDt, as the fixed loop's does.
		void SetUp() override;
		void TearDown() override { mGame.reset(); }

		// Made and initialised; null for a type no class registered.
		template <typename T = Tarn::Object>
		T* Make( const char* type, const char* name )
		{
			return static_cast<T*>( MakeObject( type, name ) );
		}

		// Calls of one service's update alone, kDt each, until `seconds` have passed.
		static void UpdateFor( Tarn::GameComponent& service, float seconds );

		std::unique_ptr<InputHarness> mGame;
	};
}
