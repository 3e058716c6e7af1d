#include "StateMachines/MirrorRoutines.h"

#include "Core/Object.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/Patrol.h"
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		void FileMirrorRoutines( StateMachineManager& manager )
		{
			manager.FileMineRoutine( Routine::DriftingMirror, MakeRoutine( "drifting mirror", &RunDriftingMirror, { Needs::Transform } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileMirrorRoutines )

	void DriftAlongPatrol( MineComponent& machine, float dt )
	{
		if ( auto* transform = machine.mOwner->GetComponent<Tarn::TransformComponent>() )
			FollowPatrol( machine, *transform, dt, PatrolMotion::ByVelocity );
	}

	void RunDriftingMirror( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		DriftAlongPatrol( static_cast<MineComponent&>( component ), dt );
	}
}
