#include "GameStates/ButtonComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "GameStates/ButtonManager.h"
#include "GameStates/SoundManager.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"

namespace Tarn
{
	TARN_REGISTER_COMPONENT_TYPE( ButtonComponent )

	ButtonComponent::~ButtonComponent()
	{
		if ( ButtonManager* buttons = Services::Get<ButtonManager>() )
			buttons->Unfile( *this );
	}

	void ButtonComponent::Initialise() {}

	void ButtonComponent::Shutdown()
	{
		if ( ButtonManager* buttons = Services::Get<ButtonManager>() )
			buttons->Unfile( *this );
	}

	const ComponentProperties& ButtonComponent::Properties() const
	{
		using P = Declare<ButtonComponent>;
		static const ComponentProperties kProperties = {
			P::Vector( "mTopRight", "mTopRight", &ButtonComponent::mTopRight )
			    .Bar( { "mTopRight X", "mTopRight Y" }, " group=BoundingBox " ),
			P::Vector( "mBottomLeft", "mBottomLeft", &ButtonComponent::mBottomLeft )
			    .Bar( { "mBottomLeft X", "mBottomLeft Y" }, " group=BoundingBox " ),
			P::Enum( "mGroup", "mGroup", &ButtonComponent::mGroup )
			    .Bar( "Button Group", " group=Group " )
			    .Enumeration( "Button Grp", kButtonGroupNames ),
			P::Enum( "mFunction", "mFunction", &ButtonComponent::mFunction )
			    .Bar( "Function", " group=Function " )
			    .Enumeration( "Button Function", kButtonFunctionNames ),
			P::Bool( "mActiveButton", "mActiveButton", &ButtonComponent::mActiveButton ).Bar( "mActive", " group=Active " ),
			P::Bool( "mGUIPage", "mGUIPage", &ButtonComponent::mGUIPage ).Bar( "mGUIPage", " group=Active " ),
		};
		return kProperties;
	}

	void ButtonComponent::OnDeserialised( const pugi::xml_node& )
	{
		if ( const auto* transform = mOwner->GetComponent<TransformComponent>() )
		{
			mRestScale = Vector2( transform->mXScaleFactor, transform->mYScaleFactor );
			if ( const auto* collider = mOwner->GetComponent<Physics::CollisionComponent>() )
			{
				const Vector2 half( collider->HalfWidth(), collider->HalfHeight() );
				mTopRight = transform->mPosition + half;
				mBottomLeft = transform->mPosition - half;
			}
		}
		if ( ButtonManager* buttons = Services::Get<ButtonManager>() )
			buttons->File( *this );
	}

	Graphics::MeshComponent* ButtonComponent::Mesh() const { return mOwner->GetComponent<Graphics::MeshComponent>(); }

	bool ButtonComponent::Contains( const Vector2& point ) const
	{
		return mBottomLeft.X <= point.X && point.X <= mTopRight.X && mBottomLeft.Y <= point.Y && point.Y <= mTopRight.Y;
	}

	void ButtonComponent::Hover()
	{
		if ( mHovered )
			return;
		if ( SoundManager* sounds = Services::Get<SoundManager>() )
			sounds->PlaySoundEffect( ButtonManager::kHoverSound, true );
		ShowFunctionPicture( true );
		mHovered = true;
	}

	void ButtonComponent::Unhover()
	{
		if ( !mHovered )
			return;
		ShowFunctionPicture( false );
		mHovered = false;
	}

	void ButtonComponent::Show()
	{
		if ( Graphics::MeshComponent* mesh = Mesh() )
			mesh->mVisible = true;
		SetShade( 1.0f );
		mActiveButton = true;
	}

	void ButtonComponent::Hide()
	{
		SetShade( kDimmed );
		mActiveButton = false;
		if ( Graphics::MeshComponent* mesh = Mesh() )
			mesh->mVisible = IsBasePage( mGroup );
	}

	void ButtonComponent::Conceal()
	{
		Unhover();
		Hide();
		if ( Graphics::MeshComponent* mesh = Mesh() )
			mesh->mVisible = false;
	}

	void ButtonComponent::Activate()
	{
		if ( ButtonManager* buttons = Services::Get<ButtonManager>() )
			buttons->Activate( *this );
	}

	void ButtonComponent::ShowFunctionPicture( bool highlighted )
	{
		const std::string picture = ButtonPicture( mFunction, highlighted );
		if ( !picture.empty() )
			ShowPicture( picture );
	}

	void ButtonComponent::ShowPicture( const std::string& texture )
	{
		if ( Graphics::MeshComponent* mesh = Mesh() )
			mesh->SetTexture( texture );
	}

	void ButtonComponent::SetShade( float shade )
	{
		if ( Graphics::MeshComponent* mesh = Mesh() )
			mesh->mColour.r = mesh->mColour.g = mesh->mColour.b = shade;
	}
}
