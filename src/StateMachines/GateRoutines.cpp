// Gates and enemy gates: a gate opens when its colours have arrived and closes when
// one is undone; an enemy gate opens once and lets out its guards.
#include "StateMachines/GateRoutines.h"

#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "GameStates/SoundManager.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineFamily.h"
#include "StateMachines/StateMachineComponent.h"
#include "core/Services.h"

namespace StateMachines
{
	namespace
	{
		// The gate sheet's frames: shut, two steps of the iris, wide open.
		constexpr int kShutFrame = 0;
		constexpr int kOpeningFrame = 1;
		constexpr int kNearlyOpenFrame = 2;
		constexpr int kOpenFrame = 3;

		// Where the timer shows the iris half and nearly open, and where the showing ends:
		// the same timer runs up while a gate opens and down while it closes.
		struct IrisTimes
		{
			float mOpening;
			float mNearlyOpen;
			float mOpen; // seconds to open
		};
		constexpr IrisTimes kGateIris{ 0.667f, 1.333f, 2.0f };
		constexpr IrisTimes kEnemyGateIris{ 0.25f, 0.75f, 1.0f };

		// An enemy gate opens with its timer at this, lets a guard out each time it passes
		// kReleaseAt and starts again from kAfterRelease: the first guard 1.5 s after it
		// opened, the others 1.25 s apart.
		constexpr float kReleaseFrom = 1.0f;
		constexpr float kReleaseAt = 2.5f;
		constexpr float kAfterRelease = 1.25f;

		// An emission life of 0 spawns for as long as it is left so; once the last colour
		// is in, the gate's swirl spawns this much longer.
		constexpr float kSwirlWhileShut = 0.0f;
		constexpr float kLastSwirl = 0.1f;

		// A spark is flying to the gate that stands where it flies to.
		constexpr float kSameSpotSq = 0.01f;

		template <typename Component>
		Component* OwnerPart( const Tarn::ObjectComponent& component )
		{
			return component.mOwner ? component.mOwner->GetComponent<Component>() : nullptr;
		}

		void ShowFrame( const GateComponent& gate, int frame )
		{
			auto* animation = OwnerPart<Graphics::AnimationComponent>( gate );
			if ( !animation || frame >= static_cast<int>( animation->GetAnimationFrames().size() ) )
				return;
			if ( animation->GetCurrentFrame() != frame || !animation->IsPaused() )
				animation->SetFrame( frame );
		}

		// Every frame, before the states: the iris follows the timer while it is between
		// shut and open; outside that the states choose the frame.
		void FollowIris( const GateComponent& gate, const IrisTimes& iris )
		{
			const float t = gate.mStateTimer;
			if ( t >= iris.mNearlyOpen && t < iris.mOpen )
				ShowFrame( gate, kNearlyOpenFrame );
			else if ( t >= iris.mOpening && t < iris.mOpen )
				ShowFrame( gate, kOpeningFrame );
		}

		void SetSolid( const GateComponent& gate, bool solid )
		{
			if ( auto* collider = OwnerPart<Physics::CollisionComponent>( gate ) )
				collider->mDefault = solid;
		}

		Tarn::Object* Named( const Tarn::HashedName& name ) { return Tarn::ObjectManager::Instance().GetObject( name ); }

		// The barrier before a plain gate, looked up each time: a level without one skips it.
		void SetBarrier( StateType state )
		{
			static const Tarn::HashedName kBarrier( GateComponent::kBarrierName );
			Tarn::Object* barrier = Named( kBarrier );
			if ( auto* machine = barrier ? barrier->GetComponent<StateMachineComponent>() : nullptr )
			{
				machine->mState = state;
				machine->mInnerState = INNER_STATE_ON_ENTER;
			}
		}

