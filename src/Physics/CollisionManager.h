#pragma once

#include "Core/GameComponent.h"
#include "core/Event.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <array>
#include <string>
#include <vector>

namespace Tarn
{
	class Object;
}

namespace Physics
{
	class CollisionComponent;

	// The shape tests, in world units. An edge side s(E, p) of an edge E from S is
	// (p.y - S.y)(-E.x) + (p.x - S.x)E.y, positive on the inside.
	namespace Shapes
	{
		// Corners in the order of the four-edge test: (right, top), (right, bottom),
		// (left, bottom), (left, top), or the same turn for a rotated rectangle.
		using Quad = std::array<Tarn::Vector2, 4>;

		float EdgeSide( const Tarn::Vector2& start, const Tarn::Vector2& edge, const Tarn::Vector2& point );
		Quad BoxCorners( const Tarn::Vector2& centre, float halfWidth, float halfHeight );
		// Every edge moved outward by `amount`.
		Quad Grow( const Quad& quad, float amount );
		// Inside when every edge side is strictly positive. The normal, when asked for,
		// is the perpendicular (dy, -dx) of the edge with the largest side (the earlier
		// edge on a tie), not normalised: it points out through the nearest side.
		bool PointInQuad( const Quad& quad, const Tarn::Vector2& point, Tarn::Vector2* normal );
		// Touching at a distance of at most the sum of the radii. The normal is the
		// unit vector from b to a scaled by dt / distance; zero for coincident centres.
		bool CirclesTouch( const Tarn::Vector2& a, float radiusA, const Tarn::Vector2& b, float radiusB, float dt,
		                   Tarn::Vector2& normal );
		// The centre in the box grown by the radius; the normal as PointInQuad's, normalised.
		bool CircleInBox( const Tarn::Vector2& centre, float radius, const Tarn::Vector2& boxCentre, float halfWidth,
		                  float halfHeight, Tarn::Vector2& normal );
		// The circle has come within its radius of the front of the segment, inside the
		// segment's extent. The normal is (d.y, -d.x) of d = pt2 - pt1, not normalised.
		bool CircleBehindLine( const Tarn::Vector2& centre, float radius, const Tarn::Vector2& pt1, const Tarn::Vector2& pt2,
		                       Tarn::Vector2& normal );
	}

	// What the collision passes need of pieces built elsewhere. Each is filled by the
	// piece it belongs to; while it is not, beams take no part and no mesh flashes.
	struct CollisionHooks
	{
		// Refreshes the beam's rectangle into `corners`; false while the beam's mesh is hidden.
		bool ( *mBeamShape )( Tarn::Object& beam, Shapes::Quad& corners ) = nullptr;
		// Sets the r, g and b of the owner's mesh colour; unset, the owner's mesh is tinted.
		void ( *mSetMeshTint )( Tarn::Object& owner, float level ) = nullptr;
	};

	// Tests the colliders in each call of Update, keeps the pairs in contact, tells both
	// owners when a contact starts, goes on and ends, and makes the player slide along
	// solid things and be pushed by moving ones.
	class CollisionManager : public Tarn::GameComponent
	{
		TARN_CLASS_NAME( CollisionManager )

	public:
		struct ContactPair
		{
			CollisionComponent* mA = nullptr;
			CollisionComponent* mB = nullptr;
			bool mTouched = false;
		};

		explicit CollisionManager( Tarn::Game* game ) : GameComponent( game ) {}

		void Initialise() override;
		void Update( Tarn::GameTime& gameTime ) override;
		void Shutdown() override;

		// The passes of one call: beams, moving things, fixed things, then the ends of
		// contacts and the player's responses.
		void Step( float dt );

		// Empties the moving and fixed lists and both pair lists, without end calls.
		void Clear();
		// Empties both pair lists, without end calls (a new level).
		void ClearPairs();

		void Register( CollisionComponent* collider );
		// Takes the collider out of every list, whatever group it now names, and ends its
		// contacts for the other owners: no pair outlives a collider.
		void Unregister( CollisionComponent* collider );
		void RecordColliderName( const std::string& name ) { mColliderNames.push_back( name ); }
		void SetPlayerCollider( CollisionComponent* collider ) { mPlayer = collider; }
		CollisionComponent* GetPlayerCollider() const { return mPlayer; }

		// The manager's own handler of the notification list: a nebula touched by the
		// player raises (or lowers) the action flag of its machine and of its cover's.
		void OnNebulaContact( const char* objectName, bool flag );

		// Copies the owner's motion into the collider and runs its invulnerability.
		void Sync( CollisionComponent& collider, float dt );

		const std::vector<CollisionComponent*>& Group( int group ) const { return mGroups[group]; }
		const std::vector<ContactPair>& MovingPairs() const { return mMovingPairs; }
		const std::vector<ContactPair>& FixedPairs() const { return mFixedPairs; }
		const std::vector<std::string>& ColliderNames() const { return mColliderNames; }

		std::array<std::vector<CollisionComponent*>, 3> mGroups;
		std::vector<ContactPair> mMovingPairs;
		std::vector<ContactPair> mFixedPairs;
		std::vector<std::string> mColliderNames;
		CollisionComponent* mPlayer = nullptr;
		Tarn::Event<const char*, bool> mOnNotify;
		CollisionHooks mHooks;

	private:
		CollisionComponent* At( int group, size_t index ) const;
		bool Departed( const CollisionComponent* collider ) const;
		bool IsActive( const CollisionComponent& collider ) const;
		bool BeamVisible( CollisionComponent& beam, Shapes::Quad& corners ) const;
		void SetFlash( CollisionComponent& collider, float level );

		void BeamPass( int group, std::vector<ContactPair>& pairs, float dt );
		void MovingPass( float dt );
		void FixedPass( float dt );
		// A contact found in this call: refreshes its pair or starts a new one.
		void Hit( std::vector<ContactPair>& pairs, CollisionComponent* a, CollisionComponent* b,
		          const Tarn::Vector2* normal );
		void EndUntouched( std::vector<ContactPair>& pairs );
		void RespondMoving();
		void RespondFixed();

		bool mStepping = false;
		// Colliders that left during the step in progress; their slots are emptied and
		// compacted once the step is over.
		std::vector<const CollisionComponent*> mDeparted;
	};
}
