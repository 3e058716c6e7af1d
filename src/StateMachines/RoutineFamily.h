#pragma once
// How a behaviour family files its routines into the state-machine manager's tables:
// the family's own file registers a filing function with KELVANE_ROUTINE_FAMILY, and
// every manager that is built runs them all. Adding a behaviour touches its family only.

#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineManager.h"

#include <initializer_list>

namespace StateMachines
{
	using RoutineFamily = void ( * )( StateMachineManager& manager );

	// Registers a family; the answer only gives the registration a static to set.
	bool AddRoutineFamily( RoutineFamily family );
	// Files every registered family's routines into the manager.
	void FileRoutineFamilies( StateMachineManager& manager );

	// The owner's components a routine can need, by type name.
	namespace Needs
	{
		inline constexpr const char* Animation = "AnimationComponent";
		inline constexpr const char* Collision = "CollisionComponent";
		inline constexpr const char* Emitter = "EmitterComponent";
		inline constexpr const char* Mesh = "MeshComponent";
		inline constexpr const char* Stats = "StatsComponent";
		inline constexpr const char* Transform = "TransformComponent";
		inline constexpr const char* Vertex = "VertexComponent";
	}

	// A table entry: its name, its routine (none until it is built) and what it needs.
	StateMachineManager::RoutineEntry MakeRoutine( const char* name, StateMachineManager::RoutineFunction run,
	                                               std::initializer_list<const char*> needs );
}

// Used once at namespace scope in the family's own source file, inside StateMachines.
#define KELVANE_ROUTINE_FAMILY( Family ) \
	[[maybe_unused]] static const bool sRoutineFamily##Family = ::StateMachines::AddRoutineFamily( &Family );
