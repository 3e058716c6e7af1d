// The gate barrier: a cycle of hurting and resting phases until its gate opens.
#include "Core/Object.h"
#include "Graphics/EmitterComponent.h"
#include "StateMachines/RoutineFamily.h"
#include "StateMachines/StateMachineComponent.h"

namespace StateMachines
{
	namespace
	{
		constexpr float kHurting = 1.0f; // seconds engaged: what touches it is thrown off
		constexpr float kResting = 0.5f;
		constexpr float kFalling = 1.5f; // seconds from the gate's opening to the barrier's end
		// How long the swirl still spawns once the barrier falls.
		constexpr float kLastSwirl = 0.1f;

		// The barrier shows its phase on its emitter: spikes while it hurts, a swirl at rest.
		template <void ( Graphics::EmitterComponent::*Show )()>
		void ShowPhase( const StateMachineComponent& machine )
		{
			if ( auto* emitter = machine.mOwner->GetComponent<Graphics::EmitterComponent>() )
				( emitter->*Show )();
		}

		// Keeps only its own machine's timer and flag; what touches the barrier reads them.
		void RunGateBarrier( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
		{
			auto& machine = static_cast<StateMachineComponent&>( component );
			auto timed = []( float length ) {
				return [length]( StateMachineComponent& m, float step ) {
					m.mStateTimer += step;
					return m.mStateTimer >= length;
				};
			};
			switch ( machine.mState )
			{
			case STATE_ENGAGE:
				StepStateProtocol(
				    machine, dt,
				    []( StateMachineComponent& m ) {
					    m.mStateTimer = 0.0f;
					    ShowPhase<&Graphics::EmitterComponent::GateBarrierSpike>( m );
				    },
				    timed( kHurting ), []( StateMachineComponent& ) { return STATE_NORMAL; } );
				break;
			case STATE_NORMAL:
				StepStateProtocol(
				    machine, dt,
				    []( StateMachineComponent& m ) {
					    m.mActionFlag = true;
					    m.mStateTimer = 0.0f;
					    ShowPhase<&Graphics::EmitterComponent::PortalSwirl>( m );
				    },
				    timed( kResting ), []( StateMachineComponent& ) { return STATE_ENGAGE; } );
				break;
			case STATE_DIE:
				// The gate has opened: the barrier goes out, and stays out until the gate
				// closes and sends it back to STATE_NORMAL.
				StepStateProtocol(
				    machine, dt,
				    []( StateMachineComponent& m ) {
					    m.mStateTimer = 0.0f;
					    if ( auto* emitter = m.mOwner->GetComponent<Graphics::EmitterComponent>() )
					    {
						    emitter->mEmitLifeTime = kLastSwirl;
						    emitter->mEmitCurrentTimer = 0.0f;
					    }
				    },
				    timed( kFalling ), []( StateMachineComponent& ) { return Go::Stay(); } );
				break;
			default: break;
			}
		}

		void FileGateBarrierRoutines( StateMachineManager& manager )
		{
			manager.FileMachineRoutine( Routine::GateBarrier, MakeRoutine( "gate barrier", &RunGateBarrier, {} ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileGateBarrierRoutines )
}
