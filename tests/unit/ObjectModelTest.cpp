#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "support/AssertRecorder.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
	using Tarn::HashedName;
	using Tarn::Log;
	using Tarn::ObjectManager;

	std::vector<std::string>& Journal()
	{
		static std::vector<std::string> journal;
		return journal;
	}

	// A component that writes what happens to it into the journal and can act from
	// inside its Shutdown.
	template <const char* Name>
	class JournalPart : public Tarn::ObjectComponent
	{
	public:
		static const HashedName& ClassHashedName()
		{
			static const HashedName name( Name );
			return name;
		}

		explicit JournalPart( Tarn::Object* owner ) : ObjectComponent( owner ) {}
		~JournalPart() override { Journal().push_back( std::string( Name ) + ".deleted" ); }
		void Initialise() override { Journal().push_back( std::string( Name ) + ".Initialise" ); }
		void Shutdown() override
		{
			Journal().push_back( std::string( Name ) + ".Shutdown" );
			if ( sOnShutdown )
				sOnShutdown( this );
		}

		static inline std::function<void( JournalPart* )> sOnShutdown;
	};

	constexpr char kPartA[] = "TestPartA";
	constexpr char kPartB[] = "TestPartB";
	constexpr char kPartC[] = "TestPartC";
	using PartA = JournalPart<kPartA>;
	using PartB = JournalPart<kPartB>;
	using PartC = JournalPart<kPartC>;

	// An object that carries PartA and PartB, and lets a test act in its Shutdown.
	class Thing : public Tarn::Object
	{
		TARN_CLASS_NAME( TestThing )

	public:
		void Initialise() override
		{
			++mInitialiseCalls;
			mComponents.AddComponent<PartA>();
			mComponents.AddComponent<PartB>();
			mComponents.InitialisePending();
		}
		void Shutdown() override
		{
			Journal().push_back( mName.GetName() + ".Shutdown" );
			if ( mOnShutdown )
				mOnShutdown( *this );
		}
		void OnCollisionStart( Physics::CollisionComponent* ) override { ObjectManager::Instance().DestroyObject( mName ); }
		~Thing() override { Journal().push_back( mName.GetName() + ".deleted" ); }

		int mInitialiseCalls = 0;
		std::function<void( Thing& )> mOnShutdown;
	};

	void RegisterTestTypes()
	{
		Tarn::TypeRegistry& types = Tarn::TypeRegistry::Instance();
		types.RegisterObjectType( Thing::ClassHashedName(), []() -> Tarn::Object* { return new Thing(); } );
		types.RegisterComponentType( PartA::ClassHashedName(),
		                             []( Tarn::Object* owner ) -> Tarn::ObjectComponent* { return new PartA( owner ); } );
		types.RegisterComponentType( PartB::ClassHashedName(),
		                             []( Tarn::Object* owner ) -> Tarn::ObjectComponent* { return new PartB( owner ); } );
		types.RegisterComponentType( PartC::ClassHashedName(),
		                             []( Tarn::Object* owner ) -> Tarn::ObjectComponent* { return new PartC( owner ); } );
	}

	class ObjectModel : public testing::Test
	{
	protected:
		void SetUp() override
		{
			RegisterTestTypes();
			Journal().clear();
		}
		void TearDown() override
		{
			PartA::sOnShutdown = nullptr;
			PartB::sOnShutdown = nullptr;
			mObjects.DestroyAll();
			Journal().clear();
		}

		Thing* Make( const char* name )
		{
			auto* thing = static_cast<Thing*>( mObjects.CreateObject( Thing::ClassHashedName(), name ) );
			mObjects.InitialiseObject( thing );
			return thing;
		}

		ObjectManager& mObjects = ObjectManager::Instance();
	};

	TEST_F( ObjectModel, ComponentTableKeepsOnePerTypeInOrderOfAddition )
	{
		Thing* thing = Make( "Thing1" );
		ASSERT_NE( thing, nullptr );
		Tarn::ObjectComponent* first = thing->mComponents.GetComponent<PartA>();
		ASSERT_NE( first, nullptr );
		EXPECT_EQ( first->mType.GetName(), "TestPartA" );
		EXPECT_EQ( first->mOwner, thing );
		EXPECT_TRUE( first->mInitialised );

		KelvaneTest::LogCapture log;
		EXPECT_EQ( thing->mComponents.AddComponent( PartA::ClassHashedName() ), nullptr );
		EXPECT_EQ( thing->mComponents.GetComponent<PartA>(), first );
		ASSERT_EQ( log.Messages().size(), 1u );
		EXPECT_EQ( log.Messages()[0].mText, "Object component TestPartA already exists!" );
		EXPECT_EQ( log.Messages()[0].mLevel, Log::LEVEL_ERROR );

		log.Clear();
		EXPECT_EQ( thing->mComponents.AddComponent( HashedName( "NoSuchComponent" ) ), nullptr );
		EXPECT_EQ( thing->mComponents.GetComponent( HashedName( "NoSuchComponent" ) ), nullptr );
		EXPECT_TRUE( log.Messages().empty() ) << "an unknown type and a missing component are silent";

		ASSERT_EQ( thing->mComponents.Components().size(), 2u );
		EXPECT_EQ( thing->mComponents.Components()[0]->mType.GetName(), "TestPartA" );
		EXPECT_EQ( thing->mComponents.Components()[1]->mType.GetName(), "TestPartB" );
	}

	TEST_F( ObjectModel, ComponentAddedLaterWaitsForTheNextInitialisePending )
	{
		Thing* thing = Make( "Thing1" );
		Tarn::ObjectComponent* late = thing->mComponents.AddComponent<PartC>();
		ASSERT_NE( late, nullptr );
		EXPECT_FALSE( late->mInitialised );
		EXPECT_EQ( std::count( Journal().begin(), Journal().end(), "TestPartC.Initialise" ), 0 );

		// The object manager initialises what is pending even for an initialised object.
		KelvaneTest::LogCapture log;
		mObjects.InitialiseObject( thing );
		EXPECT_TRUE( late->mInitialised );
		EXPECT_EQ( thing->mInitialiseCalls, 1 );
		EXPECT_TRUE( log.Contains( "Object already initialised (Thing1)" ) );
		EXPECT_EQ( log.Messages()[0].mLevel, Log::LEVEL_WARNING );
		mObjects.InitialiseObject( nullptr );
	}

	TEST_F( ObjectModel, ComponentsAreAllShutDownBeforeAnyIsDeleted )
	{
		Thing* thing = Make( "Thing1" );
		bool siblingReachable = false;
		PartA::sOnShutdown = [&]( PartA* part ) {
			siblingReachable = part->mOwner->mComponents.GetComponent<PartB>() != nullptr;
		};
		Journal().clear();
		thing->mComponents.ShutdownAll();

		EXPECT_EQ( Journal(), ( std::vector<std::string>{ "TestPartA.Shutdown", "TestPartB.Shutdown",
		                                                  "TestPartA.deleted", "TestPartB.deleted" } ) );
		EXPECT_TRUE( siblingReachable );
		EXPECT_EQ( thing->mComponents.Count(), 0u );
		EXPECT_EQ( thing->mComponents.GetComponent<PartA>(), nullptr );
	}

	TEST_F( ObjectModel, RemovingAComponent )
	{
		Thing* thing = Make( "Thing1" );
		KelvaneTest::LogCapture log;
		thing->mComponents.RemoveComponent<PartC>();
		ASSERT_EQ( log.Messages().size(), 1u );
		EXPECT_EQ( log.Messages()[0].mText, "Object component TestPartC doesn't exist!" );

		Journal().clear();
		thing->mComponents.RemoveComponent<PartA>();
		EXPECT_EQ( Journal(), ( std::vector<std::string>{ "TestPartA.Shutdown", "TestPartA.deleted" } ) );
		EXPECT_EQ( thing->mComponents.GetComponent<PartA>(), nullptr );
		EXPECT_EQ( thing->mComponents.Count(), 1u );

		// Removed before it was ever initialised: the pending queue lets go of it too
		// (the sanitizer build catches a stale pointer here).
		thing->mComponents.AddComponent<PartC>();
		thing->mComponents.RemoveComponent<PartC>();
		EXPECT_EQ( thing->mComponents.PendingCount(), 0u );
		thing->mComponents.InitialisePending();
	}

	TEST_F( ObjectModel, CreationByTypeName )
	{
		Thing* first = Make( "Player1" );
		ASSERT_NE( first, nullptr );
		EXPECT_EQ( first->mType.GetName(), "TestThing" );
		EXPECT_EQ( first->mName.GetName(), "Player1" );
		EXPECT_EQ( mObjects.GetObject( HashedName( "Player1" ) ), first );
		EXPECT_EQ( mObjects.GetObject<Thing>( HashedName( "Nobody" ) ), nullptr );

		KelvaneTest::LogCapture log;
		EXPECT_EQ( mObjects.CreateObject( Thing::ClassHashedName(), "Player1" ), nullptr );
		EXPECT_EQ( mObjects.CreateObject( HashedName( "Spaceship" ), "Ship1" ), nullptr );
		ASSERT_EQ( log.Messages().size(), 2u );
		EXPECT_EQ( log.Messages()[0].mText, "Error creating object (Player1): Duplicate name." );
		EXPECT_EQ( log.Messages()[1].mText, "Error creating object (Ship1): No such type (Spaceship)." );
		EXPECT_EQ( log.Messages()[1].mLevel, Log::LEVEL_ERROR );
		EXPECT_EQ( mObjects.GetObject( HashedName( "Player1" ) ), first ) << "the existing object is untouched";
		EXPECT_EQ( mObjects.GetObject( HashedName( "Ship1" ) ), nullptr );
		EXPECT_EQ( mObjects.ObjectCount(), 1u );

		KelvaneTest::AssertRecorder asserts;
		EXPECT_EQ( mObjects.CreateObject( Thing::ClassHashedName(), nullptr ), nullptr );
		mObjects.DestroyObject( static_cast<const char*>( nullptr ) );
		EXPECT_EQ( asserts.Count(), 2u );
		EXPECT_EQ( mObjects.PendingDestroyCount(), 0u );
	}

	TEST_F( ObjectModel, DestructionWaitsForTheEndOfTheStep )
	{
		Thing* thing = Make( "Guard1" );
		thing->OnCollisionStart( nullptr ); // queues its own destruction
		thing->OnCollisionStart( nullptr ); // and again: the second entry finds nothing
		EXPECT_EQ( mObjects.GetObject( HashedName( "Guard1" ) ), thing );
		EXPECT_EQ( mObjects.PendingDestroyCount(), 2u );

		Journal().clear();
		mObjects.ProcessDestroyQueue();
		EXPECT_EQ( Journal(), ( std::vector<std::string>{ "TestPartA.Shutdown", "TestPartB.Shutdown", "TestPartA.deleted",
		                                                  "TestPartB.deleted", "Guard1.Shutdown", "Guard1.deleted" } ) );
		EXPECT_EQ( mObjects.GetObject( HashedName( "Guard1" ) ), nullptr );
		EXPECT_EQ( mObjects.PendingDestroyCount(), 0u );

		// The name is free again.
		EXPECT_NE( Make( "Guard1" ), nullptr );
	}

	TEST_F( ObjectModel, NamesQueuedWhileDestroyingAreDestroyedInTheSameCall )
	{
		Thing* boss = Make( "Boss" );
		Make( "BossHand" );
		boss->mOnShutdown = []( Thing& ) { ObjectManager::Instance().DestroyObject( "BossHand" ); };
		mObjects.DestroyObject( "Boss" );
		mObjects.ProcessDestroyQueue();
		EXPECT_EQ( mObjects.ObjectCount(), 0u );
		EXPECT_EQ( mObjects.PendingDestroyCount(), 0u );
	}

	TEST_F( ObjectModel, DestroyAllLeavesNothingBehind )
	{
		// Every object looks for the others while it shuts down: each must find a live
		// object or none at all.
		const char* names[] = { "Alpha", "Beta", "Gamma", "Delta" };
		int lookups = 0;
		for ( const char* name : names )
		{
			Thing* thing = Make( name );
			thing->mOnShutdown = [&lookups, &names]( Thing& self ) {
				for ( const char* other : names )
					if ( auto* found = ObjectManager::Instance().GetObject<Thing>( HashedName( other ) ) )
					{
						if ( found != &self )
							lookups += found->mInitialiseCalls;
					}
			};
		}
		mObjects.DestroyObject( "Alpha" );
		mObjects.DestroyAll();
		EXPECT_EQ( mObjects.ObjectCount(), 0u );
		EXPECT_EQ( mObjects.PendingDestroyCount(), 0u );
		// 3 + 2 + 1 + 0 live others seen, in whatever order the table holds them.
		EXPECT_EQ( lookups, 6 );
		EXPECT_EQ( std::count( Journal().begin(), Journal().end(), "Alpha.deleted" ), 1 );
		mObjects.ProcessDestroyQueue();
	}
}

