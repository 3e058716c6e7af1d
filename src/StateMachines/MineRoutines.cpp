#include "StateMachines/MineRoutines.h"

#include "Core/Object.h"
#include "Game/ScoreManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/EnemyMotion.h"
#include "StateMachines/GuardRoutines.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/Patrol.h"
#include "StateMachines/RoutineFamily.h"
#include "Utilities/Random.h"
#include "core/MathConstants.h"
#include "core/Services.h"

#include <algorithm>
#include <string>

namespace StateMachines
{
	namespace
	{
		constexpr float kFuseLength = 0.5f;      // seconds of reddening
		constexpr float kFuseFade = 1.5f;        // green and blue lost a second on the fuse
		constexpr float kBlastLength = 0.5f;     // seconds
		constexpr float kBlastFade = 3.0f;       // alpha lost a second in the blast
		constexpr float kBlastScale = 4.5f;
		constexpr float kBlastReach = 1.5f;      // added to the collision radius
		constexpr float kCrystalBurn = 0.75f;    // green and blue lost a second in a cone

		void FileMineRoutines( StateMachineManager& manager )
		{
			for ( int32_t code : { Routine::BlueMine, Routine::Mine } )
				manager.FileMineRoutine( code, MakeRoutine( "mine", &RunMine, { Needs::Transform, Needs::Mesh, Needs::Collision } ) );
			manager.FileMineRoutine( Routine::CrystalFocus,
			                         MakeRoutine( "crystal focus", &RunCrystalFocus, { Needs::Transform, Needs::Mesh, Needs::Emitter } ) );
		}

		// STATE_WAIT: the fuse, the mine reddening.
		void Fuse( MineComponent& machine, Graphics::MeshComponent& mesh, float dt )
		{
			StepStateProtocol(
			    machine, dt, []( MineComponent& m ) { m.mStateTimer = 0.0f; },
			    [&mesh]( MineComponent& m, float step ) {
				    m.mStateTimer += step;
				    mesh.mColour.g -= kFuseFade * step;
				    mesh.mColour.b -= kFuseFade * step;
				    return m.mStateTimer >= kFuseLength;
			    },
			    []( MineComponent& ) { return STATE_DIE; } );
		}

		// STATE_DIE: the explosion, wider than the mine, then the spent mine leaves play.
		void Explode( MineComponent& machine, Tarn::TransformComponent& transform, Graphics::MeshComponent& mesh,
		              Physics::CollisionComponent& collider, float dt )
		{
			StepStateProtocol(
			    machine, dt,
			    [&]( MineComponent& m ) {
				    mesh.SetTexture( kExplosionTexture );
				    SetScale( transform, kBlastScale );
				    m.mIsAttacking = true;
				    collider.mCollisionData[0] += kBlastReach;
				    m.mStateTimer = 0.0f;
			    },
			    [&mesh]( MineComponent& m, float step ) {
				    m.mStateTimer += step;
				    mesh.mColour.a -= kBlastFade * step;
				    return m.mStateTimer >= kBlastLength;
			    },
			    [&]( MineComponent& m ) {
				    m.mIsAttacking = false;
				    transform.mActive = false;
				    mesh.mVisible = false;
				    SetScale( transform, 1.0f );
				    mesh.mColour.g = mesh.mColour.b = mesh.mColour.a = 1.0f;
				    mesh.SetTexture( kMineTexture );
				    collider.mCollisionData[0] -= kBlastReach;
				    return STATE_NONE;
			    } );
		}

		// What a blast does to each kind it reaches, and whether that kind lights the
		// fuse of a mine at rest by touching it (the player's touch is its own contact).
		using Blast = void ( * )( StateMachineManager& manager, Physics::CollisionComponent& other );

		void KillInBlast( StateMachineManager& manager, Physics::CollisionComponent& other ) { KillGuard( manager, *other.mOwner ); }

		// A chain reaction: the other mine's fuse, once.
		void SetOffMine( StateMachineManager&, Physics::CollisionComponent& other ) { LightFuse( other ); }

		void SetOffCrystal( StateMachineManager&, Physics::CollisionComponent& other )
		{
			auto* crystal = other.mOwner->GetComponent<MineComponent>();
			if ( !crystal || crystal->mState == STATE_DIE )
				return;
			crystal->mState = STATE_DIE;
			if ( auto* mesh = other.mOwner->GetComponent<Graphics::MeshComponent>() )
				mesh->mColour.g = mesh->mColour.b = 0.0f;
		}

