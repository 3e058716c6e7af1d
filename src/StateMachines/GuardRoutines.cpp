#include "StateMachines/GuardRoutines.h"

#include "Core/Object.h"
#include "Game/ScoreManager.h"
#include "GameStates/SoundManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/EnemyMotion.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/Patrol.h"
#include "StateMachines/RoutineFamily.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/SwitchComponent.h"
#include "StateMachines/SwitchLinks.h"
#include "core/Colour.h"
#include "core/MathConstants.h"
#include "core/Services.h"

#include <utility>

namespace StateMachines
{
	namespace
	{
		using Tarn::TransformComponent;
		using Tarn::Vector2;

		// Squared distances: the player is seen within 10 units and struck within 2; a
		// white guard has reached its switch within 1.
		constexpr float kWatchRangeSq = 100.0f;
		constexpr float kStrikeRangeSq = 4.0f;
		constexpr float kReachSwitchSq = 1.0f;

		constexpr float kSeekTurn = Tarn::kPi / 8.0f;   // radians a second, closing in
		constexpr float kRepairTurn = Tarn::kPi / 2.0f; // radians a second, walking to a switch
		constexpr float kLungeSpeed = 20.0f;
		constexpr float kWindUp = 1.5f;      // seconds before the lunge
		constexpr float kStunLength = 2.0f;  // seconds
		constexpr float kStunShake = 1.0f;   // seconds between two turns of a stunned guard
		constexpr float kShakeRestart = 0.001f;

		constexpr float kWatchScale = 1.5f;
		constexpr float kStrikeScale = 1.8f;

		// The scale pulse: units a second, and its bounds.
		struct Pulse
		{
			float mRate;
			float mMax;
			float mMin;
		};
		constexpr Pulse kCalmPulse{ 0.2f, 1.6f, 1.4f };
		constexpr Pulse kEagerPulse{ 0.8f, 1.8f, 1.5f };

		// How each kind of guard shows while its behaviour may change its look: the plain
		// guard glows red, the white one white.
		struct GuardLook
		{
			int32_t mAI;
			Tarn::Colour mTint;
		};
		constexpr GuardLook kLooks[] = {
			{ Routine::Guard, { 1.6f, 0.45f, 0.35f, 1.0f } },
			{ Routine::WhiteGuard, { 1.7f, 1.7f, 1.8f, 1.0f } },
		};

		constexpr const char* kStunSound = "resource/Sound/Enemy_StunFinal.wav";

		void FileGuardRoutines( StateMachineManager& manager )
		{
			// The guard reads its MineComponent for its patrol where there is one; without
			// it the guard neither patrols nor pauses, so that component is no need. The
			// emitter bursts when the guard is stunned.
			manager.FileMachineRoutine( Routine::Guard,
			                            MakeRoutine( "guard", &RunGuard, { Needs::Transform, Needs::Emitter } ) );
			manager.FileMachineRoutine( Routine::WhiteGuard,
			                            MakeRoutine( "white guard", &RunGuard, { Needs::Transform, Needs::Emitter } ) );
		}

		template <typename Component>
		Component* OwnerPart( const Tarn::ObjectComponent* component )
		{
			return component && component->mOwner ? component->mOwner->GetComponent<Component>() : nullptr;
		}

		bool IsSwitch( const SwitchComponent& target ) { return target.mOwner && target.mOwner->IsType( "Switch" ); }
		bool IsStunEffect( const SwitchComponent& target ) { return target.mOwner && target.mOwner->IsType( "StunEffect" ); }

		// Lit, or being undone by a guard.
		bool IsUndoable( const SwitchComponent& target )
		{
			return IsSwitch( target ) && ( target.mState == STATE_DIE || target.mState == STATE_REPAIR );
		}

		float DistanceSq( const StateMachineComponent& guard, const SwitchComponent& target )
		{
			const auto* from = OwnerPart<TransformComponent>( &guard );
			const auto* to = OwnerPart<TransformComponent>( &target );
			if ( !from || !to )
				return 0.0f;
			return Tarn::LengthSquared( to->mPosition - from->mPosition );
		}

