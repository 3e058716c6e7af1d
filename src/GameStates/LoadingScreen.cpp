#include "GameStates/LoadingScreen.h"

#include "Core/GameTime.h"
#include "Core/TypeRegistry.h"
#include "GameStates/ButtonManager.h"
#include "GameStates/LevelManager.h"
#include "Graphics/FontComponent.h"
#include "Graphics/MeshComponent.h"
#include "Input/KeyCodes.h"
#include "Input/KeyboardManager.h"
#include "Input/MouseManager.h"
#include "Physics/TransformComponent.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( LoadingScreen )

	namespace
	{
		// The picture fills the screen: the HUD's -1 to 1 both ways.
		constexpr float kFullScreenScale = 2.0f;

		constexpr std::array<const char*, 18> kTips = {
			"Use your Energy Beam on Prisms to create \nEnergy Cones that can interact with \nyour environment.",
			"Certain Switches only respond to certain \ncoloured Energy Cones.",
			"Enemies will disrupt your Energy Beam's \nuse, and can potentially kill you.",
			"White enemies have an additional annoying \nfeature: Undoing Switches.",
			"Remember to activate Switches according \nto the Portal.",
			"Be careful when activating Switches, some \nopen up Enemy Portals.",
			"Do not harm the Crytals!",
			"I repeat: Do not harm the Crytals!",
			"Watch out for Mines, blue ones can be \ndestroyed with the Energy Beam.",
			"Hopefully you are well prepared by now.",
			"Purple Nebulas will mess with your\nequipment and even slow you down.",
			"Beware, not everything you find in\nthe Nebulas are helpful.",
			"Mirrors reflect your Energy Beam. \nUse them to your advantage.",
			"Mirrors actually make life easier, \nif you can figure them out.",
			"Mirrors may make life more difficult too,\nUse them wisely.",
			"Let's see you put your combined knowledge \nto the test.",
			"Hopefully you can find the exit.",
			"One more, and we should be home free!\nBe warned, the last one is never easy.",
		};

		// The keys that answer "Click to continue...".
		constexpr uint32_t kContinueKeys[] = { Key::Enter, Key::Space, Key::Escape };

		uint32_t WithAlpha( uint32_t rgb, float alpha )
		{
			const float byte = std::clamp( alpha * 255.0f + 0.5f, 0.0f, 255.0f );
			return ( static_cast<uint32_t>( byte ) << 24 ) | ( rgb & 0xFFFFFFu );
		}
	}

	const char* LoadingScreen::Tip( int32_t level )
	{
		return level >= 1 && level <= int32_t( kTips.size() ) ? kTips[size_t( level - 1 )] : nullptr;
	}

	Graphics::MeshComponent* LoadingScreen::Mesh() const { return GetComponent<Graphics::MeshComponent>(); }

	Graphics::FontComponent* LoadingScreen::TipFont() const { return GetComponent<Graphics::FontComponent>(); }

	void LoadingScreen::Initialise()
	{
		mComponents.AddComponent<TransformComponent>();
		mComponents.AddComponent<Graphics::MeshComponent>();
		mComponents.AddComponent<Graphics::FontComponent>();
		mComponents.InitialisePending();
		if ( auto* transform = GetComponent<TransformComponent>() )
		{
			transform->mXScaleFactor = transform->mYScaleFactor = kFullScreenScale;
			transform->UpdateWorldMatrix();
		}
		if ( Graphics::MeshComponent* mesh = Mesh() )
		{
			mesh->mIsHUD = true;
			mesh->mDrawOrder = kDrawOrder;
			mesh->SetTexture( kPicture );
		}
		if ( Graphics::FontComponent* tip = TipFont() )
		{
			tip->mDrawOrder = kTipDrawOrder;
			tip->Lay( kTipX, kTipY, kTipWidth, kTipHeight );
			tip->mText.clear();
		}
		Vanish();
	}

	void LoadingScreen::Shutdown() { Listen( false ); }

	void LoadingScreen::Vanish()
	{
		mShown = mFadingIn = mIsUp = mWaiting = mSplash = false;
		mAlpha = 0.0f;
		if ( Graphics::MeshComponent* mesh = Mesh() )
			mesh->mVisible = false;
		if ( Graphics::FontComponent* tip = TipFont() )
			tip->mVisible = false;
	}

	void LoadingScreen::ApplyAlpha()
	{
		if ( Graphics::MeshComponent* mesh = Mesh() )
			mesh->mColour.a = std::max( mAlpha, 0.0f );
		if ( Graphics::FontComponent* tip = TipFont() )
			tip->mColour = WithAlpha( kTipColour, mAlpha );
	}

	void LoadingScreen::Present( const char* picture, bool splash, float alpha )
	{
		mShown = true;
		mFadingIn = !splash;
		mIsUp = splash;
		mWaiting = false;
		mSplash = splash;
		mAlpha = alpha;
		if ( Graphics::MeshComponent* mesh = Mesh() )
		{
			mesh->SetTexture( picture );
			mesh->mVisible = true;
		}
	}

	void LoadingScreen::Show()
	{
		Present( kPicture, false, std::max( mAlpha, 0.0f ) );
		const LevelManager* levels = Services::Get<LevelManager>();
		if ( Graphics::FontComponent* tip = TipFont() )
		{
			if ( const char* text = Tip( levels ? levels->mLevelNumber : 0 ) )
				tip->mText = text;
			tip->mVisible = true;
		}
		ApplyAlpha();
	}

	void LoadingScreen::ShowSplash()
	{
		Present( kSplashPicture, true, kUpAlpha );
		if ( Graphics::FontComponent* tip = TipFont() )
			tip->mVisible = false;
		ApplyAlpha();
		Hide();
		LOG_INFO( "Splash screen shown." );
	}

	void LoadingScreen::Hide()
	{
		if ( !mShown )
			return;
		mWaiting = true;
		if ( ButtonManager* buttons = Services::Get<ButtonManager>() )
			buttons->StartBlinking();
		Listen( true );
	}

	void LoadingScreen::Continue()
	{
		mFadingIn = false;
		mIsUp = false;
		mWaiting = false;
		if ( ButtonManager* buttons = Services::Get<ButtonManager>() )
			buttons->StopBlinking();
		Listen( false );
	}

	void LoadingScreen::Update( GameTime& gameTime )
	{
		if ( !mShown )
			return;
		const float d = gameTime.ElapsedSeconds;
		if ( mFadingIn )
		{
			if ( mAlpha <= mAlphaLimit )
				mAlpha += kFadeRate * d;
			ApplyAlpha();
			if ( mAlpha >= kUpAlpha )
			{
				mFadingIn = false;
				mIsUp = true;
			}
		}
		else if ( !mIsUp )
		{
			// Fading out, to nothing: then the screen is gone.
			mAlpha -= kFadeRate * d;
			ApplyAlpha();
			if ( mAlpha <= 0.0f )
				Vanish();
		}
	}

	void LoadingScreen::Listen( bool listen )
	{
		if ( listen == mListening )
			return;
		MouseManager* mouse = Services::Get<MouseManager>();
		KeyboardManager* keyboard = Services::Get<KeyboardManager>();
		if ( listen )
		{
			if ( mouse )
				mouse->mOnButtonPressed.Subscribe( this, &LoadingScreen::OnMouseButton );
			if ( keyboard )
				keyboard->mOnKeyPressed.Subscribe( this, &LoadingScreen::OnKey );
		}
		else
		{
			if ( mouse )
				mouse->mOnButtonPressed.Unsubscribe( this, &LoadingScreen::OnMouseButton );
			if ( keyboard )
				keyboard->mOnKeyPressed.Unsubscribe( this, &LoadingScreen::OnKey );
		}
		mListening = listen;
	}

	void LoadingScreen::OnMouseButton( int32_t, int32_t, int32_t ) { Continue(); }

	void LoadingScreen::OnKey( uint32_t key, uint32_t )
	{
		if ( std::find( std::begin( kContinueKeys ), std::end( kContinueKeys ), key ) != std::end( kContinueKeys ) )
			Continue();
	}
}
