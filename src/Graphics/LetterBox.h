#pragma once

// A cinematic bar across the screen: while active it grows to its full height and moves
// the camera "Camera1" in; while inactive it shrinks away and moves the camera back out.
// Its height belongs to the bar: each one starts flat.

#include "Core/GameComponent.h"
#include "Core/Object.h"
#include "core/HashedName.h"

#include <cstdint>

namespace Graphics
{
	class LetterBox : public Tarn::Object, public Tarn::IsUpdatable
	{
		TARN_CLASS_NAME( LetterBox )

	public:
		static constexpr const char* kTexture = "resource/box.png";
		// The bar spans the screen's width (-1 to 1) and grows to this height, at this
		// rate per second, in the screen's coordinates; it covers the scene.
		static constexpr float kWidth = 2.0f;
		static constexpr float kFullHeight = 0.5f;
		static constexpr float kGrowthRate = 0.3f;
		static constexpr float kCameraAmount = 1.0f;
		static constexpr int32_t kDrawOrder = 7;

		// Adds its transform, mesh and collision; inactive and flat.
		void Initialise() override;
		void Shutdown() override {}
		void Update( Tarn::GameTime& gameTime ) override;

		void SetActive( bool active ) { mActive = active; }
		bool IsActive() const { return mActive; }
		float Height() const { return mHeight; }

	private:
		bool mActive = false;
		float mHeight = 0.0f;
	};
}
