#include "Platform/PlatformWindow.h"

#include "Core/GameWindow/GameWindow.h"
#include "Input/KeyCodes.h"
#include "Platform/Display.h"
#include "Platform/KeyTranslation.h"

#include <SDL.h>

#include <cstdlib>

namespace Platform
{
	std::unique_ptr<PlatformWindow> CreateSdlWindow( Tarn::GameWindow& owner, Tarn::WindowSettings& settings );
	std::unique_ptr<PlatformWindow> CreateHeadlessWindow( Tarn::GameWindow& owner, Tarn::WindowSettings& settings );

	namespace
	{
		int32_t ButtonNumber( uint8_t sdlButton )
		{
			switch ( sdlButton )
			{
			case SDL_BUTTON_LEFT: return Tarn::MouseButton::Left;
			case SDL_BUTTON_RIGHT: return Tarn::MouseButton::Right;
			case SDL_BUTTON_MIDDLE: return Tarn::MouseButton::Middle;
			default: return 0;
			}
		}

		// The characters Windows sends for keys that type no text on X11 or Wayland.
		uint32_t ControlCharacter( uint32_t key )
		{
			switch ( key )
			{
			case Tarn::Key::Backspace: return 8;
			case Tarn::Key::Tab: return 9;
			case Tarn::Key::Enter: return 13;
			case Tarn::Key::Escape: return 27;
			default: return 0;
			}
		}

		// Code points of UTF-8 text; a broken sequence gives U+FFFD and the decoding goes on.
		template <typename Emit>
		void DecodeUtf8( const char* text, Emit emit )
		{
			const auto* p = reinterpret_cast<const unsigned char*>( text );
			while ( *p )
			{
				uint32_t code = *p;
				int extra = 0;
				if ( code >= 0xF0 && code < 0xF8 )
				{
					code &= 0x07;
					extra = 3;
				}
				else if ( code >= 0xE0 )
				{
					code &= 0x0F;
					extra = 2;
				}
				else if ( code >= 0xC0 )
				{
					code &= 0x1F;
					extra = 1;
				}
				else if ( code >= 0x80 )
				{
					emit( 0xFFFDu );
					++p;
					continue;
				}
				++p;
				bool broken = false;
				for ( int i = 0; i < extra; ++i, ++p )
				{
					if ( ( *p & 0xC0 ) != 0x80 )
					{
						broken = true;
						break;
					}
					code = ( code << 6 ) | ( *p & 0x3F );
				}
				emit( broken ? 0xFFFDu : code );
			}
		}
	}

	namespace
	{
		// What the player does, as opposed to what happens to the window (closing,
		// sizing, moving).
		bool IsPlayerInput( const SDL_Event& event )
		{
			switch ( event.type )
			{
			case SDL_KEYDOWN:
			case SDL_KEYUP:
			case SDL_TEXTINPUT:
			case SDL_MOUSEMOTION:
			case SDL_MOUSEBUTTONDOWN:
			case SDL_MOUSEBUTTONUP:
			case SDL_MOUSEWHEEL: return true;
			case SDL_WINDOWEVENT:
				return event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED || event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
				       event.window.event == SDL_WINDOWEVENT_ENTER || event.window.event == SDL_WINDOWEVENT_LEAVE;
			default: return false;
			}
		}

		// Quitting one subsystem leaves what SDL shares between them (its D-Bus
		// connection among them) open; the whole of SDL goes at process exit.
		void QuitSdlAtExit()
		{
			static const bool registered = std::atexit( SDL_Quit ) == 0;
			(void)registered;
		}
	}

	std::unique_ptr<PlatformWindow> CreatePlatformWindow( Tarn::GameWindow& owner, Tarn::WindowSettings& settings )
	{
		QuitSdlAtExit();
		if ( IsHeadless() )
			return CreateHeadlessWindow( owner, settings );
		return CreateSdlWindow( owner, settings );
	}

	DisplayInfo QueryPrimaryDisplay()
	{
		DisplayInfo info;
		if ( IsHeadless() )
		{
			const int sizes[][2] = { { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 1280, 720 }, { 1280, 1024 },
			                         { 1366, 768 }, { 1600, 900 }, { 1920, 1080 } };
			for ( const auto& size : sizes )
				info.mModes.push_back( { size[0], size[1], 32 } );
			info.mDesktop = { 1920, 1080, 32 };
			info.mUsableArea = { 0, 0, 1920, 1080 };
			return info;
		}

		QuitSdlAtExit();
		std::string error;
		if ( !StartVideo( error ) )
			return info;
		const int count = SDL_GetNumDisplayModes( 0 );
		for ( int i = 0; i < count; ++i )
		{
			SDL_DisplayMode mode;
			if ( SDL_GetDisplayMode( 0, i, &mode ) == 0 )
				info.mModes.push_back( { mode.w, mode.h, static_cast<uint16_t>( SDL_BITSPERPIXEL( mode.format ) ) } );
		}
		SDL_DisplayMode desktop;
		if ( SDL_GetDesktopDisplayMode( 0, &desktop ) == 0 )
			info.mDesktop = { desktop.w, desktop.h, static_cast<uint16_t>( SDL_BITSPERPIXEL( desktop.format ) ) };
		SDL_Rect usable;
		if ( SDL_GetDisplayUsableBounds( 0, &usable ) == 0 )
			info.mUsableArea = { usable.x, usable.y, usable.w, usable.h };
		else
			info.mUsableArea = { 0, 0, info.mDesktop.mWidth, info.mDesktop.mHeight };
		SDL_QuitSubSystem( SDL_INIT_VIDEO );
		return info;
	}

