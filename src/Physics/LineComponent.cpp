#include "Physics/LineComponent.h"

#include "Core/Object.h"
#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "Physics/TransformComponent.h"

#include <cmath>

namespace Physics
{
	TARN_REGISTER_COMPONENT_TYPE( LineComponent )

	using namespace Tarn::Property;

	void LineComponent::Serialise( Tarn::ResourceRecord& record )
	{
		Tarn::Serialiser& serialiser = Tarn::Serialiser::Instance();
		pugi::xml_node node = serialiser.BeginComponent( mType );
		WriteVector2( node, "mPt1", "mPt1", mPt1 );
		WriteVector2( node, "mPt2", "mPt2", mPt2 );
		WriteVector2( node, "mNormal", "mNormal", mNormal );
		WriteFloat( node, "mAngle", "mAngle", mAngle );
		WriteFloat( node, "mScale", "mScale", mScale );
		serialiser.SaveComponent( record );
	}

	void LineComponent::Deserialise( Tarn::ResourceRecord& record )
	{
		const pugi::xml_node node = Tarn::Serialiser::Instance().LoadComponent( record );
		mPt1 = ReadVector2( node, "mPt1", "mPt1" );
		mPt2 = ReadVector2( node, "mPt2", "mPt2" );
		mNormal = ReadVector2( node, "mNormal", "mNormal" );
		mAngle = ReadFloat( node, "mAngle", "mAngle" );
		mScale = ReadFloat( node, "mScale", "mScale" );
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