		void SetPulse( StateMachineComponent& machine, const Pulse& pulse )
		{
			machine.mPulseRate = pulse.mRate;
			machine.mPulseMax = pulse.mMax;
			machine.mPulseMin = pulse.mMin;
		}

		// The pair to come back to after the walk to a switch.
		void SaveReturnState( StateMachineComponent& guard, int32_t state, int32_t inner )
		{
			guard.mSavedState = state;
			guard.mSavedInnerState = inner;
		}

		// A walk never returns to another walk, and a guard that saved nothing (one a
		// level started on its walk) goes back to watching.
		Go ReturnState( const StateMachineComponent& guard )
		{
			const bool nothingToResume = guard.mSavedState == STATE_REPAIR || guard.mSavedState == STATE_BEGIN;
			return nothingToResume ? Go( STATE_NORMAL ) : Go::Saved( guard );
		}

		// Takes the switch from its claimant, who walks back to its saved state. The job
		// stays one job: this guard's walk takes one off the pending count, so one goes on.
		void TakeOver( StateMachineManager& manager, StateMachineComponent& guard, SwitchComponent& target )
		{
			Link( guard, target );
			++manager.mPendingUndoCount;
		}

		bool NearerThanClaimant( const StateMachineComponent& guard, const SwitchComponent& target )
		{
			return target.mClaimant && target.mClaimant != &guard &&
			       DistanceSq( guard, target ) < DistanceSq( *target.mClaimant, target );
		}

		// The first free stun effect of the level: one whose transform is out of play.
		SwitchComponent* FreeStunEffect( const StateMachineManager& manager )
		{
			for ( SwitchComponent* effect : manager.Switches() )
				if ( effect && IsStunEffect( *effect ) && !effect->mClaimant )
					if ( const auto* transform = OwnerPart<TransformComponent>( effect ); transform && !transform->mActive )
						return effect;
			return nullptr;
		}

		void ShowStunEffect( SwitchComponent& effect, bool shown, const Vector2& at )
		{
			if ( auto* transform = OwnerPart<TransformComponent>( &effect ) )
			{
				transform->mActive = shown;
				if ( shown )
					transform->mPosition = transform->mPrevPos = at;
			}
			if ( auto* mesh = OwnerPart<Graphics::MeshComponent>( &effect ) )
				mesh->mVisible = shown;
			if ( auto* collider = OwnerPart<Physics::CollisionComponent>( &effect ) )
				collider->mInvulnerable = !shown;
		}

		// Lends the guard a free stun effect, if the level has one left.
		void AttachStunEffect( StateMachineManager& manager, StateMachineComponent& guard, const TransformComponent& transform )
		{
			if ( SwitchComponent* effect = FreeStunEffect( manager ) )
			{
				Link( guard, *effect );
				ShowStunEffect( *effect, true, transform.mPosition );
			}
		}

		SwitchComponent* StunEffectOf( const StateMachineComponent& guard )
		{
			return guard.mTarget && IsStunEffect( *guard.mTarget ) ? guard.mTarget : nullptr;
		}

		// Lets go of whatever the guard holds: a stun effect goes back to the pool, a
		// switch is left for another guard, its job given back to the count when asked.
		void DropTarget( StateMachineManager& manager, StateMachineComponent& guard, bool giveJobBack )
		{
			SwitchComponent* target = guard.mTarget;
			if ( !target )
				return;
			if ( IsStunEffect( *target ) )
				ShowStunEffect( *target, false, Vector2() );
			else if ( giveJobBack )
				++manager.mPendingUndoCount;
			Unlink( guard );
		}

		// Every plain, open gate whose last matched colour is this one stays open while
		// the switch is undone.
		void HoldGates( StateMachineManager& manager, int32_t colour )
		{
			for ( GateComponent* gate : manager.Gates() )
			{
				if ( gate->mIsEnemy || gate->mState != STATE_DIE || gate->LastMatchedColour() != colour )
					continue;
				gate->mState = STATE_WAIT;
				gate->mInnerState = INNER_STATE_ON_ENTER;
			}
		}

