#include "Core/GameWindow/GameWindow.h"
#include "Platform/Display.h"
#include "Platform/PlatformWindow.h"
#include "Utilities/Log.h"

#include <SDL.h>

#include <algorithm>

namespace Platform
{
	namespace
	{
		// The real window: an SDL window with an OpenGL surface, so that the render
		// device can make its 3.3 core context on it.
		class SdlWindow : public PlatformWindow
		{
		public:
			SdlWindow( Tarn::GameWindow& owner, Tarn::WindowSettings& settings ) : PlatformWindow( owner, settings )
			{
				// Windows tells a window the pointer has left even while a button is
				// held; the input rules depend on it.
				SDL_SetHint( SDL_HINT_MOUSE_AUTO_CAPTURE, "0" );
				if ( !StartVideo( mError ) )
					return;
				mVideoStarted = true;

				SDL_GL_SetAttribute( SDL_GL_CONTEXT_MAJOR_VERSION, 3 );
				SDL_GL_SetAttribute( SDL_GL_CONTEXT_MINOR_VERSION, 3 );
				SDL_GL_SetAttribute( SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE );
				SDL_GL_SetAttribute( SDL_GL_DOUBLEBUFFER, 1 );
				// The window's pixel format is chosen here: without depth, as the device
				// draws.
				SDL_GL_SetAttribute( SDL_GL_DEPTH_SIZE, 0 );

				const Tarn::WindowRect client = WindowedRect();
				mWindow = SDL_CreateWindow( mSettings.mTitle.c_str(), client.mX, client.mY, client.mWidth, client.mHeight,
				                            SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN );
				if ( !mWindow )
				{
					mError = SDL_GetError();
					return;
				}
				ApplyStyle();
				ResetCursor( false );
				Show( true );
				ShowCursor( true );
				if ( mSettings.mFullscreen )
					ApplyFullscreen();
				else
					ApplySize();
				SDL_RaiseWindow( mWindow );
			}

			~SdlWindow() override
			{
				if ( mWindow )
					SDL_DestroyWindow( mWindow );
				if ( mCursor )
					SDL_FreeCursor( mCursor );
				if ( mVideoStarted )
					SDL_QuitSubSystem( SDL_INIT_VIDEO );
			}

			bool IsCreated() const override { return mWindow != nullptr; }
			void* NativeHandle() const override { return mWindow; }

			void GetClientSize( int& width, int& height ) const override
			{
				width = 0;
				height = 0;
				if ( mWindow )
					SDL_GetWindowSize( mWindow, &width, &height );
			}

			void ApplySize() override
			{
				if ( !mWindow )
					return;
				int width = mSettings.mResolutionWidth;
				int height = mSettings.mResolutionHeight;
				if ( mSettings.mFullscreen )
					SDL_SetWindowSize( mWindow, width, height );
				else
				{
					const Tarn::WindowRect client = WindowedRect();
					width = client.mWidth;
					height = client.mHeight;
					SDL_SetWindowSize( mWindow, width, height );
					SDL_SetWindowPosition( mWindow, client.mX, client.mY );
				}
				mSizeApplied = true;
				RaiseResize( width, height );
				SDL_RaiseWindow( mWindow );
			}

			void ApplyTitle() override
			{
				if ( mWindow )
					SDL_SetWindowTitle( mWindow, mSettings.mTitle.c_str() );
			}

			// A caption and a fixed frame; system menu and minimise box are the window
			// manager's to give.
			void ApplyStyle() override
			{
				if ( !mWindow )
					return;
				SDL_SetWindowBordered( mWindow, SDL_TRUE );
				SDL_SetWindowResizable( mWindow, SDL_FALSE );
			}

			void ApplyFullscreen() override
			{
				if ( !mWindow )
					return;
				if ( mSettings.mFullscreen )
				{
					SDL_DisplayMode mode;
					if ( !FindMode( mode ) )
					{
						mOwner.mOnFullscreenFailed.Raise( true );
						LOG_ERROR( "Failed to change display mode for fullscreen." );
						return;
					}
					// SDL asks the window manager for the full-screen state and then reports
					// the screen's size whether or not it was granted; with no window manager
					// (a bare X server) the window would stay as it was while the game draws
					// for the whole screen. Covering the display first makes the size true
					// either way; a window manager then only adds its full-screen state.
					CoverDisplay( mode );
					if ( SDL_SetWindowDisplayMode( mWindow, &mode ) != 0 ||
					     SDL_SetWindowFullscreen( mWindow, SDL_WINDOW_FULLSCREEN ) != 0 )
					{
						mOwner.mOnFullscreenFailed.Raise( true );
						LOG_ERROR( "Failed to change display mode for fullscreen." );
						ApplyStyle();
						ApplySize();
						return;
					}
				}
				else
				{
					SDL_SetWindowFullscreen( mWindow, 0 );
					ApplyStyle();
				}
				ApplySize();
				Show( true );
			}

