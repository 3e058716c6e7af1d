#include "Core/GameWindow/GameWindow.h"

#include "Core/GameWindow/Game.h"
#include "Platform/PlatformWindow.h"
#include "Utilities/Assert.h"
#include "Utilities/Log.h"

#include <limits>

namespace Tarn
{
	namespace
	{
		bool sFullscreenRequested = false;
	}

	GameWindow::GameWindow( Game* game ) : GameComponent( game )
	{
		mUpdateOrder = std::numeric_limits<int32_t>::min();
	}

	GameWindow::~GameWindow() = default;

	void GameWindow::SetFullscreenRequested( bool requested ) { sFullscreenRequested = requested; }
	bool GameWindow::IsFullscreenRequested() { return sFullscreenRequested; }

	void GameWindow::Initialise()
	{
		const Platform::DisplayInfo display = Platform::QueryPrimaryDisplay();
		mDisplayModes = FilterDisplayModes( display.mModes );
		mDesktopWidth = display.mDesktop.mWidth;
		mDesktopHeight = display.mDesktop.mHeight;
		mDesktopBitsPerPixel = display.mDesktop.mBitsPerPixel;

		TARN_ASSERT_MSG( mPlatformWindow == NULL, "Window has already been created!" );
		if ( mPlatformWindow )
			return;

		// A display that could not be asked has no desktop size to fall back to; the
		// window then reports its own failure.
		const bool desktopKnown = mDesktopWidth > 0 && mDesktopHeight > 0;
		if ( desktopKnown && !ListsResolution( mDisplayModes, mSettings.mResolutionWidth, mSettings.mResolutionHeight ) )
		{
			mSettings.mResolutionWidth = mDesktopWidth;
			mSettings.mResolutionHeight = mDesktopHeight;
			mSettings.mBitsPerPixel = mDesktopBitsPerPixel;
			if ( sFullscreenRequested )
				mSettings.mFullscreen = true;
		}
		if ( mSettings.mTitle.empty() && mGame )
			mSettings.mTitle = mGame->GetName();

		// Before the window exists, so that the focus it gains on opening is recorded too.
		if ( mRecorder.IsOpen() )
			mRecorder.Attach( *this, mGame );
		mPlatformWindow = Platform::CreatePlatformWindow( *this, mSettings );
		if ( !mPlatformWindow->IsCreated() )
		{
			// Nothing can be shown or played without a window: say why and end the run,
			// which the game reports with a failing exit code.
			LOG_ERROR( "Failed to create the window: " << mPlatformWindow->Error() );
			mFailed = true;
			if ( mGame )
				mGame->Exit();
			return;
		}

		int width = 0;
		int height = 0;
		mPlatformWindow->GetClientSize( width, height );
		LOG_INFO( "Window created: " << width << " x " << height
		                             << ( mSettings.mFullscreen ? " full screen" : " windowed" ) );
		mOnCreated.Raise();
	}

	void GameWindow::ClientSize( int& width, int& height ) const
	{
		if ( mPlatformWindow )
			mPlatformWindow->GetClientSize( width, height );
		else
		{
			width = mSettings.mWidth;
			height = mSettings.mHeight;
		}
	}

	void GameWindow::Shutdown()
	{
		TARN_ASSERT( mPlatformWindow );
		if ( !mPlatformWindow )
			return;
		if ( const size_t left = mScript.Remaining(); left > 0 )
			LOG_WARNING( "The input script has " << left << " event(s) after the last step run; they were not delivered." );
		mRecorder.Detach();
		mRecorder.Close();
		mOnDestroying.Raise();
		mPlatformWindow.reset();
	}

	void GameWindow::Update( GameTime& )
	{
		TARN_ASSERT( mPlatformWindow );
		if ( !mPlatformWindow )
			return;
		// The window stands twice in the update table; the script hands out each
		// step's events once, at the first of the two.
		const uint64_t step = ( mGame ? mGame->GetStepCount() : 0 ) + 1;
		mScript.DeliverUpTo( step, *this );
		mPlatformWindow->PumpMessages();
	}

	void GameWindow::SetFullscreen( bool fullscreen )
	{
		if ( fullscreen == mSettings.mFullscreen )
			return;
		mSettings.mFullscreen = fullscreen;
		if ( !mPlatformWindow || !mPlatformWindow->IsCreated() )
			return;
		mSettings.mResolutionWidth = mDesktopWidth;
		mSettings.mResolutionHeight = mDesktopHeight;
		mSettings.mBitsPerPixel = mDesktopBitsPerPixel;
		mPlatformWindow->ApplyFullscreen();
	}

	void GameWindow::ShowCursor( bool show )
	{
		if ( mPlatformWindow )
			mPlatformWindow->ShowCursor( show );
	}

	void GameWindow::ResetCursor( bool keep )
	{
		if ( mPlatformWindow )
			mPlatformWindow->ResetCursor( keep );
	}

	void GameWindow::SetCursorPosition( int x, int y )
	{
		if ( mPlatformWindow )
			mPlatformWindow->SetCursorPosition( x, y );
	}

	void GameWindow::ClipCursor( bool clip )
	{
		if ( mPlatformWindow )
			mPlatformWindow->ClipCursor( clip );
	}

	void* GameWindow::NativeHandle() const { return mPlatformWindow ? mPlatformWindow->NativeHandle() : nullptr; }
}
