#include "StateMachines/EnemyMotion.h"

#include "Core/Object.h"
#include "Game/Player.h"
#include "Physics/TransformComponent.h"

#include <cmath>
#include <limits>

namespace StateMachines
{
	namespace
	{
		constexpr float kSlidingSpeedSq = 1.0f;
		constexpr float kSteeredSpeed = 1.5f;
	}

	Tarn::TransformComponent* PlayerTransform()
	{
		Tarn::Object* player = Tarn::FindPlayer();
		return player ? player->GetComponent<Tarn::TransformComponent>() : nullptr;
	}

	float DistanceSqTo( const Tarn::TransformComponent& from, const Tarn::TransformComponent* to )
	{
		if ( !to )
			return std::numeric_limits<float>::infinity();
		return Tarn::LengthSquared( to->mPosition - from.mPosition );
	}

	bool IsSliding( const Tarn::TransformComponent& transform )
	{
		return Tarn::LengthSquared( transform.mVelocity ) > kSlidingSpeedSq;
	}

	void SteerToward( Tarn::TransformComponent& transform, const Tarn::Vector2& point, float rate, float dt )
	{
		const Tarn::Vector2 toward = point - transform.mPosition;
		const Tarn::Vector2 velocity = transform.mVelocity;
		const float cross = toward.X * velocity.Y - toward.Y * velocity.X;
		if ( cross < 0.0f )
			transform.mDirection += rate * dt;
		else if ( cross > 0.0f )
			transform.mDirection -= rate * dt;
		const float speed = kSteeredSpeed * ( 1.0f - dt );
		transform.mVelocity = Tarn::Vector2( std::cos( transform.mDirection ), std::sin( transform.mDirection ) ) * speed;
	}

	void FaceToward( Tarn::TransformComponent& transform, const Tarn::Vector2& point )
	{
		const Tarn::Vector2 toward = point - transform.mPosition;
		transform.mDirection = std::atan2( toward.Y, toward.X );
	}

	void SetScale( Tarn::TransformComponent& transform, float scale )
	{
		transform.mXScaleFactor = scale;
		transform.mYScaleFactor = scale;
	}

	void MoveToward( Tarn::TransformComponent& transform, const Tarn::Vector2& point, float speed, float dt )
	{
		transform.mPosition = transform.mPosition + Tarn::Unit( point - transform.mPosition ) * ( speed * dt );
	}
}
