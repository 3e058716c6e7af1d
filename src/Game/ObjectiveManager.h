#pragma once

// Keeps the objective markers of the level, in the order they started, so that the text
// box can let waiting text markers go on. It has no work of its own each step.

#include "Core/GameComponent.h"
#include "core/HashedName.h"

#include <vector>

namespace Tarn
{
	class ObjectiveMarkerComponent;

	class ObjectiveManager : public GameComponent
	{
		TARN_CLASS_NAME( ObjectiveManager )

	public:
		explicit ObjectiveManager( Game* game ) : GameComponent( game ) {}

		void Initialise() override {}
		void Shutdown() override { mMarkers.clear(); }
		void Update( GameTime& ) override {}

		// Joins once; a second registration changes nothing.
		void Register( ObjectiveMarkerComponent* marker );
		// Leaves the list, and every marker that followed it now follows none.
		void Unregister( ObjectiveMarkerComponent* marker );
		// Every text marker whose predecessor is done, or that has none, stops waiting:
		// the player has closed the text box.
		void ReleaseWaitingTextMarkers();

		const std::vector<ObjectiveMarkerComponent*>& Markers() const { return mMarkers; }

	private:
		std::vector<ObjectiveMarkerComponent*> mMarkers;
	};
}
