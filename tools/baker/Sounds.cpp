#include "Sounds.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>

// Every sound is synthesised: oscillators, filtered noise and envelopes, with fixed
// seeds. Looping sounds hold a whole number of cycles of every oscillator, so the
// loop point cannot click; the music's echoes wrap around its end for the same
// reason.

namespace Baker
{
	namespace
	{
		constexpr double kTau = 6.283185307179586;

		class Noise
		{
		public:
			explicit Noise( uint32_t seed ) : mState( seed | 1u ) {}
			float Next()
			{
				mState ^= mState << 13;
				mState ^= mState >> 17;
				mState ^= mState << 5;
				return float( mState ) / 2147483648.0f - 1.0f;
			}

		private:
			uint32_t mState;
		};

		enum class Wave
		{
			Sine,
			Triangle,
			Square,
			Saw,
		};

		double Oscillator( Wave wave, double phase )
		{
			const double p = phase - std::floor( phase );
			switch ( wave )
			{
			case Wave::Sine: return std::sin( kTau * p );
			case Wave::Triangle: return 4.0 * std::abs( p - 0.5 ) - 1.0;
			case Wave::Square: return p < 0.5 ? 0.7 : -0.7;
			case Wave::Saw: return 2.0 * p - 1.0;
			}
			return 0.0;
		}

		std::vector<float> Silence( double seconds )
		{
			return std::vector<float>( size_t( seconds * kSampleRate ), 0.0f );
		}

		// A tone gliding exponentially from f0 to f1, with a short attack and an
		// exponential decay (`decay` per second; 0 holds the level).
		void Tone( std::vector<float>& out, double start, double length, double f0, double f1, double amplitude,
				   Wave wave, double decay, double attack = 0.005 )
		{
			const size_t begin = size_t( start * kSampleRate );
			const size_t count = size_t( length * kSampleRate );
			double phase = 0.0;
			for ( size_t i = 0; i < count && begin + i < out.size(); ++i )
			{
				const double t = double( i ) / kSampleRate;
				const double f = f0 * std::pow( f1 / f0, t / length );
				phase += f / kSampleRate;
				double envelope = std::exp( -decay * t ) * std::min( 1.0, t / attack );
				const double tail = length - t;
				if ( tail < 0.01 )
					envelope *= tail / 0.01;
				out[begin + i] += float( amplitude * envelope * Oscillator( wave, phase ) );
			}
		}

		// Noise through a one-pole low-pass whose cut-off glides from c0 to c1 (Hz).
		void NoiseBurst( std::vector<float>& out, double start, double length, double amplitude, double c0, double c1,
						 double decay, uint32_t seed, double attack = 0.002 )
		{
			Noise noise( seed );
			const size_t begin = size_t( start * kSampleRate );
			const size_t count = size_t( length * kSampleRate );
			double state = 0.0;
			for ( size_t i = 0; i < count && begin + i < out.size(); ++i )
			{
				const double t = double( i ) / kSampleRate;
				const double cutoff = c0 * std::pow( c1 / c0, t / length );
				const double k = 1.0 - std::exp( -kTau * cutoff / kSampleRate );
				state += k * ( noise.Next() - state );
				double envelope = std::exp( -decay * t ) * std::min( 1.0, t / attack );
				const double tail = length - t;
				if ( tail < 0.01 )
					envelope *= tail / 0.01;
				out[begin + i] += float( amplitude * envelope * state * 2.0 );
			}
		}

		// A bell: a few inharmonic partials that die away at their own rates.
		void Bell( std::vector<float>& out, double start, double frequency, double amplitude, double length )
		{
			const double partials[][3] = { { 1.0, 1.0, 3.0 }, { 2.0, 0.5, 5.0 }, { 2.76, 0.3, 8.0 }, { 5.4, 0.15, 12.0 } };
			for ( auto& p : partials )
				Tone( out, start, length, frequency * p[0], frequency * p[0], amplitude * p[1], Wave::Sine, p[2] );
		}

		void Normalise( std::vector<float>& samples, float peak )
		{
			float largest = 0.0f;
			for ( float s : samples )
				largest = std::max( largest, std::abs( s ) );
			if ( largest > 0.0f )
				for ( float& s : samples )
					s *= peak / largest;
		}

