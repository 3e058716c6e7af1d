#include "Graphics/ContentNames.h"

#include <array>
#include <cstddef>

namespace Graphics
{
	namespace
	{
		// The colour glyphs, by code: red, green, blue, red+green, green+blue, red+blue.
		constexpr std::array<const char*, 6> kGlyphPictures = {
			"resource/glyphs/colour1.png", "resource/glyphs/colour2.png", "resource/glyphs/colour3.png",
			"resource/glyphs/colour4.png", "resource/glyphs/colour5.png", "resource/glyphs/colour6.png",
		};

		constexpr std::array kOtherPictures = {
			// effects and scenery
			"resource/box.png",
			"resource/cloud.png",
			"resource/cloud_brown.png",
			"resource/asd.png",
			"resource/nebulacover.png",
			"resource/energybar.png",
			kConePicture,
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

		// Every picture named beyond the start-up list, the glyphs last.
		constexpr auto kFurtherPictures = []() {
			std::array<const char*, kOtherPictures.size() + kGlyphPictures.size()> all{};
			size_t next = 0;
			for ( const char* name : kOtherPictures )
				all[next++] = name;
			for ( const char* name : kGlyphPictures )
				all[next++] = name;
			return all;
		}();

		constexpr SpriteSheetName kSheets[] = {
			{ "./resource/Player Animation/sheet.xml", "./resource/Player Animation/sheet.png", 1 },
			{ "./resource/gate.xml", "./resource/gate.png", 4 },
			{ "./resource/stun.xml", "./resource/stun.png", 1 },
			{ "./resource/square2.xml", "./resource/square2.png", 15 },
			{ "./resource/square_gleam.xml", "./resource/square_gleam.png", 1 },
			{ "/resource/sheet.xml", "/resource/sheet.png", 1 },
		};
	}

	const char* ColourGlyphPicture( int32_t code )
	{
		return code >= 1 && code <= int32_t( kGlyphPictures.size() ) ? kGlyphPictures[size_t( code - 1 )] : nullptr;
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
