#include "Physics/CollisionManager.h"

#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Game/Nebula.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/LineComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "core/MathConstants.h"

#include <algorithm>
#include <cmath>

namespace Physics
{
	using Tarn::Dot;
	using Tarn::Length;
	using Tarn::Unit;
	using Tarn::Vector2;

	namespace
	{

		// Whether a value and a direction point the same way along one axis, past a margin.
		bool SameWay( float value, float direction, float margin )
		{
			return ( value > margin && direction > margin ) || ( value < -margin && direction < -margin );
		}

		constexpr float kWallNudge = 0.0005f;
	}

	namespace Shapes
	{
		float EdgeSide( const Vector2& start, const Vector2& edge, const Vector2& point )
		{
			return ( point.Y - start.Y ) * -edge.X + ( point.X - start.X ) * edge.Y;
		}

		Quad BoxCorners( const Vector2& centre, float halfWidth, float halfHeight )
		{
			const float right = centre.X + halfWidth;
			const float left = centre.X - halfWidth;
			const float top = centre.Y + halfHeight;
			const float bottom = centre.Y - halfHeight;
			return { Vector2( right, top ), Vector2( right, bottom ), Vector2( left, bottom ), Vector2( left, top ) };
		}

		Quad Grow( const Quad& quad, float amount )
		{
			// The outward normal of edge i is (-dy, dx) / |E|; a corner moves out along
			// both edges that meet in it.
			std::array<Vector2, 4> outward;
			for ( size_t i = 0; i < 4; ++i )
			{
				const Vector2 edge = quad[( i + 1 ) % 4] - quad[i];
				outward[i] = Unit( Vector2( -edge.Y, edge.X ) );
			}
			Quad grown;
			for ( size_t i = 0; i < 4; ++i )
				grown[i] = quad[i] + ( outward[( i + 3 ) % 4] + outward[i] ) * amount;
			return grown;
		}

		bool PointInQuad( const Quad& quad, const Vector2& point, Vector2* normal )
		{
			float largest = 0.0f;
			size_t largestEdge = 0;
			for ( size_t i = 0; i < 4; ++i )
			{
				const Vector2 edge = quad[( i + 1 ) % 4] - quad[i];
				const float side = EdgeSide( quad[i], edge, point );
				if ( !( side > 0.0f ) )
					return false;
				if ( i == 0 || side > largest )
				{
					largest = side;
					largestEdge = i;
				}
			}
			if ( normal )
			{
				const Vector2 edge = quad[( largestEdge + 1 ) % 4] - quad[largestEdge];
				*normal = Vector2( edge.Y, -edge.X );
			}
			return true;
		}

		bool CirclesTouch( const Vector2& a, float radiusA, const Vector2& b, float radiusB, float dt, Vector2& normal )
		{
			const Vector2 between = a - b;
			const float distance = Length( between );
			if ( !( distance <= radiusA + radiusB ) )
				return false;
			normal = distance > 0.0f ? between * ( 1.0f / distance ) * ( dt / distance ) : Vector2();
			return true;
		}

		bool CircleInBox( const Vector2& centre, float radius, const Vector2& boxCentre, float halfWidth, float halfHeight,
		                  Vector2& normal )
		{
			Vector2 edgeNormal;
			if ( !PointInQuad( BoxCorners( boxCentre, halfWidth + radius, halfHeight + radius ), centre, &edgeNormal ) )
				return false;
			normal = Unit( edgeNormal );
			return true;
		}

		bool CircleBehindLine( const Vector2& centre, float radius, const Vector2& pt1, const Vector2& pt2, Vector2& normal )
		{
			const Vector2 d = pt2 - pt1;
			const Vector2 m( d.Y, -d.X );
			const Vector2 shifted = pt1 + Unit( m * -1.0f ) * radius;
			if ( !( Dot( centre - shifted, m ) > 0.0f ) )
				return false;
			// Within the extent: both projections onto the segment no longer than it.
			const Vector2 e = pt1 - pt2;
			const float lengthSquared = Dot( e, e );
			const float from1 = Dot( centre - pt1, e );
			const float from2 = Dot( centre - pt2, e );
			const float limit = lengthSquared * lengthSquared;
			if ( from1 * from1 > limit || from2 * from2 > limit )
				return false;
			normal = m;
			return true;
		}
	}

	void CollisionManager::Initialise() { mOnNotify.Subscribe( this, &CollisionManager::OnNebulaContact ); }