		// A one-shot effect ends in silence, whatever was still ringing when its time
		// ran out, so it cannot click; a loop keeps its ends as they are.
		Audio Mono( std::vector<float> samples, float peak = 0.8f, bool loop = false )
		{
			if ( !loop )
			{
				const size_t fade = std::min( samples.size(), size_t( 0.008 * kSampleRate ) );
				for ( size_t i = 0; i < fade; ++i )
					samples[samples.size() - 1 - i] *= float( i ) / float( fade );
			}
			Normalise( samples, peak );
			Audio audio;
			audio.mLeft = std::move( samples );
			return audio;
		}

		// ---- music

		double NoteFrequency( int midi )
		{
			return 440.0 * std::pow( 2.0, ( midi - 69 ) / 12.0 );
		}

		struct Track
		{
			std::vector<float> mLeft, mRight;
			explicit Track( size_t frames ) : mLeft( frames, 0.0f ), mRight( frames, 0.0f ) {}

			// Adds a note, wrapping past the end so that the piece loops seamlessly.
			void Note( double start, double length, int midi, double amplitude, Wave wave, double decay, double pan,
					   double attack = 0.01, double detune = 0.0 )
			{
				const size_t frames = mLeft.size();
				const size_t begin = size_t( start * kSampleRate );
				const size_t count = size_t( length * kSampleRate );
				const double f = NoteFrequency( midi ) * ( 1.0 + detune );
				const double release = std::min( 0.08, length * 0.3 );
				double phase = 0.0;
				const double l = std::sqrt( 0.5 * ( 1.0 - pan ) ), r = std::sqrt( 0.5 * ( 1.0 + pan ) );
				for ( size_t i = 0; i < count; ++i )
				{
					const double t = double( i ) / kSampleRate;
					phase += f / kSampleRate;
					double envelope = std::exp( -decay * t ) * std::min( 1.0, t / attack );
					if ( length - t < release )
						envelope *= ( length - t ) / release;
					const float v = float( amplitude * envelope * Oscillator( wave, phase ) );
					const size_t at = ( begin + i ) % frames;
					mLeft[at] += v * float( l );
					mRight[at] += v * float( r );
				}
			}

			void Drum( double start, double amplitude, bool kick, uint32_t seed )
			{
				std::vector<float> hit = Silence( kick ? 0.35 : 0.08 );
				if ( kick )
				{
					Tone( hit, 0, 0.35, 120, 40, amplitude, Wave::Sine, 9.0, 0.001 );
					NoiseBurst( hit, 0, 0.02, amplitude * 0.3, 3000, 800, 60, seed );
				}
				else
					NoiseBurst( hit, 0, 0.08, amplitude, 9000, 7000, 45, seed );
				const size_t begin = size_t( start * kSampleRate );
				for ( size_t i = 0; i < hit.size(); ++i )
				{
					const size_t at = ( begin + i ) % mLeft.size();
					mLeft[at] += hit[i];
					mRight[at] += hit[i];
				}
			}

			// A ping-pong echo that wraps around the end of the loop.
			void Echo( double seconds, float feedback )
			{
				const size_t frames = mLeft.size();
				const size_t delay = size_t( seconds * kSampleRate );
				std::vector<float> l = mLeft, r = mRight;
				for ( int pass = 0; pass < 2; ++pass )
					for ( size_t i = 0; i < frames; ++i )
					{
						const size_t from = ( i + frames - delay ) % frames;
						mLeft[i] = l[i] + feedback * mRight[from];
						mRight[i] = r[i] + feedback * mLeft[from];
					}
			}

			Audio Finish()
			{
				float largest = 0.0f;
				for ( size_t i = 0; i < mLeft.size(); ++i )
					largest = std::max( { largest, std::abs( mLeft[i] ), std::abs( mRight[i] ) } );
				const float gain = largest > 0 ? 0.85f / largest : 1.0f;
				Audio audio;
				audio.mChannels = 2;
				audio.mLeft = std::move( mLeft );
				audio.mRight = std::move( mRight );
				for ( float& s : audio.mLeft )
					s *= gain;
				for ( float& s : audio.mRight )
					s *= gain;
				return audio;
			}
		};

