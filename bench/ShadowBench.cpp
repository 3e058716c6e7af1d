// The light cones' cost: one update of the shadow manager over 20 lit casters, with 40
// guards and 10 switches for them to light.
#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Game/ShadowManager.h"
#include "Game/VertexComponent.h"
#include "Physics/PhysicsManager.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/SwitchComponent.h"
#include "core/Services.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
	using Tarn::Vector2;

	class Thing : public Tarn::Object
	{
	public:
		Thing( const char* type, const std::string& name, std::vector<const char*> components )
		    : mComponentTypes( std::move( components ) )
		{
			mType = Tarn::HashedName( type );
			mName = Tarn::HashedName( name.c_str() );
		}
		void Initialise() override { mComponents.AddComponents( mComponentTypes ); }
		void Shutdown() override {}

	private:
		std::vector<const char*> mComponentTypes;
	};

	void ShadowUpdate( benchmark::State& state )
	{
		Physics::PhysicsManager physics( nullptr );
		Tarn::ShadowManager shadows( nullptr );
		Tarn::Services::Add<Physics::PhysicsManager>( &physics );
		Tarn::Services::Add<Tarn::ShadowManager>( &shadows );
		shadows.Initialise();

		std::vector<std::unique_ptr<Thing>> things;
		auto make = [&]( const char* type, std::string name, std::vector<const char*> components, Vector2 at ) -> Thing& {
			things.push_back( std::make_unique<Thing>( type, name, std::move( components ) ) );
			Thing& thing = *things.back();
			thing.Initialise();
			thing.GetComponent<Tarn::TransformComponent>()->mPosition = at;
			return thing;
		};
		// Casters in a row along the bottom of a 40 x 20 field, each lit from below, so
		// that their cones cross the field where the guards and switches stand.
		std::vector<Tarn::VertexComponent*> casters;
		for ( int i = 0; i < 20; ++i )
			casters.push_back( make( "InanimateObject", "Prism" + std::to_string( i ),
			                         { "TransformComponent", "MeshComponent", "VertexComponent" },
			                         { float( i ) * 2.0f - 20.0f, -10.0f } )
			                       .GetComponent<Tarn::VertexComponent>() );
		std::vector<StateMachines::StateMachineComponent*> guards;
		for ( int i = 0; i < 40; ++i )
		{
			Thing& guard = make( "MeleeGuard", "Guard" + std::to_string( i ), { "TransformComponent", "StateMachineComponent" },
			                     { float( i % 10 ) * 4.0f - 20.0f, float( i / 10 ) * 4.0f - 6.0f } );
			guards.push_back( guard.GetComponent<StateMachines::StateMachineComponent>() );
			guards.back()->mState = StateMachines::STATE_NORMAL;
		}
		for ( int i = 0; i < 10; ++i )
			make( "Switch", "Switch" + std::to_string( i ), { "TransformComponent", "SwitchComponent" },
			      { float( i ) * 4.0f - 19.0f, 8.0f } );

		Tarn::GameTime time;
		time.ElapsedSeconds = 0.016f;
		for ( auto _ : state )
		{
			for ( Tarn::VertexComponent* caster : casters )
				caster->SwitchOn( caster->mPosition + Vector2( 0.5f, -6.0f ), StateMachines::ColourCode::None );
			shadows.Update( time );
		}
		int stunned = 0;
		for ( const auto* guard : guards )
			stunned += guard->mState == StateMachines::STATE_WAIT;
		state.counters["guards in a cone"] = stunned;
		things.clear();
		Tarn::Services::Remove<Tarn::ShadowManager>();
		Tarn::Services::Remove<Physics::PhysicsManager>();
	}
	BENCHMARK( ShadowUpdate );
}
