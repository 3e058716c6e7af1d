#include "Graphics/MeshComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/TextureManager.h"
#include "Physics/TransformComponent.h"
#include "Platform/TweakBar.h"
#include "core/Services.h"

#include <cstring>

namespace Graphics
{
	TARN_REGISTER_COMPONENT_TYPE( MeshComponent )

	namespace
	{
		constexpr uint32_t kWhite = 0xFFFFFFFFu;
		constexpr float kWavyStep = 0.1666f;

		void TweakSetTextureName( void* clientData )
		{
			auto* mesh = static_cast<MeshComponent*>( clientData );
			mesh->SetTexture( mesh->GetTextureName() );
		}
	}

	float& MeshComponent::WavyTime()
	{
		static float time = 0.0f;
		return time;
	}

	MeshComponent::MeshComponent( Tarn::Object* owner ) : ObjectComponent( owner ) { FillVertices(); }

	MeshComponent::~MeshComponent()
	{
		if ( mVertexBuffer && Device() )
			Device()->ReleaseVertexBuffer( mVertexBuffer );
	}

	void MeshComponent::FillVertices()
	{
		const float uMin = mUVRect[0], vMin = mUVRect[1], uMax = mUVRect[2], vMax = mUVRect[3];
		mVertices[0] = { -0.5f, 0.5f, 0.0f, kWhite, uMin, vMin };
		mVertices[1] = { -0.5f, -0.5f, 0.0f, kWhite, uMin, vMax };
		mVertices[2] = { 0.5f, 0.5f, 0.0f, kWhite, uMax, vMin };
		mVertices[3] = { 0.5f, -0.5f, 0.0f, kWhite, uMax, vMax };
	}

	void MeshComponent::Initialise()
	{
		mGraphicsManager = Tarn::Services::Get<GraphicsManager>();
		mPtrToDevicePtr = mGraphicsManager ? mGraphicsManager->GetDevicePointer() : nullptr;
		if ( auto* transform = mOwner ? mOwner->GetComponent<Tarn::TransformComponent>() : nullptr )
			mWorldMatrix = &transform->GetWorldMatrix();

		mUVRect[0] = mUVRect[1] = 0.0f;
		mUVRect[2] = mUVRect[3] = 1.0f;
		FillVertices();
		mDrawOrder = 0;

		if ( Platform::RenderDevice* device = Device() )
			if ( !mVertexBuffer )
				// Room for eight vertices as the quad always had; the first four are used.
				mVertexBuffer = device->CreateVertexBuffer( 8 );
		UpdateVertexBuffer();
		mColour = Tarn::Colour();
		mIsFlippedY = false;
		mIsHUD = false;
		mIsWavy = mOwner && mOwner->GetType().GetName() == "Beam";
	}

	void MeshComponent::Shutdown()
	{
		if ( mVertexBuffer && Device() )
			Device()->ReleaseVertexBuffer( mVertexBuffer );
		mVertexBuffer = 0;
	}

	const Tarn::ComponentProperties& MeshComponent::Properties() const
	{
		using P = Tarn::Declare<MeshComponent>;
		static const Tarn::ComponentProperties kProperties = {
			P::Int( "DrawOrder", "DrawOrder", &MeshComponent::mDrawOrder ).Bar( "Draw Order", " group='Draw Order' " ),
			P::Tweak( "Visible   ", &MeshComponent::mVisible, " group='Draw Order' " ),
			P::Compound( "PixelShader", "", &MeshComponent::mColour, Tarn::Parts::kBareRGBA )
			    .Bar( { "Red", "Green", "Blue", "Alpha" }, " group='Pixel Shader' step=0.1 " ),
			P::String( "mTextureName", "TextureLocation", &MeshComponent::mTextureName )
			    .Bar( "Texture Name", " group=Texture " ),
			P::Button( "Set Texture Name", TweakSetTextureName, "group=Texture" ),
			P::Bool( "mIsFlippedY", "Flipped", &MeshComponent::mIsFlippedY ),
			P::Bool( "mIsHUD", "IsHUD", &MeshComponent::mIsHUD ),
			P::Bool( "Visible", "Visible", &MeshComponent::mVisible ),
		};
		return kProperties;
	}

	void MeshComponent::OnDeserialised( const pugi::xml_node& ) { SetTexture( mTextureName ); }

	void MeshComponent::SetTexture( const std::string& name )
	{
		if ( &name != &mTextureName )
			mTextureName = name;
		TextureManager* textures = Tarn::Services::Get<TextureManager>();
		mTexture = textures ? textures->GetTexture( mTextureName ) : 0;
	}

	void MeshComponent::SetFlipped()
	{
		const float left = mIsFlippedY ? 1.0f : 0.0f;
		const float right = mIsFlippedY ? 0.0f : 1.0f;
		mVertices[0].u = mVertices[1].u = left;
		mVertices[2].u = mVertices[3].u = right;
		UpdateVertexBuffer();
	}

	void MeshComponent::SetUV( float uMin, float vMin, float uMax, float vMax )
	{
		mUVRect[0] = uMin;
		mUVRect[1] = vMin;
		mUVRect[2] = uMax;
		mUVRect[3] = vMax;
		FillVertices();
		UpdateVertexBuffer();
	}

	void MeshComponent::UpdateVertexBuffer()
	{
		Platform::RenderDevice* device = Device();
		if ( !device || !mVertexBuffer || !mGraphicsManager || !mGraphicsManager->IsDeviceReady() )
			return;
		if ( CUSTOMVERTEX* target = device->Lock( mVertexBuffer ) )
		{
			std::memcpy( target, mVertices, sizeof( mVertices ) );
			device->Unlock( mVertexBuffer );
		}
	}

	void MeshComponent::Draw( Tarn::GameTime& )
	{
		Platform::RenderDevice* device = Device();
		if ( !device || !mGraphicsManager || !mVertexBuffer )
			return;
		const Matrix world = mWorldMatrix ? *mWorldMatrix : Identity();
		const Matrix view = device->GetTransform( Platform::TransformKind::View );
		const Matrix projection = device->GetTransform( Platform::TransformKind::Projection );
		const Matrix worldViewProj = mIsHUD ? world : world * view * projection;
		device->SetShaderMatrix( mGraphicsManager->GetVertexShader(), "WorldViewProj", worldViewProj );

		Platform::ShaderHandle pixelShader = mGraphicsManager->GetPixelShader();
		if ( mIsWavy )
		{
			WavyTime() += kWavyStep;
			pixelShader = mGraphicsManager->GetWavyPixelShader();
			device->SetShaderFloat( pixelShader, "Time", WavyTime() );
		}
		device->SetPixelShader( pixelShader );
		const float colour[4] = { mColour.r, mColour.g, mColour.b, mColour.a };
		device->SetShaderFloat4( pixelShader, "rgba0", colour );

		device->SetTexture( 0, mTexture );
		device->SetTransform( Platform::TransformKind::World, world );
		device->DrawTriangleStrip( mVertexBuffer, 0, 2 );
	}
}
