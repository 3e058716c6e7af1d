#pragma once

// A health bar of the heads-up display: a mesh whose length follows the health of the
// object it watches, the player's ("Player1") or, on a boss's body, the boss's
// ("Enemy1"). A main bar shows the health at once in the player's colour; a trailing bar
// behind it drains slowly. Drawn in the screen's -1 to 1 coordinates, whatever the
// camera does, through the alpha shader. The status-bar manager updates it.

#include "Graphics/MeshComponent.h"
#include "core/Colour.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <cstdint>

namespace Physics
{
	class StatsComponent;
}

namespace Graphics
{
	class StatusBarComponent : public MeshComponent
	{
		TARN_CLASS_NAME( StatusBarComponent )

	public:
		static constexpr int32_t kDrawOrder = 6;
		// The health that makes a bar of length 1.
		static constexpr float kPlayerBarHealth = 50.0f;
		static constexpr float kBossBarHealth = 100.0f;
		// A bar's thickness across its length.
		static constexpr float kThickness = 0.9f;
		static constexpr const char* kPlayerName = "Player1";
		static constexpr const char* kBossName = "Enemy1";
		static constexpr Tarn::Vector2 kPlayerBarPosition{ -0.95f, -0.15f };
		static constexpr Tarn::Vector2 kBossBarPosition{ 0.75f, -0.15f };
		// A trailing bar's colour; a main bar takes the player's.
		static constexpr Tarn::Colour kTrailColour{ 0.85f, 0.12f, 0.12f, 1.0f };

		explicit StatusBarComponent( Tarn::Object* owner ) : MeshComponent( owner ) {}
		~StatusBarComponent() override;

		// A mesh first; then the player's bar, or the boss's on a boss's body, as long as
		// the watched health; then joins the status-bar manager.
		void Initialise() override;
		void Shutdown() override;
		const Tarn::ComponentProperties& Properties() const override;
		void Draw( Tarn::GameTime& gameTime ) override;

		// The watched object's stats, looked up now: null while it is absent.
		Physics::StatsComponent* Stats() const;
		const Tarn::HashedName& Watched() const { return mWatched; }
		// Whether the watched object was there at the last look; the manager shows and
		// hides the bar as it comes and goes.
		bool mWatching = false;

		bool mIsMain = false;
		// Kept in the file; the update does not use them.
		bool mActive = false;
		float mScaleValue = 0.0f;
		Matrix mScaleMatrix = Identity();
		Matrix mTransform = Identity();
		Matrix mTranslationMatrix = Identity();
		Matrix mRotationMatrix = Identity();
		Tarn::Colour mBarColour = kTrailColour;
		// The drawn length, and the watched health in bar lengths at the last update.
		float mBufferValue = 0.0f;
		float mCurrentValue = 0.0f;
		float mBarPercentage = kPlayerBarHealth;
		Tarn::Vector2 mPosition = kPlayerBarPosition;
		float mDirection = 0.0f;

	private:
		Tarn::HashedName mWatched{ kPlayerName };
	};
}
