#include "Input/InputScript.h"

#include "Core/GameWindow/GameWindow.h"
#include "Input/KeyCodes.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <map>
#include <sstream>

namespace Tarn
{
	namespace
	{
		const std::map<std::string, uint32_t>& NamedKeys()
		{
			static const std::map<std::string, uint32_t> keys = [] {
				std::map<std::string, uint32_t> named = {
					{ "escape", Key::Escape },         { "lctrl", Key::LeftControl },
					{ "lshift", Key::LeftShift },      { "lalt", Key::LeftAlt },
					{ "lwin", Key::LeftWindows },      { "rctrl", Key::RightControl },
					{ "rshift", Key::RightShift },     { "ralt", Key::RightAlt },
					{ "rwin", Key::RightWindows },     { "menu", Key::Applications },
					{ "lbracket", Key::LeftBracket },  { "rbracket", Key::RightBracket },
					{ "semicolon", Key::Semicolon },   { "comma", Key::Comma },
					{ "period", Key::Period },         { "apostrophe", Key::Apostrophe },
					{ "slash", Key::Slash },           { "backslash", Key::Backslash },
					{ "grave", Key::Grave },           { "equals", Key::Equals },
					{ "minus", Key::Minus },           { "space", Key::Space },
					{ "enter", Key::Enter },           { "backspace", Key::Backspace },
					{ "tab", Key::Tab },               { "pageup", Key::PageUp },
					{ "pagedown", Key::PageDown },     { "end", Key::End },
					{ "home", Key::Home },             { "insert", Key::Insert },
					{ "delete", Key::Delete },         { "kpplus", Key::KeypadPlus },
					{ "kpminus", Key::KeypadMinus },   { "kpmultiply", Key::KeypadMultiply },
					{ "kpdivide", Key::KeypadDivide }, { "left", Key::Left },
					{ "right", Key::Right },           { "up", Key::Up },
					{ "down", Key::Down },             { "pause", Key::Pause },
				};
				for ( uint32_t i = 0; i < 26; ++i )
					named[std::string( 1, static_cast<char>( 'a' + i ) )] = Key::A + i;
				for ( uint32_t i = 0; i < 10; ++i )
				{
					named[std::string( 1, static_cast<char>( '0' + i ) )] = Key::Digit0 + i;
					named[std::string( "kp" ).append( std::to_string( i ) )] = Key::Keypad0 + i;
				}
				for ( uint32_t i = 0; i < 15; ++i )
					named[std::string( "f" ).append( std::to_string( i + 1 ) )] = Key::F1 + i;
				return named;
			}();
			return keys;
		}

		template <typename T>
		bool ParseNumber( const std::string& text, T& value )
		{
			if ( text.empty() )
				return false;
			const char* begin = text.data();
			if ( *begin == '+' )
				++begin;
			const char* end = text.data() + text.size();
			const auto result = std::from_chars( begin, end, value );
			return result.ec == std::errc() && result.ptr == end;
		}

		struct Shape
		{
			ScriptedEvent::Kind mKind;
			const char* mValues; // what follows the name, for the error text
			size_t mCount;
		};

		const std::map<std::string, Shape>& Shapes()
		{
			using Kind = ScriptedEvent::Kind;
			static const std::map<std::string, Shape> shapes = {
				{ "key-down", { Kind::KeyDown, "KEY", 1 } },
				{ "key-up", { Kind::KeyUp, "KEY", 1 } },
				{ "char", { Kind::Char, "CODE", 1 } },
				{ "mouse-move", { Kind::MouseMove, "X Y", 2 } },
				{ "mouse-down", { Kind::MouseDown, "X Y BUTTON", 3 } },
				{ "mouse-up", { Kind::MouseUp, "X Y BUTTON", 3 } },
				{ "double-click", { Kind::DoubleClick, "X Y BUTTON", 3 } },
				{ "wheel", { Kind::Wheel, "NOTCHES", 1 } },
				{ "mouse-leave", { Kind::MouseLeave, "nothing", 0 } },
				{ "focus-lost", { Kind::FocusLost, "nothing", 0 } },
				{ "focus-gained", { Kind::FocusGained, "nothing", 0 } },
				{ "close", { Kind::Close, "nothing", 0 } },
			};
			return shapes;
		}

