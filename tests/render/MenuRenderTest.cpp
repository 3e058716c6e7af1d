// The menu pages through the real OpenGL device in a 1280 x 720 window (Xvfb in CI):
// the main menu's deep space fills the window, a page that opens over another hides it
// where it lies, and the score screen shows its way on only for a won level. Each page
// is written as a screenshot ("menu-<page>.png" in the test's temporary folder) for a
// person to look at.
#include "Core/GameWindow/GameProject.h"
#include "Core/ObjectManager.h"
#include "Game/LevelEnd.h"
#include "Game/Player.h"
#include "GameStates/ButtonComponent.h"
#include "GameStates/ButtonManager.h"
#include "GameStates/LoadingScreen.h"
#include "Graphics/GraphicsManager.h"
#include "Platform/Font.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateTypes.h"
#include "core/Services.h"
#include "support/FrameCapture.h"
#include "support/LevelFiles.h"
#include "support/MenuFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{
	using namespace Tarn;

	struct Pixel
	{
		int r, g, b;
		bool operator==( const Pixel& ) const = default;
	};

	class MenusOnScreen : public testing::Test
	{
	protected:
		void SetUp() override
		{
			if ( !std::getenv( "DISPLAY" ) )
				GTEST_SKIP() << "no X display";
			mEnvironment.Set( "XDG_CONFIG_HOME", mConfig.Path().string() );
			KelvaneTest::MenuFileSystem();
			const std::string levels = std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/";
			for ( const char* id : { "MainMenu", "InGameGUI", "ScoreScreen", "Level1" } )
				mResources.Point( id, levels + id + ".xml" );
			LaunchOptions options;
			options.mWindowMode = WindowMode::Windowed;
			mProject = std::make_unique<GameProject>( options );
			mProject->CreateComponents();
			mGraphics = Services::Get<Graphics::GraphicsManager>();
			mProject->Initialise();
			mProject->GetGameTime().ElapsedSeconds = 0.016f;
			mButtons = Services::Get<ButtonManager>();
		}

		void TearDown() override
		{
			if ( !mProject )
				return;
			ObjectManager::Instance().DestroyAll();
			mProject->Shutdown();
			mProject.reset();
		}

		void Step( int steps )
		{
			for ( int i = 0; i < steps; ++i )
				mProject->Update( mProject->GetGameTime() );
		}

		// Draws a frame, keeps its pixels and writes them as "menu-<name>.png".
		void Frame( const std::string& name )
		{
			KelvaneTest::CapturedFrame frame;
			KelvaneTest::CaptureFrame( *mProject, "menu-" + name + ".png", frame );
			mPixels = std::move( frame.mPixels );
			mWidth = frame.mWidth;
			mHeight = frame.mHeight;
		}

		Pixel At( int x, int y ) const
		{
			const size_t i = ( size_t( y ) * size_t( mWidth ) + size_t( x ) ) * 4;
			return { mPixels[i], mPixels[i + 1], mPixels[i + 2] };
		}

		// The pixel that shows the middle of a button.
		Pixel AtButton( const ButtonComponent& button ) const
		{
			const glm::vec3 ndc = Graphics::TransformCoord( { button.Centre().X, button.Centre().Y, 0.0f },
			                                                *mGraphics->GetView() * mGraphics->GetProjection() );
			return At( int( ( ndc.x + 1.0f ) * 0.5f * float( mWidth ) ), int( ( 1.0f - ndc.y ) * 0.5f * float( mHeight ) ) );
		}

		ButtonComponent* Button( ButtonGroup group, ButtonFunction function ) const
		{
			for ( ButtonComponent* button : mButtons->Buttons( group ) )
				if ( button->mFunction == function )
					return button;
			ADD_FAILURE() << "no button " << int( function ) << " on page " << int( group );
			return nullptr;
		}

		static bool IsClear( const Pixel& p ) { return p.r == 100 && p.g == 100 && p.b == 255; }

		// Updates and draws frames as the game loop does, through a lost device and its reset.
		void DrawFrames( int count )
		{
			for ( int i = 0; i < count; ++i )
			{
				Step( 1 );
				if ( mProject->BeginDraw() )
				{
					mProject->Draw( mProject->GetGameTime() );
					mProject->EndDraw();
				}
			}
		}

		// Points of a grid over the last frame, to its far edges, that are left clear or
		// were never drawn at all.
		size_t UndrawnSamples() const
		{
			const auto undrawn = [this]( int x, int y ) {
				return mPixels[( size_t( y ) * size_t( mWidth ) + size_t( x ) ) * 4 + 3] == 0 || IsClear( At( x, y ) );
			};
			size_t count = 0;
			const int step = 16;
			for ( int y = 0; y < mHeight + step - 1; y += step )
				for ( int x = 0; x < mWidth + step - 1; x += step )
					count += undrawn( std::min( x, mWidth - 1 ), std::min( y, mHeight - 1 ) );
			return count;
		}

		KelvaneTest::TempFolder mConfig;
		KelvaneTest::ScopedEnvironment mEnvironment;
		KelvaneTest::ScopedResources mResources;
		std::unique_ptr<GameProject> mProject;
		Graphics::GraphicsManager* mGraphics = nullptr;
		ButtonManager* mButtons = nullptr;
		std::vector<uint8_t> mPixels;
		int mWidth = 0;
		int mHeight = 0;
	};

	TEST_F( MenusOnScreen, EveryPageOfTheMainMenuCoversWhatLiesUnderIt )
	{
		mButtons->ShowMainMenu();
		Step( 30 );
		Frame( "main-menu" );
		ASSERT_EQ( mWidth, 1280 );
		size_t clear = 0;
		for ( int y = 0; y < mHeight; y += 8 )
			for ( int x = 0; x < mWidth; x += 8 )
				clear += IsClear( At( x, y ) );
		EXPECT_EQ( clear, 0u ) << "deep space fills the window behind the main menu";
		const ButtonComponent* start = Button( GRP_MAINMENU, FUNC_START );
		const Pixel startAlone = AtButton( *start );

		// Each page over the main menu shows instead of the button that lies under it.
		for ( const auto& [opener, name] : { std::pair{ FUNC_OPTIONS, "options" }, std::pair{ FUNC_HOWTOPLAY, "how-to-play" },
		                                     std::pair{ FUNC_CREDITS, "credits" }, std::pair{ FUNC_LEVEL_SELECT, "level-select" } } )
		{
			SCOPED_TRACE( name );
			mButtons->Activate( *Button( GRP_MAINMENU, opener ) );
			Frame( name );
			const Pixel covered = AtButton( *start );
			EXPECT_NE( covered, startAlone );
			mButtons->Activate( *Button( mButtons->TopPage().value(), FUNC_BACK ) );
		}
		mButtons->Activate( *Button( GRP_MAINMENU, FUNC_EXITPROGRAM ) );
		Frame( "are-you-sure" );
		EXPECT_EQ( mButtons->TopPage(), GRP_CONFIRMATION );
	}

	TEST_F( MenusOnScreen, TheScoreScreenShowsItsWayOnOnlyForAWonLevel )
	{
		mButtons->StartLevel( 1 );
		Step( 5 );
		mButtons->ToggleInGameMenu();
		Frame( "in-game-menu" );
		mButtons->ToggleInGameMenu();

		EndPlayedLevel();
		// The zoom, and the score's five lines a second apart.
		Step( 6 * 63 );
		Frame( "score-won" );
		const ButtonComponent* next = Button( GRP_SCORE_SCREEN, FUNC_NEXT_LEVEL );
		const Pixel wonNext = AtButton( *next );

		mButtons->Activate( *Button( GRP_SCORE_SCREEN, FUNC_RESTART_LEVEL ) );
		FindPlayer()->GetComponent<StateMachines::StateMachineComponent>()->mState = StateMachines::STATE_DIE;
		EndPlayedLevel();
		Step( 6 * 63 );
		Frame( "score-lost" );
		EXPECT_NE( AtButton( *next ), wonNext ) << "no next level after a lost one";
		const ButtonComponent* restart = Button( GRP_SCORE_SCREEN, FUNC_RESTART_LEVEL );
		EXPECT_FALSE( IsClear( AtButton( *restart ) ) );
	}

	TEST_F( MenusOnScreen, TheLoadingScreenWaitsWithItsTipAndClickToContinue )
	{
		mButtons->ShowMainMenu();
		mButtons->Activate( *Button( GRP_MAINMENU, FUNC_START ) );
		Step( 60 );
		ASSERT_TRUE( mButtons->GetLoadingScreen()->IsWaiting() );
		Frame( "loading" );
		// The picture covers the whole window, the level behind it.
		for ( const auto& [x, y] : { std::pair{ 2, 2 }, std::pair{ 1277, 717 }, std::pair{ 640, 360 } } )
			EXPECT_FALSE( IsClear( At( x, y ) ) ) << x << ", " << y;
	}

	TEST_F( MenusOnScreen, TheFullScreenCheckboxRedrawsTheWholeScreenAndBackTheWindow )
	{
		mButtons->ShowMainMenu();
		mButtons->Activate( *Button( GRP_MAINMENU, FUNC_OPTIONS ) );
		DrawFrames( 30 );
		Frame( "options-windowed" );
		ASSERT_EQ( mWidth, 1280 );
		EXPECT_EQ( UndrawnSamples(), 0u );
		ButtonComponent* fullScreen = Button( GRP_OPTIONS, FUNC_CHANGERESOLUTION );
		ASSERT_NE( fullScreen, nullptr );

		// The window takes the screen; the device is lost for a frame and comes back at
		// the new size. Pixels read beyond what the window really covers come back
		// empty (alpha 0), so a window that kept its old size while the game drew for
		// the screen shows here.
		mButtons->Activate( *fullScreen );
		DrawFrames( 20 );
		Frame( "options-full-screen" );
		int width = 0, height = 0;
		mProject->mWindow.ClientSize( width, height );
		EXPECT_EQ( mWidth, width );
		EXPECT_EQ( mHeight, height );
		EXPECT_GT( mWidth, 1280 ) << "the screen of the test's X server is larger than the window";
		EXPECT_EQ( UndrawnSamples(), 0u ) << "the whole screen is drawn";
		EXPECT_EQ( mGraphics->GetDevice()->GetViewport().mWidth, mWidth );

		mButtons->Activate( *fullScreen );
		DrawFrames( 20 );
		Frame( "options-windowed-again" );
		EXPECT_EQ( mWidth, 1280 );
		EXPECT_EQ( mHeight, 720 );
		EXPECT_EQ( UndrawnSamples(), 0u );
	}
}