	void CollisionManager::Shutdown()
	{
		mOnNotify.Unsubscribe( this, &CollisionManager::OnNebulaContact );
		for ( auto& group : mGroups )
			group.clear();
		mMovingPairs.clear();
		mFixedPairs.clear();
		mColliderNames.clear();
		mPlayer = nullptr;
	}

	void CollisionManager::Update( Tarn::GameTime& gameTime ) { Step( gameTime.ElapsedSeconds ); }

	void CollisionManager::Clear()
	{
		mGroups[CollisionComponent::MOVING].clear();
		mGroups[CollisionComponent::FIXED].clear();
		ClearPairs();
	}

	void CollisionManager::ClearPairs()
	{
		mMovingPairs.clear();
		mFixedPairs.clear();
	}

	void CollisionManager::Register( CollisionComponent* collider )
	{
		if ( !collider || collider->mCollisionGroup < 0 || collider->mCollisionGroup > 2 )
			return;
		mGroups[collider->mCollisionGroup].push_back( collider );
	}

	void CollisionManager::Unregister( CollisionComponent* collider )
	{
		for ( auto& group : mGroups )
		{
			for ( auto it = group.begin(); it != group.end(); )
			{
				if ( *it != collider )
				{
					++it;
					continue;
				}
				if ( mStepping )
				{
					*it = nullptr;
					++it;
				}
				else
					it = group.erase( it );
			}
		}
		if ( mPlayer == collider )
			mPlayer = nullptr;
		if ( mStepping )
			mDeparted.push_back( collider );

		// The other owner of each of its contacts learns that the contact is over.
		for ( std::vector<ContactPair>* pairs : { &mMovingPairs, &mFixedPairs } )
		{
			for ( size_t i = 0; i < pairs->size(); )
			{
				const ContactPair pair = ( *pairs )[i];
				if ( pair.mA != collider && pair.mB != collider )
				{
					++i;
					continue;
				}
				pairs->erase( pairs->begin() + static_cast<std::ptrdiff_t>( i ) );
				CollisionComponent* other = pair.mA == collider ? pair.mB : pair.mA;
				if ( other && other != collider && !Departed( other ) )
					other->mOwner->OnCollisionEnd( collider );
			}
		}
	}

	CollisionComponent* CollisionManager::At( int group, size_t index ) const
	{
		const auto& list = mGroups[group];
		return index < list.size() ? list[index] : nullptr;
	}

	bool CollisionManager::Departed( const CollisionComponent* collider ) const
	{
		return std::find( mDeparted.begin(), mDeparted.end(), collider ) != mDeparted.end();
	}

	bool CollisionManager::IsActive( const CollisionComponent& collider ) const
	{
		const auto* transform = collider.mOwner->GetComponent<Tarn::TransformComponent>();
		return transform && transform->mActive;
	}

	bool CollisionManager::BeamVisible( CollisionComponent& beam, Shapes::Quad& corners ) const
	{
		return mHooks.mBeamShape && mHooks.mBeamShape( *beam.mOwner, corners );
	}

	void CollisionManager::SetFlash( CollisionComponent& collider, float level )
	{
		collider.mFlashLevel = level;
		if ( mHooks.mSetMeshTint )
			mHooks.mSetMeshTint( *collider.mOwner, level );
		else if ( auto* mesh = collider.mOwner->GetComponent<Graphics::MeshComponent>() )
			mesh->mColour.r = mesh->mColour.g = mesh->mColour.b = level;
	}

	void CollisionManager::Sync( CollisionComponent& collider, float dt )
	{
		if ( const auto* transform = collider.mOwner->GetComponent<Tarn::TransformComponent>() )
		{
			collider.mCentre = transform->mPosition;
			collider.mPreviousPosition = transform->mPrevPos;
			collider.mVelocity = transform->mVelocity;
		}
		else
		{
			collider.mCentre = Vector2();
			collider.mPreviousPosition = Vector2();
			collider.mVelocity = Vector2();
		}

		float& timer = collider.mInvulTimer;
		if ( timer > 0.0f )
		{
			// Over-bright and normal in turn, each for 1/6 s of the timer.
			const long long sixths = static_cast<long long>( std::floor( 6.0f * timer ) );
			SetFlash( collider, sixths % 2 == 0 ? 300.0f : 1.0f );
		}
		if ( timer != 0.0f )
		{
			timer -= dt;
			// A timer that lands on exactly 0 is over too; it would otherwise never be
			// counted down again and keep its owner invulnerable for good.
			if ( timer <= 0.0f )
			{
				SetFlash( collider, 1.0f );
				collider.mInvulnerable = false;
				timer = 0.0f;
			}
		}
	}