		// After a stun a white guard takes over a lit switch that another guard is farther
		// from, and walks to it instead of going back to `next`.
		bool TakeOverAfterStun( StateMachineManager& manager, StateMachineComponent& guard, StateType next )
		{
			for ( SwitchComponent* target : manager.Switches() )
			{
				if ( !target || !IsUndoable( *target ) || !NearerThanClaimant( guard, *target ) )
					continue;
				SaveReturnState( guard, next, INNER_STATE_ON_ENTER );
				TakeOver( manager, guard, *target );
				return true;
			}
			return false;
		}

		// What one frame of a guard works on.
		struct GuardFrame
		{
			StateMachineManager& mManager;
			StateMachineComponent& mMachine;
			TransformComponent& mTransform;
			MineComponent* mPatrol; // null: no patrol data, the guard stands
			Graphics::EmitterComponent* mEmitter;
			const TransformComponent* mPlayer; // null: no player in the level

			bool IsWhite() const { return mMachine.mAI == Routine::WhiteGuard; }
			bool Patrols() const { return mPatrol && mPatrol->mPatrols; }
			float PlayerDistanceSq() const { return DistanceSqTo( mTransform, mPlayer ); }
			// Not sliding and the player in sight.
			bool SeesPlayer() const { return !IsSliding( mTransform ) && PlayerDistanceSq() < kWatchRangeSq; }
		};

		void Pulsate( StateMachineComponent& machine, TransformComponent& transform, float dt )
		{
			const float grow = static_cast<float>( machine.mSign ) * machine.mPulseRate * dt;
			transform.mXScaleFactor += grow;
			transform.mYScaleFactor += grow;
			if ( transform.mXScaleFactor > machine.mPulseMax )
				machine.mSign = -1;
			if ( transform.mXScaleFactor < machine.mPulseMin )
				machine.mSign = 1;
		}

		void ShowKind( const StateMachineComponent& machine )
		{
			auto* mesh = machine.mMeshSwitchCheck ? OwnerPart<Graphics::MeshComponent>( &machine ) : nullptr;
			if ( !mesh )
				return;
			for ( const GuardLook& look : kLooks )
				if ( look.mAI == machine.mAI )
				{
					mesh->mColour.r = look.mTint.r;
					mesh->mColour.g = look.mTint.g;
					mesh->mColour.b = look.mTint.b;
				}
		}

		// The entry of watching, shared by patrolling.
		void StartWatching( GuardFrame& g )
		{
			StateMachineComponent& m = g.mMachine;
			if ( g.IsWhite() && g.mManager.mPendingUndoCount != 0 )
				ClaimSwitch( g.mManager, m );
			m.mSubTimer = 0.0f;
			m.mStateTimer = 0.0f;
			SetPulse( m, kCalmPulse );
		}

		// STATE_NORMAL: stands and watches until the player comes near.
		void Watch( GuardFrame& g, float dt )
		{
			StepStateProtocol(
			    g.mMachine, dt, [&]( StateMachineComponent& ) { StartWatching( g ); },
			    [&]( StateMachineComponent& m, float step ) {
				    m.mStateTimer += step;
				    if ( !g.SeesPlayer() )
					    return false;
				    m.mActionFlag = false;
				    return true;
			    },
			    [&]( StateMachineComponent& ) {
				    if ( g.mPlayer )
					    FaceToward( g.mTransform, g.mPlayer->mPosition );
				    SetScale( g.mTransform, kWatchScale );
				    return STATE_SEEK;
			    } );
		}

