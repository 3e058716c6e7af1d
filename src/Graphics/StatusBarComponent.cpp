#include "Graphics/StatusBarComponent.h"

#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/StatusBarManager.h"
#include "Physics/StatsComponent.h"
#include "core/Services.h"

namespace Graphics
{
	TARN_REGISTER_COMPONENT_TYPE( StatusBarComponent )

	StatusBarComponent::~StatusBarComponent()
	{
		// A bar destroyed without its shutdown must not stay on the manager's list.
		if ( StatusBarManager* bars = Tarn::Services::Get<StatusBarManager>() )
			bars->UnregisterBar( this );
	}

	Physics::StatsComponent* StatusBarComponent::Stats() const
	{
		const Tarn::Object* watched = Tarn::ObjectManager::Instance().GetObject( mWatched );
		return watched ? watched->GetComponent<Physics::StatsComponent>() : nullptr;
	}

	void StatusBarComponent::Initialise()
	{
		MeshComponent::Initialise();
		const bool boss = mOwner && Physics::StatsComponent::IsBossBody( *mOwner );
		mDrawOrder = kDrawOrder;
		mWatched = Tarn::HashedName( boss ? kBossName : kPlayerName );
		mBarPercentage = boss ? kBossBarHealth : kPlayerBarHealth;
		mPosition = boss ? kBossBarPosition : kPlayerBarPosition;
		const Physics::StatsComponent* stats = Stats();
		mWatching = stats != nullptr;
		mVisible = mWatching;
		if ( stats )
			mBufferValue = stats->mHealth / mBarPercentage;
		if ( StatusBarManager* bars = Tarn::Services::Get<StatusBarManager>() )
			bars->RegisterBar( this );
	}

	void StatusBarComponent::Shutdown()
	{
		if ( StatusBarManager* bars = Tarn::Services::Get<StatusBarManager>() )
			bars->UnregisterBar( this );
		MeshComponent::Shutdown();
	}

	const Tarn::ComponentProperties& StatusBarComponent::Properties() const
	{
		using P = Tarn::Declare<StatusBarComponent>;
		static const Tarn::ComponentProperties kProperties = {
			P::Bool( "IsMain", "mIsMain", &StatusBarComponent::mIsMain ),
			P::Bool( "Active", "mActive", &StatusBarComponent::mActive ),
			P::Float( "ScaleValue", "mScaleValue", &StatusBarComponent::mScaleValue ),
			P::Float( "BufferValue", "mBufferValue", &StatusBarComponent::mBufferValue ),
			P::Float( "CurrentValue", "mCurrentValue", &StatusBarComponent::mCurrentValue ),
			P::Float( "BarPercentage", "mBarPercentage", &StatusBarComponent::mBarPercentage ),
			P::Vector( "Position", "mPosition", &StatusBarComponent::mPosition ),
			P::Float( "Direction", "mDirection", &StatusBarComponent::mDirection ),
			P::String( "mTextureName", "TextureLocation", &StatusBarComponent::mTextureName ),
		};
		return kProperties;
	}

	void StatusBarComponent::Draw( Tarn::GameTime& )
	{
		Platform::RenderDevice* device = Device();
		if ( !device || !mGraphicsManager || !mVertexBuffer )
			return;
		mScaleMatrix = Scaling( kThickness, mBufferValue, 0.0f );
		mRotationMatrix = RotationZ( mDirection );
		mTranslationMatrix = Translation( mPosition.X, mPosition.Y, 0.0f );
		mTransform = mScaleMatrix * mRotationMatrix * mTranslationMatrix;

		// The bar is in the screen's coordinates: its transform is the whole transform.
		device->SetShaderMatrix( mGraphicsManager->GetVertexShader(), "WorldViewProj", mTransform );
		const Platform::ShaderHandle alpha = mGraphicsManager->GetAlphaPixelShader();
		device->SetPixelShader( alpha );
		const float colour[4] = { mBarColour.r, mBarColour.g, mBarColour.b, mBarColour.a };
		device->SetShaderFloat4( alpha, "rgba", colour );
		device->SetTexture( 0, mTexture );
		device->SetTransform( Platform::TransformKind::World, mTransform );
		device->DrawTriangleStrip( mVertexBuffer, 0, 2 );
	}
}
