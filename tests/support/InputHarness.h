#pragma once

#include "Core/GameWindow/GameProject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace KelvaneTest
{
	// The game project headless with only its window and input managers, initialised
	// and stepped one update at a time; shut down when the harness goes.
	class InputHarness
	{
	public:
		// With `initialise` false the settings can be changed before Initialise.
		explicit InputHarness( Tarn::LaunchOptions options = Tarn::LaunchOptions(), bool initialise = true );
		~InputHarness();

		Tarn::GameProject& Project() { return *mProject; }
		Tarn::GameWindow& Window() { return mProject->mWindow; }
		Tarn::KeyboardManager& Keyboard() { return mProject->mKeyboard; }
		Tarn::MouseManager& Mouse() { return mProject->mMouse; }

		void Initialise();
		// Runs update steps: the window's pump first, every manager twice.
		void Step( int count = 1 );

	private:
		std::unique_ptr<Tarn::GameProject> mProject;
		bool mInitialised = false;
	};

	// Everything one set of key lists reports, in order.
	struct KeyRecord
	{
		char mWhat; // 'p' pressed, 'h' held, 'r' released
		uint32_t mKey;
		uint32_t mBits;
		bool operator==( const KeyRecord& ) const = default;
	};

	class KeyRecorder
	{
	public:
		template <typename Source>
		void Listen( Source& source )
		{
			source.mOnKeyPressed.Subscribe( this, &KeyRecorder::Pressed );
			source.mOnKeyHeld.Subscribe( this, &KeyRecorder::Held );
			source.mOnKeyReleased.Subscribe( this, &KeyRecorder::Released );
		}
		template <typename Source>
		void Stop( Source& source )
		{
			source.mOnKeyPressed.Unsubscribe( this, &KeyRecorder::Pressed );
			source.mOnKeyHeld.Unsubscribe( this, &KeyRecorder::Held );
			source.mOnKeyReleased.Unsubscribe( this, &KeyRecorder::Released );
		}

		void Pressed( uint32_t key, uint32_t bits ) { mRecords.push_back( { 'p', key, bits } ); }
		void Held( uint32_t key, uint32_t bits ) { mRecords.push_back( { 'h', key, bits } ); }
		void Released( uint32_t key, uint32_t bits ) { mRecords.push_back( { 'r', key, bits } ); }

		size_t Count( char what, uint32_t key ) const;
		std::vector<KeyRecord> mRecords;
	};
}
