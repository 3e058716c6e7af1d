#pragma once

#include "Core/ObjectComponent.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <array>
#include <cstdint>

namespace Physics
{
	// The collision shape of an object. The collision manager copies the owner's
	// motion into it, tests it against the others of its kind and writes the contact
	// normal into it.
	class CollisionComponent : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( CollisionComponent )

	public:
		enum Group : int32_t
		{
			MOVING = 0,
			FIXED = 1,
			BEAM = 2,
		};

		enum Shape : int32_t
		{
			BOX = 0,
			CIRCLE = 2,
			LINE = 3,
		};

		explicit CollisionComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}

		const Tarn::ComponentProperties& Properties() const override;
		// Takes the settings of the owner's kind and joins that group's list; an owner
		// of a kind that does not collide joins none.
		void Initialise() override;
		void Shutdown() override;

		float Radius() const { return mCollisionData[0]; }
		float HalfWidth() const { return mCollisionData[0]; }
		float HalfHeight() const { return mCollisionData[1]; }

		Tarn::Vector2 mCentre;
		Tarn::Vector2 mPreviousPosition;
		Tarn::Vector2 mVelocity;
		Tarn::Vector2 mTopLeft;
		Tarn::Vector2 mBottomRight;
		Tarn::Vector2 mNormal;
		int32_t mCollisionGroup = MOVING;
		int32_t mCollisionType = BOX;
		// Box: half-width and half-height. Circle: the radius first.
		std::array<float, 2> mCollisionData{};
		bool mInvulnerable = false;
		// The player slides along this collider and is pushed by it.
		bool mDefault = true;
		float mInvulTimer = 0.0f;

		// The over-bright level the invulnerability flash last gave the owner's mesh:
		// 300 or 1.
		float mFlashLevel = 1.0f;
	};
}