namespace
{
	class Impostor : public Tarn::ObjectComponent
	{
	public:
		explicit Impostor( Tarn::Object* owner ) : ObjectComponent( owner ) {}
		void Initialise() override {}
		void Shutdown() override {}
	};

	TEST( TypeRegistry, ASecondClassUnderATakenNameIsRefused )
	{
		RegisterTestTypes();
		Tarn::TypeRegistry& types = Tarn::TypeRegistry::Instance();
		const size_t refusedBefore = types.mRefused.size();
		EXPECT_FALSE( types.RegisterComponentType(
		    PartA::ClassHashedName(), []( Tarn::Object* owner ) -> Tarn::ObjectComponent* { return new Impostor( owner ); } ) );
		ASSERT_EQ( types.mRefused.size(), refusedBefore + 1 );
		EXPECT_EQ( types.mRefused.back(), "TestPartA" );

		Thing owner;
		std::unique_ptr<Tarn::ObjectComponent> made( types.CreateComponent( PartA::ClassHashedName(), &owner ) );
		EXPECT_NE( dynamic_cast<PartA*>( made.get() ), nullptr ) << "the first registration stays";
		EXPECT_EQ( types.CreateObject( HashedName( "NoSuchObject" ) ), nullptr );
		EXPECT_TRUE( types.HasComponentType( HashedName( "TransformComponent" ) ) );
		made.reset();
		Journal().clear();
	}
}
