#include "Game/LevelEnd.h"

#include "Game/ScoreManager.h"
#include "GameStates/ButtonManager.h"
#include "core/Services.h"

namespace Tarn
{
	void EndPlayedLevel()
	{
		// The score screen's page reckons the score through the score service, which
		// says in the log how the level ended.
		if ( auto* buttons = Services::Get<ButtonManager>() )
			buttons->ShowScoreScreen( !ScoreManager::PlayerDied() );
		else if ( auto* score = Services::Get<ScoreManager>() )
			score->ShowScoreScreen();
	}
}
