#include "StateMachines/Enemies/EnemyObjects.h"

#include "Core/TypeRegistry.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/MineRoutines.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"

#include <optional>
#include <span>

namespace Enemies
{
	TARN_REGISTER_OBJECT_TYPE( MeleeGuard )
	TARN_REGISTER_OBJECT_TYPE( RangeGuard )
	TARN_REGISTER_OBJECT_TYPE( Mine )
	TARN_REGISTER_OBJECT_TYPE( CrystalFocus )
	TARN_REGISTER_OBJECT_TYPE( GateBarrier )
	TARN_REGISTER_OBJECT_TYPE( LightBombProjectile )

	namespace
	{
		using Physics::CollisionComponent;

		// What an enemy is made of and how it starts. A level read afterwards may change
		// any of the values.
		struct SetUp
		{
			std::span<const char* const> mComponents; // in this order
			const char* mTexture;                     // none: the mesh keeps its own
			std::optional<int32_t> mDrawOrder;        // the mesh's layer; none: the mesh's own
			bool mVisible;
			// Whether the player slides along it instead of meeting it: a guard, mine or
			// barrier is met (its row of the player's contact table hurts or fuses), so
			// it is not solid.
			bool mSolid;
		};

		constexpr const char* kMeleeGuardParts[] = { "TransformComponent", "MeshComponent", "CollisionComponent",
			                                         "EmitterComponent", "StateMachineComponent", "MineComponent" };
		constexpr const char* kRangeGuardParts[] = { "TransformComponent", "MeshComponent", "CollisionComponent",
			                                         "StatsComponent", "EmitterComponent", "StateMachineComponent" };
		constexpr const char* kMineParts[] = { "TransformComponent", "MeshComponent", "CollisionComponent",
			                                   "EmitterComponent", "MineComponent", "CollisionDebugComponent" };
		constexpr const char* kBarrierParts[] = { "TransformComponent", "MeshComponent", "CollisionComponent",
			                                      "LineComponent", "EmitterComponent", "StateMachineComponent",
			                                      "CollisionDebugComponent" };
		constexpr const char* kBombParts[] = { "TransformComponent", "MeshComponent", "CollisionComponent" };

		// Guards and the barrier's field stand above the floor and its furniture.
		constexpr int32_t kGuardLayer = 2;

		const SetUp kMeleeGuard{ kMeleeGuardParts, "resource/crown.png", kGuardLayer, true, false };
		const SetUp kRangeGuard{ kRangeGuardParts, "resource/crown.png", kGuardLayer, true, false };
		const SetUp kMine{ kMineParts, StateMachines::kMineTexture, std::nullopt, true, false };
		const SetUp kCrystalFocus{ kMineParts, "resource/cross.png", std::nullopt, true, true };
		const SetUp kGateBarrier{ kBarrierParts, nullptr, kGuardLayer, false, false };
		// A bomb waits out of play (its transform starts inactive) and hidden, until the
		// level that fires it shows it.
		const SetUp kLightBomb{ kBombParts, "resource/Rock1.png", std::nullopt, false, true };

		void Assemble( Tarn::Object& object, const SetUp& setUp )
		{
			object.mComponents.AddComponents( setUp.mComponents );
			if ( auto* mesh = object.GetComponent<Graphics::MeshComponent>() )
			{
				if ( setUp.mTexture )
					mesh->SetTexture( setUp.mTexture );
				if ( setUp.mDrawOrder )
					mesh->mDrawOrder = *setUp.mDrawOrder;
				mesh->mVisible = setUp.mVisible;
			}
			if ( auto* collider = object.GetComponent<CollisionComponent>() )
				collider->mDefault = setUp.mSolid;
		}

		// Both kinds of guard start in play as plain guards, watching. (The transform's
		// own start values bring a melee guard into play; a ranged guard has none, and
		// out of play it would stand frozen, drawn where no transform put it.)
		void StartGuard( Tarn::Object& guard )
		{
			if ( auto* transform = guard.GetComponent<Tarn::TransformComponent>() )
				transform->mActive = true;
			if ( auto* machine = guard.GetComponent<StateMachines::StateMachineComponent>() )
			{
				machine->mAI = StateMachines::Routine::Guard;
				machine->mState = StateMachines::STATE_NORMAL;
			}
		}
	}

	void MeleeGuard::Initialise()
	{
		Assemble( *this, kMeleeGuard );
		StartGuard( *this );
	}

	void MeleeGuard::OnCollisionStay( CollisionComponent* other )
	{
		if ( !other || !other->mOwner )
			return;
		Tarn::Object& them = *other->mOwner;
		if ( them.IsType( "Mine" ) )
		{
			if ( auto* mine = GetComponent<CollisionComponent>() )
				StateMachines::MeetMine( them, *mine );
			return;
		}
		if ( !them.IsType( "MeleeGuard" ) )
			return;
		// Guards push each other: the other's motion passes to this one.
		auto* mine = GetComponent<Tarn::TransformComponent>();
		auto* theirs = them.GetComponent<Tarn::TransformComponent>();
		if ( !mine || !theirs )
			return;
		const Tarn::Vector2 push = other->mVelocity;
		mine->mVelocity = mine->mVelocity + push;
		theirs->mVelocity = theirs->mVelocity - push;
	}

	void RangeGuard::Initialise()
	{
		Assemble( *this, kRangeGuard );
		StartGuard( *this );
	}

	void Mine::Initialise() { Assemble( *this, kMine ); }

	void Mine::OnCollisionStart( CollisionComponent* other )
	{
		if ( other && other->mOwner )
			StateMachines::MeetMine( *this, *other );
	}

	void Mine::OnCollisionStay( CollisionComponent* other )
	{
		if ( other && other->mOwner )
			StateMachines::MeetMine( *this, *other );
	}

	void CrystalFocus::Initialise() { Assemble( *this, kCrystalFocus ); }

	void GateBarrier::Initialise()
	{
		Assemble( *this, kGateBarrier );
		if ( auto* emitter = GetComponent<Graphics::EmitterComponent>() )
			emitter->PortalSwirl();
	}

	void LightBombProjectile::Initialise() { Assemble( *this, kLightBomb ); }
}
