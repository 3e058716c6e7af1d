#pragma once

// Light cones: every update it shapes the cone of each shadow caster (a prism's
// silhouette seen from the light, thrown 30 units away from it) and lets the lit cones
// stun guards, burn crystals and charge switches of their own colour. It keeps a
// non-owning list of the casters, which join in their Initialise and leave in their
// Shutdown; it draws nothing (each caster draws its own cone).

#include "Core/GameComponent.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <array>
#include <vector>

namespace Physics
{
	class PhysicsManager;
}

namespace Tarn
{
	class VertexComponent;

	// The plane geometry of cones, in world units.
	namespace Light
	{
		// A caster's outline: four corners, clockwise from the top left.
		using Corners = std::array<Vector2, 4>;

		// The two points of a caster that bound it as seen from a light.
		struct Silhouette
		{
			Vector2 mPoint1;
			Vector2 mPoint2;
			// False when the light is inside the caster (or at its centre): nothing
			// is seen from there, and there is no cone.
			bool mFound = false;
		};

		// The corners a box is seen between from `light`: the one furthest round on
		// each side of the line from the light to the centre. Of corners that lie on one
		// ray from the light the nearer is taken, so that a light level with a face
		// sees the face's near corner. Point 1 is the corner further off that line.
		Silhouette BoxSilhouette( const Corners& corners, const Vector2& centre, const Vector2& light );
		// The points where the tangents from `light` touch a circle.
		Silhouette CircleSilhouette( const Vector2& centre, float radiusSquared, const Vector2& light );
		// `point` moved `distance` further along the ray from the light through it; a
		// point at the light stays where it is.
		Vector2 Project( const Vector2& point, const Vector2& light, float distance );
		// Inside when the three edge cross products are all negative or all
		// non-negative: either turn of the corners, edges included.
		bool PointInTriangle( const Vector2& a, const Vector2& b, const Vector2& c, const Vector2& point );
	}

	class ShadowManager : public GameComponent
	{
		TARN_CLASS_NAME( ShadowManager )

	public:
		// How far a cone reaches beyond its caster's silhouette.
		static constexpr float kConeLength = 30.0f;

		explicit ShadowManager( Game* game ) : GameComponent( game ) {}

		void Initialise() override;
		void Update( GameTime& gameTime ) override;
		// Lets go of every caster.
		void Shutdown() override;

		void Add( VertexComponent* vertex );
		// Asserts when given none; a caster that is not on the list is passed over.
		void Remove( VertexComponent* vertex );
		const std::vector<VertexComponent*>& Casters() const { return mVertices; }

		// The first pass: each caster's position, outline, silhouette and cone.
		void ShapeCones();
		// The second pass: what each lit cone lights is stunned, burnt or charged; a
		// switch that no cone lights is told so. Every cone is then put out: the beam
		// lights it again in the next update while it still holds the prism.
		void ApplyLight();

	private:
		Physics::PhysicsManager* Physics();

		std::vector<VertexComponent*> mVertices;
		// The cones lit in the update in progress; its room is kept from one update to the next.
		std::vector<const VertexComponent*> mLitCones;
		Physics::PhysicsManager* mPhysics = nullptr;
	};
}
