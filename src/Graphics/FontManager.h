#pragma once

// Keeps every live font component, so that the graphics manager can tell their fonts
// of a lost and a reset device, and makes the fonts they draw with: the game's TrueType
// face when the game has a screen to draw on, headless fonts when it has none. Its own
// update and draw have nothing to do; the components draw themselves.

#include "Core/GameComponent.h"
#include "Platform/Font.h"
#include "core/HashedName.h"

#include <memory>
#include <vector>

namespace Graphics
{
	class FontComponent;

	class FontManager : public Tarn::DrawableGameComponent
	{
		TARN_CLASS_NAME( FontManager )

	public:
		explicit FontManager( Tarn::Game* game ) : DrawableGameComponent( game ) {}

		void Initialise() override {}
		// Gives back what the remaining fonts made on the device, which shuts down after
		// this service, and forgets them.
		void Shutdown() override;
		void Update( Tarn::GameTime& ) override {}
		void Draw( Tarn::GameTime& ) override {}

		// Joins once; a second registration changes nothing.
		void Register( FontComponent* font );
		void Unregister( FontComponent* font );
		const std::vector<FontComponent*>& Fonts() const { return mFonts; }

		// Around a device reset (the graphics manager calls them).
		void OnLostDevice();
		void OnResetDevice();

		// A font of the game's face at this size. A face that cannot be opened is said
		// once in the log, and its text is measured but not shown.
		std::unique_ptr<Platform::Font> MakeFont( const Platform::FontDesc& desc );

	private:
		void TellEveryFont( void ( Platform::Font::*what )() );

		std::vector<FontComponent*> mFonts;
		bool mFaceFailed = false;
	};
}
