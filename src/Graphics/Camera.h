#pragma once

#include "Core/GameComponent.h"
#include "Core/Object.h"
#include "Graphics/Matrices.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <glm/vec3.hpp>

#include <bitset>
#include <string>

namespace Graphics
{
	class GraphicsManager;

	// The single view of the world ("Camera1"): follows the player when told to,
	// writes the graphics manager's view every update and measures how much of the
	// world the screen shows.
	class Camera : public Tarn::Object, public Tarn::IsUpdatable
	{
		TARN_CLASS_NAME( Camera )

	public:
		static constexpr const char* kFile = "./resource/Camera.xml";

		void Initialise() override;
		void Shutdown() override;
		void Update( Tarn::GameTime& gameTime ) override;
		void CreateTweakBar() override;

		// Follows the player's x from now on.
		void StartFollowing();
		// Follows the object of that name from now on, on the axes the locks leave free
		// (a cinematic turns the camera to the boss and back to the player).
		void Follow( const Tarn::HashedName& name );
		const Tarn::HashedName& Followed() const { return mFollowed; }
		// Eases the camera along its line of sight to `depth` in from its normal view
		// over `seconds` (at once for none); a depth of 0 is the normal view again.
		void ZoomTo( float depth, float seconds );
		float ZoomDepth() const { return mZoomDepth; }
		// Stands over the player's x at once, where following would end up: a level
		// starts with its ship in view.
		void CentreOnPlayer();
		// Along the line of sight, by amount x speed x the step length.
		void MoveForward( float amount );
		void MoveBackward( float amount );
		// Along the line of sight by `distance` world units, forward when positive.
		void Move( float distance );
		// The screen shake: a flicker of rotation and offset while a shake runs.
		Matrix GetShakeMatrix();
		// Writes the camera file (the speed always as "1.0").
		bool Save();
		// Reads the camera file; a missing or broken one keeps the current values.
		bool Load();

		float GetHalfWidth() const { return mHalfWidth; }
		// Where Load and Save read and write; the camera file of the data root.
		std::string mFile = kFile;
		float GetHalfHeight() const { return mHalfHeight; }

		glm::vec3 mEye{ 0.0f, 2.0f, -25.0f };
		glm::vec3 mLook{ 0.0f, 0.0f, 0.0f };
		glm::vec3 mUp{ 0.0f, 1.0f, 0.0f };
		Matrix* mView = nullptr;
		float mSpeed = 1.0f;
		bool mFollowPlayer = false;
		// The position of what the camera follows: the player, unless it was told to
		// follow another object.
		const Tarn::Vector2* mPlayerPosition = nullptr;
		bool mShake = false;
		std::bitset<4> mFollowLocks;
		float mHalfWidth = 0.0f;
		float mHalfHeight = 0.0f;

		// The shake's state, shared by every caller.
		struct ShakeState
		{
			float mTime = 0.0f;
			float mAngle = 0.0f;
			float mX = 0.0f;
			float mY = 0.0f;
		};
		static ShakeState& Shake();

	private:
		const Tarn::Vector2* FindPosition( const Tarn::HashedName& name ) const;
		float StepSeconds() const;
		void StepZoom( float dt );

		// What the camera follows: the player from initialisation on.
		Tarn::HashedName mFollowed{ "" };
		// The zoom: how far in the camera stands now, where it set out from and where it
		// is going, and how far through the ease it is.
		float mZoomDepth = 0.0f;
		float mZoomFrom = 0.0f;
		float mZoomGoal = 0.0f;
		float mZoomTime = 0.0f;
		float mZoomLength = 0.0f;
	};
}
