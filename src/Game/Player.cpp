#include "Game/Player.h"

#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Game/ScoreManager.h"
#include "Game/SkillsComponent.h"
#include "GameStates/ButtonManager.h"
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
#include "StateMachines/GuardRoutines.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/MineRoutines.h"
#include "StateMachines/RoutineCodes.h"
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

		// What a hit takes off the ship's health.
		constexpr float kGuardDamage = -10.0f;
		constexpr float kLungeDamage = -25.0f;
		constexpr float kMineDamage = -40.0f;
		constexpr float kBarrierDamage = -5.0f;
		constexpr float kNoDamage = 0.0f;
		// How a landed hit throws the ship.
		enum class KnockBack
		{
			None,
			AlongX,    // away from the hitter along x, at kKnockBack
			OffNormal, // off the other collider's contact normal, at kBarrierThrow
		};

		// A contact's own doing, besides a hit: its conditions and side effects. The
		// answer says whether a hit lands; it may change the row's damage.
		using Reaction = bool ( * )( Player& player, Physics::CollisionComponent& other, float& damage );

		bool GuardTouch( Player&, Physics::CollisionComponent& other, float& damage );
		bool MineTouch( Player&, Physics::CollisionComponent& other, float& damage );
		bool GateTouch( Player& player, Physics::CollisionComponent& other, float& damage );
		bool BarrierTouch( Player& player, Physics::CollisionComponent& other, float& damage );
		bool NebulaTouch( Player& player, Physics::CollisionComponent& other, float& damage );
		bool SpawnerTouch( Player&, Physics::CollisionComponent& other, float& damage );

		struct ContactRow
		{
			const char* mKind; // the other owner's type
			float mDamage;
			KnockBack mKnockBack;
			float mInvulnerability; // seconds
			Reaction mReaction;     // none: touching it does nothing
		};

		// The first row of the other owner's kind answers. A landed hit needs a ship not
		// already invulnerable.
		constexpr ContactRow kContacts[] = {
			{ "MeleeGuard", kGuardDamage, KnockBack::AlongX, Player::kHitInvulnerability, &GuardTouch },
			{ "Mine", kMineDamage, KnockBack::AlongX, Player::kHitInvulnerability, &MineTouch },
			{ "SwitchEffect", kNoDamage, KnockBack::None, 0.0f, nullptr },
			{ "Gate", kNoDamage, KnockBack::None, 0.0f, &GateTouch },
			{ "GateBarrier", kBarrierDamage, KnockBack::OffNormal, Player::kBarrierInvulnerability, &BarrierTouch },
			{ "Nebula", kNoDamage, KnockBack::None, 0.0f, &NebulaTouch },
			{ "EngSpawner", kNoDamage, KnockBack::None, 0.0f, &SpawnerTouch },
		};

		const ContactRow* FindContact( const std::string& kind )
		{
			for ( const ContactRow& row : kContacts )
				if ( kind == row.mKind )
					return &row;
			return nullptr;
		}

		Vector2 UnitOrZero( const Vector2& v )
		{
			const float length = std::sqrt( v.X * v.X + v.Y * v.Y );
			return length > 0.0f ? v * ( 1.0f / length ) : Vector2();
		}

		// A lunging guard (its flag raised at the end of the lunge) hurts more.
		bool GuardTouch( Player&, Physics::CollisionComponent& other, float& damage )
		{
			const StateMachineComponent* machine = MachineOf( other.mOwner );
			if ( machine && machine->mActionFlag )
				damage = kLungeDamage;
			return true;
		}

		// Touching a mine lights its fuse; it hurts only while it explodes.
		bool MineTouch( Player&, Physics::CollisionComponent& other, float& )
		{
			if ( !other.mInvulnerable )
			{
				StateMachines::LightFuse( other );
				return false;
			}
			const auto* mine = other.mOwner->GetComponent<StateMachines::MineComponent>();
			return mine && mine->mIsAttacking;
		}

		// An open gate reached at its centre wins; a gate starting to close while the ship
		// is in it waits a frame.
		bool GateTouch( Player& player, Physics::CollisionComponent& other, float& )
		{
			auto* gate = other.mOwner->GetComponent<StateMachines::GateComponent>();
			if ( !gate )
				return false;
			const auto* mine = player.GetComponent<TransformComponent>();
			const auto* theirs = other.mOwner->GetComponent<TransformComponent>();
			if ( gate->mState == StateMachines::STATE_DIE && mine && theirs && !player.IsFleeing() )
			{
				const Vector2 apart = theirs->mPosition - mine->mPosition;
				if ( apart.X * apart.X + apart.Y * apart.Y >= 1.0f )
					return false;
				// Won: the guards freeze, nothing can hurt the ship any more, the exit is
				// worth its award and the ship is drawn into it.
				if ( auto* machines = Services::Get<StateMachines::StateMachineManager>() )
					StateMachines::FreezeGuards( *machines );
				if ( auto* score = Services::Get<ScoreManager>() )
					score->AddScore( ScoreManager::kExitAward );
				if ( auto* collider = player.GetComponent<Physics::CollisionComponent>() )
					collider->mInvulnerable = true;
				if ( StateMachineComponent* own = MachineOf( &player ) )
				{
					own->mState = StateMachines::STATE_FLEE;
					own->mInnerState = StateMachines::INNER_STATE_ON_ENTER;
				}
			}
			else if ( gate->mState == StateMachines::STATE_REPAIR && gate->mInnerState == StateMachines::INNER_STATE_ON_ENTER )
				gate->mPauseGate = true;
			return false;
		}

		// A barrier hurts in its engaged phase, and only a ship not already moving away
		// from it along either axis.
		bool BarrierTouch( Player& player, Physics::CollisionComponent& other, float& )
		{
			const StateMachineComponent* machine = MachineOf( other.mOwner );
			if ( !machine || machine->mState != StateMachines::STATE_ENGAGE )
				return false;
			const Vector2 unit = UnitOrZero( other.mNormal );
			const auto* transform = player.GetComponent<TransformComponent>();
			if ( ( unit.X == 0.0f && unit.Y == 0.0f ) || !transform )
				return false;
			const Vector2 velocity = transform->mVelocity;
			const bool sameX = Sign( unit.X ) != 0 && Sign( unit.X ) == Sign( velocity.X );
			const bool sameY = Sign( unit.Y ) != 0 && Sign( unit.Y ) == Sign( velocity.Y );
			return !sameX && !sameY;
		}

		bool NebulaTouch( Player& player, Physics::CollisionComponent& other, float& )
		{
			if ( auto* collisions = Services::Get<Physics::CollisionManager>() )
				collisions->mOnNotify.Raise( other.mOwner->GetName().GetName().c_str(), true );
			if ( auto* skills = player.GetComponent<SkillsComponent>() )
			{
				skills->mSpeedBoost = true;
				skills->mSpeedFactor = 0.5f;
			}
			return false;
		}

		// A spawner lets out the guard its name gives: "Guard" and its eleventh character.
		bool SpawnerTouch( Player&, Physics::CollisionComponent& other, float& )
		{
			const std::string& name = other.mOwner->GetName().GetName();
			if ( name.size() < 11 )
			{
				LOG_WARNING( "The spawner " << name << " names no guard: its name has no eleventh character." );
				return false;
			}
			const std::string guardName = std::string( "Guard" ) + name[10];
			Object* guard = ObjectManager::Instance().GetObject( HashedName( guardName.c_str() ) );
			if ( !guard )
				return false;
			auto* transform = guard->GetComponent<TransformComponent>();
			if ( !transform || transform->mActive )
				return false;
			transform->mActive = true;
			if ( auto* mesh = guard->GetComponent<Graphics::MeshComponent>() )
				mesh->mVisible = true;
			if ( StateMachineComponent* guardMachine = MachineOf( guard ) )
				guardMachine->mState = StateMachines::STATE_SEEK;
			return false;
		}
	}

	const HashedName& PlayerObjectName()
	{
		static const HashedName name( kPlayerObjectName );
		return name;
	}

	Object* FindPlayer() { return ObjectManager::Instance().GetObject( PlayerObjectName() ); }

	bool PlayerControlsHeld()
	{
		if ( MenusHoldInput() )
			return true;
		const auto* player = ObjectManager::Instance().GetObjectOfType<Player>( PlayerObjectName() );
		return player && player->ControlsHeld();
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

	void Player::StartLevelClock() const
	{
		if ( IsFleeing() )
			return;
		if ( auto* score = Services::Get<ScoreManager>() )
			score->StartClock();
	}

	void Player::OnKeyHeld( uint32_t key, uint32_t )
	{
		// A menu page in front, the loading screen or a cinematic has the keys: they
		// neither steer nor start the clock.
		if ( PlayerControlsHeld() )
			return;
		StartLevelClock();
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
				machines->RaiseMessage( StateMachines::Message::MovementPromptDone );
	}

	void Player::OnMouseHeld( int32_t, int32_t, int32_t )
	{
		if ( !PlayerControlsHeld() )
			StartLevelClock();
	}
	void Player::OnMouseReleased( int32_t, int32_t, int32_t ) {}

	void Player::LoseHealth( float damage )
	{
		if ( auto* stats = GetComponent<Physics::StatsComponent>() )
			stats->mHealth += damage;
	}

	void Player::ThrowAlongX( float fromVx )
	{
		if ( auto* transform = GetComponent<TransformComponent>() )
			transform->mVelocity.X = fromVx >= 0.0f ? kKnockBack : -kKnockBack;
	}

	void Player::ThrowOff( const Vector2& unitNormal )
	{
		if ( auto* transform = GetComponent<TransformComponent>() )
			transform->mVelocity = transform->mVelocity + unitNormal * kBarrierThrow;
	}

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
		LoseHealth( damage );
		ThrowAlongX( fromVx );
		Invulnerable( kHitInvulnerability );
		PlayHitSound();
		return true;
	}

	void Player::OnCollisionStay( Physics::CollisionComponent* other )
	{
		if ( !other || !other->mOwner )
			return;
		const ContactRow* row = FindContact( other->mOwner->GetType().GetName() );
		if ( !row || !row->mReaction )
			return;
		float damage = row->mDamage;
		if ( !row->mReaction( *this, *other, damage ) || IsInvulnerable() )
			return;
		LoseHealth( damage );
		switch ( row->mKnockBack )
		{
		case KnockBack::None: break;
		case KnockBack::AlongX: ThrowAlongX( VelocityXOf( *other ) ); break;
		case KnockBack::OffNormal: ThrowOff( UnitOrZero( other->mNormal ) ); break;
		}
		Invulnerable( row->mInvulnerability );
		PlayHitSound();
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
