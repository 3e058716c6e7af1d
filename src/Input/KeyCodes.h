#pragma once

#include <cstdint>

namespace Tarn
{
	// The engine's own key numbering, 0 to 320. 0 is no key: the window drops it.
	// Digits and letters are their (lower-case) characters.
	namespace Key
	{
		constexpr uint32_t None = 0;
		constexpr uint32_t Digit0 = 48; // to 57
		constexpr uint32_t A = 97;      // to 122
		constexpr uint32_t W = 119;
		constexpr uint32_t Escape = 256;
		constexpr uint32_t LeftControl = 257;
		constexpr uint32_t LeftShift = 258;
		constexpr uint32_t LeftAlt = 259;
		constexpr uint32_t LeftWindows = 260;
		constexpr uint32_t RightControl = 261;
		constexpr uint32_t RightShift = 262;
		constexpr uint32_t RightAlt = 263;
		constexpr uint32_t RightWindows = 264;
		constexpr uint32_t Applications = 265;
		constexpr uint32_t LeftBracket = 266;
		constexpr uint32_t RightBracket = 267;
		constexpr uint32_t Semicolon = 268;
		constexpr uint32_t Comma = 269;
		constexpr uint32_t Period = 270;
		constexpr uint32_t Apostrophe = 271;
		constexpr uint32_t Slash = 272;
		constexpr uint32_t Backslash = 273;
		constexpr uint32_t Grave = 274;
		constexpr uint32_t Equals = 275;
		constexpr uint32_t Minus = 276;
		constexpr uint32_t Space = 277;
		constexpr uint32_t Enter = 278;
		constexpr uint32_t Backspace = 279;
		constexpr uint32_t Tab = 280;
		constexpr uint32_t PageUp = 281;
		constexpr uint32_t PageDown = 282;
		constexpr uint32_t End = 283;
		constexpr uint32_t Home = 284;
		constexpr uint32_t Insert = 285;
		constexpr uint32_t Delete = 286;
		constexpr uint32_t KeypadPlus = 287;
		constexpr uint32_t KeypadMinus = 288;
		constexpr uint32_t KeypadMultiply = 289;
		constexpr uint32_t KeypadDivide = 290;
		constexpr uint32_t Left = 291;
		constexpr uint32_t Right = 292;
		constexpr uint32_t Up = 293;
		constexpr uint32_t Down = 294;
		constexpr uint32_t Keypad0 = 295; // to 304
		constexpr uint32_t F1 = 305;      // to F15, 319
		constexpr uint32_t Pause = 320;

		constexpr uint32_t Count = 321;

		// The code of a letter key, named by its lower-case letter: Letter( 't' ) is 116.
		constexpr uint32_t Letter( char lowerCase ) { return A + static_cast<uint32_t>( lowerCase - 'a' ); }
	}

	// Modifier bits handed with every key event.
	namespace Modifier
	{
		constexpr uint32_t Shift = 1;
		constexpr uint32_t Alt = 2;
		constexpr uint32_t Control = 4;
	}

	// Mouse buttons; index 0 exists but no button gives it.
	namespace MouseButton
	{
		constexpr int32_t Left = 1;
		constexpr int32_t Right = 2;
		constexpr int32_t Middle = 3;
		constexpr int32_t Count = 4;
	}
}
