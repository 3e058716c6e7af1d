#pragma once
// The pieces every level of the game is built from, placed as the level builder of the
// tests places them: each is made through the object manager, stands where it is put
// and is held by the level, so that the engine's save writes it into the level's file.

#include "core/Vector2.h"

#include <cstdint>
#include <initializer_list>

namespace Tarn
{
	class LevelObject;
	class Object;
}

namespace KelvaneTest
{
	// A bound whose front, where the player flies, faces the inside of the arena; the
	// ends run along one axis and `angle` turns the line's sprite to match.
	void AddBound( Tarn::LevelObject& level, const char* name, Tarn::Vector2 pt1, Tarn::Vector2 pt2, float angle );
	// Four bounds around the rectangle from -half to +half, named BoundBottom, BoundTop,
	// BoundLeft and BoundRight.
	void AddArena( Tarn::LevelObject& level, Tarn::Vector2 half );
	// A wall block with the grid texture.
	void AddWall( Tarn::LevelObject& level, const char* name, Tarn::Vector2 position );
	// Deep space behind everything, with its drifting stars ("Background").
	void AddBackground( Tarn::LevelObject& level );
	// The ship ("Player1") and its spinning body beneath it.
	void AddPlayer( Tarn::LevelObject& level, Tarn::Vector2 position );
	// A prism whose cone shines in `colour` (a colour code).
	void AddPrism( Tarn::LevelObject& level, const char* name, Tarn::Vector2 position, int32_t colour );
	// A switch of colour `colour`, tinted in it so that it reads as that colour at rest.
	void AddSwitch( Tarn::LevelObject& level, const char* name, Tarn::Vector2 position, int32_t colour );
	// The exit ("Gate"), wanting `targets` in order, behind its barrier ("Barrier").
	void AddGate( Tarn::LevelObject& level, Tarn::Vector2 position, std::initializer_list<int32_t> targets );
	// The sparks that fly from lit switches to the gate: SwitchEffect1.., one per colour
	// the gate wants, waiting at the gate.
	void AddSparks( Tarn::LevelObject& level, int count, Tarn::Vector2 gate );
	// A mirror whose face runs along `angle`; it reflects beams striking the side its
	// normal points away from. The sprite turns with the face. Spell the angle as a level
	// file does (six significant digits) so that a face rebuilt from the file lands where
	// it was.
	void AddMirror( Tarn::LevelObject& level, const char* name, Tarn::Vector2 position, float angle );
	// The player's health down the left of the screen: the bar that drains behind, the
	// bar itself and their frame.
	void AddHealthBars( Tarn::LevelObject& level );
	// The player's beam and one for each mirror or channel it may pass (`count` in all),
	// each with its muzzle flare: EnergyBeam1.. and BeamEffect1..
	void AddBeams( Tarn::LevelObject& level, int count, Tarn::Vector2 position );
}
