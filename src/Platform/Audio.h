#pragma once

#include "core/Noncopyable.h"

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

struct Mix_Chunk;

namespace Platform
{
	// The sound side of the machine: one system, sounds decoded into memory, playbacks on
	// mixer channels and named channel groups with their own volume and mute. Built on
	// SDL2_mixer; under SDL's dummy audio driver everything runs the same and is heard by
	// nobody, which is how --headless and the tests use it.

	// What every audio call gives back: success, printed as 0, or the reason it failed.
	class AudioResult
	{
	public:
		AudioResult() = default;
		static AudioResult Failure( std::string reason );

		bool Ok() const { return mReason.empty(); }
		const std::string& Reason() const { return mReason; }

	private:
		std::string mReason;
	};
	std::ostream& operator<<( std::ostream& out, const AudioResult& result );

	// Mode bits of a sound; a looping sound repeats until its playback is stopped.
	enum AudioMode : uint32_t
	{
		kAudioLoopOff = 1,
		kAudioLoopNormal = 2,
	};

	class AudioSystem;
	class ChannelGroup;

	// Samples of one file, owned by the system that created them.
	class Sound : private Tarn::Noncopyable
	{
	public:
		AudioResult SetMode( uint32_t mode );
		uint32_t GetMode() const { return mMode; }
		const std::string& GetPath() const { return mPath; }
		// Length of the decoded samples.
		double GetSeconds() const;

	private:
		friend class AudioSystem;
		Sound( std::string path, Mix_Chunk* chunk ) : mPath( std::move( path ) ), mChunk( chunk ) {}

		std::string mPath;
		Mix_Chunk* mChunk = nullptr;
		uint32_t mMode = kAudioLoopOff;
	};

	// A handle on one playback. It stays safe to use after the playback has ended or its
	// mixer channel was given to another: every call then fails with a reason, and
	// IsPlaying answers false. A default handle names no playback.
	class Channel
	{
	public:
		Channel() = default;

		AudioResult IsPlaying( bool& playing ) const;
		AudioResult Stop() const;
		AudioResult SetChannelGroup( ChannelGroup* group ) const;
		AudioResult GetChannelGroup( ChannelGroup*& group ) const;
		// The playback's own volume, 0 and up; its group's volume and mute scale it.
		AudioResult SetVolume( float volume ) const;
		AudioResult GetVolume( float& volume ) const;
		AudioResult SetPaused( bool paused ) const;
		AudioResult GetPaused( bool& paused ) const;
		// What the mixer is told to play at, 0 to 1: own volume × group volume, 0 while
		// the group is muted.
		AudioResult GetAudibleVolume( float& volume ) const;

		bool IsNull() const { return mId == 0; }
		uint32_t Id() const { return mId; }
		bool operator==( const Channel& other ) const { return mSystem == other.mSystem && mId == other.mId; }

	private:
		friend class AudioSystem;
		Channel( AudioSystem* system, uint32_t id ) : mSystem( system ), mId( id ) {}

		AudioSystem* mSystem = nullptr;
		uint32_t mId = 0;
	};

	class ChannelGroup : private Tarn::Noncopyable
	{
	public:
		AudioResult SetMute( bool mute );
		AudioResult GetMute( bool& mute ) const;
		AudioResult SetVolume( float volume );
		AudioResult GetVolume( float& volume ) const;
		const std::string& GetName() const { return mName; }

	private:
		friend class AudioSystem;
		friend class Channel;
		ChannelGroup( AudioSystem* system, std::string name ) : mSystem( system ), mName( std::move( name ) ) {}

		AudioSystem* mSystem;
		std::string mName;
		float mVolume = 1.0f;
		bool mMute = false;
	};

	class AudioSystem : private Tarn::Noncopyable
	{
	public:
		AudioSystem();
		~AudioSystem();

		// Opens the audio device with `channels` mixer channels. When no device can be
		// opened the system falls back to SDL's dummy driver and says so in
		// GetFallbackReason; the game then runs silent but the same.
		AudioResult Init( int channels );
		AudioResult CreateChannelGroup( const std::string& name, ChannelGroup*& group );
		// Decodes the whole file. On failure `sound` is null.
		AudioResult CreateSound( const std::string& path, Sound*& sound );
		// Starts `sound` on a free mixer channel (the oldest playback gives way when none is
		// free) in `group`, or in no group when it is null. On failure `channel` is null.
		AudioResult PlaySound( Sound* sound, ChannelGroup* group, bool paused, Channel& channel );
		// Lets go of playbacks that have ended.
		AudioResult Update();
		// Stops every playback of the sound and frees it; `sound` is no longer valid.
		AudioResult ReleaseSound( Sound* sound );
		// Stops everything, frees every sound and group and closes the device.
		AudioResult Close();

		bool IsOpen() const { return mOpen; }
		const std::string& GetDriverName() const { return mDriver; }
		const std::string& GetFallbackReason() const { return mFallbackReason; }
		// Playbacks started since Init.
		uint64_t GetPlaybackCount() const { return mPlaybackCount; }

	private:
		friend class Channel;
		friend class ChannelGroup;
		friend class Sound;

		struct Slot
		{
			uint32_t mGeneration = 0;
			Sound* mSound = nullptr;  // null while the slot holds no playback
			ChannelGroup* mGroup = nullptr;
			float mVolume = 1.0f;
			bool mPaused = false;
			uint64_t mStarted = 0;  // playback count at its start: the oldest gives way first
		};

		// The slot of a live playback, or null with the reason in `result`.
		Slot* Find( uint32_t id, AudioResult& result );
		const Slot* Find( uint32_t id, AudioResult& result ) const;
		float AudibleVolume( const Slot& slot ) const;
		void ApplyVolume( int index );
		void ApplyGroup( const ChannelGroup* group );
		int FreeSlot();
		bool OpenDevice( std::string& reason );

		std::vector<Slot> mSlots;
		std::vector<std::unique_ptr<Sound>> mSounds;
		std::vector<std::unique_ptr<ChannelGroup>> mGroups;
		bool mSubsystem = false;
		bool mOpen = false;
		std::string mDriver;
		std::string mFallbackReason;
		uint64_t mPlaybackCount = 0;
	};
}
