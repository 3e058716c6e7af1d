#pragma once

#include "Core/Object.h"
#include "core/HashedName.h"

namespace Tarn
{
	// The player's animated body: a sprite sheet beneath the ship's head that follows
	// it and spins (its machine runs the halo routine).
	class PlayerDoodad : public Object
	{
		TARN_CLASS_NAME( PlayerDoodad )

	public:
		static constexpr const char* kSheetXml = "./resource/Player Animation/sheet.xml";
		static constexpr const char* kSheetPng = "./resource/Player Animation/sheet.png";
		static constexpr const char* kSheetTexture = "resource/Player Animation/sheet.png";
		static constexpr float kFrameTime = 1.0f;

		void Initialise() override;
		void Shutdown() override {}
	};
}