		// Chord roots and their minor or major thirds, as MIDI notes.
		struct Chord
		{
			int mRoot;
			bool mMinor;
		};

		Audio MainMenuMusic()
		{
			// Slow and wide: pads and a bell arpeggio over A minor, F, C, G at 90 beats
			// a minute, 24 bars: 64 seconds.
			const double beat = 60.0 / 90.0;
			const int bars = 24;
			Track track( size_t( bars * 4 * beat * kSampleRate ) );
			const Chord chords[] = { { 57, true }, { 53, false }, { 48, false }, { 55, false } };
			for ( int bar = 0; bar < bars; ++bar )
			{
				const Chord chord = chords[bar % 4];
				const double t = bar * 4 * beat;
				const int third = chord.mRoot + ( chord.mMinor ? 3 : 4 );
				const int notes[] = { chord.mRoot, third, chord.mRoot + 7, chord.mRoot + 12 };
				for ( int n : { chord.mRoot, third, chord.mRoot + 7 } )
				{
					track.Note( t, 4 * beat, n, 0.07, Wave::Triangle, 0.0, -0.4, 0.6, -0.002 );
					track.Note( t, 4 * beat, n + 12, 0.05, Wave::Sine, 0.0, 0.4, 0.6, 0.002 );
				}
				track.Note( t, 4 * beat, chord.mRoot - 12, 0.16, Wave::Sine, 0.3, 0.0, 0.05 );
				if ( bar >= 4 )
				{
					const int pattern[] = { 0, 2, 1, 3, 2, 1, 3, 2 };
					for ( int step = 0; step < 8; ++step )
						track.Note( t + step * beat / 2, beat, notes[pattern[step]] + 12, 0.09, Wave::Sine, 4.0,
									( step % 2 ) ? 0.5 : -0.5, 0.003 );
				}
				if ( bar >= 8 && bar % 2 == 0 )
				{
					// a slow melody an octave up in the second half of each phrase
					const int melody[] = { 12, 10, 7, 12 };
					track.Note( t + 2 * beat, 2 * beat, notes[0] + 12 + melody[( bar / 2 ) % 4] - 12 + 12, 0.06, Wave::Triangle, 0.8, 0.1, 0.08 );
				}
			}
			track.Echo( beat * 0.75, 0.35f );
			return track.Finish();
		}

		Audio InGameMusic()
		{
			// Driving: D minor, B flat, F, C at 120 beats a minute, 32 bars: 64 seconds,
			// with a pulsing bass, a sixteenth arpeggio and a light kit.
			const double beat = 0.5;
			const int bars = 32;
			Track track( size_t( bars * 4 * beat * kSampleRate ) );
			const Chord chords[] = { { 50, true }, { 46, false }, { 53, false }, { 48, false } };
			uint32_t seed = 77;
			for ( int bar = 0; bar < bars; ++bar )
			{
				const Chord chord = chords[( bar / 2 ) % 4];
				const double t = bar * 4 * beat;
				const int third = chord.mRoot + ( chord.mMinor ? 3 : 4 );
				const int notes[] = { chord.mRoot, third, chord.mRoot + 7, chord.mRoot + 12 };
				for ( int step = 0; step < 8; ++step )
					track.Note( t + step * beat / 2, beat / 2 * 0.9, chord.mRoot - 12 + ( step % 4 == 3 ? 12 : 0 ), 0.22,
								Wave::Saw, 6.0, 0.0, 0.004 );
				for ( int n : { chord.mRoot, third, chord.mRoot + 7 } )
					track.Note( t, 4 * beat, n + 12, 0.035, Wave::Saw, 0.2, ( n % 2 ) ? 0.5 : -0.5, 0.3 );
				if ( bar >= 2 )
				{
					const int pattern[] = { 0, 1, 2, 3, 2, 1, 2, 3, 0, 2, 1, 3, 2, 3, 1, 2 };
					for ( int step = 0; step < 16; ++step )
						track.Note( t + step * beat / 4, beat / 4, notes[pattern[step]] + 24, 0.06, Wave::Square, 10.0,
									std::sin( step * 0.7 ) * 0.6, 0.002 );
				}
				for ( int b = 0; b < 4; ++b )
				{
					if ( bar >= 4 )
						track.Drum( t + b * beat, 0.5, true, seed++ );
					if ( bar >= 8 )
					{
						track.Drum( t + b * beat + beat / 2, 0.12, false, seed++ );
						track.Drum( t + b * beat + beat / 4 * 3, 0.06, false, seed++ );
					}
				}
				if ( bar >= 16 && bar % 2 == 1 )
				{
					const int lead[] = { 12, 15, 19, 17 };
					track.Note( t, 2 * beat, chord.mRoot + lead[( bar / 2 ) % 4] + 12, 0.07, Wave::Triangle, 0.7, -0.2, 0.02 );
					track.Note( t + 2 * beat, 2 * beat, chord.mRoot + 7 + 12, 0.06, Wave::Triangle, 0.9, 0.2, 0.02 );
				}
			}
			track.Echo( beat * 0.75, 0.3f );
			return track.Finish();
		}

