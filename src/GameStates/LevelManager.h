#pragma once

#include "Core/GameComponent.h"
#include "core/HashedName.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Tarn
{
	class LevelObject;
	struct ResourceRecord;

	// Owns the four level objects (the playing level, the main menu, the in-game
	// interface and the score screen), switches the playing level from one numbered
	// file to the next and carries the level editor's keys.
	class LevelManager : public DrawableGameComponent
	{
		TARN_CLASS_NAME( LevelManager )

	public:
		static constexpr size_t kIdPoolSize = 32;

		explicit LevelManager( Game* game );

		// Counts down the updates it was enabled for, then stops being updated.
		void Update( GameTime& gameTime ) override;
		void Draw( GameTime& ) override {}
		void Initialise() override;
		void Shutdown() override;

		void AddLevel( LevelObject* level );
		void RemoveLevel( LevelObject* level );
		// Takes the first id out of the pool; -1 when it is empty.
		int32_t TakeId();
		// The level ids count on for the whole process, as level files name their levels
		// by them; a test that starts a new game in the same process counts from 1 again.
		static void RestartLevelIds();
		ResourceRecord* LevelFile( int32_t id ) const;

		// Destroys the playing level's objects and loads the next numbered level into it.
		void LoadNextLevel();
		// Loads the level "Level" + number into the playing level and makes it current. A
		// level that holds its own camera ("Camera1"), one wider than the screen, has it
		// follow the ship.
		bool LoadLevel( int32_t number );
		// Writes the playing level to a file; false when it could not be written.
		bool SavePlayingLevel( const std::string& path );

		// Switch the game's services off and on, the window, input, objectives, level
		// manager and level selector excepted.
		void PauseServices();
		void ResumeServices();

		// Lets the manager be updated for this many more updates.
		void EnableFor( int32_t updates );

		// F1 loads and F2 saves the level named in "Level file"; F9 goes on to the next level.
		void OnKey( uint32_t key, uint32_t modifiers );

		LevelObject* GetCurrentLevel() const { return mCurrentLevel; }
		LevelObject* GetMainMenu() const { return mMainMenu; }
		LevelObject* GetInGameGUI() const { return mInGameGUI; }
		LevelObject* GetScoreScreen() const { return mScoreScreen; }
		const std::vector<int32_t>& IdPool() const { return mIdPool; }

		int32_t mUpdateCountdown = 0;
		std::map<int32_t, ResourceRecord*> mLevelFiles;
		LevelObject* mCurrentLevel = nullptr;
		LevelObject* mMainMenu = nullptr;
		LevelObject* mInGameGUI = nullptr;
		LevelObject* mScoreScreen = nullptr;
		std::vector<int32_t> mIdPool;
		int32_t mLevelNumber = 0;
		std::string mLevelFile;
		void* mTweakBar = nullptr;

	private:
		// The level object the "Level file" text names.
		LevelObject* ChosenLevel() const;
		void SetServicesEnabled( bool enabled );
		bool mSubscribed = false;
	};
}
