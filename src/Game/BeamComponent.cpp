#include "Game/BeamComponent.h"

#include "Core/GameWindow/Game.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Game/MirrorComponent.h"
#include "Game/Player.h"
#include "Game/VertexComponent.h"
#include "GameStates/LevelManager.h"
#include "GameStates/SoundManager.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/MeshComponent.h"
#include "Input/MouseManager.h"
#include "Physics/CollisionComponent.h"
#include "Physics/LineComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/MineRoutines.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateMachineManager.h"
#include "StateMachines/TileRoutines.h"
#include "core/MathConstants.h"
#include "core/Services.h"

#include <cctype>
#include <cmath>

namespace Tarn
{
	TARN_REGISTER_COMPONENT_TYPE( BeamComponent )

	namespace
	{
		using Physics::CollisionComponent;
		using StateMachines::MineComponent;
		using StateMachines::StateMachineComponent;

		constexpr float kHalfPi = kPi * 0.5f;
		constexpr float kDefaultStep = 0.016f;
		constexpr int32_t kFirstLevel = 1;

		// The lit prism's sheet: its first seven frames brighten, the rest shimmer.
		constexpr const char* kLitSheetPng = "./resource/square2.png";
		constexpr const char* kLitTexture = "resource/square2.png";
		constexpr float kLitFrameSeconds = 0.001f;
		constexpr int kLitLoopStart = 8;
		constexpr int kLitLoopEnd = 14;

		bool IsBeamButton( int32_t button ) { return button == MouseButton::Left || button == MouseButton::Right; }

		float StepSeconds()
		{
			Game* game = Services::Get<Game>();
			return game ? game->GetGameTime().ElapsedSeconds : kDefaultStep;
		}

		Vector2 PointerInWorld( int32_t x, int32_t y )
		{
			const auto* graphics = Services::Get<Graphics::GraphicsManager>();
			if ( !graphics )
				return Vector2();
			const glm::vec2 world = graphics->ScreenToWorld( static_cast<float>( x ), static_cast<float>( y ) );
			return Vector2( world.x, world.y );
		}

		// The number after "EnergyBeam", or 0 when the name has none.
		int BeamNumber( const std::string& name )
		{
			const std::string prefix = BeamComponent::kNamePrefix;
			if ( name.size() <= prefix.size() || name.compare( 0, prefix.size(), prefix ) != 0 )
				return 0;
			int number = 0;
			for ( size_t i = prefix.size(); i < name.size(); ++i )
			{
				if ( !std::isdigit( static_cast<unsigned char>( name[i] ) ) || number > 100000 )
					return 0;
				number = number * 10 + ( name[i] - '0' );
			}
			return number;
		}

		// Plays unless its last playback still plays.
		void PlayOnce( const char* sound )
		{
			if ( auto* sounds = Services::Get<SoundManager>() )
				sounds->PlaySoundEffect( sound, false );
		}
	}

	BeamComponent::~BeamComponent() { Unsubscribe(); }

	std::string BeamComponent::SourceNameFor( const std::string& beamName, bool channel )
	{
		const int number = BeamNumber( beamName );
		if ( number < 2 )
			return kPlayerObjectName;
		return std::string( channel ? "Channel" : "Mirror" ) + std::to_string( number - 1 );
	}

	void BeamComponent::FindSource()
	{
		// Every name the beam looks up while it fires follows from its own; worked out
		// once here.
		const std::string name = mOwner ? mOwner->GetName().GetName() : std::string();
		mSourceName = HashedName( SourceNameFor( name ).c_str() );
		mChannelSourceName = HashedName( SourceNameFor( name, true ).c_str() );
		mPlayerBeam = mSourceName == PlayerObjectName();
		const std::string prefix = kNamePrefix;
		const bool numbered = name.compare( 0, prefix.size(), prefix ) == 0;
		mEffectName = HashedName( numbered ? ( "BeamEffect" + name.substr( prefix.size() ) ).c_str() : "" );
	}

