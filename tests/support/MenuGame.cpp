#include "support/MenuGame.h"

#include "Core/ObjectManager.h"
#include "GameStates/ButtonComponent.h"
#include "GameStates/LoadingScreen.h"
#include "GameStates/SoundManager.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/Matrices.h"
#include "Graphics/MeshComponent.h"
#include "Input/KeyCodes.h"
#include "core/Services.h"
#include "support/MenuFiles.h"

#include <gtest/gtest.h>

namespace KelvaneTest
{
	void MenuGame::SetUp()
	{
		mEnvironment.Set( "XDG_CONFIG_HOME", mConfig.Path().string() );
		mEnvironment.Set( "XDG_DATA_HOME", mData.Path().string() );
		MenuFileSystem();
		const std::string levels = std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/";
		for ( const char* id : { "MainMenu", "InGameGUI", "ScoreScreen", "Level1" } )
			mResources.Point( id, levels + id + ".xml" );
		Restart();
	}

	void MenuGame::Restart( Tarn::LaunchOptions options )
	{
		if ( mGame )
			TearDown();
		options.mHeadless = true;
		mGame = std::make_unique<InputHarness>( options, false );
		mGame->Project().CreateComponents();
		mGame->Initialise();
		mGame->Project().GetGameTime().ElapsedSeconds = kDt;
		// The pointer finds the world through the view of the last frame drawn.
		auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		ASSERT_TRUE( graphics->BeginFrame() );
		graphics->EndFrame();
	}

	std::string MenuGame::OptionsFile() const { return mConfig / "kelvane/options.xml"; }

	void MenuGame::TearDown()
	{
		Tarn::ObjectManager::Instance().DestroyAll();
		HeadlessGame::TearDown();
	}

	Tarn::ButtonManager& MenuGame::Buttons() const { return *Tarn::Services::Get<Tarn::ButtonManager>(); }

	Tarn::SoundManager& MenuGame::Sounds() const { return *Tarn::Services::Get<Tarn::SoundManager>(); }

	Tarn::LoadingScreen& MenuGame::Loading() const { return *Buttons().GetLoadingScreen(); }

	Tarn::ButtonComponent* MenuGame::Button( const char* name ) const
	{
		Tarn::Object* object = Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( name ) );
		EXPECT_NE( object, nullptr ) << name;
		return object ? object->GetComponent<Tarn::ButtonComponent>() : nullptr;
	}

	Tarn::ButtonComponent* MenuGame::OnTopPage( Tarn::ButtonFunction function ) const
	{
		const std::optional<Tarn::ButtonGroup> top = Buttons().TopPage();
		if ( top )
			for ( Tarn::ButtonComponent* button : Buttons().Buttons( *top ) )
				if ( button->mFunction == function )
					return button;
		ADD_FAILURE() << "no button of function " << int( function ) << " on the top page";
		return nullptr;
	}

	std::pair<int, int> MenuGame::PixelOf( Tarn::Vector2 world ) const
	{
		const auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		const Graphics::Matrix viewProjection = *const_cast<Graphics::GraphicsManager*>( graphics )->GetView() * graphics->GetProjection();
		const glm::vec3 ndc = Graphics::TransformCoord( { world.X, world.Y, 0.0f }, viewProjection );
		int width = 0, height = 0;
		mGame->Window().ClientSize( width, height );
		return { int( ( ndc.x + 1.0f ) * 0.5f * float( width ) ), int( ( 1.0f - ndc.y ) * 0.5f * float( height ) ) };
	}

	void MenuGame::PointAt( Tarn::Vector2 world )
	{
		const auto [x, y] = PixelOf( world );
		mGame->Window().mOnMouseMove.Raise( x, y );
	}

	void MenuGame::ClickAt( Tarn::Vector2 world )
	{
		PointAt( world );
		const auto [x, y] = PixelOf( world );
		mGame->Window().mOnMouseDown.Raise( x, y, Tarn::MouseButton::Left );
		mGame->Window().mOnMouseUp.Raise( x, y, Tarn::MouseButton::Left );
	}

	void MenuGame::Click( const Tarn::ButtonComponent& button ) { ClickAt( button.Centre() ); }

	void MenuGame::Click( Tarn::ButtonFunction function )
	{
		if ( Tarn::ButtonComponent* button = OnTopPage( function ) )
			Click( *button );
	}

	void MenuGame::Press( uint32_t key )
	{
		mGame->Window().mOnKeyDown.Raise( key );
		mGame->Window().mOnKeyUp.Raise( key );
	}

	void MenuGame::Step( int steps ) { mGame->Step( steps ); }

	bool MenuGame::StepUntil( const std::function<bool()>& done, int limit )
	{
		for ( int step = 0; step < limit; ++step )
		{
			if ( done() )
				return true;
			Step();
		}
		return done();
	}

	void MenuGame::ThroughLoadingScreen()
	{
		Tarn::LoadingScreen& loading = Loading();
		ASSERT_TRUE( StepUntil( [&]() { return loading.IsWaiting(); } ) ) << "the loading screen came up and its level loaded";
		EXPECT_TRUE( Buttons().Pending().empty() );
		Press( Tarn::Key::Enter );
		ASSERT_TRUE( StepUntil( [&]() { return !loading.IsShown(); } ) ) << "the loading screen went";
	}

	uint64_t MenuGame::Playbacks() const { return Sounds().GetSystem()->GetPlaybackCount(); }

	std::string MenuGame::Texture( const Tarn::ButtonComponent& button ) const { return button.Mesh()->GetTextureName(); }

	float MenuGame::Shade( const Tarn::ButtonComponent& button ) const { return button.Mesh()->mColour.r; }

	bool MenuGame::Visible( const Tarn::ButtonComponent& button ) const { return button.Mesh()->mVisible; }
}
