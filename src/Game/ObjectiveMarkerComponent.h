#pragma once

// One link of a chain of objective markers that a scripted level builds: the marker
// before it, how long its turn lasts and whether it is done, and for a text marker the
// text it shows and whether it still waits for the player to close the text box. It
// holds data only; the text box and the marker behaviours (MarkerBehaviours.h) read it.

#include "Core/ObjectComponent.h"
#include "core/HashedName.h"

#include <string>

namespace Tarn
{
	class ObjectiveMarkerComponent : public ObjectComponent
	{
		TARN_CLASS_NAME( ObjectiveMarkerComponent )

	public:
		explicit ObjectiveMarkerComponent( Object* owner ) : ObjectComponent( owner ) {}
		~ObjectiveMarkerComponent() override;

		// Starts not done and not waiting, and joins the objective manager.
		void Initialise() override;
		void Shutdown() override;

		// A text marker whose predecessor is done, or that has none, may stop waiting.
		bool MayGoOn() const { return !mPrevious || mPrevious->mDone; }

		// The marker before this one in its chain; none for the first. The objective
		// manager clears it when that marker goes.
		ObjectiveMarkerComponent* mPrevious = nullptr;
		float mDuration = 0.0f;
		bool mDone = false;
		// Its turn has not begun yet; the behaviour that runs the marker clears it.
		bool mNotStarted = true;
		std::string mText;
		bool mIsTextMarker = false;
		// A text marker waits until the player has read its text.
		bool mWaiting = false;
		// How long its turn has run, in seconds, and what its behaviour began from (the
		// boss's alpha before it fades); the behaviour keeps both.
		float mElapsed = 0.0f;
		float mStartValue = 0.0f;
	};
}
