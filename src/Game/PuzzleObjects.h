#pragma once
// The furniture of the colour puzzle: switches that a cone of their colour lights, the
// gate they open and the enemy gates that let guards out. Each assembles its components
// in a fixed order with its start values, and shows its colours as glyphs too; what they
// do is their machines' (the switch and gate families). A gate catches the sparks sent
// to it, whichever side the contact is reported on.

#include "Core/Object.h"
#include "core/HashedName.h"

namespace Tarn
{
	class Switch : public Object
	{
		TARN_CLASS_NAME( Switch )

	public:
		void Initialise() override;
		void Shutdown() override {}
	};

	// The level's exit: it opens once its colours have arrived in order.
	class Gate : public Object
	{
		TARN_CLASS_NAME( Gate )

	public:
		static constexpr const char* kSheetXml = "./resource/gate.xml";
		static constexpr const char* kSheetPng = "./resource/gate.png";
		static constexpr const char* kTexture = "resource/gate.png";

		void Initialise() override;
		void Shutdown() override {}
		void OnCollisionStay( Physics::CollisionComponent* other ) override;
	};
}

namespace StateMachines
{
	// A gate that the same switches open, once, to let its guards out.
	class EnemyGate : public Tarn::Object
	{
		TARN_CLASS_NAME( EnemyGate )

	public:
		void Initialise() override;
		void Shutdown() override {}
		void OnCollisionStay( Physics::CollisionComponent* other ) override;
	};
}