		// STATE_SEEK: closes in on the player.
		void CloseIn( GuardFrame& g, float dt )
		{
			StepStateProtocol(
			    g.mMachine, dt,
			    []( StateMachineComponent& m ) {
				    m.mSubTimer = 0.0f;
				    m.mStateTimer = 0.0f;
				    SetPulse( m, kEagerPulse );
			    },
			    [&]( StateMachineComponent&, float step ) {
				    if ( !g.mPlayer )
					    return false;
				    SteerToward( g.mTransform, g.mPlayer->mPosition, kSeekTurn, step );
				    return g.PlayerDistanceSq() < kStrikeRangeSq;
			    },
			    [&]( StateMachineComponent& ) {
				    SetScale( g.mTransform, kStrikeScale );
				    return STATE_ENGAGE;
			    } );
		}

		// STATE_ENGAGE: winds up, then lunges at the player.
		void Strike( GuardFrame& g, float dt )
		{
			StepStateProtocol(
			    g.mMachine, dt,
			    []( StateMachineComponent& m ) {
				    m.mSubTimer = 0.0f;
				    m.mStateTimer = 0.0f;
				    m.mPulseRate = 0.0f;
			    },
			    []( StateMachineComponent& m, float step ) {
				    m.mStateTimer += step;
				    return m.mStateTimer >= kWindUp;
			    },
			    [&]( StateMachineComponent& m ) {
				    m.mActionFlag = true;
				    if ( g.mPlayer )
				    {
					    g.mTransform.mVelocity = Tarn::Unit( g.mPlayer->mPosition - g.mTransform.mPosition ) * kLungeSpeed;
					    FaceToward( g.mTransform, g.mPlayer->mPosition );
				    }
				    return STATE_NORMAL;
			    } );
		}

		// STATE_DAZED: walks its patrol until the player comes near.
		void Patrol( GuardFrame& g, float dt )
		{
			StepStateProtocol(
			    g.mMachine, dt,
			    [&]( StateMachineComponent& ) {
				    StartWatching( g );
				    if ( g.mPatrol )
					    FaceToward( g.mTransform, g.mPatrol->mPatrol[0] );
			    },
			    [&]( StateMachineComponent& m, float step ) -> Go {
				    m.mStateTimer += step;
				    if ( g.SeesPlayer() )
				    {
					    m.mActionFlag = false;
					    return Go::On();
				    }
				    if ( !g.Patrols() )
					    return Go::Stay();
				    MineComponent& patrol = *g.mPatrol;
				    MoveToward( g.mTransform, patrol.mPatrol[0], kPatrolSpeed, step );
				    if ( Tarn::LengthSquared( patrol.mPatrol[0] - g.mTransform.mPosition ) > kArrivedSq )
					    return Go::Stay();
				    g.mTransform.mDirection = Tarn::kPi;
				    std::swap( patrol.mPatrol[0], patrol.mPatrol[1] );
				    return patrol.mWait ? Go( STATE_PAUSE ) : Go::Stay();
			    },
			    [&]( StateMachineComponent& ) {
				    SetScale( g.mTransform, kWatchScale );
				    return STATE_NORMAL;
			    } );
		}

		// STATE_PAUSE: waits at the end of its patrol.
		void PauseOnPatrol( GuardFrame& g, float dt )
		{
			StepStateProtocol(
			    g.mMachine, dt, []( StateMachineComponent& m ) { m.mStateTimer = 0.0f; },
			    [&]( StateMachineComponent& m, float step ) {
				    m.mStateTimer += step;
				    if ( g.SeesPlayer() )
				    {
					    m.mActionFlag = false;
					    return true;
				    }
				    return m.mStateTimer >= ( g.mPatrol ? g.mPatrol->mWaitTimer : 0.0f );
			    },
			    [&]( StateMachineComponent& m ) {
				    // With the player near (and no lunge just made) the guard goes straight
				    // through watching into the chase; out of reach it goes back to watching
				    // rather than chase the player across the level.
				    const bool chase = !m.mActionFlag && g.PlayerDistanceSq() < kWatchRangeSq;
				    return Go( STATE_NORMAL, chase ? INNER_STATE_ON_EXIT : INNER_STATE_ON_ENTER );
			    } );
		}

