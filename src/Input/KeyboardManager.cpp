#include "Input/KeyboardManager.h"

#include "Core/GameWindow/GameWindow.h"
#include "Utilities/Assert.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>

namespace Tarn
{
	void KeyboardManager::Initialise()
	{
		mWindow = Services::Get<GameWindow>();
		TARN_ASSERT( mWindow );
		LOG_INFO( "Initialising keyboard manager." );
		if ( !mWindow )
			return;
		mWindow->mOnKeyDown.Subscribe( this, &KeyboardManager::OnKeyDown );
		mWindow->mOnKeyUp.Subscribe( this, &KeyboardManager::OnKeyUp );
		mWindow->mOnChar.Subscribe( this, &KeyboardManager::OnChar );
		mWindow->mOnFocusLost.Subscribe( this, &KeyboardManager::OnFocusLost );
	}

	void KeyboardManager::Shutdown()
	{
		LOG_INFO( "Shutting down keyboard manager." );
		if ( !mWindow )
			return;
		mWindow->mOnKeyDown.Unsubscribe( this, &KeyboardManager::OnKeyDown );
		mWindow->mOnKeyUp.Unsubscribe( this, &KeyboardManager::OnKeyUp );
		mWindow->mOnChar.Unsubscribe( this, &KeyboardManager::OnChar );
		mWindow->mOnFocusLost.Unsubscribe( this, &KeyboardManager::OnFocusLost );
		mWindow = nullptr;
	}

	void KeyboardManager::PushContext( KeyboardInputContext* context, bool active )
	{
		if ( context )
			mContexts.push_back( { active, context } );
	}

	void KeyboardManager::RemoveContext( KeyboardInputContext* context )
	{
		if ( !context )
			return;
		const size_t before = mContexts.size();
		std::erase_if( mContexts, [context]( const ContextEntry& entry ) { return entry.mContext == context; } );
		// Pushed again later, it starts with no key down instead of one stuck from before.
		if ( mContexts.size() != before )
			context->mKeysDown.fill( false );
	}

	void KeyboardManager::SetContextActive( KeyboardInputContext* context, bool active )
	{
		for ( ContextEntry& entry : mContexts )
			if ( entry.mContext == context )
				entry.mActive = active;
	}

	KeyboardInputContext* KeyboardManager::TopmostContext() const
	{
		for ( auto it = mContexts.rbegin(); it != mContexts.rend(); ++it )
			if ( it->mActive )
				return it->mContext;
		return nullptr;
	}

	uint32_t KeyboardManager::ModifierBits() const
	{
		uint32_t bits = 0;
		if ( mKeysDown[Key::LeftShift] || mKeysDown[Key::RightShift] )
			bits |= Modifier::Shift;
		if ( mKeysDown[Key::LeftAlt] || mKeysDown[Key::RightAlt] )
			bits |= Modifier::Alt;
		if ( mKeysDown[Key::LeftControl] || mKeysDown[Key::RightControl] )
			bits |= Modifier::Control;
		return bits;
	}

	void KeyboardManager::OnKeyDown( uint32_t key )
	{
		// Auto-repeat sends the key down again and again; only the first one presses it.
		if ( key == Key::None || key >= Key::Count || mKeysDown[key] )
			return;
		mKeysDown[key] = true;
		const uint32_t bits = ModifierBits();
		mOnKeyPressed.Raise( key, bits );
		if ( KeyboardInputContext* top = TopmostContext(); top && !top->mKeysDown[key] )
		{
			top->mKeysDown[key] = true;
			top->mOnKeyPressed.Raise( key, bits );
		}
	}

	void KeyboardManager::OnKeyUp( uint32_t key )
	{
		// A key that is not down (pressed before the window had focus, or already
		// released when focus went) has nothing to release.
		if ( key == Key::None || key >= Key::Count || !mKeysDown[key] )
			return;
		mKeysDown[key] = false;
		const uint32_t bits = ModifierBits();
		mOnKeyReleased.Raise( key, bits );
		if ( KeyboardInputContext* top = TopmostContext(); top && top->mKeysDown[key] )
		{
			top->mKeysDown[key] = false;
			top->mOnKeyReleased.Raise( key, bits );
		}
	}

	void KeyboardManager::OnChar( uint32_t character ) { mOnChar.Raise( character ); }

	void KeyboardManager::OnFocusLost()
	{
		for ( uint32_t key = 0; key < Key::Count; ++key )
		{
			if ( mKeysDown[key] )
			{
				mKeysDown[key] = false;
				mOnKeyReleased.Raise( key, ModifierBits() );
			}
			// By index: a released handler may push or remove contexts.
			for ( size_t i = 0; i < mContexts.size(); ++i )
			{
				KeyboardInputContext* context = mContexts[i].mContext;
				if ( context->mKeysDown[key] )
				{
					context->mKeysDown[key] = false;
					context->mOnKeyReleased.Raise( key, ModifierBits() );
				}
			}
		}
	}

	void KeyboardManager::Update( GameTime& )
	{
		for ( uint32_t key = 0; key < Key::Count; ++key )
		{
			const uint32_t bits = ModifierBits();
			if ( mKeysDown[key] )
				mOnKeyHeld.Raise( key, bits );

			KeyboardInputContext* top = TopmostContext();
			if ( top && top->mKeysDown[key] )
				top->mOnKeyHeld.Raise( key, bits );

			// Every context but the topmost, inactive ones above it included, lets go of
			// its keys: none of them hears the key going up any more.
			for ( size_t i = 0; i < mContexts.size(); ++i )
			{
				KeyboardInputContext* context = mContexts[i].mContext;
				if ( context != top && context->mKeysDown[key] )
				{
					context->mKeysDown[key] = false;
					context->mOnKeyReleased.Raise( key, bits );
				}
			}
		}
	}
}
