#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Game/Player.h"
#include "Game/ScoreManager.h"
#include "Game/PlayerDoodad.h"
#include "Game/SkillsComponent.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/StatusBarManager.h"
#include "Input/KeyboardManager.h"
#include "Physics/CollisionComponent.h"
#include "Physics/CollisionManager.h"
#include "Physics/PhysicsManager.h"
#include "Physics/StatsComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/PlayerRoutines.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateMachineManager.h"
#include "core/MathConstants.h"
#include "core/Services.h"
#include "support/InputHarness.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
	using Physics::CollisionComponent;
	using StateMachines::StateMachineComponent;
	using Tarn::HashedName;
	using Tarn::Player;
	using Tarn::TransformComponent;

	constexpr float kDt = 0.016f;

	// Something the player touches: its type name is set by the test, since the
	// kinds of the contact table are matched by name.
	class Contact : public Tarn::Object
	{
		TARN_CLASS_NAME( TestPlayerContact )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<TransformComponent>();
			mComponents.AddComponent<Graphics::MeshComponent>();
			mComponents.AddComponent<CollisionComponent>();
			mComponents.AddComponent<StateMachineComponent>();
			mComponents.AddComponent<StateMachines::MineComponent>();
			mComponents.AddComponent<StateMachines::GateComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
	};

	class PlayerInGame : public testing::Test
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::SharedFileSystem();
			Tarn::TypeRegistry& types = Tarn::TypeRegistry::Instance();
			if ( !types.HasObjectType( Contact::ClassHashedName() ) )
				types.RegisterObjectType( Contact::ClassHashedName(), []() -> Tarn::Object* { return new Contact(); } );
			mGame = std::make_unique<KelvaneTest::InputHarness>( Tarn::LaunchOptions(), false );
			mGame->Project().CreateComponents();
			mGame->Initialise();
			mGame->Project().GetGameTime().ElapsedSeconds = kDt;
			mPlayer = static_cast<Player*>( Create( "Player", "Player1" ) );
			ASSERT_NE( mPlayer, nullptr );
		}

		void TearDown() override
		{
			mGame.reset();
			StateMachines::PlayerHaloSpin() = StateMachines::kHaloSpinStart;
		}

		static Tarn::Object* Create( const char* type, const char* name )
		{
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			Tarn::Object* object = objects.CreateObject( HashedName( type ), name );
			if ( object )
				objects.InitialiseObject( object );
			return object;
		}

		// A contact of the given kind, well away from the player.
		Tarn::Object* Touching( const char* kind, const char* name )
		{
			Tarn::Object* object = Create( "TestPlayerContact", name );
			if ( !object )
				return nullptr;
			object->mType = HashedName( kind );
			object->GetComponent<TransformComponent>()->mPosition = { 200.0f, 200.0f };
			return object;
		}

		TransformComponent& Transform() { return *mPlayer->GetComponent<TransformComponent>(); }
		CollisionComponent& Collider() { return *mPlayer->GetComponent<CollisionComponent>(); }
		float Health() { return mPlayer->GetComponent<Physics::StatsComponent>()->mHealth; }
		Tarn::SkillsComponent& Skills() { return *mPlayer->GetComponent<Tarn::SkillsComponent>(); }
		StateMachineComponent& Machine() { return *mPlayer->GetComponent<StateMachineComponent>(); }

		std::unique_ptr<KelvaneTest::InputHarness> mGame;
		Player* mPlayer = nullptr;
	};

	TEST_F( PlayerInGame, CarriesItsPartsAndHandsBackThePointersAtShutdown )
	{
		for ( const char* type : { "TransformComponent", "MeshComponent", "CollisionComponent", "EmitterComponent", "SkillsComponent",
		                           "StatsComponent", "StateMachineComponent" } )
			EXPECT_NE( mPlayer->mComponents.GetComponent( HashedName( type ) ), nullptr ) << type;
		EXPECT_FLOAT_EQ( Health(), 100.0f );
		EXPECT_EQ( mPlayer->GetComponent<Graphics::MeshComponent>()->mDrawOrder, 4 );
		EXPECT_FLOAT_EQ( Transform().mXScaleFactor, 2.0f );
		EXPECT_TRUE( Transform().mHasFriction );

		auto* physics = Tarn::Services::Get<Physics::PhysicsManager>();
		auto* collisions = Tarn::Services::Get<Physics::CollisionManager>();
		auto* keyboard = Tarn::Services::Get<Tarn::KeyboardManager>();
		auto* bars = Tarn::Services::Get<Graphics::StatusBarManager>();
		Physics::StatsComponent* stats = mPlayer->GetComponent<Physics::StatsComponent>();
		EXPECT_EQ( bars->Stats(), std::vector<Physics::StatsComponent*>{ stats } ) << "its health is watched";
		EXPECT_EQ( physics->mPlayerPosition, &Transform().mPosition );
		EXPECT_EQ( collisions->GetPlayerCollider(), &Collider() );
		EXPECT_TRUE( keyboard->mOnKeyHeld.IsSubscribed( mPlayer, &Player::OnKeyHeld ) );
		EXPECT_EQ( Tarn::FindPlayer(), mPlayer );

		Player* gone = mPlayer;
		Tarn::ObjectManager::Instance().DestroyObject( "Player1" );
		Tarn::ObjectManager::Instance().ProcessDestroyQueue();
		mPlayer = nullptr;
		EXPECT_EQ( Tarn::FindPlayer(), nullptr );
		EXPECT_EQ( physics->mPlayerPosition, nullptr );
		EXPECT_EQ( collisions->GetPlayerCollider(), nullptr );
		EXPECT_TRUE( bars->Stats().empty() );
		EXPECT_FALSE( keyboard->mOnKeyHeld.IsSubscribed( gone, &Player::OnKeyHeld ) );
		// Keys held after the player has gone reach nobody.
		mGame->Window().mOnKeyDown.Raise( Player::kKeyW );
		mGame->Step( 2 );
	}

	// Two keyboard updates add 0.3 each and two physics updates take off 6.6 % each:
	// the speed settles where they balance, near 4.1.
	TEST_F( PlayerInGame, HoldingWSettlesNearFourPointOneAndWaitingShipsIgnoreKeys )
	{
		Transform().mPosition = { 0.0f, 0.0f };
		mGame->Window().mOnKeyDown.Raise( Player::kKeyW );
		mGame->Step( 150 );
		EXPECT_NEAR( Transform().mVelocity.Y, 0.6f * 0.934f * 0.934f / ( 1.0f - 0.934f * 0.934f ), 0.1f );
		EXPECT_FLOAT_EQ( Transform().mVelocity.X, 0.0f );
		EXPECT_GT( Transform().mPosition.Y, 10.0f );

		// A hit ship (STATE_WAIT) does not steer: the speed only decays.
		Machine().mState = StateMachines::STATE_WAIT;
		Machine().mInnerState = StateMachines::INNER_STATE_ON_UPDATE;
		Machine().mAI = 99; // no routine ends the state under the test
		const float before = Transform().mVelocity.Y;
		mGame->Step( 10 );
		EXPECT_LT( Transform().mVelocity.Y, before * 0.6f );
		mGame->Window().mOnKeyUp.Raise( Player::kKeyW );
	}

	TEST_F( PlayerInGame, TheFirstSteeringOrFiringStartsTheLevelClockUnlessTheShipIsLeaving )
	{
		auto* score = Tarn::Services::Get<Tarn::ScoreManager>();
		Machine().mState = StateMachines::STATE_FLEE;
		mPlayer->OnKeyHeld( Player::kKeyW, 0 );
		mPlayer->OnMouseHeld( 10, 10, 1 );
		EXPECT_FALSE( score->IsStarted() );
		Machine().mState = StateMachines::STATE_NONE;
		mPlayer->OnMouseHeld( 10, 10, 1 );
		EXPECT_TRUE( score->IsStarted() );
		score->ResetForNewRun();
		mPlayer->OnKeyHeld( 'q', 0 );
		EXPECT_TRUE( score->IsStarted() ) << "any key held";
	}

	TEST_F( PlayerInGame, StepsFollowTheKeysAndANebulaHalvesThemUntilLeft )
	{
		Transform().mVelocity = {};
		mPlayer->OnKeyHeld( Player::kKeyD, 0 );
		mPlayer->OnKeyHeld( Player::kKeyS, 0 );
		EXPECT_FLOAT_EQ( Transform().mVelocity.X, 0.3f );
		EXPECT_FLOAT_EQ( Transform().mVelocity.Y, -0.3f );
		mPlayer->OnKeyHeld( Player::kKeyA, 0 );
		mPlayer->OnKeyHeld( 'q', 0 );
		EXPECT_FLOAT_EQ( Transform().mVelocity.X, 0.0f );
		EXPECT_FLOAT_EQ( Transform().mVelocity.Y, -0.3f );

		Tarn::Object* nebula = Touching( "Nebula", "Nebula1" );
		ASSERT_NE( nebula, nullptr );
		std::vector<std::pair<std::string, bool>> told;
		struct Listener
		{
			std::vector<std::pair<std::string, bool>>* mTold;
			void Heard( const char* name, bool flag ) { mTold->emplace_back( name, flag ); }
		} listener{ &told };
		auto* collisions = Tarn::Services::Get<Physics::CollisionManager>();
		collisions->mOnNotify.Subscribe( &listener, &Listener::Heard );

		Transform().mVelocity = {};
		mPlayer->OnCollisionStay( nebula->GetComponent<CollisionComponent>() );
		mPlayer->OnKeyHeld( Player::kKeyW, 0 );
		EXPECT_FLOAT_EQ( Transform().mVelocity.Y, 0.15f );
		mPlayer->OnCollisionEnd( nebula->GetComponent<CollisionComponent>() );
		mPlayer->OnKeyHeld( Player::kKeyW, 0 );
		EXPECT_FLOAT_EQ( Transform().mVelocity.Y, 0.45f );
		EXPECT_TRUE( Skills().mSpeedBoost );
		collisions->mOnNotify.Unsubscribe( &listener, &Listener::Heard );
		const std::vector<std::pair<std::string, bool>> expected = { { "Nebula1", true }, { "Nebula1", false } };
		EXPECT_EQ( told, expected );
	}

	TEST_F( PlayerInGame, AStandingGuardKnocksThePlayerToPlusXAndASecondHitWithinFourSecondsDoesNothing )
	{
		Tarn::Object* guard = Touching( "MeleeGuard", "Guard1" );
		ASSERT_NE( guard, nullptr );
		auto* guardCollider = guard->GetComponent<CollisionComponent>();
		Transform().mVelocity = { -2.0f, 1.5f };
		guard->GetComponent<TransformComponent>()->mVelocity = { 0.0f, 3.0f };
		mPlayer->OnCollisionStay( guardCollider );
		EXPECT_FLOAT_EQ( Health(), 90.0f );
		EXPECT_FLOAT_EQ( Transform().mVelocity.X, 5.0f );
		EXPECT_FLOAT_EQ( Transform().mVelocity.Y, 1.5f );
		EXPECT_TRUE( Collider().mInvulnerable );
		EXPECT_FLOAT_EQ( Collider().mInvulTimer, 4.0f );

		// The game runs on for about 1.9 s: still invulnerable, a lunge does nothing.
		mGame->Step( 60 );
		guard->GetComponent<StateMachineComponent>()->mActionFlag = true;
		guard->GetComponent<TransformComponent>()->mVelocity = { -20.0f, 0.0f };
		mPlayer->OnCollisionStay( guardCollider );
		EXPECT_FLOAT_EQ( Health(), 90.0f );
		EXPECT_FALSE( mPlayer->TakeHit( -10.0f, 0.0f ) );

		// Past 4 s the invulnerability is over and a lunge from the right costs 25.
		mGame->Step( 70 );
		ASSERT_FALSE( Collider().mInvulnerable );
		mPlayer->OnCollisionStay( guardCollider );
		EXPECT_FLOAT_EQ( Health(), 65.0f );
		EXPECT_FLOAT_EQ( Transform().mVelocity.X, -5.0f );
	}

	TEST_F( PlayerInGame, ASparkOrAKindWithoutAContactRowLeavesTheShipAlone )
	{
		Collider().mInvulnerable = false;
		Transform().mVelocity = { 1.0f, 2.0f };
		for ( const char* kind : { "SwitchEffect", "Wall", "" } )
		{
			Tarn::Object* other = Touching( kind, ( std::string( "Thing" ) + kind ).c_str() );
			ASSERT_NE( other, nullptr ) << kind;
			other->GetComponent<TransformComponent>()->mVelocity = { -9.0f, 0.0f };
			other->GetComponent<StateMachineComponent>()->mActionFlag = true;
			mPlayer->OnCollisionStay( other->GetComponent<CollisionComponent>() );
		}
		EXPECT_FLOAT_EQ( Health(), 100.0f );
		EXPECT_FLOAT_EQ( Transform().mVelocity.X, 1.0f );
		EXPECT_FLOAT_EQ( Transform().mVelocity.Y, 2.0f );
		EXPECT_FALSE( Collider().mInvulnerable );
	}

	TEST_F( PlayerInGame, AMineIsLitByTouchAndHurtsOnlyWhileExploding )
	{
		Tarn::Object* mine = Touching( "Mine", "Mine1" );
		ASSERT_NE( mine, nullptr );
		auto* collider = mine->GetComponent<CollisionComponent>();
		auto* fuse = mine->GetComponent<StateMachines::MineComponent>();
		collider->mInvulnerable = false;
		fuse->mState = StateMachines::STATE_NORMAL;
		fuse->mInnerState = StateMachines::INNER_STATE_ON_UPDATE;
		mPlayer->OnCollisionStay( collider );
		EXPECT_TRUE( collider->mInvulnerable );
		EXPECT_EQ( fuse->mState, StateMachines::STATE_WAIT );
		EXPECT_EQ( fuse->mInnerState, StateMachines::INNER_STATE_ON_ENTER );
		EXPECT_FLOAT_EQ( Health(), 100.0f );

		// A lit mine that has not gone off yet does no harm.
		mPlayer->OnCollisionStay( collider );
		EXPECT_FLOAT_EQ( Health(), 100.0f );
		fuse->mIsAttacking = true;
		mPlayer->OnCollisionStay( collider );
		EXPECT_FLOAT_EQ( Health(), 60.0f );
		EXPECT_TRUE( Collider().mInvulnerable );
	}

	TEST_F( PlayerInGame, AnEngagedBarrierThrowsBackOnlyAShipNotAlreadyLeaving )
	{
		Tarn::Object* barrier = Touching( "GateBarrier", "GateBarrier1" );
		ASSERT_NE( barrier, nullptr );
		auto* collider = barrier->GetComponent<CollisionComponent>();
		auto* machine = barrier->GetComponent<StateMachineComponent>();
		collider->mNormal = { 2.0f, 0.0f };

		// Moving away along the normal already: nothing.
		machine->mState = StateMachines::STATE_ENGAGE;
		Transform().mVelocity = { 1.0f, -1.0f };
		mPlayer->OnCollisionStay( collider );
		EXPECT_FLOAT_EQ( Health(), 100.0f );

		// Resting phase: nothing either.
		machine->mState = StateMachines::STATE_NORMAL;
		Transform().mVelocity = { -1.0f, 0.5f };
		mPlayer->OnCollisionStay( collider );
		EXPECT_FLOAT_EQ( Health(), 100.0f );

		machine->mState = StateMachines::STATE_ENGAGE;
		mPlayer->OnCollisionStay( collider );
		EXPECT_FLOAT_EQ( Health(), 95.0f );
		EXPECT_FLOAT_EQ( Transform().mVelocity.X, 14.0f );
		EXPECT_FLOAT_EQ( Transform().mVelocity.Y, 0.5f );
		EXPECT_FLOAT_EQ( Collider().mInvulTimer, 1.0f );
		mPlayer->OnCollisionStay( collider );
		EXPECT_FLOAT_EQ( Health(), 95.0f );
	}

	TEST_F( PlayerInGame, AnOpenGateReachedAtItsCentreWinsOnceAndARepairingGateIsHeld )
	{
		Tarn::Object* gate = Touching( "Gate", "Gate" );
		Tarn::Object* guard = Touching( "MeleeGuard", "Guard1" );
		ASSERT_TRUE( gate && guard );
		auto* gateMachine = gate->GetComponent<StateMachines::GateComponent>();
		auto* guardMachine = guard->GetComponent<StateMachineComponent>();
		guardMachine->mAI = StateMachines::Routine::Guard;
		guardMachine->mState = StateMachines::STATE_SEEK;
		gateMachine->mState = StateMachines::STATE_DIE;
		Collider().mInvulnerable = false;

		// Open but not yet reached: nothing.
		gate->GetComponent<TransformComponent>()->mPosition = Transform().mPosition + Tarn::Vector2( 1.2f, 0.0f );
		mPlayer->OnCollisionStay( gate->GetComponent<CollisionComponent>() );
		EXPECT_NE( Machine().mState, StateMachines::STATE_FLEE );
		EXPECT_EQ( guardMachine->mState, StateMachines::STATE_SEEK );

		gate->GetComponent<TransformComponent>()->mPosition = Transform().mPosition + Tarn::Vector2( 0.5f, 0.5f );
		mPlayer->OnCollisionStay( gate->GetComponent<CollisionComponent>() );
		EXPECT_EQ( Machine().mState, StateMachines::STATE_FLEE );
		EXPECT_EQ( Machine().mInnerState, StateMachines::INNER_STATE_ON_ENTER );
		EXPECT_EQ( guardMachine->mState, StateMachines::STATE_FLEE );
		EXPECT_TRUE( Collider().mInvulnerable );
		auto* score = Tarn::Services::Get<Tarn::ScoreManager>();
		EXPECT_EQ( score->Score(), Tarn::ScoreManager::kExitAward );

		// The second contact finds the ship already leaving and starts nothing again.
		Machine().mInnerState = StateMachines::INNER_STATE_ON_UPDATE;
		mPlayer->OnCollisionStay( gate->GetComponent<CollisionComponent>() );
		EXPECT_EQ( Machine().mInnerState, StateMachines::INNER_STATE_ON_UPDATE );
		EXPECT_EQ( score->Score(), Tarn::ScoreManager::kExitAward ) << "the exit is awarded once";

		gateMachine->mState = StateMachines::STATE_REPAIR;
		gateMachine->mInnerState = StateMachines::INNER_STATE_ON_UPDATE;
		mPlayer->OnCollisionStay( gate->GetComponent<CollisionComponent>() );
		EXPECT_FALSE( gateMachine->mPauseGate );
		gateMachine->mInnerState = StateMachines::INNER_STATE_ON_ENTER;
		mPlayer->OnCollisionStay( gate->GetComponent<CollisionComponent>() );
		EXPECT_TRUE( gateMachine->mPauseGate );
	}

	TEST_F( PlayerInGame, ASpawnerReleasesTheGuardOfItsDigitOnce )
	{
		Tarn::Object* guard = Touching( "MeleeGuard", "Guard3" );
		Tarn::Object* spawner = Touching( "EngSpawner", "EngSpawner3" );
		Tarn::Object* nameless = Touching( "EngSpawner", "EngSpawn" );
		ASSERT_TRUE( guard && spawner && nameless );
		auto* transform = guard->GetComponent<TransformComponent>();
		auto* machine = guard->GetComponent<StateMachineComponent>();
		transform->mActive = false;
		guard->GetComponent<Graphics::MeshComponent>()->mVisible = false;
		machine->mState = StateMachines::STATE_NONE;

		mPlayer->OnCollisionStay( nameless->GetComponent<CollisionComponent>() );
		EXPECT_FALSE( transform->mActive );
		mPlayer->OnCollisionStay( spawner->GetComponent<CollisionComponent>() );
		EXPECT_TRUE( transform->mActive );
		EXPECT_TRUE( guard->GetComponent<Graphics::MeshComponent>()->mVisible );
		EXPECT_EQ( machine->mState, StateMachines::STATE_SEEK );

		// An active guard is left to its own machine.
		machine->mState = StateMachines::STATE_ENGAGE;
		mPlayer->OnCollisionStay( spawner->GetComponent<CollisionComponent>() );
		EXPECT_EQ( machine->mState, StateMachines::STATE_ENGAGE );
	}

	TEST_F( PlayerInGame, TheHitSequenceEndsAfterOneAndAHalfSecondsOrOnInvulnerability )
	{
		auto* machines = Tarn::Services::Get<StateMachines::StateMachineManager>();
		StateMachineComponent& machine = Machine();
		machine.mState = StateMachines::STATE_WAIT;
		machine.mInnerState = StateMachines::INNER_STATE_ON_ENTER;
		machine.mStateTimer = 7.0f;
		Collider().mInvulnerable = false;
		StateMachines::RunPlayerSequences( *machines, machine, 0.125f );
		EXPECT_FLOAT_EQ( machine.mStateTimer, 0.0f );
		for ( int i = 0; i < 11; ++i )
			StateMachines::RunPlayerSequences( *machines, machine, 0.125f );
		EXPECT_EQ( machine.mInnerState, StateMachines::INNER_STATE_ON_UPDATE );
		EXPECT_EQ( machine.mState, StateMachines::STATE_WAIT );
		StateMachines::RunPlayerSequences( *machines, machine, 0.125f );
		StateMachines::RunPlayerSequences( *machines, machine, 0.125f );
		EXPECT_EQ( machine.mState, StateMachines::STATE_NONE );

		machine.mState = StateMachines::STATE_WAIT;
		machine.mInnerState = StateMachines::INNER_STATE_ON_ENTER;
		StateMachines::RunPlayerSequences( *machines, machine, 0.1f );
		Collider().mInvulnerable = true;
		StateMachines::RunPlayerSequences( *machines, machine, 0.1f );
		StateMachines::RunPlayerSequences( *machines, machine, 0.1f );
		EXPECT_EQ( machine.mState, StateMachines::STATE_NONE );
	}

	TEST_F( PlayerInGame, TheBodyFollowsTheShipAndSpinsFasterWhileItMoves )
	{
		Tarn::Object* body = Create( "PlayerDoodad", "PlayerDoodad1" );
		ASSERT_NE( body, nullptr );
		auto* machine = body->GetComponent<StateMachineComponent>();
		ASSERT_NE( machine, nullptr );
		EXPECT_EQ( machine->mAI, StateMachines::Routine::PlayerHalo );
		EXPECT_EQ( body->GetComponent<Graphics::MeshComponent>()->mDrawOrder, 3 );
		auto* machines = Tarn::Services::Get<StateMachines::StateMachineManager>();
		auto* bodyTransform = body->GetComponent<TransformComponent>();

		Transform().mPosition = { 3.0f, -4.0f };
		Transform().mVelocity = { 2.0f, 0.0f };
		Transform().mXScaleFactor = 1.5f;
		const float pi = Tarn::kPi;
		float turned = 0.0f;
		bodyTransform->mDirection = 0.0f;
		StateMachines::RunPlayerHalo( *machines, *machine, 0.5f );
		turned = bodyTransform->mDirection;
		EXPECT_FLOAT_EQ( bodyTransform->mPosition.X, 3.0f );
		EXPECT_FLOAT_EQ( bodyTransform->mPosition.Y, -4.0f );
		EXPECT_FLOAT_EQ( bodyTransform->mXScaleFactor, 1.5f );
		EXPECT_NEAR( StateMachines::PlayerHaloSpin(), pi / 6.0f + pi / 6.0f, 1e-5f );
		EXPECT_NEAR( turned, StateMachines::PlayerHaloSpin() * 0.5f, 1e-5f );
		for ( int i = 0; i < 10; ++i )
			StateMachines::RunPlayerHalo( *machines, *machine, 0.5f );
		EXPECT_NEAR( StateMachines::PlayerHaloSpin(), 2.0f * pi / 3.0f, 1e-5f );

		// A ship at rest lets the spin slow, but not below about π/6.
		Transform().mVelocity = {};
		for ( int i = 0; i < 100; ++i )
			StateMachines::RunPlayerHalo( *machines, *machine, 0.1f );
		EXPECT_LT( StateMachines::PlayerHaloSpin(), 0.53f );
		EXPECT_GT( StateMachines::PlayerHaloSpin(), 0.45f );
	}
}
