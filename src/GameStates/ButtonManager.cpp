#include "GameStates/ButtonManager.h"
#include "GameStates/GameLevelSelector.h"

#include "Core/GameTime.h"
#include "Core/GameWindow/Game.h"
#include "Core/GameWindow/GameWindow.h"
#include "Core/ObjectManager.h"
#include "Game/ScoreManager.h"
#include "GameStates/ButtonComponent.h"
#include "GameStates/LevelManager.h"
#include "GameStates/LevelObject.h"
#include "GameStates/LoadingScreen.h"
#include "GameStates/SoundManager.h"
#include "Graphics/Camera.h"
#include "Graphics/Font.h"
#include "Graphics/FontComponent.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/MeshComponent.h"
#include "Input/KeyCodes.h"
#include "Input/KeyboardManager.h"
#include "Input/MouseManager.h"
#include "Physics/CollisionManager.h"
#include "Physics/TransformComponent.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Tarn
{
	namespace
	{
		static_assert( PlayerOptions::kVolumeStep == SoundManager::kVolumeStep, "one volume scale" );
		static_assert( PlayerOptions::kDefaultVolume == SoundManager::kStartVolume, "one start volume" );

		constexpr const char* kMainMenuLevel = "MainMenu";
		constexpr const char* kInGameLevel = "InGameGUI";
		constexpr const char* kScoreLevel = "ScoreScreen";
		constexpr const char* kCameraName = "Camera1";
		constexpr const char* kBarPicture = "resource/menu/bar row";
		constexpr int32_t kBarRows = 5;

		SoundManager* Sounds() { return Services::Get<SoundManager>(); }
		LevelManager* Levels() { return Services::Get<LevelManager>(); }
		GameWindow* Window() { return Services::Get<GameWindow>(); }

		// A checkbox: the function it carries unchecked and checked, what it shows and
		// what ticking it does.
		struct Toggle
		{
			ButtonFunction mOff;
			ButtonFunction mOn;
			bool ( *mIsOn )();
			void ( *mTurn )( bool on );
		};

		const Toggle kToggles[] = {
			{ FUNC_CHANGERESOLUTION, FUNC_CHANGERESOLUTION_NONWINDOW,
			  []() { return Window() && Window()->Settings().mFullscreen; },
			  []( bool on ) {
				  if ( GameWindow* window = Window() )
					  window->SetFullscreen( on );
			  } },
			{ FUNC_SOUND_MUTE, FUNC_SOUND_MUTED,
			  []() { return Sounds() && Sounds()->IsBackgroundMuted() && Sounds()->IsEffectsMuted(); },
			  []( bool on ) {
				  if ( SoundManager* sounds = Sounds() )
					  on ? sounds->MuteAll() : sounds->UnmuteAll();
			  } },
			{ FUNC_MUSIC_MUTE, FUNC_MUSIC_MUTED, []() { return Sounds() && Sounds()->IsBackgroundMuted(); },
			  []( bool on ) {
				  if ( SoundManager* sounds = Sounds() )
					  on ? sounds->MuteMusic() : sounds->UnmuteMusic();
			  } },
		};

		const Toggle* ToggleOf( int32_t function )
		{
			for ( const Toggle& toggle : kToggles )
				if ( toggle.mOff == function || toggle.mOn == function )
					return &toggle;
			return nullptr;
		}

		// An arrow of the options page: which volume it moves, which way, and the bar
		// that shows it.
		struct VolumeStep
		{
			ButtonFunction mFunction;
			void ( SoundManager::*mStep )();
			float SoundManager::*mVolume;
			ButtonFunction mBar;
		};

		const VolumeStep kVolumeSteps[] = {
			{ FUNC_SOUND_INC, &SoundManager::RaiseEffectsVolume, &SoundManager::mEffectsVolume, FUNC_SOUNDFX_BAR },
			{ FUNC_SOUND_DEC, &SoundManager::LowerEffectsVolume, &SoundManager::mEffectsVolume, FUNC_SOUNDFX_BAR },
			{ FUNC_MUSIC_SOUND_INC, &SoundManager::RaiseMusicVolume, &SoundManager::mMusicVolume, FUNC_MUSICFX_BAR },
			{ FUNC_MUSIC_SOUND_DEC, &SoundManager::LowerMusicVolume, &SoundManager::mMusicVolume, FUNC_MUSICFX_BAR },
		};

		// The volume each bar shows.
		struct VolumeBar
		{
			ButtonFunction mBar;
			float SoundManager::*mVolume;
		};

		const VolumeBar kVolumeBars[] = {
			{ FUNC_SOUNDFX_BAR, &SoundManager::mEffectsVolume },
			{ FUNC_MUSICFX_BAR, &SoundManager::mMusicVolume },
		};

		// The pages the functions that open a page open.
		struct PageOpener
		{
			ButtonFunction mFunction;
			ButtonGroup mPage;
		};

		constexpr PageOpener kPageOpeners[] = {
			{ FUNC_OPTIONS, GRP_OPTIONS },
			{ FUNC_HOWTOPLAY, GRP_HOWTOPLAY },
			{ FUNC_CREDITS, GRP_CREDITS },
			{ FUNC_LEVEL_SELECT, GRP_LEVEL_SELECT },
		};

		// "bar row0.png" to "bar row5.png" show the volumes 0 to 1 in steps of 0.2.
		std::string BarPicture( float volume )
		{
			const long row = std::clamp( std::lround( volume * 10.0f ) / 2, 0L, long( kBarRows ) );
			return kBarPicture + std::to_string( row ) + ".png";
		}

		// What a key does on a page.
		struct KeyMove
		{
			uint32_t mKey;
			Vector2 mDirection;
		};

		constexpr KeyMove kKeyMoves[] = {
			{ Key::Up, { 0.0f, 1.0f } },
			{ Key::Down, { 0.0f, -1.0f } },
			{ Key::Left, { -1.0f, 0.0f } },
			{ Key::Right, { 1.0f, 0.0f } },
		};

		// A button the keys can reach does something when activated.
		bool Reachable( const ButtonComponent& button )
		{
			return button.IsClickable() && button.mFunction != FUNC_NONE && button.mFunction != FUNC_SOUNDFX_BAR &&
			       button.mFunction != FUNC_MUSICFX_BAR && button.mFunction != FUNC_LEVEL_GO;
		}

		ButtonComponent* ButtonOf( const HashedName& name )
		{
			Object* object = ObjectManager::Instance().GetObject( name );
			return object ? object->GetComponent<ButtonComponent>() : nullptr;
		}

		TransformComponent* TransformOf( const ButtonComponent& button )
		{
			return button.mOwner->GetComponent<TransformComponent>();
		}

		void SetScale( ButtonComponent& button, Vector2 scale )
		{
			if ( TransformComponent* transform = TransformOf( button ) )
			{
				transform->mXScaleFactor = scale.X;
				transform->mYScaleFactor = scale.Y;
				transform->UpdateWorldMatrix();
			}
		}
	}

	bool MenusHoldInput()
	{
		const ButtonManager* buttons = Services::Get<ButtonManager>();
		return buttons && buttons->HoldsInput();
	}

	ButtonManager::ButtonManager( Game* game ) : GameComponent( game )
	{
		for ( int32_t group = GRP_MAINMENU; group < GRP_TOTAL; ++group )
			mButtons[ButtonGroup( group )];
	}

	const std::array<ButtonManager::Action, FUNC_TOTALNO>& ButtonManager::Actions()
	{
		static const std::array<Action, FUNC_TOTALNO> kActions = []() {
			std::array<Action, FUNC_TOTALNO> actions;
			actions.fill( &ButtonManager::DoNothing );
			actions[FUNC_START] = &ButtonManager::Start;
			for ( const PageOpener& opener : kPageOpeners )
				actions[opener.mFunction] = &ButtonManager::OpenAtOnce;
			for ( const Toggle& toggle : kToggles )
				actions[toggle.mOff] = actions[toggle.mOn] = &ButtonManager::FlipToggle;
			for ( const VolumeStep& step : kVolumeSteps )
				actions[step.mFunction] = &ButtonManager::StepVolume;
			actions[FUNC_CONFIRMATION_YES] = &ButtonManager::ConfirmYes;
			actions[FUNC_CONFIRMATION_NO] = &ButtonManager::ConfirmNo;
			actions[FUNC_BACK] = &ButtonManager::Back;
			actions[FUNC_EXITGAME] = actions[FUNC_EXITPROGRAM] = &ButtonManager::AskToConfirm;
			actions[FUNC_RESTART_LEVEL] = &ButtonManager::RestartLevel;
			actions[FUNC_RETURN] = &ButtonManager::Return;
			actions[FUNC_NEXT_LEVEL] = &ButtonManager::NextLevel;
			for ( int32_t function = FUNC_LEVEL_1; function <= FUNC_LEVEL_20; ++function )
				actions[size_t( function )] = &ButtonManager::ChooseLevel;
			return actions;
		}();
		return kActions;
	}

	// ---- Start and end ----

	void ButtonManager::SetOptions( const PlayerOptions& options, const std::string& path )
	{
		mOptions = options;
		mOptionsPath = path;
	}

	void ButtonManager::Initialise()
	{
		if ( !mListening )
		{
			if ( MouseManager* mouse = Services::Get<MouseManager>() )
			{
				mouse->mOnMove.Subscribe( this, &ButtonManager::OnMouseMove );
				mouse->mOnButtonPressed.Subscribe( this, &ButtonManager::OnMouseButton );
			}
			if ( KeyboardManager* keyboard = Services::Get<KeyboardManager>() )
				keyboard->mOnKeyPressed.Subscribe( this, &ButtonManager::OnKey );
			// After the sound manager's own handler, which unmutes everything.
			if ( GameWindow* window = Window() )
			{
				window->mOnFocusGained.Subscribe( this, &ButtonManager::OnFocusGained );
				window->mOnMouseLeave.Subscribe( this, &ButtonManager::OnMouseLeave );
			}
			mListening = true;
		}

		ObjectManager& objects = ObjectManager::Instance();
		if ( !objects.GetObject( HashedName( LoadingScreen::kObjectName ) ) )
			if ( Object* loading = objects.CreateObject( LoadingScreen::ClassHashedName(), LoadingScreen::kObjectName ) )
				objects.InitialiseObject( loading );
		if ( !objects.GetObject( HashedName( kClickToContinueName ) ) )
			if ( Object* text = objects.CreateObject( Graphics::Font::ClassHashedName(), kClickToContinueName ) )
				objects.InitialiseObject( text );
		if ( Graphics::FontComponent* text = ClickToContinue() )
		{
			text->mDrawOrder = LoadingScreen::kTipDrawOrder;
			text->Lay( kClickToContinueX, kClickToContinueY, kClickToContinueWidth, kClickToContinueHeight );
			text->mText = kClickToContinueText;
			text->mVisible = false;
		}
		ApplyOptions();
	}

	void ButtonManager::Shutdown()
	{
		if ( mListening )
		{
			if ( MouseManager* mouse = Services::Get<MouseManager>() )
			{
				mouse->mOnMove.Unsubscribe( this, &ButtonManager::OnMouseMove );
				mouse->mOnButtonPressed.Unsubscribe( this, &ButtonManager::OnMouseButton );
			}
			if ( KeyboardManager* keyboard = Services::Get<KeyboardManager>() )
				keyboard->mOnKeyPressed.Unsubscribe( this, &ButtonManager::OnKey );
			if ( GameWindow* window = Window() )
			{
				window->mOnFocusGained.Unsubscribe( this, &ButtonManager::OnFocusGained );
				window->mOnMouseLeave.Unsubscribe( this, &ButtonManager::OnMouseLeave );
			}
			mListening = false;
		}
		mPages.clear();
		mPending.clear();
		for ( auto& [group, buttons] : mButtons )
			buttons.clear();
		mBlinking = mScoreZoom = mPaused = mAwaitingAnswer = mInLevel = mCameraHeld = false;
	}

	// ---- The player's options ----

	void ButtonManager::ApplyOptions()
	{
		if ( SoundManager* sounds = Sounds() )
		{
			sounds->SetEffectsVolume( mOptions.mEffectsVolume );
			sounds->SetMusicVolume( mOptions.mMusicVolume );
		}
		OnFocusGained();
	}

	void ButtonManager::OnFocusGained()
	{
		// The window coming back unmutes everything; what the player muted stays muted.
		SoundManager* sounds = Sounds();
		if ( !sounds )
			return;
		if ( mOptions.mSoundMuted )
			sounds->MuteAll();
		else if ( mOptions.mMusicMuted )
			sounds->MuteMusic();
	}

	void ButtonManager::SaveOptions()
	{
		if ( const SoundManager* sounds = Sounds() )
		{
			mOptions.mEffectsVolume = sounds->mEffectsVolume;
			mOptions.mMusicVolume = sounds->mMusicVolume;
			mOptions.mSoundMuted = sounds->IsBackgroundMuted() && sounds->IsEffectsMuted();
			mOptions.mMusicMuted = sounds->IsBackgroundMuted();
		}
		if ( const GameWindow* window = Window() )
			mOptions.mFullScreen = window->Settings().mFullscreen;
		if ( !mOptionsPath.empty() )
			mOptions.Save( mOptionsPath );
	}

	// ---- The buttons of each page ----

	void ButtonManager::File( ButtonComponent& button )
	{
		Unfile( button );
		if ( !IsButtonGroup( button.mGroup ) )
		{
			LOG_WARNING( button.mOwner->GetName().GetName() << ": the button group " << int32_t( button.mGroup )
			                                                 << " is no page; the button stays on none." );
			return;
		}
		mButtons[button.mGroup].push_back( &button );
		RefreshToggle( button );
		RefreshVolumeBar( button );
	}

	void ButtonManager::Unfile( ButtonComponent& button )
	{
		for ( auto& [group, buttons] : mButtons )
			std::erase( buttons, &button );
	}

	const std::vector<ButtonComponent*>& ButtonManager::Buttons( ButtonGroup group ) const
	{
		static const std::vector<ButtonComponent*> kNone;
		const auto found = mButtons.find( group );
		return found == mButtons.end() ? kNone : found->second;
	}

	ButtonComponent* ButtonManager::FindButton( ButtonFunction function ) const
	{
		for ( const auto& [group, buttons] : mButtons )
			for ( ButtonComponent* button : buttons )
				if ( button->mFunction == function )
					return button;
		return nullptr;
	}

	void ButtonManager::RefreshToggle( ButtonComponent& button )
	{
		const Toggle* toggle = ToggleOf( button.mFunction );
		if ( !toggle )
			return;
		button.mFunction = toggle->mIsOn() ? toggle->mOn : toggle->mOff;
		button.ShowFunctionPicture( button.mHovered );
	}

	void ButtonManager::RefreshVolumeBar( ButtonComponent& button )
	{
		const SoundManager* sounds = Sounds();
		for ( const VolumeBar& bar : kVolumeBars )
			if ( sounds && button.mFunction == bar.mBar )
				button.ShowPicture( BarPicture( sounds->*bar.mVolume ) );
	}

	void ButtonManager::RefreshToggles()
	{
		for ( auto& [group, buttons] : mButtons )
			for ( ButtonComponent* button : buttons )
			{
				RefreshToggle( *button );
				RefreshVolumeBar( *button );
			}
	}

	// ---- Pages ----

	std::optional<ButtonGroup> ButtonManager::TopPage() const
	{
		if ( mPages.empty() )
			return std::nullopt;
		return mPages.back();
	}

	void ButtonManager::ShowPage( ButtonGroup group )
	{
		for ( ButtonComponent* button : Buttons( group ) )
		{
			button->Show();
			// A level whose file is not there yet, or one past the campaign, is shown
			// dimmed (locked) and takes no click.
			if ( IsLevelFunction( button->mFunction ) && !IsOffered( LevelOfFunction( button->mFunction ) ) )
			{
				button->SetShade( ButtonComponent::kDimmed );
				button->mActiveButton = false;
			}
		}
		if ( group == GRP_LEVEL_SELECT )
			if ( const GameLevelSelector* selector = Services::Get<GameLevelSelector>() )
				selector->ApplyPictures( Buttons( group ) );
	}

	void ButtonManager::HidePage( ButtonGroup group )
	{
		for ( ButtonComponent* button : Buttons( group ) )
		{
			button->Unhover();
			button->Hide();
		}
	}

	void ButtonManager::ConcealPage( ButtonGroup group )
	{
		for ( ButtonComponent* button : Buttons( group ) )
			button->Conceal();
	}

	void ButtonManager::ConcealAllPages()
	{
		for ( const ButtonGroup page : mPages )
			ConcealPage( page );
		mPages.clear();
	}

	void ButtonManager::OpenPage( ButtonGroup group )
	{
		if ( const std::optional<ButtonGroup> top = TopPage() )
			HidePage( *top );
		mPages.push_back( group );
		ShowPage( group );
		LOG_INFO( "Menu page opened: " << ButtonGroupName( group ) << "." );
	}

	void ButtonManager::ClosePage( ButtonGroup group )
	{
		// A page under the top one (or none) closing would leave the pages out of step.
		if ( TopPage() != group )
		{
			LOG_WARNING( "The menu page " << int32_t( group ) << " is not the top page; it stays open." );
			return;
		}
		ConcealPage( group );
		mPages.pop_back();
		if ( const std::optional<ButtonGroup> top = TopPage() )
			ShowPage( *top );
		LOG_INFO( "Menu page closed: " << ButtonGroupName( group ) << "." );
	}

	void ButtonManager::AskConfirmation( ButtonFunction function )
	{
		if ( const std::optional<ButtonGroup> top = TopPage() )
			HidePage( *top );
		ShowPage( GRP_CONFIRMATION );
		mPages.push_back( GRP_CONFIRMATION );
		Queue( function );
		mAwaitingAnswer = true;
		LOG_INFO( "Menu page opened: " << ButtonGroupName( GRP_CONFIRMATION ) << "." );
	}

	void ButtonManager::CancelConfirmation()
	{
		if ( TopPage() != GRP_CONFIRMATION )
			return;
		mPages.pop_back();
		if ( mAwaitingAnswer && !mPending.empty() )
			mPending.pop_back();
		mAwaitingAnswer = false;
		ConcealPage( GRP_CONFIRMATION );
		if ( const std::optional<ButtonGroup> top = TopPage() )
			ShowPage( *top );
		LOG_INFO( "Menu page closed: " << ButtonGroupName( GRP_CONFIRMATION ) << "." );
	}

	void ButtonManager::ToggleInGameMenu()
	{
		LevelManager* levels = Levels();
		if ( mPages.empty() )
		{
			OpenPage( GRP_IN_GAME_MENU );
			if ( levels )
				levels->PauseServices();
			mPaused = true;
			SetLevelMusicShare( kMenuMusicShare );
			HoldCamera();
			return;
		}
		ConcealAllPages();
		if ( levels )
			levels->ResumeServices();
		mPaused = false;
		LOG_INFO( "Menu pages closed: back to the level." );
		SetLevelMusicShare( 1.0f );
		if ( mCameraHeld )
			FollowCamera( true );
		mCameraHeld = false;
	}

	bool ButtonManager::CameraFollows() const
	{
		const LevelManager* levels = Levels();
		const auto* camera = ObjectManager::Instance().GetObjectOfType<Graphics::Camera>( HashedName( kCameraName ) );
		return ( levels && levels->mLevelNumber > kLastStillCameraLevel ) || ( camera && camera->mFollowPlayer );
	}

	void ButtonManager::HoldCamera()
	{
		if ( mCameraHeld || !CameraFollows() )
			return;
		FollowCamera( false );
		mCameraHeld = true;
	}

	void ButtonManager::FollowCamera( bool follow )
	{
		auto* camera = ObjectManager::Instance().GetObjectOfType<Graphics::Camera>( HashedName( kCameraName ) );
		if ( !camera )
			return;
		if ( follow )
		{
			camera->mFollowLocks.reset();
			camera->StartFollowing();
			return;
		}
		camera->mFollowPlayer = false;
		camera->mEye.x = camera->mEye.y = 0.0f;
		camera->mLook.x = camera->mLook.y = 0.0f;
	}

	void ButtonManager::SetLevelMusicShare( float share )
	{
		if ( SoundManager* sounds = Sounds() )
			sounds->SetPlaybackVolume( kLevelMusic, share );
	}

	// ---- The pointer and the keys ----

	bool ButtonManager::HoldsInput() const
	{
		const LoadingScreen* loading = GetLoadingScreen();
		return !mPages.empty() || ( loading && loading->IsShown() );
	}

	Vector2 ButtonManager::PointerInWorld( int32_t x, int32_t y ) const
	{
		const auto* graphics = Services::Get<Graphics::GraphicsManager>();
		if ( !graphics )
			return Vector2();
		const glm::vec2 world = graphics->ScreenToWorld( static_cast<float>( x ), static_cast<float>( y ) );
		return Vector2( world.x, world.y );
	}

	void ButtonManager::OnMouseMove( int32_t x, int32_t y, int32_t, int32_t )
	{
		const std::optional<ButtonGroup> top = TopPage();
		const LoadingScreen* loading = GetLoadingScreen();
		if ( !top || ( loading && loading->IsShown() ) )
			return;
		const Vector2 world = PointerInWorld( x, y );
		for ( ButtonComponent* button : Buttons( *top ) )
		{
			if ( !button->IsClickable() )
				continue;
			if ( button->Contains( world ) )
				button->Hover();
			else
				button->Unhover();
		}
	}

	void ButtonManager::OnMouseLeave()
	{
		// The pointer has gone: nothing stays highlighted under it.
		if ( const std::optional<ButtonGroup> top = TopPage() )
			for ( ButtonComponent* button : Buttons( *top ) )
				button->Unhover();
	}

	void ButtonManager::OnMouseButton( int32_t x, int32_t y, int32_t button )
	{
		const std::optional<ButtonGroup> top = TopPage();
		const LoadingScreen* loading = GetLoadingScreen();
		if ( button != MouseButton::Left || !top || ( loading && loading->IsShown() ) )
			return;
		const Vector2 world = PointerInWorld( x, y );
		// Every button under the pointer, found first: what one of them does may change
		// the pages, or take a menu level away.
		std::vector<HashedName> hit;
		for ( const ButtonComponent* candidate : Buttons( *top ) )
			if ( candidate->IsClickable() && candidate->Contains( world ) )
				hit.push_back( candidate->mOwner->GetName() );
		for ( const HashedName& name : hit )
			if ( ButtonComponent* pressed = ButtonOf( name ) )
				Activate( *pressed );
	}

	void ButtonManager::OnKey( uint32_t key, uint32_t )
	{
		const LoadingScreen* loading = GetLoadingScreen();
		if ( loading && loading->IsShown() )
			return;
		for ( const KeyMove& move : kKeyMoves )
			if ( key == move.mKey && TopPage() )
				MoveHighlight( move.mDirection );
		if ( key == Key::Enter && TopPage() )
			ActivateHighlighted();
		else if ( key == Key::Escape )
			GoBack();
	}

	ButtonComponent* ButtonManager::Highlighted() const
	{
		const std::optional<ButtonGroup> top = TopPage();
		if ( !top )
			return nullptr;
		for ( ButtonComponent* button : Buttons( *top ) )
			if ( button->mHovered && Reachable( *button ) )
				return button;
		return nullptr;
	}

	void ButtonManager::MoveHighlight( Vector2 direction )
	{
		const std::optional<ButtonGroup> top = TopPage();
		if ( !top )
			return;
		ButtonComponent* current = Highlighted();
		ButtonComponent* best = nullptr;
		float bestScore = std::numeric_limits<float>::max();
		for ( ButtonComponent* button : Buttons( *top ) )
		{
			if ( button == current || !Reachable( *button ) )
				continue;
			float score = 0.0f;
			if ( current )
			{
				// The nearest button that way, straying sideways counting double.
				const Vector2 offset = button->Centre() - current->Centre();
				const float along = Dot( offset, direction );
				if ( along <= 0.1f )
					continue;
				const Vector2 side = offset - direction * along;
				score = along + 2.0f * Length( side );
			}
			else
			{
				// Nothing highlighted yet: the first button, reading from the top left.
				score = -button->Centre().Y * 1000.0f + button->Centre().X;
			}
			if ( score < bestScore )
			{
				bestScore = score;
				best = button;
			}
		}
		if ( !best )
			return;
		for ( ButtonComponent* button : Buttons( *top ) )
			if ( button != best )
				button->Unhover();
		best->Hover();
	}

	void ButtonManager::ActivateHighlighted()
	{
		if ( ButtonComponent* button = Highlighted() )
			Activate( *button );
		else
			MoveHighlight( Vector2() );
	}

	void ButtonManager::GoBack()
	{
		const std::optional<ButtonGroup> top = TopPage();
		if ( !top )
		{
			if ( mInLevel )
				ToggleInGameMenu();
			return;
		}
		switch ( *top )
		{
		case GRP_MAINMENU:
		case GRP_SCORE_SCREEN:
			// The root pages: nothing under them to go back to.
			return;
		case GRP_CONFIRMATION:
			PlayEffect( kClickSound );
			CancelConfirmation();
			return;
		case GRP_IN_GAME_MENU:
			PlayEffect( kClickSound );
			ToggleInGameMenu();
			return;
		default:
			PlayEffect( kClickSound );
			ClosePage( *top );
			return;
		}
	}

	// ---- The functions ----

	void ButtonManager::PlayEffect( const char* path ) const
	{
		if ( SoundManager* sounds = Sounds() )
			sounds->PlaySoundEffect( path, true );
	}

	void ButtonManager::Activate( ButtonComponent& button )
	{
		const int32_t function = button.mFunction;
		if ( function < 0 || function >= FUNC_TOTALNO )
		{
			LOG_WARNING( button.mOwner->GetName().GetName() << ": the button function " << function << " does nothing." );
			return;
		}
		( this->*Actions()[size_t( function )] )( button );
	}

	void ButtonManager::Queue( ButtonFunction function ) { mPending.push_back( function ); }

	LoadingScreen* ButtonManager::GetLoadingScreen() const
	{
		return ObjectManager::Instance().GetObjectOfType<LoadingScreen>( HashedName( LoadingScreen::kObjectName ) );
	}

	bool ButtonManager::RaiseLoadingScreen()
	{
		LoadingScreen* loading = GetLoadingScreen();
		if ( !loading )
			return false;
		loading->Show();
		return true;
	}

	void ButtonManager::Start( ButtonComponent& )
	{
		PlayEffect( kStartSound );
		if ( LevelManager* levels = Levels() )
			levels->mLevelNumber = 1;
		Queue( FUNC_START );
		if ( !RaiseLoadingScreen() )
			ExecutePending();
	}

	void ButtonManager::OpenAtOnce( ButtonComponent& button )
	{
		PlayEffect( kClickSound );
		Queue( button.mFunction );
		ExecutePending();
	}

	void ButtonManager::FlipToggle( ButtonComponent& button )
	{
		const Toggle* toggle = ToggleOf( button.mFunction );
		if ( !toggle )
			return;
		PlayEffect( kFunctionSound );
		const bool on = button.mFunction == toggle->mOff;
		toggle->mTurn( on );
		button.mFunction = on ? toggle->mOn : toggle->mOff;
		// The other checkboxes follow: unmuting everything unticks "mute music" too.
		RefreshToggles();
		SaveOptions();
	}

	void ButtonManager::StepVolume( ButtonComponent& button )
	{
		SoundManager* sounds = Sounds();
		for ( const VolumeStep& step : kVolumeSteps )
		{
			if ( step.mFunction != button.mFunction || !sounds )
				continue;
			( sounds->*step.mStep )();
			PlayEffect( kFunctionSound );
			for ( ButtonComponent* bar : Buttons( button.mGroup ) )
				if ( bar->mFunction == step.mBar )
					RefreshVolumeBar( *bar );
		}
		SaveOptions();
	}

	void ButtonManager::ConfirmYes( ButtonComponent& )
	{
		PlayEffect( kClickSound );
		if ( !mAwaitingAnswer || mPending.empty() )
			return;
		mAwaitingAnswer = false;
		if ( mPending.back() == FUNC_EXITGAME )
		{
			// Back to the main menu behind the loading screen, the game running again so
			// that the screen can come up.
			if ( LevelManager* levels = Levels() )
				levels->ResumeServices();
			mPaused = false;
			if ( RaiseLoadingScreen() )
				return;
		}
		ExecutePending();
	}

	void ButtonManager::ConfirmNo( ButtonComponent& )
	{
		PlayEffect( kClickSound );
		CancelConfirmation();
	}

	void ButtonManager::Back( ButtonComponent& )
	{
		PlayEffect( kClickSound );
		if ( const std::optional<ButtonGroup> top = TopPage() )
			ClosePage( *top );
	}

	void ButtonManager::AskToConfirm( ButtonComponent& button )
	{
		PlayEffect( kClickSound );
		AskConfirmation( button.mFunction );
	}

	void ButtonManager::RestartLevel( ButtonComponent& )
	{
		PlayEffect( kClickSound );
		LevelManager* levels = Levels();
		if ( !levels )
			return;
		levels->LoadLevel( levels->mLevelNumber );
		if ( ScoreManager* score = Services::Get<ScoreManager>() )
			score->ResetForNewRun();
		if ( TopPage() == GRP_IN_GAME_MENU )
			ToggleInGameMenu();
		else if ( TopPage() == GRP_SCORE_SCREEN )
			LeaveScoreScreen();
		if ( levels->mLevelNumber > kLastStillCameraLevel )
			FollowCamera( true );
	}

	void ButtonManager::Return( ButtonComponent& )
	{
		PlayEffect( kClickSound );
		if ( TopPage() == GRP_IN_GAME_MENU )
			ToggleInGameMenu();
	}

	void ButtonManager::NextLevel( ButtonComponent& )
	{
		PlayEffect( kStartSound );
		Queue( FUNC_NEXT_LEVEL );
		if ( !RaiseLoadingScreen() )
			ExecutePending();
	}

	void ButtonManager::ChooseLevel( ButtonComponent& button )
	{
		const int32_t level = LevelOfFunction( button.mFunction );
		if ( !IsOffered( level ) )
		{
			PlayEffect( kFunctionSound );
			LOG_WARNING( "Level " << level << ( level > kLastCampaignLevel ? " is locked" : " has no level file yet" )
			                      << "; it cannot be played." );
			return;
		}
		if ( LevelManager* levels = Levels() )
			levels->mLevelNumber = level;
		Queue( button.mFunction );
		if ( !RaiseLoadingScreen() )
			ExecutePending();
		PlayEffect( kClickSound );
	}

	void ButtonManager::ExecutePending()
	{
		if ( mPending.empty() )
			return;
		const ButtonFunction function = mPending.back();
		mPending.pop_back();
		if ( function == FUNC_START )
		{
			LoadLevel( FUNC_LEVEL_1 );
			return;
		}
		for ( const PageOpener& opener : kPageOpeners )
			if ( function == opener.mFunction )
				OpenPage( opener.mPage );
		if ( function == FUNC_EXITGAME )
			ReturnToMainMenu();
		else if ( function == FUNC_EXITPROGRAM )
		{
			if ( mGame )
				mGame->Exit();
		}
		else if ( function == FUNC_NEXT_LEVEL )
			RunNextLevel();
		else if ( IsLevelFunction( function ) )
			LoadLevel( function );
	}

	bool ButtonManager::IsOffered( int32_t level ) { return level >= 1 && level <= kLastCampaignLevel && LevelExists( level ); }

	bool ButtonManager::LevelExists( int32_t level )
	{
		const std::string id = "Level" + std::to_string( level );
		const ResourceRecord* record = FileSystem::Instance().FindResource( id.c_str() );
		return record && FileSystem::FileExists( record->mPath );
	}

	// ---- The menu levels ----

	void ButtonManager::DestroyMenuLevel( LevelObject* level )
	{
		if ( level )
			level->DestroyAllObjects();
	}

	void ButtonManager::ReloadMenuLevel( LevelObject* level, const char* resource )
	{
		if ( !level )
			return;
		DestroyMenuLevel( level );
		if ( ResourceRecord* record = FileSystem::Instance().GetResource( resource ) )
			level->Deserialise( *record );
	}

	void ButtonManager::ShowMainMenu()
	{
		LevelManager* levels = Levels();
		ReloadMenuLevel( levels ? levels->GetMainMenu() : nullptr, kMainMenuLevel );
		ConcealAllPages();
		mPaused = false;
		mInLevel = false;
		OpenPage( GRP_MAINMENU );
		if ( SoundManager* sounds = Sounds() )
		{
			sounds->StopSound( kLevelMusic );
			sounds->StopSound( kMenuMusic );
			sounds->PlayMusic( kMenuMusic );
		}
	}

	void ButtonManager::LeaveMainMenu()
	{
		ConcealPage( GRP_MAINMENU );
		std::erase( mPages, GRP_MAINMENU );
		if ( LevelManager* levels = Levels() )
			DestroyMenuLevel( levels->GetMainMenu() );
		if ( SoundManager* sounds = Sounds() )
			sounds->StopSound( kMenuMusic );
	}

	void ButtonManager::ShowInGameGUI()
	{
		if ( LevelManager* levels = Levels() )
		{
			ReloadMenuLevel( levels->GetInGameGUI(), kInGameLevel );
			ReloadMenuLevel( levels->GetScoreScreen(), kScoreLevel );
		}
		if ( SoundManager* sounds = Sounds() )
		{
			sounds->StopSound( kMenuMusic );
			sounds->StopSound( kLevelMusic );
			sounds->PlayMusic( kLevelMusic );
		}
	}

	void ButtonManager::LoadLevel( ButtonFunction function )
	{
		const int32_t level = LevelOfFunction( function );
		LevelManager* levels = Levels();
		if ( !levels )
			return;
		levels->mLevelNumber = level;
		LeaveMainMenu();
		ConcealAllPages();
		if ( mPaused )
			levels->ResumeServices();
		mPaused = false;
		mScoreZoom = false;
		levels->LoadLevel( level );
		if ( ScoreManager* score = Services::Get<ScoreManager>() )
			score->ResetForNewRun();
		ShowInGameGUI();
		mInLevel = true;
		LOG_INFO( "Level " << level << " started from the menus." );
		if ( LoadingScreen* loading = GetLoadingScreen() )
			loading->Hide();
		if ( level > kLastStillCameraLevel )
			FollowCamera( true );
	}

	void ButtonManager::StartLevel( int32_t level ) { LoadLevel( LevelFunction( level ) ); }

	void ButtonManager::RunNextLevel()
	{
		LevelManager* levels = Levels();
		ScoreManager* score = Services::Get<ScoreManager>();
		const int32_t next = levels ? levels->mLevelNumber + 1 : 0;
		LeaveScoreScreen();
		if ( levels && next <= kLastCampaignLevel && LevelExists( next ) )
		{
			levels->LoadNextLevel();
			if ( score )
				score->ResetForNewRun();
			if ( LoadingScreen* loading = GetLoadingScreen() )
				loading->Hide();
			if ( next > kLastStillCameraLevel )
				FollowCamera( true );
			return;
		}
		// The last level there is: the run is over.
		LOG_INFO( "Level " << next << " is not there to go on to; back to the main menu." );
		if ( score )
			score->ResetForNewRun();
		ReturnToMainMenu();
	}

	void ButtonManager::ReturnToMainMenu()
	{
		LevelManager* levels = Levels();
		if ( SoundManager* sounds = Sounds() )
			sounds->StopSound( kLevelMusic );
		ConcealAllPages();
		mScoreZoom = mCameraHeld = false;
		if ( levels )
		{
			if ( mPaused )
				levels->ResumeServices();
			if ( LevelObject* playing = levels->GetCurrentLevel() )
				playing->DestroyAllObjects();
			if ( auto* collision = Services::Get<Physics::CollisionManager>() )
				collision->ClearPairs();
			DestroyMenuLevel( levels->GetInGameGUI() );
			DestroyMenuLevel( levels->GetScoreScreen() );
		}
		if ( ScoreManager* score = Services::Get<ScoreManager>() )
			score->ResetForNewRun();
		ShowMainMenu();
		if ( LoadingScreen* loading = GetLoadingScreen() )
			loading->Continue();
	}

	void ButtonManager::ShowScoreScreen( bool won )
	{
		if ( mPaused )
			ToggleInGameMenu();
		ConcealAllPages();
		OpenPage( GRP_SCORE_SCREEN );
		HoldCamera();
		// One of the two page pictures, and no way on from a lost level.
		const char* const other = won ? kLostPageName : kWonPageName;
		for ( ButtonComponent* button : Buttons( GRP_SCORE_SCREEN ) )
		{
			if ( button->mOwner->GetName().GetName() == other || ( !won && button->mFunction == FUNC_NEXT_LEVEL ) )
				button->Conceal();
			else
				SetScale( *button, Vector2() );
		}
		mScoreZoom = true;
		if ( ScoreManager* score = Services::Get<ScoreManager>() )
			score->ShowScoreScreen();
		PlayEffect( won ? kWonSound : kLostSound );
		if ( SoundManager* sounds = Sounds() )
			sounds->Fade( kLevelMusic, kScoreMusicShare );
	}

	void ButtonManager::LeaveScoreScreen()
	{
		for ( ButtonComponent* button : Buttons( GRP_SCORE_SCREEN ) )
			SetScale( *button, button->mRestScale );
		ConcealPage( GRP_SCORE_SCREEN );
		std::erase( mPages, GRP_SCORE_SCREEN );
		mScoreZoom = false;
		// The level loaded next sets its camera going again.
		mCameraHeld = false;
		if ( ScoreManager* score = Services::Get<ScoreManager>() )
			score->HideScoreScreen();
		if ( SoundManager* sounds = Sounds() )
			sounds->Fade( kLevelMusic, 1.0f );
	}

	// ---- Each update ----

	void ButtonManager::Update( GameTime& )
	{
		LoadingScreen* loading = GetLoadingScreen();
		while ( !mPending.empty() && !mAwaitingAnswer && loading && loading->IsUp() )
			ExecutePending();
		if ( mScoreZoom )
			UpdateZoom();
		if ( mBlinking )
			UpdateBlink();
	}

	void ButtonManager::UpdateZoom()
	{
		bool done = true;
		for ( ButtonComponent* button : Buttons( GRP_SCORE_SCREEN ) )
		{
			TransformComponent* transform = TransformOf( *button );
			const Graphics::MeshComponent* mesh = button->Mesh();
			if ( !transform || !mesh || !mesh->mVisible )
				continue;
			const Vector2 now( transform->mXScaleFactor, transform->mYScaleFactor );
			const Vector2 left = button->mRestScale - now;
			if ( std::fabs( left.X ) <= kZoomDone && std::fabs( left.Y ) <= kZoomDone )
			{
				SetScale( *button, button->mRestScale );
				continue;
			}
			done = false;
			SetScale( *button, now + left * kZoomShare );
		}
		mScoreZoom = !done;
	}

	Graphics::FontComponent* ButtonManager::ClickToContinue() const
	{
		Object* text = ObjectManager::Instance().GetObject( HashedName( kClickToContinueName ) );
		return text ? text->GetComponent<Graphics::FontComponent>() : nullptr;
	}

	void ButtonManager::StartBlinking()
	{
		mBlinking = true;
		mBlinkAlpha = 1.0f;
		mBlinkRising = false;
		if ( Graphics::FontComponent* text = ClickToContinue() )
			text->mVisible = true;
		UpdateBlink();
	}

	void ButtonManager::StopBlinking()
	{
		mBlinking = false;
		if ( Graphics::FontComponent* text = ClickToContinue() )
			text->mVisible = false;
	}

	void ButtonManager::UpdateBlink()
	{
		mBlinkAlpha += mBlinkRising ? kBlinkRise : -kBlinkFall;
		if ( mBlinkAlpha >= 1.0f )
			mBlinkRising = false;
		else if ( mBlinkAlpha <= 0.0f )
			mBlinkRising = true;
		const float byte = std::clamp( std::round( mBlinkAlpha * 255.0f + 0.5f ), 0.0f, 255.0f );
		if ( Graphics::FontComponent* text = ClickToContinue() )
			text->mColour = ( static_cast<uint32_t>( byte ) << 24 ) | kBlinkColour;
	}
}
