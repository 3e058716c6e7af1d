#pragma once

#include "Core/GameComponentContainer.h"
#include "Core/GameTime.h"
#include "Core/GameWindow/FiledTable.h"
#include "Core/GameWindow/GameTimer.h"
#include "core/HashedName.h"
#include "core/Noncopyable.h"

#include <cstdint>
#include <string>

namespace Tarn
{
	// The top-level engine object: owns the component container, keeps every
	// updatable and drawable thing in two ordered tables and runs the fixed-step loop.
	class Game : private Noncopyable
	{
		TARN_CLASS_NAME( Game )

	public:
		Game();
		virtual ~Game();

		virtual void Run();
		virtual void Initialise();
		virtual void Update( GameTime& gameTime );
		virtual void Shutdown();
		virtual void LoadContent() {}
		virtual void UnloadContent() {}
		virtual bool BeginDraw();
		virtual void Draw( GameTime& gameTime );
		virtual void EndDraw();

		// Ends the loop after the tick in progress.
		void Exit();
		bool IsExiting() const { return mExit; }

		// The container's four handlers.
		void AddUpdatable( GameComponent* updatable );
		void RemoveUpdatable( GameComponent* updatable );
		void AddDrawable( DrawableGameComponent* drawable );
		void RemoveDrawable( DrawableGameComponent* drawable );

		// Used by IsUpdatable and IsDrawable to file and unfile themselves.
		void FileUpdatable( IsUpdatable* updatable, int32_t order ) { mUpdatables.File( updatable, order ); }
		void UnfileUpdatable( IsUpdatable* updatable ) { mUpdatables.EraseAll( updatable ); }
		void FileDrawable( IsDrawable* drawable, int32_t order ) { mDrawables.File( drawable, order ); }
		void UnfileDrawable( IsDrawable* drawable ) { mDrawables.EraseAll( drawable ); }

		// One tick of the loop: accumulate real time, run the due update steps, draw.
		void Tick();
		// Milliseconds until the next update or draw is due; 0 when one is due now.
		int64_t MillisecondsUntilDue() const;

		// Where time comes from; the game does not own the clock.
		void SetClock( Platform::Clock* clock ) { mTimer.mClock = clock; }
		// Calls Exit once this many update steps have run (0: never).
		void SetStepLimit( uint64_t steps ) { mStepLimit = steps; }
		uint64_t GetStepCount() const { return mStepCount; }

		GameComponentContainer& Components() { return mComponents; }
		const FiledTable<IsUpdatable>& Updatables() const { return mUpdatables; }
		const FiledTable<IsDrawable>& Drawables() const { return mDrawables; }
		GameTime& GetGameTime() { return mGameTime; }
		const std::string& GetName() const { return mName; }

		bool mIsFixedTimeStep = true;
		bool mReportDroppedFrames = true;
		bool mLimitDrawRate = true;
		int64_t mTargetElapsedTime;
		int64_t mTargetDrawTime;

	protected:
		// Starts the timer; the loop of Run between Initialise and Shutdown.
		void StartTimer();
		void Loop();
		void StopTimer();

		GameComponentContainer mComponents;
		FiledTable<IsUpdatable> mUpdatables;
		FiledTable<IsDrawable> mDrawables;
		std::string mName = "THEWHOLEGAME";
		GameTime mGameTime;
		int64_t mUpdateAccumulator = 0;
		int64_t mDrawAccumulator = 0;
		GameTimer mTimer;
		bool mExit = false;

	private:
		void RunUpdateSteps();
		void RunDraw();

		uint64_t mStepLimit = 0;
		uint64_t mStepCount = 0;
		bool mLastDrawSkipped = false;
	};
}
