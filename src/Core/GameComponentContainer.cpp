#include "Core/GameComponentContainer.h"

#include "Utilities/Assert.h"

#include <algorithm>

namespace Tarn
{
	void GameComponentContainer::AddComponent( GameComponent* component )
	{
		TARN_ASSERT( component );
		if ( !component )
			return;
		mComponents.push_back( component );
		mUpdatableAdded.Raise( component );
	}

	void GameComponentContainer::AddDrawableComponent( DrawableGameComponent* component )
	{
		TARN_ASSERT( component );
		if ( !component )
			return;
		mComponents.push_back( component );
		mUpdatableAdded.Raise( component );
		mDrawableAdded.Raise( component );
	}

	void GameComponentContainer::RemoveComponent( GameComponent* component )
	{
		TARN_ASSERT( component );
		if ( !component )
			return;
		std::erase( mComponents, component );
		mUpdatableRemoved.Raise( component );
	}

	void GameComponentContainer::RemoveDrawableComponent( DrawableGameComponent* component )
	{
		TARN_ASSERT( component );
		if ( !component )
			return;
		std::erase( mComponents, static_cast<GameComponent*>( component ) );
		mUpdatableRemoved.Raise( component );
		mDrawableRemoved.Raise( component );
	}
}
