#include "StateMachines/PromptRoutines.h"

#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Graphics/MeshComponent.h"
#include "StateMachines/RoutineFamily.h"
#include "StateMachines/StateMachineComponent.h"

#include <algorithm>

namespace StateMachines
{
	namespace
	{
		constexpr float kHintFade = 2.5f;   // alpha a second
		constexpr float kHintShown = 0.8f;  // the fader stops brightening above this
		constexpr float kPromptFade = 1.5f; // alpha a second

		// Shows its hint while its flag is up, fading in; fades out and hides once it is down.
		// No states.
		void RunHintFader( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
		{
			auto& machine = static_cast<StateMachineComponent&>( component );
			auto* mesh = machine.mOwner->GetComponent<Graphics::MeshComponent>();
			if ( !mesh )
				return;
			float& alpha = mesh->mColour.a;
			if ( machine.mActionFlag )
			{
				mesh->mVisible = true;
				if ( alpha <= kHintShown )
					alpha += kHintFade * dt;
			}
			else if ( alpha > 0.0f )
				alpha = std::max( alpha - kHintFade * dt, 0.0f );
			else
				mesh->mVisible = false;
		}

		// A tutorial prompt: waits out its delay (STATE_NORMAL, the delay in mStateTimer from
		// the level), fades in and stays (STATE_ENGAGE), and once dismissed fades out
		// (STATE_DIE) to rest (STATE_NONE).
		void RunPrompt( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
		{
			auto& machine = static_cast<StateMachineComponent&>( component );
			auto* mesh = machine.mOwner->GetComponent<Graphics::MeshComponent>();
			if ( !mesh )
				return;
			float& alpha = mesh->mColour.a;
			auto enter = []( StateMachineComponent& ) {};
			switch ( machine.mState )
			{
			case STATE_NORMAL:
				StepStateProtocol(
				    machine, dt, enter,
				    []( StateMachineComponent& m, float step ) {
					    m.mStateTimer -= step;
					    return m.mStateTimer <= 0.0f;
				    },
				    []( StateMachineComponent& ) { return STATE_ENGAGE; } );
				break;
			case STATE_ENGAGE:
				StepStateProtocol(
				    machine, dt, enter,
				    [&alpha]( StateMachineComponent&, float step ) {
					    alpha = std::min( alpha + kPromptFade * step, 1.0f );
					    return false;
				    },
				    []( StateMachineComponent& ) { return Go::Stay(); } );
				break;
			case STATE_DIE:
				StepStateProtocol(
				    machine, dt, enter,
				    [&alpha]( StateMachineComponent&, float step ) {
					    alpha = std::max( alpha - kPromptFade * step, 0.0f );
					    return alpha <= 0.0f;
				    },
				    []( StateMachineComponent& ) { return STATE_NONE; } );
				break;
			default: break;
			}
		}

		void FilePromptRoutines( StateMachineManager& manager )
		{
			manager.FileMachineRoutine( Routine::HintFader, MakeRoutine( "hint fader", &RunHintFader, { Needs::Mesh } ) );
			for ( int32_t code : { Routine::Prompt1, Routine::Prompt2, Routine::Prompt3 } )
				manager.FileMachineRoutine( code, MakeRoutine( "tutorial prompt", &RunPrompt, { Needs::Mesh } ) );
		}

		// Moves a prompt's machine to `state`, and to its ENTER when `restart` is set.
		void SetPrompt( const char* name, StateType state, bool restart )
		{
			Tarn::Object* prompt = Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( name ) );
			auto* machine = prompt ? prompt->GetComponent<StateMachineComponent>() : nullptr;
			if ( !machine )
				return;
			machine->mState = state;
			if ( restart )
				machine->mInnerState = INNER_STATE_ON_ENTER;
		}

		bool PromptDismissed( const char* name )
		{
			Tarn::Object* prompt = Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( name ) );
			const auto* machine = prompt ? prompt->GetComponent<StateMachineComponent>() : nullptr;
			return machine && ( machine->mState == STATE_DIE || machine->mState == STATE_NONE );
		}
	}

	KELVANE_ROUTINE_FAMILY( FilePromptRoutines )

	void AnswerPromptMessage( int32_t message )
	{
		switch ( message )
		{
		case Message::MovementPromptDone:
			// The ship steers on every step: once the movement prompt is going or gone,
			// the message has been answered, and the beam prompt, perhaps dismissed by
			// now, must not be called back.
			if ( PromptDismissed( kMovementPromptName ) )
				break;
			SetPrompt( kMovementPromptName, STATE_DIE, true );
			SetPrompt( kBeamPromptName, STATE_NORMAL, false );
			break;
		case Message::BeamPromptDone: SetPrompt( kBeamPromptName, STATE_DIE, true ); break;
		default: break;
		}
	}
}