		// STATE_REPAIR (white guards): walks to the claimed switch and undoes it. A guard
		// whose claim has gone walks back to what it was doing.
		void UndoSwitch( GuardFrame& g, float dt )
		{
			StepStateProtocol(
			    g.mMachine, dt,
			    [&]( StateMachineComponent& m ) -> Go {
				    if ( !m.mTarget )
					    return ReturnState( m );
				    --g.mManager.mPendingUndoCount;
				    SetPulse( m, kCalmPulse );
				    return Go::On();
			    },
			    [&]( StateMachineComponent& m, float step ) -> Go {
				    SwitchComponent* target = m.mTarget;
				    if ( !target )
					    return ReturnState( m );
				    const auto* at = OwnerPart<TransformComponent>( target );
				    if ( at && DistanceSq( m, *target ) >= kReachSwitchSq )
				    {
					    SteerToward( g.mTransform, at->mPosition, kRepairTurn, step );
					    return Go::Stay();
				    }
				    // The switch undoes itself, and lets the guard go when it is done.
				    target->mState = STATE_REPAIR;
				    target->mInnerState = INNER_STATE_ON_ENTER;
				    HoldGates( g.mManager, target->mSwitchColour );
				    return Go::On();
			    },
			    []( StateMachineComponent& m ) { return m.mTarget ? Go::Stay() : ReturnState( m ); } );
		}

		// STATE_FLEE: frozen where it is, for good.
		void Freeze( GuardFrame& g, float dt )
		{
			StepStateProtocol(
			    g.mMachine, dt, [&]( StateMachineComponent& m ) { DropTarget( g.mManager, m, false ); },
			    []( StateMachineComponent& m, float ) {
				    SetPulse( m, kCalmPulse );
				    return false;
			    },
			    []( StateMachineComponent& m ) {
				    SetPulse( m, kCalmPulse );
				    return Go::Stay();
			    } );
		}

		// STATE_WAIT: stunned, shaking under a stun effect; a white guard walking to a
		// switch gives the job back.
		void Stunned( GuardFrame& g, float dt )
		{
			StepStateProtocol(
			    g.mMachine, dt,
			    [&]( StateMachineComponent& m ) {
				    g.mEmitter->MeleeGuardStun();
				    if ( auto* sounds = Tarn::Services::Get<Tarn::SoundManager>() )
					    sounds->PlaySoundEffect( kStunSound, true );
				    if ( m.mTarget && IsSwitch( *m.mTarget ) )
					    DropTarget( g.mManager, m, true );
				    if ( m.mSubTimer == 0.0f && !StunEffectOf( m ) )
				    {
					    g.mTransform.mDirection = 0.0f;
					    AttachStunEffect( g.mManager, m, g.mTransform );
				    }
				    m.mActionFlag = false;
				    m.mStateTimer = 0.0f;
				    m.mSubTimer = 0.0f;
				    SetScale( g.mTransform, kWatchScale );
			    },
			    [&]( StateMachineComponent& m, float step ) {
				    m.mStateTimer += step;
				    m.mSubTimer += step;
				    if ( SwitchComponent* effect = StunEffectOf( m ) )
					    if ( auto* transform = OwnerPart<TransformComponent>( effect ) )
						    transform->mPosition = g.mTransform.mPosition;
				    if ( m.mSubTimer >= kStunShake )
				    {
					    m.mSubTimer = kShakeRestart;
					    g.mTransform.mDirection = g.mTransform.mDirection == 0.0f ? Tarn::kPi : 0.0f;
				    }
				    return m.mStateTimer >= kStunLength;
			    },
			    [&]( StateMachineComponent& m ) {
				    const StateType next = g.Patrols() ? STATE_DAZED : STATE_NORMAL;
				    DropTarget( g.mManager, m, false );
				    m.mSubTimer = 0.0f;
				    if ( g.IsWhite() && TakeOverAfterStun( g.mManager, m, next ) )
					    return STATE_REPAIR;
				    return next;
			    } );
		}

