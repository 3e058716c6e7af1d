#include "Core/GameStateManager.h"

#include "Utilities/Assert.h"
#include "Utilities/Log.h"

namespace Tarn
{
	GameStateManager& GameStateManager::Instance()
	{
		static GameStateManager manager;
		return manager;
	}

	GameStateManager::~GameStateManager()
	{
		// The game empties the stack at shutdown; whatever is left at process exit is
		// only freed, since the services its operations would reach are gone.
		for ( GameState* state : mStates )
			delete state;
		for ( auto& entry : mPersistentStates )
			delete entry.second;
		for ( StateRequest& request : mRequests )
			delete request.mState;
	}

	void GameStateManager::PushState( GameState* state )
	{
		// A null state would be dereferenced when the request is carried out.
		TARN_ASSERT( state );
		if ( state )
			mRequests.push_back( { StateRequest::PUSH, 0, state } );
	}

	void GameStateManager::PopState() { mRequests.push_back( { StateRequest::POP, 0, nullptr } ); }

	void GameStateManager::PopAllStates()
	{
		for ( size_t i = 0; i < mStates.size(); ++i )
			PopState();
	}

	void GameStateManager::AddPersistentState( uint32_t hash, GameState* state )
	{
		TARN_ASSERT( state );
		if ( state )
			mRequests.push_back( { StateRequest::ADD_PERSISTENT, hash, state } );
	}

	void GameStateManager::RemovePersistentState( uint32_t hash )
	{
		mRequests.push_back( { StateRequest::REMOVE_PERSISTENT, hash, nullptr } );
	}

	void GameStateManager::RemoveAllPersistentStates()
	{
		for ( const auto& entry : mPersistentStates )
			RemovePersistentState( entry.first );
	}

	GameState* GameStateManager::GetPersistentState( uint32_t hash ) const
	{
		const auto found = mPersistentStates.find( hash );
		return found == mPersistentStates.end() ? nullptr : found->second;
	}

	void GameStateManager::ProcessRequests()
	{
		// A state's operation may queue further requests; they are carried out in the
		// same call. The request is taken off the queue before it runs, so the queue
		// may grow safely meanwhile.
		while ( !mRequests.empty() )
		{
			const StateRequest request = mRequests.front();
			mRequests.pop_front();
			switch ( request.mKind )
			{
			case StateRequest::PUSH:
				Push( request.mState );
				break;
			case StateRequest::POP:
				Pop();
				break;
			case StateRequest::ADD_PERSISTENT:
				AddPersistent( request.mHash, request.mState );
				break;
			case StateRequest::REMOVE_PERSISTENT:
				RemovePersistent( request.mHash );
				break;
			default:
				break;
			}
		}
	}

	void GameStateManager::Push( GameState* state )
	{
		if ( !mStates.empty() )
		{
			GameState* top = mStates.back();
			top->mActive = false;
			top->Deactivate();
			LOG_INFO( top->mType.GetName() << " state paused." );
		}
		mStates.push_back( state );
		LOG_INFO( "State pushed." );
		state->mActive = true;
		state->Initialise();
		state->Activate();
		LOG_INFO( state->mType.GetName() << " state activated." );
	}

	void GameStateManager::Pop()
	{
		if ( mStates.empty() )
		{
			LOG_ERROR( "Error popping state from stack: Stack empty." );
			return;
		}
		GameState* top = mStates.back();
		top->mActive = false;
		top->Deactivate();
		top->Shutdown();
		LOG_INFO( top->mType.GetName() << " state deactivated." );
		// The state may have pushed another during its own Shutdown; take out this very
		// state, not whatever lies on top now.
		for ( auto it = mStates.end(); it != mStates.begin(); )
		{
			--it;
			if ( *it == top )
			{
				mStates.erase( it );
				break;
			}
		}
		delete top;
		LOG_INFO( "State popped." );

		if ( !mStates.empty() )
		{
			GameState* next = mStates.back();
			next->mActive = true;
			next->Activate();
			LOG_INFO( next->mType.GetName() << " state resumed." );
		}
	}

	void GameStateManager::AddPersistent( uint32_t hash, GameState* state )
	{
		if ( mPersistentStates.count( hash ) != 0 )
		{
			// The first state under a key stays. The newcomer was handed over to the
			// stack, so it is freed here rather than started and then lost.
			LOG_WARNING( state->mType.GetName() << " persistent state not added: key already in use." );
			delete state;
			return;
		}
		mPersistentStates.emplace( hash, state );
		state->mActive = true;
		state->Initialise();
		state->Activate();
		LOG_INFO( state->mType.GetName() << " persistent state added." );
	}

	void GameStateManager::RemovePersistent( uint32_t hash )
	{
		const auto found = mPersistentStates.find( hash );
		if ( found == mPersistentStates.end() )
		{
			LOG_WARNING( "Persistent state not found." );
			return;
		}
		GameState* state = found->second;
		state->mActive = false;
		state->Deactivate();
		state->Shutdown();
		LOG_INFO( state->mType.GetName() << " persistent state deactivated." );
		delete state;
		mPersistentStates.erase( hash );
		LOG_INFO( "Persistent state removed." );
	}
}