		// A guard walks out of the enemy gate and goes for the player. A name without a
		// guard lets out nothing.
		void Release( const Tarn::HashedName& name )
		{
			Tarn::Object* guard = Named( name );
			if ( !guard )
				return;
			if ( auto* machine = guard->GetComponent<StateMachineComponent>() )
			{
				machine->mState = STATE_SEEK;
				machine->mInnerState = INNER_STATE_ON_ENTER;
			}
			if ( auto* transform = guard->GetComponent<Tarn::TransformComponent>() )
				transform->mActive = true;
			if ( auto* mesh = guard->GetComponent<Graphics::MeshComponent>() )
				mesh->mVisible = true;
		}

		// Runs up to `length` seconds; the end is seen before the frame's time is added.
		auto RunUpTo( float length )
		{
			return [length]( GateComponent& gate, float dt ) {
				if ( gate.mStateTimer >= length )
					return true;
				gate.mStateTimer += dt;
				return false;
			};
		}

		// Shut, a plain gate swirls in the colour it wants, for as long as it stays shut.
		void StartShut( GateComponent& gate )
		{
			ShowFrame( gate, kShutFrame );
			gate.mStateTimer = 0.0f;
			if ( gate.mIsEnemy )
				return;
			if ( auto* emitter = OwnerPart<Graphics::EmitterComponent>( gate ) )
				emitter->mEmitLifeTime = emitter->mEmitCurrentTimer = kSwirlWhileShut;
			ShowWantedColour( gate );
		}

		void NothingOnEntry( GateComponent& ) {}
		bool NoEnd( GateComponent&, float ) { return false; }
		Go Terminal( GateComponent& ) { return Go::Stay(); }

