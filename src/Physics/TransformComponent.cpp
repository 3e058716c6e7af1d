#include "Physics/TransformComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "Game/VertexComponent.h"
#include "Physics/PhysicsManager.h"
#include "Utilities/Log.h"
#include "core/Matrices.h"
#include "core/Services.h"


#include <optional>
#include <string>

namespace Tarn
{
	TARN_REGISTER_COMPONENT_TYPE( TransformComponent )

	namespace
	{
		using List = Physics::PhysicsManager::List;

		enum class Match
		{
			Type,
			NameEquals,
			NameStarts,
		};

		// The start values of a transform by the kind of its owner. Blank cells keep
		// the component's current value; a level read afterwards may change any value,
		// but not the list chosen here.
		struct TypeSettings
		{
			Match mMatch;
			const char* mText;
			std::optional<Vector2> mScale;
			std::optional<Vector2> mPosition;
			std::optional<float> mDirection;
			std::optional<bool> mFriction;
			std::optional<bool> mActive;
			std::optional<int32_t> mTransType;
			List mList;
			bool mRebuildAtOnce = false;
			// The owner's shadow caster takes its outline from this transform at once.
			bool mCasterOutline = false;
		};

		constexpr std::nullopt_t blank = std::nullopt;

		const TypeSettings kTypeSettings[] = {
			{ Match::Type, "Player", blank, Vector2( -30, 0 ), 0.0f, true, true, 0, List::Dynamic },
			{ Match::Type, "PlayerDoodad", blank, Vector2( -30, 0 ), blank, true, true, 0, List::Dynamic },
			{ Match::Type, "StatusBarOutline", blank, blank, blank, false, false, 1, List::Static },
			{ Match::Type, "BossDoodad", Vector2( 10, 10 ), blank, blank, false, true, blank, List::Dynamic },
			{ Match::NameEquals, "Dropper", Vector2( 1, 5 ), Vector2( 10, 0 ), blank, false, false, blank, List::Pool3 },
			{ Match::NameStarts, "Asteroid", Vector2( 1.1f, 1.1f ), Vector2( 10, 0 ), blank, false, false, blank, List::Pool4 },
			{ Match::NameStarts, "Hand", Vector2( 3, 3 ), Vector2( 10, 0 ), blank, false, false, blank, List::Pool1, false, true },
			{ Match::NameStarts, "Foot", Vector2( 6, 6 ), Vector2( 10, 0 ), blank, false, false, blank, List::Pool2 },
			{ Match::NameStarts, "Aim", Vector2( 1, 1 ), blank, blank, false, false, blank, List::Pool2 },
			{ Match::NameStarts, "Heart", Vector2( 2, 2 ), blank, blank, false, false, blank, List::Pool1 },
			{ Match::NameStarts, "Skull", Vector2( 2, 2 ), blank, blank, false, false, blank, List::Pool3 },
			{ Match::NameStarts, "Lovebug", Vector2( 1.5f, 1.5f ), blank, blank, false, false, blank, List::Pool4 },
			{ Match::Type, "InanimateObject", blank, blank, blank, blank, true, 0, List::Dynamic },
			{ Match::Type, "Scenery", Vector2( 100, 100 ), blank, blank, blank, blank, 0, List::Dynamic, true },
			{ Match::Type, "LightBombProjectile", Vector2( 0.5f, 0.5f ), blank, blank, false, false, blank, List::Dynamic },
			{ Match::Type, "MeleeGuard", Vector2( 1.5f, 1.5f ), blank, blank, true, true, 0, List::Dynamic },
			{ Match::Type, "GateBarrier", Vector2( 2.5f, 2.5f ), blank, blank, true, true, 1, List::Static },
			{ Match::Type, "Wall", Vector2( 8, 2 ), blank, blank, false, true, 1, List::Static },
			{ Match::Type, "Switch", Vector2( 1, 1 ), blank, blank, false, true, 1, List::Static },
			{ Match::Type, "StunEffect", Vector2( 2, 2 ), blank, blank, false, false, 1, List::Static },
			{ Match::Type, "Gate", Vector2( 2.5f, 2.5f ), blank, blank, false, true, 1, List::Static },
			{ Match::Type, "Mirror", Vector2( 1, 1 ), blank, blank, false, true, 0, List::Dynamic },
			{ Match::Type, "Channel", Vector2( 1, 1 ), blank, blank, false, true, 1, List::Static },
			{ Match::Type, "EnemyGate", Vector2( 1.5f, 1.5f ), blank, blank, false, true, 1, List::Static },
			{ Match::Type, "CrystalFocus", Vector2( 1, 1 ), blank, blank, false, true, 0, List::Dynamic },
			{ Match::Type, "Mine", Vector2( 1, 1 ), blank, blank, false, true, 0, List::Dynamic },
			{ Match::Type, "SwitchEffect", Vector2( 1, 1 ), blank, blank, false, false, 0, List::Dynamic },
			{ Match::Type, "ButtonObject", Vector2( 1, 1 ), blank, blank, false, false, 1, List::Static },
			{ Match::Type, "AnimatedButtonObject", Vector2( 1, 1 ), blank, blank, false, false, 1, List::Static },
			{ Match::Type, "Nebula", blank, blank, blank, false, true, 1, List::Static },
			{ Match::Type, "NebulaCover", Vector2( 100, 30 ), blank, blank, false, true, 1, List::Static },
			{ Match::Type, "TutorialObject", Vector2( 15, 15 ), blank, blank, false, true, 1, List::Static },
			{ Match::Type, "EngSpawner", Vector2( 1, 1 ), blank, blank, false, true, 1, List::Static },
		};

