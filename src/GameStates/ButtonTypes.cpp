#include "GameStates/ButtonTypes.h"

#include "GameStates/GameLevelSelector.h"
#include "Graphics/TextureList.h"
#include "core/Services.h"

#include <array>

namespace Tarn
{
	namespace
	{
		constexpr const char* kMenuFolder = "resource/menu/";

		// The picture of each function, by value; null where hover changes nothing.
		constexpr std::array<const char*, FUNC_TOTALNO> kPictureStems = []() {
			std::array<const char*, FUNC_TOTALNO> stems{};
			stems[FUNC_START] = "start";
			stems[FUNC_OPTIONS] = "options";
			stems[FUNC_CHANGERESOLUTION] = "checkbox";
			stems[FUNC_CHANGERESOLUTION_NONWINDOW] = "checkboxchecked";
			stems[FUNC_SOUND_INC] = "triangle";
			stems[FUNC_SOUND_DEC] = "triangleleft";
			stems[FUNC_MUSIC_SOUND_INC] = "triangle";
			stems[FUNC_MUSIC_SOUND_DEC] = "triangleleft";
			stems[FUNC_SOUND_MUTE] = "checkbox";
			stems[FUNC_SOUND_MUTED] = "checkboxchecked";
			stems[FUNC_HOWTOPLAY] = "help";
			stems[FUNC_CREDITS] = "credits";
			stems[FUNC_CONFIRMATION_YES] = "yes";
			stems[FUNC_CONFIRMATION_NO] = "no";
			stems[FUNC_BACK] = "back";
			stems[FUNC_EXITGAME] = "quit";
			stems[FUNC_EXITPROGRAM] = "exit to windows";
			stems[FUNC_RESTART_LEVEL] = "restart";
			stems[FUNC_RETURN] = "return";
			stems[FUNC_NEXT_LEVEL] = "next level";
			stems[FUNC_LEVEL_SELECT] = "levelselect";
			stems[FUNC_LEVEL_GO] = "next level";
			stems[FUNC_MUSIC_MUTE] = "checkbox";
			stems[FUNC_MUSIC_MUTED] = "checkboxchecked";
			return stems;
		}();
	}

	const char* ButtonGroupName( int32_t group )
	{
		static constexpr const char* kNames[GRP_TOTAL] = { "main menu",    "options",     "in-game menu", "how to play",
			                                               "credits",      "score screen", "are you sure", "level select" };
		return IsButtonGroup( group ) ? kNames[group] : "no page";
	}

	const char* ButtonPictureStem( int32_t function )
	{
		return function >= 0 && function < FUNC_TOTALNO ? kPictureStems[size_t( function )] : nullptr;
	}

	std::string ButtonPicture( int32_t function, bool highlighted )
	{
		if ( IsLevelFunction( function ) )
			return LevelButtonPicture( LevelOfFunction( function ), highlighted );
		const char* stem = ButtonPictureStem( function );
		if ( !stem )
			return std::string();
		return std::string( kMenuFolder ) + stem + ( highlighted ? "2.png" : ".png" );
	}

	std::string LevelButtonPicture( int32_t level, bool highlighted )
	{
		if ( const GameLevelSelector* selector = Services::Get<GameLevelSelector>() )
			return selector->PictureOf( level, highlighted );
		return Graphics::LevelSelectPicture( level, GRADE_NONE, highlighted );
	}
}
