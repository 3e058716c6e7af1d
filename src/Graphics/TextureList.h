#pragma once

#include <string>
#include <vector>

namespace Graphics
{
	// Every picture the texture manager loads at start-up, in loading order and spelt
	// exactly as meshes name them. The baker makes a file for every entry, so a name
	// added here without its picture breaks the build's content check.
	const std::vector<std::string>& StartUpTextureList();

	// The menu pictures that come as a normal and a highlighted file
	// ("resource/menu/<name>.png" and "resource/menu/<name>2.png"), in loading order.
	const std::vector<std::string>& MenuPictureNames();

	// The words beside the options page's controls: "resource/menu/label <stem>.png"
	// shows the text.
	struct MenuLabel
	{
		const char* mStem;
		const char* mText;
	};
	const std::vector<MenuLabel>& MenuLabels();
	std::string MenuLabelPicture( const MenuLabel& label );

	// The level-select picture of level `level` (1 to 20) for the selector's colour
	// set: blue for levels 1 to 10, orange for 11 to 20, numbered 1 to 10 in each.
	// `grade` is 0 while ungraded, else 1 = A, 2 = B, 3 = C.
	std::string LevelSelectPicture( int level, int grade, bool hover );
}
