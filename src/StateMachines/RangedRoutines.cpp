// The ranged guard: watches, faces the player, winds up and lunges, and is stunned.
#include "Core/Object.h"
#include "Graphics/EmitterComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/EnemyMotion.h"
#include "StateMachines/RangedComponent.h"
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		constexpr float kWatchRangeSq = 100.0f;
		constexpr float kAiming = 2.0f;     // seconds facing the player
		constexpr float kWindUp = 1.5f;     // seconds with the fire flag up
		constexpr float kStunLength = 2.0f; // seconds
		constexpr float kLungeSpeed = 20.0f;

		bool Elapsed( RangedComponent& machine, float dt, float length )
		{
			machine.mStateTimer += dt;
			return machine.mStateTimer >= length;
		}

		void RunRanged( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
		{
			auto& machine = static_cast<RangedComponent&>( component );
			auto* transform = machine.mOwner->GetComponent<Tarn::TransformComponent>();
			auto* emitter = machine.mOwner->GetComponent<Graphics::EmitterComponent>();
			if ( !transform || !emitter )
				return;
			const Tarn::TransformComponent* player = PlayerTransform();
			auto facePlayer = [&]() {
				if ( player )
					FaceToward( *transform, player->mPosition );
			};
			auto restart = []( RangedComponent& m ) { m.mStateTimer = 0.0f; };

			switch ( machine.mState )
			{
			case STATE_NORMAL:
				StepStateProtocol(
				    machine, dt, []( RangedComponent& m ) { m.mFireFlag = false; },
				    [&]( RangedComponent&, float ) {
					    return !IsSliding( *transform ) && DistanceSqTo( *transform, player ) < kWatchRangeSq;
				    },
				    [&]( RangedComponent& ) {
					    facePlayer();
					    return STATE_SEEK;
				    } );
				break;
			case STATE_SEEK:
				StepStateProtocol(
				    machine, dt, restart,
				    [&]( RangedComponent& m, float step ) {
					    facePlayer();
					    return Elapsed( m, step, kAiming );
				    },
				    []( RangedComponent& ) { return STATE_ENGAGE; } );
				break;
			case STATE_ENGAGE:
				StepStateProtocol(
				    machine, dt,
				    []( RangedComponent& m ) {
					    m.mFireFlag = true;
					    m.mStateTimer = 0.0f;
				    },
				    []( RangedComponent& m, float step ) { return Elapsed( m, step, kWindUp ); },
				    [&]( RangedComponent& ) {
					    if ( player )
						    transform->mVelocity = Tarn::Unit( player->mPosition - transform->mPosition ) * kLungeSpeed;
					    return STATE_NORMAL;
				    } );
				break;
			case STATE_WAIT:
				StepStateProtocol(
				    machine, dt,
				    [emitter]( RangedComponent& m ) {
					    emitter->MeleeGuardStun();
					    m.mStateTimer = 0.0f;
				    },
				    []( RangedComponent& m, float step ) { return Elapsed( m, step, kStunLength ); },
				    []( RangedComponent& ) { return STATE_NORMAL; } );
				break;
			case STATE_REPAIR:
				// A switch links to a guard's StateMachineComponent only: a ranged machine
				// never holds one to walk to, and goes back to watching.
				machine.mState = STATE_NORMAL;
				machine.mInnerState = INNER_STATE_ON_ENTER;
				break;
			default: break;
			}
		}

		void FileRangedRoutines( StateMachineManager& manager )
		{
			manager.FileRangedRoutine( MakeRoutine( "ranged guard", &RunRanged, { Needs::Transform, Needs::Emitter } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileRangedRoutines )
}
