#include "Graphics/TextBox.h"

#include "Core/GameTime.h"
#include "Core/TypeRegistry.h"
#include "Game/ObjectiveManager.h"
#include "Graphics/FontComponent.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextManager.h"
#include "Input/KeyCodes.h"
#include "Input/KeyboardManager.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"

namespace Graphics
{
	TARN_REGISTER_OBJECT_TYPE( TextBox )

	const TextBox::KeyAction TextBox::kKeyActions[] = {
		{ Tarn::Key::Letter( 't' ), &TextBox::ToggleFirstTutorialText },
		{ Tarn::Key::Letter( 'i' ), &TextBox::ShowSecondTutorialText },
		{ Tarn::Key::Letter( 'u' ), &TextBox::Close },
		{ Tarn::Key::Space, &TextBox::Close },
	};

	namespace
	{
		constexpr uint32_t kWhite = 0xFFFFFFFFu;

		// The length of the text's first letters up to and with the next whole letter,
		// so that a letter of several bytes shows at once.
		size_t NextLetterEnd( const std::string& text, size_t shown )
		{
			size_t end = shown + 1;
			while ( end < text.size() && ( static_cast<unsigned char>( text[end] ) & 0xC0 ) == 0x80 )
				++end;
			return end;
		}
	}

	FontComponent* TextBox::Font() const { return GetComponent<FontComponent>(); }

	MeshComponent* TextBox::Mesh() const { return GetComponent<MeshComponent>(); }

	void TextBox::Initialise()
	{
		mComponents.AddComponent<Tarn::TransformComponent>();
		mComponents.AddComponent<MeshComponent>();
		mComponents.AddComponent( Tarn::HashedName( "CollisionComponent" ) );
		mComponents.AddComponent<FontComponent>();
		mComponents.InitialisePending();

		mShown = mComplete = false;
		mLetterTimer = 0.0f;
		mLettersShown = 0;
		mFullText = kPlaceholderText;
		mScaleX = mScaleY = 0.0f;

		if ( MeshComponent* mesh = Mesh() )
		{
			mesh->mIsHUD = true;
			mesh->mDrawOrder = kDrawOrder;
			mesh->mColour.a = kBoxAlpha;
			mesh->SetTexture( kBoxTexture );
			mesh->mVisible = false;
		}
		if ( FontComponent* font = Font() )
		{
			font->mDrawOrder = kDrawOrder;
			font->mColour = kWhite;
			font->mText = kPlaceholderText;
			font->mWidthScale = kLetterWidth;
			font->mHeightScale = kLineHeight;
			font->RecreateFont();
			font->mVisible = false;
		}
		Place();

		if ( auto* keyboard = Tarn::Services::Get<Tarn::KeyboardManager>(); keyboard && !mListening )
		{
			keyboard->mOnKeyPressed.Subscribe( this, &TextBox::OnKeyPressed );
			mListening = true;
		}
	}

	void TextBox::Shutdown()
	{
		if ( auto* keyboard = Tarn::Services::Get<Tarn::KeyboardManager>(); keyboard && mListening )
			keyboard->mOnKeyPressed.Unsubscribe( this, &TextBox::OnKeyPressed );
		mListening = false;
	}

	void TextBox::SetText( const std::string& text )
	{
		mFullText = text;
		mComplete = false;
		mLetterTimer = 0.0f;
		ShowLetters( 0 );
	}

	void TextBox::ShowLetters( size_t count )
	{
		mLettersShown = count;
		if ( FontComponent* font = Font() )
			font->mText = mFullText.substr( 0, count );
	}

	void TextBox::Update( Tarn::GameTime& gameTime )
	{
		const float dt = gameTime.ElapsedSeconds;
		if ( mShown )
			Open( dt );
		else
			Shrink( dt );
		Place();
	}

	void TextBox::Open( float dt )
	{
		if ( MeshComponent* mesh = Mesh() )
			mesh->mVisible = true;
		if ( mScaleX < kOpenWidth )
			mScaleX += kWidthRate * dt;
		else
		{
			if ( FontComponent* font = Font() )
				font->mVisible = true;
			mLetterTimer += dt;
			if ( mLetterTimer > kLetterInterval && mLettersShown < mFullText.size() )
			{
				ShowLetters( NextLetterEnd( mFullText, mLettersShown ) );
				mLetterTimer = 0.0f;
			}
			if ( mLettersShown >= mFullText.size() )
				mComplete = true;
		}
		if ( mScaleY < kOpenHeight )
			mScaleY += kHeightRate * dt;
	}

	void TextBox::Shrink( float dt )
	{
		// The text goes with the box rather than staying on the screen without it.
		if ( FontComponent* font = Font() )
			font->mVisible = false;
		if ( mScaleX > 0.0f )
			mScaleX -= kWidthRate * dt;
		if ( mScaleY > 0.0f )
			mScaleY -= kHeightRate * dt;
		if ( mScaleX < 0.0f && mScaleY < 0.0f )
			if ( MeshComponent* mesh = Mesh() )
				mesh->mVisible = false;
	}

	void TextBox::Place()
	{
		auto* transform = GetComponent<Tarn::TransformComponent>();
		if ( !transform )
			return;
		transform->mXScaleFactor = mScaleX;
		transform->mYScaleFactor = mScaleY;
		transform->UpdateWorldMatrix();
		// The open box's top-left corner, inside its margin, as fractions of the window
		// (whose top is +1 on the screen and 0 as a fraction).
		if ( FontComponent* font = Font() )
		{
			font->mX = ( transform->mPosition.X - kOpenWidth * 0.5f + kMargin + 1.0f ) * 0.5f;
			font->mY = ( 1.0f - ( transform->mPosition.Y + kOpenHeight * 0.5f - kMargin ) ) * 0.5f;
		}
	}

	void TextBox::Close()
	{
		if ( !mComplete )
			ShowLetters( mFullText.size() );
		else
		{
			mShown = false;
			mComplete = false;
			if ( auto* objectives = Tarn::Services::Get<Tarn::ObjectiveManager>() )
				objectives->ReleaseWaitingTextMarkers();
		}
		if ( FontComponent* font = Font() )
			font->mText = mFullText;
	}

	void TextBox::ToggleFirstTutorialText()
	{
		auto* texts = Tarn::Services::Get<TextManager>();
		if ( texts && texts->ShowText( kTutorialText1 ) )
			mShown = !mShown;
	}

	void TextBox::ShowSecondTutorialText()
	{
		if ( auto* texts = Tarn::Services::Get<TextManager>() )
			texts->ShowText( kTutorialText2 );
	}

	void TextBox::OnKeyPressed( uint32_t key, uint32_t )
	{
		for ( const KeyAction& action : kKeyActions )
			if ( action.mKey == key )
				( this->*action.mAction )();
	}
}
