#include "Game/LevelEnd.h"

#include "Game/ScoreManager.h"
#include "core/Services.h"

namespace Tarn
{
	void EndPlayedLevel()
	{
		if ( auto* score = Services::Get<ScoreManager>() )
			score->ShowScoreScreen();
		// The button manager opens the score screen's page here (won or lost, as the
		// player's state says) once the menus exist; until then the game plays on behind
		// the logged result.
	}
}
