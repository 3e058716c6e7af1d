#include "StateMachines/MirrorRoutines.h"

#include "Core/Object.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineFamily.h"

#include <cmath>
#include <utility>

namespace StateMachines
{
	namespace
	{
		// Within this squared distance of a patrol point the drift has arrived.
		constexpr float kArrivedSq = 0.1f;

		void FileMirrorRoutines( StateMachineManager& manager )
		{
			manager.FileMineRoutine( Routine::DriftingMirror, MakeRoutine( "drifting mirror", &RunDriftingMirror, { Needs::Transform } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileMirrorRoutines )

	void DriftAlongPatrol( MineComponent& machine, float dt )
	{
		auto* transform = machine.mOwner->GetComponent<Tarn::TransformComponent>();
		if ( !transform )
			return;
		switch ( machine.mState )
		{
		case STATE_NORMAL:
			StepStateProtocol(
			    machine, dt,
			    // Without patrol points it stays where it is.
			    []( MineComponent& m ) { return m.mPatrols ? Go::On() : Go::Stay(); },
			    [transform]( MineComponent& m, float ) {
				    const Tarn::Vector2 toward = m.mPatrol[0] - transform->mPosition;
				    const float distanceSq = Tarn::LengthSquared( toward );
				    if ( distanceSq <= kArrivedSq )
					    return true;
				    transform->mVelocity = toward * ( 1.0f / std::sqrt( distanceSq ) );
				    return false;
			    },
			    []( MineComponent& m ) {
				    std::swap( m.mPatrol[0], m.mPatrol[1] );
				    return m.mWait ? STATE_PAUSE : STATE_NORMAL;
			    } );
			break;
		case STATE_PAUSE:
			StepStateProtocol(
			    machine, dt,
			    [transform]( MineComponent& m ) {
				    m.mStateTimer = 0.0f;
				    transform->mVelocity = Tarn::Vector2();
			    },
			    []( MineComponent& m, float step ) {
				    m.mStateTimer += step;
				    return m.mStateTimer >= m.mWaitTimer;
			    },
			    []( MineComponent& ) { return STATE_NORMAL; } );
			break;
		default: break;
		}
	}

	void RunDriftingMirror( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		DriftAlongPatrol( static_cast<MineComponent&>( component ), dt );
	}
}
