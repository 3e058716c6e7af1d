#pragma once

#include "Core/GameComponent.h"
#include "Input/KeyCodes.h"
#include "core/HashedName.h"

#include <cstdint>
#include <vector>

namespace Physics
{
	class PhysicsManager;
}

namespace Tarn
{
	class Game;
	class MouseManager;
	class CollisionDebugComponent;

	// Keeps the collision outlines of the live objects and the switch that decides
	// whether they show. The toggle key flips the switch and every registered outline
	// with it, so the outlines can be looked at in a running level.
	class DebugToolsManager : public GameComponent
	{
		TARN_CLASS_NAME( DebugToolsManager )

	public:
		// F3: F1, F2 and F9 already load, save and advance levels.
		static constexpr uint32_t kToggleKey = Key::F1 + 2;

		explicit DebugToolsManager( Game* game );
		~DebugToolsManager() override;

		void Initialise() override;
		void Update( GameTime& ) override {}
		// Forgets the services and the outlines; the outlines themselves are untouched.
		void Shutdown() override;

		void Register( CollisionDebugComponent* component );
		void Unregister( CollisionDebugComponent* component );

		// Flips mDebugVisible and shows or hides every registered outline to match.
		void ToggleOutlines();

		const std::vector<CollisionDebugComponent*>& Components() const { return mComponents; }

		Game* mGame = nullptr;
		Physics::PhysicsManager* mPhysicsManager = nullptr;
		MouseManager* mMouseManager = nullptr;
		std::vector<CollisionDebugComponent*> mComponents;
		// Whether outlines registered from now on start visible.
		bool mDebugVisible = false;

	private:
		void OnKey( uint32_t key, uint32_t modifiers );
		bool mSubscribed = false;
	};
}
