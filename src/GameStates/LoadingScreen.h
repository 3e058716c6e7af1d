#pragma once
// The full-screen picture that covers a level change: it fades in with the tip of the
// level about to load, stays up while the button manager runs the functions that load
// levels, waits for a click (or Enter, Space or Escape) with "Click to continue..."
// blinking once the level is in, and fades out. At a cold start the same screen shows
// the splash picture over the main menu, waiting the same way. Made by the button
// manager at start.

#include "Core/GameComponent.h"
#include "Core/Object.h"
#include "core/HashedName.h"

#include <cstdint>

namespace Graphics
{
	class FontComponent;
	class MeshComponent;
}

namespace Tarn
{
	class LoadingScreen : public Object, public IsUpdatable
	{
		TARN_CLASS_NAME( LoadingScreen )

	public:
		static constexpr const char* kObjectName = "LoadingScreen";
		static constexpr const char* kPicture = "resource/loading.png";
		static constexpr const char* kSplashPicture = "resource/Tessaro_logo.png";
		// Above everything else in the frame, its tip above the picture.
		static constexpr int32_t kDrawOrder = 11;
		static constexpr int32_t kTipDrawOrder = 12;
		// Alpha per second while fading; the screen is up once the alpha reaches kUpAlpha.
		static constexpr float kFadeRate = 2.0f;
		static constexpr float kUpAlpha = 1.5f;
		// The tip's place and letter size as fractions of the window, and its colour under
		// the fading alpha.
		static constexpr float kTipX = 0.1f;
		static constexpr float kTipY = 0.7f;
		static constexpr float kTipWidth = 0.02f;
		static constexpr float kTipHeight = 0.05f;
		// Purple, light enough to read on the picture's dark band.
		static constexpr uint32_t kTipColour = 0xB46EFF;

		void Initialise() override;
		void Shutdown() override;
		void Update( GameTime& gameTime ) override;

		// Starts fading in, with the tip of the level manager's level number.
		void Show();
		// The splash: up at once, without a tip, waiting for the player as after a load.
		void ShowSplash();
		bool IsSplash() const { return mSplash; }
		// The level is in: "Click to continue..." blinks until the player answers.
		void Hide();
		// Starts fading out.
		void Continue();

		// The tip of a level, null for a level without one (the last tip then stays).
		static const char* Tip( int32_t level );

		bool IsShown() const { return mShown; }
		// Fully in: the functions that wait for it may run.
		bool IsUp() const { return mIsUp; }
		bool IsFadingIn() const { return mFadingIn; }
		// Up with its level loaded, until the player answers.
		bool IsWaiting() const { return mWaiting; }
		float Alpha() const { return mAlpha; }
		float AlphaLimit() const { return mAlphaLimit; }

		void OnMouseButton( int32_t x, int32_t y, int32_t button );
		void OnKey( uint32_t key, uint32_t modifiers );

	private:
		Graphics::MeshComponent* Mesh() const;
		Graphics::FontComponent* TipFont() const;
		// The picture on screen: fading in from `alpha`, or, for the splash, up at once.
		void Present( const char* picture, bool splash, float alpha );
		// The picture and the tip at the current alpha.
		void ApplyAlpha();
		void Listen( bool listen );
		void Vanish();

		bool mShown = false;
		float mAlphaLimit = kUpAlpha;
		float mAlpha = 0.0f;
		bool mFadingIn = false;
		bool mIsUp = false;
		bool mWaiting = false;
		bool mListening = false;
		bool mSplash = false;
	};
}
