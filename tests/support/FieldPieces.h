#pragma once
// Pieces of the later levels' ground, placed as LevelPieces places the rest: walls of
// any length and nebulae with the cloud that covers the screen while the ship is in
// one. Each is made through the object manager and held by the level.

#include "core/Vector2.h"

#include <cstdint>

namespace Tarn
{
	class LevelObject;
}

namespace KelvaneTest
{
	// Mirror angles as a level file spells them (AddMirror), named by the side the
	// mirror's face looks to, and the turns that face gives a beam.
	// Fired right it turns up; fired down it turns left.
	inline constexpr float kMirrorFacingUpLeft = 0.785398f;
	// Fired down it turns right; fired left it turns up.
	inline constexpr float kMirrorFacingUpRight = -0.785398f;
	// Fired up it turns left; fired right it turns down.
	inline constexpr float kMirrorFacingDownLeft = 2.35619f;
	// Fired up it turns right; fired left it turns down.
	inline constexpr float kMirrorFacingDownRight = -2.35619f;

	// A wall block of `size` world units (the plain wall is 8 x 2), solid over all of it.
	void AddBlock( Tarn::LevelObject& level, const char* name, Tarn::Vector2 position, Tarn::Vector2 size );
	// A nebula of `radius` world units: the ship flies slowly through it, and while the
	// ship is in, the cover of `sign` hides what lies outside. Its cloud is drawn a
	// little larger than its edge, so that the ship is slowed only where the cloud is thick.
	void AddNebula( Tarn::LevelObject& level, const char* name, Tarn::Vector2 position, float radius, int32_t sign = 1 );
	// The cover that the nebulae of `sign` share, spread over the whole arena around
	// `centre`.
	void AddNebulaCover( Tarn::LevelObject& level, Tarn::Vector2 centre, int32_t sign = 1 );
}
