#pragma once
// The menus: keeps every button of the loaded menu levels by page, a stack of the pages
// open (only the top one reacts), turns the pointer and the keys into hover and clicks,
// and carries out the button functions. Functions that change the level wait in a
// queue until the loading screen is up, so that it is drawn before the long load. It
// also shows the menu levels and their music (the main menu, the in-game interface and
// the score screen) and keeps the player's options, saving them whenever one changes.

#include "Core/GameComponent.h"
#include "GameStates/ButtonTypes.h"
#include "GameStates/PlayerOptions.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Graphics
{
	class FontComponent;
}

namespace Tarn
{
	class ButtonComponent;
	class LevelObject;
	class LoadingScreen;

	class ButtonManager : public GameComponent
	{
		TARN_CLASS_NAME( ButtonManager )

	public:
		static constexpr const char* kHoverSound = "resource/Sound/Button_HoverSound.wav";
		static constexpr const char* kClickSound = "resource/Sound/Button_ClickSound.wav";
		static constexpr const char* kFunctionSound = "resource/Sound/Button_FunctionSound.wav";
		static constexpr const char* kStartSound = "resource/Sound/Button_StartGameSound.wav";
		static constexpr const char* kWonSound = "resource/Sound/ScoreScreen_ActivateFinal.wav";
		static constexpr const char* kLostSound = "resource/Sound/ScoreScreen_LoseFinal.wav";
		static constexpr const char* kMenuMusic = "resource/Sound/Music_MainMenu.mp3";
		static constexpr const char* kLevelMusic = "resource/Sound/corvinlake.mp3";
		// The level music's own volume under the in-game menu and under the score screen:
		// a share of the player's music volume, which the options keep.
		static constexpr float kMenuMusicShare = 0.3f;
		static constexpr float kScoreMusicShare = 0.2f;

		// "Click to continue...", red, blinking at the bottom right while the loading
		// screen waits.
		static constexpr const char* kClickToContinueName = "ClickToContinue";
		static constexpr const char* kClickToContinueText = "Click to continue...";
		static constexpr float kClickToContinueX = 0.6f;
		static constexpr float kClickToContinueY = 0.9f;
		static constexpr float kClickToContinueWidth = 0.015f;
		static constexpr float kClickToContinueHeight = 0.045f;
		static constexpr uint32_t kBlinkColour = 0xFF0000;
		static constexpr float kBlinkFall = 0.015f;
		static constexpr float kBlinkRise = 0.03f;

		// The score screen's pictures and buttons grow from nothing to their size by this
		// share of what is left each update, until within kZoomDone of it.
		static constexpr float kZoomShare = 0.2f;
		static constexpr float kZoomDone = 0.01f;
		// The score screen's two page pictures, by object name: one for a won level,
		// one for a lost one.
		static constexpr const char* kWonPageName = "ScoreWonPage";
		static constexpr const char* kLostPageName = "ScoreLostPage";

		// Levels after this one are wider than the screen: the camera follows the ship.
		static constexpr int32_t kLastStillCameraLevel = 16;
		// "Next level" after this one goes back to the main menu.
		static constexpr int32_t kLastCampaignLevel = 18;

		explicit ButtonManager( Game* game );

		// Runs the waiting functions while the loading screen is up, the score screen's
		// zoom and the blinking.
		void Update( GameTime& gameTime ) override;
		// Listens to the pointer, the keys and the window's focus, makes the loading
		// screen and "Click to continue...", and applies the player's options.
		void Initialise() override;
		void Shutdown() override;

		// The options read at start and where they are kept (GameProject hands them over
		// before Initialise); an empty path keeps them for this run only.
		void SetOptions( const PlayerOptions& options, const std::string& path );
		const PlayerOptions& Options() const { return mOptions; }

		// A button read from a level joins the list of its page, once; it leaves when it
		// shuts down.
		void File( ButtonComponent& button );
		void Unfile( ButtonComponent& button );
		const std::vector<ButtonComponent*>& Buttons( ButtonGroup group ) const;
		// The first button of that function on any page, or null.
		ButtonComponent* FindButton( ButtonFunction function ) const;

		// The pointer in window pixels.
		void OnMouseMove( int32_t x, int32_t y, int32_t dx, int32_t dy );
		void OnMouseButton( int32_t x, int32_t y, int32_t button );
		void OnMouseLeave();
		// Arrows move the highlight, Enter activates it, Escape goes back.
		void OnKey( uint32_t key, uint32_t modifiers );
		// A page or the loading screen is in front: the ship and its beam take no input.
		bool HoldsInput() const;

		void OpenPage( ButtonGroup group );
		// Back: the page closes and the one under it reacts again.
		void ClosePage( ButtonGroup group );
		void AskConfirmation( ButtonFunction function );
		void CancelConfirmation();
		// Opens the in-game menu over a level (pausing the game and lowering its music),
		// or closes every page open over it.
		void ToggleInGameMenu();
		void Queue( ButtonFunction function );
		// Runs the function queued last and takes it off the queue.
		void ExecutePending();
		// Into the level of a level function.
		void LoadLevel( ButtonFunction function );
		// What a click on the button does.
		void Activate( ButtonComponent& button );

