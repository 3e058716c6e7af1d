#include "Core/GameWindow/Game.h"

#include "Core/GameStateManager.h"
#include "Core/ObjectManager.h"
#include "Core/PendingServices.h"
#include "Graphics/GraphicsManager.h"
#include "Platform/Clock.h"
#include "Platform/Process.h"
#include "Utilities/Assert.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>

namespace Tarn
{
	namespace
	{
		// One step is 1000 / 60 as a float, truncated: 16 ms, not 16.67.
		constexpr int64_t StepMilliseconds( float perSecond ) { return static_cast<int64_t>( 1000.0f / perSecond ); }
		constexpr int64_t kMaxStepsPerTick = 10;
	}

	Game::Game() : mTargetElapsedTime( StepMilliseconds( 60.0f ) ), mTargetDrawTime( StepMilliseconds( 60.0f ) )
	{
		LOG_INFO( "Creating game." );
		mComponents.mUpdatableAdded.Subscribe( this, &Game::AddUpdatable );
		mComponents.mDrawableAdded.Subscribe( this, &Game::AddDrawable );
		mComponents.mUpdatableRemoved.Subscribe( this, &Game::RemoveUpdatable );
		mComponents.mDrawableRemoved.Subscribe( this, &Game::RemoveDrawable );
		Services::Add<Game>( this );
	}

	Game::~Game()
	{
		LOG_INFO( "Destroying game." );
		if ( Services::Get<Game>() == this )
			Services::Remove<Game>();
		mComponents.mUpdatableAdded.Unsubscribe( this, &Game::AddUpdatable );
		mComponents.mDrawableAdded.Unsubscribe( this, &Game::AddDrawable );
		mComponents.mUpdatableRemoved.Unsubscribe( this, &Game::RemoveUpdatable );
		mComponents.mDrawableRemoved.Unsubscribe( this, &Game::RemoveDrawable );
	}

	void Game::Run()
	{
		Initialise();
		LoadContent();
		StartTimer();
		Loop();
		StopTimer();
		UnloadContent();
		Shutdown();
	}

	void Game::StartTimer()
	{
		Platform::Clock* clock = mTimer.mClock;
		mTimer = GameTimer();
		mTimer.mClock = clock;
		mTimer.mLast = mTimer.Read();
		mTimer.mStart = mTimer.mLast;
		mTimer.mIsRunning = true;
	}

	void Game::Loop()
	{
		while ( !mExit )
		{
			Tick();
			if ( Platform::InterruptRequested() && !mExit )
				Exit();
			if ( !mExit && mTimer.mClock )
				mTimer.mClock->Sleep( MillisecondsUntilDue() );
		}
	}

	void Game::StopTimer()
	{
		const int64_t now = mTimer.Read();
		mTimer.mIsRunning = false;
		mTimer.mRunning += now - mTimer.mStart;
	}

	void Game::Initialise()
	{
		LOG_INFO( "Initialising game." );
		for ( GameComponent* component : mComponents )
			component->Initialise();
		LOG_INFO( "Components initialised." );
	}

	void Game::Shutdown()
	{
		GameStateManager& states = GameStateManager::Instance();
		states.ProcessRequests();
		states.PopAllStates();
		states.RemoveAllPersistentStates();
		states.ProcessRequests();
		ObjectManager::Instance().DestroyAll();

		LOG_INFO( "Shutting down game." );
		for ( auto it = mComponents.rbegin(); it != mComponents.rend(); ++it )
			( *it )->Shutdown();
		LOG_INFO( "Components shut down." );
	}

	void Game::Exit()
	{
		LOG_INFO( "Exit called." );
		mExit = true;
	}

	void Game::AddUpdatable( GameComponent* updatable )
	{
		TARN_ASSERT( updatable );
		if ( updatable )
			mUpdatables.File( updatable, updatable->mUpdateOrder );
	}

	void Game::RemoveUpdatable( GameComponent* updatable )
	{
		if ( updatable )
			mUpdatables.EraseFirst( updatable, updatable->mUpdateOrder );
	}

	void Game::AddDrawable( DrawableGameComponent* drawable )
	{
		TARN_ASSERT( drawable );
		if ( drawable )
			mDrawables.File( drawable, drawable->mDrawOrder );
	}

	void Game::RemoveDrawable( DrawableGameComponent* drawable )
	{
		if ( drawable )
			mDrawables.EraseFirst( drawable, drawable->mDrawOrder );
	}

