#pragma once
// What makes an object a menu button: the rectangle a click must land in, the page
// (group) it belongs to and the function it performs. It files itself with the button
// manager when it is read from a level and leaves when it shuts down; the manager
// decides what hover, show, hide and a click do with it.

#include "Core/ObjectComponent.h"
#include "GameStates/ButtonTypes.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <string>

namespace Graphics
{
	class MeshComponent;
}

namespace Tarn
{
	class ButtonComponent : public ObjectComponent
	{
		TARN_CLASS_NAME( ButtonComponent )

	public:
		// The shade of a page covered by another.
		static constexpr float kDimmed = 0.2f;

		explicit ButtonComponent( Object* owner ) : ObjectComponent( owner ) {}
		// Leaves the manager's lists, whether or not it was shut down first.
		~ButtonComponent() override;

		void Initialise() override;
		void Shutdown() override;
		const ComponentProperties& Properties() const override;

		// The pointer has come over it: once per entry, the hover sound and the
		// highlighted picture.
		void Hover();
		// Back to the normal picture.
		void Unhover();
		// Drawn at full brightness and reacting.
		void Show();
		// Dimmed and not reacting; the main menu and the in-game menu stay in sight
		// under the page that covers them, every other page goes.
		void Hide();
		// Out of sight and not reacting: its page has closed.
		void Conceal();
		// Performs its function (the manager's table).
		void Activate();

		// The picture of the function, normal or highlighted, when the function has one.
		void ShowFunctionPicture( bool highlighted );
		void ShowPicture( const std::string& texture );
		// The picture's brightness, 1 normal.
		void SetShade( float shade );
		bool Contains( const Vector2& point ) const;
		Vector2 Centre() const { return ( mTopRight + mBottomLeft ) * 0.5f; }
		// A button the pointer and the keys can reach: active and not a page picture.
		bool IsClickable() const { return mActiveButton && !mGUIPage; }
		Graphics::MeshComponent* Mesh() const;

		Vector2 mTopRight;
		Vector2 mBottomLeft;
		ButtonGroup mGroup = GRP_MAINMENU;
		ButtonFunction mFunction = FUNC_NONE;
		bool mActiveButton = false;
		bool mHovered = false;
		bool mGUIPage = false;
		// The scale its level gives it: where the score screen's zoom ends.
		Vector2 mRestScale{ 1.0f, 1.0f };

	protected:
		// The rectangle follows the owner's place and collider; the button files itself.
		void OnDeserialised( const pugi::xml_node& element ) override;
	};
}
