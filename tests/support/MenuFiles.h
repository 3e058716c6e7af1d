#pragma once
// The menu levels of the game, built through the engine: the committed
// resource/Levels/MainMenu.xml, InGameGUI.xml and ScoreScreen.xml are these levels saved
// by it. Every page is laid out in world units around the point the camera looks at,
// inside the 4:3 part of the view, so that it fits any window from 4:3 to ultra-wide.

#include "GameStates/ButtonTypes.h"
#include "core/Vector2.h"

#include <string>
#include <vector>

namespace Tarn
{
	class FileSystem;
	class LevelObject;
}

namespace KelvaneTest
{
	// The exchange files the menu levels pass their objects through.
	Tarn::FileSystem& MenuFileSystem();

	void BuildMainMenu( Tarn::LevelObject& level );
	void BuildInGameGUI( Tarn::LevelObject& level );
	void BuildScoreScreen( Tarn::LevelObject& level );

	// One menu level: its resource ID and its builder.
	struct MenuLevel
	{
		const char* mId;
		void ( *mBuild )( Tarn::LevelObject& level );
	};
	const std::vector<MenuLevel>& MenuLevels();
}
