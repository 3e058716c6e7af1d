#include "GameStates/SoundManager.h"

#include "Core/GameTime.h"
#include "Core/GameWindow/GameWindow.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"
#include "core/MathConstants.h"
#include "core/Services.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>

namespace Tarn
{
	namespace
	{
		using Platform::AudioResult;

		bool SameIgnoringCase( const std::string& a, const std::string& b )
		{
			return a.size() == b.size() && std::equal( a.begin(), a.end(), b.begin(), []( char x, char y ) {
				       return std::tolower( static_cast<unsigned char>( x ) ) == std::tolower( static_cast<unsigned char>( y ) );
			       } );
		}

		// The nearest step of the options' volume scale from 0 to 1.
		float OnVolumeScale( float value )
		{
			return std::clamp( std::round( value / SoundManager::kVolumeStep ) * SoundManager::kVolumeStep, 0.0f, 1.0f );
		}

		// The audio library's own report line; players never see it, developers read it
		// on the console when a sound stays silent.
		void Report( const char* what, const AudioResult& result )
		{
			std::cout << what << result << '\n';
		}
	}

	SoundManager::SoundManager( Game* game ) : GameComponent( game ) {}

	SoundManager::~SoundManager()
	{
		if ( mSystem || mSubscribed )
			Shutdown();
	}

	void SoundManager::Initialise()
	{
		if ( mSystem )
		{
			LOG_WARNING( "The sound manager is already initialised; its sounds stay as they are." );
			return;
		}
		mSystem = std::make_unique<Platform::AudioSystem>();
		const AudioResult init = mSystem->Init( kChannels );
		Report( "Init: ", init );
		if ( !init.Ok() )
			LOG_ERROR( "No sound: " << init.Reason() );
		else if ( !mSystem->GetFallbackReason().empty() )
			LOG_WARNING( "No audio device (" << mSystem->GetFallbackReason() << "): the game runs silent." );

		Report( "Create background channel: ", mSystem->CreateChannelGroup( "Background", mBackgroundGroup ) );
		Report( "Create effects channel: ", mSystem->CreateChannelGroup( "Effects", mEffectsGroup ) );
		// The options menu shows these volumes from the start, so the mix has to be at
		// them too: otherwise its first step up would make the game quieter.
		if ( mBackgroundGroup )
			mBackgroundGroup->SetVolume( mMusicVolume );
		if ( mEffectsGroup )
			mEffectsGroup->SetVolume( mEffectsVolume );

		for ( const SoundTableEntry& entry : SoundTable() )
			LoadSound( entry.mPath, entry.mGroup, entry.mLoop );
		// The scripted levels name further effects under "resource/sound/"; those not in the
		// table are loaded here under their own spelling, so that playing them later finds
		// a sound instead of nothing.
		for ( const char* path : ScriptedLevelSounds() )
		{
			const std::string key = path;
			const bool known = std::any_of( mSounds.begin(), mSounds.end(),
			                                [&key]( const auto& sound ) { return SameIgnoringCase( sound.first, key ); } );
			if ( !known )
				LoadSound( key, SoundGroup::Effects, false );
		}
		std::cout.flush();

		mFading = false;

		if ( GameWindow* window = Services::Get<GameWindow>() )
		{
			window->mOnFocusLost.Subscribe( this, &SoundManager::OnFocusLost );
			window->mOnFocusGained.Subscribe( this, &SoundManager::OnFocusGained );
			mSubscribed = true;
		}
		else
			LOG_WARNING( "The sound manager found no game window: the sound will not follow the window's focus." );
	}

