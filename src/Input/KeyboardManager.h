#pragma once

#include "Core/GameComponent.h"
#include "Input/KeyCodes.h"
#include "core/Event.h"
#include "core/HashedName.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Tarn
{
	class GameWindow;

	// Keys as one part of the program sees them (a menu, the level, an editor bar).
	// Only the topmost active context hears the keys; one that stops being the topmost
	// has its keys released at the next update.
	class KeyboardInputContext
	{
	public:
		bool IsKeyDown( uint32_t key ) const { return key < Key::Count && mKeysDown[key]; }

		std::array<bool, Key::Count> mKeysDown{};
		Event<uint32_t, uint32_t> mOnKeyHeld; // key code, modifier bits
		Event<uint32_t, uint32_t> mOnKeyReleased;
		Event<uint32_t, uint32_t> mOnKeyPressed;
	};

	// Keeps the state of every key from the window's events and passes on pressed
	// (on the way down only), released, held (once per update for every key down)
	// and characters.
	class KeyboardManager : public GameComponent
	{
		TARN_CLASS_NAME( KeyboardManager )

	public:
		explicit KeyboardManager( Game* game ) : GameComponent( game ) {}

		void Update( GameTime& gameTime ) override;
		void Initialise() override;
		void Shutdown() override;

		// A context pushed last and active is the topmost. Removing one drops its keys
		// without telling it.
		void PushContext( KeyboardInputContext* context, bool active = true );
		void RemoveContext( KeyboardInputContext* context );
		void SetContextActive( KeyboardInputContext* context, bool active );
		KeyboardInputContext* TopmostContext() const;

		bool IsKeyDown( uint32_t key ) const { return key < Key::Count && mKeysDown[key]; }
		// Shift 1, Alt 2, Control 4, from the keys down now.
		uint32_t ModifierBits() const;

		// The window's events.
		void OnKeyDown( uint32_t key );
		void OnKeyUp( uint32_t key );
		void OnChar( uint32_t character );
		void OnFocusLost();

		Event<uint32_t, uint32_t> mOnKeyHeld; // key code, modifier bits
		Event<uint32_t, uint32_t> mOnKeyReleased;
		Event<uint32_t, uint32_t> mOnKeyPressed;
		Event<uint32_t> mOnChar;

	private:
		struct ContextEntry
		{
			bool mActive = true;
			KeyboardInputContext* mContext = nullptr;
		};

		std::vector<ContextEntry> mContexts;
		std::array<bool, Key::Count> mKeysDown{};
		GameWindow* mWindow = nullptr;
	};
}
