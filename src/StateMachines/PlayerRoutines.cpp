#include "StateMachines/PlayerRoutines.h"

#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Game/LevelEnd.h"
#include "Game/Player.h"
#include "GameStates/SoundManager.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GuardRoutines.h"
#include "StateMachines/RoutineFamily.h"
#include "StateMachines/StateMachineComponent.h"
#include "core/Services.h"

#include <cmath>

namespace StateMachines
{
	namespace
	{
		constexpr float kHitSequenceLength = 1.5f;
		constexpr float kDeathSequenceLength = 1.0f;
		// The exit spiral: its radius starts at 1 and grows to 1.5 before it closes in;
		// the ship turns about the exit and shrinks to nothing.
		constexpr float kSpiralStartRadius = 1.0f;
		constexpr float kSpiralWidest = 1.5f;
		constexpr float kSpiralBreathing = 0.5f; // radius change, units a second
		constexpr float kSpiralTurn = 2.0f;      // radians a second
		constexpr float kShrinking = 0.5f;       // scale lost a second
		constexpr const char* kExitName = "Gate";
		// Where the won and lost sequences stand, in the machine's phase counter: their
		// exit, which stays, ends the level once.
		constexpr int32_t kSequenceRunning = 1;
		constexpr int32_t kLevelEnded = 2;
		constexpr const char* kWinSound = "resource/Sound/Teleport_Win.wav";
		constexpr float kSpinMax = 2.0f * Tarn::kPi / 3.0f;
		constexpr float kSpinRise = Tarn::kPi / 3.0f;
		constexpr float kSpinFall = 0.52359f;

		// The exit spiral keeps its numbers in the player's own machine: the centre (the
		// object "Gate", or where the ship was when there is none) in mAttackProjection,
		// the angle about it in mSubTimer, the radius in mStateTimer and whether the radius
		// grows (+1) or shrinks (-1) in mSign.
		void StartExitSpiral( StateMachineComponent& machine, const Tarn::TransformComponent& transform )
		{
			Tarn::Vector2 centre = transform.mPosition;
			if ( Tarn::Object* exit = Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( kExitName ) ) )
				if ( const auto* at = exit->GetComponent<Tarn::TransformComponent>() )
					centre = at->mPosition;
			const Tarn::Vector2 out = transform.mPosition - centre;
			machine.mAttackProjection = centre;
			machine.mSubTimer = std::atan2( out.Y, out.X );
			machine.mStateTimer = kSpiralStartRadius;
			// Outward first on every run, whatever an earlier win left.
			machine.mSign = 1;
		}

		// One frame of the spiral: the ship placed on it, turned on and shrunk.
		void TurnExitSpiral( StateMachineComponent& machine, Tarn::TransformComponent& transform, float dt )
		{
			const float angle = machine.mSubTimer;
			const float radius = machine.mStateTimer;
			transform.mPosition = machine.mAttackProjection + Tarn::Vector2( std::cos( angle ), std::sin( angle ) ) * radius;
			transform.mXScaleFactor -= kShrinking * dt;
			transform.mYScaleFactor -= kShrinking * dt;
			machine.mSubTimer -= kSpiralTurn * dt;
			machine.mStateTimer += static_cast<float>( machine.mSign ) * kSpiralBreathing * dt;
			if ( machine.mStateTimer > kSpiralWidest )
				machine.mSign = -1;
		}

		void EndLevelOnce( StateMachineComponent& machine )
		{
			if ( machine.mCurrPhase == kLevelEnded )
				return;
			machine.mCurrPhase = kLevelEnded;
			Tarn::EndPlayedLevel();
		}

		void FilePlayerRoutines( StateMachineManager& manager )
		{
			manager.FileMachineRoutine( Routine::PlayerSequences,
			                            MakeRoutine( "player sequences", &RunPlayerSequences, { Needs::Transform, Needs::Collision } ) );
			manager.FileMachineRoutine( Routine::PlayerHalo, MakeRoutine( "player halo", &RunPlayerHalo, { Needs::Transform } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FilePlayerRoutines )

	float& PlayerHaloSpin()
	{
		static float spin = kHaloSpinStart;
		return spin;
	}

	void RunPlayerSequences( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt )
	{
		auto& machine = static_cast<StateMachineComponent&>( component );
		auto* transform = component.mOwner->GetComponent<Tarn::TransformComponent>();
		auto* collider = component.mOwner->GetComponent<Physics::CollisionComponent>();
		if ( !transform || !collider )
			return;
		switch ( machine.mState )
		{
		case STATE_WAIT:
			// Hit: the ship does not steer until it is invulnerable or the time is up.
			StepStateProtocol(
			    machine, dt, []( StateMachineComponent& m ) { m.mStateTimer = 0.0f; },
			    [collider]( StateMachineComponent& m, float step ) {
				    m.mStateTimer += step;
				    return collider->mInvulnerable || m.mStateTimer >= kHitSequenceLength;
			    },
			    []( StateMachineComponent& ) { return STATE_NONE; } );
			break;
		case STATE_FLEE:
			// Won: drawn into the exit along a spiral, shrinking, and the level ends.
			StepStateProtocol(
			    machine, dt,
			    [transform]( StateMachineComponent& m ) {
				    if ( auto* sounds = Tarn::Services::Get<Tarn::SoundManager>() )
					    sounds->PlaySoundEffect( kWinSound, false );
				    StartExitSpiral( m, *transform );
				    m.mCurrPhase = kSequenceRunning;
			    },
			    [transform]( StateMachineComponent& m, float step ) {
				    TurnExitSpiral( m, *transform, step );
				    return transform->mXScaleFactor <= 0.0f;
			    },
			    []( StateMachineComponent& m ) {
				    EndLevelOnce( m );
				    return Go::Stay();
			    } );
			break;
		case STATE_DIE:
			// Lost: nothing hurts the ship any more, the guards freeze, and after a second
			// the level ends.
			StepStateProtocol(
			    machine, dt,
			    [&manager, collider]( StateMachineComponent& m ) {
				    collider->mInvulnerable = true;
				    FreezeGuards( manager );
				    m.mStateTimer = 0.0f;
				    m.mCurrPhase = kSequenceRunning;
			    },
			    []( StateMachineComponent& m, float step ) {
				    m.mStateTimer += step;
				    return m.mStateTimer >= kDeathSequenceLength;
			    },
			    []( StateMachineComponent& m ) {
				    EndLevelOnce( m );
				    return Go::Stay();
			    } );
			break;
		default: break;
		}
	}

	void RunPlayerHalo( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto* transform = component.mOwner->GetComponent<Tarn::TransformComponent>();
		Tarn::Object* player = Tarn::FindPlayer();
		const auto* followed = player ? player->GetComponent<Tarn::TransformComponent>() : nullptr;
		if ( !transform || !followed )
			return;
		transform->mPosition = followed->mPosition;
		transform->mVelocity = followed->mVelocity;
		transform->mXScaleFactor = followed->mXScaleFactor;
		transform->mYScaleFactor = followed->mYScaleFactor;

		float& spin = PlayerHaloSpin();
		const Tarn::Vector2 v = followed->mVelocity;
		if ( v.X * v.X + v.Y * v.Y > 1.0f )
		{
			spin += kSpinRise * dt;
			if ( spin > kSpinMax )
				spin = kSpinMax;
		}
		else if ( spin >= kSpinFall )
			spin -= kSpinFall * dt;
		transform->mDirection += spin * dt;
	}
}