		struct MineContact
		{
			const char* mKind; // the other owner's type
			bool mLightsFuse;
			Blast mBlast;
		};

		constexpr MineContact kMineContacts[] = {
			{ "MeleeGuard", true, &KillInBlast },
			{ "Mine", false, &SetOffMine },
			{ "CrystalFocus", true, &SetOffCrystal },
		};
	}

	KELVANE_ROUTINE_FAMILY( FileMineRoutines )

	const MineSpin& SharedMineSpin()
	{
		static const MineSpin spin = []() {
			const float speed = Tarn::Random::Unit() * Tarn::kPi / 6.0f + Tarn::kPi / 6.0f;
			const int turn = static_cast<int>( Tarn::Random::Unit() * 1.99f + 2.0f );
			return MineSpin{ speed, turn % 2 == 1 ? 1.0f : -1.0f };
		}();
		return spin;
	}

	void RunMine( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto& machine = static_cast<MineComponent&>( component );
		Tarn::Object& owner = *machine.mOwner;
		auto* transform = owner.GetComponent<Tarn::TransformComponent>();
		auto* mesh = owner.GetComponent<Graphics::MeshComponent>();
		auto* collider = owner.GetComponent<Physics::CollisionComponent>();
		if ( !transform || !mesh || !collider )
			return;

		if ( !machine.mIsAttacking )
		{
			const MineSpin& spin = SharedMineSpin();
			transform->mDirection += spin.mSign * spin.mSpeed * dt;
		}
		switch ( machine.mState )
		{
		case STATE_WAIT: Fuse( machine, *mesh, dt ); break;
		case STATE_DIE: Explode( machine, *transform, *mesh, *collider, dt ); break;
		default: FollowPatrol( machine, *transform, dt, PatrolMotion::ByPosition ); break;
		}
	}

	void RunCrystalFocus( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto& machine = static_cast<MineComponent&>( component );
		Tarn::Object& owner = *machine.mOwner;
		auto* transform = owner.GetComponent<Tarn::TransformComponent>();
		auto* mesh = owner.GetComponent<Graphics::MeshComponent>();
		auto* emitter = owner.GetComponent<Graphics::EmitterComponent>();
		if ( !transform || !mesh || !emitter )
			return;

		Tarn::Colour& colour = mesh->mColour;
		if ( colour.g > 0.0f && machine.mState == STATE_WAIT )
		{
			// The cone lights it again next frame if it still shines on it.
			colour.g = std::max( colour.g - kCrystalBurn * dt, 0.0f );
			colour.b = std::max( colour.b - kCrystalBurn * dt, 0.0f );
			machine.mState = STATE_NORMAL;
		}
		if ( colour.g <= 0.0f && machine.mState != STATE_DIE )
		{
			if ( auto* score = Tarn::Services::Get<Tarn::ScoreManager>() )
				score->AddScore( Tarn::ScoreManager::kCrystalPenalty );
			machine.mState = STATE_DIE;
		}
		if ( machine.mState == STATE_DIE )
			emitter->CrystalFocusExplode();
		else
			FollowPatrol( machine, *transform, dt, PatrolMotion::ByPosition );
	}

	bool LightFuse( Physics::CollisionComponent& mine )
	{
		auto* machine = mine.mOwner ? mine.mOwner->GetComponent<MineComponent>() : nullptr;
		if ( mine.mInvulnerable || !machine )
			return false;
		mine.mInvulnerable = true;
		machine->mState = STATE_WAIT;
		machine->mInnerState = INNER_STATE_ON_ENTER;
		return true;
	}

	void MeetMine( Tarn::Object& mine, Physics::CollisionComponent& other )
	{
		auto* machine = mine.GetComponent<MineComponent>();
		auto* collider = mine.GetComponent<Physics::CollisionComponent>();
		auto* manager = Tarn::Services::Get<StateMachineManager>();
		if ( !machine || !collider || !manager || !other.mOwner )
			return;
		const std::string& kind = other.mOwner->GetType().GetName();
		for ( const MineContact& contact : kMineContacts )
		{
			if ( kind != contact.mKind )
				continue;
			if ( machine->mIsAttacking )
				contact.mBlast( *manager, other );
			else if ( contact.mLightsFuse )
				LightFuse( *collider );
			return;
		}
	}

	void BurnCrystal( MineComponent& crystal )
	{
		// A burnt-out crystal stays out: lit again it would cost its penalty again.
		if ( crystal.mState != STATE_DIE )
			crystal.mState = STATE_WAIT;
	}
}
