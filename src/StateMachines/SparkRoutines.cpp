// The switch effect spark: flies from a lit switch to its gate and goes out there.
#include "Core/Object.h"
#include "Graphics/EmitterComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/EnemyMotion.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineFamily.h"

namespace StateMachines
{
	namespace
	{
		constexpr float kSparkSpeed = 5.0f;
		// A trail of emission life 0 spawns for as long as it is left so; once the spark
		// has arrived it spawns for a tenth of a second more.
		constexpr float kTrailInFlight = 0.0f;
		constexpr float kTrailAfterArrival = 0.1f;

		// Launched, it flies (STATE_NORMAL) straight at patrol point 0, where the colour
		// puzzle's launch put the gate; there it goes out and waits for its next launch
		// (STATE_NONE). No inner states.
		void RunSpark( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
		{
			auto& machine = static_cast<MineComponent&>( component );
			if ( machine.mState != STATE_NORMAL )
				return;
			auto* transform = machine.mOwner->GetComponent<Tarn::TransformComponent>();
			auto* emitter = machine.mOwner->GetComponent<Graphics::EmitterComponent>();
			if ( !transform || !emitter )
				return;
			if ( Tarn::LengthSquared( machine.mPatrol[0] - transform->mPosition ) > kArrivedSq )
			{
				MoveToward( *transform, machine.mPatrol[0], kSparkSpeed, dt );
				emitter->mEmitLifeTime = kTrailInFlight;
				emitter->mEmitCurrentTimer = 0.0f;
				return;
			}
			emitter->mEmitLifeTime = kTrailAfterArrival;
			transform->mActive = false;
			machine.mState = STATE_NONE;
		}

		void FileSparkRoutines( StateMachineManager& manager )
		{
			manager.FileMineRoutine( Routine::SwitchEffectSpark,
			                         MakeRoutine( "switch effect spark", &RunSpark, { Needs::Transform, Needs::Emitter } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileSparkRoutines )
}
