#include "Graphics/FontComponent.h"

#include "Core/GameWindow/GameWindow.h"
#include "Core/TypeRegistry.h"
#include "Graphics/FontManager.h"
#include "Graphics/GraphicsManager.h"
#include "core/Services.h"

namespace Graphics
{
	TARN_REGISTER_COMPONENT_TYPE( FontComponent )

	FontComponent::FontComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}

	FontComponent::~FontComponent()
	{
		// A component destroyed without its shutdown must not stay on the manager's list.
		if ( FontManager* fonts = Tarn::Services::Get<FontManager>() )
			fonts->Unregister( this );
	}

	void FontComponent::ClientSize( int& width, int& height ) const
	{
		width = height = 0;
		if ( mWindow )
			mWindow->ClientSize( width, height );
	}

	void FontComponent::MakeFont()
	{
		// The window of the running game: a text laid out again (the loading screen's,
		// the menus') may have been made for an earlier one.
		mWindow = Tarn::Services::Get<Tarn::GameWindow>();
		int width = 0, height = 0;
		ClientSize( width, height );
		mFontDesc.mHeight = static_cast<int>( static_cast<float>( height ) * mHeightScale );
		mFontDesc.mWidth = static_cast<int>( static_cast<float>( width ) * mWidthScale );
		mFont.reset();
		if ( FontManager* fonts = Tarn::Services::Get<FontManager>() )
			mFont = fonts->MakeFont( mFontDesc );
		else
			mFont = Platform::CreateHeadlessFont( mFontDesc );
	}

	void FontComponent::Initialise()
	{
		mDrawOrder = kDrawOrder;
		MakeFont();
		int width = 0, height = 0;
		ClientSize( width, height );
		mRect = { 0, 0, width, height };
		mText = kStartText;
		mColour = kStartColour;
		if ( FontManager* fonts = Tarn::Services::Get<FontManager>() )
			fonts->Register( this );
	}

	void FontComponent::Shutdown()
	{
		mFont.reset();
		if ( FontManager* fonts = Tarn::Services::Get<FontManager>() )
			fonts->Unregister( this );
	}

	void FontComponent::RecreateFont() { MakeFont(); }

	void FontComponent::Lay( float x, float y, float widthScale, float heightScale )
	{
		mWidthScale = widthScale;
		mHeightScale = heightScale;
		RecreateFont();
		mX = x;
		mY = y;
	}

	void FontComponent::Draw( Tarn::GameTime& )
	{
		if ( !mFont )
			return;
		int width = 0, height = 0;
		ClientSize( width, height );
		mRect.mLeft = static_cast<int>( static_cast<float>( width ) * mX );
		mRect.mTop = static_cast<int>( static_cast<float>( height ) * mY );
		if ( mText.empty() )
			return;
		const GraphicsManager* graphics = Tarn::Services::Get<GraphicsManager>();
		if ( !graphics || !graphics->GetDevice() )
			return;
		const Platform::TextTarget target = { graphics->GetDevice(), graphics->GetVertexShader(), graphics->GetTextPixelShader() };
		mFont->Draw( target, mText, mRect, mColour );
	}
}
