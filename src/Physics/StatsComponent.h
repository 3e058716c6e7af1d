#pragma once

#include "Core/ObjectComponent.h"
#include "core/HashedName.h"

namespace Physics
{
	// An object's health. The player and the bosses start with 100; anything else keeps
	// what its level file gives it.
	class StatsComponent : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( StatsComponent )

	public:
		static constexpr float kFullHealth = 100.0f;

		explicit StatsComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}

		// Starts at full health for the player and the bosses, then joins the watch list
		// of the status-bar manager.
		void Initialise() override;
		void Shutdown() override;
		const Tarn::ComponentProperties& Properties() const override;

		// A boss's body: it carries the behaviour of one of the two bosses. Its health
		// starts full and its bar measures a whole bar by kFullHealth.
		static bool IsBossBody( const Tarn::Object& owner );

		float mHealth = 0.0f;
		bool mSelfDestruct = false;
	};
}
