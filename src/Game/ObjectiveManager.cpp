#include "Game/ObjectiveManager.h"

#include "Game/ObjectiveMarkerComponent.h"

#include <algorithm>

namespace Tarn
{
	void ObjectiveManager::Register( ObjectiveMarkerComponent* marker )
	{
		if ( marker && std::find( mMarkers.begin(), mMarkers.end(), marker ) == mMarkers.end() )
			mMarkers.push_back( marker );
	}

	void ObjectiveManager::Unregister( ObjectiveMarkerComponent* marker )
	{
		std::erase( mMarkers, marker );
		for ( ObjectiveMarkerComponent* other : mMarkers )
			if ( other->mPrevious == marker )
				other->mPrevious = nullptr;
	}

	void ObjectiveManager::ReleaseWaitingTextMarkers()
	{
		for ( ObjectiveMarkerComponent* marker : mMarkers )
			if ( marker->mIsTextMarker && marker->MayGoOn() )
				marker->mWaiting = false;
	}
}