	void BeamComponent::Initialise()
	{
		mTransform = mOwner ? mOwner->GetComponent<TransformComponent>() : nullptr;
		if ( mTransform )
			mTransform->mXScaleFactor = kWidth;
		FindSource();
		mHit = mRelay = mLocked = false;
		mTarget = nullptr;
		mTargetName = HashedName( "" );
		Subscribe();
		// The collision passes ask every beam for its rectangle through this.
		if ( auto* collisions = Services::Get<Physics::CollisionManager>() )
			collisions->mHooks.mBeamShape = []( Object& beam, Physics::Shapes::Quad& corners ) {
				auto* component = beam.GetComponent<BeamComponent>();
				return component && component->RefreshShape( corners );
			};
	}

	void BeamComponent::Shutdown()
	{
		Unsubscribe();
		mTransform = nullptr;
		mTarget = nullptr;
		mLocked = false;
	}

	void BeamComponent::Subscribe()
	{
		if ( mSubscribed )
			return;
		if ( auto* mouse = Services::Get<MouseManager>() )
		{
			mouse->mOnButtonHeld.Subscribe( this, &BeamComponent::OnHeld );
			mouse->mOnButtonReleased.Subscribe( this, &BeamComponent::OnReleased );
			mouse->mOnButtonPressed.Subscribe( this, &BeamComponent::OnPressed );
			mSubscribed = true;
		}
	}

	void BeamComponent::Unsubscribe()
	{
		if ( !mSubscribed )
			return;
		if ( auto* mouse = Services::Get<MouseManager>() )
		{
			mouse->mOnButtonHeld.Unsubscribe( this, &BeamComponent::OnHeld );
			mouse->mOnButtonReleased.Unsubscribe( this, &BeamComponent::OnReleased );
			mouse->mOnButtonPressed.Unsubscribe( this, &BeamComponent::OnPressed );
		}
		mSubscribed = false;
	}

	void BeamComponent::OnDeserialised( const pugi::xml_node& ) { FindSource(); }

	Object* BeamComponent::Source() const
	{
		ObjectManager& objects = ObjectManager::Instance();
		if ( Object* source = objects.GetObject( mSourceName ) )
			return source;
		// A channel may stand where the name rule puts a mirror.
		return mPlayerBeam ? nullptr : objects.GetObject( mChannelSourceName );
	}

	CollisionComponent* BeamComponent::Target() const
	{
		if ( !mTarget )
			return nullptr;
		// Kept with its owner's name: a target whose object was destroyed is never read.
		const Object* owner = ObjectManager::Instance().GetObject( mTargetName );
		if ( !owner || owner->GetComponent<CollisionComponent>() != mTarget )
			return nullptr;
		// Nor one taken out of play (a mine that went off): the passes no longer see it.
		const auto* transform = owner->GetComponent<TransformComponent>();
		if ( !transform || !transform->mActive )
			return nullptr;
		return mTarget;
	}

	Object* BeamComponent::Effect() const
	{
		return mEffectName.GetName().empty() ? nullptr : ObjectManager::Instance().GetObject( mEffectName );
	}

	Vector2 BeamComponent::SourcePosition() const
	{
		const Object* source = Source();
		const auto* transform = source ? source->GetComponent<TransformComponent>() : nullptr;
		return transform ? transform->mPosition : Vector2();
	}

	void BeamComponent::OnPressed( int32_t, int32_t, int32_t button )
	{
		// A click on a menu page, one that answers the loading screen or one during a
		// cinematic fires nothing.
		if ( IsBeamButton( button ) && !PlayerControlsHeld() )
			PlayOnce( kFireSound );
	}

	void BeamComponent::OnHeld( int32_t x, int32_t y, int32_t button )
	{
		if ( !IsBeamButton( button ) )
			return;
		if ( !PlayerControlsHeld() )
		{
			HeldUpdate( PointerInWorld( x, y ), StepSeconds() );
			return;
		}
		// Controls taken while the beam fires (a cinematic, a menu page) cut it as a
		// release would: it does not hang on the screen, nor keep its target lit, until
		// the button comes up. Held on afterwards, it grows again from nothing.
		const auto* mesh = mOwner ? mOwner->GetComponent<Graphics::MeshComponent>() : nullptr;
		if ( mPlayerBeam && mesh && mesh->mVisible )
			Cut( PointerInWorld( x, y ) );
	}

