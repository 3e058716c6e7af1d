#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Tarn
{
	class GameWindow;

	// One window event of a script, to be delivered in the pump of update step mStep
	// (counted from 1).
	struct ScriptedEvent
	{
		enum class Kind
		{
			KeyDown,
			KeyUp,
			Char,
			MouseMove,
			MouseDown,
			MouseUp,
			DoubleClick,
			Wheel,
			MouseLeave,
			FocusLost,
			FocusGained,
			Close,
		};

		uint64_t mStep = 0;
		Kind mKind = Kind::Close;
		int32_t mX = 0;
		int32_t mY = 0;
		uint32_t mValue = 0; // key code, character code or button
		int32_t mNotches = 0;
		int mLine = 0;
	};

	// A recorded or hand-written session: one event per line, "STEP what [values]",
	// '#' starts a comment. Steps may repeat but never go back. README.md gives the
	// whole format.
	class InputScript
	{
	public:
		// False, with "FILE:LINE: what is wrong" in error, for the first bad line.
		bool Parse( const std::string& text, const std::string& fileName, std::string& error );
		bool Load( const std::string& path, std::string& error );

		// Raises, through the window's event lists, every event of the steps up to and
		// including `step` that has not been raised yet.
		void DeliverUpTo( uint64_t step, GameWindow& window );

		const std::vector<ScriptedEvent>& Events() const { return mEvents; }
		size_t Remaining() const { return mEvents.size() - mNext; }

		// A key name of the script ("w", "lshift", "f9", "kp5", ...) or its code;
		// 0 when it names no key.
		static uint32_t KeyFromName( const std::string& name );
		// The script's name for a key code; empty when no name gives it.
		static std::string KeyName( uint32_t key );
		// The line that Parse reads back as this event, without its end of line;
		// empty when the event has no script form (a key without a name, button 4).
		static std::string Format( const ScriptedEvent& event );

	private:
		std::vector<ScriptedEvent> mEvents;
		size_t mNext = 0;
	};
}
