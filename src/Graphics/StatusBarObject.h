#pragma once

// The objects of the heads-up display's health bars: a bar, and the frame drawn around
// one. Where each stands is the level's data.

#include "Core/Object.h"
#include "core/HashedName.h"

#include <cstdint>

namespace Graphics
{
	class StatusBarObject : public Tarn::Object
	{
		TARN_CLASS_NAME( StatusBarObject )

	public:
		void Initialise() override;
		void Shutdown() override {}
	};

	// A picture in the screen's coordinates, above the bars it frames.
	class StatusBarOutline : public Tarn::Object
	{
		TARN_CLASS_NAME( StatusBarOutline )

	public:
		static constexpr const char* kTexture = "resource/healthbaroutline.png";
		static constexpr int32_t kDrawOrder = 6;

		void Initialise() override;
		void Shutdown() override {}
	};
}
