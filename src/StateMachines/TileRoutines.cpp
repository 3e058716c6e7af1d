#include "StateMachines/TileRoutines.h"

#include "Core/Object.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/MirrorRoutines.h"
#include "StateMachines/RoutineFamily.h"
#include "Utilities/Random.h"

namespace StateMachines
{
	namespace
	{
		void FileTileRoutines( StateMachineManager& manager )
		{
			manager.FileMineRoutine( Routine::GleamTile,
			                         MakeRoutine( "gleam tile", &RunGleamTile, { Needs::Transform, Needs::Mesh, Needs::Animation } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileTileRoutines )

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

	void RunGleamTile( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
	{
		auto& machine = static_cast<MineComponent&>( component );
		DriftAlongPatrol( machine, dt );
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
