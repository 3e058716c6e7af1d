#pragma once
// The numbers a menu level file stores for its buttons: the page (group) a button
// belongs to and the function it performs. Each name carries the value the files hold;
// code compares and assigns the names only.

#include <cstdint>
#include <string>

namespace Tarn
{
	enum ButtonGroup : int32_t
	{
		GRP_MAINMENU = 0,
		GRP_OPTIONS = 1,
		GRP_IN_GAME_MENU = 2,
		GRP_HOWTOPLAY = 3,
		GRP_CREDITS = 4,
		GRP_SCORE_SCREEN = 5,
		GRP_CONFIRMATION = 6,
		GRP_LEVEL_SELECT = 7,
		GRP_TOTAL = 8,
	};

	enum ButtonFunction : int32_t
	{
		FUNC_NONE = 0,
		FUNC_START = 1,
		FUNC_OPTIONS = 2,
		// The full-screen checkbox: unchecked (windowed), checked (full screen).
		FUNC_CHANGERESOLUTION = 3,
		FUNC_CHANGERESOLUTION_NONWINDOW = 4,
		FUNC_SOUND_INC = 5,
		FUNC_SOUND_DEC = 6,
		FUNC_MUSIC_SOUND_INC = 7,
		FUNC_MUSIC_SOUND_DEC = 8,
		// Mutes music and effects; the checked state unmutes both.
		FUNC_SOUND_MUTE = 9,
		FUNC_SOUND_MUTED = 10,
		FUNC_HOWTOPLAY = 11,
		FUNC_CREDITS = 12,
		FUNC_CONFIRMATION_YES = 13,
		FUNC_CONFIRMATION_NO = 14,
		FUNC_BACK = 15,
		// Back to the main menu from a level.
		FUNC_EXITGAME = 16,
		// The program ends.
		FUNC_EXITPROGRAM = 17,
		FUNC_RESTART_LEVEL = 18,
		// The volume bars: pictures that show a volume, nothing to click.
		FUNC_SOUNDFX_BAR = 19,
		FUNC_MUSICFX_BAR = 20,
		FUNC_RETURN = 21,
		FUNC_NEXT_LEVEL = 22,
		FUNC_LEVEL_SELECT = 23,
		FUNC_LEVEL_GO = 24,
		FUNC_LEVEL_1 = 25, // to FUNC_LEVEL_20, 44
		FUNC_LEVEL_20 = 44,
		FUNC_MUSIC_MUTE = 45,
		FUNC_MUSIC_MUTED = 46,
		FUNC_TOTALNO = 47,
	};

	// The tweak bar's names of the groups and functions, in value order.
	inline constexpr const char* kButtonGroupNames =
	    "GRP_MAINMENU, GRP_OPTIONS, GRP_IN_GAME_MENU, GRP_HOWTOPLAY, GRP_CREDITS, GRP_SCORE_SCREEN, GRP_CONFIRMATION, "
	    "GRP_LEVEL_SELECT,GRP_TOTAL";
	inline constexpr const char* kButtonFunctionNames =
	    "FUNC_NONE, FUNC_START, FUNC_OPTIONS, FUNC_CHANGERESOLUTION, FUNC_CHANGERESOLUTION_NONWINDOW, FUNC_SOUND_INC, "
	    "FUNC_SOUND_DEC, FUNC_MUSIC_SOUND_INC, FUNC_MUSIC_SOUND_DEC, FUNC_SOUND_MUTE, FUNC_SOUND_MUTED, FUNC_HOWTOPLAY, "
	    "FUNC_CREDITS, FUNC_CONFIRMATION_YES, FUNC_CONFIRMATION_NO, FUNC_BACK, FUNC_EXITGAME, FUNC_EXITPROGRAM, "
	    "FUNC_RESTART_LEVEL, FUNC_SOUNDFX_BAR, FUNC_MUSICFX_BAR, FUNC_RETURN, FUNC_NEXT_LEVEL, FUNC_LEVEL_SELECT, "
	    "FUNC_LEVEL_GO, FUNC_LEVEL_1, FUNC_LEVEL_2, FUNC_LEVEL_3, FUNC_LEVEL_4, FUNC_LEVEL_5, FUNC_LEVEL_6, FUNC_LEVEL_7, "
	    "FUNC_LEVEL_8, FUNC_LEVEL_9, FUNC_LEVEL_10, FUNC_LEVEL_11, FUNC_LEVEL_12, FUNC_LEVEL_13, FUNC_LEVEL_14, "
	    "FUNC_LEVEL_15, FUNC_LEVEL_16, FUNC_LEVEL_17, FUNC_LEVEL_18, FUNC_LEVEL_19, FUNC_LEVEL_20, FUNC_MUSIC_MUTE, "
	    "FUNC_MUSIC_MUTED, FUNC_TOTALNO";

	inline constexpr bool IsLevelFunction( int32_t function ) { return function >= FUNC_LEVEL_1 && function <= FUNC_LEVEL_20; }
	// The level a level button loads: FUNC_LEVEL_7 loads level 7.
	inline constexpr int32_t LevelOfFunction( int32_t function ) { return function - FUNC_LEVEL_GO; }
	inline constexpr ButtonFunction LevelFunction( int32_t level ) { return ButtonFunction( FUNC_LEVEL_GO + level ); }
	inline constexpr bool IsButtonGroup( int32_t group ) { return group >= GRP_MAINMENU && group < GRP_TOTAL; }
	// The main menu and the in-game menu stay in sight, dimmed, under a page that opens
	// over them; every other page is one that opens over them.
	inline constexpr bool IsBasePage( int32_t group ) { return group == GRP_MAINMENU || group == GRP_IN_GAME_MENU; }

	// A page as the log names it: "options", "are you sure".
	const char* ButtonGroupName( int32_t group );

	// The picture a button of this function shows, normal or highlighted
	// ("resource/menu/start.png", "resource/menu/start2.png"); empty for a function whose
	// picture hover leaves alone. Level buttons take theirs from LevelButtonPicture.
	const char* ButtonPictureStem( int32_t function );
	std::string ButtonPicture( int32_t function, bool highlighted );
	// The picture of a level button, with the grade the level selector keeps.
	std::string LevelButtonPicture( int32_t level, bool highlighted );
}
