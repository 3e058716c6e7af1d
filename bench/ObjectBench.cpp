#include "BenchSupport.h"
#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "Physics/PhysicsManager.h"
#include "Physics/TransformComponent.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{
	// A component of six properties, standing in for the mesh, collision and the
	// other kinds an object carries beside its transform.
	template <int N>
	class BenchPart : public Tarn::ObjectComponent
	{
	public:
		static const Tarn::HashedName& ClassHashedName()
		{
			static const Tarn::HashedName name( ( "BenchPart" + std::to_string( N ) ).c_str() );
			return name;
		}
		explicit BenchPart( Tarn::Object* owner ) : ObjectComponent( owner ) {}
		void Initialise() override {}
		void Shutdown() override {}
		const Tarn::ComponentProperties& Properties() const override
		{
			using P = Tarn::Declare<BenchPart>;
			static const Tarn::ComponentProperties kProperties = {
				P::Compound( "Tint", "mTint", &BenchPart::mTint, Tarn::Parts::kRGBA ),
				P::Vector( "Offset", "mOffset", &BenchPart::mOffset ),
				P::Float( "Depth", "mDepth", &BenchPart::mDepth ),
				P::Int( "Frame", "mFrame", &BenchPart::mFrame ),
				P::Bool( "Visible", "mVisible", &BenchPart::mVisible ),
				P::String( "Texture", "mTexture", &BenchPart::mTexture ),
			};
			return kProperties;
		}

		Tarn::Colour mTint{ 0.5f, 0.25f, 1.0f, 1.0f };
		Tarn::Vector2 mOffset{ 1.5f, -2.5f };
		float mDepth = 0.75f;
		int32_t mFrame = 12;
		bool mVisible = true;
		std::string mTexture = "resource/Textures/Wall.png";
	};

	template <int N>
	void RegisterPart()
	{
		Tarn::TypeRegistry::Instance().RegisterComponentType(
		    BenchPart<N>::ClassHashedName(),
		    []( Tarn::Object* owner ) -> Tarn::ObjectComponent* { return new BenchPart<N>( owner ); } );
	}

	class BenchObject : public Tarn::Object
	{
		TARN_CLASS_NAME( BenchObject )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<Tarn::TransformComponent>();
			if ( mWithParts )
			{
				mComponents.AddComponent<BenchPart<1>>();
				mComponents.AddComponent<BenchPart<2>>();
				mComponents.AddComponent<BenchPart<3>>();
				mComponents.AddComponent<BenchPart<4>>();
				mComponents.AddComponent<BenchPart<5>>();
			}
			mComponents.InitialisePending();
		}
		void Shutdown() override {}

		static inline bool mWithParts = false;
	};

	// The benchmarks' own user folder, with the exchange files of the stand-in parts.
	Tarn::FileSystem& BenchFiles()
	{
		static Tarn::FileSystem* files = []() {
			Tarn::FileSystem* instance = &KelvaneBench::BenchFiles();
			for ( const char* type : { "BenchPart1", "BenchPart2", "BenchPart3", "BenchPart4", "BenchPart5" } )
				if ( !instance->FindResource( type ) )
					instance->AddUserFile( ( std::string( "\\" ) + type + ".xml" ).c_str(), type );
			RegisterPart<1>();
			RegisterPart<2>();
			RegisterPart<3>();
			RegisterPart<4>();
			RegisterPart<5>();
			Tarn::TypeRegistry::Instance().RegisterObjectType( BenchObject::ClassHashedName(),
			                                                   []() -> Tarn::Object* { return new BenchObject(); } );
			return instance;
		}();
		return *files;
	}

	std::vector<std::string> Names( int count )
	{
		std::vector<std::string> names;
		for ( int i = 0; i < count; ++i )
			names.push_back( "Bench" + std::to_string( i ) );
		return names;
	}

	// Creating and initialising 1,000 objects that carry a transform (and destroying
	// them again, outside the timing).
	void CreateAndInitialise1000( benchmark::State& state )
	{
		BenchFiles();
		BenchObject::mWithParts = false;
		Physics::PhysicsManager physics( nullptr );
		Tarn::Services::Add<Physics::PhysicsManager>( &physics );
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		const std::vector<std::string> names = Names( 1000 );
		for ( auto _ : state )
		{
			for ( const std::string& name : names )
				objects.InitialiseObject( objects.CreateObject( BenchObject::ClassHashedName(), name.c_str() ) );
			state.PauseTiming();
			objects.DestroyAll();
			state.ResumeTiming();
		}
		state.SetItemsProcessed( state.iterations() * 1000 );
		Tarn::Services::Remove<Physics::PhysicsManager>();
	}
	BENCHMARK( CreateAndInitialise1000 );

	// One update of the physics manager over 1,000 moving transforms.
	void PhysicsUpdate1000( benchmark::State& state )
	{
		Physics::PhysicsManager physics( nullptr );
		Tarn::Services::Add<Physics::PhysicsManager>( &physics );
		BenchFiles();
		BenchObject::mWithParts = false;
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		for ( const std::string& name : Names( 1000 ) )
		{
			Tarn::Object* object = objects.CreateObject( BenchObject::ClassHashedName(), name.c_str() );
			objects.InitialiseObject( object );
			auto* transform = object->GetComponent<Tarn::TransformComponent>();
			transform->mActive = true;
			transform->mHasFriction = true;
			transform->mVelocity = { 3.0f, -1.0f };
		}
		Tarn::GameTime time;
		time.ElapsedSeconds = 0.016f;
		for ( auto _ : state )
			physics.Update( time );
		state.SetItemsProcessed( state.iterations() * 1000 );
		objects.DestroyAll();
		Tarn::Services::Remove<Physics::PhysicsManager>();
	}
	BENCHMARK( PhysicsUpdate1000 );

	// One object of six components written and read back through the exchange files:
	// a file write and read per component, the budget of every level load and save.
	void SerialiseSixComponents( benchmark::State& state )
	{
		Tarn::FileSystem& files = BenchFiles();
		Physics::PhysicsManager physics( nullptr );
		Tarn::Services::Add<Physics::PhysicsManager>( &physics );
		BenchObject::mWithParts = true;
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* object = objects.CreateObject( BenchObject::ClassHashedName(), "Serialised" );
		objects.InitialiseObject( object );
		Tarn::ResourceRecord* record = files.GetResource( "ObjectDefault" );
		for ( auto _ : state )
			object->Serialise( *record );
		objects.DestroyAll();
		Tarn::Services::Remove<Physics::PhysicsManager>();
	}
	BENCHMARK( SerialiseSixComponents );

	void DeserialiseSixComponents( benchmark::State& state )
	{
		Tarn::FileSystem& files = BenchFiles();
		Physics::PhysicsManager physics( nullptr );
		Tarn::Services::Add<Physics::PhysicsManager>( &physics );
		BenchObject::mWithParts = true;
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* object = objects.CreateObject( BenchObject::ClassHashedName(), "Serialised" );
		objects.InitialiseObject( object );
		Tarn::ResourceRecord* record = files.GetResource( "ObjectDefault" );
		object->Serialise( *record );
		for ( auto _ : state )
			object->Deserialise( *record );
		objects.DestroyAll();
		Tarn::Services::Remove<Physics::PhysicsManager>();
	}
	BENCHMARK( DeserialiseSixComponents );
}
