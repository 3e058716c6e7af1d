#pragma once

#include "Core/GameWindow/WindowSettings.h"
#include "core/Noncopyable.h"

#include <memory>
#include <string>
#include <vector>

namespace Tarn
{
	class GameWindow;
}

union SDL_Event;

namespace Platform
{
	// The machine's side of the game window: creates it, switches display modes, places
	// and clips the cursor, and pumps the system's events into the owner's event lists.
	// Two backends: an SDL window, and a headless one that has no window but still
	// delivers whatever reaches SDL's event queue.
	class PlatformWindow : private Tarn::Noncopyable
	{
	public:
		virtual ~PlatformWindow() = default;

		// False when the window could not be made; Error() says why.
		virtual bool IsCreated() const = 0;
		const std::string& Error() const { return mError; }

		virtual void ApplySize() = 0;
		virtual void ApplyTitle() = 0;
		virtual void ApplyStyle() = 0;
		virtual void ApplyFullscreen() = 0;
		virtual void Show( bool show ) = 0;
		virtual void ShowCursor( bool show ) = 0;
		virtual void ResetCursor( bool keep ) = 0;
		// Client coordinates, each clamped into the client area.
		virtual void SetCursorPosition( int x, int y ) = 0;
		virtual void ClipCursor( bool clip ) = 0;
		// Takes every waiting event without blocking.
		virtual void PumpMessages() = 0;

		// What a render device attaches to (an SDL_Window*); null without a window.
		virtual void* NativeHandle() const = 0;
		// The client size as it really is.
		virtual void GetClientSize( int& width, int& height ) const = 0;

		bool IsCursorVisible() const { return mCursorVisible; }
		bool IsCursorClipped() const { return mClipCursor; }

	protected:
		PlatformWindow( Tarn::GameWindow& owner, Tarn::WindowSettings& settings ) : mOwner( owner ), mSettings( settings ) {}

		// Both backends read SDL's queue and turn its events into the owner's events.
		void PumpSdlQueue();
		void HandleSdlEvent( const SDL_Event& event );
		void RaiseResize( int clientWidth, int clientHeight );

		Tarn::GameWindow& mOwner;
		Tarn::WindowSettings& mSettings;
		std::string mError;
		bool mCursorVisible = true;
		bool mTracking = false; // the pointer is known to be inside the client area
		bool mClipCursor = false;
		bool mSizeApplied = false;
		int mLastClientWidth = 0; // the size the last resize event reported
		int mLastClientHeight = 0;
	};

	// The real backend, or the headless one after UseHeadlessDrivers.
	std::unique_ptr<PlatformWindow> CreatePlatformWindow( Tarn::GameWindow& owner, Tarn::WindowSettings& settings );

	// The primary display: its modes in the order the system lists them, its desktop
	// mode and the part of it not taken by panels. The headless display is fixed:
	// 1920 x 1080 at 32 bits, listing the common modes from 640 x 480 up.
	struct DisplayInfo
	{
		std::vector<Tarn::DisplayMode> mModes;
		Tarn::DisplayMode mDesktop;
		Tarn::WindowRect mUsableArea;
	};
	DisplayInfo QueryPrimaryDisplay();
}
