#include "Game/ShadowManager.h"

#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Game/VertexComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/PhysicsManager.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GuardRoutines.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/MineRoutines.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/SwitchComponent.h"
#include "Utilities/Assert.h"
#include "core/MathConstants.h"
#include "core/Services.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Tarn
{
	namespace Light
	{
		namespace
		{
			float Cross( const Vector2& a, const Vector2& b ) { return a.X * b.Y - a.Y * b.X; }

			// Corners this close in angle lie on one ray from the light.
			constexpr float kSameRay = 1e-6f;

			bool Inside( const Corners& corners, const Vector2& point )
			{
				// Clockwise from the top left: left, right, bottom and top from three of them.
				const float left = corners[0].X, right = corners[1].X, top = corners[0].Y, bottom = corners[2].Y;
				return point.X > left && point.X < right && point.Y > bottom && point.Y < top;
			}
		}

		Silhouette BoxSilhouette( const Corners& corners, const Vector2& centre, const Vector2& light )
		{
			const Vector2 towardCentre = Unit( centre - light );
			if ( towardCentre == Vector2() || Inside( corners, light ) )
				return {};
			// Each corner's angle from the line to the centre, anticlockwise positive. The
			// outline from the light runs between the furthest corner round on each side;
			// the two corners furthest off the line regardless of side would, for a light
			// level with a face, join a near corner to a far one straight through the box.
			std::array<float, 4> angles{};
			for ( size_t i = 0; i < corners.size(); ++i )
			{
				const Vector2 toward = Unit( corners[i] - light );
				angles[i] = std::atan2( Cross( towardCentre, toward ), Dot( towardCentre, toward ) );
			}
			// Of corners on one ray the nearer is the outline.
			auto furthestRound = [&]( float turn ) {
				size_t best = 0;
				for ( size_t i = 1; i < corners.size(); ++i )
				{
					const float ahead = ( angles[i] - angles[best] ) * turn;
					const bool nearer = LengthSquared( corners[i] - light ) < LengthSquared( corners[best] - light );
					if ( ahead > kSameRay || ( ahead >= -kSameRay && nearer ) )
						best = i;
				}
				return best;
			};
			const size_t left = furthestRound( 1.0f );
			const size_t right = furthestRound( -1.0f );
			// A box shrunk to a point has no outline.
			if ( left == right )
				return {};
			// The first point is the one further off the line, the earlier corner on a tie.
			const float leftOff = std::fabs( angles[left] ), rightOff = std::fabs( angles[right] );
			const bool leftFirst = leftOff > rightOff || ( leftOff == rightOff && left < right );
			return { corners[leftFirst ? left : right], corners[leftFirst ? right : left], true };
		}

		Silhouette CircleSilhouette( const Vector2& centre, float radiusSquared, const Vector2& light )
		{
			// A light inside the circle, or on it, has no tangents.
			if ( LengthSquared( centre - light ) <= radiusSquared )
				return {};
			// The tangent points are where the circle meets the circle over the line from
			// the light to the centre (Thales): M its middle, d its radius.
			const Vector2 middle = ( centre + light ) * 0.5f;
			const Vector2 along = Unit( centre - light );
			const Vector2 across( -along.Y, along.X );
			const float d = Length( middle - centre );
			const float reachSquared = LengthSquared( middle - light );
			const float a = ( reachSquared - radiusSquared + d * d ) / ( 2.0f * d );
			const float h = std::sqrt( std::fabs( reachSquared - a * a ) );
			const Vector2 base = middle + along * a;
			return { base + across * h, base - across * h, true };
		}

		Vector2 Project( const Vector2& point, const Vector2& light, float distance )
		{
			return point + Unit( point - light ) * distance;
		}

		bool PointInTriangle( const Vector2& a, const Vector2& b, const Vector2& c, const Vector2& point )
		{
			const float ab = Cross( b - a, point - a );
			const float bc = Cross( c - b, point - b );
			const float ca = Cross( a - c, point - c );
			return ( ab < 0.0f && bc < 0.0f && ca < 0.0f ) || ( ab >= 0.0f && bc >= 0.0f && ca >= 0.0f );
		}
	}

	namespace
	{
		using StateMachines::MineComponent;
		using StateMachines::StateMachineComponent;
		using StateMachines::SwitchComponent;

		bool MeshVisible( const Object& owner )
		{
			const auto* mesh = owner.GetComponent<Graphics::MeshComponent>();
			return mesh && mesh->mVisible;
		}

		// A guard caught in a cone is stunned: its stun starts over unless it is already
		// stunned. A dead guard stays dead.
		void Stun( Object& guard )
		{
			auto* machine = guard.GetComponent<StateMachineComponent>();
			if ( machine && machine->mState != StateMachines::STATE_NONE )
				StateMachines::StunGuard( *machine );
		}

		// A crystal in a cone burns for as long as the light holds it, until it breaks.
		void Burn( Object& crystal )
		{
			if ( auto* machine = crystal.GetComponent<MineComponent>() )
				StateMachines::BurnCrystal( *machine );
		}

		// What a lit cone does to the moving things that stand in it, by their type.
		struct LitEffect
		{
			HashedName mType;
			void ( *mApply )( Object& owner );
		};

		const LitEffect* EffectOn( const Object& owner )
		{
			static const LitEffect kEffects[] = {
				{ HashedName( "MeleeGuard" ), &Stun },
				{ HashedName( "CrystalFocus" ), &Burn },
			};
			for ( const LitEffect& effect : kEffects )
				if ( owner.GetType() == effect.mType )
					return &effect;
			return nullptr;
		}

		const HashedName& SwitchType()
		{
			static const HashedName kSwitch( "Switch" );
			return kSwitch;
		}

		// A switch in the light of `cone`: one waiting in its idle state takes the cone's
		// colour as its charge, and starts charging when that is its own.
		void Charge( SwitchComponent& target, const VertexComponent& cone )
		{
			if ( target.mState != StateMachines::STATE_NORMAL )
				return;
			target.mChargeColour = cone.mCurrentColour;
			if ( target.mChargeColour == target.mSwitchColour )
			{
				target.mState = StateMachines::STATE_WAIT;
				target.mInnerState = StateMachines::INNER_STATE_ON_ENTER;
			}
		}
	}

	void ShadowManager::Initialise() { mPhysics = Services::Get<Physics::PhysicsManager>(); }

	void ShadowManager::Shutdown()
	{
		mVertices.clear();
		mLitCones.clear();
		mPhysics = nullptr;
	}

	Physics::PhysicsManager* ShadowManager::Physics()
	{
		if ( !mPhysics )
			mPhysics = Services::Get<Physics::PhysicsManager>();
		return mPhysics;
	}

	void ShadowManager::Add( VertexComponent* vertex )
	{
		if ( vertex && std::find( mVertices.begin(), mVertices.end(), vertex ) == mVertices.end() )
			mVertices.push_back( vertex );
	}

	void ShadowManager::Remove( VertexComponent* vertex )
	{
		TARN_ASSERT_MSG( vertex, "Vertex Component not valid!" );
		std::erase( mVertices, vertex );
	}

	void ShadowManager::Update( GameTime& )
	{
		ShapeCones();
		ApplyLight();
	}

	void ShadowManager::ShapeCones()
	{
		for ( VertexComponent* vertex : mVertices )
		{
			Object* owner = vertex->GetOwner();
			if ( const auto* transform = owner ? owner->GetComponent<TransformComponent>() : nullptr )
				vertex->SetCorners( *transform );
			if ( !owner || !MeshVisible( *owner ) )
				continue;
			// A round caster is only shaped while lit; it keeps its last cone otherwise.
			if ( vertex->mCircular && !vertex->mLit )
				continue;
			const Light::Silhouette silhouette =
			    vertex->mCircular ? Light::CircleSilhouette( vertex->mPosition, vertex->mRadiusSquared, vertex->mRaycaster )
			                      : Light::BoxSilhouette( vertex->mCorners, vertex->mPosition, vertex->mRaycaster );
			vertex->mHasCone = silhouette.mFound;
			if ( !silhouette.mFound )
				continue;
			// Thrown from the silhouette of this very update, so that the cone the second
			// pass tests is the one the light now makes.
			vertex->mPoint1 = silhouette.mPoint1;
			vertex->mPoint2 = silhouette.mPoint2;
			vertex->mProjected1 = Light::Project( vertex->mPoint1, vertex->mRaycaster, kConeLength );
			vertex->mProjected2 = Light::Project( vertex->mPoint2, vertex->mRaycaster, kConeLength );
		}
	}

	void ShadowManager::ApplyLight()
	{
		std::vector<const VertexComponent*>& cones = mLitCones;
		cones.clear();
		for ( const VertexComponent* vertex : mVertices )
			if ( vertex->mLit && vertex->GetOwner() && MeshVisible( *vertex->GetOwner() ) )
				cones.push_back( vertex );
		auto lit = [&cones]( const Vector2& point ) {
			return std::any_of( cones.begin(), cones.end(), [&point]( const VertexComponent* cone ) { return cone->InCone( point ); } );
		};

		if ( Physics::PhysicsManager* physics = Physics() )
		{
			if ( !cones.empty() )
				for ( TransformComponent* transform : physics->DynamicTransforms() )
				{
					Object* owner = transform ? transform->GetOwner() : nullptr;
					const LitEffect* effect = owner ? EffectOn( *owner ) : nullptr;
					if ( effect && transform->mActive && lit( transform->mPosition ) )
						effect->mApply( *owner );
				}

			for ( TransformComponent* transform : physics->StaticTransforms() )
			{
				Object* owner = transform ? transform->GetOwner() : nullptr;
				if ( !owner || owner->GetType() != SwitchType() || !transform->mActive )
					continue;
				auto* target = owner->GetComponent<SwitchComponent>();
				if ( !target )
					continue;
				// Every cone that lights it has its say, in turn; only a switch that no cone
				// lights is unlit, so a second cone never undoes the first.
				bool reached = false;
				for ( const VertexComponent* cone : cones )
					if ( cone->InCone( transform->mPosition ) )
					{
						reached = true;
						Charge( *target, *cone );
					}
				if ( !reached )
					target->mChargeColour = StateMachines::ColourCode::Unlit;
			}
		}

		cones.clear();
		// Put out until the beam lights it again; what was lit shows in the next draw.
		for ( VertexComponent* vertex : mVertices )
			if ( vertex->mLit )
			{
				vertex->mLitSinceDraw = true;
				vertex->mLit = false;
			}
	}
}
