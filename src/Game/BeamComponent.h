#pragma once

#include "Core/ObjectComponent.h"
#include "Game/Player.h"
#include "Physics/CollisionManager.h"
#include "StateMachines/RoutineCodes.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <cstdint>
#include <string>

namespace Physics
{
	class CollisionComponent;
}

namespace Tarn
{
	class TransformComponent;

	// The energy beam's behaviour: while a mouse button is held it grows from its
	// source toward the pointer (or, for a reflected beam, along the reflection),
	// locks onto the nearest thing it can act on and ends exactly at it. The source
	// follows from the owner's name: "EnergyBeam1" is the player's own beam,
	// "EnergyBeamN" the beam that leaves "Mirror(N-1)" (or "Channel(N-1)").
	class BeamComponent : public ObjectComponent
	{
		TARN_CLASS_NAME( BeamComponent )

	public:
		static constexpr float kWidth = 0.2f;
		// The length scale the beam grows toward; the sprite reaches half of it.
		static constexpr float kMaxLengthScale = 50.0f;
		// A locked beam stops this far short of its target's centre.
		static constexpr float kTargetGap = 0.3f;
		// A beam ignores the mirror or channel it leaves: anything this close (squared).
		static constexpr float kOwnSourceDistanceSq = 1.0f;
		static constexpr const char* kFireSound = "resource/Sound/Beam_EnergyBeamInitialFireFinal.wav";
		static constexpr const char* kSnapSound = "resource/Sound/InanimateObject_ActivateSnap.wav";
		static constexpr const char* kNamePrefix = "EnergyBeam";

		explicit BeamComponent( Object* owner ) : ObjectComponent( owner ) {}
		~BeamComponent() override;

		void Initialise() override;
		void Shutdown() override;

		// The mouse's global lists; each acts for the left and the right button only.
		void OnPressed( int32_t x, int32_t y, int32_t button );
		void OnHeld( int32_t x, int32_t y, int32_t button );
		void OnReleased( int32_t x, int32_t y, int32_t button );

		// One held update toward a world point (the pointer), over dt seconds.
		void HeldUpdate( const Vector2& pointer, float dt );
		// Switches the beam off: back at its source with no length, target let go,
		// sprites hidden; a mirror or channel source goes dark.
		void Cut( const Vector2& pointer );

		// The owner's contact handlers.
		void OnContactStay( Physics::CollisionComponent& other );
		void OnContactEnd( Physics::CollisionComponent& other );

		// Takes `candidate` as the target when nothing is held, or when it is strictly
		// nearer the source than the current target.
		void Offer( Physics::CollisionComponent& candidate );
		void LockOn( Physics::CollisionComponent& target );
		// The target's machine goes back to normal and the lock is let go.
		void ReleaseTarget();

		// Refreshes the collision rectangle from the transform (see the collision
		// manager's beam pass); false while the beam's sprite is hidden.
		bool RefreshShape( Physics::Shapes::Quad& corners );

		// What the beam leaves from, by name; null while no such object exists.
		Object* Source() const;
		// The locked target, or null for one whose object has gone or is out of play.
		Physics::CollisionComponent* Target() const;
		// The muzzle sprite: the object named "BeamEffect" with the beam's number.
		Object* Effect() const;
		bool IsLocked() const { return mLocked && Target(); }
		const HashedName& GetSourceName() const { return mSourceName; }

		// The name of the source of a beam called `beamName`: "Player1" unless the name
		// is "EnergyBeam" with a number of 2 or more, which names "Mirror" with the
		// number less one. `channel` gives the "Channel" spelling instead.
		static std::string SourceNameFor( const std::string& beamName, bool channel = false );

		// Half-diagonals of the collision rectangle.
		Vector2 mOffset1;
		Vector2 mOffset2;
		// Something the beam acts on touched it in the last collision update.
		bool mHit = false;
		// A beam aimed at a mirror that crossed another mirror's back lets go of its
		// target at the next held update.
		bool mRelay = false;
		// Handed to prisms; none lets a prism shine in its own colour.
		int32_t mColourCode = StateMachines::ColourCode::None;
		TransformComponent* mTransform = nullptr;
		Physics::CollisionComponent* mTarget = nullptr;
		bool mLocked = false;

	protected:
		// Nothing is read; the source is worked out from the owner's name again.
		void OnDeserialised( const pugi::xml_node& element ) override;

	private:
		void FindSource();
		Vector2 SourcePosition() const;
		// A mirror or channel source: whether the beam that feeds it still does.
		bool FeedStillReaches( Object& source ) const;
		void MarkUnlit( Object& object ) const;
		// The target's machine goes back to normal (a lit mine's fuse excepted).
		void LetGo( Physics::CollisionComponent& target ) const;
		void ShowEffect( const Vector2& source, const Vector2& away, float dt );
		void LightPrism( Object& prism );
		void Subscribe();
		void Unsubscribe();

		HashedName mSourceName{ kPlayerObjectName };
		// Where a channel stands in for the mirror the name gives, and the flare's name.
		HashedName mChannelSourceName{ kPlayerObjectName };
		HashedName mEffectName{ "" };
		bool mPlayerBeam = true;
		// The name of the target's owner, to tell whether it still exists.
		HashedName mTargetName{ "" };
		bool mSubscribed = false;
	};
}
