#pragma once
// The colour glyphs an object shows over itself: one for each colour code it names, so
// that a player who cannot tell the colours apart reads the code by its shape. A switch
// shows its own colour, a gate the colours it wants in order. What to show comes from
// the owner's source each draw; the pictures are the baker's glyph table's. Nothing of
// it is kept in a level file.

#include "Core/GameComponent.h"
#include "Core/ObjectComponent.h"
#include "Platform/RenderDevice.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <array>
#include <cstdint>

namespace Graphics
{
	class GraphicsManager;

	class ColourGlyphComponent : public Tarn::ObjectComponent, public Tarn::IsDrawable
	{
		TARN_CLASS_NAME( ColourGlyphComponent )

	public:
		static constexpr size_t kMostGlyphs = 5;
		// Above the furniture and the ship's body, below the ship.
		static constexpr int32_t kLayer = 3;
		// The channels a code does not name are tinted this much, so that the glyph is
		// lit in a pale form of its colour and reads bright on any background.
		static constexpr float kPaleChannel = 0.55f;

		struct Glyph
		{
			int32_t mCode = 0;
			float mAlpha = 1.0f;
			float mScale = 1.0f; // of the component's glyph size
		};

		// The glyphs in a row, from left to right.
		struct Row
		{
			std::array<Glyph, kMostGlyphs> mGlyphs{};
			size_t mCount = 0;

			void Add( const Glyph& glyph )
			{
				if ( mCount < kMostGlyphs )
					mGlyphs[mCount++] = glyph;
			}
		};

		// What the owner shows now.
		using Source = Row ( * )( const Tarn::Object& owner );

		explicit ColourGlyphComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}
		~ColourGlyphComponent() override;

		void Initialise() override;
		void Shutdown() override;
		// The row centred at the owner's position plus mOffset; a code without a glyph
		// leaves its place empty. Nothing while the owner is hidden or out of play.
		void Draw( Tarn::GameTime& gameTime ) override;

		// What it would draw now: the source's row, or nothing without a source.
		Row Shown() const;
		// The world position of the row's glyph `index` of `count`.
		Tarn::Vector2 GlyphCentre( size_t index, size_t count ) const;

		Source mSource = nullptr;
		Tarn::Vector2 mOffset;
		float mSize = 0.5f;    // world units, a glyph's side
		float mSpacing = 0.6f; // world units between two glyphs' centres

	private:
		Platform::RenderDevice* Device() const { return mPtrToDevicePtr ? *mPtrToDevicePtr : nullptr; }
		void ReleaseBuffer();

		GraphicsManager* mGraphicsManager = nullptr;
		Platform::RenderDevice* const* mPtrToDevicePtr = nullptr;
		Platform::BufferHandle mBuffer = 0;
	};
}
