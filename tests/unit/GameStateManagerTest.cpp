#include "Core/GameStateManager.h"
#include "support/AssertRecorder.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
	using Tarn::GameStateManager;
	using Tarn::Log;

	// Writes every call into a shared journal, so the order across states shows.
	class JournalState : public Tarn::GameState
	{
	public:
		JournalState( const char* name, std::vector<std::string>& journal )
		    : GameState( Tarn::HashedName( name ) ), mJournal( journal ), mName( name )
		{
		}
		~JournalState() override { mJournal.push_back( mName + ".deleted" ); }

		void Initialise() override { Note( "Initialise" ); }
		void Shutdown() override { Note( "Shutdown" ); }
		void Activate() override
		{
			Note( "Activate" );
			if ( mOnActivate )
				mOnActivate();
		}
		void Deactivate() override { Note( "Deactivate" ); }

		int Count( const std::string& call ) const
		{
			int count = 0;
			for ( const std::string& entry : mJournal )
				count += entry == mName + "." + call;
			return count;
		}

		std::function<void()> mOnActivate;

	private:
		void Note( const char* call ) { mJournal.push_back( mName + "." + call ); }

		std::vector<std::string>& mJournal;
		std::string mName;
	};

	class GameStateStack : public testing::Test
	{
	protected:
		void TearDown() override
		{
			GameStateManager& states = GameStateManager::Instance();
			states.ProcessRequests();
			states.PopAllStates();
			states.RemoveAllPersistentStates();
			states.ProcessRequests();
			EXPECT_EQ( states.StateCount(), 0u );
			EXPECT_EQ( states.PersistentCount(), 0u );
		}

		GameStateManager& mStates = GameStateManager::Instance();
		std::vector<std::string> mJournal;
	};

	TEST_F( GameStateStack, TwoPushesBeforeOneProcessingPauseTheFirst )
	{
		auto* a = new JournalState( "AState", mJournal );
		auto* b = new JournalState( "BState", mJournal );
		mStates.PushState( a );
		mStates.PushState( b );
		EXPECT_EQ( mStates.StateCount(), 0u ) << "nothing happens before the queue is processed";

		KelvaneTest::LogCapture log;
		mStates.ProcessRequests();

		EXPECT_EQ( log.Texts(), ( std::vector<std::string>{ "State pushed.", "AState state activated.",
		                                                     "AState state paused.", "State pushed.",
		                                                     "BState state activated." } ) );
		for ( const auto& message : log.Messages() )
		{
			EXPECT_EQ( message.mLevel, Log::LEVEL_INFO );
			EXPECT_NE( message.mFile.find( "GameStateManager" ), std::string::npos );
		}
		EXPECT_FALSE( a->mActive );
		EXPECT_TRUE( b->mActive );
		EXPECT_EQ( a->Count( "Initialise" ), 1 );
		EXPECT_EQ( a->Count( "Activate" ), 1 );
		EXPECT_EQ( a->Count( "Deactivate" ), 1 );
		EXPECT_EQ( mStates.Top(), b );
	}

	TEST_F( GameStateStack, RequestQueuedDuringProcessingRunsInTheSameCall )
	{
		auto* a = new JournalState( "AState", mJournal );
		auto* b = new JournalState( "BState", mJournal );
		a->mOnActivate = [this, a, b]() {
			if ( a->Count( "Activate" ) == 1 )
				mStates.PushState( b );
		};
		mStates.PushState( a );
		mStates.ProcessRequests();
		EXPECT_EQ( mStates.Top(), b );
		EXPECT_EQ( mStates.PendingCount(), 0u );
	}

	TEST_F( GameStateStack, PopOnEmptyStackLogsAnErrorAndProcessingGoesOn )
	{
		KelvaneTest::LogCapture log;
		mStates.PopState();
		mStates.PushState( new JournalState( "AState", mJournal ) );
		mStates.ProcessRequests();

		ASSERT_FALSE( log.Messages().empty() );
		EXPECT_EQ( log.Messages()[0].mText, "Error popping state from stack: Stack empty." );
		EXPECT_EQ( log.Messages()[0].mLevel, Log::LEVEL_ERROR );
		EXPECT_EQ( mStates.StateCount(), 1u );
	}

	TEST_F( GameStateStack, PopAllResumesEachStateBeforePoppingIt )
	{
		mStates.PushState( new JournalState( "A", mJournal ) );
		mStates.PushState( new JournalState( "B", mJournal ) );
		mStates.PushState( new JournalState( "C", mJournal ) );
		mStates.ProcessRequests();
		mJournal.clear();

		mStates.PopAllStates();
		EXPECT_EQ( mStates.PendingCount(), 3u );
		KelvaneTest::LogCapture log;
		mStates.ProcessRequests();

		EXPECT_EQ( mJournal, ( std::vector<std::string>{ "C.Deactivate", "C.Shutdown", "C.deleted", "B.Activate",
		                                                 "B.Deactivate", "B.Shutdown", "B.deleted", "A.Activate",
		                                                 "A.Deactivate", "A.Shutdown", "A.deleted" } ) );
		EXPECT_EQ( log.Texts(), ( std::vector<std::string>{ "C state deactivated.", "State popped.", "B state resumed.",
		                                                    "B state deactivated.", "State popped.", "A state resumed.",
		                                                    "A state deactivated.", "State popped." } ) );
		EXPECT_EQ( mStates.StateCount(), 0u );
	}

	TEST_F( GameStateStack, PersistentStatesStandBesideTheStack )
	{
		auto* p = new JournalState( "Overlay", mJournal );
		const uint32_t key = Tarn::HashedName( "Overlay" ).GetHash();
		KelvaneTest::LogCapture log;
		mStates.AddPersistentState( key, p );
		mStates.PushState( new JournalState( "A", mJournal ) );
		mStates.PushState( new JournalState( "B", mJournal ) );
		mStates.PopState();
		mStates.ProcessRequests();

		EXPECT_TRUE( log.Contains( "Overlay persistent state added." ) );
		EXPECT_TRUE( p->mActive );
		EXPECT_EQ( p->Count( "Initialise" ), 1 );
		EXPECT_EQ( p->Count( "Activate" ), 1 );
		EXPECT_EQ( p->Count( "Deactivate" ), 0 );
		EXPECT_EQ( mStates.GetPersistentState( key ), p );

		log.Clear();
		mStates.RemovePersistentState( 12345u );
		mStates.RemoveAllPersistentStates();
		mStates.ProcessRequests();
		ASSERT_EQ( log.Messages().size(), 3u );
		EXPECT_EQ( log.Messages()[0].mText, "Persistent state not found." );
		EXPECT_EQ( log.Messages()[0].mLevel, Log::LEVEL_WARNING );
		EXPECT_EQ( log.Messages()[1].mText, "Overlay persistent state deactivated." );
		EXPECT_EQ( log.Messages()[2].mText, "Persistent state removed." );
		EXPECT_EQ( mStates.PersistentCount(), 0u );
		EXPECT_EQ( std::count( mJournal.begin(), mJournal.end(), "Overlay.deleted" ), 1 );
	}

	// The first state under a key stays; the second is freed, never started.
	TEST_F( GameStateStack, SecondPersistentStateUnderOneKeyIsFreedUnstarted )
	{
		auto* first = new JournalState( "First", mJournal );
		auto* second = new JournalState( "Second", mJournal );
		KelvaneTest::LogCapture log;
		mStates.AddPersistentState( 7u, first );
		mStates.AddPersistentState( 7u, second );
		mStates.ProcessRequests();

		EXPECT_EQ( mStates.GetPersistentState( 7u ), first );
		EXPECT_EQ( std::vector<std::string>( mJournal.begin(), mJournal.end() ),
		           ( std::vector<std::string>{ "First.Initialise", "First.Activate", "Second.deleted" } ) );
		EXPECT_EQ( log.CountOf( "Second persistent state added." ), 0u );
	}

	TEST_F( GameStateStack, NullStateIsRefusedWithAnAssertion )
	{
		KelvaneTest::AssertRecorder asserts;
		mStates.PushState( nullptr );
		mStates.AddPersistentState( 1u, nullptr );
		EXPECT_EQ( asserts.Count(), 2u );
		EXPECT_EQ( mStates.PendingCount(), 0u );
		mStates.ProcessRequests();
	}
}
