#include "Game/ScoreManager.h"

#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Game/Player.h"
#include "GameStates/LevelManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/Font.h"
#include "Graphics/FontComponent.h"
#include "Physics/StatsComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <array>
#include <cmath>

namespace Tarn
{
	namespace
	{
		// The par time of each campaign level, in seconds of game time.
		constexpr std::array<float, 18> kParTimes = { 20, 30, 30, 40, 70, 30, 30, 30, 20,
			                                          100, 20, 40, 30, 30, 50, 40, 80, 100 };
		constexpr float kFullHealth = 100.0f;
		constexpr int32_t kPointsPerHealth = 10;
		constexpr int32_t kUnscratchedBonus = 300;
		constexpr float kPointsPerSecond = 100.0f;
	}

	void ScoreManager::Initialise() { ResetForNewRun(); }

	void ScoreManager::Shutdown()
	{
		mShowing = false;
		// Looked up by name: an object the object manager has destroyed is simply not found.
		ObjectManager& objects = ObjectManager::Instance();
		if ( objects.GetObject( HashedName( kScoreFontName ) ) )
			objects.DestroyObject( kScoreFontName );
	}

	Graphics::FontComponent* ScoreManager::ScoreFont( bool make ) const
	{
		ObjectManager& objects = ObjectManager::Instance();
		Object* font = objects.GetObject( HashedName( kScoreFontName ) );
		if ( !font && make )
		{
			font = objects.CreateObject( Graphics::Font::ClassHashedName(), kScoreFontName );
			if ( font )
				objects.InitialiseObject( font );
		}
		return font ? font->GetComponent<Graphics::FontComponent>() : nullptr;
	}

	Graphics::EmitterComponent* ScoreManager::BackgroundStars()
	{
		Object* background = ObjectManager::Instance().GetObject( HashedName( kBackgroundName ) );
		return background ? background->GetComponent<Graphics::EmitterComponent>() : nullptr;
	}

	void ScoreManager::Update( GameTime& gameTime )
	{
		if ( mStarted )
			mElapsed += gameTime.ElapsedSeconds;
		if ( mShowing )
		{
			mRevealTimer += gameTime.ElapsedSeconds;
			mText = ScoreText( mReckoning, mRevealTimer );
			if ( Graphics::FontComponent* font = ScoreFont( false ) )
				font->mText = mText;
		}
	}

	void ScoreManager::AddScore( int32_t points )
	{
		mScore += points;
		if ( points == kCrystalPenalty )
			++mReckoning.mCrystalsDestroyed;
		else if ( points == kEnemyAward )
			++mReckoning.mEnemiesKilled;
	}

	int32_t ScoreManager::HealthScore( float health )
	{
		int32_t score = static_cast<int32_t>( health ) * kPointsPerHealth;
		if ( health == kFullHealth )
			score += kUnscratchedBonus;
		return score;
	}

	std::optional<float> ScoreManager::ParTime( int32_t level )
	{
		if ( level < 1 || level > static_cast<int32_t>( kParTimes.size() ) )
			return std::nullopt;
		return kParTimes[static_cast<size_t>( level - 1 )];
	}

	int32_t ScoreManager::TimeScore( int32_t level, float elapsed )
	{
		// Without a par there is nothing to beat; counting the seconds taken would
		// reward the slowest run.
		const std::optional<float> par = ParTime( level );
		if ( !par )
			return 0;
		return static_cast<int32_t>( ( *par - elapsed ) * kPointsPerSecond );
	}

	std::string ScoreManager::ScoreText( const Reckoning& reckoning, float revealed )
	{
		std::string text;
		if ( revealed > 1.0f )
			text += "Crystals Destroyed " + std::to_string( reckoning.mCrystalsDestroyed ) + " x " +
			        std::to_string( kCrystalPenalty );
		if ( revealed > 2.0f )
			text += "\nEnemies Killed             " + std::to_string( reckoning.mEnemiesKilled ) + " x +" +
			        std::to_string( kEnemyAward );
		if ( revealed > 3.0f )
			text += "\nHealth                           +" + std::to_string( reckoning.mHealthScore );
		if ( revealed > 4.0f )
			text += "\nTime                                 " + std::string( reckoning.mTimeScore > 0 ? "+" : "" ) +
			        std::to_string( reckoning.mTimeScore );
		if ( revealed > 5.0f )
			text += "\nFinal Score                  " + std::to_string( reckoning.mFinalScore );
		return text;
	}

	void ScoreManager::ShowScoreScreen()
	{
		const LevelManager* levels = Services::Get<LevelManager>();
		const int32_t level = levels ? levels->mLevelNumber : 0;
		Object* player = FindPlayer();

		const auto* stats = player ? player->GetComponent<Physics::StatsComponent>() : nullptr;
		const auto* machine = player ? player->GetComponent<StateMachines::StateMachineComponent>() : nullptr;
		const bool died = machine && machine->mState == StateMachines::STATE_DIE;

		mReckoning.mHealthScore = HealthScore( stats ? stats->mHealth : 0.0f );
		mReckoning.mTimeScore = TimeScore( level, mElapsed );
		const int32_t sum = mScore + mReckoning.mTimeScore + mReckoning.mHealthScore;
		mReckoning.mFinalScore = died ? 0 : std::max( sum, 0 );
		mShowing = true;
		mRevealTimer = 0.0f;
		mText.clear();
		if ( Graphics::FontComponent* font = ScoreFont( true ) )
		{
			font->mWidthScale = kLetterWidth;
			font->mHeightScale = kLineHeight;
			font->RecreateFont();
			font->mX = kTextX;
			font->mY = kTextY;
			font->mColour = kTextColour;
			font->mText = mText;
			font->mVisible = true;
		}
		if ( Graphics::EmitterComponent* stars = BackgroundStars() )
			stars->BackgroundStarColor();

		if ( died )
			LOG_INFO( "Level " << level << " lost" );
		else
		{
			LOG_INFO( "Level " << level << " won, score " << mReckoning.mFinalScore );
			// On a line of its own, so that a run played from a script shows whether it
			// beat the level's par, whatever the other lines added.
			LOG_INFO( "Level " << level << " time score " << mReckoning.mTimeScore );
		}
	}

	void ScoreManager::HideScoreScreen()
	{
		mShowing = false;
		mText.clear();
		if ( Graphics::FontComponent* font = ScoreFont( false ) )
			font->mVisible = false;
		if ( Graphics::EmitterComponent* stars = BackgroundStars() )
			stars->mEmitComplete = true;
	}

	void ScoreManager::ResetForNewRun()
	{
		HideScoreScreen();
		mScore = 0;
		mReckoning = Reckoning();
		mRevealTimer = 0.0f;
		mStarted = false;
		mElapsed = 0.0f;
	}
}