		// Outside the states a white guard leaves whatever it is doing for a pending undo.
		bool IsBusy( int32_t state )
		{
			return state == STATE_WAIT || state == STATE_REPAIR || state == STATE_NONE || state == STATE_FLEE;
		}
	}

	KELVANE_ROUTINE_FAMILY( FileGuardRoutines )

	void RunGuard( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt )
	{
		auto& machine = static_cast<StateMachineComponent&>( component );
		auto* transform = OwnerPart<TransformComponent>( &machine );
		auto* emitter = OwnerPart<Graphics::EmitterComponent>( &machine );
		if ( !transform || !emitter )
			return;
		GuardFrame g{ manager, machine, *transform, OwnerPart<MineComponent>( &machine ), emitter, PlayerTransform() };

		Pulsate( machine, *transform, dt );
		ShowKind( machine );
		if ( g.IsWhite() && manager.mPendingUndoCount != 0 && !IsBusy( machine.mState ) )
		{
			SaveReturnState( machine, machine.mState, machine.mInnerState );
			machine.mState = STATE_REPAIR;
			machine.mInnerState = INNER_STATE_ON_ENTER;
			if ( !ClaimSwitch( manager, machine ) )
				return;
		}

		switch ( machine.mState )
		{
		case STATE_NORMAL: Watch( g, dt ); break;
		case STATE_SEEK: CloseIn( g, dt ); break;
		case STATE_ENGAGE: Strike( g, dt ); break;
		case STATE_DAZED: Patrol( g, dt ); break;
		case STATE_PAUSE: PauseOnPatrol( g, dt ); break;
		case STATE_REPAIR: UndoSwitch( g, dt ); break;
		case STATE_FLEE: Freeze( g, dt ); break;
		case STATE_WAIT: Stunned( g, dt ); break;
		default: break;
		}
	}

	void StunGuard( StateMachineComponent& guard )
	{
		if ( guard.mState == STATE_WAIT )
			return;
		guard.mState = STATE_WAIT;
		guard.mInnerState = INNER_STATE_ON_ENTER;
	}

	void FreezeGuards( StateMachineManager& manager )
	{
		for ( StateMachineComponent* machine : manager.Machines() )
			if ( machine && Routine::IsGuard( machine->mAI ) )
			{
				machine->mState = STATE_FLEE;
				machine->mInnerState = INNER_STATE_ON_ENTER;
			}
	}

	void KillGuard( StateMachineManager& manager, Tarn::Object& guard )
	{
		auto* transform = guard.GetComponent<TransformComponent>();
		if ( !transform || !transform->mActive )
			return;
		if ( auto* score = Tarn::Services::Get<Tarn::ScoreManager>() )
			score->AddScore( Tarn::ScoreManager::kEnemyAward );
		transform->mActive = false;
		if ( auto* mesh = guard.GetComponent<Graphics::MeshComponent>() )
			mesh->mVisible = false;
		if ( auto* machine = guard.GetComponent<StateMachineComponent>() )
		{
			DropTarget( manager, *machine, true );
			machine->mState = STATE_NONE;
			machine->mInnerState = INNER_STATE_ON_ENTER;
		}
	}

	int32_t WantedUndoColour( const StateMachineManager& manager )
	{
		if ( manager.Gates().empty() || !manager.Gates().front() )
			return ColourCode::None;
		return manager.Gates().front()->LastMatchedColour();
	}

	bool ClaimSwitch( StateMachineManager& manager, StateMachineComponent& guard )
	{
		const int32_t wanted = WantedUndoColour( manager );
		if ( wanted == ColourCode::None || guard.mTarget )
			return false;
		for ( SwitchComponent* target : manager.Switches() )
		{
			if ( !target || !IsUndoable( *target ) || target->mSwitchColour != wanted )
				continue;
			if ( !target->mClaimant )
			{
				Link( guard, *target );
				return true;
			}
			if ( NearerThanClaimant( guard, *target ) )
			{
				TakeOver( manager, guard, *target );
				return true;
			}
		}
		return false;
	}
}
