#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Physics/PhysicsManager.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace
{
	// Every type the engine registers must reach the real executable, not only the
	// test binary: the program is asked for its list and compared with ours.
	TEST( RegisteredTypes, EveryEngineTypeReachesTheExecutable )
	{
		std::FILE* pipe = popen( KELVANE_EXECUTABLE " --list-types", "r" );
		ASSERT_NE( pipe, nullptr );
		std::set<std::string> listed;
		char line[256];
		while ( std::fgets( line, sizeof( line ), pipe ) )
		{
			std::string entry( line );
			while ( !entry.empty() && ( entry.back() == '\n' || entry.back() == '\r' ) )
				entry.pop_back();
			listed.insert( entry );
		}
		ASSERT_EQ( pclose( pipe ), 0 );

		// Types built so far; the list grows with every subsystem.
		for ( const char* expected : { "component TransformComponent" } )
			EXPECT_EQ( listed.count( expected ), 1u ) << expected;

		// Exactly what the engine registers here (the tests add their own "Test" types).
		const Tarn::TypeRegistry& types = Tarn::TypeRegistry::Instance();
		std::set<std::string> engine;
		auto collect = [&]( const char* kind, const std::vector<std::string>& names ) {
			for ( const std::string& name : names )
				if ( name.rfind( "Test", 0 ) != 0 )
					engine.insert( std::string( kind ) + " " + name );
		};
		collect( "object", types.ObjectTypeNames() );
		collect( "component", types.ComponentTypeNames() );
		collect( "state", types.StateTypeNames() );
		EXPECT_EQ( listed, engine );
	}

	class Drifter : public Tarn::Object
	{
		TARN_CLASS_NAME( TestDrifter )

	public:
		void Initialise() override
		{
			auto* transform = mComponents.AddComponent<Tarn::TransformComponent>();
			transform->mActive = true;
			transform->mVelocity = { 1.0f, 0.0f };
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
	};

	// Inside the running game the manager integrates on both of its entries in the
	// update table, and the game's shutdown destroys every object before the services.
	TEST( ObjectsInGame, TransformsMoveEachUpdateAndDieWithTheGame )
	{
		Tarn::TypeRegistry::Instance().RegisterObjectType( Drifter::ClassHashedName(),
		                                                   []() -> Tarn::Object* { return new Drifter(); } );
		Tarn::LaunchOptions options;
		options.mHeadless = true;
		options.mFrames = 3;
		{
			Tarn::GameProject project( options );
			project.CreateComponents();
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			Tarn::Object* drifter = objects.CreateObject( Drifter::ClassHashedName(), "Drifter1" );
			objects.InitialiseObject( drifter );
			auto* transform = drifter->GetComponent<Tarn::TransformComponent>();
			auto* physics = Tarn::Services::Get<Physics::PhysicsManager>();
			ASSERT_NE( physics, nullptr );

			// Watch the position from an updatable filed behind the manager.
			struct Probe : Tarn::IsUpdatable
			{
				void Update( Tarn::GameTime& ) override { mSeen.push_back( mTransform->mPosition.X ); }
				Tarn::TransformComponent* mTransform = nullptr;
				std::vector<float> mSeen;
			} probe;
			probe.mTransform = transform;
			probe.mUpdateOrder = 2;

			project.Run();
			EXPECT_EQ( physics->mUpdateOrder, 1 );
			ASSERT_EQ( probe.mSeen.size(), 3u );
			EXPECT_NEAR( probe.mSeen[0], 2 * 0.016f, 1e-6f );
			EXPECT_NEAR( probe.mSeen[2], 6 * 0.016f, 1e-6f );
			EXPECT_EQ( objects.ObjectCount(), 0u );
			EXPECT_TRUE( physics->DynamicTransforms().empty() );
		}
		EXPECT_EQ( Tarn::Services::Get<Physics::PhysicsManager>(), nullptr );
	}
}