	void BeamComponent::OnReleased( int32_t x, int32_t y, int32_t button )
	{
		if ( IsBeamButton( button ) )
			Cut( PointerInWorld( x, y ) );
	}

	void BeamComponent::MarkUnlit( Object& object ) const
	{
		if ( auto* collider = object.GetComponent<CollisionComponent>() )
			collider->mInvulnerable = true;
	}

	void BeamComponent::Cut( const Vector2& pointer )
	{
		Object* source = Source();
		// Only the player's beam carries the firing sound; a reflected beam going dark
		// must not silence the beam that still fires.
		if ( mPlayerBeam )
			if ( auto* sounds = Services::Get<SoundManager>() )
				sounds->StopSound( kFireSound );
		const Vector2 at = SourcePosition();
		if ( mTransform )
		{
			mTransform->mPosition = at;
			mTransform->mYScaleFactor = 0.0f;
			const Vector2 away = at - pointer;
			mTransform->mDirection = std::atan2( away.Y, away.X ) - kHalfPi;
		}
		ReleaseTarget();
		mHit = false;
		if ( auto* mesh = mOwner ? mOwner->GetComponent<Graphics::MeshComponent>() : nullptr )
		{
			mesh->mVisible = false;
			mesh->mColour.a = 0.0f;
		}
		if ( Object* effect = Effect() )
			if ( auto* mesh = effect->GetComponent<Graphics::MeshComponent>() )
			{
				mesh->mVisible = false;
				mesh->mColour = Colour{ 1.0f, 1.0f, 1.0f, 0.0f };
			}
		if ( source && !source->IsType( "Player" ) )
			MarkUnlit( *source );
	}

	bool BeamComponent::FeedStillReaches( Object& source ) const
	{
		const auto* relay = source.GetComponent<MirrorComponent>();
		CollisionComponent* incoming = relay ? relay->IncomingBeam() : nullptr;
		const auto* feeding = incoming ? incoming->mOwner->GetComponent<BeamComponent>() : nullptr;
		if ( !feeding )
			return false;
		const Object* feedingSource = feeding->Source();
		const auto* feedingCollider = feedingSource ? feedingSource->GetComponent<CollisionComponent>() : nullptr;
		if ( !feedingCollider || feedingCollider->mInvulnerable )
			return false;
		// The feeding beam must still end at this very mirror or channel, not merely at
		// one of its kind.
		const CollisionComponent* target = feeding->Target();
		return target && target->mOwner == &source;
	}

