#include "DebugTools/CollisionDebugComponent.h"

#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "DebugTools/DebugToolsManager.h"
#include "Graphics/Camera.h"
#include "Graphics/GraphicsManager.h"
#include "Physics/CollisionComponent.h"
#include "Physics/LineComponent.h"
#include "Physics/TransformComponent.h"
#include "Utilities/Log.h"
#include "core/MathConstants.h"
#include "core/Matrices.h"
#include "core/Services.h"

#include <cmath>

namespace Tarn
{
	TARN_REGISTER_COMPONENT_TYPE( CollisionDebugComponent )

	namespace
	{
		constexpr int32_t kOrientedBox = 1;

		Vector2 Turned( float angle, float length )
		{
			return Vector2( std::cos( angle ) * length, std::sin( angle ) * length );
		}
	}

	CollisionDebugComponent::~CollisionDebugComponent()
	{
		// An outline destroyed without its shutdown must not stay on the manager's list.
		if ( DebugToolsManager* manager = Services::Get<DebugToolsManager>() )
			manager->Unregister( this );
	}

	const char* CollisionDebugComponent::TextureFor( int32_t collisionType )
	{
		switch ( collisionType )
		{
		case Physics::CollisionComponent::BOX:
			return "resource/debug-aabb.png";
		case Physics::CollisionComponent::CIRCLE:
			return "resource/debug-circle.png";
		case Physics::CollisionComponent::LINE:
			return "resource/debug_line.png";
		default:
			return "";
		}
	}

	int32_t CollisionDebugComponent::CircleSegmentCount( float radius )
	{
		// Segment i is drawn while i < n, so a whole n gives n segments and any other
		// gives the next whole number.
		const float n = radius * 0.3f + 15.7f;
		if ( !( n > 0.0f ) )
			return 0;
		if ( n >= float( kMaxCircleSegments ) )
			return kMaxCircleSegments;
		int32_t count = 0;
		while ( float( count ) < n )
			++count;
		return count;
	}

	void CollisionDebugComponent::Initialise()
	{
		MeshComponent::Initialise();
		if ( const auto* collider = mOwner ? mOwner->GetComponent<Physics::CollisionComponent>() : nullptr )
		{
			const std::string texture = TextureFor( collider->mCollisionType );
			if ( !texture.empty() )
				SetTexture( texture );
		}
		mDrawOrder = kDrawLayer;
		DebugToolsManager* manager = Services::Get<DebugToolsManager>();
		if ( manager )
			manager->Register( this );
		mVisible = manager && manager->mDebugVisible;
	}

	void CollisionDebugComponent::Shutdown()
	{
		if ( DebugToolsManager* manager = Services::Get<DebugToolsManager>() )
			manager->Unregister( this );
		MeshComponent::Shutdown();
	}

	const ComponentProperties& CollisionDebugComponent::Properties() const
	{
		static const ComponentProperties kProperties = {
			Declare<CollisionDebugComponent>::Int( "DrawOrder", "DrawOrder", &CollisionDebugComponent::mDrawOrder ),
		};
		return kProperties;
	}

	void CollisionDebugComponent::CreateTweakBar() { BuildTweakBar( MeshComponent::Properties() ); }

	std::vector<CollisionDebugComponent::Segment> CollisionDebugComponent::Outline() const
	{
		std::vector<Segment> segments;
		const auto* collider = mOwner ? mOwner->GetComponent<Physics::CollisionComponent>() : nullptr;
		if ( !collider )
			return segments;
		const auto* transform = mOwner->GetComponent<TransformComponent>();
		const float rotation = transform ? transform->mDirection : 0.0f;
		const Vector2 centre = collider->mCentre;

		switch ( collider->mCollisionType )
		{
		case Physics::CollisionComponent::BOX:
		case kOrientedBox:
		{
			// Edge k faces out at k quarter turns; the even ones run the height, the
			// odd ones the width.
			const float offset = collider->mCollisionType == kOrientedBox ? rotation : 0.0f;
			for ( int32_t k = 0; k < 4; ++k )
			{
				const float facing = float( k ) * kPi * 0.5f + offset;
				const bool even = k % 2 == 0;
				const float distance = even ? collider->HalfWidth() : collider->HalfHeight();
				const float length = 2.0f * ( even ? collider->HalfHeight() : collider->HalfWidth() );
				segments.push_back( { centre + Turned( facing, distance ), facing + kPi * 0.5f, length } );
			}
			break;
		}
		case Physics::CollisionComponent::CIRCLE:
		{
			const float radius = collider->Radius();
			const float n = radius * 0.3f + 15.7f;
			const int32_t count = CircleSegmentCount( radius );
			for ( int32_t i = 0; i < count; ++i )
			{
				const float angle = float( i ) * 2.0f * kPi / n;
				segments.push_back( { centre + Turned( angle, radius ), angle + kPi * 0.5f, radius / 3.0f } );
			}
			break;
		}
		case Physics::CollisionComponent::LINE:
		{
			// Drawn on the segment the collision test uses, not on the owner's centre.
			if ( const auto* line = mOwner->GetComponent<Physics::LineComponent>() )
			{
				const Vector2 along = line->mPt2 - line->mPt1;
				const float length = std::sqrt( along.X * along.X + along.Y * along.Y );
				const Vector2 middle( ( line->mPt1.X + line->mPt2.X ) * 0.5f, ( line->mPt1.Y + line->mPt2.Y ) * 0.5f );
				segments.push_back( { middle, std::atan2( along.Y, along.X ), length } );
			}
			break;
		}
		default:
			break;
		}
		return segments;
	}

	void CollisionDebugComponent::Draw( GameTime& )
	{
		Platform::RenderDevice* device = Device();
		if ( !device || !mGraphicsManager || !mVertexBuffer )
			return;
		const std::vector<Segment> segments = Outline();
		if ( segments.empty() )
			return;

		static const HashedName kCameraName( "Camera1" );
		auto* camera = dynamic_cast<Graphics::Camera*>( ObjectManager::Instance().GetObject( kCameraName ) );
		const Matrix shake = camera ? camera->GetShakeMatrix() : Identity();
		const Matrix viewProjection = device->GetTransform( Platform::TransformKind::View ) *
		                              device->GetTransform( Platform::TransformKind::Projection ) * shake;

		const Platform::ShaderHandle vertexShader = mGraphicsManager->GetVertexShader();
		const Platform::ShaderHandle pixelShader = mGraphicsManager->GetPixelShader();
		device->SetPixelShader( pixelShader );
		const float colour[4] = { mColour.r, mColour.g, mColour.b, mColour.a };
		device->SetShaderFloat4( pixelShader, "rgba0", colour );
		// The outline is plain colour: no texture on the stage.
		device->SetTexture( 0, 0 );
		for ( const Segment& segment : segments )
		{
			const Matrix world = Scaling( segment.mLength, kLineWidth, 1.0f ) * RotationZ( segment.mAngle ) *
			                     Translation( segment.mCentre.X, segment.mCentre.Y, 0.0f );
			device->SetShaderMatrix( vertexShader, "WorldViewProj", world * viewProjection );
			device->SetTransform( Platform::TransformKind::World, world );
			device->DrawTriangleStrip( mVertexBuffer, 0, 2 );
		}
	}
}
