#pragma once
// The enemies a campaign level is built from, placed as the level pieces are: guards,
// white guards and the stun rings they borrow, mines plain and blue, crystals, and the
// enemy portals with the guards waiting inside. Each is made through the object manager
// and held by the level, so that the engine's save writes it into the level's file.

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
	// A patrol between two points, walked at one unit a second, waiting `wait` seconds
	// at each end. A guard walks it after a stun, a mine or a crystal from the start.
	struct Patrol
	{
		Tarn::Vector2 mFrom;
		Tarn::Vector2 mTo;
		float mWait = 1.0f;
	};

	// A melee guard watching from `position`: within ten units of the ship it closes in
	// and lunges. A white guard (`white`) also walks to the last switch the gate took
	// and undoes it.
	Tarn::Object* AddGuard( Tarn::LevelObject& level, const char* name, Tarn::Vector2 position, bool white = false );
	// The same guard with a patrol that it walks once a cone has stunned it.
	Tarn::Object* AddPatrollingGuard( Tarn::LevelObject& level, const char* name, Tarn::Vector2 position, const Patrol& patrol,
	                                  bool white = false );
	// The rings a stunned guard wears, StunEffect1.., waiting out of play: one for each
	// guard that may be stunned at once.
	void AddStunEffects( Tarn::LevelObject& level, int count );

	// A mine that goes off when touched; a blue one (`blue`) also when the beam meets it,
	// and it is tinted so that the player can tell.
	Tarn::Object* AddMine( Tarn::LevelObject& level, const char* name, Tarn::Vector2 position, bool blue = false );
	// A mine that drifts back and forth along its patrol.
	Tarn::Object* AddDriftingMine( Tarn::LevelObject& level, const char* name, const Patrol& patrol, bool blue = false );

	// A crystal that a light cone burns, at a cost to the score.
	Tarn::Object* AddCrystal( Tarn::LevelObject& level, const char* name, Tarn::Vector2 position );
	// A crystal that drifts back and forth along its patrol, through whatever light
	// falls across it.
	Tarn::Object* AddDriftingCrystal( Tarn::LevelObject& level, const char* name, const Patrol& patrol );

	// An enemy portal ("EGate" and a number) that opens when a switch of one of its
	// `colours` is lit and lets out the guards Guard<first> to Guard<first + guards - 1>,
	// which wait inside it, hidden, until their turn; `white` makes them white guards.
	void AddEnemyPortal( Tarn::LevelObject& level, const char* name, Tarn::Vector2 position,
	                     std::initializer_list<int32_t> colours, int first, int guards, bool white = false );
}
