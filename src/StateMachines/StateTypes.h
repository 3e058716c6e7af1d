#pragma once
// The state pair every behaviour component carries, and the enter / update / exit
// protocol by which its routine moves through it.

#include <cstdint>
#include <type_traits>

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

	// Where one phase of the protocol sends its machine. A phase answers with one of
	// these, or in the short forms StepStateProtocol takes for the common case.
	class Go
	{
	public:
		// The start of the given state, or another of its phases.
		constexpr Go( StateType state, InnerStateType inner = INNER_STATE_ON_ENTER )
		    : mKind( Kind::To ), mState( state ), mInner( inner )
		{
		}
		// A pair as stored, such as the one saved before an interrupting state.
		static constexpr Go To( int32_t state, int32_t inner ) { return Go( Kind::To, state, inner ); }
		template <typename Machine>
		static constexpr Go Saved( const Machine& machine )
		{
			return To( machine.mSavedState, machine.mSavedInnerState );
		}
		// The protocol's own way on: ENTER to UPDATE, UPDATE to EXIT. An EXIT has no way
		// on of its own and stays where it is, terminal.
		static constexpr Go On() { return Go( Kind::On ); }
		// Another frame of the phase that has just run.
		static constexpr Go Stay() { return Go( Kind::Stay ); }
		// The ENTER of the state the machine is in.
		static constexpr Go Again() { return Go( Kind::Again ); }

		// Moves the machine on from the phase `ran`. What the phase wrote into the pair
		// itself stands unless this names another place.
		template <typename Machine>
		void Apply( Machine& machine, InnerStateType ran ) const
		{
			switch ( mKind )
			{
			case Kind::On:
				if ( ran == INNER_STATE_ON_ENTER )
					machine.mInnerState = INNER_STATE_ON_UPDATE;
				else if ( ran == INNER_STATE_ON_UPDATE )
					machine.mInnerState = INNER_STATE_ON_EXIT;
				break;
			case Kind::Stay: break;
			case Kind::Again: machine.mInnerState = INNER_STATE_ON_ENTER; break;
			case Kind::To:
				machine.mState = static_cast<decltype( machine.mState )>( mState );
				machine.mInnerState = static_cast<decltype( machine.mInnerState )>( mInner );
				break;
			}
		}

	private:
		enum class Kind : uint8_t
		{
			On,
			Stay,
			Again,
			To,
		};
		constexpr explicit Go( Kind kind, int32_t state = 0, int32_t inner = 0 ) : mKind( kind ), mState( state ), mInner( inner ) {}

		Kind mKind;
		int32_t mState;
		int32_t mInner;
	};

	namespace Detail
	{
		// A phase that answers nothing goes on; one that answers true goes on and false
		// stays (an update's end condition); a state named alone is that state's ENTER.
		template <typename Phase, typename... Args>
		Go Answer( Phase& phase, Args&... args )
		{
			using Result = std::invoke_result_t<Phase&, Args&...>;
			if constexpr ( std::is_void_v<Result> )
			{
				phase( args... );
				return Go::On();
			}
			else if constexpr ( std::is_same_v<Result, bool> )
				return phase( args... ) ? Go::On() : Go::Stay();
			else
				return Go( phase( args... ) );
		}
	}

	// One frame of the enter / update / exit protocol for a machine with mState and
	// mInnerState. Entry takes a frame of its own and does not advance the timer; an
	// update that reports its end condition is exited on the next frame. Each phase
	// may instead name where the machine goes (see Go). The common case:
	//   enter( machine )                 entry actions; on to UPDATE
	//   update( machine, dt ) -> bool    per-frame work; true when the state is over
	//   exit( machine ) -> StateType     exit actions; the next state's ENTER
	// An inner state outside the three does nothing.
	template <typename Machine, typename Enter, typename Update, typename Exit>
	void StepStateProtocol( Machine& machine, float dt, Enter&& enter, Update&& update, Exit&& exit )
	{
		switch ( machine.mInnerState )
		{
		case INNER_STATE_ON_ENTER: Detail::Answer( enter, machine ).Apply( machine, INNER_STATE_ON_ENTER ); break;
		case INNER_STATE_ON_UPDATE: Detail::Answer( update, machine, dt ).Apply( machine, INNER_STATE_ON_UPDATE ); break;
		case INNER_STATE_ON_EXIT: Detail::Answer( exit, machine ).Apply( machine, INNER_STATE_ON_EXIT ); break;
		default: break;
		}
	}
}