		// ---- effects

		Audio BeamHum()
		{
			// 2 s loop: every frequency a whole number of cycles in 2 s.
			std::vector<float> out = Silence( 2.0 );
			for ( size_t i = 0; i < out.size(); ++i )
			{
				const double t = double( i ) / kSampleRate;
				const double tremolo = 0.8 + 0.2 * std::sin( kTau * 6.0 * t );
				const double v = 0.5 * Oscillator( Wave::Saw, 110.0 * t ) + 0.4 * std::sin( kTau * 220.0 * t ) +
								 0.25 * std::sin( kTau * 331.5 * t ) + 0.15 * std::sin( kTau * 880.0 * t + std::sin( kTau * 3.0 * t ) );
				out[i] = float( v * tremolo );
			}
			return Mono( std::move( out ), 0.6f, true );
		}

		Audio ChargingLoop()
		{
			// 1 s loop of a charging whine pulsing eight times.
			std::vector<float> out = Silence( 1.0 );
			for ( size_t i = 0; i < out.size(); ++i )
			{
				const double t = double( i ) / kSampleRate;
				const double pulse = 0.55 + 0.45 * std::sin( kTau * 8.0 * t );
				const double v = std::sin( kTau * 440.0 * t + 2.0 * std::sin( kTau * 8.0 * t ) ) + 0.4 * std::sin( kTau * 660.0 * t );
				out[i] = float( v * pulse );
			}
			return Mono( std::move( out ), 0.5f, true );
		}
	}

