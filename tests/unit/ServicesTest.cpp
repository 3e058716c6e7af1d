#include "Core/GameComponentContainer.h"
#include "core/Event.h"
#include "core/Services.h"
#include "support/AssertRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	using KelvaneTest::AssertRecorder;
	using Tarn::Services;

	struct FirstProbe
	{
		TARN_CLASS_NAME( FirstProbe )
	};
	struct SecondProbe
	{
		TARN_CLASS_NAME( SecondProbe )
	};

	TEST( Services, AddGetRemove )
	{
		FirstProbe probe;
		EXPECT_EQ( Services::Get<FirstProbe>(), nullptr );
		Services::Add( &probe );
		EXPECT_EQ( Services::Get<FirstProbe>(), &probe );
		EXPECT_EQ( Services::Get<SecondProbe>(), nullptr );
		Services::Remove<FirstProbe>();
		EXPECT_EQ( Services::Get<FirstProbe>(), nullptr );
	}

	TEST( Services, SecondAddAssertsAndKeepsTheFirstInstance )
	{
		AssertRecorder recorder;
		FirstProbe first, second;
		Services::Add( &first );
		Services::Add( &second );
		EXPECT_EQ( Services::Get<FirstProbe>(), &first );
		ASSERT_EQ( recorder.Count(), 1u );
		EXPECT_EQ( recorder.Reports()[0].mExpression, "mServices.find( hash ) == mServices.end()" );
		EXPECT_EQ( recorder.Reports()[0].mMessage, "Service type already exists." );
		EXPECT_NE( recorder.Reports()[0].mFile.find( "include/core/Services" ), std::string::npos );
		Services::Remove<FirstProbe>();
	}

	TEST( Services, NullAddAndAbsentRemoveAssertAndChangeNothing )
	{
		AssertRecorder recorder;
		const size_t before = Services::Instance().mServices.size();
		Services::Add<SecondProbe>( nullptr );
		EXPECT_EQ( Services::Get<SecondProbe>(), nullptr );
		Services::Remove<SecondProbe>();
		EXPECT_EQ( Services::Instance().mServices.size(), before );
		EXPECT_TRUE( recorder.Saw( "service", "Expression is false. Expected true." ) );
		EXPECT_TRUE( recorder.Saw( "eraseIt != mServices.end()", "Service type does not exist!" ) );
		EXPECT_EQ( recorder.Count(), 2u );
	}

	struct NullComponent : Tarn::DrawableGameComponent
	{
		NullComponent() : DrawableGameComponent( nullptr ) {}
		void Update( Tarn::GameTime& ) override {}
		void Draw( Tarn::GameTime& ) override {}
		void Initialise() override {}
		void Shutdown() override {}
	};

	struct HandlerLog
	{
		std::vector<std::string> mCalls;
		void UpdatableAdded( Tarn::GameComponent* ) { mCalls.push_back( "updatable+" ); }
		void UpdatableRemoved( Tarn::GameComponent* ) { mCalls.push_back( "updatable-" ); }
		void DrawableAdded( Tarn::DrawableGameComponent* ) { mCalls.push_back( "drawable+" ); }
		void DrawableRemoved( Tarn::DrawableGameComponent* ) { mCalls.push_back( "drawable-" ); }
	};

	class ContainerTest : public testing::Test
	{
	protected:
		void SetUp() override
		{
			mContainer.mUpdatableAdded.Subscribe( &mLog, &HandlerLog::UpdatableAdded );
			mContainer.mUpdatableRemoved.Subscribe( &mLog, &HandlerLog::UpdatableRemoved );
			mContainer.mDrawableAdded.Subscribe( &mLog, &HandlerLog::DrawableAdded );
			mContainer.mDrawableRemoved.Subscribe( &mLog, &HandlerLog::DrawableRemoved );
		}
		Tarn::GameComponentContainer mContainer;
		HandlerLog mLog;
	};

	TEST_F( ContainerTest, DrawableHandlersFollowUpdatableHandlers )
	{
		NullComponent component;
		mContainer.AddDrawableComponent( &component );
		mContainer.RemoveDrawableComponent( &component );
		EXPECT_EQ( mLog.mCalls, ( std::vector<std::string>{ "updatable+", "drawable+", "updatable-", "drawable-" } ) );
	}

	TEST_F( ContainerTest, ComponentAddedTwiceIsRemovedByOneCall )
	{
		NullComponent a, b;
		mContainer.AddComponent( &a );
		mContainer.AddComponent( &b );
		mContainer.AddComponent( &a );
		EXPECT_EQ( mContainer.Components(), ( std::vector<Tarn::GameComponent*>{ &a, &b, &a } ) );
		mContainer.RemoveComponent( &a );
		EXPECT_EQ( mContainer.Components(), ( std::vector<Tarn::GameComponent*>{ &b } ) );
		EXPECT_EQ( mLog.mCalls, ( std::vector<std::string>{ "updatable+", "updatable+", "updatable+", "updatable-" } ) );
	}

	TEST_F( ContainerTest, NullComponentAssertsAndIsNeitherStoredNorAnnounced )
	{
		AssertRecorder recorder;
		mContainer.AddComponent( nullptr );
		mContainer.AddDrawableComponent( nullptr );
		mContainer.RemoveComponent( nullptr );
		mContainer.RemoveDrawableComponent( nullptr );
		EXPECT_EQ( recorder.Count(), 4u );
		EXPECT_TRUE( recorder.Saw( "component", "Expression is false. Expected true." ) );
		EXPECT_TRUE( mContainer.Components().empty() );
		EXPECT_TRUE( mLog.mCalls.empty() );
	}

	struct Listener
	{
		std::vector<int>* mOut;
		int mTag;
		Tarn::Event<int>* mEvent = nullptr;
		Listener* mVictim = nullptr;
		void On( int value ) { mOut->push_back( mTag * 100 + value ); }
		void Other( int value ) { mOut->push_back( -( mTag * 100 + value ) ); }
		void RemoveVictim( int value )
		{
			mOut->push_back( mTag * 100 + value );
			mEvent->Unsubscribe( mVictim, &Listener::On );
		}
	};

	TEST( Event, CallsInSubscriptionOrderAndUnsubscribesTheExactPair )
	{
		std::vector<int> out;
		Listener a{ &out, 1 }, b{ &out, 2 };
		Tarn::Event<int> event;
		event.Subscribe( &b, &Listener::On );
		event.Subscribe( &a, &Listener::On );
		event.Subscribe( &a, &Listener::Other );
		event.Raise( 5 );
		event.Unsubscribe( &a, &Listener::On );
		event.Raise( 6 );
		EXPECT_EQ( out, ( std::vector<int>{ 205, 105, -105, 206, -106 } ) );
		EXPECT_TRUE( event.IsSubscribed( &a, &Listener::Other ) );
		EXPECT_FALSE( event.IsSubscribed( &a, &Listener::On ) );
	}

	TEST( Event, AHandlerRemovedDuringARaiseIsNotCalled )
	{
		std::vector<int> out;
		Tarn::Event<int> event;
		Listener victim{ &out, 2 };
		Listener remover{ &out, 1, &event, &victim };
		event.Subscribe( &remover, &Listener::RemoveVictim );
		event.Subscribe( &victim, &Listener::On );
		event.Raise( 1 );
		event.Raise( 2 );
		EXPECT_EQ( out, ( std::vector<int>{ 101, 102 } ) );
		EXPECT_EQ( event.Count(), 1u );
	}
}
