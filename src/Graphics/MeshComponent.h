#pragma once

#include "Core/GameComponent.h"
#include "Core/ObjectComponent.h"
#include "Graphics/Matrices.h"
#include "Platform/RenderDevice.h"
#include "core/Colour.h"
#include "core/HashedName.h"

#include <string>

namespace Graphics
{
	class GraphicsManager;
	using CUSTOMVERTEX = Platform::Vertex;

	// Draws its owner as one textured, tinted quad: a unit square placed by the owner's
	// world matrix, in the world through the camera or, as part of the HUD, straight
	// in the screen's -1 to 1 coordinates.
	class MeshComponent : public Tarn::ObjectComponent, public Tarn::IsDrawable
	{
		TARN_CLASS_NAME( MeshComponent )

	public:
		explicit MeshComponent( Tarn::Object* owner );
		~MeshComponent() override;

		void Initialise() override;
		void Shutdown() override;
		const Tarn::ComponentProperties& Properties() const override;
		void Draw( Tarn::GameTime& gameTime ) override;

		// Looks the texture up again by name (copying the name first unless it is the
		// very string already held).
		void SetTexture( const std::string& name );
		void SetFlipped();
		void SetUV( float uMin, float vMin, float uMax, float vMax );
		void UpdateVertexBuffer();

		Platform::BufferHandle GetVertexBuffer() const { return mVertexBuffer; }
		Platform::TextureHandle GetPtrTexture() const { return mTexture; }
		const std::string& GetTextureName() const { return mTextureName; }
		const CUSTOMVERTEX* GetVertices() const { return mVertices; }

		// The time value that every wavy mesh advances and draws with.
		static float& WavyTime();

		CUSTOMVERTEX mVertices[4];
		Tarn::Colour mColour;
		float mUVRect[4] = { 0.0f, 0.0f, 1.0f, 1.0f };
		bool mIsFlippedY = false;
		bool mIsHUD = false;
		bool mIsWavy = false;

	protected:
		// The texture named in the file is looked up once it is read.
		void OnDeserialised( const pugi::xml_node& element ) override;

		Platform::RenderDevice* Device() const { return mPtrToDevicePtr ? *mPtrToDevicePtr : nullptr; }
		void FillVertices();

		GraphicsManager* mGraphicsManager = nullptr;
		Platform::BufferHandle mVertexBuffer = 0;
		const Matrix* mWorldMatrix = nullptr;
		Platform::TextureHandle mTexture = 0;
		std::string mTextureName;
		Platform::RenderDevice* const* mPtrToDevicePtr = nullptr;
	};

}
