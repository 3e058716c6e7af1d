#pragma once

#include "Core/GameComponent.h"
#include "GameStates/SoundTable.h"
#include "Platform/Audio.h"
#include "core/HashedName.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

namespace Tarn
{
	class Game;

	// Owns all audio: one audio system, the groups "Background" (music) and "Effects",
	// and the sounds of the sound table, loaded once at start-up and addressed by path.
	// Music fades run in Update; the whole mix is muted while the window has no focus.
	// Every audio call's result is written to standard output and otherwise ignored, so a
	// missing or broken file leaves a null sound that plays nothing.
	class SoundManager : public GameComponent
	{
		TARN_CLASS_NAME( SoundManager )

	public:
		using SoundEntry = std::pair<Platform::Sound*, Platform::Channel>;

		static constexpr int kChannels = 32;
		static constexpr float kVolumeStep = 0.2f;
		static constexpr float kStartVolume = 0.4f;

		explicit SoundManager( Game* game );
		~SoundManager() override;

		void Update( GameTime& gameTime ) override;
		void Initialise() override;
		void Shutdown() override;

		// Decodes one file (through the file system's path resolution) into the map under
		// `path`, printing the result of each step. Initialise loads the table with it.
		void LoadSound( const std::string& path, SoundGroup group, bool loop );

		// Starts the sound on the effects group, unless `always` is false and its last
		// playback still plays; the new playback replaces the stored one.
		void PlaySoundEffect( const std::string& path, bool always );
		// Starts the sound on the background group; the new playback is stored.
		void PlayMusic( const std::string& path );
		// Stops the path's last playback.
		void StopSound( const std::string& path );
		// Pauses or resumes the path's last playback.
		void PauseSound( const std::string& path, bool paused );
		// The own volume of the path's last playback (1 as started), which its group's
		// volume scales: lowers a sound without touching the player's volume.
		void SetPlaybackVolume( const std::string& path, float volume );
		// The stored (sound, channel) pair, or null for a path that names no sound. A path
		// spelt differently only in case ("resource/sound/...") finds the table's entry.
		// Game code that restarts an effect itself plays the pair's sound through
		// GetSystem() on GetEffectsGroup() and stores the new channel back in the pair.
		SoundEntry* GetSound( const std::string& path );

		void MuteAll();
		void UnmuteAll();
		void MuteMusic();
		void UnmuteMusic();

		// Moves the volume of the path's last playback toward `target` by 1.0 per second
		// of update time.
		void Fade( const std::string& path, float target );

		// The options menu's steps: up to 1.0 and down to 0 by kVolumeStep, each new value
		// applied to its group.
		void RaiseEffectsVolume();
		void LowerEffectsVolume();
		void RaiseMusicVolume();
		void LowerMusicVolume();
		// A volume the player chose before, put on the same scale and applied.
		void SetEffectsVolume( float volume );
		void SetMusicVolume( float volume );

		Platform::AudioSystem* GetSystem() const { return mSystem.get(); }
		Platform::ChannelGroup* GetBackgroundGroup() const { return mBackgroundGroup; }
		Platform::ChannelGroup* GetEffectsGroup() const { return mEffectsGroup; }
		const std::map<std::string, SoundEntry>& GetSounds() const { return mSounds; }
		bool IsBackgroundMuted() const { return mBackgroundMuted; }
		bool IsEffectsMuted() const { return mEffectsMuted; }
		bool IsFading() const { return mFading; }

		float mEffectsVolume = kStartVolume;
		float mMusicVolume = kStartVolume;

	private:
		void Play( const std::string& path, Platform::ChannelGroup* group, const char* what );
		void StepVolume( float& volume, float step, Platform::ChannelGroup* group, const char* what );
		void OnFocusLost();
		void OnFocusGained();

		std::unique_ptr<Platform::AudioSystem> mSystem;
		std::map<std::string, SoundEntry> mSounds;
		Platform::ChannelGroup* mBackgroundGroup = nullptr;
		Platform::ChannelGroup* mEffectsGroup = nullptr;
		bool mBackgroundMuted = false;
		bool mEffectsMuted = false;
		bool mFading = false;
		bool mFadeDown = false;
		bool mFadeUp = false;
		float mFadeTarget = 0.0f;
		Platform::Channel mFadeChannel;
		bool mSubscribed = false;
		std::set<std::string> mUnknownPaths;
	};
}
