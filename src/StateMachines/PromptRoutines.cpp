#include "StateMachines/PromptRoutines.h"

#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "StateMachines/RoutineFamily.h"
#include "StateMachines/StateMachineComponent.h"

namespace StateMachines
{
	namespace
	{
		void FilePromptRoutines( StateMachineManager& manager )
		{
			// The routines come with the enemies; both only fade the owner's mesh.
			manager.FileMachineRoutine( Routine::HintFader, MakeRoutine( "hint fader", nullptr, { Needs::Mesh } ) );
			for ( int32_t code : { Routine::Prompt1, Routine::Prompt2, Routine::Prompt3 } )
				manager.FileMachineRoutine( code, MakeRoutine( "tutorial prompt", nullptr, { Needs::Mesh } ) );
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
	}

	KELVANE_ROUTINE_FAMILY( FilePromptRoutines )

	void AnswerPromptMessage( int32_t message )
	{
		switch ( message )
		{
		case Message::MovementPromptDone:
			SetPrompt( kMovementPromptName, STATE_DIE, true );
			SetPrompt( kBeamPromptName, STATE_NORMAL, false );
			break;
		case Message::BeamPromptDone: SetPrompt( kBeamPromptName, STATE_DIE, true ); break;
		default: break;
		}
	}
}