	void AddSounds( SoundBook& book )
	{
		auto effect = [&]( const std::string& name, std::function<Audio()> make ) { book[name] = { std::move( make ), 0.02 }; };
		effect( "resource/sound/beam_energybeaminitialfirefinal.wav", BeamHum );
		effect( "resource/sound/button_clicksound.wav",
				[]()
				{
					auto out = Silence( 0.06 );
					NoiseBurst( out, 0, 0.03, 0.6, 6000, 2000, 120, 1 );
					Tone( out, 0, 0.06, 2200, 1800, 0.5, Wave::Sine, 70 );
					return Mono( out, 0.7f );
				} );
		effect( "resource/sound/button_functionsound.wav",
				[]()
				{
					auto out = Silence( 0.22 );
					Tone( out, 0, 0.1, 660, 660, 0.5, Wave::Triangle, 20 );
					Tone( out, 0.09, 0.13, 990, 990, 0.5, Wave::Triangle, 20 );
					return Mono( out, 0.7f );
				} );
		effect( "resource/sound/button_hoversound.wav",
				[]()
				{
					auto out = Silence( 0.08 );
					Tone( out, 0, 0.08, 1400, 1600, 0.4, Wave::Sine, 40, 0.01 );
					return Mono( out, 0.4f );
				} );
		effect( "resource/sound/button_startgamesound.wav",
				[]()
				{
					auto out = Silence( 1.6 );
					const int notes[] = { 72, 76, 79, 84 };
					for ( int i = 0; i < 4; ++i )
						Bell( out, i * 0.12, 440.0 * std::pow( 2.0, ( notes[i] - 69 ) / 12.0 ), 0.4, 1.6 - i * 0.12 );
					return Mono( out, 0.8f );
				} );
		effect( "resource/sound/enemy_stunfinal.wav",
				[]()
				{
					auto out = Silence( 0.7 );
					for ( size_t i = 0; i < out.size(); ++i )
					{
						const double t = double( i ) / kSampleRate;
						const double f = 1800 * std::exp( -3.0 * t );
						out[i] = float( std::sin( kTau * f * t + 3.0 * std::sin( kTau * 30 * t ) ) * std::exp( -4.0 * t ) );
					}
					NoiseBurst( out, 0, 0.15, 0.3, 8000, 3000, 20, 5 );
					return Mono( out, 0.75f );
				} );
		effect( "resource/sound/inanimateobject_activatesnap.wav",
				[]()
				{
					auto out = Silence( 0.3 );
					NoiseBurst( out, 0, 0.02, 0.9, 9000, 4000, 150, 9 );
					Tone( out, 0, 0.3, 1500, 1500, 0.5, Wave::Sine, 18 );
					Tone( out, 0, 0.3, 2250, 2250, 0.25, Wave::Sine, 25 );
					return Mono( out, 0.8f );
				} );
		effect( "resource/sound/player_gethit.wav",
				[]()
				{
					auto out = Silence( 0.45 );
					Tone( out, 0, 0.45, 160, 50, 0.9, Wave::Sine, 8, 0.002 );
					NoiseBurst( out, 0, 0.25, 0.6, 2500, 400, 14, 11 );
					Tone( out, 0, 0.2, 300, 120, 0.3, Wave::Square, 15 );
					return Mono( out, 0.85f );
				} );
		effect( "resource/sound/portal_open.wav",
				[]()
				{
					auto out = Silence( 1.8 );
					NoiseBurst( out, 0, 1.8, 0.5, 200, 5000, 1.2, 13, 0.5 );
					Tone( out, 0, 1.8, 110, 440, 0.4, Wave::Triangle, 1.0, 0.3 );
					for ( int i = 0; i < 6; ++i )
						Bell( out, 0.4 + i * 0.18, 880 * std::pow( 1.26, i % 3 ) * ( i < 3 ? 1 : 2 ), 0.12, 1.2 );
					return Mono( out, 0.8f );
				} );
		effect( "resource/sound/scorescreen_activatefinal.wav",
				[]()
				{
					auto out = Silence( 1.8 );
					const int notes[] = { 67, 72, 76, 79, 84 };
					for ( int i = 0; i < 5; ++i )
						Tone( out, i * 0.1, 1.8 - i * 0.1, NoteFrequency( notes[i] ), NoteFrequency( notes[i] ), 0.3, Wave::Triangle, 2.5 );
					Bell( out, 0.5, NoteFrequency( 88 ), 0.25, 1.3 );
					return Mono( out, 0.8f );
				} );
		effect( "resource/sound/scorescreen_losefinal.wav",
				[]()
				{
					auto out = Silence( 1.8 );
					const int notes[] = { 64, 63, 62, 57 };
					for ( int i = 0; i < 4; ++i )
						Tone( out, i * 0.3, i == 3 ? 0.9 : 0.32, NoteFrequency( notes[i] ), NoteFrequency( notes[i] ) * ( i == 3 ? 0.94 : 1.0 ), 0.4,
							  Wave::Saw, i == 3 ? 1.5 : 3.0 );
					return Mono( out, 0.75f );
				} );
		effect( "resource/sound/switch_activate.wav",
				[]()
				{
					auto out = Silence( 0.6 );
					Tone( out, 0, 0.15, 600, 1200, 0.4, Wave::Triangle, 5 );
					Bell( out, 0.1, 1320, 0.4, 0.5 );
					return Mono( out, 0.8f );
				} );
		effect( "resource/sound/switch_charging.wav", ChargingLoop );
		effect( "resource/sound/switch_deactivate.wav",
				[]()
				{
					auto out = Silence( 0.45 );
					Tone( out, 0, 0.45, 1000, 250, 0.5, Wave::Triangle, 6 );
					return Mono( out, 0.7f );
				} );
		effect( "resource/sound/switch_wrongswitch.wav",
				[]()
				{
					auto out = Silence( 0.5 );
					Tone( out, 0, 0.18, 150, 150, 0.5, Wave::Square, 2 );
					Tone( out, 0.24, 0.22, 130, 130, 0.5, Wave::Square, 2 );
					return Mono( out, 0.45f );
				} );
		effect( "resource/sound/teleport_win.wav",
				[]()
				{
					auto out = Silence( 1.6 );
					for ( size_t i = 0; i < out.size(); ++i )
					{
						const double t = double( i ) / kSampleRate;
						const double f = 300 * std::pow( 6.0, t / 1.6 );
						out[i] = float( std::sin( kTau * f * t + 2.5 * std::sin( kTau * 12 * t ) ) * std::sin( M_PI * t / 1.6 ) );
					}
					NoiseBurst( out, 0, 1.6, 0.2, 1000, 9000, 0.5, 17, 0.4 );
					return Mono( out, 0.75f );
				} );

		// the boss levels
		effect( "resource/sound/asteroidbreakshort1.wav",
				[]()
				{
					auto out = Silence( 0.6 );
					NoiseBurst( out, 0, 0.6, 0.9, 3000, 300, 7, 21 );
					Tone( out, 0, 0.3, 90, 45, 0.6, Wave::Sine, 10 );
					for ( int i = 0; i < 5; ++i )
						NoiseBurst( out, 0.05 + i * 0.07, 0.05, 0.4, 5000, 2000, 40, 30 + i );
					return Mono( out, 0.85f );
				} );
		effect( "resource/sound/cloudexplosion2.wav",
				[]()
				{
					auto out = Silence( 1.3 );
					NoiseBurst( out, 0, 1.3, 1.0, 1200, 150, 3, 23, 0.01 );
					Tone( out, 0, 0.8, 70, 35, 0.7, Wave::Sine, 4 );
					return Mono( out, 0.85f );
				} );
		effect( "resource/sound/firstbosshandattack.wav",
				[]()
				{
					auto out = Silence( 0.9 );
					NoiseBurst( out, 0, 0.5, 0.6, 400, 3000, 2, 25, 0.3 );
					Tone( out, 0.45, 0.45, 110, 40, 0.9, Wave::Sine, 8, 0.002 );
					NoiseBurst( out, 0.45, 0.3, 0.6, 2000, 300, 12, 26 );
					return Mono( out, 0.85f );
				} );
		effect( "resource/sound/firstbossfootcharge.wav",
				[]()
				{
					auto out = Silence( 1.5 );
					Tone( out, 0, 1.5, 40, 120, 0.8, Wave::Saw, 0.3, 0.4 );
					NoiseBurst( out, 0, 1.5, 0.4, 150, 1200, 0.2, 27, 0.5 );
					return Mono( out, 0.8f );
				} );
		effect( "resource/sound/firstbossdeath.mp3",
				[]()
				{
					auto out = Silence( 4.0 );
					Tone( out, 0, 3.0, 220, 40, 0.6, Wave::Saw, 0.8, 0.05 );
					Tone( out, 0, 3.0, 330, 55, 0.4, Wave::Square, 0.9, 0.05 );
					for ( int i = 0; i < 4; ++i )
						NoiseBurst( out, i * 0.7, 1.6, 0.8, 2000, 120, 2.5, 41 + i, 0.01 );
					return Mono( out, 0.85f );
				} );
		effect( "resource/sound/bossdamaged.mp3",
				[]()
				{
					auto out = Silence( 0.8 );
					Bell( out, 0, 420, 0.5, 0.8 );
					Tone( out, 0, 0.6, 120, 80, 0.6, Wave::Saw, 5 );
					NoiseBurst( out, 0, 0.08, 0.6, 7000, 3000, 30, 51 );
					return Mono( out, 0.85f );
				} );

		book["resource/sound/music_mainmenu.mp3"] = { MainMenuMusic, 60.0 };
		book["resource/sound/corvinlake.mp3"] = { InGameMusic, 60.0 };
	}

