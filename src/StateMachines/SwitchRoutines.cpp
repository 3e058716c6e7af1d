// Switches: idle with a gleam, charging, lit with a circling ring, being undone, or
// wrong and discharging; lighting and undoing move the gates' targets.
#include "StateMachines/SwitchRoutines.h"

#include "Core/Object.h"
#include "GameStates/SoundManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/GateRoutines.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineFamily.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/SwitchComponent.h"
#include "StateMachines/SwitchLinks.h"
#include "StateMachines/TileRoutines.h"
#include "Utilities/Log.h"
#include "core/MathConstants.h"
#include "core/Services.h"

#include <algorithm>
#include <cmath>

namespace StateMachines
{
	namespace
	{
		using ColourCode::AddToChannels;
		using ColourCode::Intensity;

		// Charge gained and lost, per second: under the cone, idle, undone, wrong.
		constexpr float kChargeRate = 0.8f;
		constexpr float kIdleDrain = 0.25f;
		constexpr float kUndoDrain = 0.5f;
		constexpr float kWrongDrain = 3.0f;

		// The lit switch's ring: its emission point circles the switch at this radius and
		// speed (radians a second). An emitter that has gone out (life below kRingDead)
		// starts again; one that has run for kRingRefresh is set up again, with a life
		// just past that, so it is set up every frame from then on.
		constexpr float kRingTurn = 4.0f;
		constexpr float kRingRadius = 0.6f;
		constexpr float kRingDead = 0.1f;
		constexpr float kRingRefresh = 0.5f;
		constexpr float kRingLife = 0.51f;
		constexpr const char* kRingTexture = "resource/circle texture.png";

		// What one frame of a switch works on.
		struct SwitchFrame
		{
			StateMachineManager& mManager;
			SwitchComponent& mSwitch;
			Tarn::TransformComponent& mTransform;
			Graphics::MeshComponent& mMesh;
			Graphics::EmitterComponent& mEmitter;

			int32_t Colour() const { return mSwitch.mSwitchColour; }
			float Charge() const { return Intensity( mMesh.mColour, Colour() ); }
			void Drain( float amount ) { AddToChannels( mMesh.mColour, Colour(), -amount ); }
		};

		void Play( const char* sound, bool always )
		{
			if ( auto* sounds = Tarn::Services::Get<Tarn::SoundManager>() )
				sounds->PlaySoundEffect( sound, always );
		}

		void ShowTexture( Graphics::MeshComponent& mesh, const char* texture )
		{
			if ( mesh.GetTextureName() != texture )
				mesh.SetTexture( texture );
		}

		bool IsSwitch( const SwitchComponent& target ) { return target.mOwner && target.mOwner->IsType( "Switch" ); }

		template <typename Component>
		Component* OwnerPart( const Tarn::ObjectComponent& component )
		{
			return component.mOwner ? component.mOwner->GetComponent<Component>() : nullptr;
		}

		// The guard that was undoing the switch (or on its way to) goes back to watching.
		void SendClaimantBack( SwitchComponent& target )
		{
			if ( StateMachineComponent* guard = target.mClaimant )
			{
				guard->mState = STATE_NORMAL;
				guard->mInnerState = INNER_STATE_ON_ENTER;
			}
			Unlink( target );
		}

		// A correct switch saves every other switch a white guard holds: the guard lets go,
		// the job is owed again, and the switch is lit at once, without matching anew.
		void RescueClaimedSwitches( StateMachineManager& manager, const SwitchComponent& lit )
		{
			for ( SwitchComponent* other : manager.Switches() )
			{
				if ( !other || other == &lit || !IsSwitch( *other ) || !other->mClaimant )
					continue;
				Unlink( *other );
				++manager.mPendingUndoCount;
				if ( auto* mesh = OwnerPart<Graphics::MeshComponent>( *other ) )
				{
					mesh->mColour.r = mesh->mColour.g = mesh->mColour.b = 1.0f;
					ColourCode::SetChannels( mesh->mColour, other->mSwitchColour, kLitCharge );
				}
				other->mState = STATE_DIE;
				other->mInnerState = INNER_STATE_ON_UPDATE;
			}
		}

