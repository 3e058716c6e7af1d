#include "Graphics/LetterBox.h"

#include "Core/GameTime.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Graphics/Camera.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"

namespace Graphics
{
	TARN_REGISTER_OBJECT_TYPE( LetterBox )

	namespace
	{
		Camera* TheCamera() { return Tarn::ObjectManager::Instance().GetObjectOfType<Camera>( Tarn::HashedName( "Camera1" ) ); }
	}

	void LetterBox::Initialise()
	{
		mComponents.AddComponent<Tarn::TransformComponent>();
		mComponents.AddComponent<MeshComponent>();
		mComponents.AddComponent( Tarn::HashedName( "CollisionComponent" ) );
		mComponents.InitialisePending();
		mActive = false;
		mHeight = 0.0f;
		if ( auto* mesh = GetComponent<MeshComponent>() )
		{
			mesh->mIsHUD = true;
			mesh->mDrawOrder = kDrawOrder;
			mesh->SetTexture( kTexture );
			mesh->mVisible = false;
		}
	}

	void LetterBox::Update( Tarn::GameTime& gameTime )
	{
		const float dt = gameTime.ElapsedSeconds;
		auto* mesh = GetComponent<MeshComponent>();
		if ( mActive )
		{
			if ( mesh )
				mesh->mVisible = true;
			if ( mHeight < kFullHeight )
			{
				mHeight += kGrowthRate * dt;
				if ( Camera* camera = TheCamera() )
					camera->MoveForward( kCameraAmount );
			}
		}
		else if ( mHeight > 0.0f )
		{
			mHeight -= kGrowthRate * dt;
			if ( Camera* camera = TheCamera() )
				camera->MoveBackward( kCameraAmount );
			if ( mHeight < 0.0f && mesh )
				mesh->mVisible = false;
		}
		if ( auto* transform = GetComponent<Tarn::TransformComponent>() )
		{
			transform->mXScaleFactor = kWidth;
			transform->mYScaleFactor = mHeight;
			transform->UpdateWorldMatrix();
		}
	}
}