	void CollisionManager::Step( float dt )
	{
		mStepping = true;
		for ( ContactPair& pair : mMovingPairs )
			pair.mTouched = false;
		for ( ContactPair& pair : mFixedPairs )
			pair.mTouched = false;

		BeamPass( CollisionComponent::MOVING, mMovingPairs, dt );
		MovingPass( dt );
		BeamPass( CollisionComponent::FIXED, mFixedPairs, dt );
		FixedPass( dt );

		EndUntouched( mMovingPairs );
		EndUntouched( mFixedPairs );
		RespondMoving();
		RespondFixed();

		mStepping = false;
		if ( !mDeparted.empty() )
		{
			for ( auto& group : mGroups )
				std::erase( group, nullptr );
			mDeparted.clear();
		}
	}

	void CollisionManager::BeamPass( int group, std::vector<ContactPair>& pairs, float dt )
	{
		for ( size_t b = 0; b < mGroups[CollisionComponent::BEAM].size(); ++b )
		{
			CollisionComponent* beam = At( CollisionComponent::BEAM, b );
			Shapes::Quad corners;
			if ( !beam || !BeamVisible( *beam, corners ) )
				continue;
			for ( size_t i = 0; i < mGroups[group].size(); ++i )
			{
				// Read again: a contact handler may have ended the beam.
				beam = At( CollisionComponent::BEAM, b );
				CollisionComponent* collider = At( group, i );
				if ( !beam )
					break;
				if ( !collider )
					continue;
				Sync( *collider, dt );
				if ( collider == mPlayer || !IsActive( *collider ) )
					continue;
				if ( collider->mCollisionType == CollisionComponent::BOX )
				{
					if ( Shapes::PointInQuad( corners, collider->mCentre, nullptr ) )
						Hit( pairs, beam, collider, nullptr );
				}
				else if ( collider->mCollisionType == CollisionComponent::CIRCLE )
				{
					Vector2 normal;
					if ( Shapes::PointInQuad( Shapes::Grow( corners, collider->Radius() ), collider->mCentre, &normal ) )
						Hit( pairs, beam, collider, &normal );
				}
			}
		}
	}

	void CollisionManager::MovingPass( float dt )
	{
		const int moving = CollisionComponent::MOVING;
		for ( size_t i = 0; i < mGroups[moving].size(); ++i )
			if ( CollisionComponent* collider = At( moving, i ) )
				Sync( *collider, dt );

		for ( size_t i = 0; i < mGroups[moving].size(); ++i )
		{
			CollisionComponent* collider = At( moving, i );
			if ( !collider || collider == mPlayer || !IsActive( *collider ) )
				continue;
			Vector2 normal;
			if ( collider->mCollisionType == CollisionComponent::BOX )
			{
				if ( mPlayer && Shapes::CircleInBox( mPlayer->mCentre, mPlayer->Radius(), collider->mCentre,
				                                     collider->HalfWidth(), collider->HalfHeight(), normal ) )
					Hit( mMovingPairs, mPlayer, collider, &normal );
				continue;
			}
			if ( collider->mCollisionType != CollisionComponent::CIRCLE )
				continue;

			const Tarn::Object& owner = *collider->mOwner;
			const bool guard = owner.IsType( "MeleeGuard" );
			const auto* mine = owner.GetComponent<StateMachines::MineComponent>();
			const bool attackingMine = owner.IsType( "Mine" ) && mine && mine->mIsAttacking;
			const float reach = guard ? 0.5f : 0.0f;
			if ( guard || attackingMine )
			{
				for ( size_t j = 0; j < mGroups[moving].size(); ++j )
				{
					collider = At( moving, i );
					CollisionComponent* other = At( moving, j );
					if ( !collider )
						break;
					if ( !other || other == collider || other == mPlayer || other->mCollisionType != CollisionComponent::CIRCLE )
						continue;
					if ( Shapes::CirclesTouch( collider->mCentre, collider->Radius(), other->mCentre, other->Radius() + reach,
					                           dt, normal ) )
						Hit( mMovingPairs, collider, other, &normal );
				}
				collider = At( moving, i );
				if ( !collider )
					continue;
			}

			if ( !mPlayer )
				continue;
			Vector2 centre = collider->mCentre;
			float radius = collider->Radius();
			if ( const auto* machine = collider->mOwner->GetComponent<StateMachines::StateMachineComponent>();
			     machine && machine->mActionFlag )
			{
				centre = centre + machine->mAttackProjection;
				radius += machine->mAttackRadius;
			}
			if ( Shapes::CirclesTouch( mPlayer->mCentre, mPlayer->Radius(), centre, radius + reach, dt, normal ) )
				Hit( mMovingPairs, mPlayer, collider, &normal );
		}
	}