		// Sends the gate a spark from the switch, in the switch's colour: the first spark
		// of the level's pool that is out of play. With none free the colour arrives at
		// once, so that a level short of sparks still opens.
		void LaunchSpark( SwitchFrame& s, GateComponent& gate )
		{
			const auto* gateAt = OwnerPart<Tarn::TransformComponent>( gate );
			for ( MineComponent* spark : s.mManager.Mines() )
			{
				if ( !spark || spark->mAI != Routine::SwitchEffectSpark )
					continue;
				auto* transform = OwnerPart<Tarn::TransformComponent>( *spark );
				if ( !transform || transform->mActive )
					continue;
				spark->mPatrol[0] = gateAt ? gateAt->mPosition : s.mTransform.mPosition;
				transform->mPosition = transform->mPrevPos = s.mTransform.mPosition;
				transform->mActive = true;
				if ( auto* collider = OwnerPart<Physics::CollisionComponent>( *spark ) )
					collider->mInvulnerable = false;
				spark->mState = STATE_NORMAL;
				if ( auto* emitter = OwnerPart<Graphics::EmitterComponent>( *spark ) )
					emitter->mPixelShaderColorStart = s.mMesh.mColour;
				return;
			}
			LOG_WARNING( "No spark is free to fly from " << s.mSwitch.mOwner->GetName().GetName() << " to "
			                                             << gate.mOwner->GetName().GetName() << "; the colour arrives at once" );
			ColourArrived( gate );
		}

		// The switch has lit: every gate that wants its colour next takes it, and is sent a
		// spark. The switch is wrong only when no gate took it and a plain gate that could
		// still take a colour wanted another; an enemy gate never minds. The answer says
		// whether it was wrong.
		bool Activate( SwitchFrame& s )
		{
			bool matched = false;
			bool refused = false;
			for ( size_t i = 0; i < s.mManager.Gates().size(); ++i )
			{
				GateComponent* gate = s.mManager.Gates()[i];
				if ( !gate || IsOpenOrOpening( *gate ) )
					continue;
				const int32_t wanted = gate->WantedColour();
				if ( wanted == ColourCode::None || wanted != s.Colour() )
				{
					refused = refused || !gate->mIsEnemy;
					continue;
				}
				// One job for the white guards however many gates it serves.
				if ( !matched )
					++s.mManager.mPendingUndoCount;
				matched = true;
				++gate->mTargetPosition;
				RescueClaimedSwitches( s.mManager, s.mSwitch );
				LaunchSpark( s, *gate );
			}
			if ( matched || !refused )
				return false;
			Play( kWrongSwitchSound, true );
			return true;
		}

		// The switch's match is undone: each plain gate whose last match was its colour
		// takes one back and shows what it wants now, and a gate left one short of its
		// colours closes (or, held open, is let close).
		void TakeBack( StateMachineManager& manager, const SwitchComponent& undone )
		{
			for ( size_t i = 0; i < manager.Gates().size(); ++i )
			{
				GateComponent* gate = manager.Gates()[i];
				if ( !gate || gate->mIsEnemy )
					continue;
				const int32_t last = gate->LastMatchedColour();
				if ( last != ColourCode::None && last == undone.mSwitchColour )
				{
					--gate->mTargetPosition;
					ShowWantedColour( *gate );
				}
				// A shut gate has nothing to close.
				if ( gate->mTargetPosition + 1 == gate->TargetCount() && gate->mState != STATE_NORMAL )
				{
					gate->mState = STATE_REPAIR;
					gate->mInnerState = INNER_STATE_ON_ENTER;
				}
			}
		}

		// The lit switch's ring of light circles it in its colour.
		void ShowRing( SwitchFrame& s )
		{
			Graphics::EmitterComponent& emitter = s.mEmitter;
			if ( emitter.mEmitLifeTime < kRingDead )
			{
				emitter.SwitchCharged();
				return;
			}
			if ( emitter.mEmitCurrentTimer <= kRingRefresh && emitter.mEmitLifeTime <= kRingRefresh )
				return;
			if ( emitter.GetTextureName() != kRingTexture )
				emitter.SetTexture( kRingTexture );
			emitter.mEmitLifeTime = kRingLife;
			emitter.mEmitCurrentTimer = emitter.mEmitSpawnTimer = emitter.mEmitSpawnRate = 0.0f;
			const float angle = RingAngle();
			emitter.mEmitPosition = { kRingRadius * std::sin( angle ), kRingRadius * std::cos( angle ), 0.0f };
			emitter.mAngleWidth = 2.0f * Tarn::kPi;
			emitter.mPixelShaderColorStart = s.mMesh.mColour;
			emitter.mPixelShaderColorStart.a = 1.0f;
			emitter.mPixelShaderColorEnd = Tarn::Colour{ 0.0f, 0.0f, 0.0f, 0.0f };
		}

		// STATE_NORMAL: idle. A gleam shows for one frame now and then; a charge that the
		// cone left ebbs away.
		void Idle( SwitchFrame& s, float dt )
		{
			StepStateProtocol(
			    s.mSwitch, dt,
			    [&]( SwitchComponent& m ) {
				    DrawGleamThreshold();
				    m.mStateTimer = 0.0f;
				    ShowTexture( s.mMesh, kSwitchGleamTexture );
			    },
			    [&]( SwitchComponent& m, float step ) -> Go {
				    m.mStateTimer += step;
				    if ( m.mStateTimer >= GleamThreshold() )
					    return Go::Again();
				    if ( s.Charge() >= kRestCharge )
				    {
					    s.mEmitter.mPixelShaderColorStart = s.mMesh.mColour;
					    s.Drain( kIdleDrain * step );
				    }
				    ShowTexture( s.mMesh, kSwitchTexture );
				    return Go::Stay();
			    },
			    []( SwitchComponent& ) { return Go::Stay(); } );
		}

