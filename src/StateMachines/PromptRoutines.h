#pragma once
// The tutorial's prompts and the hint fader, and the messages that dismiss the prompts.
// Filed into the manager's machine table by this family.

#include <cstdint>

namespace StateMachines
{
	// The prompt objects the first level's messages drive.
	inline constexpr const char* kMovementPromptName = "WASD";
	inline constexpr const char* kBeamPromptName = "BeamClick";

	// The manager's message handler: Message::MovementPromptDone dismisses the movement
	// prompt and shows the beam prompt; Message::BeamPromptDone dismisses the beam
	// prompt. Other messages, and prompts that do not exist, are passed over.
	void AnswerPromptMessage( int32_t message );
}
