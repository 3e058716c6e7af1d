#include "Input/MouseManager.h"

#include "Core/GameWindow/GameWindow.h"
#include "Utilities/Assert.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>

namespace Tarn
{
	namespace
	{
		bool IsButton( int32_t button ) { return button >= 0 && button < MouseButton::Count; }
	}

	void MouseManager::Initialise()
	{
		mWindow = Services::Get<GameWindow>();
		TARN_ASSERT( mWindow );
		LOG_INFO( "Initialising mouse manager." );
		if ( !mWindow )
			return;
		mWindow->mOnFocusLost.Subscribe( this, &MouseManager::OnFocusLost );
		mWindow->mOnFocusGained.Subscribe( this, &MouseManager::OnFocusGained );
		mWindow->mOnMouseMove.Subscribe( this, &MouseManager::OnMouseMove );
		mWindow->mOnMouseDown.Subscribe( this, &MouseManager::OnMouseDown );
		mWindow->mOnMouseUp.Subscribe( this, &MouseManager::OnMouseUp );
		mWindow->mOnMouseDoubleClick.Subscribe( this, &MouseManager::OnDoubleClick );
		mWindow->mOnMouseWheel.Subscribe( this, &MouseManager::OnWheel );
		mWindow->mOnMouseLeave.Subscribe( this, &MouseManager::OnMouseLeave );
	}

	void MouseManager::Shutdown()
	{
		LOG_INFO( "Shutting down mouse manager." );
		if ( !mWindow )
			return;
		mWindow->mOnFocusLost.Unsubscribe( this, &MouseManager::OnFocusLost );
		mWindow->mOnFocusGained.Unsubscribe( this, &MouseManager::OnFocusGained );
		mWindow->mOnMouseMove.Unsubscribe( this, &MouseManager::OnMouseMove );
		mWindow->mOnMouseDown.Unsubscribe( this, &MouseManager::OnMouseDown );
		mWindow->mOnMouseUp.Unsubscribe( this, &MouseManager::OnMouseUp );
		mWindow->mOnMouseDoubleClick.Unsubscribe( this, &MouseManager::OnDoubleClick );
		mWindow->mOnMouseWheel.Unsubscribe( this, &MouseManager::OnWheel );
		mWindow->mOnMouseLeave.Unsubscribe( this, &MouseManager::OnMouseLeave );
		mWindow = nullptr;
	}

	void MouseManager::PushContext( MouseInputContext* context, bool active )
	{
		if ( context )
			mContexts.push_back( { active, context } );
	}

	void MouseManager::RemoveContext( MouseInputContext* context )
	{
		if ( !context )
			return;
		const size_t before = mContexts.size();
		std::erase_if( mContexts, [context]( const ContextEntry& entry ) { return entry.mContext == context; } );
		if ( mContexts.size() != before )
			context->mButtonsDown.fill( false );
	}

	void MouseManager::SetContextActive( MouseInputContext* context, bool active )
	{
		for ( ContextEntry& entry : mContexts )
			if ( entry.mContext == context )
				entry.mActive = active;
	}

	MouseInputContext* MouseManager::TopmostContext() const
	{
		for ( auto it = mContexts.rbegin(); it != mContexts.rend(); ++it )
			if ( it->mActive )
				return it->mContext;
		return nullptr;
	}

	void MouseManager::SetClipCursor( bool clip )
	{
		mClipCursor = clip;
		if ( mWindow && mHasFocus )
			mWindow->ClipCursor( clip );
	}

	void MouseManager::SetShowCursor( bool show )
	{
		mShowCursor = show;
		if ( mWindow && mHasFocus )
			mWindow->ShowCursor( show );
	}

	void MouseManager::SetLockToCentre( bool lock )
	{
		mLockToCentre = lock;
		if ( lock && mHasFocus )
			PlaceAtCentre();
	}

	void MouseManager::PlaceAtCentre()
	{
		if ( !mWindow )
			return;
		// The return move the system makes is swallowed, so the last position becomes
		// the centre and the next move's offset is counted from there.
		mSkipNextMove = true;
		mWindow->SetCursorPosition( mWindow->Settings().mWidth / 2, mWindow->Settings().mHeight / 2 );
	}

	void MouseManager::OnFocusLost()
	{
		if ( mClipCursor && mWindow )
			mWindow->ClipCursor( false );
		mHasFocus = false;
		if ( mWindow )
			mWindow->ShowCursor( true );
	}

