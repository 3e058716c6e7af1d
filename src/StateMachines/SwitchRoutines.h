#pragma once
// Switches: idle with a gleam now and then, charging under a cone of their colour, lit
// with a circling ring, being undone by a white guard, or wrong and discharging. A
// switch that lights is matched against the gates and sends each a spark; one undone
// takes its match back. Filed into the manager's switch table by this family.

#include "StateMachines/StateMachineManager.h"

namespace StateMachines
{
	class SwitchComponent;

	// The switch routine, for switches only (not the stun effects that carry a switch's
	// component too).
	void RunSwitch( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );

	// The angle of the ring every lit switch shows, in radians: one for all of them.
	float& RingAngle();

	// Charge levels of a switch's own channels: a cone starts the charge at kChargeStart,
	// it lights at kLitCharge, and an idle switch lets any charge above kRestCharge go.
	inline constexpr float kChargeStart = 1.5f;
	inline constexpr float kLitCharge = 2.5f;
	inline constexpr float kRestCharge = 1.0f;

	inline constexpr const char* kSwitchTexture = "resource/switch.png";
	inline constexpr const char* kSwitchGleamTexture = "resource/switch2.png";
	inline constexpr const char* kSwitchActivateSound = "resource/Sound/Switch_Activate.wav";
	inline constexpr const char* kSwitchDeactivateSound = "resource/Sound/Switch_Deactivate.wav";
	inline constexpr const char* kWrongSwitchSound = "resource/Sound/Switch_WrongSwitch.wav";
}
