#pragma once
// The campaign's levels as the engine writes them: each level has a builder in
// tests/support/campaign/, filed here under its number with the idea it teaches and
// its par time. resource/Levels/LevelN.xml is what the engine saves of builder N
// (tests/game/CampaignTest.cpp checks it and, with KELVANE_WRITE_LEVELS=1, writes it).

#include <functional>
#include <map>

namespace Tarn
{
	class LevelObject;
}

namespace KelvaneTest
{
	struct CampaignLevel
	{
		int mNumber = 0;
		// What the level teaches, in a few words, for the campaign's table.
		const char* mIdea = "";
		void ( *mBuild )( Tarn::LevelObject& level ) = nullptr;
	};

	// Every level filed so far, by number.
	const std::map<int, CampaignLevel>& CampaignLevels();
	// The level filed under `number`, or null.
	const CampaignLevel* FindCampaignLevel( int number );

	// Files a level's builder; used through KELVANE_CAMPAIGN_LEVEL.
	struct CampaignLevelFiler
	{
		CampaignLevelFiler( int number, const char* idea, void ( *build )( Tarn::LevelObject& ) );
	};

	// The campaign has eighteen levels; 19 and 20 are kept for the bosses.
	inline constexpr int kCampaignLevels = 18;
}

// Files `build` as level `number` of the campaign, teaching `idea`.
#define KELVANE_CAMPAIGN_LEVEL( number, idea, build ) \
	static const KelvaneTest::CampaignLevelFiler kCampaignLevel##number{ number, idea, build }
