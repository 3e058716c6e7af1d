#pragma once
// The player's choices that outlast a run: the effects and music volumes, the two
// mutes and full screen. Kept in $XDG_CONFIG_HOME/kelvane/options.xml (else
// ~/.config/kelvane/), written whole whenever one of them changes and read at start.
// A missing file gives the defaults; a broken one the defaults and a warning.

#include <string>

namespace Tarn
{
	struct PlayerOptions
	{
		static constexpr const char* kFolderName = "kelvane";
		static constexpr const char* kFileName = "options.xml";
		// The volumes move in these steps from 0 to 1.
		static constexpr float kVolumeStep = 0.2f;
		static constexpr float kDefaultVolume = 0.4f;

		float mEffectsVolume = kDefaultVolume;
		float mMusicVolume = kDefaultVolume;
		// Music and effects both muted ("Mute all").
		bool mSoundMuted = false;
		bool mMusicMuted = false;
		bool mFullScreen = true;

		bool operator==( const PlayerOptions& ) const = default;

		// Where the options live; empty when the user has no home folder.
		static std::string FilePath();
		// The options of the file at `path`: the defaults for a missing or unreadable file
		// (with a warning for one that exists but cannot be read), a volume off the scale
		// brought onto it with a warning, and anything the file does not hold kept at its
		// default.
		static PlayerOptions Load( const std::string& path );
		// Writes every option to `path` (its folder made when missing) through a temporary
		// file; false, with an error in the log, when it could not be written.
		bool Save( const std::string& path ) const;
	};
}
