#include "Graphics/ContentNames.h"

namespace Graphics
{
	namespace
	{
		constexpr const char* kFurtherPictures[] = {
			// effects and scenery
			"resource/box.png",
			"resource/cloud.png",
			"resource/cloud_brown.png",
			"resource/asd.png",
			"resource/nebulacover.png",
			"resource/energybar.png",
			// the Guardian and its parts
			"resource/facegem.png",
			"resource/facegemattack.png",
			"resource/gemlessface.png",
			"resource/gemlessfaceattack.png",
			"resource/hurtface.png",
			"resource/hurtfaceattack.png",
			"resource/Fist2.png",
			"resource/Rock1.png",
			"resource/face2.png",
			"resource/EnergyBall.png",
			"resource/healthbar.png",
			// the second boss
			"resource/heart.png",
			"resource/skull.png",
			"resource/cupidaim.png",
			// collision outlines of the debug tools
			"resource/debug-aabb.png",
			"resource/debug-circle.png",
			"resource/debug_line.png",
			// the image of the registered "spritesheet" atlas
			"resource/sheet.png",
		};

		constexpr SpriteSheetName kSheets[] = {
			{ "./resource/Player Animation/sheet.xml", "./resource/Player Animation/sheet.png", 1 },
			{ "./resource/gate.xml", "./resource/gate.png", 4 },
			{ "./resource/stun.xml", "./resource/stun.png", 1 },
			{ "./resource/square2.xml", "./resource/square2.png", 15 },
			{ "./resource/square_gleam.xml", "./resource/square_gleam.png", 1 },
			{ "/resource/sheet.xml", "/resource/sheet.png", 1 },
		};
	}

	std::span<const char* const> FurtherPictureNames()
	{
		return kFurtherPictures;
	}

	std::span<const SpriteSheetName> SpriteSheetNames()
	{
		return kSheets;
	}
}
