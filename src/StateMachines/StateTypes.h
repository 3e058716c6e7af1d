#pragma once

#include <cstdint>

namespace StateMachines
{
	// The state pair every behaviour component carries. What a state means is up to
	// each behaviour: STATE_WAIT is a guard's stun, a switch's charge, a gate's hold.
	enum StateType : int32_t
	{
		STATE_BEGIN = 0,
		STATE_NONE = 1,
		STATE_SEEK = 2,
		STATE_ENGAGE = 3,
		STATE_REPAIR = 4,
		STATE_FLEE = 5,
		STATE_LEFT = 6,
		STATE_RIGHT = 7,
		STATE_NORMAL = 8,
		STATE_DAZED = 9,
		STATE_WAIT = 10,
		STATE_END = 11,
		// Used by the behaviours but not offered in the property editor's list.
		STATE_PAUSE = 12,
		STATE_DIE = 13,
	};

	enum InnerStateType : int32_t
	{
		INNER_STATE_ON_ENTER = 0,
		INNER_STATE_ON_UPDATE = 1,
		INNER_STATE_ON_EXIT = 2,
	};

	// The texts the property editor builds its two enumerations from.
	inline constexpr const char* kStateTypeNames =
	    "STATE_BEGIN, STATE_NONE, STATE_SEEK, STATE_ENGAGE, STATE_REPAIR, STATE_FLEE, STATE_LEFT, STATE_RIGHT, "
	    "STATE_NORMAL, STATE_DAZED, STATE_WAIT, STATE_END";
	inline constexpr const char* kInnerStateTypeNames = "INNER_STATE_ON_ENTER, INNER_STATE_ON_UPDATE, INNER_STATE_ON_EXIT";

	// One frame of the enter / update / exit protocol for a machine with mState and
	// mInnerState. Entry takes a frame of its own and does not advance the timer; an
	// update that reports its end condition is exited on the next frame; an exit that
	// names no next state leaves the machine in INNER_STATE_ON_EXIT, terminal.
	//   enter( machine )                 entry actions of mState
	//   update( machine, dt ) -> bool    per-frame work; true when the state is over
	//   exit( machine ) -> int32_t       exit actions; the next state, or -1 for none
	template <typename Machine, typename Enter, typename Update, typename Exit>
	void StepStateProtocol( Machine& machine, float dt, Enter&& enter, Update&& update, Exit&& exit )
	{
		switch ( machine.mInnerState )
		{
		case INNER_STATE_ON_ENTER:
			enter( machine );
			machine.mInnerState = INNER_STATE_ON_UPDATE;
			break;
		case INNER_STATE_ON_UPDATE:
			if ( update( machine, dt ) )
				machine.mInnerState = INNER_STATE_ON_EXIT;
			break;
		case INNER_STATE_ON_EXIT:
		{
			const int32_t next = exit( machine );
			if ( next >= 0 )
			{
				machine.mState = static_cast<decltype( machine.mState )>( next );
				machine.mInnerState = INNER_STATE_ON_ENTER;
			}
			break;
		}
		default:
			break;
		}
	}
}
