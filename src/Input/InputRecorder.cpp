#include "Input/InputRecorder.h"

#include "Core/GameWindow/Game.h"
#include "Core/GameWindow/GameWindow.h"
#include "Utilities/Log.h"

#include <cerrno>
#include <cstring>

namespace Tarn
{
	namespace
	{
		using Kind = ScriptedEvent::Kind;

		ScriptedEvent Make( Kind kind, int32_t x = 0, int32_t y = 0, uint32_t value = 0 )
		{
			ScriptedEvent event;
			event.mKind = kind;
			event.mX = x;
			event.mY = y;
			event.mValue = value;
			return event;
		}
	}

	template <typename Visit>
	void InputRecorder::ForEachList( GameWindow& window, Visit&& visit )
	{
		visit( window.mOnKeyDown, &InputRecorder::OnKeyDown );
		visit( window.mOnKeyUp, &InputRecorder::OnKeyUp );
		visit( window.mOnChar, &InputRecorder::OnChar );
		visit( window.mOnMouseMove, &InputRecorder::OnMouseMove );
		visit( window.mOnMouseDown, &InputRecorder::OnMouseDown );
		visit( window.mOnMouseUp, &InputRecorder::OnMouseUp );
		visit( window.mOnMouseDoubleClick, &InputRecorder::OnDoubleClick );
		visit( window.mOnMouseWheel, &InputRecorder::OnWheel );
		visit( window.mOnMouseLeave, &InputRecorder::OnMouseLeave );
		visit( window.mOnFocusLost, &InputRecorder::OnFocusLost );
		visit( window.mOnFocusGained, &InputRecorder::OnFocusGained );
		visit( window.mOnClose, &InputRecorder::OnClose );
	}

	InputRecorder::~InputRecorder()
	{
		Detach();
		Close();
	}

	bool InputRecorder::Open( const std::string& path, const std::vector<std::string>& header, std::string& error )
	{
		Close();
		mFile = std::fopen( path.c_str(), "wb" );
		if ( !mFile )
		{
			error = "cannot write the recording '" + path + "': " + std::strerror( errno );
			return false;
		}
		mPath = path;
		for ( const std::string& line : header )
			std::fprintf( mFile, "# %s\n", line.c_str() );
		std::fflush( mFile );
		return true;
	}

	void InputRecorder::Attach( GameWindow& window, const Game* game )
	{
		Detach();
		mWindow = &window;
		mGame = game;
		ForEachList( window, [this]( auto& list, auto handler ) { list.Subscribe( this, handler ); } );
	}

	void InputRecorder::Detach()
	{
		if ( !mWindow )
			return;
		ForEachList( *mWindow, [this]( auto& list, auto handler ) { list.Unsubscribe( this, handler ); } );
		mWindow = nullptr;
		mGame = nullptr;
	}

	void InputRecorder::Close()
	{
		if ( !mFile )
			return;
		std::fclose( mFile );
		mFile = nullptr;
		if ( mUnwritable > 0 )
			LOG_WARNING( "The recording " << mPath << " left out " << mUnwritable
			                              << " event(s) that scripts cannot name (keys without a name, mouse buttons above 3)." );
		LOG_INFO( "Recorded " << mRecorded << " window event(s) into " << mPath << "." );
	}

	void InputRecorder::Record( ScriptedEvent event )
	{
		if ( !mFile )
			return;
		// The window raises a step's events before the step runs, as a script delivers them.
		event.mStep = ( mGame ? mGame->GetStepCount() : 0 ) + 1;
		const std::string line = InputScript::Format( event );
		if ( line.empty() )
		{
			++mUnwritable;
			return;
		}
		std::fputs( line.c_str(), mFile );
		std::fputc( '\n', mFile );
		std::fflush( mFile );
		++mRecorded;
	}

	void InputRecorder::OnKeyDown( uint32_t key ) { Record( Make( Kind::KeyDown, 0, 0, key ) ); }
	void InputRecorder::OnKeyUp( uint32_t key ) { Record( Make( Kind::KeyUp, 0, 0, key ) ); }
	void InputRecorder::OnChar( uint32_t code ) { Record( Make( Kind::Char, 0, 0, code ) ); }
	void InputRecorder::OnMouseMove( int32_t x, int32_t y ) { Record( Make( Kind::MouseMove, x, y ) ); }
	void InputRecorder::OnMouseDown( int32_t x, int32_t y, int32_t button )
	{
		Record( Make( Kind::MouseDown, x, y, static_cast<uint32_t>( button ) ) );
	}
	void InputRecorder::OnMouseUp( int32_t x, int32_t y, int32_t button )
	{
		Record( Make( Kind::MouseUp, x, y, static_cast<uint32_t>( button ) ) );
	}
	void InputRecorder::OnDoubleClick( int32_t x, int32_t y, int32_t button )
	{
		Record( Make( Kind::DoubleClick, x, y, static_cast<uint32_t>( button ) ) );
	}
	void InputRecorder::OnWheel( int32_t notches )
	{
		ScriptedEvent event = Make( Kind::Wheel );
		event.mNotches = notches;
		Record( event );
	}
	void InputRecorder::OnMouseLeave() { Record( Make( Kind::MouseLeave ) ); }
	void InputRecorder::OnFocusLost() { Record( Make( Kind::FocusLost ) ); }
	void InputRecorder::OnFocusGained() { Record( Make( Kind::FocusGained ) ); }
	void InputRecorder::OnClose() { Record( Make( Kind::Close ) ); }
}
