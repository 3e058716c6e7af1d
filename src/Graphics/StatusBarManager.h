#pragma once

#include "Core/GameComponent.h"
#include "core/HashedName.h"

#include <vector>

namespace Physics
{
	class StatsComponent;
}

namespace Graphics
{
	// Keeps the health bars of the heads-up display and the stats components whose
	// health it watches. Every stats component joins the watch list when it starts and
	// leaves it when it stops; the bars and what a health of nothing does come with the
	// bars themselves.
	class StatusBarManager : public Tarn::GameComponent
	{
		TARN_CLASS_NAME( StatusBarManager )

	public:
		explicit StatusBarManager( Tarn::Game* game ) : GameComponent( game ) {}

		void Update( Tarn::GameTime& ) override {}
		void Initialise() override {}
		// Forgets every watched component without touching it.
		void Shutdown() override { mStats.clear(); }

		// Joins the watch list once; a second registration changes nothing.
		void RegisterStats( Physics::StatsComponent* stats );
		void UnregisterStats( Physics::StatsComponent* stats );
		const std::vector<Physics::StatsComponent*>& Stats() const { return mStats; }

	private:
		std::vector<Physics::StatsComponent*> mStats;
	};
}
