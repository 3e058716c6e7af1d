#include "Platform/KeyTranslation.h"

#include "Input/KeyCodes.h"

#include <SDL.h>

namespace Platform
{
	namespace Key = Tarn::Key;

	uint32_t TranslateSdlKey( int scancode, int keycode )
	{
		if ( keycode >= SDLK_a && keycode <= SDLK_z )
			return Key::A + static_cast<uint32_t>( keycode - SDLK_a );

		if ( scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z )
			return Key::A + static_cast<uint32_t>( scancode - SDL_SCANCODE_A );
		// SDL numbers the top row 1 to 9, then 0.
		if ( scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9 )
			return Key::Digit0 + 1 + static_cast<uint32_t>( scancode - SDL_SCANCODE_1 );
		if ( scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12 )
			return Key::F1 + static_cast<uint32_t>( scancode - SDL_SCANCODE_F1 );
		if ( scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F15 )
			return Key::F1 + 12 + static_cast<uint32_t>( scancode - SDL_SCANCODE_F13 );
		if ( scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9 )
			return Key::Keypad0 + 1 + static_cast<uint32_t>( scancode - SDL_SCANCODE_KP_1 );

		switch ( scancode )
		{
		case SDL_SCANCODE_0: return Key::Digit0;
		case SDL_SCANCODE_KP_0: return Key::Keypad0;
		case SDL_SCANCODE_ESCAPE: return Key::Escape;
		case SDL_SCANCODE_LCTRL: return Key::LeftControl;
		case SDL_SCANCODE_LSHIFT: return Key::LeftShift;
		case SDL_SCANCODE_LALT: return Key::LeftAlt;
		case SDL_SCANCODE_LGUI: return Key::LeftWindows;
		case SDL_SCANCODE_RCTRL: return Key::RightControl;
		case SDL_SCANCODE_RSHIFT: return Key::RightShift;
		case SDL_SCANCODE_RALT: return Key::RightAlt;
		case SDL_SCANCODE_RGUI: return Key::RightWindows;
		case SDL_SCANCODE_APPLICATION: return Key::Applications;
		case SDL_SCANCODE_LEFTBRACKET: return Key::LeftBracket;
		case SDL_SCANCODE_RIGHTBRACKET: return Key::RightBracket;
		case SDL_SCANCODE_SEMICOLON: return Key::Semicolon;
		case SDL_SCANCODE_APOSTROPHE: return Key::Apostrophe;
		case SDL_SCANCODE_COMMA: return Key::Comma;
		case SDL_SCANCODE_PERIOD: return Key::Period;
		case SDL_SCANCODE_SLASH: return Key::Slash;
		case SDL_SCANCODE_BACKSLASH: return Key::Backslash;
		case SDL_SCANCODE_GRAVE: return Key::Grave;
		case SDL_SCANCODE_EQUALS: return Key::Equals;
		case SDL_SCANCODE_MINUS: return Key::Minus;
		case SDL_SCANCODE_SPACE: return Key::Space;
		case SDL_SCANCODE_RETURN: return Key::Enter;
		// The keypad's Enter is the same key to Windows, told apart only by a flag.
		case SDL_SCANCODE_KP_ENTER: return Key::Enter;
		case SDL_SCANCODE_BACKSPACE: return Key::Backspace;
		case SDL_SCANCODE_TAB: return Key::Tab;
		case SDL_SCANCODE_PAGEUP: return Key::PageUp;
		case SDL_SCANCODE_PAGEDOWN: return Key::PageDown;
		case SDL_SCANCODE_END: return Key::End;
		case SDL_SCANCODE_HOME: return Key::Home;
		case SDL_SCANCODE_INSERT: return Key::Insert;
		case SDL_SCANCODE_DELETE: return Key::Delete;
		case SDL_SCANCODE_KP_PLUS: return Key::KeypadPlus;
		case SDL_SCANCODE_KP_MINUS: return Key::KeypadMinus;
		case SDL_SCANCODE_KP_MULTIPLY: return Key::KeypadMultiply;
		case SDL_SCANCODE_KP_DIVIDE: return Key::KeypadDivide;
		case SDL_SCANCODE_LEFT: return Key::Left;
		case SDL_SCANCODE_RIGHT: return Key::Right;
		case SDL_SCANCODE_UP: return Key::Up;
		case SDL_SCANCODE_DOWN: return Key::Down;
		case SDL_SCANCODE_PAUSE: return Key::Pause;
		default: return Key::None;
		}
	}
}
