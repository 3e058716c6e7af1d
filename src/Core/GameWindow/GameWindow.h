#pragma once

#include "Core/GameComponent.h"
#include "Core/GameWindow/WindowSettings.h"
#include "Input/InputRecorder.h"
#include "Input/InputScript.h"
#include "core/Event.h"
#include "core/HashedName.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Platform
{
	class PlatformWindow;
}

namespace Tarn
{
	// The one application window: its settings, the primary display's modes, and the
	// event lists through which input, graphics and the game hear of keys, the mouse,
	// focus, size and the close box. Its update order is the lowest there is, so the
	// events of a step arrive before anything else runs in it.
	class GameWindow : public GameComponent
	{
		TARN_CLASS_NAME( GameWindow )

	public:
		explicit GameWindow( Game* game );
		~GameWindow() override;

		// Delivers the scripted events of the step that is starting, then pumps the
		// system's events.
		void Update( GameTime& gameTime ) override;
		void Initialise() override;
		void Shutdown() override;

		void SetFullscreen( bool fullscreen );

		// The process-wide request for full screen (--fullscreen): honoured when the
		// configured resolution is not a mode of the display and the desktop's is used.
		static void SetFullscreenRequested( bool requested );
		static bool IsFullscreenRequested();

		// Cursor operations of the platform window; nothing happens before it exists.
		void ShowCursor( bool show );
		void ResetCursor( bool keep );
		void SetCursorPosition( int x, int y );
		void ClipCursor( bool clip );

		// Events replayed through the event lists, step by step (--input).
		void SetInputScript( InputScript script ) { mScript = std::move( script ); }
		const InputScript& GetInputScript() const { return mScript; }
		// A script still has events to play: the run is the script's, and the real
		// keyboard, pointer and focus are not listened to until it ends.
		bool IsReplaying() const { return mScript.Remaining() > 0; }
		// Writes every event the event lists raise from Initialise to Shutdown (--record);
		// listens only when opened before Initialise.
		InputRecorder& Recorder() { return mRecorder; }

		WindowSettings& Settings() { return mSettings; }
		const WindowSettings& Settings() const { return mSettings; }
		const std::vector<DisplayMode>& DisplayModes() const { return mDisplayModes; }
		int32_t DesktopWidth() const { return mDesktopWidth; }
		int32_t DesktopHeight() const { return mDesktopHeight; }
		uint16_t DesktopBitsPerPixel() const { return mDesktopBitsPerPixel; }

		Platform::PlatformWindow* GetPlatformWindow() const { return mPlatformWindow.get(); }
		// The client area in pixels: the window's own once it exists, the configured size
		// before then.
		void ClientSize( int& width, int& height ) const;
		// The SDL window a render device attaches to; null when headless or not created.
		void* NativeHandle() const;
		// True when Initialise could not make the window; the game then ends with an error.
		bool HasFailed() const { return mFailed; }

		Event<int32_t, int32_t, int32_t, int32_t, uint16_t, float> mOnResize; // resolution, client size, bits, aspect
		Event<> mOnCreated;
		Event<> mOnDestroying;
		Event<> mOnClose;
		Event<> mOnFocusLost;
		Event<> mOnFocusGained;
		Event<bool> mOnFullscreenFailed;
		Event<uint32_t> mOnKeyDown;
		Event<uint32_t> mOnKeyUp;
		Event<uint32_t> mOnChar;
		Event<int32_t, int32_t> mOnMouseMove;
		Event<int32_t, int32_t, int32_t> mOnMouseDoubleClick; // x, y, button
		Event<int32_t, int32_t, int32_t> mOnMouseDown;
		Event<int32_t, int32_t, int32_t> mOnMouseUp;
		Event<int32_t> mOnMouseWheel; // notches, positive away from the user
		Event<> mOnMouseEnter;
		Event<> mOnMouseLeave;

	private:
		std::unique_ptr<Platform::PlatformWindow> mPlatformWindow;
		WindowSettings mSettings;
		std::string mClassName = "WINDOW";
		std::vector<DisplayMode> mDisplayModes;
		int32_t mDesktopWidth = 0;
		int32_t mDesktopHeight = 0;
		uint16_t mDesktopBitsPerPixel = 0;
		InputScript mScript;
		InputRecorder mRecorder;
		bool mFailed = false;
	};
}
