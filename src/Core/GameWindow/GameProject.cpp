#include "Core/GameWindow/GameProject.h"

#include "Core/GameStateManager.h"
#include "GameStates/MainMenuState.h"
#include "Platform/Clock.h"
#include "Platform/Display.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"

#include <string>
#include <type_traits>
#include <utility>

namespace Tarn
{
	namespace
	{
		template <typename T>
		void AddToContainer( GameComponentContainer& components, T* service )
		{
			if constexpr ( std::is_base_of_v<DrawableGameComponent, T> )
				components.AddDrawableComponent( service );
			else
				components.AddComponent( service );
		}

		template <typename T>
		void RemoveFromContainer( GameComponentContainer& components, T* service )
		{
			if constexpr ( std::is_base_of_v<DrawableGameComponent, T> )
				components.RemoveDrawableComponent( service );
			else
				components.RemoveComponent( service );
		}

		template <typename T>
		void CreateService( Game* game, GameComponentContainer& components )
		{
			T* service = new T( game );
			AddToContainer( components, service );
			Services::Add<T>( service );
		}

		template <typename T>
		void DestroyService( GameComponentContainer& components )
		{
			T* service = Services::Get<T>();
			if ( !service )
				return;
			RemoveFromContainer( components, service );
			Services::Remove<T>();
			delete service;
		}

		template <size_t... I>
		void CreateAll( Game* game, GameComponentContainer& components, std::index_sequence<I...> )
		{
			( CreateService<std::tuple_element_t<I, HeapServices>>( game, components ), ... );
		}

		template <size_t... I>
		void DestroyAllReversed( GameComponentContainer& components, std::index_sequence<I...> )
		{
			constexpr size_t last = sizeof...( I ) - 1;
			( DestroyService<std::tuple_element_t<last - I, HeapServices>>( components ), ... );
		}
	}

	GameProject::GameProject( const LaunchOptions& options )
	    : mWindow( this ), mKeyboard( this ), mMouse( this ), mOptions( options )
	{
		if ( options.mHeadless )
		{
			// No window, no sound device, no real time.
			Platform::UseHeadlessDrivers();
			mClock = std::make_unique<Platform::FixedStepClock>();
		}
		else
			mClock = std::make_unique<Platform::RealClock>();
		SetClock( mClock.get() );
		SetStepLimit( options.mFrames );

		// The player's last choice of full screen, unless the command line makes one.
		mPlayerOptionsFile = PlayerOptions::FilePath();
		mPlayerOptions = PlayerOptions::Load( mPlayerOptionsFile );
		if ( options.mWindowMode == WindowMode::Default )
			mWindow.Settings().mFullscreen = mPlayerOptions.mFullScreen;
		else if ( options.mWindowMode == WindowMode::Windowed )
		{
			mWindow.Settings().mFullscreen = false;
			GameWindow::SetFullscreenRequested( false );
		}
		else if ( options.mWindowMode == WindowMode::Fullscreen )
		{
			mWindow.Settings().mFullscreen = true;
			GameWindow::SetFullscreenRequested( true );
		}
		mWindow.mOnClose.Subscribe( this, &GameProject::OnWindowClose );

		mComponents.AddComponent( &mWindow );
		Services::Add<GameWindow>( &mWindow );
		mComponents.AddComponent( &mKeyboard );
		Services::Add<KeyboardManager>( &mKeyboard );
		mComponents.AddComponent( &mMouse );
		Services::Add<MouseManager>( &mMouse );
	}

	GameProject::~GameProject()
	{
		DestroyComponents();
		mWindow.mOnClose.Unsubscribe( this, &GameProject::OnWindowClose );

		Services::Remove<MouseManager>();
		Services::Remove<KeyboardManager>();
		Services::Remove<GameWindow>();
		mComponents.RemoveComponent( &mMouse );
		mComponents.RemoveComponent( &mKeyboard );
		mComponents.RemoveComponent( &mWindow );
	}

	void GameProject::OnWindowClose()
	{
		if ( !IsExiting() )
			Exit();
	}

	void GameProject::RegisterResources()
	{
		FileSystem& files = FileSystem::Instance();
		files.AddResource( "spritesheet", "/resource/sheet.xml" );
		files.AddResource( "Camera", "/resource/Camera.xml" );
		for ( int level = 1; level <= 20; ++level )
		{
			const std::string id = "Level" + std::to_string( level );
			files.AddResource( id.c_str(), ( "/resource/Levels/" + id + ".xml" ).c_str() );
		}
		files.AddResource( "MainMenu", "/resource/Levels/MainMenu.xml" );
		files.AddResource( "InGameGUI", "/resource/Levels/InGameGUI.xml" );
		files.AddResource( "ScoreScreen", "/resource/Levels/ScoreScreen.xml" );

		// The exchange files through which objects and components pass their XML.
		// SkillsComponent is registered once: a second registration would only be
		// refused, with an error in the log at every start.
		static const char* const kExchangeTypes[] = {
			"ObjectDefault",      "TransformComponent",  "MeshComponent",         "AnimationComponent",
			"CollisionComponent", "EmitterComponent",    "FontComponent",         "StatsComponent",
			"SkillsComponent",    "VertexComponent",     "LineComponent",
			"SwitchComponent",    "StateMachineComponent", "StatusBarComponent",  "MineComponent",
			"GateComponent",      "CollisionDebugComponent", "BeamComponent",     "BeamEffectComponent",
			"ButtonComponent",    "ShaderComponent",
		};
		for ( const char* type : kExchangeTypes )
			files.AddUserFile( ( std::string( "\\" ) + type + ".xml" ).c_str(), type );
	}

	void GameProject::CreateComponents()
	{
		if ( mComponentsCreated )
			return;
		CreateAll( this, mComponents, std::make_index_sequence<std::tuple_size_v<HeapServices>>() );
		mComponentsCreated = true;
		Services::Get<ButtonManager>()->SetOptions( mPlayerOptions, mPlayerOptionsFile );
		Services::Get<GameLevelSelector>()->SetFilePath( GameLevelSelector::FilePath() );
		if ( !mOptions.mScreenshotFile.empty() )
			Services::Get<Graphics::GraphicsManager>()->RequestScreenshot( mOptions.mScreenshotFile );
	}

	void GameProject::DestroyComponents()
	{
		if ( !mComponentsCreated )
			return;
		DestroyAllReversed( mComponents, std::make_index_sequence<std::tuple_size_v<HeapServices>>() );
		mComponentsCreated = false;
	}

	void GameProject::Run()
	{
		Initialise();
		LoadContent();
		StartTimer();
		// Straight into the level the command line names, or the main menu.
		GameStateManager& states = GameStateManager::Instance();
		if ( mOptions.mLevel > 0 )
		{
			if ( ButtonManager* buttons = Services::Get<ButtonManager>() )
				buttons->StartLevel( mOptions.mLevel );
		}
		else
			states.PushState( new MainMenuState() );
		states.ProcessRequests();
		Loop();
		if ( !mOptions.mSaveLevelFile.empty() )
		{
			LevelManager* levels = Services::Get<LevelManager>();
			mSaveLevelFailed = !levels || !levels->SavePlayingLevel( mOptions.mSaveLevelFile );
		}
		StopTimer();
		UnloadContent();
		Shutdown();
	}
}
