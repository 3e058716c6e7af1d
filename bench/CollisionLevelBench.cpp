#include "BenchSupport.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "GameStates/LevelObject.h"
#include "Graphics/AnimationManager.h"
#include "Physics/CollisionComponent.h"
#include "Physics/CollisionManager.h"
#include "Physics/LineComponent.h"
#include "Physics/PhysicsManager.h"
#include "Physics/TransformComponent.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{
	using Physics::CollisionComponent;
	using Tarn::Vector2;

	class Body : public Tarn::Object
	{
	public:
		Body( const char* type, std::string name )
		{
			mType = Tarn::HashedName( type );
			mName = Tarn::HashedName( name.c_str() );
		}
		void Initialise() override
		{
			mComponents.AddComponent<Tarn::TransformComponent>();
			mComponents.AddComponent<CollisionComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
	};

	// 200 moving circles drifting through 100 fixed walls and prisms' worth of
	// colliders, with the player among them and one beam across the field.
	void CollisionUpdate( benchmark::State& state )
	{
		Physics::CollisionManager manager( nullptr );
		Tarn::Services::Add<Physics::CollisionManager>( &manager );
		manager.mHooks.mBeamShape = []( Tarn::Object&, Physics::Shapes::Quad& corners ) {
			corners = { Vector2( 40, 0.5f ), Vector2( 40, -0.5f ), Vector2( -40, -0.5f ), Vector2( -40, 0.5f ) };
			return true;
		};
		std::vector<std::unique_ptr<Body>> bodies;
		auto make = [&]( const char* type, std::string name, Vector2 at, Vector2 velocity ) -> Body& {
			bodies.push_back( std::make_unique<Body>( type, std::move( name ) ) );
			Body& body = *bodies.back();
			body.Initialise();
			auto* transform = body.GetComponent<Tarn::TransformComponent>();
			transform->mPosition = at;
			transform->mVelocity = velocity;
			return body;
		};
		Body& player = make( "Player", "Player1", { 0, 0 }, { 1, 0 } );
		manager.SetPlayerCollider( player.GetComponent<CollisionComponent>() );
		for ( int i = 0; i < 200; ++i )
			make( i % 4 == 0 ? "MeleeGuard" : "InanimateObject", "Mover" + std::to_string( i ),
			      { float( i % 20 ) * 2.0f - 20.0f, float( i / 20 ) * 2.0f - 10.0f }, { 0.5f, -0.25f } );
		for ( int i = 0; i < 100; ++i )
			make( i % 2 == 0 ? "Wall" : "Mirror", "Fixed" + std::to_string( i ),
			      { float( i % 10 ) * 4.0f - 20.0f, float( i / 10 ) * 2.5f - 12.0f }, { 0, 0 } );
		make( "Beam", "Beam1", { 0, 0 }, { 0, 0 } );

		for ( auto _ : state )
			manager.Step( 0.016f );
		state.counters["moving pairs"] = double( manager.MovingPairs().size() );
		state.counters["fixed pairs"] = double( manager.FixedPairs().size() );
		bodies.clear();
		Tarn::Services::Remove<Physics::CollisionManager>();
	}
	BENCHMARK( CollisionUpdate );

	// A level of 300 objects as the first level has them, saved once: 100 prisms, 75
	// walls, 75 mirrors and 50 line bounds.
	std::string SaveLevelOf300( Tarn::LevelObject& level )
	{
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		const char* const types[] = { "InanimateObject", "Wall", "Mirror", "InanimateObject", "Wall", "Mirror",
			                          "InanimateObject", "Wall", "Mirror", "InanimateObject", "LineObject", "LineObject" };
		for ( int i = 0; i < 300; ++i )
		{
			const std::string name = "Thing" + std::to_string( i );
			Tarn::Object* object = objects.CreateObject( Tarn::HashedName( types[i % 12] ), name.c_str() );
			objects.InitialiseObject( object );
			object->GetComponent<Tarn::TransformComponent>()->mPosition = { float( i ), float( -i ) * 0.5f };
			if ( auto* line = object->GetComponent<Physics::LineComponent>() )
			{
				line->mScale = 2.0f;
				line->mAngle = 0.785398f;
				line->Rotate( 0.0f );
			}
			level.AddObject( object );
		}
		const std::string path = KelvaneBench::BenchFiles().GetUserFolder() + "/bench-level.xml";
		level.Save( Tarn::FileSystem::ParseRecord( path, true ) );
		return path;
	}

	Tarn::LevelObject* NewLevel( const char* name )
	{
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		auto* level = static_cast<Tarn::LevelObject*>( objects.CreateObject( Tarn::HashedName( "LevelObject" ), name ) );
		objects.InitialiseObject( level );
		return level;
	}

	// The services a level's objects join when they are made.
	struct LevelServices
	{
		LevelServices()
		{
			Tarn::Services::Add<Physics::PhysicsManager>( &mPhysics );
			Tarn::Services::Add<Graphics::AnimationManager>( &mAnimations );
		}
		~LevelServices()
		{
			Tarn::Services::Remove<Graphics::AnimationManager>();
			Tarn::Services::Remove<Physics::PhysicsManager>();
		}
		Physics::PhysicsManager mPhysics{ nullptr };
		Graphics::AnimationManager mAnimations{ nullptr };
	};

	// Loading it into a new level: every object made, initialised and read.
	void LoadLevelOf300( benchmark::State& state )
	{
		KelvaneBench::BenchFiles();
		const LevelServices services;
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		const std::string path = SaveLevelOf300( *NewLevel( "Source" ) );
		objects.DestroyAll();
		Tarn::ResourceRecord file = Tarn::FileSystem::ParseRecord( path, true );
		for ( auto _ : state )
		{
			Tarn::LevelObject* level = NewLevel( "Loaded" );
			level->Deserialise( file );
			state.PauseTiming();
			objects.DestroyAll();
			state.ResumeTiming();
		}
	}
	BENCHMARK( LoadLevelOf300 )->Unit( benchmark::kMillisecond );

	// Saving it: every object written and the level file replaced.
	void SaveLevelOf300Objects( benchmark::State& state )
	{
		KelvaneBench::BenchFiles();
		const LevelServices services;
		Tarn::LevelObject* level = NewLevel( "Saved" );
		const std::string path = SaveLevelOf300( *level );
		const Tarn::ResourceRecord file = Tarn::FileSystem::ParseRecord( path, true );
		for ( auto _ : state )
			benchmark::DoNotOptimize( level->Save( file ) );
		Tarn::ObjectManager::Instance().DestroyAll();
	}
	BENCHMARK( SaveLevelOf300Objects )->Unit( benchmark::kMillisecond );
}
