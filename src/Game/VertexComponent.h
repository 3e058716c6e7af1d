#pragma once

// A shadow caster and the light cone it throws: the outline of its owner (a prism, or
// a round boss part), the silhouette and cone the shadow manager shapes from it each
// update, and the cone's drawing, a soft wedge in the caster's colour that brightens
// while a beam holds the prism and fades once it lets go, with the colour's glyph in it.

#include "Game/ShadowManager.h"
#include "Graphics/MeshComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "core/Colour.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <cstdint>

namespace Tarn
{
	class TransformComponent;

	class VertexComponent : public Graphics::MeshComponent
	{
		TARN_CLASS_NAME( VertexComponent )

	public:
		static constexpr const char* kTexture = "resource/gray_square.png";
		// The cone's channels of its colour glow at this level, the prism's own at this.
		static constexpr float kConeGlow = 11.0f;
		static constexpr float kPrismGlow = 5.0f;
		static constexpr float kDefaultTextureScale = 0.75f;
		// The cone's fade level per draw: up while lit, down once the light has gone.
		static constexpr float kRisePerDraw = 0.08f;
		static constexpr float kFallPerDraw = 0.04f;
		// The cone is drawn as this many slices side by side, so that its soft edges
		// stay straight however wide it opens.
		static constexpr uint32_t kConeSlices = 8;
		// The colour's glyph rides this far out along the cone, at this size.
		static constexpr float kGlyphDistance = 2.4f;
		static constexpr float kGlyphSize = 1.2f;

		explicit VertexComponent( Object* owner ) : MeshComponent( owner ) {}
		~VertexComponent() override;

		// The mesh's start, then draw order 0, the shadow manager and the owner's outline.
		void Initialise() override;
		void Shutdown() override;
		const ComponentProperties& Properties() const override;
		TweakCallback GetTweakCallback() override { return &OpenTweakBar; }
		void Draw( GameTime& gameTime ) override;

		// Position from the transform and, unless round, the corners of its scaled box.
		void SetCorners( const TransformComponent& transform );
		// Makes `code` the prism's own colour and shows it: the cone's channels of it
		// glow, and the prism's own sprite glows in it.
		void SetPrismColour( int32_t code );
		// Shows colour `code`; None is the prism's own. The cone's channels of the code
		// glow, the others stay at 1.
		void SetColour( int32_t code );
		// A round caster: its silhouette is where the tangents from the light touch it.
		void SetCircular( float radius );
		// A beam ends at the caster: the cone shines from `light` in colour `code` for
		// this update.
		void SwitchOn( const Vector2& light, int32_t code );

		// Whether `point` is lit: inside the cone of a lit caster, and not at the caster's
		// very centre.
		bool InCone( const Vector2& point ) const;

		int32_t mCurrentColour = StateMachines::ColourCode::Green;
		// The prism's own colour, stored as "mPrismColour".
		int32_t mPrismColour = StateMachines::ColourCode::Green;
		// The cone's colour; its alpha is the fade level. Stands in for the mesh's tint,
		// which a caster never draws with.
		Colour mColour{ 1.0f, kConeGlow, 1.0f, 0.0f };
		float mTextureScale = kDefaultTextureScale;
		// Lit in this update: set by the beam, put out by the shadow manager's second pass.
		bool mLit = false;
		// Lit in an update since the cone was last drawn.
		bool mLitSinceDraw = false;
		Vector2 mPoint1;
		Vector2 mPoint2;
		Vector2 mProjected1;
		Vector2 mProjected2;
		Vector2 mPosition;
		// Where the light comes from: the centre of the beam's source.
		Vector2 mRaycaster;
		Light::Corners mCorners{};
		bool mCircular = false;
		float mRadius = 0.0f;
		float mRadiusSquared = 0.0f;
		// The silhouette was found from the light: the cone has a shape.
		bool mHasCone = false;

	protected:
		// Both colour codes from the file, the cone's and the owner's glow from them,
		// and the outline from the transform.
		void OnDeserialised( const pugi::xml_node& element ) override;

	private:
		void FillCone( Graphics::CUSTOMVERTEX* vertices ) const;
		void FillGlyph( Graphics::CUSTOMVERTEX* vertices ) const;
		void ReleaseConeBuffer();

		Platform::BufferHandle mConeBuffer = 0;
	};
}
