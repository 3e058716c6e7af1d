#include "StateMachines/PlayerRoutines.h"

#include "Core/Object.h"
#include "Game/Player.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/RoutineFamily.h"
#include "StateMachines/StateMachineComponent.h"

namespace StateMachines
{
	namespace
	{
		constexpr float kHitSequenceLength = 1.5f;
		constexpr float kSpinMax = 2.0f * Tarn::kPi / 3.0f;
		constexpr float kSpinRise = Tarn::kPi / 3.0f;
		constexpr float kSpinFall = 0.52359f;

		void FilePlayerRoutines( StateMachineManager& manager )
		{
			manager.FileMachineRoutine( Routine::PlayerSequences,
			                            MakeRoutine( "player sequences", &RunPlayerSequences, { Needs::Transform, Needs::Collision } ) );
			manager.FileMachineRoutine( Routine::PlayerHalo, MakeRoutine( "player halo", &RunPlayerHalo, { Needs::Transform } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FilePlayerRoutines )

	float& PlayerHaloSpin()
	{
		static float spin = kHaloSpinStart;
		return spin;
	}

	void RunPlayerSequences( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto& machine = static_cast<StateMachineComponent&>( component );
		if ( machine.mState != STATE_WAIT )
			return;
		const auto* collider = component.mOwner->GetComponent<Physics::CollisionComponent>();
		StepStateProtocol(
		    machine, dt, []( StateMachineComponent& m ) { m.mStateTimer = 0.0f; },
		    [collider]( StateMachineComponent& m, float step ) {
			    m.mStateTimer += step;
			    return ( collider && collider->mInvulnerable ) || m.mStateTimer >= kHitSequenceLength;
		    },
		    []( StateMachineComponent& ) { return STATE_NONE; } );
	}

	void RunPlayerHalo( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto* transform = component.mOwner->GetComponent<Tarn::TransformComponent>();
		Tarn::Object* player = Tarn::FindPlayer();
		const auto* followed = player ? player->GetComponent<Tarn::TransformComponent>() : nullptr;
		if ( !transform || !followed )
			return;
		transform->mPosition = followed->mPosition;
		transform->mVelocity = followed->mVelocity;
		transform->mXScaleFactor = followed->mXScaleFactor;
		transform->mYScaleFactor = followed->mYScaleFactor;

		float& spin = PlayerHaloSpin();
		const Tarn::Vector2 v = followed->mVelocity;
		if ( v.X * v.X + v.Y * v.Y > 1.0f )
		{
			spin += kSpinRise * dt;
			if ( spin > kSpinMax )
				spin = kSpinMax;
		}
		else if ( spin >= kSpinFall )
			spin -= kSpinFall * dt;
		transform->mDirection += spin * dt;
	}
}
