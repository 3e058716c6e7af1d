#pragma once

// Keeps the health bars of the heads-up display and the stats components whose health
// it watches. Each update moves every bar to the health it watches and turns a health of
// nothing into the dying state of its owner's state machine, once.

#include "Core/GameComponent.h"
#include "core/HashedName.h"

#include <vector>

namespace Physics
{
	class StatsComponent;
}

namespace Graphics
{
	class StatusBarComponent;

	class StatusBarManager : public Tarn::GameComponent
	{
		TARN_CLASS_NAME( StatusBarManager )

	public:
		// A trailing bar drains one length in this many seconds of updates.
		static constexpr float kTrailSecondsPerLength = 6.0f;

		explicit StatusBarManager( Tarn::Game* game ) : GameComponent( game ) {}

		void Update( Tarn::GameTime& gameTime ) override;
		void Initialise() override {}
		// Forgets every bar and watched component without touching them.
		void Shutdown() override
		{
			mBars.clear();
			mStats.clear();
		}

		// Each joins its list once; a second registration changes nothing.
		void RegisterBar( StatusBarComponent* bar );
		void UnregisterBar( StatusBarComponent* bar );
		void RegisterStats( Physics::StatsComponent* stats );
		void UnregisterStats( Physics::StatsComponent* stats );
		const std::vector<StatusBarComponent*>& Bars() const { return mBars; }
		const std::vector<Physics::StatsComponent*>& Stats() const { return mStats; }

		// One bar's step: its length towards the watched health, dt seconds on.
		static void UpdateBar( StatusBarComponent& bar, float dt );
		// A health at or below nothing puts its owner's machine into its dying state,
		// unless it is there already; an owner without a machine has none to enter.
		static void WatchForDeath( Physics::StatsComponent& stats );

	private:
		std::vector<StatusBarComponent*> mBars;
		std::vector<Physics::StatsComponent*> mStats;
	};
}
