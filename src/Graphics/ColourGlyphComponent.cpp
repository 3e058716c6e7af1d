#include "Graphics/ColourGlyphComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "Graphics/ContentNames.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextureManager.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "core/Colour.h"
#include "core/Services.h"

namespace Graphics
{
	TARN_REGISTER_COMPONENT_TYPE( ColourGlyphComponent )

	namespace
	{
		constexpr uint32_t kWhite = 0xFFFFFFFFu;
		constexpr uint32_t kVerticesPerGlyph = 4;
	}

	ColourGlyphComponent::~ColourGlyphComponent() { ReleaseBuffer(); }

	void ColourGlyphComponent::Initialise()
	{
		mGraphicsManager = Tarn::Services::Get<GraphicsManager>();
		mPtrToDevicePtr = mGraphicsManager ? mGraphicsManager->GetDevicePointer() : nullptr;
		mDrawOrder = kLayer;
		if ( Platform::RenderDevice* device = Device(); device && !mBuffer )
			mBuffer = device->CreateVertexBuffer( kMostGlyphs * kVerticesPerGlyph );
	}

	void ColourGlyphComponent::Shutdown() { ReleaseBuffer(); }

	void ColourGlyphComponent::ReleaseBuffer()
	{
		if ( mBuffer && Device() )
			Device()->ReleaseVertexBuffer( mBuffer );
		mBuffer = 0;
	}

	ColourGlyphComponent::Row ColourGlyphComponent::Shown() const
	{
		return mSource && mOwner ? mSource( *mOwner ) : Row{};
	}

	Tarn::Vector2 ColourGlyphComponent::GlyphCentre( size_t index, size_t count ) const
	{
		const auto* transform = mOwner ? mOwner->GetComponent<Tarn::TransformComponent>() : nullptr;
		const Tarn::Vector2 at = transform ? transform->mPosition : Tarn::Vector2();
		const float across = ( float( index ) - float( count - 1 ) * 0.5f ) * mSpacing;
		return at + mOffset + Tarn::Vector2( across, 0.0f );
	}

	void ColourGlyphComponent::Draw( Tarn::GameTime& )
	{
		Platform::RenderDevice* device = Device();
		if ( !device || !mBuffer || !mGraphicsManager || !mGraphicsManager->IsDeviceReady() || !mOwner )
			return;
		const auto* mesh = mOwner->GetComponent<MeshComponent>();
		const auto* transform = mOwner->GetComponent<Tarn::TransformComponent>();
		if ( ( mesh && !mesh->mVisible ) || ( transform && !transform->mActive ) )
			return;
		const Row row = Shown();
		if ( row.mCount == 0 )
			return;

		// Upright squares in world space, whichever way the owner turns.
		if ( CUSTOMVERTEX* vertices = device->Lock( mBuffer ) )
		{
			for ( size_t i = 0; i < row.mCount; ++i )
			{
				const Tarn::Vector2 centre = GlyphCentre( i, row.mCount );
				const float half = mSize * row.mGlyphs[i].mScale * 0.5f;
				CUSTOMVERTEX* quad = vertices + i * kVerticesPerGlyph;
				quad[0] = { centre.X - half, centre.Y + half, 0.0f, kWhite, 0.0f, 0.0f };
				quad[1] = { centre.X - half, centre.Y - half, 0.0f, kWhite, 0.0f, 1.0f };
				quad[2] = { centre.X + half, centre.Y + half, 0.0f, kWhite, 1.0f, 0.0f };
				quad[3] = { centre.X + half, centre.Y - half, 0.0f, kWhite, 1.0f, 1.0f };
			}
			device->Unlock( mBuffer );
		}
		const Matrix viewProjection =
		    device->GetTransform( Platform::TransformKind::View ) * device->GetTransform( Platform::TransformKind::Projection );
		device->SetShaderMatrix( mGraphicsManager->GetVertexShader(), "WorldViewProj", viewProjection );
		const Platform::ShaderHandle pixelShader = mGraphicsManager->GetPixelShader();
		device->SetPixelShader( pixelShader );
		auto* textures = Tarn::Services::Get<TextureManager>();
		for ( size_t i = 0; i < row.mCount; ++i )
		{
			const Glyph& glyph = row.mGlyphs[i];
			const char* picture = ColourGlyphPicture( glyph.mCode );
			if ( !picture )
				continue;
			Tarn::Colour tint{ kPaleChannel, kPaleChannel, kPaleChannel, glyph.mAlpha };
			StateMachines::ColourCode::SetChannels( tint, glyph.mCode, 1.0f );
			const float rgba[4] = { tint.r, tint.g, tint.b, tint.a };
			device->SetShaderFloat4( pixelShader, "rgba0", rgba );
			device->SetTexture( 0, textures ? textures->GetTexture( std::string( picture ) ) : 0 );
			device->DrawTriangleStrip( mBuffer, static_cast<uint32_t>( i * kVerticesPerGlyph ), 2 );
		}
	}
}
