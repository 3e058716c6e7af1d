#include "StateMachines/TileRoutines.h"

#include "Core/Object.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/MineComponent.h"
#include "Utilities/Random.h"

#include <utility>

namespace StateMachines
{
	namespace
	{
		constexpr float kArrivedSq = 0.1f;

		// The patrol of mirrors and tiles, by velocity: the physics moves them.
		void Drift( MineComponent& machine, float dt )
		{
			auto* transform = machine.mOwner->GetComponent<Tarn::TransformComponent>();
			if ( !transform )
				return;
			if ( machine.mState == STATE_NORMAL )
			{
				switch ( machine.mInnerState )
				{
				case INNER_STATE_ON_ENTER:
					// Without patrol points it stays where it is.
					if ( machine.mPatrols )
						machine.mInnerState = INNER_STATE_ON_UPDATE;
					break;
				case INNER_STATE_ON_UPDATE:
				{
					const Tarn::Vector2 toward = machine.mPatrol[0] - transform->mPosition;
					const float distanceSq = Tarn::LengthSquared( toward );
					if ( distanceSq <= kArrivedSq )
						machine.mInnerState = INNER_STATE_ON_EXIT;
					else
						transform->mVelocity = toward * ( 1.0f / std::sqrt( distanceSq ) );
					break;
				}
				case INNER_STATE_ON_EXIT:
					std::swap( machine.mPatrol[0], machine.mPatrol[1] );
					if ( machine.mWait )
						machine.mState = STATE_PAUSE;
					machine.mInnerState = INNER_STATE_ON_ENTER;
					break;
				}
			}
			else if ( machine.mState == STATE_PAUSE )
			{
				StepStateProtocol(
				    machine, dt,
				    [transform]( MineComponent& m ) {
					    m.mStateTimer = 0.0f;
					    transform->mVelocity = Tarn::Vector2();
				    },
				    []( MineComponent& m, float step ) {
					    m.mStateTimer += step;
					    return m.mStateTimer >= m.mWaitTimer;
				    },
				    []( MineComponent& ) -> int32_t { return STATE_NORMAL; } );
			}
		}
	}

	float& GleamThreshold()
	{
		static float threshold = Tarn::Random::Unit() * 15.0f + 7.0f;
		return threshold;
	}

	void DrawGleamThreshold() { GleamThreshold() = Tarn::Random::Unit() * 15.0f + 7.0f; }

	void ShowIdleGleam( Tarn::Object& tile )
	{
		if ( auto* animation = tile.GetComponent<Graphics::AnimationComponent>() )
		{
			animation->SetAnimation( kGleamSheetXml, kGleamSheetPng );
			if ( !animation->GetAnimationFrames().empty() )
				animation->SetFrame( 0 );
		}
		if ( auto* mesh = tile.GetComponent<Graphics::MeshComponent>() )
			mesh->SetTexture( kGleamTexture );
	}

	void RunDriftingMirror( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		Drift( static_cast<MineComponent&>( component ), dt );
	}

	void RunGleamTile( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto& machine = static_cast<MineComponent&>( component );
		Drift( machine, dt );
		// Lit, it holds still under the beam instead of sliding on along its patrol.
		if ( machine.mState == STATE_NONE )
			if ( auto* transform = machine.mOwner->GetComponent<Tarn::TransformComponent>() )
				transform->mVelocity = Tarn::Vector2();

		auto* animation = machine.mOwner->GetComponent<Graphics::AnimationComponent>();
		if ( !animation )
			return;
		// The beam lit it (STATE_NONE) and has left: back to the unlit tile.
		if ( machine.mState != STATE_NONE && animation->GetXmlFileName() == kLitPrismSheetXml )
			ShowIdleGleam( *machine.mOwner );

		machine.mGleamTimer += dt;
		if ( machine.mGleamTimer < GleamThreshold() )
			return;
		machine.mGleamTimer = 0.0f;
		DrawGleamThreshold();
		const bool idle = animation->IsPaused() && !animation->IsPlayingOnce();
		if ( !idle )
			return;
		if ( animation->GetXmlFileName() != kGleamSheetXml )
			ShowIdleGleam( *machine.mOwner );
		animation->PlayOnce();
	}
}
