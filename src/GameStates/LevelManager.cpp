#include "GameStates/LevelManager.h"

#include "Core/GameWindow/GameProject.h"
#include "Core/ObjectManager.h"
#include "GameStates/LevelObject.h"
#include "Graphics/Camera.h"
#include "Input/KeyCodes.h"
#include "Input/KeyboardManager.h"
#include "Platform/TweakBar.h"
#include "Physics/CollisionManager.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>

namespace Tarn
{
	namespace
	{
		// Ids continue across managers for the whole process.
		int32_t& NextLevelId()
		{
			static int32_t next = 0;
			return next;
		}

		template <typename T>
		void SetEnabled( bool enabled )
		{
			if ( T* service = Services::Get<T>() )
				service->mEnabled = enabled;
		}

		bool Contains( const std::string& text, const char* word ) { return text.find( word ) != std::string::npos; }

		constexpr uint32_t kLoadKey = Key::F1;
		constexpr uint32_t kSaveKey = Key::F1 + 1;      // F2
		constexpr uint32_t kNextLevelKey = Key::F1 + 8; // F9
		// The camera a level wider than the screen carries, to follow the ship.
		constexpr const char* kCameraName = "Camera1";
	}

	LevelManager::LevelManager( Game* game ) : DrawableGameComponent( game )
	{
		mEnabled = false;
		mVisible = false;
	}

	void LevelManager::Update( GameTime& )
	{
		if ( --mUpdateCountdown <= 0 )
		{
			mUpdateCountdown = 0;
			mEnabled = false;
		}
	}

	void LevelManager::EnableFor( int32_t updates )
	{
		mUpdateCountdown = updates;
		mEnabled = updates > 0;
	}

	void LevelManager::Initialise()
	{
		if ( KeyboardManager* keyboard = Services::Get<KeyboardManager>() )
		{
			keyboard->mOnKeyPressed.Subscribe( this, &LevelManager::OnKey );
			mSubscribed = true;
		}

		mIdPool.clear();
		for ( size_t i = 0; i < kIdPoolSize; ++i )
			mIdPool.push_back( ++NextLevelId() );

		ObjectManager& objects = ObjectManager::Instance();
		LevelObject** const levels[] = { &mCurrentLevel, &mMainMenu, &mInGameGUI, &mScoreScreen };
		const char* const names[] = { "Level1", "MainMenu", "InGameGUI", "ScoreScreen" };
		for ( size_t i = 0; i < 4; ++i )
		{
			auto* level = static_cast<LevelObject*>( objects.CreateObject( LevelObject::ClassHashedName(), names[i] ) );
			objects.InitialiseObject( level );
			*levels[i] = level;
		}

		// The bar that names the file F1 and F2 load and save. Its object buttons
		// belong to the level editor and join it there.
		TwBar* bar = TwNewBar( "LevelManager" );
		mTweakBar = bar;
		TwDefine( "LevelManager position='950 0'" );
		const TwType levelNumbers = TwDefineEnumFromString(
		    "Current Level", "LEVEL_1, LEVEL_2, LEVEL_3, LEVEL_4, LEVEL_5, LEVEL_6, LEVEL_7, LEVEL_8, LEVEL_9, LEVEL_10, TUT_LEVEL, NOT_LEVEL" );
		TwAddVarRW( bar, "Current Level", levelNumbers, &mLevelNumber, "group='Level'" );
		TwAddVarRW( bar, "Level file", TW_TYPE_STDSTRING, &mLevelFile, "group=File" );
	}

	void LevelManager::Shutdown()
	{
		mLevelFiles.clear();
		if ( mTweakBar )
			TwDeleteBar( static_cast<TwBar*>( mTweakBar ) );
		mTweakBar = nullptr;
		if ( mSubscribed )
		{
			if ( KeyboardManager* keyboard = Services::Get<KeyboardManager>() )
				keyboard->mOnKeyPressed.Unsubscribe( this, &LevelManager::OnKey );
			mSubscribed = false;
		}
	}

	int32_t LevelManager::TakeId()
	{
		if ( mIdPool.empty() )
			return -1;
		const int32_t id = mIdPool.front();
		mIdPool.erase( mIdPool.begin() );
		return id;
	}

	void LevelManager::RestartLevelIds() { NextLevelId() = 0; }

	ResourceRecord* LevelManager::LevelFile( int32_t id ) const
	{
		const auto found = mLevelFiles.find( id );
		return found == mLevelFiles.end() ? nullptr : found->second;
	}

	void LevelManager::AddLevel( LevelObject* level )
	{
		const int32_t id = level->mLevelId;
		if ( std::find( mIdPool.begin(), mIdPool.end(), id ) != mIdPool.end() )
		{
			LOG_ERROR( "Attemping to re-add an existing object to the list! Object: " << level->mName.GetName() );
			return;
		}
		const std::string& name = level->mName.GetName();
		const std::string resource = Contains( name, "Level" ) ? "Level" + std::to_string( id ) : name;
		mLevelFiles[id] = FileSystem::Instance().GetResource( resource.c_str() );
		mIdPool.push_back( id );
	}

