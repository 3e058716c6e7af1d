#pragma once

#include "core/HashedName.h"
#include "core/Noncopyable.h"

#include <cstdint>
#include <deque>
#include <map>

namespace Tarn
{
	// A screen or mode of the game. The stack owns its states and deletes them when
	// they are popped or removed.
	class GameState : private Noncopyable
	{
	public:
		explicit GameState( const HashedName& type ) : mType( type ) {}
		virtual ~GameState() = default;

		virtual void Initialise() = 0;
		virtual void Shutdown() = 0;
		virtual void Activate() = 0;
		virtual void Deactivate() = 0;

		const HashedName& GetType() const { return mType; }

		bool mActive = false;
		HashedName mType;
	};

	struct StateRequest
	{
		enum Kind : int32_t
		{
			PUSH = 0,
			POP = 1,
			ADD_PERSISTENT = 2,
			REMOVE_PERSISTENT = 3,
		};

		int32_t mKind = PUSH;
		uint32_t mHash = 0;
		GameState* mState = nullptr;
	};

	// The stack of game states plus the persistent states beside it. Every change is
	// queued and carried out by ProcessRequests, so a state can ask for its own
	// replacement from inside its work without being deleted under its feet.
	class GameStateManager : private Noncopyable
	{
	public:
		static GameStateManager& Instance();

		void PushState( GameState* state );
		void PopState();
		void PopAllStates();
		void AddPersistentState( uint32_t hash, GameState* state );
		void RemovePersistentState( uint32_t hash );
		void RemoveAllPersistentStates();

		void ProcessRequests();

		// The live state, or null when the stack is empty.
		GameState* Top() const { return mStates.empty() ? nullptr : mStates.back(); }
		GameState* GetPersistentState( uint32_t hash ) const;
		size_t StateCount() const { return mStates.size(); }
		size_t PersistentCount() const { return mPersistentStates.size(); }
		size_t PendingCount() const { return mRequests.size(); }

		std::deque<StateRequest> mRequests;
		std::deque<GameState*> mStates;
		std::map<uint32_t, GameState*> mPersistentStates;

	private:
		GameStateManager() = default;
		~GameStateManager();

		void Push( GameState* state );
		void Pop();
		void AddPersistent( uint32_t hash, GameState* state );
		void RemovePersistent( uint32_t hash );
	};
}