		// The values after the event name, or what is wrong with them.
		std::string ParseValues( const Shape& shape, const std::vector<std::string>& values, ScriptedEvent& event )
		{
			using Kind = ScriptedEvent::Kind;
			switch ( shape.mKind )
			{
			case Kind::KeyDown:
			case Kind::KeyUp:
				event.mValue = InputScript::KeyFromName( values[0] );
				if ( event.mValue == Key::None )
					return "unknown key '" + values[0] + "' (a name such as w, lshift, f9, kp5, or a key code)";
				return "";
			case Kind::Char:
				if ( !ParseNumber( values[0], event.mValue ) || event.mValue == 0 || event.mValue > 0x10FFFF )
					return "the character code must be a number from 1 to 1114111, not '" + values[0] + "'";
				return "";
			case Kind::Wheel:
				if ( !ParseNumber( values[0], event.mNotches ) )
					return "the wheel needs a whole number of notches, not '" + values[0] + "'";
				return "";
			case Kind::MouseMove:
			case Kind::MouseDown:
			case Kind::MouseUp:
			case Kind::DoubleClick:
				if ( !ParseNumber( values[0], event.mX ) )
					return "X must be a whole number, not '" + values[0] + "'";
				if ( !ParseNumber( values[1], event.mY ) )
					return "Y must be a whole number, not '" + values[1] + "'";
				if ( shape.mCount == 3 )
				{
					const std::string& button = values[2];
					if ( button == "left" )
						event.mValue = MouseButton::Left;
					else if ( button == "right" )
						event.mValue = MouseButton::Right;
					else if ( button == "middle" )
						event.mValue = MouseButton::Middle;
					else if ( !ParseNumber( button, event.mValue ) || event.mValue < 1 || event.mValue > 3 )
						return "BUTTON must be 1 (left), 2 (right) or 3 (middle), not '" + button + "'";
				}
				return "";
			default: return "";
			}
		}
	}

	uint32_t InputScript::KeyFromName( const std::string& name )
	{
		std::string lower = name;
		std::transform( lower.begin(), lower.end(), lower.begin(),
		                []( unsigned char c ) { return static_cast<char>( std::tolower( c ) ); } );
		const auto& named = NamedKeys();
		if ( const auto found = named.find( lower ); found != named.end() )
			return found->second;
		// A number of more than one digit is a key code, accepted when some key gives it.
		uint32_t code = 0;
		if ( !ParseNumber( lower, code ) || code == Key::None || code >= Key::Count )
			return Key::None;
		for ( const auto& entry : named )
			if ( entry.second == code )
				return code;
		return Key::None;
	}

	std::string InputScript::KeyName( uint32_t key )
	{
		for ( const auto& [name, code] : NamedKeys() )
			if ( code == key )
				return name;
		return {};
	}

	std::string InputScript::Format( const ScriptedEvent& event )
	{
		using Kind = ScriptedEvent::Kind;
		std::ostringstream line;
		line << event.mStep;
		for ( const auto& [text, shape] : Shapes() )
			if ( shape.mKind == event.mKind )
				line << ' ' << text;
		switch ( event.mKind )
		{
		case Kind::KeyDown:
		case Kind::KeyUp:
		{
			const std::string key = KeyName( event.mValue );
			if ( key.empty() )
				return {};
			line << ' ' << key;
			break;
		}
		case Kind::Char:
			if ( event.mValue == 0 || event.mValue > 0x10FFFF )
				return {};
			line << ' ' << event.mValue;
			break;
		case Kind::MouseMove: line << ' ' << event.mX << ' ' << event.mY; break;
		case Kind::MouseDown:
		case Kind::MouseUp:
		case Kind::DoubleClick:
			if ( event.mValue < MouseButton::Left || event.mValue > MouseButton::Middle )
				return {};
			line << ' ' << event.mX << ' ' << event.mY << ' ' << event.mValue;
			break;
		case Kind::Wheel: line << ' ' << event.mNotches; break;
		case Kind::MouseLeave:
		case Kind::FocusLost:
		case Kind::FocusGained:
		case Kind::Close: break;
		}
		return line.str();
	}

