#include "Physics/PhysicsManager.h"

#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Game/VertexComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "Utilities/Log.h"
#include "Utilities/Random.h"
#include "core/MathConstants.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Physics
{
	namespace
	{
		constexpr float kFullTurn = 2.0f * Tarn::kPi;

		using Tarn::Random::Unit;

		bool IsFinite( const Tarn::Vector2& v ) { return std::isfinite( v.X ) && std::isfinite( v.Y ); }
	}

	void PhysicsManager::Initialise() { mUpdateOrder = 1; }

	void PhysicsManager::Update( Tarn::GameTime& gameTime ) { Integrate( gameTime.ElapsedSeconds ); }

	void PhysicsManager::Shutdown()
	{
		mDynamic.clear();
		mStatic.clear();
	}

	void PhysicsManager::Integrate( float dt )
	{
		for ( Tarn::TransformComponent* transform : mDynamic )
		{
			if ( !transform->mActive )
				continue;
			// A reset, not a wrap; negative angles are left as they are.
			if ( transform->mDirection >= kFullTurn )
				transform->mDirection = 0.0f;
			Tarn::Vector2 velocity = transform->mVelocity;
			if ( transform->mHasFriction )
				velocity = velocity * ( 0.95f - dt );
			transform->mVelocity = velocity;
			transform->mPrevPos = transform->mPosition;
			const Tarn::Vector2 position = transform->mPosition + transform->mVelocity * dt + transform->mForce * dt;
			if ( IsFinite( position ) || !IsFinite( transform->mPosition ) )
				transform->mPosition = position;
			else
			{
				// Pushed out of the range of numbers (by values no level should hold): it
				// stops where it is, rather than carry infinities into every collision
				// test and the camera that follows it.
				LOG_WARNING( transform->mOwner->mName.GetName() << " moved beyond the range of positions; it stops where it is." );
				transform->mVelocity = Tarn::Vector2();
			}
			transform->mForce = Tarn::Vector2();
			transform->UpdateWorldMatrix();
		}
		for ( Tarn::TransformComponent* transform : mStatic )
			transform->UpdateWorldMatrix();
	}

	void PhysicsManager::Register( Tarn::TransformComponent* transform, List list )
	{
		if ( !transform )
			return;
		switch ( list )
		{
		case List::Dynamic:
			mDynamic.push_back( transform );
			break;
		case List::Static:
			mStatic.push_back( transform );
			break;
		case List::Pool1:
		case List::Pool2:
		case List::Pool3:
		case List::Pool4:
			mPools[static_cast<size_t>( list ) - static_cast<size_t>( List::Pool1 )].push_back( transform );
			break;
		}
	}

	void PhysicsManager::Unregister( Tarn::TransformComponent* transform )
	{
		std::erase( mDynamic, transform );
		std::erase( mStatic, transform );
		for ( auto& pool : mPools )
			std::erase( pool, transform );
	}

	void PhysicsManager::ClearPools()
	{
		for ( auto& pool : mPools )
			pool.clear();
	}

	void PhysicsManager::FadeBossParts( float dt )
	{
		for ( auto& pool : mPools )
			for ( Tarn::TransformComponent* transform : pool )
				if ( transform->mActive )
				{
					if ( auto* mesh = transform->mOwner->GetComponent<Graphics::MeshComponent>() )
						mesh->mColour.a -= dt;
					transform->mVelocity = Tarn::Vector2();
				}
	}

	void PhysicsManager::LaunchDebris( const Tarn::Vector2& position, float baseAngle )
	{
		auto& debris = mPools[3];
		const auto idle = std::find_if( debris.begin(), debris.end(),
		                                []( const Tarn::TransformComponent* transform ) { return !transform->mActive; } );
		if ( idle == debris.end() )
			return;
		Tarn::TransformComponent* transform = *idle;
		const float angle = baseAngle + ( 2.0f * Tarn::kPi / 3.0f ) * Unit();
		const float speed = 0.25f + 0.25f * Unit();
		transform->mPosition = position;
		transform->mDirection = speed;
		transform->mVelocity = Tarn::Vector2( speed * std::cos( angle ), speed * std::sin( angle ) );
		transform->mActive = true;
		transform->mLifeSpan = 20.0f;
		if ( auto* mesh = transform->mOwner->GetComponent<Graphics::MeshComponent>() )
			mesh->mVisible = true;
		if ( auto* caster = transform->mOwner->GetComponent<Tarn::VertexComponent>() )
			caster->mVisible = true;
	}
}