			void Show( bool show ) override
			{
				if ( !mWindow )
					return;
				if ( show )
					SDL_ShowWindow( mWindow );
				else
					SDL_HideWindow( mWindow );
			}

			void ShowCursor( bool show ) override
			{
				mCursorVisible = show;
				if ( show && mCursor )
					SDL_SetCursor( mCursor );
				SDL_ShowCursor( show ? SDL_ENABLE : SDL_DISABLE );
			}

			void ResetCursor( bool keep ) override
			{
				if ( !keep || !mCursor )
				{
					if ( mCursor )
						SDL_FreeCursor( mCursor );
					mCursor = SDL_CreateSystemCursor( SDL_SYSTEM_CURSOR_ARROW );
				}
				if ( mCursorVisible && mCursor )
					SDL_SetCursor( mCursor );
			}

			void SetCursorPosition( int x, int y ) override
			{
				if ( !mWindow )
					return;
				int width = 0;
				int height = 0;
				SDL_GetWindowSize( mWindow, &width, &height );
				x = std::clamp( x, 0, std::max( 0, width - 1 ) );
				y = std::clamp( y, 0, std::max( 0, height - 1 ) );
				SDL_WarpMouseInWindow( mWindow, x, y );
			}

			void ClipCursor( bool clip ) override
			{
				mClipCursor = clip;
				if ( mWindow )
					SDL_SetWindowMouseGrab( mWindow, clip ? SDL_TRUE : SDL_FALSE );
			}

			void PumpMessages() override { PumpSdlQueue(); }

		private:
			Tarn::WindowRect WindowedRect() const
			{
				const DisplayInfo display = QueryPrimaryDisplay();
				Tarn::WindowBorders borders;
				if ( mWindow )
					SDL_GetWindowBordersSize( mWindow, &borders.mTop, &borders.mLeft, &borders.mBottom, &borders.mRight );
				return Tarn::FitClientRect( display.mUsableArea, borders, mSettings.mWidth, mSettings.mHeight,
				                            mSettings.mResolutionWidth, mSettings.mResolutionHeight );
			}

			// The display mode of the resolution: the same bits per pixel where there is
			// one, else the deepest the display has at that size.
			bool FindMode( SDL_DisplayMode& found ) const
			{
				const int display = std::max( 0, SDL_GetWindowDisplayIndex( mWindow ) );
				bool any = false;
				const int count = SDL_GetNumDisplayModes( display );
				for ( int i = 0; i < count; ++i )
				{
					SDL_DisplayMode mode;
					if ( SDL_GetDisplayMode( display, i, &mode ) != 0 || mode.w != mSettings.mResolutionWidth ||
					     mode.h != mSettings.mResolutionHeight )
						continue;
					if ( SDL_BITSPERPIXEL( mode.format ) == mSettings.mBitsPerPixel )
					{
						found = mode;
						return true;
					}
					if ( !any || SDL_BITSPERPIXEL( mode.format ) > SDL_BITSPERPIXEL( found.format ) )
						found = mode;
					any = true;
				}
				return any;
			}

			// A borderless window over the whole display the window is on, at the mode's size.
			void CoverDisplay( const SDL_DisplayMode& mode )
			{
				SDL_Rect bounds{};
				SDL_GetDisplayBounds( std::max( 0, SDL_GetWindowDisplayIndex( mWindow ) ), &bounds );
				SDL_SetWindowBordered( mWindow, SDL_FALSE );
				SDL_SetWindowPosition( mWindow, bounds.x, bounds.y );
				SDL_SetWindowSize( mWindow, mode.w, mode.h );
			}

			SDL_Window* mWindow = nullptr;
			SDL_Cursor* mCursor = nullptr;
			bool mVideoStarted = false;
		};
	}

	std::unique_ptr<PlatformWindow> CreateSdlWindow( Tarn::GameWindow& owner, Tarn::WindowSettings& settings )
	{
		return std::make_unique<SdlWindow>( owner, settings );
	}
}