	void BeamComponent::HeldUpdate( const Vector2& pointer, float dt )
	{
		if ( !mTransform )
			return;
		Object* source = Source();
		Object* player = FindPlayer();
		const auto* sourceCollider = source ? source->GetComponent<CollisionComponent>() : nullptr;
		const auto* playerCollider = player ? player->GetComponent<CollisionComponent>() : nullptr;
		const auto* playerMachine = player ? player->GetComponent<StateMachineComponent>() : nullptr;
		// 1. Nothing to fire from: no source, a dark mirror or channel, a player that was
		// just hit or is busy.
		if ( !source || ( sourceCollider && sourceCollider->mInvulnerable ) ||
		     ( playerCollider && playerCollider->mInvulnerable ) || ( playerMachine && playerMachine->mActionFlag ) )
		{
			Cut( pointer );
			return;
		}

		// 2. The beam starts at its source.
		const Vector2 start = SourcePosition();
		mTransform->mPosition = start;

		// 3. Where the beam points.
		Vector2 aim;
		if ( source->IsType( "Mirror" ) )
		{
			const auto* line = source->GetComponent<Physics::LineComponent>();
			const auto* relay = source->GetComponent<MirrorComponent>();
			const CollisionComponent* incoming = relay ? relay->IncomingBeam() : nullptr;
			if ( !line || !incoming )
			{
				// Lit by nothing that still exists: dark from now on.
				MarkUnlit( *source );
				Cut( pointer );
				return;
			}
			// The incoming direction mirrored in the line, at the same distance.
			const Vector2 along = Unit( line->mPt1 - line->mPt2 );
			const Vector2 from = incoming->mCentre;
			aim = from + along * ( 2.0f * Dot( start - from, along ) );
			if ( !FeedStillReaches( *source ) )
				MarkUnlit( *source );
			if ( !mHit )
				ReleaseTarget();
		}
		else
		{
			const auto* machine = source->GetComponent<StateMachineComponent>();
			if ( machine &&
			     ( machine->mState == StateMachines::STATE_FLEE || machine->mState == StateMachines::STATE_DIE ) )
			{
				Cut( pointer );
				return;
			}
			if ( mRelay )
			{
				ReleaseTarget();
				mRelay = false;
			}
			const CollisionComponent* target = Target();
			aim = mLocked && target ? target->mCentre : pointer;
			if ( source->IsType( "Channel" ) && !FeedStillReaches( *source ) )
				MarkUnlit( *source );
		}

		// 4 and 5. The length: to the target, or growing toward the full reach.
		const Vector2 away = start - aim;
		const CollisionComponent* target = Target();
		if ( !target )
			mLocked = false;
		float length = mTransform->mYScaleFactor;
		if ( target )
			// Never negative: a target inside the gap gets a beam of no length.
			length = std::max( 0.0f, Length( target->mCentre - start ) - kTargetGap );
		if ( mLocked && target )
			mTransform->mYScaleFactor = 2.0f * length;
		else
			mTransform->mYScaleFactor = length + dt * 100.0f * ( kMaxLengthScale - length ) / kMaxLengthScale;

		// 6. It turns to point from the source to where it aims.
		mTransform->mDirection = std::atan2( away.Y, away.X ) + kHalfPi;

		// 7 and 8. Seen, fading in.
		ShowEffect( start, away, dt );

		// 9. The hit flag is not cleared here but when the collision passes take the
		// beam up again (RefreshShape): the mouse reports a held button twice in a row
		// before the passes run, and a reflected beam must not let go of its target at
		// the second report only because no pass has run in between.

		// 10. On the first level, firing is what the beam prompt asked for.
		if ( const auto* levels = Services::Get<LevelManager>(); levels && levels->mLevelNumber == kFirstLevel )
			if ( auto* machines = Services::Get<StateMachines::StateMachineManager>() )
				machines->RaiseMessage( StateMachines::Message::BeamPromptDone );
	}

	void BeamComponent::ShowEffect( const Vector2& start, const Vector2& away, float dt )
	{
		auto* mesh = mOwner->GetComponent<Graphics::MeshComponent>();
		Object* effect = Effect();
		auto* effectMesh = effect ? effect->GetComponent<Graphics::MeshComponent>() : nullptr;
		if ( mesh )
			mesh->mVisible = true;
		if ( effectMesh )
			effectMesh->mVisible = true;
		if ( auto* effectTransform = effect ? effect->GetComponent<TransformComponent>() : nullptr )
		{
			// Half a unit out of the source, toward the aim point; a pointer right on the
			// source leaves it at the source.
			effectTransform->mPosition = start - Unit( away ) * 0.5f;
			effectTransform->mDirection = mTransform->mDirection + kHalfPi;
			effectTransform->UpdateWorldMatrix();
		}
		// A beam that comes back after being cut while the button stays down is heard again.
		if ( mPlayerBeam && mesh && mesh->mColour.a <= 0.0f )
			PlayOnce( kFireSound );
		if ( mesh && mesh->mColour.a < 1.0f )
		{
			mesh->mColour.a += dt;
			if ( effectMesh )
				effectMesh->mColour.a += dt;
		}
	}

