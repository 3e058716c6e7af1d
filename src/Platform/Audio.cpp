#include "Platform/Audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Platform
{
	namespace
	{
		constexpr int kRate = 44100;
		constexpr int kMaxChannels = 255;  // a channel's index has to fit in the low byte of its id

		uint32_t MakeId( uint32_t generation, int index ) { return ( generation << 8 ) | uint32_t( index + 1 ); }
		int IndexOf( uint32_t id ) { return int( id & 0xFFu ) - 1; }
		uint32_t GenerationOf( uint32_t id ) { return id >> 8; }

		AudioResult NotOpen() { return AudioResult::Failure( "the audio device is not open" ); }

		// The mixer marks a channel paused with the tick count of the pause, so a pause in
		// the first millisecond after SDL started would not hold.
		bool Pause( int index )
		{
			while ( SDL_GetTicks() == 0 )
				SDL_Delay( 1 );
			Mix_Pause( index );
			return Mix_Paused( index ) != 0;
		}
	}

	AudioResult AudioResult::Failure( std::string reason )
	{
		AudioResult result;
		result.mReason = reason.empty() ? "unknown audio error" : std::move( reason );
		return result;
	}

	std::ostream& operator<<( std::ostream& out, const AudioResult& result )
	{
		if ( result.Ok() )
			return out << 0;
		return out << result.Reason();
	}

	// ---- Sound

	AudioResult Sound::SetMode( uint32_t mode )
	{
		if ( ( mode & kAudioLoopNormal ) && ( mode & kAudioLoopOff ) )
			return AudioResult::Failure( "a sound cannot both loop and not loop" );
		mMode = mode;
		if ( !( mMode & ( kAudioLoopNormal | kAudioLoopOff ) ) )
			mMode |= kAudioLoopOff;
		return AudioResult();
	}

	double Sound::GetSeconds() const
	{
		int rate = 0, channels = 0;
		Uint16 format = 0;
		if ( !mChunk || Mix_QuerySpec( &rate, &format, &channels ) == 0 || rate <= 0 || channels <= 0 )
			return 0.0;
		const int bytes = SDL_AUDIO_BITSIZE( format ) / 8;
		return double( mChunk->alen ) / ( double( rate ) * channels * std::max( bytes, 1 ) );
	}

	// ---- Channel

	AudioResult Channel::IsPlaying( bool& playing ) const
	{
		playing = false;
		if ( !mSystem )
			return AudioResult::Failure( "invalid channel handle" );
		AudioResult result;
		playing = mSystem->Find( mId, result ) != nullptr;
		return result;
	}

	AudioResult Channel::Stop() const
	{
		if ( !mSystem )
			return AudioResult::Failure( "invalid channel handle" );
		AudioResult result;
		if ( AudioSystem::Slot* slot = mSystem->Find( mId, result ) )
		{
			Mix_HaltChannel( IndexOf( mId ) );
			slot->mSound = nullptr;
			slot->mGroup = nullptr;
		}
		return result;
	}

	AudioResult Channel::SetChannelGroup( ChannelGroup* group ) const
	{
		if ( !mSystem )
			return AudioResult::Failure( "invalid channel handle" );
		if ( group && group->mSystem != mSystem )
			return AudioResult::Failure( "the channel group belongs to another audio system" );
		AudioResult result;
		if ( AudioSystem::Slot* slot = mSystem->Find( mId, result ) )
		{
			slot->mGroup = group;
			mSystem->ApplyVolume( IndexOf( mId ) );
		}
		return result;
	}

	AudioResult Channel::GetChannelGroup( ChannelGroup*& group ) const
	{
		group = nullptr;
		if ( !mSystem )
			return AudioResult::Failure( "invalid channel handle" );
		AudioResult result;
		if ( const AudioSystem::Slot* slot = mSystem->Find( mId, result ) )
			group = slot->mGroup;
		return result;
	}

	AudioResult Channel::SetVolume( float volume ) const
	{
		if ( !mSystem )
			return AudioResult::Failure( "invalid channel handle" );
		if ( std::isnan( volume ) )
			return AudioResult::Failure( "the volume is not a number" );
		AudioResult result;
		if ( AudioSystem::Slot* slot = mSystem->Find( mId, result ) )
		{
			slot->mVolume = std::max( volume, 0.0f );
			mSystem->ApplyVolume( IndexOf( mId ) );
		}
		return result;
	}

	AudioResult Channel::GetVolume( float& volume ) const
	{
		volume = 0.0f;
		if ( !mSystem )
			return AudioResult::Failure( "invalid channel handle" );
		AudioResult result;
		if ( const AudioSystem::Slot* slot = mSystem->Find( mId, result ) )
			volume = slot->mVolume;
		return result;
	}

	AudioResult Channel::SetPaused( bool paused ) const
	{
		if ( !mSystem )
			return AudioResult::Failure( "invalid channel handle" );
		AudioResult result;
		if ( AudioSystem::Slot* slot = mSystem->Find( mId, result ) )
		{
			if ( !paused )
				Mix_Resume( IndexOf( mId ) );
			else if ( !Pause( IndexOf( mId ) ) )
				return AudioResult::Failure( "the mixer did not pause the channel" );
			slot->mPaused = paused;
		}
		return result;
	}

	AudioResult Channel::GetPaused( bool& paused ) const
	{
		paused = false;
		if ( !mSystem )
			return AudioResult::Failure( "invalid channel handle" );
		AudioResult result;
		if ( const AudioSystem::Slot* slot = mSystem->Find( mId, result ) )
			paused = slot->mPaused;
		return result;
	}

	AudioResult Channel::GetAudibleVolume( float& volume ) const
	{
		volume = 0.0f;
		if ( !mSystem )
			return AudioResult::Failure( "invalid channel handle" );
		AudioResult result;
		if ( mSystem->Find( mId, result ) )
			volume = float( Mix_Volume( IndexOf( mId ), -1 ) ) / float( MIX_MAX_VOLUME );
		return result;
	}

	// ---- ChannelGroup

	AudioResult ChannelGroup::SetMute( bool mute )
	{
		mMute = mute;
		mSystem->ApplyGroup( this );
		return AudioResult();
	}

	AudioResult ChannelGroup::GetMute( bool& mute ) const
	{
		mute = mMute;
		return AudioResult();
	}

	AudioResult ChannelGroup::SetVolume( float volume )
	{
		if ( std::isnan( volume ) )
			return AudioResult::Failure( "the volume is not a number" );
		mVolume = std::max( volume, 0.0f );
		mSystem->ApplyGroup( this );
		return AudioResult();
	}

	AudioResult ChannelGroup::GetVolume( float& volume ) const
	{
		volume = mVolume;
		return AudioResult();
	}

	// ---- AudioSystem

	AudioSystem::AudioSystem() = default;

	AudioSystem::~AudioSystem()
	{
		Close();
	}

	bool AudioSystem::OpenDevice( std::string& reason )
	{
		if ( SDL_InitSubSystem( SDL_INIT_AUDIO ) != 0 )
		{
			reason = SDL_GetError();
			return false;
		}
		// Without the MP3 decoder the music fails to load, each file with its reason.
		Mix_Init( MIX_INIT_MP3 );
		if ( Mix_OpenAudio( kRate, AUDIO_S16SYS, 2, 1024 ) != 0 )
		{
			reason = Mix_GetError();
			Mix_Quit();
			SDL_QuitSubSystem( SDL_INIT_AUDIO );
			return false;
		}
		mSubsystem = true;
		return true;
	}

	AudioResult AudioSystem::Init( int channels )
	{
		if ( mOpen )
			return AudioResult::Failure( "the audio system is already initialised" );
		if ( channels < 1 || channels > kMaxChannels )
			return AudioResult::Failure( "the channel count must lie between 1 and " + std::to_string( kMaxChannels ) );

		std::string reason;
		if ( !OpenDevice( reason ) )
		{
			// A machine without a sound card still runs the game: the dummy driver mixes
			// in real time and nobody hears it.
			const char* driver = SDL_GetHint( SDL_HINT_AUDIODRIVER );
			if ( driver && std::strcmp( driver, "dummy" ) == 0 )
				return AudioResult::Failure( "cannot open an audio device: " + reason );
			SDL_SetHintWithPriority( SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE );
			std::string dummyReason;
			const bool opened = OpenDevice( dummyReason );
			SDL_ResetHint( SDL_HINT_AUDIODRIVER );
			if ( !opened )
				return AudioResult::Failure( "cannot open an audio device: " + reason + "; nor the silent one: " + dummyReason );
			mFallbackReason = reason;
		}
		mOpen = true;
		const int allocated = Mix_AllocateChannels( channels );
		mSlots.assign( size_t( std::max( allocated, 0 ) ), Slot() );
		if ( const char* driver = SDL_GetCurrentAudioDriver() )
			mDriver = driver;
		mPlaybackCount = 0;
		if ( allocated != channels )
			return AudioResult::Failure( "the mixer gave " + std::to_string( allocated ) + " channels of " + std::to_string( channels ) );
		return AudioResult();
	}

	AudioResult AudioSystem::CreateChannelGroup( const std::string& name, ChannelGroup*& group )
	{
		group = nullptr;
		if ( !mOpen )
			return NotOpen();
		mGroups.push_back( std::unique_ptr<ChannelGroup>( new ChannelGroup( this, name ) ) );
		group = mGroups.back().get();
		return AudioResult();
	}

	AudioResult AudioSystem::CreateSound( const std::string& path, Sound*& sound )
	{
		sound = nullptr;
		if ( !mOpen )
			return NotOpen();
		SDL_RWops* file = SDL_RWFromFile( path.c_str(), "rb" );
		if ( !file )
			return AudioResult::Failure( "cannot load '" + path + "': " + SDL_GetError() );
		Mix_Chunk* chunk = Mix_LoadWAV_RW( file, 1 );
		if ( !chunk )
			return AudioResult::Failure( "cannot load '" + path + "': " + Mix_GetError() );
		if ( chunk->alen == 0 )
		{
			Mix_FreeChunk( chunk );
			return AudioResult::Failure( "'" + path + "' holds no samples" );
		}
		mSounds.push_back( std::unique_ptr<Sound>( new Sound( path, chunk ) ) );
		sound = mSounds.back().get();
		return AudioResult();
	}

	int AudioSystem::FreeSlot()
	{
		int oldest = -1;
		for ( int i = 0; i < int( mSlots.size() ); ++i )
		{
			if ( !mSlots[i].mSound || !Mix_Playing( i ) )
				return i;
			if ( oldest < 0 || mSlots[i].mStarted < mSlots[oldest].mStarted )
				oldest = i;
		}
		if ( oldest >= 0 )
			Mix_HaltChannel( oldest );
		return oldest;
	}

	AudioResult AudioSystem::PlaySound( Sound* sound, ChannelGroup* group, bool paused, Channel& channel )
	{
		channel = Channel();
		if ( !mOpen )
			return NotOpen();
		const bool known = std::any_of( mSounds.begin(), mSounds.end(), [sound]( const auto& s ) { return s.get() == sound; } );
		if ( !sound || !known )
			return AudioResult::Failure( "invalid sound" );
		if ( group && group->mSystem != this )
			return AudioResult::Failure( "the channel group belongs to another audio system" );
		const int index = FreeSlot();
		if ( index < 0 )
			return AudioResult::Failure( "no mixer channels" );

		Slot& slot = mSlots[size_t( index )];
		slot.mGeneration = ( slot.mGeneration + 1 ) & 0xFFFFFFu;
		if ( slot.mGeneration == 0 )
			slot.mGeneration = 1;
		slot.mSound = sound;
		slot.mGroup = group;
		slot.mVolume = 1.0f;
		slot.mPaused = paused;
		slot.mStarted = ++mPlaybackCount;

		// A playback that starts paused must not be heard for the moment before the pause.
		Mix_Volume( index, 0 );
		const int loops = ( sound->mMode & kAudioLoopNormal ) ? -1 : 0;
		if ( Mix_PlayChannel( index, sound->mChunk, loops ) < 0 )
		{
			slot.mSound = nullptr;
			slot.mGroup = nullptr;
			return AudioResult::Failure( std::string( "cannot play '" ) + sound->mPath + "': " + Mix_GetError() );
		}
		if ( paused && !Pause( index ) )
		{
			Mix_HaltChannel( index );
			slot.mSound = nullptr;
			slot.mGroup = nullptr;
			return AudioResult::Failure( std::string( "cannot start '" ) + sound->mPath + "' paused" );
		}
		ApplyVolume( index );
		channel = Channel( this, MakeId( slot.mGeneration, index ) );
		return AudioResult();
	}

	AudioResult AudioSystem::Update()
	{
		if ( !mOpen )
			return NotOpen();
		for ( int i = 0; i < int( mSlots.size() ); ++i )
		{
			if ( mSlots[i].mSound && !Mix_Playing( i ) )
			{
				mSlots[i].mSound = nullptr;
				mSlots[i].mGroup = nullptr;
			}
		}
		return AudioResult();
	}

	AudioResult AudioSystem::ReleaseSound( Sound* sound )
	{
		const auto it = std::find_if( mSounds.begin(), mSounds.end(), [sound]( const auto& s ) { return s.get() == sound; } );
		if ( !sound || it == mSounds.end() )
			return AudioResult::Failure( "invalid sound" );
		for ( int i = 0; i < int( mSlots.size() ); ++i )
		{
			if ( mSlots[i].mSound == sound )
			{
				Mix_HaltChannel( i );
				mSlots[i].mSound = nullptr;
				mSlots[i].mGroup = nullptr;
			}
		}
		Mix_FreeChunk( sound->mChunk );
		mSounds.erase( it );
		return AudioResult();
	}

	AudioResult AudioSystem::Close()
	{
		if ( !mOpen && !mSubsystem )
			return NotOpen();
		if ( mOpen )
		{
			Mix_HaltChannel( -1 );
			for ( const auto& sound : mSounds )
				Mix_FreeChunk( sound->mChunk );
		}
		mSounds.clear();
		mGroups.clear();
		mSlots.clear();
		if ( mSubsystem )
		{
			Mix_CloseAudio();
			Mix_Quit();
			SDL_QuitSubSystem( SDL_INIT_AUDIO );
			mSubsystem = false;
		}
		mOpen = false;
		return AudioResult();
	}

	AudioSystem::Slot* AudioSystem::Find( uint32_t id, AudioResult& result )
	{
		const Slot* slot = static_cast<const AudioSystem*>( this )->Find( id, result );
		Slot* found = const_cast<Slot*>( slot );
		// A playback that ended on its own gives its slot back at once.
		if ( !found && !result.Ok() && id != 0 )
		{
			const int index = IndexOf( id );
			if ( index >= 0 && index < int( mSlots.size() ) && mSlots[size_t( index )].mGeneration == GenerationOf( id ) &&
			     mSlots[size_t( index )].mSound && !Mix_Playing( index ) )
			{
				mSlots[size_t( index )].mSound = nullptr;
				mSlots[size_t( index )].mGroup = nullptr;
			}
		}
		return found;
	}

	const AudioSystem::Slot* AudioSystem::Find( uint32_t id, AudioResult& result ) const
	{
		result = AudioResult();
		if ( !mOpen )
		{
			result = NotOpen();
			return nullptr;
		}
		const int index = IndexOf( id );
		if ( id == 0 || index < 0 || index >= int( mSlots.size() ) )
		{
			result = AudioResult::Failure( "invalid channel handle" );
			return nullptr;
		}
		const Slot& slot = mSlots[size_t( index )];
		if ( slot.mGeneration != GenerationOf( id ) || !slot.mSound || !Mix_Playing( index ) )
		{
			result = AudioResult::Failure( "the channel's playback has ended" );
			return nullptr;
		}
		return &slot;
	}

	float AudioSystem::AudibleVolume( const Slot& slot ) const
	{
		float volume = slot.mVolume;
		if ( slot.mGroup )
		{
			if ( slot.mGroup->mMute )
				return 0.0f;
			volume *= slot.mGroup->mVolume;
		}
		return std::clamp( volume, 0.0f, 1.0f );
	}

	void AudioSystem::ApplyVolume( int index )
	{
		const Slot& slot = mSlots[size_t( index )];
		Mix_Volume( index, int( std::lround( AudibleVolume( slot ) * MIX_MAX_VOLUME ) ) );
	}

	void AudioSystem::ApplyGroup( const ChannelGroup* group )
	{
		if ( !mOpen )
			return;
		for ( int i = 0; i < int( mSlots.size() ); ++i )
			if ( mSlots[size_t( i )].mSound && mSlots[size_t( i )].mGroup == group )
				ApplyVolume( i );
	}
}
