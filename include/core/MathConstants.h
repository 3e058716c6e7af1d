#pragma once
// The engine's one π and its one float epsilon: every angle and every "near zero"
// test in the game names these, never a spelled-out value.

#include <limits>
#include <numbers>

namespace Tarn
{
	inline constexpr float kPi = std::numbers::pi_v<float>;
	// The gap between 1 and the next float: below it a difference counts as none.
	inline constexpr float kFloatEpsilon = std::numeric_limits<float>::epsilon();
}
