#include "Core/GameWindow/GameWindow.h"
#include "Platform/PlatformWindow.h"
#include "Utilities/Log.h"

#include <SDL.h>

#include <algorithm>

namespace Platform
{
	namespace
	{
		// No window and no screen, on the fixed headless display. Whatever reaches SDL's
		// event queue (the tests push real SDL events) is delivered as the real window
		// would deliver it, and placing the cursor produces the move a real pointer makes.
		class HeadlessWindow : public PlatformWindow
		{
		public:
			HeadlessWindow( Tarn::GameWindow& owner, Tarn::WindowSettings& settings ) : PlatformWindow( owner, settings )
			{
				mEventsStarted = SDL_InitSubSystem( SDL_INIT_EVENTS ) == 0;
				if ( mSettings.mFullscreen )
					ApplyFullscreen();
				else
					ApplySize();
			}

			~HeadlessWindow() override
			{
				if ( mEventsStarted )
					SDL_QuitSubSystem( SDL_INIT_EVENTS );
			}

			bool IsCreated() const override { return true; }
			void* NativeHandle() const override { return nullptr; }

			void GetClientSize( int& width, int& height ) const override
			{
				width = mClient.mWidth;
				height = mClient.mHeight;
			}

			void ApplySize() override
			{
				if ( mSettings.mFullscreen )
					mClient = { 0, 0, mSettings.mResolutionWidth, mSettings.mResolutionHeight };
				else
					mClient = Tarn::FitClientRect( QueryPrimaryDisplay().mUsableArea, Tarn::WindowBorders(),
					                               mSettings.mWidth, mSettings.mHeight, mSettings.mResolutionWidth,
					                               mSettings.mResolutionHeight );
				mSizeApplied = true;
				RaiseResize( mClient.mWidth, mClient.mHeight );
			}

			void ApplyTitle() override {}
			void ApplyStyle() override {}

			void ApplyFullscreen() override
			{
				if ( mSettings.mFullscreen &&
				     !Tarn::ListsResolution( QueryPrimaryDisplay().mModes, mSettings.mResolutionWidth,
				                             mSettings.mResolutionHeight ) )
				{
					mOwner.mOnFullscreenFailed.Raise( true );
					LOG_ERROR( "Failed to change display mode for fullscreen." );
					return;
				}
				ApplySize();
			}

			void Show( bool ) override {}
			void ShowCursor( bool show ) override { mCursorVisible = show; }
			void ResetCursor( bool ) override {}

			void SetCursorPosition( int x, int y ) override
			{
				x = std::clamp( x, 0, std::max( 0, mClient.mWidth - 1 ) );
				y = std::clamp( y, 0, std::max( 0, mClient.mHeight - 1 ) );
				if ( !mEventsStarted )
					return;
				SDL_Event event{};
				event.type = SDL_MOUSEMOTION;
				event.motion.x = x;
				event.motion.y = y;
				SDL_PushEvent( &event );
			}

			void ClipCursor( bool clip ) override { mClipCursor = clip; }

			void PumpMessages() override
			{
				if ( mEventsStarted )
					PumpSdlQueue();
			}

		private:
			Tarn::WindowRect mClient;
			bool mEventsStarted = false;
		};
	}

	std::unique_ptr<PlatformWindow> CreateHeadlessWindow( Tarn::GameWindow& owner, Tarn::WindowSettings& settings )
	{
		return std::make_unique<HeadlessWindow>( owner, settings );
	}
}