	bool BeamComponent::RefreshShape( Physics::Shapes::Quad& corners )
	{
		const auto* mesh = mOwner ? mOwner->GetComponent<Graphics::MeshComponent>() : nullptr;
		if ( !mesh || !mesh->mVisible || !mTransform )
			return false;
		// A new collision update: what it touches sets the flag again.
		mHit = false;
		const float direction = mTransform->mDirection;
		// Toward the aim point, and across the beam.
		const Vector2 ahead( std::cos( direction + kHalfPi ), std::sin( direction + kHalfPi ) );
		const Vector2 across( std::cos( direction ), std::sin( direction ) );
		const float halfWidth = mTransform->mXScaleFactor * 0.5f;
		const float quarterLength = mTransform->mYScaleFactor * 0.25f;
		const Vector2 centre = mTransform->mPosition + ahead * quarterLength;
		if ( auto* collider = mOwner->GetComponent<CollisionComponent>() )
		{
			collider->mCentre = centre;
			collider->mPreviousPosition = mTransform->mPrevPos;
			collider->mVelocity = mTransform->mVelocity;
		}
		mOffset1 = across * halfWidth + ahead * quarterLength;
		mOffset2 = across * -halfWidth + ahead * quarterLength;
		// The turn of the box test: (right, top), (right, bottom), (left, bottom), (left, top).
		corners = { centre + mOffset1, centre - mOffset2, centre - mOffset1, centre + mOffset2 };
		return true;
	}

	void BeamComponent::LockOn( CollisionComponent& target )
	{
		// A target given up for a nearer one is let go as on a release.
		if ( CollisionComponent* previous = Target(); previous && previous != &target )
			LetGo( *previous );
		mLocked = true;
		mTarget = &target;
		mTargetName = target.mOwner ? target.mOwner->GetName() : HashedName( "" );
		PlayOnce( kSnapSound );
	}

	void BeamComponent::LetGo( CollisionComponent& target ) const
	{
		Object& owner = *target.mOwner;
		// A prism's or mine's machine is its mine component; the rest carry a state
		// machine.
		if ( auto* machine = owner.GetComponent<StateMachineComponent>() )
			machine->mState = StateMachines::STATE_NORMAL;
		else if ( auto* mine = owner.GetComponent<MineComponent>() )
		{
			// A mine whose fuse the beam lit goes off all the same, and a spent one stays
			// spent: calling either back would leave a mine that never goes off again.
			const bool fused = mine->mState == StateMachines::STATE_WAIT || mine->mState == StateMachines::STATE_DIE ||
			                   mine->mState == StateMachines::STATE_NONE;
			if ( !( owner.IsType( "Mine" ) && fused ) )
				mine->mState = StateMachines::STATE_NORMAL;
		}
	}

	void BeamComponent::ReleaseTarget()
	{
		if ( CollisionComponent* target = Target() )
			LetGo( *target );
		mTarget = nullptr;
		mTargetName = HashedName( "" );
		mLocked = false;
	}

	void BeamComponent::Offer( CollisionComponent& candidate )
	{
		const CollisionComponent* current = Target();
		if ( !mLocked || !current )
		{
			LockOn( candidate );
			return;
		}
		if ( current == &candidate || !mTransform )
			return;
		const Vector2 from = mTransform->mPosition;
		if ( LengthSquared( candidate.mCentre - from ) < LengthSquared( current->mCentre - from ) )
			LockOn( candidate );
	}

