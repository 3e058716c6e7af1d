#pragma once
// Gates and enemy gates: a gate opens once every colour it wants has arrived, in order,
// and closes again when a match is undone; an enemy gate opens once and lets out its
// guards. Filed into the manager's gate table by this family, with the doors the switch
// machines and the sparks come in by.

#include "StateMachines/StateMachineManager.h"

namespace Physics
{
	class CollisionComponent;
}

namespace Tarn
{
	class Object;
}

namespace StateMachines
{
	class GateComponent;

	// Routine::Gate and Routine::EnemyGate.
	void RunGate( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );
	void RunEnemyGate( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );

	// A spark touches the gate. A spark spent already, or flying to another gate, does
	// nothing; otherwise it is spent here, and its colour arrives (ColourArrived).
	void CatchSpark( GateComponent& gate, Physics::CollisionComponent& spark );
	// The same for a contact between a spark and an object that may be a gate of either
	// kind; any other object does nothing.
	void SparkMeetsGate( Physics::CollisionComponent& spark, Tarn::Object& gate );

	// A matched colour reaches the gate: with every colour in, a closed or closing gate
	// starts opening (a plain gate's swirl dies down); short of that, a plain gate's
	// emitter shows the colour it wants next.
	void ColourArrived( GateComponent& gate );

	// A plain gate's emitter shows the colour it wants now: white, with the channels of
	// that colour glowing. A gate that wants nothing keeps its mesh's colour.
	void ShowWantedColour( GateComponent& gate );

	// Opening (STATE_ENGAGE) or open (STATE_DIE): no switch is matched against it.
	bool IsOpenOrOpening( const GateComponent& gate );

	// The emitter's channels of the wanted colour glow this bright.
	inline constexpr float kWantedGlow = 11.0f;
	inline constexpr const char* kPortalOpenSound = "resource/Sound/Portal_Open.wav";
}
