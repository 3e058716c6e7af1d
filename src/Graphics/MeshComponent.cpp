#include "Graphics/MeshComponent.h"

#include "Core/Object.h"
#include "Core/Serialiser.h"
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

	void MeshComponent::Serialise( Tarn::ResourceRecord& record )
	{
		Tarn::Serialiser& serialiser = Tarn::Serialiser::Instance();
		pugi::xml_node node = serialiser.BeginComponent( mType );
		Tarn::Property::WriteInt( node, "DrawOrder", "DrawOrder", mDrawOrder );
		pugi::xml_node shader = node.append_child( "PixelShader" );
		shader.append_attribute( "r" ).set_value( Tarn::ValueText::FromFloat( mColour.r ).c_str() );
		shader.append_attribute( "g" ).set_value( Tarn::ValueText::FromFloat( mColour.g ).c_str() );
		shader.append_attribute( "b" ).set_value( Tarn::ValueText::FromFloat( mColour.b ).c_str() );
		shader.append_attribute( "a" ).set_value( Tarn::ValueText::FromFloat( mColour.a ).c_str() );
		Tarn::Property::WriteString( node, "mTextureName", "TextureLocation", mTextureName );
		Tarn::Property::WriteBool( node, "mIsFlippedY", "Flipped", mIsFlippedY );
		Tarn::Property::WriteBool( node, "mIsHUD", "IsHUD", mIsHUD );
		Tarn::Property::WriteBool( node, "Visible", "Visible", mVisible );
		serialiser.SaveComponent( record );
	}

	void MeshComponent::Deserialise( Tarn::ResourceRecord& record )
	{
		const pugi::xml_node node = Tarn::Serialiser::Instance().LoadComponent( record );
		mDrawOrder = Tarn::Property::ReadInt( node, "DrawOrder", "DrawOrder" );
		const pugi::xml_node shader = node.child( "PixelShader" );
		mColour.r = Tarn::ValueText::ToFloat( shader.attribute( "r" ).value() );
		mColour.g = Tarn::ValueText::ToFloat( shader.attribute( "g" ).value() );
		mColour.b = Tarn::ValueText::ToFloat( shader.attribute( "b" ).value() );
		mColour.a = Tarn::ValueText::ToFloat( shader.attribute( "a" ).value() );
		SetTexture( Tarn::Property::ReadString( node, "mTextureName", "TextureLocation" ) );
		mIsFlippedY = Tarn::Property::ReadBool( node, "mIsFlippedY", "Flipped" );
		mIsHUD = Tarn::Property::ReadBool( node, "mIsHUD", "IsHUD" );
		mVisible = Tarn::Property::ReadBool( node, "Visible", "Visible" );
	}

	void MeshComponent::CreateTweakBar()
	{
		const std::string name = TweakBarName();
		TwBar* bar = TwNewBar( name.c_str() );
		mTweakBar = bar;
		TwAddVarRW( bar, "Draw Order", TW_TYPE_INT32, &mDrawOrder, " group='Draw Order' " );
		TwAddVarRW( bar, "Visible   ", TW_TYPE_BOOLCPP, &mVisible, " group='Draw Order' " );
		TwAddVarRW( bar, "Red", TW_TYPE_FLOAT, &mColour.r, " group='Pixel Shader' step=0.1 " );
		TwAddVarRW( bar, "Green", TW_TYPE_FLOAT, &mColour.g, " group='Pixel Shader' step=0.1 " );
		TwAddVarRW( bar, "Blue", TW_TYPE_FLOAT, &mColour.b, " group='Pixel Shader' step=0.1 " );
		TwAddVarRW( bar, "Alpha", TW_TYPE_FLOAT, &mColour.a, " group='Pixel Shader' step=0.1 " );
		TwAddVarRW( bar, "Texture Name", TW_TYPE_STDSTRING, &mTextureName, " group=Texture " );
		TwAddButton( bar, "Set Texture Name", TweakSetTextureName, this, "group=Texture" );
	}

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
