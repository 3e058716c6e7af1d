#pragma once
// Gleam tiles: prisms that drift as mirrors do and gleam now and then while unlit, and
// the gleam threshold they share with the switches. Filed into the mine table here.

#include "StateMachines/StateMachineManager.h"

namespace Tarn
{
	class Object;
}

namespace StateMachines
{
	// Routine::GleamTile, on a prism: drifts as a mirror does, gleams now and then while it is
	// unlit, and takes back its unlit look once the beam has left it.
	void RunGleamTile( StateMachineManager& manager, Tarn::ObjectComponent& component, float dt );

	// Seconds between two gleams: one value shared by every gleaming tile and switch,
	// drawn anew each time one of them gleams.
	float& GleamThreshold();
	void DrawGleamThreshold();

	// The unlit look of a tile: its gleam sheet held on the first frame.
	void ShowIdleGleam( Tarn::Object& tile );

	inline constexpr const char* kGleamSheetXml = "./resource/square_gleam.xml";
	inline constexpr const char* kGleamSheetPng = "./resource/square_gleam.png";
	inline constexpr const char* kGleamTexture = "resource/square_gleam.png";
	inline constexpr const char* kLitPrismSheetXml = "./resource/square2.xml";
}