		const TypeSettings kOtherOwners = { Match::Type, "", blank, blank, blank, blank, blank, 0, List::Dynamic };

		bool Matches( const TypeSettings& row, const Object& owner )
		{
			const std::string& text = row.mMatch == Match::Type ? owner.mType.GetName() : owner.mName.GetName();
			if ( row.mMatch == Match::NameStarts )
				return text.rfind( row.mText, 0 ) == 0;
			return text == row.mText;
		}

		const TypeSettings& SettingsFor( const Object& owner )
		{
			for ( const TypeSettings& row : kTypeSettings )
				if ( Matches( row, owner ) )
					return row;
			return kOtherOwners;
		}
	}

	void TransformComponent::Initialise()
	{
		const TypeSettings& settings = SettingsFor( *mOwner );
		if ( settings.mScale )
		{
			mXScaleFactor = settings.mScale->X;
			mYScaleFactor = settings.mScale->Y;
		}
		if ( settings.mPosition )
			mPosition = *settings.mPosition;
		if ( settings.mDirection )
			mDirection = *settings.mDirection;
		if ( settings.mFriction )
			mHasFriction = *settings.mFriction;
		if ( settings.mActive )
			mActive = *settings.mActive;
		if ( settings.mTransType )
			mTransType = *settings.mTransType;
		if ( settings.mRebuildAtOnce )
			UpdateWorldMatrix();
		if ( settings.mCasterOutline )
			if ( auto* caster = mOwner->GetComponent<VertexComponent>() )
				caster->SetCorners( *this );

		if ( Physics::PhysicsManager* physics = Services::Get<Physics::PhysicsManager>() )
			physics->Register( this, settings.mList );
		else
			LOG_ERROR( "No PhysicsManager: the transform of " << mOwner->mName.GetName() << " is not moved." );
	}

	void TransformComponent::Shutdown()
	{
		// Out of every list, not only the one mTransType names now: a level read after
		// Initialise may have changed mTransType, and a pointer left behind would be
		// integrated after the object is gone.
		if ( Physics::PhysicsManager* physics = Services::Get<Physics::PhysicsManager>() )
			physics->Unregister( this );
	}

	void TransformComponent::UpdateWorldMatrix()
	{
		mWorld = Scaling( mXScaleFactor, mYScaleFactor, 0.0f ) * RotationZ( mDirection ) *
		         Translation( mPosition.X, mPosition.Y, 0.0f );
	}

	const ComponentProperties& TransformComponent::Properties() const
	{
		using P = Declare<TransformComponent>;
		static const ComponentProperties kProperties = {
			P::Vector( "PrevPos", "mPrevPos", &TransformComponent::mPrevPos ),
			P::Vector( "Position", "mPosition", &TransformComponent::mPosition )
			    .Bar( { "Position X", "Position Y" }, " group=Position " ),
			P::Vector( "Velocity", "mVelocity", &TransformComponent::mVelocity )
			    .Bar( { "Velocity X", "Velocity Y" }, " group=Velocity " ),
			P::Vector( "Force", "mForce", &TransformComponent::mForce ).Bar( { "Force X", "Force Y" }, " group=Force " ),
			P::Float( "Direction", "mDirection", &TransformComponent::mDirection )
			    .Bar( "Direction", " group=Rotation step=0.1 " ),
			P::Float( "XScaleFactor", "mXScaleFactor", &TransformComponent::mXScaleFactor )
			    .Bar( "Scale Factor X", " group='Scale Factor' " ),
			P::Float( "YScaleFactor", "mYScaleFactor", &TransformComponent::mYScaleFactor )
			    .Bar( "Scale Factor Y", " group='Scale Factor' " ),
			P::Float( "ZScaleFactor", "mZScaleFactor", &TransformComponent::mZScaleFactor )
			    .Bar( "Scale Factor Z", " group='Scale Factor' " ),
			P::Float( "LifeSpan", "mLifeSpan", &TransformComponent::mLifeSpan ),
			P::Bool( "HasFriction", "mHasFriction", &TransformComponent::mHasFriction ),
			P::Bool( "Active", "mActive", &TransformComponent::mActive ),
			P::Int( "TransType", "mTransType", &TransformComponent::mTransType ),
		};
		return kProperties;
	}
}
