#pragma once

// Draws one string in window pixels, at a place and a letter size given as fractions of
// the window's client area, through a font of the platform layer. Its users set the
// text, colour, place and visibility directly; text ignores the camera.

#include "Core/GameComponent.h"
#include "Core/ObjectComponent.h"
#include "Platform/Font.h"
#include "core/HashedName.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Tarn
{
	class GameWindow;
}

namespace Graphics
{
	class FontComponent : public Tarn::ObjectComponent, public Tarn::IsDrawable
	{
		TARN_CLASS_NAME( FontComponent )

	public:
		// Text draws above most meshes.
		static constexpr int32_t kDrawOrder = 8;
		static constexpr uint32_t kStartColour = 0xFFFF0000;
		static constexpr const char* kStartText = "     ";

		explicit FontComponent( Tarn::Object* owner );
		~FontComponent() override;

		// Makes the font at the size its scales give the window and joins the font manager.
		void Initialise() override;
		void Shutdown() override;
		void Draw( Tarn::GameTime& gameTime ) override;

		// Makes the font again after mWidthScale or mHeightScale changed.
		void RecreateFont();
		// The letter size and the top-left corner, as fractions of the window, in one go:
		// the font is made again at that size.
		void Lay( float x, float y, float widthScale, float heightScale );

		// The client area the scales and fractions are taken of.
		void ClientSize( int& width, int& height ) const;
		// The platform font, null until initialised (the manager tells it of resets).
		Platform::Font* GetFont() const { return mFont.get(); }

		Platform::FontDesc mFontDesc;
		Platform::PixelRect mRect;
		std::string mText = kStartText;
		uint32_t mColour = kStartColour;
		// Letter width and line height as fractions of the client width and height.
		float mWidthScale = 0.0f;
		float mHeightScale = 0.0f;
		// The text's top-left corner as fractions of the client width and height.
		float mX = 0.0f;
		float mY = 0.0f;
		Tarn::GameWindow* mWindow = nullptr;

	private:
		void MakeFont();

		std::unique_ptr<Platform::Font> mFont;
	};
}
