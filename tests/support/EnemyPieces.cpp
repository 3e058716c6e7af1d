#include "support/EnemyPieces.h"

#include "GameStates/LevelObject.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "support/LevelFiles.h"

#include <algorithm>
#include <string>

namespace KelvaneTest
{
	using Tarn::Vector2;
	namespace Routine = StateMachines::Routine;

	namespace
	{
		// A blue mine's tint: blue enough to tell from a plain one at a glance, with red
		// and green left for the fuse to burn away.
		constexpr Tarn::Colour kBlueMineTint{ 0.35f, 0.65f, 1.6f, 1.0f };

		void SetPatrol( Tarn::Object& object, const Patrol& patrol )
		{
			auto* machine = object.GetComponent<StateMachines::MineComponent>();
			machine->mPatrols = true;
			machine->mWait = patrol.mWait > 0.0f;
			machine->mWaitTimer = patrol.mWait;
			machine->mPatrol = { patrol.mTo, patrol.mFrom };
		}
	}

	Tarn::Object* AddGuard( Tarn::LevelObject& level, const char* name, Vector2 position, bool white )
	{
		Tarn::Object* guard = AddToLevel( level, "MeleeGuard", name, position );
		if ( guard && white )
			guard->GetComponent<StateMachines::StateMachineComponent>()->mAI = Routine::WhiteGuard;
		return guard;
	}

	Tarn::Object* AddPatrollingGuard( Tarn::LevelObject& level, const char* name, Vector2 position, const Patrol& patrol, bool white )
	{
		Tarn::Object* guard = AddGuard( level, name, position, white );
		if ( guard )
			SetPatrol( *guard, patrol );
		return guard;
	}

	void AddStunEffects( Tarn::LevelObject& level, int count )
	{
		// Out of play until a guard borrows one; where they wait does not matter.
		for ( int i = 1; i <= count; ++i )
			AddToLevel( level, "StunEffect", ( "StunEffect" + std::to_string( i ) ).c_str(), { 0, 0 } );
	}

	Tarn::Object* AddMine( Tarn::LevelObject& level, const char* name, Vector2 position, bool blue )
	{
		Tarn::Object* mine = AddToLevel( level, "Mine", name, position );
		if ( mine && blue )
		{
			mine->GetComponent<StateMachines::MineComponent>()->mAI = Routine::BlueMine;
			mine->GetComponent<Graphics::MeshComponent>()->mColour = kBlueMineTint;
		}
		return mine;
	}

	Tarn::Object* AddDriftingMine( Tarn::LevelObject& level, const char* name, const Patrol& patrol, bool blue )
	{
		Tarn::Object* mine = AddMine( level, name, patrol.mFrom, blue );
		if ( mine )
			SetPatrol( *mine, patrol );
		return mine;
	}

	Tarn::Object* AddCrystal( Tarn::LevelObject& level, const char* name, Vector2 position )
	{
		return AddToLevel( level, "CrystalFocus", name, position );
	}

	Tarn::Object* AddDriftingCrystal( Tarn::LevelObject& level, const char* name, const Patrol& patrol )
	{
		Tarn::Object* crystal = AddCrystal( level, name, patrol.mFrom );
		if ( crystal )
			SetPatrol( *crystal, patrol );
		return crystal;
	}

	void AddEnemyPortal( Tarn::LevelObject& level, const char* name, Vector2 position, std::initializer_list<int32_t> colours,
	                     int first, int guards, bool white )
	{
		Tarn::Object* portal = AddToLevel( level, "EnemyGate", name, position );
		if ( !portal )
			return;
		auto& gate = *portal->GetComponent<StateMachines::GateComponent>();
		std::copy( colours.begin(), colours.end(), gate.mTargetList.begin() );
		gate.mSkip = first - 1;
		gate.mContent = guards;
		// Inside, unseen and still, until the portal lets them out one by one.
		for ( int i = first; i < first + guards; ++i )
		{
			Tarn::Object* guard = AddGuard( level, ( "Guard" + std::to_string( i ) ).c_str(), position, white );
			if ( !guard )
				continue;
			guard->GetComponent<Tarn::TransformComponent>()->mActive = false;
			guard->GetComponent<Graphics::MeshComponent>()->mVisible = false;
			guard->GetComponent<StateMachines::StateMachineComponent>()->mState = StateMachines::STATE_NONE;
		}
	}
}