	void MouseManager::OnFocusGained()
	{
		if ( mClipCursor && mWindow )
			mWindow->ClipCursor( true );
		mHasFocus = true;
		if ( mLockToCentre )
			PlaceAtCentre();
		if ( !mShowCursor && mWindow )
			mWindow->ShowCursor( false );
	}

	void MouseManager::OnMouseMove( int32_t x, int32_t y )
	{
		if ( mSkipNextMove )
		{
			mLastX = x;
			mLastY = y;
			mSkipNextMove = false;
			return;
		}
		if ( x == mLastX && y == mLastY )
			return;

		const int32_t dx = x - mLastX;
		const int32_t dy = y - mLastY;
		MouseInputContext* top = TopmostContext();
		mOnMove.Raise( x, y, dx, dy );
		if ( top )
			top->mOnMove.Raise( x, y, dx, dy );
		for ( int32_t button = 0; button < MouseButton::Count; ++button )
		{
			if ( !mButtonsDown[button] )
				continue;
			mOnDrag.Raise( x, y, dx, dy, button );
			if ( top )
				top->mOnDrag.Raise( x, y, dx, dy, button );
		}

		if ( mLockToCentre && mHasFocus )
			PlaceAtCentre();
		else
		{
			mLastX = x;
			mLastY = y;
		}
	}

	void MouseManager::OnMouseDown( int32_t x, int32_t y, int32_t button )
	{
		if ( !IsButton( button ) || mButtonsDown[button] )
			return;
		mButtonsDown[button] = true;
		mOnButtonPressed.Raise( x, y, button );
		if ( MouseInputContext* top = TopmostContext(); top && !top->mButtonsDown[button] )
		{
			top->mButtonsDown[button] = true;
			top->mOnButtonPressed.Raise( x, y, button );
		}
	}

	void MouseManager::OnMouseUp( int32_t x, int32_t y, int32_t button )
	{
		// After the pointer left with the button held the button is already released.
		if ( !IsButton( button ) || !mButtonsDown[button] )
			return;
		mButtonsDown[button] = false;
		mOnButtonReleased.Raise( x, y, button );
		if ( MouseInputContext* top = TopmostContext(); top && top->mButtonsDown[button] )
		{
			top->mButtonsDown[button] = false;
			top->mOnButtonReleased.Raise( x, y, button );
		}
	}

	void MouseManager::OnDoubleClick( int32_t x, int32_t y, int32_t button )
	{
		if ( !IsButton( button ) )
			return;
		mOnDoubleClick.Raise( x, y, button );
		if ( MouseInputContext* top = TopmostContext() )
			top->mOnDoubleClick.Raise( x, y, button );
	}

	void MouseManager::OnWheel( int32_t notches )
	{
		mOnWheel.Raise( notches );
		if ( MouseInputContext* top = TopmostContext() )
			top->mOnWheel.Raise( notches );
	}

	void MouseManager::ReleaseButton( int32_t x, int32_t y, int32_t button )
	{
		if ( mButtonsDown[button] )
		{
			mButtonsDown[button] = false;
			mOnButtonReleased.Raise( x, y, button );
		}
		for ( size_t i = 0; i < mContexts.size(); ++i )
		{
			MouseInputContext* context = mContexts[i].mContext;
			if ( context->mButtonsDown[button] )
			{
				context->mButtonsDown[button] = false;
				context->mOnButtonReleased.Raise( x, y, button );
			}
		}
	}

	void MouseManager::OnMouseLeave()
	{
		for ( int32_t button = 0; button < MouseButton::Count; ++button )
			if ( mButtonsDown[button] )
				ReleaseButton( mLastX, mLastY, button );
	}

	void MouseManager::Update( GameTime& )
	{
		for ( int32_t button = 0; button < MouseButton::Count; ++button )
		{
			if ( mButtonsDown[button] )
				mOnButtonHeld.Raise( mLastX, mLastY, button );

			MouseInputContext* top = TopmostContext();
			if ( top && top->mButtonsDown[button] )
				top->mOnButtonHeld.Raise( mLastX, mLastY, button );

			for ( size_t i = 0; i < mContexts.size(); ++i )
			{
				MouseInputContext* context = mContexts[i].mContext;
				if ( context != top && context->mButtonsDown[button] )
				{
					context->mButtonsDown[button] = false;
					context->mOnButtonReleased.Raise( mLastX, mLastY, button );
				}
			}
		}
	}
}
