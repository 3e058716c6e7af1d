#include "Graphics/StatusBarManager.h"

#include <algorithm>

namespace Graphics
{
	void StatusBarManager::RegisterStats( Physics::StatsComponent* stats )
	{
		if ( stats && std::find( mStats.begin(), mStats.end(), stats ) == mStats.end() )
			mStats.push_back( stats );
	}

	void StatusBarManager::UnregisterStats( Physics::StatsComponent* stats ) { std::erase( mStats, stats ); }
}