	void PlatformWindow::RaiseResize( int clientWidth, int clientHeight )
	{
		mLastClientWidth = clientWidth;
		mLastClientHeight = clientHeight;
		mSettings.mAspect = clientHeight > 0 ? static_cast<float>( clientWidth ) / static_cast<float>( clientHeight ) : 0.0f;
		mOwner.mOnResize.Raise( mSettings.mResolutionWidth, mSettings.mResolutionHeight, clientWidth, clientHeight,
		                        mSettings.mBitsPerPixel, mSettings.mAspect );
	}

	void PlatformWindow::PumpSdlQueue()
	{
		SDL_Event event;
		while ( SDL_PollEvent( &event ) )
			HandleSdlEvent( event );
	}

	void PlatformWindow::HandleSdlEvent( const SDL_Event& event )
	{
		// A replay gives the same run on any machine only when nothing but the script
		// steers it: a pointer resting over the window, the cursor warped to its centre
		// or the focus a window manager gives would otherwise join in at whatever step
		// they happen to arrive.
		if ( mOwner.IsReplaying() && IsPlayerInput( event ) )
			return;
		switch ( event.type )
		{
		case SDL_WINDOWEVENT:
			switch ( event.window.event )
			{
			case SDL_WINDOWEVENT_FOCUS_GAINED: mOwner.mOnFocusGained.Raise(); break;
			case SDL_WINDOWEVENT_FOCUS_LOST: mOwner.mOnFocusLost.Raise(); break;
			// The window stays open: the game decides what a click on the close box means.
			case SDL_WINDOWEVENT_CLOSE: mOwner.mOnClose.Raise(); break;
			case SDL_WINDOWEVENT_LEAVE:
				if ( mTracking )
				{
					mTracking = false;
					mOwner.mOnMouseLeave.Raise();
				}
				break;
			// A window manager may size the window itself (a tiling one does); whoever
			// draws into it must know the size it really has.
			case SDL_WINDOWEVENT_SIZE_CHANGED:
				if ( event.window.data1 != mLastClientWidth || event.window.data2 != mLastClientHeight )
					RaiseResize( event.window.data1, event.window.data2 );
				break;
			case SDL_WINDOWEVENT_MOVED:
				if ( mSizeApplied )
				{
					mSizeApplied = false;
					// A clip rectangle stays where the window was; set it again where it is.
					if ( mClipCursor )
					{
						ClipCursor( false );
						ClipCursor( true );
					}
				}
				break;
			default: break;
			}
			break;
		case SDL_KEYDOWN:
			if ( const uint32_t key = TranslateSdlKey( event.key.keysym.scancode, event.key.keysym.sym ) )
			{
				mOwner.mOnKeyDown.Raise( key );
				if ( const uint32_t character = ControlCharacter( key ) )
					mOwner.mOnChar.Raise( character );
			}
			break;
		case SDL_KEYUP:
			if ( const uint32_t key = TranslateSdlKey( event.key.keysym.scancode, event.key.keysym.sym ) )
				mOwner.mOnKeyUp.Raise( key );
			break;
		case SDL_TEXTINPUT:
			// Control characters come with their key (ControlCharacter), never twice.
			DecodeUtf8( event.text.text, [this]( uint32_t code ) {
				if ( code >= 32 && code != 127 )
					mOwner.mOnChar.Raise( code );
			} );
			break;
		case SDL_MOUSEMOTION:
			if ( !mTracking )
			{
				mTracking = true;
				mOwner.mOnMouseEnter.Raise();
			}
			mOwner.mOnMouseMove.Raise( event.motion.x, event.motion.y );
			break;
		case SDL_MOUSEBUTTONDOWN:
			if ( const int32_t button = ButtonNumber( event.button.button ) )
			{
				// Windows turns the second press of a double click into the double
				// click itself; a third press is a plain one again.
				if ( event.button.clicks >= 2 && event.button.clicks % 2 == 0 )
					mOwner.mOnMouseDoubleClick.Raise( event.button.x, event.button.y, button );
				else
					mOwner.mOnMouseDown.Raise( event.button.x, event.button.y, button );
			}
			break;
		case SDL_MOUSEBUTTONUP:
			if ( const int32_t button = ButtonNumber( event.button.button ) )
				mOwner.mOnMouseUp.Raise( event.button.x, event.button.y, button );
			break;
		case SDL_MOUSEWHEEL:
		{
			int32_t notches = event.wheel.y;
			if ( event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED )
				notches = -notches;
			if ( notches != 0 )
				mOwner.mOnMouseWheel.Raise( notches );
			break;
		}
		default: break;
		}
	}
}

#if defined( __SANITIZE_ADDRESS__ )
// libdbus keeps the session-bus address it finds through X11 in a buffer that no call
// frees, not even SDL_Quit; it is the library's, not a leak of the game's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
// Nor is the list of suppressions it used worth a report on stderr at every exit.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

#include <dlfcn.h>

namespace
{
	// Mesa's software driver keeps a little memory (its shader compiler's) to the end of
	// the process; once SDL unloads the driver, the leak checker sees that memory with
	// no owner and no name. Kept loaded, the memory stays reachable and the checker
	// stays meaningful for the game's own.
	[[maybe_unused]] const bool sGlDriversKept = []() {
		for ( const char* library : { "libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so" } )
			dlopen( library, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE );
		return true;
	}();
}
#endif