	void LevelManager::RemoveLevel( LevelObject* level )
	{
		for ( LevelObject** kept : { &mCurrentLevel, &mMainMenu, &mInGameGUI, &mScoreScreen } )
			if ( *kept == level )
				*kept = nullptr;
		const auto found = std::find( mIdPool.begin(), mIdPool.end(), level->mLevelId );
		if ( found == mIdPool.end() )
		{
			LOG_ERROR( "Attemping to remove an object that doesn't exist in the list! Object: " << level->mName.GetName() );
			return;
		}
		*found = mIdPool.back();
		mIdPool.pop_back();
	}

	bool LevelManager::LoadLevel( int32_t number )
	{
		mLevelNumber = number;
		if ( !mCurrentLevel )
		{
			LOG_ERROR( "There is no playing level to load level " << number << " into." );
			return false;
		}
		mCurrentLevel->DestroyAllObjects();
		if ( auto* collision = Services::Get<Physics::CollisionManager>() )
			collision->ClearPairs();
		const std::string id = "Level" + std::to_string( number );
		ResourceRecord* record = FileSystem::Instance().GetResource( id.c_str() );
		if ( !record )
			return false;
		mCurrentLevel->Deserialise( *record );
		if ( auto* camera = ObjectManager::Instance().GetObjectOfType<Graphics::Camera>( HashedName( kCameraName ) ) )
		{
			camera->StartFollowing();
			camera->CentreOnPlayer();
		}
		return true;
	}

	void LevelManager::LoadNextLevel() { LoadLevel( mLevelNumber + 1 ); }

	bool LevelManager::SavePlayingLevel( const std::string& path )
	{
		if ( !mCurrentLevel )
		{
			LOG_ERROR( "There is no playing level to save to " << path << "." );
			return false;
		}
		const ResourceRecord record = FileSystem::ParseRecord( path, true );
		if ( !mCurrentLevel->Save( record ) )
			return false;
		LOG_INFO( "Saved the playing level to " << record.mPath << "." );
		return true;
	}

	LevelObject* LevelManager::ChosenLevel() const
	{
		if ( Contains( mLevelFile, "MainMenu" ) )
			return mMainMenu;
		if ( Contains( mLevelFile, "InGameGUI" ) )
			return mInGameGUI;
		if ( Contains( mLevelFile, "ScoreScreen" ) )
			return mScoreScreen;
		return mCurrentLevel;
	}

	void LevelManager::OnKey( uint32_t key, uint32_t )
	{
		const bool load = key == kLoadKey;
		const bool save = key == kSaveKey;
		if ( key == kNextLevelKey )
		{
			LoadNextLevel();
			return;
		}
		if ( !load && !save )
			return;
		if ( mLevelFile.empty() )
		{
			LOG_WARNING( "No level file is chosen: fill in \"Level file\" before " << ( load ? "loading." : "saving." ) );
			return;
		}
		LevelObject* level = ChosenLevel();
		ResourceRecord* record = FileSystem::Instance().GetResource( mLevelFile.c_str() );
		if ( !level || !record || !record->NamesFile() )
			return;
		if ( load )
			level->Deserialise( *record );
		else if ( level->Save( *record ) )
			LOG_INFO( "Saved " << level->mName.GetName() << " to " << record->mPath << "." );
	}

	void LevelManager::SetServicesEnabled( bool enabled )
	{
		SetEnabled<Graphics::GraphicsManager>( enabled );
		SetEnabled<Graphics::TextureManager>( enabled );
		SetEnabled<Graphics::AnimationManager>( enabled );
		SetEnabled<Physics::PhysicsManager>( enabled );
		SetEnabled<Physics::CollisionManager>( enabled );
		SetEnabled<ShadowManager>( enabled );
		SetEnabled<Graphics::ParticleManager>( enabled );
		SetEnabled<SoundManager>( enabled );
		SetEnabled<SkillManager>( enabled );
		SetEnabled<Graphics::StatusBarManager>( enabled );
		SetEnabled<Graphics::TextManager>( enabled );
		SetEnabled<ButtonManager>( enabled );
		SetEnabled<StateMachines::StateMachineManager>( enabled );
		SetEnabled<ScoreManager>( enabled );
		SetEnabled<Graphics::FontManager>( enabled );
		SetEnabled<DebugToolsManager>( enabled );
		SetEnabled<PropertyEditor>( enabled );
	}

	void LevelManager::PauseServices() { SetServicesEnabled( false ); }

	void LevelManager::ResumeServices() { SetServicesEnabled( true ); }
}
