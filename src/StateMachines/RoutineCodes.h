#pragma once
// The numbers the level files store for behaviour: routine codes (mAI), the messages
// raised on the state-machine manager, and the colour codes of the light puzzle. Each
// name carries the value the files hold; code compares and assigns the names only.

#include <cstdint>

namespace StateMachines
{
	// mAI: the routine the manager runs for a component. One numbering for all five
	// lists; each list runs only the codes of its own kind of component. 4 and 23 name
	// no routine anywhere: a machine given one stands still.
	namespace Routine
	{
		enum Code : int32_t
		{
			// Machines (StateMachineComponent)
			PlayerSequences = 0, // the player's hit, exit and death
			PlayerHalo = 1,      // the player's body following the ship
			Guard = 2,
			WhiteGuard = 3, // a guard that also undoes lit switches
			GateBarrier = 5,
			GuardianHand = 13,   // the Guardian's punching hand
			GuardianRising = 14, // the Guardian's rising pieces
			GuardianFoot = 15,   // the Guardian's stomping feet
			BreakablePart = 16,  // a boss part that crumbles once hit
			CupidAim = 17,
			CupidLovebug = 18,
			CupidHeart = 19,
			Chaser = 20, // turns toward the player and flies after it
			HitFade1 = 21, // two codes, one fade
			HitFade2 = 22,
			HintFader = 25,
			Prompt1 = 26, // tutorial prompts: three codes, one routine
			Prompt2 = 27,
			Prompt3 = 28,

			// Mines (MineComponent)
			BlueMine = 6, // a mine the beam can set off
			Mine = 7,
			SwitchEffectSpark = 8,
			DriftingMirror = 9,
			CrystalFocus = 12,
			GleamTile = 24,

			// Gates (GateComponent)
			Gate = 10,
			EnemyGate = 11,
		};

		constexpr bool IsGuard( int32_t code ) { return code == Guard || code == WhiteGuard; }
	}

	// Messages raised on the manager's message list.
	namespace Message
	{
		enum Code : int32_t
		{
			MovementPromptDone = 26, // the player has steered: the "WASD" prompt goes
			BeamPromptDone = 27,     // the beam has been fired: the "BeamClick" prompt goes
		};
	}

	// Colour codes of the light puzzle (a switch's colour, a gate's wanted colours, a
	// cone's colour). A target list ends at the first None.
	namespace ColourCode
	{
		enum Code : int32_t
		{
			None = 0,
			Red = 1,
			Green = 2,
			Blue = 3,
			RedGreen = 4,
			GreenBlue = 5,
			RedBlue = 6,
			// A switch's charge colour while no cone lights it.
			Unlit = 7,
		};

		// The colour channels a code names: the three primaries, and 4 to 6 their pairs.
		// None, Unlit and any other number name no channel.
		struct Channels
		{
			bool mRed = false;
			bool mGreen = false;
			bool mBlue = false;
		};

		constexpr Channels ChannelsOf( int32_t code )
		{
			constexpr Channels kChannels[] = {
				{},                    // None
				{ true, false, false }, // Red
				{ false, true, false }, // Green
				{ false, false, true }, // Blue
				{ true, true, false },  // RedGreen
				{ false, true, true },  // GreenBlue
				{ true, false, true },  // RedBlue
			};
			return code >= None && code <= RedBlue ? kChannels[code] : Channels{};
		}

		// Sets the channels `code` names (of a colour with r, g and b) to `value`; the
		// others keep theirs.
		template <typename Colour>
		constexpr void SetChannels( Colour& colour, int32_t code, float value )
		{
			const Channels channels = ChannelsOf( code );
			if ( channels.mRed )
				colour.r = value;
			if ( channels.mGreen )
				colour.g = value;
			if ( channels.mBlue )
				colour.b = value;
		}

		// The channels a switch's charge is read from: those its code names, and for a
		// code that names none (None, Unlit, anything stored beyond the six) red and
		// green, so that every code reads some charge.
		constexpr Channels ChargeChannelsOf( int32_t code )
		{
			const Channels channels = ChannelsOf( code );
			return channels.mRed || channels.mGreen || channels.mBlue ? channels : ChannelsOf( RedGreen );
		}

		// Calls `visit` with each channel of `colour` that the charge of `code` is read from.
		template <typename Colour, typename Visit>
		constexpr void ForChargeChannels( Colour& colour, int32_t code, Visit&& visit )
		{
			const Channels channels = ChargeChannelsOf( code );
			if ( channels.mRed )
				visit( colour.r );
			if ( channels.mGreen )
				visit( colour.g );
			if ( channels.mBlue )
				visit( colour.b );
		}

		// How strongly `colour` shows `code`: the largest of the channels it is read from.
		template <typename Colour>
		constexpr float Intensity( const Colour& colour, int32_t code )
		{
			float brightest = -1.0e30f;
			ForChargeChannels( colour, code, [&]( const float& channel ) {
				if ( channel > brightest )
					brightest = channel;
			} );
			return brightest;
		}

		// Adds `delta` to each channel the charge of `code` is read from.
		template <typename Colour>
		constexpr void AddToChannels( Colour& colour, int32_t code, float delta )
		{
			ForChargeChannels( colour, code, [delta]( float& channel ) { channel += delta; } );
		}
	}
}
