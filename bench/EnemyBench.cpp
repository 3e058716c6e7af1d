// The enemies of a busy level: 40 guards, 40 mines and 10 crystal foci around the
// player, in the headless game. The state machines' share of one update step, and the
// whole step with collisions and physics for comparison.
#include "BenchSupport.h"
#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "Platform/Display.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/MineRoutines.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateMachineManager.h"
#include "core/Services.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
	using namespace StateMachines;
	using Tarn::Vector2;

	constexpr float kDt = 0.016f;

	struct EnemyLevel
	{
		std::unique_ptr<Tarn::GameProject> mProject;
		std::vector<MineComponent*> mBurning;
	};

	Tarn::Object* Make( const char* type, const std::string& name, Vector2 at )
	{
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* object = objects.CreateObject( Tarn::HashedName( type ), name.c_str() );
		objects.InitialiseObject( object );
		auto* transform = object->GetComponent<Tarn::TransformComponent>();
		transform->mPosition = transform->mPrevPos = at;
		return object;
	}

	void Patrol( Tarn::Object& object, Vector2 from, Vector2 to )
	{
		auto* patrol = object.GetComponent<MineComponent>();
		patrol->mPatrols = true;
		patrol->mWait = true;
		patrol->mWaitTimer = 0.5f;
		patrol->mPatrol = { to, from };
	}

	// Guards close by striking, guards in sight closing in, patrollers and white
	// guards; mines patrolling and standing away from the fight; crystals, half of
	// them in a light cone.
	EnemyLevel StartEnemyLevel()
	{
		KelvaneBench::BenchFiles();
		Platform::UseHeadlessDrivers();
		Tarn::LaunchOptions options;
		options.mHeadless = true;
		EnemyLevel level;
		level.mProject = std::make_unique<Tarn::GameProject>( options );
		level.mProject->CreateComponents();
		level.mProject->Initialise();
		level.mProject->GetGameTime().ElapsedSeconds = kDt;

		Tarn::ObjectManager::Instance().DestroyAll();
		Tarn::Object* player = Make( "Player", "Player1", { 0, 0 } );
		// Never hurt, so that the level stays as busy as it starts.
		player->GetComponent<Physics::CollisionComponent>()->mInvulTimer = 1e9f;
		for ( int i = 0; i < 40; ++i )
		{
			const float angle = float( i ) * 0.157f;
			const float range = i < 10 ? 1.8f : i < 20 ? 7.0f : 14.0f;
			Tarn::Object* guard = Make( "MeleeGuard", "Guard" + std::to_string( i ), { range * std::cos( angle ), range * std::sin( angle ) } );
			auto* machine = guard->GetComponent<StateMachineComponent>();
			if ( i >= 20 && i < 30 )
			{
				Patrol( *guard, guard->GetComponent<Tarn::TransformComponent>()->mPosition, { 0, 20 } );
				machine->mState = STATE_DAZED;
			}
			else if ( i >= 30 )
				machine->mAI = Routine::WhiteGuard;
		}
		for ( int i = 0; i < 40; ++i )
		{
			const Vector2 at( 40.0f + float( i % 8 ) * 4.0f, float( i / 8 ) * 4.0f - 8.0f );
			Tarn::Object* mine = Make( "Mine", "Mine" + std::to_string( i ), at );
			if ( i % 2 == 0 )
				Patrol( *mine, at, at + Vector2( 0, 2 ) );
		}
		for ( int i = 0; i < 10; ++i )
		{
			Tarn::Object* crystal = Make( "CrystalFocus", "CrystalFocus" + std::to_string( i ), { -40.0f, float( i ) * 3.0f } );
			if ( i % 2 == 0 )
				level.mBurning.push_back( crystal->GetComponent<MineComponent>() );
		}
		return level;
	}

	// One update step's share of the state machines: the manager's two calls.
	void EnemyMachinesStep( benchmark::State& state )
	{
		EnemyLevel level = StartEnemyLevel();
		auto* machines = Tarn::Services::Get<StateMachineManager>();
		for ( auto _ : state )
		{
			for ( MineComponent* crystal : level.mBurning )
				BurnCrystal( *crystal );
			machines->RunMachines( kDt );
			machines->RunMachines( kDt );
		}
		Tarn::ObjectManager::Instance().DestroyAll();
		level.mProject->Shutdown();
	}
	BENCHMARK( EnemyMachinesStep )->Unit( benchmark::kMicrosecond );

	// The whole update step of the same level: machines, collisions, physics, particles.
	void EnemyLevelStep( benchmark::State& state )
	{
		EnemyLevel level = StartEnemyLevel();
		Tarn::GameTime& time = level.mProject->GetGameTime();
		for ( auto _ : state )
		{
			for ( MineComponent* crystal : level.mBurning )
				BurnCrystal( *crystal );
			level.mProject->Update( time );
		}
		Tarn::ObjectManager::Instance().DestroyAll();
		level.mProject->Shutdown();
	}
	BENCHMARK( EnemyLevelStep )->Unit( benchmark::kMicrosecond );
}
