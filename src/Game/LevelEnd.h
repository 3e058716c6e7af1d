#pragma once
// The end of a played level: the ship drawn into the exit, or lost. The score screen's
// page takes over, won or lost, and the score service reckons the level and says in the
// log how it went ("Level N won, score S" or "Level N lost").

namespace Tarn
{
	// Called once, at the end of the player's exit or death sequence.
	void EndPlayedLevel();
}
