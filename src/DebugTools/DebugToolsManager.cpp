#include "DebugTools/DebugToolsManager.h"

#include "DebugTools/CollisionDebugComponent.h"
#include "Input/KeyboardManager.h"
#include "Input/MouseManager.h"
#include "Physics/PhysicsManager.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>

namespace Tarn
{
	DebugToolsManager::DebugToolsManager( Game* game ) : GameComponent( game ), mGame( game ) {}

	DebugToolsManager::~DebugToolsManager()
	{
		// A manager destroyed without its shutdown must not stay on the keyboard's list.
		if ( mSubscribed )
			if ( KeyboardManager* keyboard = Services::Get<KeyboardManager>() )
				keyboard->mOnKeyPressed.Unsubscribe( this, &DebugToolsManager::OnKey );
	}

	void DebugToolsManager::Initialise()
	{
		mPhysicsManager = Services::Get<Physics::PhysicsManager>();
		mMouseManager = Services::Get<MouseManager>();
		if ( !mSubscribed )
			if ( KeyboardManager* keyboard = Services::Get<KeyboardManager>() )
			{
				keyboard->mOnKeyPressed.Subscribe( this, &DebugToolsManager::OnKey );
				mSubscribed = true;
			}
	}

	void DebugToolsManager::Shutdown()
	{
		mPhysicsManager = nullptr;
		mMouseManager = nullptr;
		mComponents.clear();
		if ( mSubscribed )
		{
			if ( KeyboardManager* keyboard = Services::Get<KeyboardManager>() )
				keyboard->mOnKeyPressed.Unsubscribe( this, &DebugToolsManager::OnKey );
			mSubscribed = false;
		}
	}

	void DebugToolsManager::Register( CollisionDebugComponent* component )
	{
		if ( component && std::find( mComponents.begin(), mComponents.end(), component ) == mComponents.end() )
			mComponents.push_back( component );
	}

	void DebugToolsManager::Unregister( CollisionDebugComponent* component )
	{
		const auto found = std::find( mComponents.begin(), mComponents.end(), component );
		if ( found != mComponents.end() )
			mComponents.erase( found );
	}

	void DebugToolsManager::ToggleOutlines()
	{
		mDebugVisible = !mDebugVisible;
		for ( CollisionDebugComponent* component : mComponents )
			component->mVisible = mDebugVisible;
		LOG_INFO( "Collision outlines " << ( mDebugVisible ? "shown" : "hidden" ) << " (" << mComponents.size()
		                                << " objects)" );
	}

	void DebugToolsManager::OnKey( uint32_t key, uint32_t )
	{
		// A paused game (a menu over the level) keeps its outlines as they are.
		if ( key == kToggleKey && mEnabled )
			ToggleOutlines();
	}
}
