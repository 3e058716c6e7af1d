#include "Physics/CollisionComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "Physics/CollisionManager.h"
#include "core/Services.h"

#include <optional>
#include <string>

namespace Physics
{
	TARN_REGISTER_COMPONENT_TYPE( CollisionComponent )

	namespace
	{
		enum class Match
		{
			Type,
			NameStarts,
		};

		// The collider of each kind of owner. Blank cells keep the component's value; a
		// level read afterwards may change any field, but not the list chosen here.
		// Kinds whose objects are not built yet are listed all the same.
		struct OwnerSettings
		{
			Match mMatch;
			const char* mText;
			int32_t mGroup;
			std::optional<int32_t> mShape;
			std::optional<std::array<float, 2>> mData;
			bool mInvulnerable = false;
		};

		constexpr std::nullopt_t blank = std::nullopt;
		using Data = std::array<float, 2>;
		constexpr int32_t BOX = CollisionComponent::BOX;
		constexpr int32_t CIRCLE = CollisionComponent::CIRCLE;
		constexpr int32_t LINE = CollisionComponent::LINE;

		const OwnerSettings kOwnerSettings[] = {
			{ Match::Type, "Player", 0, CIRCLE, Data{ 1.0f, 0.0f } },
			{ Match::NameStarts, "Asteroid", 0, CIRCLE, blank },
			{ Match::NameStarts, "Hand", 0, CIRCLE, Data{ 1.5f, 0.0f } },
			{ Match::NameStarts, "Foot", 0, BOX, Data{ 2.5f, 2.5f } },
			{ Match::NameStarts, "Heart", 0, CIRCLE, Data{ 1.0f, 0.0f } },
			{ Match::NameStarts, "Skull", 0, CIRCLE, Data{ 1.0f, 0.0f } },
			{ Match::NameStarts, "Lovebug", 0, CIRCLE, Data{ 0.75f, 0.0f } },
			{ Match::Type, "InanimateObject", 0, CIRCLE, Data{ 0.5f, 0.0f } },
			{ Match::Type, "Switch", 1, CIRCLE, Data{ 1.0f, 0.0f } },
			{ Match::Type, "LightBombProjectile", 0, CIRCLE, Data{ 0.25f, 0.0f } },
			{ Match::Type, "LineObject", 1, LINE, blank },
			{ Match::Type, "MeleeGuard", 0, CIRCLE, Data{ 0.5f, 0.0f } },
			{ Match::Type, "GateBarrier", 1, BOX, Data{ 1.2f, 1.2f } },
			{ Match::Type, "Gate", 1, BOX, Data{ 1.0f, 1.0f } },
			{ Match::Type, "EnemyGate", 1, BOX, Data{ 0.75f, 0.75f } },
			{ Match::Type, "Mine", 0, CIRCLE, Data{ 0.5f, 0.0f } },
			{ Match::Type, "CrystalFocus", 0, CIRCLE, Data{ 0.5f, 0.0f } },
			{ Match::Type, "Mirror", 1, CIRCLE, Data{ 0.5f, 0.0f } },
			{ Match::Type, "Channel", 1, CIRCLE, Data{ 0.5f, 0.0f } },
			{ Match::Type, "Beam", 2, blank, blank },
			{ Match::Type, "SwitchEffect", 0, CIRCLE, Data{ 0.5f, 0.0f }, true },
			{ Match::Type, "ButtonObject", 1, BOX, Data{ 1.0f, 1.0f } },
			{ Match::Type, "AnimatedButtonObject", 1, BOX, Data{ 1.0f, 1.0f } },
			{ Match::Type, "Nebula", 1, CIRCLE, Data{ 2.0f, 0.0f } },
			{ Match::Type, "EngSpawner", 1, CIRCLE, Data{ 1.0f, 0.0f } },
			// A wall is a fixed box; without a row of its own it would join no list and
			// the player would fly through every wall. Its size is half the 8 x 2 scale
			// its transform takes.
			{ Match::Type, "Wall", 1, BOX, Data{ 4.0f, 1.0f } },
		};

		const OwnerSettings* SettingsFor( const Tarn::Object& owner )
		{
			for ( const OwnerSettings& row : kOwnerSettings )
			{
				if ( row.mMatch == Match::Type ? owner.mType.GetName() == row.mText
				                               : owner.mName.GetName().rfind( row.mText, 0 ) == 0 )
					return &row;
			}
			return nullptr;
		}
	}

	const Tarn::ComponentProperties& CollisionComponent::Properties() const
	{
		using P = Tarn::Declare<CollisionComponent>;
		static const Tarn::ComponentProperties kProperties = {
			P::Tweak( "Default Collision", &CollisionComponent::mDefault, " group='Draw Order' " ),
			P::Vector( "C", "C", &CollisionComponent::mCentre ).Bar( { "Center X", "Center Y" }, " group=Center " ),
			P::Vector( "P", "P", &CollisionComponent::mPreviousPosition )
			    .Bar( { "Previous Position X", "Previous Position Y" }, " group=Position " ),
			P::Vector( "V", "V", &CollisionComponent::mVelocity ).Bar( { "Velocity X", "Velocity Y" }, " group=Velocity " ),
			P::Int( "mCollisionGroup", "mCollisionGroup", &CollisionComponent::mCollisionGroup ),
			P::Int( "mCollisionType", "CollisionType", &CollisionComponent::mCollisionType ),
			// Two names of the first value; "Length1", read last, is the one kept.
			P::Named( "mCollisionData", &CollisionComponent::mCollisionData, { { "Radius", 0 }, { "Length1", 0 }, { "Length2", 1 } } )
			    .Bar( { "Radius", "Float[0] X", "Float[1] Y" }, " group='Collision Data' " ),
			P::Bool( "mInvulnerable", "Invulnerable", &CollisionComponent::mInvulnerable ),
			P::Float( "mInvulTimer", "InvulTimer", &CollisionComponent::mInvulTimer ),
			P::Vector( "topLeft", "topLeft", &CollisionComponent::mTopLeft ),
			P::Vector( "bottomRight", "bottomRight", &CollisionComponent::mBottomRight ),
			P::Bool( "mDefault", "Default", &CollisionComponent::mDefault ),
		};
		return kProperties;
	}

	void CollisionComponent::Initialise()
	{
		CollisionManager* manager = Tarn::Services::Get<CollisionManager>();
		if ( manager )
			manager->RecordColliderName( mOwner->mName.GetName() );
		const OwnerSettings* settings = SettingsFor( *mOwner );
		if ( !settings )
			return;
		mCollisionGroup = settings->mGroup;
		if ( settings->mShape )
			mCollisionType = *settings->mShape;
		if ( settings->mData )
			mCollisionData = *settings->mData;
		if ( settings->mInvulnerable )
			mInvulnerable = true;
		if ( manager )
			manager->Register( this );
	}

	void CollisionComponent::Shutdown()
	{
		if ( CollisionManager* manager = Tarn::Services::Get<CollisionManager>() )
			manager->Unregister( this );
	}
}