	bool InputScript::Parse( const std::string& text, const std::string& fileName, std::string& error )
	{
		mEvents.clear();
		mNext = 0;
		std::istringstream lines( text );
		std::string line;
		int number = 0;
		uint64_t lastStep = 0;
		auto fail = [&]( const std::string& what ) {
			error = fileName + ":" + std::to_string( number ) + ": " + what;
			mEvents.clear();
			return false;
		};

		while ( std::getline( lines, line ) )
		{
			++number;
			if ( const size_t hash = line.find( '#' ); hash != std::string::npos )
				line.erase( hash );
			std::istringstream words( line );
			std::vector<std::string> tokens;
			for ( std::string word; words >> word; )
				tokens.push_back( word );
			if ( tokens.empty() )
				continue;

			ScriptedEvent event;
			event.mLine = number;
			if ( !ParseNumber( tokens[0], event.mStep ) || event.mStep == 0 )
				return fail( "a line must start with its update step, a whole number of at least 1, not '" + tokens[0] + "'" );
			if ( event.mStep < lastStep )
				return fail( "step " + std::to_string( event.mStep ) + " comes after step " + std::to_string( lastStep ) +
				             "; steps never go back" );
			if ( tokens.size() < 2 )
				return fail( "step " + tokens[0] + " names no event" );

			const auto shape = Shapes().find( tokens[1] );
			if ( shape == Shapes().end() )
				return fail( "unknown event '" + tokens[1] +
				             "' (key-down, key-up, char, mouse-move, mouse-down, mouse-up, double-click, wheel, "
				             "mouse-leave, focus-lost, focus-gained, close)" );
			const std::vector<std::string> values( tokens.begin() + 2, tokens.end() );
			if ( values.size() != shape->second.mCount )
				return fail( tokens[1] + " takes " + shape->second.mValues + ", but " + std::to_string( values.size() ) +
				             ( values.size() == 1 ? " value was" : " values were" ) + " given" );
			event.mKind = shape->second.mKind;
			if ( const std::string wrong = ParseValues( shape->second, values, event ); !wrong.empty() )
				return fail( wrong );

			lastStep = event.mStep;
			mEvents.push_back( event );
		}
		error.clear();
		return true;
	}

	bool InputScript::Load( const std::string& path, std::string& error )
	{
		std::ifstream file( path, std::ios::binary );
		if ( !file )
		{
			error = path + ": cannot read the input script";
			return false;
		}
		std::ostringstream text;
		text << file.rdbuf();
		std::string content = text.str();
		std::erase( content, '\r' );
		return Parse( content, path, error );
	}

	void InputScript::DeliverUpTo( uint64_t step, GameWindow& window )
	{
		using Kind = ScriptedEvent::Kind;
		while ( mNext < mEvents.size() && mEvents[mNext].mStep <= step )
		{
			// Copied: a handler may replace the script under the loop.
			const ScriptedEvent event = mEvents[mNext++];
			switch ( event.mKind )
			{
			case Kind::KeyDown: window.mOnKeyDown.Raise( event.mValue ); break;
			case Kind::KeyUp: window.mOnKeyUp.Raise( event.mValue ); break;
			case Kind::Char: window.mOnChar.Raise( event.mValue ); break;
			case Kind::MouseMove: window.mOnMouseMove.Raise( event.mX, event.mY ); break;
			case Kind::MouseDown:
				window.mOnMouseDown.Raise( event.mX, event.mY, static_cast<int32_t>( event.mValue ) );
				break;
			case Kind::MouseUp: window.mOnMouseUp.Raise( event.mX, event.mY, static_cast<int32_t>( event.mValue ) ); break;
			case Kind::DoubleClick:
				window.mOnMouseDoubleClick.Raise( event.mX, event.mY, static_cast<int32_t>( event.mValue ) );
				break;
			case Kind::Wheel: window.mOnMouseWheel.Raise( event.mNotches ); break;
			case Kind::MouseLeave: window.mOnMouseLeave.Raise(); break;
			case Kind::FocusLost: window.mOnFocusLost.Raise(); break;
			case Kind::FocusGained: window.mOnFocusGained.Raise(); break;
			case Kind::Close: window.mOnClose.Raise(); break;
			}
		}
	}
}