	void CollisionManager::FixedPass( float dt )
	{
		const int moving = CollisionComponent::MOVING;
		const int fixed = CollisionComponent::FIXED;
		for ( size_t i = 0; i < mGroups[fixed].size(); ++i )
		{
			CollisionComponent* collider = At( fixed, i );
			if ( !collider )
				continue;
			Sync( *collider, dt );
			if ( collider == mPlayer || !IsActive( *collider ) )
				continue;
			Vector2 normal;
			const Tarn::Object& owner = *collider->mOwner;

			if ( collider->mCollisionType == CollisionComponent::BOX )
			{
				if ( owner.IsType( "Gate" ) || owner.IsType( "EnemyGate" ) )
				{
					for ( size_t j = 0; j < mGroups[moving].size(); ++j )
					{
						collider = At( fixed, i );
						CollisionComponent* other = At( moving, j );
						if ( !collider )
							break;
						if ( !other || other->mInvulnerable )
							continue;
						if ( Shapes::CircleInBox( other->mCentre, other->Radius(), collider->mCentre, collider->HalfWidth(),
						                          collider->HalfHeight(), normal ) )
							Hit( mFixedPairs, other, collider, &normal );
					}
				}
				else if ( mPlayer && Shapes::CircleInBox( mPlayer->mCentre, mPlayer->Radius(), collider->mCentre,
				                                          collider->HalfWidth(), collider->HalfHeight(), normal ) )
					Hit( mFixedPairs, mPlayer, collider, &normal );
			}
			else if ( collider->mCollisionType == CollisionComponent::CIRCLE )
			{
				if ( owner.IsType( "Nebula" ) )
				{
					// What drifts into a nebula is only noted: no normal, no response.
					for ( int group : { fixed, moving } )
					{
						for ( size_t j = 0; j < mGroups[group].size(); ++j )
						{
							collider = At( fixed, i );
							CollisionComponent* other = At( group, j );
							if ( !collider )
								break;
							if ( !other || other == collider || other == mPlayer ||
							     other->mCollisionType != CollisionComponent::CIRCLE ||
							     ( group == fixed && other->mOwner->IsType( "Nebula" ) ) )
								continue;
							if ( Shapes::CirclesTouch( collider->mCentre, collider->Radius(), other->mCentre, other->Radius(),
							                           dt, normal ) )
								Hit( mFixedPairs, collider, other, nullptr );
						}
					}
					collider = At( fixed, i );
					if ( !collider )
						continue;
				}
				if ( mPlayer && Shapes::CirclesTouch( mPlayer->mCentre, mPlayer->Radius(), collider->mCentre,
				                                      collider->Radius(), dt, normal ) )
					Hit( mFixedPairs, mPlayer, collider, &normal );
			}
			else if ( collider->mCollisionType == CollisionComponent::LINE )
			{
				const auto* line = owner.GetComponent<LineComponent>();
				if ( mPlayer && line &&
				     Shapes::CircleBehindLine( mPlayer->mCentre, mPlayer->Radius(), line->mPt1, line->mPt2, normal ) )
					Hit( mFixedPairs, mPlayer, collider, &normal );
			}
		}
	}

	void CollisionManager::Hit( std::vector<ContactPair>& pairs, CollisionComponent* a, CollisionComponent* b,
	                            const Vector2* normal )
	{
		const std::string& nameA = a->mOwner->mName.GetName();
		const std::string& nameB = b->mOwner->mName.GetName();
		for ( ContactPair& pair : pairs )
		{
			const std::string& pairA = pair.mA->mOwner->mName.GetName();
			const std::string& pairB = pair.mB->mOwner->mName.GetName();
			if ( ( pairA == nameA && pairB == nameB ) || ( pairA == nameB && pairB == nameA ) )
			{
				pair.mTouched = true;
				if ( normal )
					b->mNormal = *normal;
				return;
			}
		}
		pairs.push_back( { a, b, true } );
		if ( normal )
			b->mNormal = *normal;
		a->mOwner->OnCollisionStart( b );
		if ( !Departed( a ) && !Departed( b ) )
			b->mOwner->OnCollisionStart( a );
	}

