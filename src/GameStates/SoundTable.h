#pragma once

#include <cstddef>
#include <span>

namespace Tarn
{
	enum class SoundGroup
	{
		Effects,
		Background,
	};

	struct SoundTableEntry
	{
		const char* mPath;  // the key of the sound manager's map: exact spelling, case matters
		SoundGroup mGroup;
		bool mLoop;
	};

	// The sounds the sound manager loads at start-up, in loading order.
	std::span<const SoundTableEntry> SoundTable();

	// Sounds the scripted and boss levels play by path through the sound manager's map. They are
	// spelt with "resource/sound/", the table with "resource/Sound/": on Linux the
	// file system has to resolve them without regard to case.
	std::span<const char* const> ScriptedLevelSounds();
}
