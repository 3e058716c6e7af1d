#pragma once

#include "Core/GameComponent.h"
#include "Input/KeyCodes.h"
#include "core/Event.h"
#include "core/HashedName.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Tarn
{
	class GameWindow;

	// The mouse as one part of the program sees it; the same rules as the keyboard's
	// contexts.
	class MouseInputContext
	{
	public:
		bool IsButtonDown( int32_t button ) const { return button >= 0 && button < MouseButton::Count && mButtonsDown[button]; }

		std::array<bool, MouseButton::Count> mButtonsDown{};
		Event<int32_t, int32_t, int32_t> mOnButtonHeld; // x, y, button
		Event<int32_t, int32_t, int32_t> mOnButtonReleased;
		Event<int32_t, int32_t, int32_t> mOnButtonPressed;
		Event<int32_t, int32_t, int32_t> mOnDoubleClick;
		Event<int32_t> mOnWheel;                          // notches
		Event<int32_t, int32_t, int32_t, int32_t> mOnMove; // x, y, dx, dy
		Event<int32_t, int32_t, int32_t, int32_t, int32_t> mOnDrag; // x, y, dx, dy, button
	};

	// Buttons and pointer from the window's events: pressed, released, held once per
	// update, double clicks, the wheel, moves with their offset and drags per held
	// button. Can lock the pointer to the window centre and clip it to the window.
	class MouseManager : public GameComponent
	{
		TARN_CLASS_NAME( MouseManager )

	public:
		explicit MouseManager( Game* game ) : GameComponent( game ) {}

		void Update( GameTime& gameTime ) override;
		void Initialise() override;
		void Shutdown() override;

		void PushContext( MouseInputContext* context, bool active = true );
		void RemoveContext( MouseInputContext* context );
		void SetContextActive( MouseInputContext* context, bool active );
		MouseInputContext* TopmostContext() const;

		bool IsButtonDown( int32_t button ) const { return button >= 0 && button < MouseButton::Count && mButtonsDown[button]; }
		int32_t GetX() const { return mLastX; }
		int32_t GetY() const { return mLastY; }

		// Each takes effect at once while the window has focus.
		void SetClipCursor( bool clip );
		void SetShowCursor( bool show );
		// Every move then reports its offset from the window centre and the pointer goes
		// back there.
		void SetLockToCentre( bool lock );
		bool GetClipCursor() const { return mClipCursor; }
		bool GetShowCursor() const { return mShowCursor; }
		bool GetLockToCentre() const { return mLockToCentre; }
		bool HasFocus() const { return mHasFocus; }

		// The window's events.
		void OnFocusLost();
		void OnFocusGained();
		void OnMouseMove( int32_t x, int32_t y );
		void OnMouseDown( int32_t x, int32_t y, int32_t button );
		void OnMouseUp( int32_t x, int32_t y, int32_t button );
		void OnDoubleClick( int32_t x, int32_t y, int32_t button );
		void OnWheel( int32_t notches );
		void OnMouseLeave();

		Event<int32_t, int32_t, int32_t> mOnButtonHeld; // x, y, button
		Event<int32_t, int32_t, int32_t> mOnButtonReleased;
		Event<int32_t, int32_t, int32_t> mOnButtonPressed;
		Event<int32_t, int32_t, int32_t> mOnDoubleClick;
		Event<int32_t> mOnWheel;
		Event<int32_t, int32_t, int32_t, int32_t> mOnMove;
		Event<int32_t, int32_t, int32_t, int32_t, int32_t> mOnDrag;

	private:
		struct ContextEntry
		{
			bool mActive = true;
			MouseInputContext* mContext = nullptr;
		};

		void PlaceAtCentre();
		void ReleaseButton( int32_t x, int32_t y, int32_t button );

		std::vector<ContextEntry> mContexts;
		std::array<bool, MouseButton::Count> mButtonsDown{};
		int32_t mLastX = 0;
		int32_t mLastY = 0;
		GameWindow* mWindow = nullptr;
		bool mClipCursor = false;
		bool mShowCursor = true;
		bool mLockToCentre = false;
		bool mHasFocus = true;
		bool mSkipNextMove = false;
	};
}
