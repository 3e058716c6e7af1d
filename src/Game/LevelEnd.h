#pragma once
// The end of a played level: the ship drawn into the exit, or lost. The score service
// reckons the level and says in the log how it went ("Level N won, score S" or "Level N
// lost"); the score screen's page of the menus takes over from here once it is built.

namespace Tarn
{
	// Called once, at the end of the player's exit or death sequence.
	void EndPlayedLevel();
}
