#include "Platform/ContentProbe.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <algorithm>

namespace Platform
{
	namespace
	{
		constexpr int kProbeRate = 44100;

		// Opens an audio device for one probe and closes it again, so a probe leaves
		// SDL as it found it. Decoding needs no sound card: unless the program has
		// already started audio, the probe runs on SDL's dummy driver, so it works on
		// a machine without one whatever the environment asks for.
		class AudioSession
		{
		public:
			AudioSession()
			{
				const bool started = SDL_WasInit( SDL_INIT_AUDIO ) != 0;
				if ( !started )
					SDL_SetHintWithPriority( SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE );
				const int result = SDL_InitSubSystem( SDL_INIT_AUDIO );
				if ( !started )
					SDL_ResetHint( SDL_HINT_AUDIODRIVER );
				if ( result != 0 )
				{
					mError = SDL_GetError();
					return;
				}
				mSubsystem = true;
				Mix_Init( MIX_INIT_MP3 );
				if ( Mix_OpenAudio( kProbeRate, AUDIO_S16SYS, 2, 1024 ) != 0 )
				{
					mError = Mix_GetError();
					return;
				}
				mOpen = true;
			}
			~AudioSession()
			{
				if ( mOpen )
					Mix_CloseAudio();
				if ( mSubsystem )
				{
					Mix_Quit();
					SDL_QuitSubSystem( SDL_INIT_AUDIO );
				}
			}
			AudioSession( const AudioSession& ) = delete;
			AudioSession& operator=( const AudioSession& ) = delete;

			bool IsOpen() const { return mOpen; }
			const std::string& Error() const { return mError; }

		private:
			bool mSubsystem = false;
			bool mOpen = false;
			std::string mError;
		};
	}

	ImageProbe ProbeImage( const std::string& path )
	{
		ImageProbe probe;
		SDL_Surface* surface = IMG_Load( path.c_str() );
		if ( !surface )
		{
			probe.mError = IMG_GetError();
			return probe;
		}
		probe.mDecoded = true;
		probe.mWidth = surface->w;
		probe.mHeight = surface->h;
		probe.mHasAlpha = surface->format->Amask != 0;
		if ( SDL_Surface* rgba = SDL_ConvertSurfaceFormat( surface, SDL_PIXELFORMAT_RGBA32, 0 ) )
		{
			SDL_LockSurface( rgba );
			const auto* pixels = static_cast<const Uint8*>( rgba->pixels );
			const int corners[4][2] = { { 0, 0 }, { rgba->w - 1, 0 }, { 0, rgba->h - 1 }, { rgba->w - 1, rgba->h - 1 } };
			for ( const auto& corner : corners )
			{
				const Uint8 alpha = pixels[corner[1] * rgba->pitch + corner[0] * 4 + 3];
				probe.mCornerAlpha = std::max( probe.mCornerAlpha, int( alpha ) );
			}
			double sums[3] = { 0, 0, 0 }, weight = 0;
			for ( int y = 0; y < rgba->h; ++y )
			{
				const Uint8* row = pixels + y * rgba->pitch;
				for ( int x = 0; x < rgba->w; ++x )
				{
					const double alpha = row[x * 4 + 3] / 255.0;
					for ( int c = 0; c < 3; ++c )
						sums[c] += alpha * row[x * 4 + c] / 255.0;
					weight += alpha;
				}
			}
			if ( weight > 0 )
				for ( int c = 0; c < 3; ++c )
					probe.mMeanColour[c] = sums[c] / weight;
			SDL_UnlockSurface( rgba );
			SDL_FreeSurface( rgba );
		}
		SDL_FreeSurface( surface );
		return probe;
	}

	SoundProbe ProbeSoundEffect( const std::string& path )
	{
		SoundProbe probe;
		AudioSession audio;
		if ( !audio.IsOpen() )
		{
			probe.mError = "audio: " + audio.Error();
			return probe;
		}
		Mix_Chunk* chunk = Mix_LoadWAV( path.c_str() );
		if ( !chunk )
		{
			probe.mError = Mix_GetError();
			return probe;
		}
		probe.mDecoded = chunk->alen > 0;
		// the chunk holds 16-bit stereo at the device rate
		probe.mSeconds = double( chunk->alen ) / ( 4.0 * kProbeRate );
		if ( !probe.mDecoded )
			probe.mError = "no samples";
		Mix_FreeChunk( chunk );
		return probe;
	}

	SoundProbe ProbeMusic( const std::string& path )
	{
		SoundProbe probe;
		AudioSession audio;
		if ( !audio.IsOpen() )
		{
			probe.mError = "audio: " + audio.Error();
			return probe;
		}
		Mix_Music* music = Mix_LoadMUS( path.c_str() );
		if ( !music )
		{
			probe.mError = Mix_GetError();
			return probe;
		}
		probe.mSeconds = Mix_MusicDuration( music );
		probe.mDecoded = probe.mSeconds > 0.0;
		if ( !probe.mDecoded )
			probe.mError = "the decoder reports no length";
		Mix_FreeMusic( music );
		return probe;
	}

	FontProbe ProbeFont( const std::string& path )
	{
		FontProbe probe;
		if ( TTF_Init() != 0 )
		{
			probe.mError = TTF_GetError();
			return probe;
		}
		TTF_Font* font = TTF_OpenFont( path.c_str(), 24 );
		if ( !font )
		{
			probe.mError = TTF_GetError();
			TTF_Quit();
			return probe;
		}
		probe.mOpened = true;
		if ( const char* family = TTF_FontFaceFamilyName( font ) )
			probe.mFamily = family;
		int height = 0;
		if ( TTF_SizeUTF8( font, "Level Complete", &probe.mTextWidth, &height ) != 0 )
			probe.mTextWidth = 0;
		TTF_CloseFont( font );
		TTF_Quit();
		return probe;
	}
}
