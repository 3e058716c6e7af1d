#include "Game/Player.h"

#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Game/SkillsComponent.h"
#include "GameStates/LevelManager.h"
#include "GameStates/SoundManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Input/KeyboardManager.h"
#include "Input/MouseManager.h"
#include "Physics/CollisionComponent.h"
#include "Physics/CollisionManager.h"
#include "Physics/PhysicsManager.h"
#include "Physics/StatsComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateMachineManager.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <cmath>
#include <string>

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( Player )

	namespace
	{
		using StateMachines::StateMachineComponent;

		StateMachineComponent* MachineOf( const Object* object )
		{
			return object ? object->GetComponent<StateMachineComponent>() : nullptr;
		}

		int Sign( float value ) { return ( value > 0.0f ) - ( value < 0.0f ); }

		// The x velocity the hit came with: the other side's transform, else what its
		// collider last carried.
		float VelocityXOf( const Physics::CollisionComponent& other )
		{
			if ( other.mOwner )
				if ( const auto* transform = other.mOwner->GetComponent<TransformComponent>() )
					return transform->mVelocity.X;
			return other.mVelocity.X;
		}
	}

	void Player::Initialise()
	{
		// A component type that is not built yet is simply not added.
		static const char* const kComponents[] = { "TransformComponent", "MeshComponent",   "CollisionComponent",
			                                       "CollisionDebugComponent", "EmitterComponent", "SkillsComponent",
			                                       "StatsComponent",     "StateMachineComponent" };
		mComponents.AddComponents( kComponents );

		auto* transform = GetComponent<TransformComponent>();
		auto* collider = GetComponent<Physics::CollisionComponent>();
		if ( auto* physics = Services::Get<Physics::PhysicsManager>(); physics && transform )
		{
			physics->mPlayerPosition = &transform->mPosition;
			mGivenPosition = &transform->mPosition;
		}
		if ( auto* collisions = Services::Get<Physics::CollisionManager>(); collisions && collider )
		{
			collisions->SetPlayerCollider( collider );
			mGivenCollider = collider;
		}
		if ( auto* mesh = GetComponent<Graphics::MeshComponent>() )
		{
			mesh->mDrawOrder = 4;
			mesh->SetTexture( "resource/spaceship_head_new.png" );
		}
		if ( transform )
		{
			transform->mXScaleFactor = 2.0f;
			transform->mYScaleFactor = 2.0f;
		}

		if ( auto* keyboard = Services::Get<KeyboardManager>() )
			keyboard->mOnKeyHeld.Subscribe( this, &Player::OnKeyHeld );
		if ( auto* mouse = Services::Get<MouseManager>() )
		{
			mouse->mOnButtonHeld.Subscribe( this, &Player::OnMouseHeld );
			mouse->mOnButtonReleased.Subscribe( this, &Player::OnMouseReleased );
		}
		mSubscribed = true;

		// The shadow service takes the player as its light source once it is built.
		if ( auto* emitter = GetComponent<Graphics::EmitterComponent>() )
		{
			emitter->mEmitCurrentTimer = 0.0f;
			emitter->mEmitComplete = false;
		}
	}

	void Player::Shutdown()
	{
		if ( auto* physics = Services::Get<Physics::PhysicsManager>(); physics && mGivenPosition &&
		                                                                physics->mPlayerPosition == mGivenPosition )
			physics->mPlayerPosition = nullptr;
		if ( auto* collisions = Services::Get<Physics::CollisionManager>();
		     collisions && mGivenCollider && collisions->GetPlayerCollider() == mGivenCollider )
			collisions->SetPlayerCollider( nullptr );
		mGivenPosition = nullptr;
		mGivenCollider = nullptr;
		if ( !mSubscribed )
			return;
		if ( auto* keyboard = Services::Get<KeyboardManager>() )
			keyboard->mOnKeyHeld.Unsubscribe( this, &Player::OnKeyHeld );
		if ( auto* mouse = Services::Get<MouseManager>() )
		{
			mouse->mOnButtonHeld.Unsubscribe( this, &Player::OnMouseHeld );
			mouse->mOnButtonReleased.Unsubscribe( this, &Player::OnMouseReleased );
		}
		mSubscribed = false;
	}

	bool Player::IsFleeing() const
	{
		const StateMachineComponent* machine = MachineOf( this );
		return machine && machine->mState == StateMachines::STATE_FLEE;
	}

	bool Player::IgnoresKeys() const
	{
		const StateMachineComponent* machine = MachineOf( this );
		if ( !machine )
			return false;
		return machine->mState == StateMachines::STATE_WAIT || machine->mState == StateMachines::STATE_FLEE ||
		       machine->mState == StateMachines::STATE_DIE;
	}

	bool Player::IsInvulnerable() const
	{
		const auto* collider = GetComponent<Physics::CollisionComponent>();
		return collider && collider->mInvulnerable;
	}

	void Player::OnKeyHeld( uint32_t key, uint32_t )
	{
		// The score service's started flag is set here once it is built.
		if ( IgnoresKeys() )
			return;
		Vector2 step;
		switch ( key )
		{
		case kKeyW: step = Vector2( 0.0f, kStep ); break;
		case kKeyS: step = Vector2( 0.0f, -kStep ); break;
		case kKeyD: step = Vector2( kStep, 0.0f ); break;
		case kKeyA: step = Vector2( -kStep, 0.0f ); break;
		default: return;
		}
		if ( const auto* skills = GetComponent<SkillsComponent>(); skills && skills->mSpeedBoost )
			step = step * skills->mSpeedFactor;
		if ( auto* transform = GetComponent<TransformComponent>() )
			transform->mVelocity = transform->mVelocity + step;

		// The first level's "WASD" prompt is done once the player has steered.
		const auto* levels = Services::Get<LevelManager>();
		if ( levels && levels->mLevelNumber == 1 )
			if ( auto* machines = Services::Get<StateMachines::StateMachineManager>() )
				machines->RaiseMessage( 26 );
	}

	// The score service starts its clock on a held button once it is built; neither
	// handler has anything to do before then.
	void Player::OnMouseHeld( int32_t, int32_t, int32_t ) {}
	void Player::OnMouseReleased( int32_t, int32_t, int32_t ) {}

	void Player::Invulnerable( float seconds )
	{
		if ( auto* collider = GetComponent<Physics::CollisionComponent>() )
		{
			collider->mInvulnerable = true;
			collider->mInvulTimer = seconds;
		}
	}

	void Player::PlayHitSound()
	{
		if ( auto* sound = Services::Get<SoundManager>() )
			sound->PlaySoundEffect( kHitSound, true );
	}

	bool Player::TakeHit( float damage, float fromVx )
	{
		if ( IsInvulnerable() )
			return false;
		if ( auto* stats = GetComponent<Physics::StatsComponent>() )
			stats->mHealth += damage;
		if ( auto* transform = GetComponent<TransformComponent>() )
			transform->mVelocity.X = fromVx >= 0.0f ? kKnockBack : -kKnockBack;
		Invulnerable( kHitInvulnerability );
		PlayHitSound();
		return true;
	}

	void Player::OnCollisionStay( Physics::CollisionComponent* other )
	{
		if ( !other || !other->mOwner )
			return;
		Object& owner = *other->mOwner;
		const std::string& type = owner.GetType().GetName();
		StateMachineComponent* machine = MachineOf( &owner );

		if ( type == "MeleeGuard" )
		{
			if ( !IsInvulnerable() )
				TakeHit( machine && machine->mActionFlag ? -25.0f : -10.0f, VelocityXOf( *other ) );
		}
		else if ( type == "Mine" )
		{
			auto* mine = owner.GetComponent<StateMachines::MineComponent>();
			if ( !other->mInvulnerable )
			{
				// Touching a mine lights its fuse; it explodes a moment later.
				other->mInvulnerable = true;
				if ( mine )
				{
					mine->mState = StateMachines::STATE_WAIT;
					mine->mInnerState = StateMachines::INNER_STATE_ON_ENTER;
				}
			}
			else if ( mine && mine->mIsAttacking && !IsInvulnerable() )
				TakeHit( -40.0f, VelocityXOf( *other ) );
		}
		else if ( type == "SwitchEffect" )
		{
		}
		else if ( type == "Gate" )
		{
			auto* gate = owner.GetComponent<StateMachines::GateComponent>();
			if ( !gate )
				return;
			const auto* mine = GetComponent<TransformComponent>();
			const auto* theirs = owner.GetComponent<TransformComponent>();
			if ( gate->mState == StateMachines::STATE_DIE && mine && theirs && !IsFleeing() )
			{
				const Vector2 apart = theirs->mPosition - mine->mPosition;
				if ( apart.X * apart.X + apart.Y * apart.Y >= 1.0f )
					return;
				// Won: the guards freeze, nothing can hurt the ship any more and it is
				// drawn into the exit. The score service adds its 1000 once it is built.
				if ( auto* machines = Services::Get<StateMachines::StateMachineManager>() )
					for ( StateMachineComponent* guard : machines->Machines() )
						if ( guard && ( guard->mAI == 2 || guard->mAI == 3 ) )
						{
							guard->mState = StateMachines::STATE_FLEE;
							guard->mInnerState = StateMachines::INNER_STATE_ON_ENTER;
						}
				if ( auto* collider = GetComponent<Physics::CollisionComponent>() )
					collider->mInvulnerable = true;
				if ( StateMachineComponent* own = MachineOf( this ) )
				{
					own->mState = StateMachines::STATE_FLEE;
					own->mInnerState = StateMachines::INNER_STATE_ON_ENTER;
				}
			}
			else if ( gate->mState == StateMachines::STATE_REPAIR && gate->mInnerState == StateMachines::INNER_STATE_ON_ENTER )
				gate->mPauseGate = true;
		}
		else if ( type == "GateBarrier" )
		{
			if ( IsInvulnerable() || !machine || machine->mState != StateMachines::STATE_ENGAGE )
				return;
			const Vector2 n = other->mNormal;
			const float length = std::sqrt( n.X * n.X + n.Y * n.Y );
			if ( length <= 0.0f )
				return;
			const Vector2 unit = n * ( 1.0f / length );
			auto* transform = GetComponent<TransformComponent>();
			if ( !transform )
				return;
			const Vector2 velocity = transform->mVelocity;
			// Only a ship not already moving away from the barrier along either axis is
			// thrown back.
			const bool sameX = Sign( unit.X ) != 0 && Sign( unit.X ) == Sign( velocity.X );
			const bool sameY = Sign( unit.Y ) != 0 && Sign( unit.Y ) == Sign( velocity.Y );
			if ( sameX || sameY )
				return;
			transform->mVelocity = velocity + unit * 15.0f;
			if ( auto* stats = GetComponent<Physics::StatsComponent>() )
				stats->mHealth -= 5.0f;
			Invulnerable( kBarrierInvulnerability );
			PlayHitSound();
		}
		else if ( type == "Nebula" )
		{
			if ( auto* collisions = Services::Get<Physics::CollisionManager>() )
				collisions->mOnNotify.Raise( owner.GetName().GetName().c_str(), true );
			if ( auto* skills = GetComponent<SkillsComponent>() )
			{
				skills->mSpeedBoost = true;
				skills->mSpeedFactor = 0.5f;
			}
		}
		else if ( type == "EngSpawner" )
		{
			const std::string& name = owner.GetName().GetName();
			if ( name.size() < 11 )
			{
				LOG_WARNING( "The spawner " << name << " names no guard: its name has no eleventh character." );
				return;
			}
			const std::string guardName = std::string( "Guard" ) + name[10];
			Object* guard = ObjectManager::Instance().GetObject( HashedName( guardName.c_str() ) );
			if ( !guard )
				return;
			auto* transform = guard->GetComponent<TransformComponent>();
			if ( !transform || transform->mActive )
				return;
			transform->mActive = true;
			if ( auto* mesh = guard->GetComponent<Graphics::MeshComponent>() )
				mesh->mVisible = true;
			if ( StateMachineComponent* guardMachine = MachineOf( guard ) )
				guardMachine->mState = StateMachines::STATE_SEEK;
		}
	}

	void Player::OnCollisionEnd( Physics::CollisionComponent* other )
	{
		if ( !other || !other->mOwner || other->mOwner->GetType().GetName() != "Nebula" )
			return;
		if ( auto* collisions = Services::Get<Physics::CollisionManager>() )
			collisions->mOnNotify.Raise( other->mOwner->GetName().GetName().c_str(), false );
		// The boost flag stays set: from now on the steps are multiplied by 1.
		if ( auto* skills = GetComponent<SkillsComponent>() )
			skills->mSpeedFactor = 1.0f;
	}
}
