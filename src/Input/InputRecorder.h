#pragma once

// Writes the window events of a session, as the window's event lists raise them, in
// the script form that --input replays: a run handed over as a file plays again
// exactly. Lines are written as they happen, so a run that ends badly keeps its events.

#include "Input/InputScript.h"
#include "core/Noncopyable.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace Tarn
{
	class Game;
	class GameWindow;

	class InputRecorder : private Noncopyable
	{
	public:
		~InputRecorder();

		// Creates (or empties) the file and writes the header lines, each given without
		// its '#'. False, with the reason in error, when the file cannot be written.
		bool Open( const std::string& path, const std::vector<std::string>& header, std::string& error );
		bool IsOpen() const { return mFile != nullptr; }

		// Listens to the window's events; each is stamped with the update step it
		// starts, counted from 1 as scripts count.
		void Attach( GameWindow& window, const Game* game );
		void Detach();
		void Close();

		uint64_t RecordedCount() const { return mRecorded; }

	private:
		// Calls visit( list, handler ) for every event list of the window, so that
		// attaching and detaching cannot miss one.
		template <typename Visit>
		void ForEachList( GameWindow& window, Visit&& visit );
		void Record( ScriptedEvent event );

		void OnKeyDown( uint32_t key );
		void OnKeyUp( uint32_t key );
		void OnChar( uint32_t code );
		void OnMouseMove( int32_t x, int32_t y );
		void OnMouseDown( int32_t x, int32_t y, int32_t button );
		void OnMouseUp( int32_t x, int32_t y, int32_t button );
		void OnDoubleClick( int32_t x, int32_t y, int32_t button );
		void OnWheel( int32_t notches );
		void OnMouseLeave();
		void OnFocusLost();
		void OnFocusGained();
		void OnClose();

		std::FILE* mFile = nullptr;
		std::string mPath;
		GameWindow* mWindow = nullptr;
		const Game* mGame = nullptr;
		uint64_t mRecorded = 0;
		uint64_t mUnwritable = 0;
	};
}