	void SoundManager::LoadSound( const std::string& path, SoundGroup group, bool loop )
	{
		const bool music = group == SoundGroup::Background;
		const std::string prefix = music ? "LoadSoundBackground - " : "LoadSoundEffect - ";
		if ( !mSystem )
		{
			LOG_ERROR( "Sound '" << path << "' cannot be loaded before the sound manager is initialised." );
			return;
		}

		Platform::Sound* sound = nullptr;
		Platform::Channel channel;
		Report( ( prefix + "createSound: " ).c_str(), mSystem->CreateSound( FileSystem::ResolvePath( path ), sound ) );
		Report( ( prefix + "playSound: " ).c_str(), mSystem->PlaySound( sound, nullptr, true, channel ) );
		Report( ( prefix + "setChannelGroup: " ).c_str(), channel.SetChannelGroup( music ? mBackgroundGroup : mEffectsGroup ) );
		Report( ( prefix + "stop: " ).c_str(), channel.Stop() );

		auto existing = mSounds.find( path );
		if ( existing != mSounds.end() && existing->second.first )
			mSystem->ReleaseSound( existing->second.first );
		mSounds[path] = SoundEntry( sound, channel );

		if ( !sound )
		{
			LOG_WARNING( "Sound '" << path << "' is missing or broken: it plays nothing." );
			return;
		}
		if ( loop )
			sound->SetMode( Platform::kAudioLoopNormal );
	}

	SoundManager::SoundEntry* SoundManager::GetSound( const std::string& path )
	{
		const auto exact = mSounds.find( path );
		if ( exact != mSounds.end() )
			return &exact->second;
		const std::string wanted = FileSystem::NormalisePath( path );
		for ( auto& [key, entry] : mSounds )
			if ( SameIgnoringCase( key, wanted ) )
				return &entry;
		return nullptr;
	}

	void SoundManager::Play( const std::string& path, Platform::ChannelGroup* group, const char* what )
	{
		SoundEntry* entry = GetSound( path );
		if ( !entry )
		{
			// Once per path: game code may ask every frame.
			if ( mUnknownPaths.insert( path ).second )
				LOG_WARNING( what << ": no sound is loaded under '" << path << "'." );
			return;
		}
		if ( !mSystem || !entry->first )
			return;  // a missing file was reported when it was loaded
		Platform::Channel channel;
		if ( mSystem->PlaySound( entry->first, group, false, channel ).Ok() )
			entry->second = channel;
	}

	void SoundManager::PlaySoundEffect( const std::string& path, bool always )
	{
		if ( !always )
		{
			if ( SoundEntry* entry = GetSound( path ) )
			{
				bool playing = false;
				entry->second.IsPlaying( playing );
				if ( playing )
					return;
			}
		}
		Play( path, mEffectsGroup, "PlaySoundEffect" );
	}

	void SoundManager::PlayMusic( const std::string& path )
	{
		Play( path, mBackgroundGroup, "PlayMusic" );
	}

	void SoundManager::StopSound( const std::string& path )
	{
		if ( SoundEntry* entry = GetSound( path ) )
			entry->second.Stop();
	}

	void SoundManager::PauseSound( const std::string& path, bool paused )
	{
		if ( SoundEntry* entry = GetSound( path ) )
			entry->second.SetPaused( paused );
	}

	void SoundManager::SetPlaybackVolume( const std::string& path, float volume )
	{
		if ( SoundEntry* entry = GetSound( path ) )
			entry->second.SetVolume( volume );
	}

	void SoundManager::MuteAll()
	{
		if ( mBackgroundGroup )
			mBackgroundGroup->SetMute( true );
		if ( mEffectsGroup )
			mEffectsGroup->SetMute( true );
		mBackgroundMuted = true;
		mEffectsMuted = true;
	}

	void SoundManager::UnmuteAll()
	{
		if ( mBackgroundGroup )
			mBackgroundGroup->SetMute( false );
		if ( mEffectsGroup )
			mEffectsGroup->SetMute( false );
		mBackgroundMuted = false;
		mEffectsMuted = false;
	}

	void SoundManager::MuteMusic()
	{
		if ( mBackgroundGroup )
			mBackgroundGroup->SetMute( true );
		mBackgroundMuted = true;
	}

	void SoundManager::UnmuteMusic()
	{
		if ( mBackgroundGroup )
			mBackgroundGroup->SetMute( false );
		mBackgroundMuted = false;
	}

