#pragma once

#include <cstdint>
#include <span>

namespace Graphics
{
	// Pictures that objects, effects and tools name directly, beyond the start-up list
	// (the texture manager looks them up by these paths when they are first shown).
	std::span<const char* const> FurtherPictureNames();

	// The mask a light cone is drawn through: bright at the caster, softer toward its
	// far end and its sides.
	constexpr const char* kConePicture = "resource/cone.png";

	// The glyph that shows a colour code (1 to 6) to a player who cannot tell the
	// colours apart, on cones, switches and gates alike; null for any other code.
	const char* ColourGlyphPicture( int32_t code );

	// A sprite sheet: the atlas and the image whose pixels its frames cut, spelt as
	// the code that plays them spells them.
	struct SpriteSheetName
	{
		const char* mAtlas;
		const char* mImage;
		int mMinimumFrames;  // the highest frame any animation plays, plus one
	};
	std::span<const SpriteSheetName> SpriteSheetNames();

	// The font that every text of the game is set in.
	constexpr const char* kFontPath = "resource/spaceranger.ttf";

	// The camera's start values.
	constexpr const char* kCameraFile = "./resource/Camera.xml";
}
