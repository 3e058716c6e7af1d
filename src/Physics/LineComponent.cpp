#include "Physics/LineComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "Physics/TransformComponent.h"

#include <cmath>

namespace Physics
{
	TARN_REGISTER_COMPONENT_TYPE( LineComponent )

	const Tarn::ComponentProperties& LineComponent::Properties() const
	{
		using P = Tarn::Declare<LineComponent>;
		static const Tarn::ComponentProperties kProperties = {
			P::Vector( "mPt1", "mPt1", &LineComponent::mPt1 ),
			P::Vector( "mPt2", "mPt2", &LineComponent::mPt2 ),
			P::Vector( "mNormal", "mNormal", &LineComponent::mNormal ),
			P::Float( "mAngle", "mAngle", &LineComponent::mAngle ),
			P::Float( "mScale", "mScale", &LineComponent::mScale ),
		};
		return kProperties;
	}

	void LineComponent::OnDeserialised( const pugi::xml_node& )
	{
		static const Tarn::HashedName kMirror( "Mirror" );
		if ( mOwner->mType == kMirror )
			Rotate( 0.0f );
	}

	void LineComponent::Rotate( float delta )
	{
		mAngle += delta;
		Tarn::Vector2 centre;
		if ( const auto* transform = mOwner->GetComponent<Tarn::TransformComponent>() )
			centre = transform->mPosition;
		const float half = mScale * 0.5f;
		const Tarn::Vector2 along( std::cos( mAngle ) * half, std::sin( mAngle ) * half );
		mPt1 = centre + along;
		mPt2 = centre - along;
		const Tarn::Vector2 normal( -( mPt2.Y - mPt1.Y ), mPt2.X - mPt1.X );
		const float length = std::sqrt( normal.X * normal.X + normal.Y * normal.Y );
		// A segment of no length has no direction; it keeps a zero normal.
		mNormal = length > 0.0f ? normal * ( 1.0f / length ) : Tarn::Vector2();
	}
}