	void BeamComponent::LightPrism( Object& prism )
	{
		if ( auto* machine = prism.GetComponent<MineComponent>() )
			machine->mState = StateMachines::STATE_NONE;
		// Its cone shines away from where the beam comes from, in the beam's colour (none
		// lets the prism shine in its own), for this update only: the contact lights it
		// again in every update the beam still ends here.
		if ( auto* cone = prism.GetComponent<VertexComponent>(); cone && mTransform )
			cone->SwitchOn( mTransform->mPosition, mColourCode );
		const auto* prismTransform = prism.GetComponent<TransformComponent>();
		if ( auto* emitter = prism.GetComponent<Graphics::EmitterComponent>(); emitter && prismTransform )
		{
			// Sparks fly off the struck face, back toward where the beam comes from.
			emitter->AngleSparks();
			emitter->mEmitPosition = Graphics::EmitterVector();
			const Vector2 back = mTransform ? mTransform->mPosition - prismTransform->mPosition : Vector2();
			emitter->mAngleMain = std::atan2( back.Y, back.X ) - emitter->mAngleWidth * 0.5f;
		}
		if ( auto* animation = prism.GetComponent<Graphics::AnimationComponent>() )
		{
			if ( animation->GetXmlFileName() != StateMachines::kLitPrismSheetXml )
			{
				animation->SetAnimation( StateMachines::kLitPrismSheetXml, kLitSheetPng );
				for ( Graphics::AnimationFrame& frame : animation->mFrames )
					frame.mDuration = kLitFrameSeconds;
				animation->SetPaused( false );
				animation->SetPlayOnce( false );
				if ( auto* mesh = prism.GetComponent<Graphics::MeshComponent>() )
					mesh->SetTexture( kLitTexture );
			}
			else if ( animation->GetCurrentFrame() >= kLitLoopStart && animation->GetStartFrame() != kLitLoopStart )
			{
				// Brightened: from now on it shimmers over the last frames.
				animation->SetStartFrame( kLitLoopStart );
				animation->SetEndFrame( kLitLoopEnd );
			}
		}
	}

	void BeamComponent::OnContactStay( CollisionComponent& other )
	{
		if ( !other.mOwner || !mTransform )
			return;
		Object& owner = *other.mOwner;
		const Vector2 here = mTransform->mPosition;

		if ( owner.IsType( "Mine" ) )
		{
			auto* mine = owner.GetComponent<MineComponent>();
			if ( !mine || mine->mAI != StateMachines::Routine::BlueMine )
				return;
			// A blue mine: the beam sets it off, and the blast stuns the ship.
			Offer( other );
			StateMachines::LightFuse( other );
			mHit = true;
			Object* player = FindPlayer();
			if ( auto* machine = player ? player->GetComponent<StateMachineComponent>() : nullptr;
			     machine && machine->mState != StateMachines::STATE_WAIT )
			{
				machine->mState = StateMachines::STATE_WAIT;
				machine->mInnerState = StateMachines::INNER_STATE_ON_ENTER;
			}
		}
		else if ( owner.IsType( "InanimateObject" ) )
		{
			Offer( other );
			// Only the prism the beam ends at lights up.
			if ( Target() == &other )
			{
				LightPrism( owner );
				mHit = true;
			}
		}
		else if ( owner.IsType( "Mirror" ) || owner.IsType( "Channel" ) )
		{
			// The mirror or channel this beam leaves from.
			if ( LengthSquared( other.mCentre - here ) < kOwnSourceDistanceSq )
				return;
			if ( owner.IsType( "Mirror" ) )
			{
				const auto* line = owner.GetComponent<Physics::LineComponent>();
				if ( !line )
					return;
				if ( Dot( other.mCentre - here, line->mNormal ) <= 0.0f )
				{
					// The back of a mirror: it reflects nothing, and a beam aimed at
					// another mirror through it lets go.
					const CollisionComponent* target = Target();
					if ( target && target != &other && target->mOwner && target->mOwner->IsType( "Mirror" ) )
					{
						other.mInvulnerable = true;
						mRelay = true;
					}
					return;
				}
			}
			// Lit, and fed by this beam, when the beam ends at it: one merely grazing it
			// on the way to something nearer must not take over the feed of a mirror
			// another beam lights. A channel is held like a mirror: a reflected beam keeps
			// a channel it reaches.
			Offer( other );
			if ( Target() != &other )
				return;
			other.mInvulnerable = false;
			if ( auto* relay = owner.GetComponent<MirrorComponent>() )
				if ( auto* own = mOwner->GetComponent<CollisionComponent>() )
					relay->SetIncomingBeam( *own );
			mHit = true;
		}
	}

	void BeamComponent::OnContactEnd( CollisionComponent& other )
	{
		if ( !other.mOwner || !other.mOwner->IsType( "InanimateObject" ) )
			return;
		if ( auto* machine = other.mOwner->GetComponent<MineComponent>() )
			machine->mState = StateMachines::STATE_NORMAL;
	}
}