	void SoundManager::Fade( const std::string& path, float target )
	{
		mFading = true;
		mFadeTarget = target;
		mFadeDown = false;
		mFadeUp = false;
		// A path without a sound leaves nothing to fade: the next update ends the fade
		// rather than moving whatever was faded before.
		const SoundEntry* entry = GetSound( path );
		mFadeChannel = entry ? entry->second : Platform::Channel();
		float volume = 0.0f;
		if ( !mFadeChannel.GetVolume( volume ).Ok() )
			return;
		if ( volume > target )
			mFadeDown = true;
		else if ( volume < target )
			mFadeUp = true;
	}

	void SoundManager::Update( GameTime& gameTime )
	{
		if ( mFading )
		{
			const float step = gameTime.ElapsedSeconds;
			float volume = 0.0f;
			if ( !mFadeChannel.GetVolume( volume ).Ok() )
				mFading = false;  // the playback has ended: nothing left to fade
			else if ( mFadeDown && volume > mFadeTarget )
				mFadeChannel.SetVolume( volume - step );
			else if ( mFadeUp && volume < mFadeTarget )
				mFadeChannel.SetVolume( volume + step );
			else
				mFading = false;
		}
		if ( mSystem )
			mSystem->Update();
	}

	void SoundManager::StepVolume( float& volume, float step, Platform::ChannelGroup* group, const char* what )
	{
		// Each step lands on the scale itself: float sums of 0.2 drift, and a drifted
		// volume would stop a hair above silence or step once past full.
		if ( step > 0.0f && volume < 1.0f )
			volume = OnVolumeScale( volume + step );
		else if ( step < 0.0f && volume > Tarn::kFloatEpsilon )
			volume = OnVolumeScale( volume + step );
		if ( !group )
			return;
		const AudioResult result = group->SetVolume( volume );
		if ( !result.Ok() )
			LOG_WARNING( what << " volume: " << result.Reason() );
	}

	void SoundManager::RaiseEffectsVolume()
	{
		StepVolume( mEffectsVolume, kVolumeStep, mEffectsGroup, "Effects" );
	}

	void SoundManager::LowerEffectsVolume()
	{
		StepVolume( mEffectsVolume, -kVolumeStep, mEffectsGroup, "Effects" );
	}

	void SoundManager::RaiseMusicVolume()
	{
		StepVolume( mMusicVolume, kVolumeStep, mBackgroundGroup, "Music" );
	}

	void SoundManager::LowerMusicVolume()
	{
		StepVolume( mMusicVolume, -kVolumeStep, mBackgroundGroup, "Music" );
	}

	void SoundManager::SetEffectsVolume( float volume )
	{
		mEffectsVolume = OnVolumeScale( volume );
		StepVolume( mEffectsVolume, 0.0f, mEffectsGroup, "Effects" );
	}

	void SoundManager::SetMusicVolume( float volume )
	{
		mMusicVolume = OnVolumeScale( volume );
		StepVolume( mMusicVolume, 0.0f, mBackgroundGroup, "Music" );
	}

	void SoundManager::OnFocusLost()
	{
		MuteAll();
	}

	void SoundManager::OnFocusGained()
	{
		UnmuteAll();
	}

	void SoundManager::Shutdown()
	{
		if ( mSystem )
		{
			for ( auto& [path, entry] : mSounds )
				if ( entry.first )
					mSystem->ReleaseSound( entry.first );
		}
		mSounds.clear();
		mFading = false;
		mFadeChannel = Platform::Channel();
		mBackgroundGroup = nullptr;
		mEffectsGroup = nullptr;
		if ( mSystem )
		{
			mSystem->Close();
			mSystem.reset();
		}
		if ( mSubscribed )
		{
			if ( GameWindow* window = Services::Get<GameWindow>() )
			{
				window->mOnFocusLost.Unsubscribe( this, &SoundManager::OnFocusLost );
				window->mOnFocusGained.Unsubscribe( this, &SoundManager::OnFocusGained );
			}
			mSubscribed = false;
		}
	}
}
