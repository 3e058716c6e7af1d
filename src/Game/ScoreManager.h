#pragma once

// The score of the level being played: awards and penalties as they happen, the level
// clock that the player's first input starts, and the reckoning when the level ends
// (health, time against the level's par, never below zero, nothing on a death), with
// the score screen's text revealed line by line. It counts; the text object
// "ScoreFont" shows, found when the screen shows (made then if no level brought one).

#include "Core/GameComponent.h"
#include "core/HashedName.h"

#include <cstdint>
#include <optional>
#include <string>

namespace Graphics
{
	class EmitterComponent;
	class FontComponent;
}

namespace Tarn
{
	class ScoreManager : public GameComponent
	{
		TARN_CLASS_NAME( ScoreManager )

	public:
		// The points the game hands out; a penalty of exactly kCrystalPenalty also counts
		// a crystal destroyed, an award of exactly kEnemyAward an enemy killed.
		static constexpr int32_t kCrystalPenalty = -200;
		static constexpr int32_t kEnemyAward = 100;
		static constexpr int32_t kExitAward = 1000;

		// The text object that shows the score screen, and the star field behind it.
		static constexpr const char* kScoreFontName = "ScoreFont";
		static constexpr const char* kBackgroundName = "Background";
		// The score text's letter width and line height, and its top-left corner, as
		// fractions of the window; its colour, a pale yellow.
		static constexpr float kLetterWidth = 0.015f;
		static constexpr float kLineHeight = 0.05f;
		static constexpr float kTextX = 0.3f;
		static constexpr float kTextY = 0.25f;
		static constexpr uint32_t kTextColour = 0xFFFFFF4D;

		// The end of a level in numbers.
		struct Reckoning
		{
			int32_t mCrystalsDestroyed = 0;
			int32_t mEnemiesKilled = 0;
			int32_t mHealthScore = 0;
			int32_t mTimeScore = 0;
			int32_t mFinalScore = 0;
		};

		explicit ScoreManager( Game* game ) : GameComponent( game ) {}

		void Initialise() override;
		// Removes the score font, unless something removed it already.
		void Shutdown() override;
		// Runs the level clock while started and the reveal while the score screen shows.
		void Update( GameTime& gameTime ) override;

		void AddScore( int32_t points );
		// The level clock starts at the player's first steering or firing.
		void StartClock() { mStarted = true; }

		// Works out the final score from the player's health and the time taken, says
		// in the log how the level ended ("Level N won, score S" or "Level N lost"),
		// starts revealing the score text and the background's stars.
		void ShowScoreScreen();
		void HideScoreScreen();
		// Everything back to nothing, for a new level or a new run.
		void ResetForNewRun();

		// Ten points a point of health, and 300 more for a ship without a scratch.
		static int32_t HealthScore( float health );
		// A hundred points a second under the level's par (negative over it); a level
		// without a par time scores nothing for time.
		static int32_t TimeScore( int32_t level, float elapsed );
		static std::optional<float> ParTime( int32_t level );
		// The score screen's text once `revealed` seconds have passed since it showed:
		// one more line each whole second.
		static std::string ScoreText( const Reckoning& reckoning, float revealed );

		int32_t Score() const { return mScore; }
		bool IsStarted() const { return mStarted; }
		float Elapsed() const { return mElapsed; }
		bool IsShowing() const { return mShowing; }
		const Reckoning& GetReckoning() const { return mReckoning; }
		// What the score font shows now; empty until the score screen shows.
		const std::string& Text() const { return mText; }

	private:
		// The score font's text component; with `make`, made when there is none.
		Graphics::FontComponent* ScoreFont( bool make ) const;
		// The background's star field, when there is a background.
		static Graphics::EmitterComponent* BackgroundStars();

		int32_t mScore = 0;
		bool mStarted = false;
		float mElapsed = 0.0f;
		float mRevealTimer = 0.0f;
		bool mShowing = false;
		Reckoning mReckoning;
		std::string mText;
	};
}
