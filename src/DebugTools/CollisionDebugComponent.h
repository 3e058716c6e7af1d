#pragma once

#include "Graphics/MeshComponent.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <cstdint>
#include <vector>

namespace Tarn
{
	// Draws the owner's collision shape as an outline of thin line segments over its
	// sprite, in the world of the camera "Camera1". Hidden unless the debug tools'
	// switch was on when it started, or is toggled on later.
	class CollisionDebugComponent : public Graphics::MeshComponent
	{
		TARN_CLASS_NAME( CollisionDebugComponent )

	public:
		// One straight piece of an outline: its midpoint, the direction it runs in and
		// its length, all in world units.
		struct Segment
		{
			Vector2 mCentre;
			float mAngle = 0.0f;
			float mLength = 0.0f;
		};

		// The outlines show above the sprites they belong to.
		static constexpr int32_t kDrawLayer = 2;
		// How wide a segment is drawn, in world units.
		static constexpr float kLineWidth = 0.04f;
		// A circle gets no more segments than this: a radius read from a broken file
		// must not stall the frame.
		static constexpr int32_t kMaxCircleSegments = 256;

		explicit CollisionDebugComponent( Object* owner ) : MeshComponent( owner ) {}
		~CollisionDebugComponent() override;

		void Initialise() override;
		void Shutdown() override;
		// Its own data is the draw order; its bar is the mesh's.
		const ComponentProperties& Properties() const override;
		void CreateTweakBar() override;
		TweakCallback GetTweakCallback() override { return &OpenTweakBar; }
		void Draw( GameTime& gameTime ) override;

		// The texture that stands for a collision type; empty for a type that has none,
		// which keeps the mesh's own texture.
		static const char* TextureFor( int32_t collisionType );
		// How many segments a circle of this radius is drawn with.
		static int32_t CircleSegmentCount( float radius );
		// The outline of the owner's current collision shape; empty without a collider
		// or for a shape that has no outline.
		std::vector<Segment> Outline() const;

	protected:
		// Its texture follows the collider, never the file: nothing to act on.
		void OnDeserialised( const pugi::xml_node& ) override {}
	};
}