	namespace
	{
		void Put16( std::vector<unsigned char>& out, unsigned v )
		{
			out.push_back( v & 0xFF );
			out.push_back( ( v >> 8 ) & 0xFF );
		}
		void PutTag( std::vector<unsigned char>& out, const char* tag )
		{
			for ( ; *tag; ++tag )
				out.push_back( static_cast<unsigned char>( *tag ) );
		}
		void Put32( std::vector<unsigned char>& out, unsigned v )
		{
			Put16( out, v & 0xFFFF );
			Put16( out, v >> 16 );
		}
		short ToPcm( float s )
		{
			return short( std::lround( std::clamp( s, -1.0f, 1.0f ) * 32767.0f ) );
		}
	}

	bool WriteAudio( const std::string& path, const Audio& audio, std::string& error )
	{
		const size_t frames = audio.mLeft.size();
		std::vector<unsigned char> bytes;
		if ( path.size() > 4 && path.compare( path.size() - 4, 4, ".wav" ) == 0 )
		{
			const unsigned channels = unsigned( audio.mChannels );
			const unsigned data = unsigned( frames * channels * 2 );
			PutTag( bytes, "RIFF" );
			Put32( bytes, 36 + data );
			PutTag( bytes, "WAVEfmt " );
			Put32( bytes, 16 );
			Put16( bytes, 1 );
			Put16( bytes, channels );
			Put32( bytes, kSampleRate );
			Put32( bytes, kSampleRate * channels * 2 );
			Put16( bytes, channels * 2 );
			Put16( bytes, 16 );
			PutTag( bytes, "data" );
			Put32( bytes, data );
			for ( size_t i = 0; i < frames; ++i )
			{
				Put16( bytes, unsigned( ToPcm( audio.mLeft[i] ) ) & 0xFFFF );
				if ( channels == 2 )
					Put16( bytes, unsigned( ToPcm( audio.mRight[i] ) ) & 0xFFFF );
			}
		}
		else
		{
			std::unique_ptr<lame_global_flags, int ( * )( lame_global_flags* )> lame( lame_init(), lame_close );
			if ( !lame )
			{
				error = "LAME could not start";
				return false;
			}
			lame_set_num_channels( lame.get(), audio.mChannels );
			lame_set_in_samplerate( lame.get(), kSampleRate );
			lame_set_out_samplerate( lame.get(), kSampleRate );
			lame_set_mode( lame.get(), audio.mChannels == 2 ? JOINT_STEREO : MONO );
			lame_set_brate( lame.get(), audio.mChannels == 2 ? 160 : 96 );
			lame_set_quality( lame.get(), 5 );
			lame_set_bWriteVbrTag( lame.get(), 0 );
			if ( lame_init_params( lame.get() ) < 0 )
			{
				error = "LAME rejected its settings";
				return false;
			}
			std::vector<short> left( frames ), right( frames );
			for ( size_t i = 0; i < frames; ++i )
			{
				left[i] = ToPcm( audio.mLeft[i] );
				right[i] = audio.mChannels == 2 ? ToPcm( audio.mRight[i] ) : left[i];
			}
			const size_t chunk = 8192;
			std::vector<unsigned char> buffer( chunk * 5 / 4 + 7200 );
			for ( size_t at = 0; at < frames; at += chunk )
			{
				const int count = int( std::min( chunk, frames - at ) );
				const int written = lame_encode_buffer( lame.get(), left.data() + at, right.data() + at, count, buffer.data(), int( buffer.size() ) );
				if ( written < 0 )
				{
					error = "LAME failed to encode (" + std::to_string( written ) + ")";
					return false;
				}
				bytes.insert( bytes.end(), buffer.begin(), buffer.begin() + written );
			}
			const int flushed = lame_encode_flush( lame.get(), buffer.data(), int( buffer.size() ) );
			if ( flushed < 0 )
			{
				error = "LAME failed to finish";
				return false;
			}
			bytes.insert( bytes.end(), buffer.begin(), buffer.begin() + flushed );
		}

		FILE* file = std::fopen( path.c_str(), "wb" );
		if ( !file )
		{
			error = "cannot write " + path;
			return false;
		}
		const bool ok = std::fwrite( bytes.data(), 1, bytes.size(), file ) == bytes.size();
		if ( std::fclose( file ) != 0 || !ok )
		{
			error = "cannot write " + path;
			return false;
		}
		return true;
	}
}
