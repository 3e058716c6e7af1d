#include "Game/VertexComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "Graphics/ContentNames.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/TextureManager.h"
#include "Physics/TransformComponent.h"
#include "core/MathConstants.h"
#include "core/Services.h"

#include <algorithm>
#include <array>

namespace Tarn
{
	TARN_REGISTER_COMPONENT_TYPE( VertexComponent )

	namespace
	{
		constexpr uint32_t kWhite = 0xFFFFFFFFu;
		// The cone's strip: two vertices at each edge between slices.
		constexpr uint32_t kConeVertices = 2 * ( VertexComponent::kConeSlices + 1 );
		constexpr uint32_t kGlyphVertices = 4;

		Graphics::CUSTOMVERTEX At( const Vector2& point, float u, float v ) { return { point.X, point.Y, 0.0f, kWhite, u, v }; }

		Vector2 Between( const Vector2& from, const Vector2& to, float t ) { return from + ( to - from ) * t; }

		Platform::TextureHandle TextureNamed( const char* name )
		{
			auto* textures = Services::Get<Graphics::TextureManager>();
			return textures && name ? textures->GetTexture( std::string( name ) ) : 0;
		}
	}

	VertexComponent::~VertexComponent()
	{
		// A caster destroyed without its shutdown must not stay on the manager's list.
		if ( auto* shadows = Services::Get<ShadowManager>() )
			shadows->Remove( this );
		ReleaseConeBuffer();
	}

	void VertexComponent::Initialise()
	{
		MeshComponent::Initialise();
		mDrawOrder = 0;
		if ( auto* shadows = Services::Get<ShadowManager>() )
			shadows->Add( this );
		SetTexture( kTexture );
		if ( const auto* transform = mOwner ? mOwner->GetComponent<TransformComponent>() : nullptr )
			SetCorners( *transform );
		if ( Platform::RenderDevice* device = Device(); device && !mConeBuffer )
			mConeBuffer = device->CreateVertexBuffer( kConeVertices + kGlyphVertices );
	}

	void VertexComponent::Shutdown()
	{
		if ( auto* shadows = Services::Get<ShadowManager>() )
			shadows->Remove( this );
		ReleaseConeBuffer();
		MeshComponent::Shutdown();
	}

	void VertexComponent::ReleaseConeBuffer()
	{
		if ( mConeBuffer && Device() )
			Device()->ReleaseVertexBuffer( mConeBuffer );
		mConeBuffer = 0;
	}

	const ComponentProperties& VertexComponent::Properties() const
	{
		using P = Declare<VertexComponent>;
		constexpr const char* kShadow = " group=Shadow Members ";
		constexpr const char* kVertex = " group=Vertex Members ";
		constexpr const char* kColour = " group=Color ";
		static const ComponentProperties kProperties = {
			P::Int( "PrismColour", "mPrismColour", &VertexComponent::mPrismColour ),
			P::Compound( "Colour", "mColour", &VertexComponent::mColour, Parts::kRGBA ),
			P::Float( "TextureScale", "mTextureScale", &VertexComponent::mTextureScale ),
			// Shown, not kept: rows without an element.
			P::Tweak( "State", &VertexComponent::mLit, kShadow ),
			P::Vector( "", "", &VertexComponent::mPoint1 ).Bar( { "1st Point X", "1st Point Y" }, kShadow ),
			P::Vector( "", "", &VertexComponent::mPoint2 ).Bar( { "2nd Point X", "2nd Point Y" }, kShadow ),
			P::Vector( "", "", &VertexComponent::mProjected1 ).Bar( { "1st P. Point X", "1st P. Point Y" }, kShadow ),
			P::Vector( "", "", &VertexComponent::mProjected2 ).Bar( { "2nd P. Point X", "2nd P. Point Y" }, kShadow ),
			P::Vector( "", "", &VertexComponent::mPosition ).Bar( { "Position X", "Position Y" }, kVertex ),
			P::Vector( "", "", &VertexComponent::mRaycaster ).Bar( { "Raycaster X", "Raycaster Y" }, kVertex ),
			P::Tweak( "Radius", &VertexComponent::mRadius, kVertex ),
			P::Compound( "", "", &VertexComponent::mColour, Parts::kRGBA ).Bar( { "Red", "Green", "Blue", "Alpha" }, kColour ),
		};
		return kProperties;
	}

	void VertexComponent::OnDeserialised( const pugi::xml_node& )
	{
		SetPrismColour( mPrismColour );
		if ( const auto* transform = mOwner ? mOwner->GetComponent<TransformComponent>() : nullptr )
			SetCorners( *transform );
	}

	void VertexComponent::SetPrismColour( int32_t code )
	{
		mPrismColour = mCurrentColour = code;
		mColour.r = mColour.g = mColour.b = 1.0f;
		StateMachines::ColourCode::SetChannels( mColour, code, kConeGlow );
		if ( auto* mesh = mOwner ? mOwner->GetComponent<Graphics::MeshComponent>() : nullptr )
			StateMachines::ColourCode::SetChannels( mesh->mColour, code, kPrismGlow );
	}

	void VertexComponent::SetCorners( const TransformComponent& transform )
	{
		mPosition = transform.mPosition;
		if ( mCircular )
			return;
		const float w = transform.mXScaleFactor * 0.5f * mTextureScale;
		const float h = transform.mYScaleFactor * 0.5f * mTextureScale;
		const float x = mPosition.X, y = mPosition.Y;
		mCorners = { Vector2( x - w, y + h ), Vector2( x + w, y + h ), Vector2( x + w, y - h ), Vector2( x - w, y - h ) };
	}

