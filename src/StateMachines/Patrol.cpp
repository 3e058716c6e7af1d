#include "StateMachines/Patrol.h"

#include "Physics/TransformComponent.h"
#include "StateMachines/EnemyMotion.h"
#include "StateMachines/MineComponent.h"

#include <utility>

namespace StateMachines
{
	void FollowPatrol( MineComponent& machine, Tarn::TransformComponent& transform, float dt, PatrolMotion motion )
	{
		switch ( machine.mState )
		{
		case STATE_NORMAL:
			StepStateProtocol(
			    machine, dt,
			    // Without patrol points it stays where it is.
			    []( MineComponent& m ) { return m.mPatrols ? Go::On() : Go::Stay(); },
			    [&transform, motion]( MineComponent& m, float step ) {
				    const Tarn::Vector2 toward = m.mPatrol[0] - transform.mPosition;
				    if ( Tarn::LengthSquared( toward ) <= kArrivedSq )
					    return true;
				    if ( motion == PatrolMotion::ByVelocity )
					    transform.mVelocity = Tarn::Unit( toward ) * kPatrolSpeed;
				    else
					    MoveToward( transform, m.mPatrol[0], kPatrolSpeed, step );
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
			    [&transform, motion]( MineComponent& m ) {
				    m.mStateTimer = 0.0f;
				    if ( motion == PatrolMotion::ByVelocity )
					    transform.mVelocity = Tarn::Vector2();
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
}
