#pragma once

#include "Core/ObjectComponent.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <glm/mat4x4.hpp>

#include <cstdint>

namespace Tarn
{
	// Where an object is and was, how it moves, turns and is scaled, and the world
	// matrix it is drawn with. The physics manager integrates and rebuilds it.
	class TransformComponent : public ObjectComponent
	{
		TARN_CLASS_NAME( TransformComponent )

	public:
		enum TransType : int32_t
		{
			DYNAMIC = 0,
			STATIC = 1,
		};

		explicit TransformComponent( Object* owner ) : ObjectComponent( owner ) {}

		const ComponentProperties& Properties() const override;
		// Applies the settings of the owner's type and joins the physics manager.
		void Initialise() override;
		void Shutdown() override;

		// Scaling x rotation about Z x translation, for row vectors: a point is scaled
		// first and moved last. Whatever moves a transform outside the manager calls this.
		void UpdateWorldMatrix();
		const glm::mat4& GetWorldMatrix() const { return mWorld; }

		Vector2 mPrevPos;
		Vector2 mPosition;
		Vector2 mVelocity;
		Vector2 mForce;
		float mDirection = 0.0f;
		float mXScaleFactor = 1.0f;
		float mYScaleFactor = 1.0f;
		float mZScaleFactor = 1.0f;
		float mLifeSpan = 0.0f;
		bool mHasFriction = false;
		bool mActive = false;
		int32_t mTransType = DYNAMIC;
		// A row-vector matrix: a point transforms as v * mWorld.
		glm::mat4 mWorld{ 1.0f };
	};
}
