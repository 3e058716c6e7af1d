#include "Graphics/TextureList.h"

namespace Graphics
{
	namespace
	{
		const char* const kGradeLetters[] = { "A", "B", "C" };

		std::vector<std::string> BuildStartUpList()
		{
			std::vector<std::string> list = {
				"resource/spaceship_head_new.png",
				"resource/Player Animation/sheet.png",
				"resource/Explosion.png",
				"resource/mine.png",
				"resource/stun.png",
				"resource/mirror.png",
				"resource/nebula1.png",
				"resource/nebula2.png",
				"resource/nebula3.png",
				"resource/nebula4.png",
				"resource/nebula5.png",
				"resource/light.png",
				"resource/energybeam.png",
				"resource/light_pillar.png",
				"resource/left click.png",
				"resource/keywasd.png",
				"resource/circle.png",
				"resource/switch.png",
				"resource/switch2.png",
				"resource/loading.png",
				"resource/Tessaro_logo.png",
				"resource/gray_square.png",
				"resource/gate.png",
				"resource/beameffect.png",
				"resource/borders.png",
				"resource/plus.png",
				"resource/circle texture.png",
				"resource/Particle Sprites/Metalball.png",
				"resource/crown.png",
				"resource/cross.png",
				"resource/square.png",
				"resource/background.png",
				"resource/background2.png",
				"resource/border.png",
				"resource/grid bottom.png",
				"resource/circle_gleam.png",
				"resource/square_gleam.png",
				"resource/square2.png",
				"resource/circle2.png",
				"resource/healthbar red fill.png",
				"resource/healthbar red fill dark.png",
				"resource/healthbaroutline.png",
				"resource/barrier particle.png",
				"resource/barrier spike.png",
				"resource/star.png",
				"resource/star gray.png",
				"resource/ring particle.png",
			};

			for ( const std::string& name : MenuPictureNames() )
			{
				list.push_back( "resource/menu/" + name + ".png" );
				list.push_back( "resource/menu/" + name + "2.png" );
			}

			for ( int row = 0; row <= 5; ++row )
			{
				list.push_back( "resource/menu/bar row" + std::to_string( row ) + ".png" );
			}

			for ( const MenuLabel& label : MenuLabels() )
				list.push_back( MenuLabelPicture( label ) );

			const char* const pages[] = {
				"resource/menu/secondary background.png",
				"resource/level select.png",
				"resource/how to play2.png",
				"resource/are you sure.png",
				"resource/options.png",
				"resource/optionsingame.png",
				"resource/credits2.png",
				"resource/logo3.png",
				"resource/win2.png",
				"resource/lose.png",
			};
			list.insert( list.end(), std::begin( pages ), std::end( pages ) );

			const std::string folder = "resource/menu/level select/";
			for ( int n = 1; n <= 10; ++n )
			{
				const std::string number = std::to_string( n );
				for ( const char* letter : kGradeLetters )
				{
					const std::string stem = "levelselect" + number + letter;
					list.push_back( folder + stem + ".png" );
					list.push_back( folder + stem + "hover.png" );
					list.push_back( folder + "blue/" + stem + "blue.png" );
					list.push_back( folder + "blue/" + stem + "bluehover.png" );
					list.push_back( folder + "orange/" + stem + "orange.png" );
					list.push_back( folder + "orange/" + stem + "orangehover.png" );
				}
			}
			for ( int n = 1; n <= 10; ++n )
			{
				const std::string stem = "levelselect" + std::to_string( n );
				list.push_back( folder + "blue/" + stem + "blue.png" );
				list.push_back( folder + "blue/" + stem + "bluehover.png" );
				list.push_back( folder + "orange/" + stem + "orange.png" );
				list.push_back( folder + "orange/" + stem + "orangehover.png" );
			}
			return list;
		}
	}

	const std::vector<std::string>& MenuPictureNames()
	{
		static const std::vector<std::string> names = {
			"back", "bar", "button", "credits", "help", "no", "options", "quit", "start",
			"triangle", "triangleleft", "yes", "checkbox", "checkboxchecked",
			"exit to windows", "restart", "levelselect", "return", "next level",
		};
		return names;
	}

	const std::vector<MenuLabel>& MenuLabels()
	{
		static const std::vector<MenuLabel> labels = {
			{ "fullscreen", "Full screen" }, { "effects", "Sound effects" }, { "music", "Music" },
			{ "mute all", "Mute all sound" }, { "mute music", "Mute music" },
		};
		return labels;
	}

	std::string MenuLabelPicture( const MenuLabel& label ) { return std::string( "resource/menu/label " ) + label.mStem + ".png"; }

	const std::vector<std::string>& StartUpTextureList()
	{
		static const std::vector<std::string> list = BuildStartUpList();
		return list;
	}

	std::string LevelSelectPicture( int level, int grade, bool hover )
	{
		const bool secondSet = level > 10;
		const std::string colour = secondSet ? "orange" : "blue";
		const int number = ( ( level - 1 ) % 10 ) + 1;
		std::string name = "resource/menu/level select/" + colour + "/levelselect" + std::to_string( number );
		if ( grade >= 1 && grade <= 3 )
		{
			name += kGradeLetters[grade - 1];
		}
		name += colour;
		if ( hover )
		{
			name += "hover";
		}
		return name + ".png";
	}
}
