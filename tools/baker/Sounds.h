#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace Baker
{
	constexpr int kSampleRate = 44100;

	// Samples of one or two channels, -1 to 1.
	struct Audio
	{
		int mChannels = 1;
		std::vector<float> mLeft;
		std::vector<float> mRight;  // empty for one channel
	};

	struct SoundRecipe
	{
		std::function<Audio()> mMake;
		double mMinimumSeconds = 0.0;  // what the baker promises, checked after making
	};

	using SoundBook = std::map<std::string, SoundRecipe>;  // keyed by lower-case data-root name

	void AddSounds( SoundBook& book );

	// 16-bit PCM for ".wav", CBR MP3 through LAME for ".mp3". False on a write error.
	bool WriteAudio( const std::string& path, const Audio& audio, std::string& error );
}