	void VertexComponent::SetColour( int32_t code )
	{
		if ( code == mCurrentColour )
			return;
		mCurrentColour = code == StateMachines::ColourCode::None ? mPrismColour : code;
		mColour.r = mColour.g = mColour.b = 1.0f;
		StateMachines::ColourCode::SetChannels( mColour, mCurrentColour, kConeGlow );
	}

	void VertexComponent::SetCircular( float radius )
	{
		mCircular = true;
		mRadius = radius;
		mRadiusSquared = radius * radius;
	}

	void VertexComponent::SwitchOn( const Vector2& light, int32_t code )
	{
		mLit = true;
		if ( const auto* transform = mOwner ? mOwner->GetComponent<TransformComponent>() : nullptr )
			mPosition = transform->mPosition;
		mRaycaster = light;
		SetColour( code );
	}

	bool VertexComponent::InCone( const Vector2& point ) const
	{
		if ( !mLit || !mHasCone )
			return false;
		// The caster's own centre is never in its light.
		if ( LengthSquared( point - mPosition ) <= kFloatEpsilon )
			return false;
		return Light::PointInTriangle( mPoint1, mPoint2, mProjected2, point ) ||
		       Light::PointInTriangle( mPoint1, mProjected2, mProjected1, point );
	}

	void VertexComponent::FillCone( Graphics::CUSTOMVERTEX* vertices ) const
	{
		// Side by side from the first silhouette point's edge to the second's; the mask's
		// u runs across the cone and v away from the caster.
		for ( uint32_t slice = 0; slice <= kConeSlices; ++slice )
		{
			const float t = float( slice ) / float( kConeSlices );
			vertices[2 * slice] = At( Between( mPoint1, mPoint2, t ), t, 0.0f );
			vertices[2 * slice + 1] = At( Between( mProjected1, mProjected2, t ), t, 1.0f );
		}
	}

	void VertexComponent::FillGlyph( Graphics::CUSTOMVERTEX* vertices ) const
	{
		// Upright, so that it reads the same whichever way the cone points.
		const Vector2 centre = mPosition + Unit( mPosition - mRaycaster ) * kGlyphDistance;
		const float half = kGlyphSize * 0.5f;
		vertices[0] = At( centre + Vector2( -half, half ), 0.0f, 0.0f );
		vertices[1] = At( centre + Vector2( -half, -half ), 0.0f, 1.0f );
		vertices[2] = At( centre + Vector2( half, half ), 1.0f, 0.0f );
		vertices[3] = At( centre + Vector2( half, -half ), 1.0f, 1.0f );
	}

	void VertexComponent::Draw( GameTime& )
	{
		// The fade follows the updates that lit the cone since the last draw; the
		// flag that lets the cone act is the shadow manager's, never this.
		// Out, it rests at 0, so that the next light starts from nothing.
		float& alpha = mColour.a;
		if ( mLitSinceDraw )
		{
			if ( alpha <= 1.0f )
				alpha += kRisePerDraw;
		}
		else
			alpha = std::max( 0.0f, alpha - kFallPerDraw );
		mLitSinceDraw = false;
		if ( alpha <= 0.0f || !mHasCone )
			return;

		Platform::RenderDevice* device = Device();
		if ( !device || !mGraphicsManager || !mConeBuffer || !mGraphicsManager->IsDeviceReady() )
			return;
		if ( Graphics::CUSTOMVERTEX* vertices = device->Lock( mConeBuffer ) )
		{
			FillCone( vertices );
			FillGlyph( vertices + kConeVertices );
			device->Unlock( mConeBuffer );
		}
		const Matrix viewProjection =
		    device->GetTransform( Platform::TransformKind::View ) * device->GetTransform( Platform::TransformKind::Projection );
		device->SetShaderMatrix( mGraphicsManager->GetVertexShader(), "WorldViewProj", viewProjection );

		// The alpha shader shows a flat colour and cannot glow: the cone's colour is
		// shown at full strength in its own hue, the glow channels brightest.
		const float brightest = std::max( { mColour.r, mColour.g, mColour.b, 1.0f } );
		const float cone[4] = { mColour.r / brightest, mColour.g / brightest, mColour.b / brightest, alpha };
		const Platform::ShaderHandle alphaShader = mGraphicsManager->GetAlphaPixelShader();
		device->SetPixelShader( alphaShader );
		device->SetShaderFloat4( alphaShader, "rgba", cone );
		device->SetTexture( 0, TextureNamed( Graphics::kConePicture ) );
		device->DrawTriangleStrip( mConeBuffer, 0, 2 * kConeSlices );

		// The glyph of the colour, fading with the cone; a code without a glyph has none.
		if ( const char* glyph = Graphics::ColourGlyphPicture( mCurrentColour ) )
		{
			const float tint[4] = { 1.0f, 1.0f, 1.0f, std::min( alpha, 1.0f ) };
			const Platform::ShaderHandle pixelShader = mGraphicsManager->GetPixelShader();
			device->SetPixelShader( pixelShader );
			device->SetShaderFloat4( pixelShader, "rgba0", tint );
			device->SetTexture( 0, TextureNamed( glyph ) );
			device->DrawTriangleStrip( mConeBuffer, kConeVertices, 2 );
		}
	}
}
