#include "support/Campaign.h"

#include <cstdio>
#include <cstdlib>

namespace KelvaneTest
{
	namespace
	{
		std::map<int, CampaignLevel>& Levels()
		{
			static std::map<int, CampaignLevel> levels;
			return levels;
		}
	}

	const std::map<int, CampaignLevel>& CampaignLevels()
	{
		return Levels();
	}

	const CampaignLevel* FindCampaignLevel( int number )
	{
		const auto it = Levels().find( number );
		return it == Levels().end() ? nullptr : &it->second;
	}

	CampaignLevelFiler::CampaignLevelFiler( int number, const char* idea, void ( *build )( Tarn::LevelObject& ) )
	{
		// Two builders under one number is a mistake in the test sources: stop at once.
		if ( !Levels().emplace( number, CampaignLevel{ number, idea, build } ).second )
		{
			std::fprintf( stderr, "two campaign levels are filed as level %d\n", number );
			std::abort();
		}
	}
}