		// The main menu's level and page, with its music.
		void ShowMainMenu();
		void LeaveMainMenu();
		// The in-game interface and the score screen, loaded hidden, and the level music.
		void ShowInGameGUI();
		// The end of a level: the score screen, won or lost.
		void ShowScoreScreen( bool won );
		void LeaveScoreScreen();
		// Straight into a numbered level, as the command line's --level asks.
		void StartLevel( int32_t level );
		// True when the level's file exists.
		static bool LevelExists( int32_t level );
		// The level select lets the player into the level: one of the campaign whose
		// file is there.
		static bool IsOffered( int32_t level );

		void StartBlinking();
		void StopBlinking();

		std::optional<ButtonGroup> TopPage() const;
		const std::deque<ButtonGroup>& Pages() const { return mPages; }
		const std::deque<ButtonFunction>& Pending() const { return mPending; }
		// The in-game menu is open.
		bool IsPaused() const { return mPaused; }
		bool IsInLevel() const { return mInLevel; }
		bool IsBlinking() const { return mBlinking; }
		bool IsZooming() const { return mScoreZoom; }
		bool IsAwaitingAnswer() const { return mAwaitingAnswer; }
		float BlinkAlpha() const { return mBlinkAlpha; }
		// The button the keys would activate: the highlighted one of the top page.
		ButtonComponent* Highlighted() const;
		LoadingScreen* GetLoadingScreen() const;

	private:
		using Action = void ( ButtonManager::* )( ButtonComponent& );
		static const std::array<Action, FUNC_TOTALNO>& Actions();

		// The function table's actions.
		void DoNothing( ButtonComponent& ) {}
		void Start( ButtonComponent& button );
		void OpenAtOnce( ButtonComponent& button );
		void FlipToggle( ButtonComponent& button );
		void StepVolume( ButtonComponent& button );
		void ConfirmYes( ButtonComponent& button );
		void ConfirmNo( ButtonComponent& button );
		void Back( ButtonComponent& button );
		void AskToConfirm( ButtonComponent& button );
		void RestartLevel( ButtonComponent& button );
		void Return( ButtonComponent& button );
		void NextLevel( ButtonComponent& button );
		void ChooseLevel( ButtonComponent& button );

		// What the waiting functions do once the loading screen is up.
		void RunNextLevel();
		void ReturnToMainMenu();

		void PlayEffect( const char* path ) const;
		// Brings up the loading screen; false when there is none.
		bool RaiseLoadingScreen();
		void ShowPage( ButtonGroup group );
		void HidePage( ButtonGroup group );
		void ConcealPage( ButtonGroup group );
		void ConcealAllPages();
		// Destroys the objects of a menu level and loads its file again.
		void ReloadMenuLevel( LevelObject* level, const char* resource );
		void DestroyMenuLevel( LevelObject* level );
		// The checkboxes and volume bars show what the window and the sound do now.
		void RefreshToggles();
		void RefreshToggle( ButtonComponent& button );
		void RefreshVolumeBar( ButtonComponent& button );
		// The player's choices from the sound and the window, written to the file.
		void SaveOptions();
		void ApplyOptions();
		void OnFocusGained();
		// The level music's own volume: 1 while playing, a share of it under a page.
		void SetLevelMusicShare( float share );
		void FollowCamera( bool follow );
		// The pages stand at the middle of the world: in a level wider than the screen,
		// whose camera follows the ship, the camera looks there while a page is open.
		bool CameraFollows() const;
		void HoldCamera();

		void MoveHighlight( Vector2 direction );
		void ActivateHighlighted();
		void GoBack();
		// Pixels to the world plane.
		Vector2 PointerInWorld( int32_t x, int32_t y ) const;
		void UpdateZoom();
		void UpdateBlink();
		Graphics::FontComponent* ClickToContinue() const;

		std::deque<ButtonGroup> mPages;
		std::deque<ButtonFunction> mPending;
		std::map<ButtonGroup, std::vector<ButtonComponent*>> mButtons;
		float mBlinkAlpha = 1.0f;
		bool mBlinkRising = false;
		bool mBlinking = false;
		bool mScoreZoom = false;
		bool mPaused = false;
		// The last queued function waits for the player's yes or no.
		bool mAwaitingAnswer = false;
		bool mInLevel = false;
		bool mListening = false;
		// The camera was following the ship when a page opened over the level.
		bool mCameraHeld = false;
		PlayerOptions mOptions;
		std::string mOptionsPath;
	};

	// The menus hold the input: the ship and its beam leave the keys and the mouse alone.
	bool MenusHoldInput();
}
