// Parts of either boss fight that break, fade or chase: the breakable part, the hit
// fade and the chaser.
#include "Core/Object.h"
#include "Graphics/MeshComponent.h"
#include "Physics/StatsComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/RoutineFamily.h"
#include "StateMachines/StateMachineComponent.h"

namespace StateMachines
{
	namespace
	{
		constexpr float kFadeLength = 1.0f;    // seconds
		constexpr float kFadeReddening = 4.0f; // red gained a second

		// A part marked destroyed reddens for a second, then leaves play: stopped,
		// inactive and hidden, its light-cone caster too, its red back to normal. No states.
		void RunHitFade( StateMachineManager&, Tarn::ObjectComponent& component, float dt )
		{
			auto& machine = static_cast<StateMachineComponent&>( component );
			Tarn::Object& owner = *machine.mOwner;
			const auto* stats = owner.GetComponent<Physics::StatsComponent>();
			auto* transform = owner.GetComponent<Tarn::TransformComponent>();
			auto* mesh = owner.GetComponent<Graphics::MeshComponent>();
			if ( !stats || !transform || !mesh || !stats->mSelfDestruct )
				return;
			machine.mStateTimer += dt;
			mesh->mColour.r += kFadeReddening * dt;
			if ( machine.mStateTimer < kFadeLength )
				return;
			transform->mVelocity = Tarn::Vector2();
			transform->mActive = false;
			mesh->mVisible = false;
			mesh->mColour.r = 1.0f;
			// The caster of the light cones is a mesh of its own (VertexComponent, with the
			// shadows); looked up by name, since a part may carry none.
			static const Tarn::HashedName kCaster( Needs::Vertex );
			if ( auto* caster = dynamic_cast<Graphics::MeshComponent*>( owner.mComponents.GetComponent( kCaster ) ) )
				caster->mVisible = false;
			machine.mStateTimer = 0.0f;
		}

		void FileBossPartRoutines( StateMachineManager& manager )
		{
			// The breakable part and the chaser come with the boss fights. Once its stats
			// mark it destroyed, a breakable part fades and bursts and a hit-faded part
			// reddens; both end hidden, their light-cone caster too when they have one.
			manager.FileMachineRoutine( Routine::BreakablePart,
			                            MakeRoutine( "breakable part", nullptr,
			                                         { Needs::Stats, Needs::Transform, Needs::Mesh, Needs::Emitter, Needs::Vertex } ) );
			for ( int32_t code : { Routine::HitFade1, Routine::HitFade2 } )
				manager.FileMachineRoutine( code, MakeRoutine( "hit fade", &RunHitFade, { Needs::Stats, Needs::Transform, Needs::Mesh } ) );
			// The chaser steers its own transform toward the player.
			manager.FileMachineRoutine( Routine::Chaser, MakeRoutine( "chaser", nullptr, { Needs::Transform } ) );
		}
	}

	KELVANE_ROUTINE_FAMILY( FileBossPartRoutines )
}
