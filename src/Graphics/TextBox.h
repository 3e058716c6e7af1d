#pragma once

// The heads-up text box ("TextBox1"): a dark, translucent quad that pops in, types its
// text out a letter at a time and pops out again. T, I, U and Space work it; closing it
// lets the objective markers that wait for the player's reading go on. The box's growth
// belongs to the box: each one starts closed.

#include "Core/GameComponent.h"
#include "Core/Object.h"
#include "core/HashedName.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Graphics
{
	class FontComponent;
	class MeshComponent;

	class TextBox : public Tarn::Object, public Tarn::IsUpdatable
	{
		TARN_CLASS_NAME( TextBox )

	public:
		// What the box holds until it is given a text.
		static constexpr const char* kPlaceholderText = "Lorem ipsum dolor sit amet,\n";
		static constexpr const char* kBoxTexture = "resource/box.png";
		static constexpr int32_t kDrawOrder = 7;
		static constexpr float kBoxAlpha = 0.7f;
		// The open box's scale, in the screen's -1 to 1 coordinates, and how fast each
		// side grows and shrinks, per second.
		static constexpr float kOpenWidth = 1.8f;
		static constexpr float kOpenHeight = 0.5f;
		static constexpr float kWidthRate = 5.0f;
		static constexpr float kHeightRate = 2.6f;
		// One more letter shows once this many seconds have passed.
		static constexpr float kLetterInterval = 0.01f;
		// The text's letter width and line height as fractions of the window, and its
		// margin inside the open box in screen coordinates.
		static constexpr float kLetterWidth = 0.01f;
		static constexpr float kLineHeight = 0.035f;
		static constexpr float kMargin = 0.04f;
		// The texts the tutorial keys show.
		static constexpr const char* kTutorialText1 = "TutorialText1";
		static constexpr const char* kTutorialText2 = "TutorialText2";

		// Adds its transform, mesh, collision and font, closed and empty, and listens to
		// the keyboard.
		void Initialise() override;
		// Stops listening to the keyboard.
		void Shutdown() override;
		// Grows or shrinks the box by one step and types the next letter.
		void Update( Tarn::GameTime& gameTime ) override;

		// The text to type out from its first letter on.
		void SetText( const std::string& text );
		void SetShown( bool shown ) { mShown = shown; }
		// Shows the rest of the text at once while it is being typed; once it is all
		// shown, closes the box and lets the waiting text markers go on.
		void Close();
		void OnKeyPressed( uint32_t key, uint32_t modifiers );

		bool IsShown() const { return mShown; }
		// The whole text is shown.
		bool IsComplete() const { return mComplete; }
		const std::string& FullText() const { return mFullText; }
		float ScaleX() const { return mScaleX; }
		float ScaleY() const { return mScaleY; }

	private:
		void ToggleFirstTutorialText();
		void ShowSecondTutorialText();
		void Open( float dt );
		void Shrink( float dt );
		// The transform takes the box's scale; the font sits in the open box's corner.
		void Place();
		void ShowLetters( size_t count );

		FontComponent* Font() const;
		MeshComponent* Mesh() const;

		bool mShown = false;
		bool mComplete = false;
		float mLetterTimer = 0.0f;
		size_t mLettersShown = 0;
		std::string mFullText = kPlaceholderText;
		float mScaleX = 0.0f;
		float mScaleY = 0.0f;
		bool mListening = false;

		struct KeyAction
		{
			uint32_t mKey;
			void ( TextBox::*mAction )();
		};
		static const KeyAction kKeyActions[];
	};
}