	void Game::Tick()
	{
		const int64_t delta = std::max<int64_t>( 0, mTimer.Tick() );
		mUpdateAccumulator += delta;
		mDrawAccumulator += delta;
		mGameTime.TotalRealTime += delta;
		mGameTime.ElapsedRealTime += delta;

		if ( mUpdateAccumulator >= mTargetElapsedTime )
			RunUpdateSteps();

		if ( mLimitDrawRate && mDrawAccumulator < mTargetDrawTime )
			return;
		RunDraw();
	}

	void Game::RunUpdateSteps()
	{
		if ( !mIsFixedTimeStep )
		{
			mGameTime.ElapsedGameTime = mUpdateAccumulator;
			mGameTime.TotalGameTime += mUpdateAccumulator;
			mGameTime.ElapsedSecondsPrecise = static_cast<double>( mUpdateAccumulator ) / 1000.0;
			mGameTime.ElapsedSeconds = static_cast<float>( mGameTime.ElapsedSecondsPrecise );
			Update( mGameTime );
			mGameTime.ElapsedGameTime = 0;
			mGameTime.ElapsedRealTime = 0;
			mUpdateAccumulator = 0;
			return;
		}

		const int64_t frames = ( mUpdateAccumulator * 1000 ) / ( mTargetElapsedTime * 1000 );
		if ( frames > kMaxStepsPerTick )
		{
			LOG_WARNING( "WARNING! Game update frames are lagging behind intended fixed frame limit" );
			if ( mReportDroppedFrames )
				LOG_WARNING( "Frames dropped:" << frames - 1 );
			mUpdateAccumulator = mTargetElapsedTime;
		}

		while ( mUpdateAccumulator >= mTargetElapsedTime )
		{
			mUpdateAccumulator -= mTargetElapsedTime;
			mGameTime.IsRunningSlowly = mUpdateAccumulator >= mTargetElapsedTime;
			mGameTime.TotalGameTime += mTargetElapsedTime;
			mGameTime.ElapsedGameTime = mTargetElapsedTime;
			mGameTime.ElapsedSecondsPrecise = static_cast<double>( mTargetElapsedTime ) / 1000.0;
			mGameTime.ElapsedSeconds = static_cast<float>( mTargetElapsedTime ) / 1000.0f;
			Update( mGameTime );
		}
		mGameTime.ElapsedRealTime = mUpdateAccumulator;
	}

	void Game::RunDraw()
	{
		if ( BeginDraw() )
		{
			Draw( mGameTime );
			EndDraw();
			mDrawAccumulator = 0;
			mLastDrawSkipped = false;
		}
		else
			mLastDrawSkipped = true;
	}

	int64_t Game::MillisecondsUntilDue() const
	{
		int64_t wait = mTargetElapsedTime - mUpdateAccumulator;
		// A frame that could not begin (a hidden window) is retried at the next update
		// step, not in a busy loop.
		if ( !mLimitDrawRate && !mLastDrawSkipped )
			wait = 0;
		else if ( !mLastDrawSkipped )
			wait = std::min( wait, mTargetDrawTime - mDrawAccumulator );
		return std::max<int64_t>( 0, wait );
	}

	void Game::Update( GameTime& gameTime )
	{
		GameStateManager::Instance().ProcessRequests();
		mUpdatables.Walk( []( IsUpdatable* item ) { return item->mUpdateOrder; },
		                  [&gameTime]( IsUpdatable* item ) {
			                  if ( item->mEnabled )
				                  item->Update( gameTime );
		                  } );
		ObjectManager::Instance().ProcessDestroyQueue();

		++mStepCount;
		if ( mStepLimit != 0 && mStepCount == mStepLimit )
			Exit();
	}

	void Game::Draw( GameTime& gameTime )
	{
		mDrawables.Walk( []( IsDrawable* item ) { return item->mDrawOrder; },
		                 [&gameTime]( IsDrawable* item ) {
			                 if ( item->mVisible )
				                 item->Draw( gameTime );
		                 } );
	}

	bool Game::BeginDraw()
	{
		Graphics::GraphicsManager* graphics = Services::Get<Graphics::GraphicsManager>();
		return graphics && graphics->BeginFrame();
	}

	void Game::EndDraw()
	{
		if ( Graphics::GraphicsManager* graphics = Services::Get<Graphics::GraphicsManager>() )
			graphics->EndFrame();
	}
}