		// STATE_WAIT: charging, for one frame each time a cone of its colour starts it again.
		void Charging( SwitchFrame& s, float dt )
		{
			StepStateProtocol(
			    s.mSwitch, dt,
			    [&]( SwitchComponent& m ) {
				    m.mStateTimer = 0.0f;
				    // Its own colour's channels: the cone starts a charge only in that colour.
				    ColourCode::ForChargeChannels( s.mMesh.mColour, s.Colour(),
				                                   [dt]( float& channel ) { channel = std::max( channel, kChargeStart ) + kChargeRate * dt; } );
				    Play( kSwitchActivateSound, true );
			    },
			    [&]( SwitchComponent& m, float step ) -> Go {
				    Play( kSwitchActivateSound, true );
				    m.mStateTimer += step;
				    AddToChannels( s.mMesh.mColour, s.Colour(), kChargeRate * step );
				    if ( s.Charge() < kLitCharge )
					    return Go::On();
				    Play( kSwitchActivateSound, true );
				    return Go( STATE_DIE );
			    },
			    []( SwitchComponent& ) { return STATE_NORMAL; } );
		}

		// STATE_DIE: lit, its ring circling, until a white guard undoes it.
		void Lit( SwitchFrame& s, float dt )
		{
			StepStateProtocol(
			    s.mSwitch, dt,
			    [&]( SwitchComponent& m ) -> Go {
				    m.mStateTimer = 0.0f;
				    return Activate( s ) ? Go( STATE_END ) : Go::On();
			    },
			    [&]( SwitchComponent&, float step ) {
				    RingAngle() += kRingTurn * step;
				    ShowRing( s );
				    return false;
			    },
			    []( SwitchComponent& ) { return Go::Stay(); } );
		}

		// STATE_REPAIR: a white guard undoes it. Left by its guard, it waits for another.
		void BeingUndone( SwitchFrame& s, float dt )
		{
			StepStateProtocol(
			    s.mSwitch, dt, []( SwitchComponent& m ) { m.mStateTimer = 0.0f; },
			    [&]( SwitchComponent& m, float step ) -> Go {
				    if ( !m.mClaimant )
					    return Go::Again();
				    s.mEmitter.mPixelShaderColorStart = s.mMesh.mColour;
				    s.Drain( kUndoDrain * step );
				    if ( s.Charge() > kRestCharge )
					    return Go::Stay();
				    Play( kSwitchDeactivateSound, true );
				    return Go::On();
			    },
			    [&]( SwitchComponent& m ) {
				    SendClaimantBack( m );
				    TakeBack( s.mManager, m );
				    return STATE_NORMAL;
			    } );
		}

		// STATE_END: wrong, it discharges quickly. It matched nothing, so it takes nothing
		// back: a match another switch of its colour made stands.
		void Wrong( SwitchFrame& s, float dt )
		{
			StepStateProtocol(
			    s.mSwitch, dt,
			    []( SwitchComponent& m ) {
				    m.mStateTimer = 0.0f;
				    SendClaimantBack( m );
			    },
			    [&]( SwitchComponent&, float step ) {
				    s.Drain( kWrongDrain * step );
				    return s.Charge() <= kRestCharge;
			    },
			    []( SwitchComponent& ) { return STATE_NORMAL; } );
		}

		void FileSwitchRoutines( StateMachineManager& manager )
		{
			// The manager runs it for switches only, not for the stun effects that carry a
			// switch's component too.
			manager.FileSwitchRoutine( MakeRoutine( "switch", &RunSwitch, { Needs::Transform, Needs::Mesh, Needs::Emitter } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileSwitchRoutines )

	float& RingAngle()
	{
		static float angle = 0.0f;
		return angle;
	}

	void RunSwitch( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt )
	{
		auto& target = static_cast<SwitchComponent&>( component );
		auto* transform = OwnerPart<Tarn::TransformComponent>( target );
		auto* mesh = OwnerPart<Graphics::MeshComponent>( target );
		auto* emitter = OwnerPart<Graphics::EmitterComponent>( target );
		if ( !transform || !mesh || !emitter )
			return;
		SwitchFrame s{ manager, target, *transform, *mesh, *emitter };
		switch ( target.mState )
		{
		case STATE_NORMAL: Idle( s, dt ); break;
		case STATE_WAIT: Charging( s, dt ); break;
		case STATE_DIE: Lit( s, dt ); break;
		case STATE_REPAIR: BeingUndone( s, dt ); break;
		case STATE_END: Wrong( s, dt ); break;
		default: break;
		}
	}
}