		void FileGateRoutines( StateMachineManager& manager )
		{
			// Both show their opening on the animation's frames; a gate is solid until open.
			manager.FileGateRoutine( Routine::Gate, MakeRoutine( "gate", &RunGate, { Needs::Animation, Needs::Collision } ) );
			manager.FileGateRoutine( Routine::EnemyGate, MakeRoutine( "enemy gate", &RunEnemyGate, { Needs::Animation } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileGateRoutines )

	void RunGate( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto& gate = static_cast<GateComponent&>( component );
		FollowIris( gate, kGateIris );
		switch ( gate.mState )
		{
		case STATE_NORMAL: // shut
			StepStateProtocol( gate, dt, &StartShut, &NoEnd, &Terminal );
			break;
		case STATE_ENGAGE: // opening; the timer runs on from wherever a closing left it
			StepStateProtocol( gate, dt, &NothingOnEntry, RunUpTo( kGateIris.mOpen ), []( GateComponent& ) { return STATE_DIE; } );
			break;
		case STATE_DIE: // open: the ship can fly in
			StepStateProtocol(
			    gate, dt,
			    []( GateComponent& g ) {
				    SetSolid( g, false );
				    if ( auto* sounds = Tarn::Services::Get<Tarn::SoundManager>() )
					    sounds->PlaySoundEffect( kPortalOpenSound, false );
				    ShowFrame( g, kOpenFrame );
				    SetBarrier( STATE_DIE );
			    },
			    &NoEnd, &Terminal );
			break;
		case STATE_REPAIR: // closing
			StepStateProtocol(
			    gate, dt,
			    []( GateComponent& g ) -> Go {
				    // A ship in the gate as it starts to close holds it open one frame more.
				    if ( g.mPauseGate )
				    {
					    g.mPauseGate = false;
					    return Go::Stay();
				    }
				    SetSolid( g, true );
				    ShowFrame( g, kNearlyOpenFrame );
				    SetBarrier( STATE_NORMAL );
				    return Go::On();
			    },
			    []( GateComponent& g, float step ) {
				    if ( g.mStateTimer <= 0.0f )
					    return true;
				    g.mStateTimer -= step;
				    return false;
			    },
			    []( GateComponent& ) { return STATE_NORMAL; } );
			break;
		default: break; // STATE_WAIT: held open while a switch is undone
		}
	}

	void RunEnemyGate( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto& gate = static_cast<GateComponent&>( component );
		FollowIris( gate, kEnemyGateIris );
		switch ( gate.mState )
		{
		case STATE_NORMAL:
			StepStateProtocol( gate, dt, &StartShut, &NoEnd, &Terminal );
			break;
		case STATE_ENGAGE:
			StepStateProtocol( gate, dt, &NothingOnEntry, RunUpTo( kEnemyGateIris.mOpen ), []( GateComponent& ) { return STATE_DIE; } );
			break;
		case STATE_DIE: // letting its guards out, the highest number first; then shut for good
			StepStateProtocol(
			    gate, dt,
			    []( GateComponent& g ) {
				    ShowFrame( g, kOpenFrame );
				    g.mStateTimer = kReleaseFrom;
			    },
			    []( GateComponent& g, float step ) {
				    std::vector<Tarn::HashedName>& queue = g.ReleaseQueue();
				    if ( !queue.empty() )
				    {
					    g.mStateTimer += step;
					    if ( g.mStateTimer > kReleaseAt )
					    {
						    const Tarn::HashedName name = queue.back();
						    queue.pop_back();
						    Release( name );
						    g.mStateTimer = kAfterRelease;
					    }
					    return false;
				    }
				    g.mStateTimer -= step;
				    if ( g.mStateTimer > 0.0f )
					    return false;
				    ShowFrame( g, kShutFrame );
				    return true;
			    },
			    &Terminal );
			break;
		default: break;
		}
	}

	bool IsOpenOrOpening( const GateComponent& gate ) { return gate.mState == STATE_ENGAGE || gate.mState == STATE_DIE; }

	void ShowWantedColour( GateComponent& gate )
	{
		auto* emitter = OwnerPart<Graphics::EmitterComponent>( gate );
		if ( !emitter )
			return;
		Tarn::Colour& shown = emitter->mPixelShaderColorStart;
		if ( const auto* mesh = OwnerPart<Graphics::MeshComponent>( gate ) )
		{
			shown.r = mesh->mColour.r;
			shown.g = mesh->mColour.g;
			shown.b = mesh->mColour.b;
		}
		const int32_t wanted = gate.WantedColour();
		if ( wanted < ColourCode::Red || wanted > ColourCode::RedBlue )
			return;
		shown.r = shown.g = shown.b = 1.0f;
		ColourCode::SetChannels( shown, wanted, kWantedGlow );
	}

	void ColourArrived( GateComponent& gate )
	{
		if ( gate.mTargetPosition == gate.TargetCount() )
		{
			if ( IsOpenOrOpening( gate ) )
				return;
			gate.mState = STATE_ENGAGE;
			gate.mInnerState = INNER_STATE_ON_ENTER;
			if ( !gate.mIsEnemy )
				if ( auto* emitter = OwnerPart<Graphics::EmitterComponent>( gate ) )
					emitter->mEmitLifeTime = kLastSwirl;
		}
		else if ( !gate.mIsEnemy )
			ShowWantedColour( gate );
	}

	void CatchSpark( GateComponent& gate, Physics::CollisionComponent& spark )
	{
		if ( spark.mInvulnerable || !spark.mOwner )
			return;
		// A spark crossing another gate on its way flies on.
		const auto* flight = spark.mOwner->GetComponent<MineComponent>();
		const auto* at = OwnerPart<Tarn::TransformComponent>( gate );
		if ( flight && at && Tarn::LengthSquared( flight->mPatrol[0] - at->mPosition ) > kSameSpotSq )
			return;
		spark.mInvulnerable = true;
		ColourArrived( gate );
	}
}

namespace StateMachines
{
	void SparkMeetsGate( Physics::CollisionComponent& spark, Tarn::Object& gate )
	{
		if ( auto* machine = gate.GetComponent<GateComponent>() )
			CatchSpark( *machine, spark );
	}
}
