#pragma once

#include "Core/ObjectComponent.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

namespace Physics
{
	// A segment with a normal: the face of a mirror, the shape of a line collider.
	class LineComponent : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( LineComponent )

	public:
		explicit LineComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}

		const Tarn::ComponentProperties& Properties() const override;
		void Initialise() override {}
		void Shutdown() override {}

		// Turns the segment by `delta` radians about the owner's position and rebuilds
		// its end points and normal from mAngle and mScale.
		void Rotate( float delta );

		Tarn::Vector2 mPt1;
		Tarn::Vector2 mPt2;
		Tarn::Vector2 mNormal;
		float mAngle = 0.0f;
		float mScale = 0.0f;

	protected:
		// A mirror's face is rebuilt from its transform once the values are read.
		void OnDeserialised( const pugi::xml_node& element ) override;
	};
}