	void CollisionManager::EndUntouched( std::vector<ContactPair>& pairs )
	{
		for ( size_t i = 0; i < pairs.size(); )
		{
			if ( pairs[i].mTouched )
			{
				++i;
				continue;
			}
			const ContactPair pair = pairs[i];
			pairs.erase( pairs.begin() + static_cast<std::ptrdiff_t>( i ) );
			pair.mA->mOwner->OnCollisionEnd( pair.mB );
			if ( !Departed( pair.mA ) && !Departed( pair.mB ) )
				pair.mB->mOwner->OnCollisionEnd( pair.mA );
		}
	}

	void CollisionManager::RespondMoving()
	{
		for ( size_t i = 0; i < mMovingPairs.size(); ++i )
		{
			ContactPair& pair = mMovingPairs[i];
			CollisionComponent& other = *pair.mB;
			auto* transform = pair.mA == mPlayer ? mPlayer->mOwner->GetComponent<Tarn::TransformComponent>() : nullptr;
			if ( !transform || !other.mDefault )
			{
				pair.mA->mOwner->OnCollisionStay( pair.mB );
				continue;
			}
			const Vector2 velocity = mPlayer->mVelocity;
			const Vector2 n = other.mNormal;
			if ( other.mCollisionType == CollisionComponent::CIRCLE )
			{
				const Vector2 unit = Unit( n );
				transform->mVelocity = transform->mVelocity - unit * Dot( velocity, unit );
				if ( Dot( other.mVelocity, n ) > 0.0f )
					transform->mVelocity = transform->mVelocity + unit * Length( other.mVelocity );
			}
			else if ( other.mCollisionType == CollisionComponent::BOX )
				transform->mVelocity =
				    transform->mVelocity + Vector2( std::fabs( velocity.X ) * n.X, std::fabs( velocity.Y ) * n.Y );
		}
	}

	void CollisionManager::RespondFixed()
	{
		for ( size_t i = 0; i < mFixedPairs.size(); ++i )
		{
			ContactPair& pair = mFixedPairs[i];
			CollisionComponent& other = *pair.mB;
			if ( pair.mA != mPlayer || !mPlayer || !other.mDefault )
			{
				pair.mA->mOwner->OnCollisionStay( pair.mB );
				continue;
			}
			auto* transform = mPlayer->mOwner->GetComponent<Tarn::TransformComponent>();
			const Vector2 n = other.mNormal;
			if ( !transform || ( n.X == 0.0f && n.Y == 0.0f ) )
				continue;
			const Vector2 velocity = mPlayer->mVelocity;
			if ( other.mCollisionType == CollisionComponent::CIRCLE )
			{
				if ( Dot( velocity, n ) <= 0.0f )
				{
					const Vector2 unit = Unit( n );
					transform->mVelocity = transform->mVelocity - unit * Dot( velocity, unit );
				}
				continue;
			}
			const bool box = other.mCollisionType == CollisionComponent::BOX;
			// A box's normal points out of it; a line's points behind it, so its push
			// goes the other way.
			const Vector2 unit = box ? Unit( n ) : Unit( n ) * -1.0f;
			const float margin = box ? 0.0f : Tarn::kFloatEpsilon;
			if ( SameWay( velocity.X, unit.X, margin ) || SameWay( velocity.Y, unit.Y, margin ) )
				continue;
			other.mNormal = Vector2( std::fabs( velocity.X ) * unit.X, std::fabs( velocity.Y ) * unit.Y );
			transform->mVelocity = transform->mVelocity + other.mNormal;
			if ( box )
				transform->mPosition = transform->mPosition + unit * kWallNudge;
		}
	}

	void CollisionManager::OnNebulaContact( const char* objectName, bool flag )
	{
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* nebula = objects.GetObject( Tarn::HashedName( objectName ) );
		auto* machine = nebula ? nebula->GetComponent<StateMachines::StateMachineComponent>() : nullptr;
		if ( !machine )
			return;
		machine->mActionFlag = flag;
		Tarn::Object* cover = objects.GetObject( Tarn::HashedName( Tarn::Nebula::CoverName( machine->mSign ).c_str() ) );
		if ( auto* coverMachine = cover ? cover->GetComponent<StateMachines::StateMachineComponent>() : nullptr )
			coverMachine->mActionFlag = flag;
	}
}
