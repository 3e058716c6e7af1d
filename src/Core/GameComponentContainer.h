#pragma once

#include "Core/GameComponent.h"
#include "core/Event.h"

#include <vector>

namespace Tarn
{
	// The engine components the game owns and initialises, in order of addition.
	// Four handler lists tell the game of every component added or removed.
	class GameComponentContainer
	{
	public:
		void AddComponent( GameComponent* component );
		void AddDrawableComponent( DrawableGameComponent* component );
		void RemoveComponent( GameComponent* component );
		void RemoveDrawableComponent( DrawableGameComponent* component );

		const std::vector<GameComponent*>& Components() const { return mComponents; }
		auto begin() const { return mComponents.begin(); }
		auto end() const { return mComponents.end(); }
		auto rbegin() const { return mComponents.rbegin(); }
		auto rend() const { return mComponents.rend(); }

		Event<GameComponent*> mUpdatableAdded;
		Event<GameComponent*> mUpdatableRemoved;
		Event<DrawableGameComponent*> mDrawableAdded;
		Event<DrawableGameComponent*> mDrawableRemoved;

	private:
		std::vector<GameComponent*> mComponents;
	};
}
