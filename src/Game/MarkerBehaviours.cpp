#include "Game/MarkerBehaviours.h"

#include "Core/GameComponent.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Game/ObjectiveMarkerComponent.h"
#include "Game/Player.h"
#include "Graphics/Camera.h"
#include "Graphics/LetterBox.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextBox.h"
#include "Graphics/TextManager.h"
#include "Physics/TransformComponent.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>
#include <string>

namespace Tarn
{
	namespace
	{
		constexpr const char* kCameraName = "Camera1";
		constexpr const char* kBossName = "Enemy1";
		// How far along its line of sight a zoom-in brings the camera in from its normal
		// view, in world units (the camera stands some 29 units off the play field).
		constexpr float kCloseUpDepth = 8.0f;
		// A zoom marker without a duration still eases the camera over this long; the
		// chain goes on meanwhile.
		constexpr float kQuickZoomSeconds = 1.0f;
		// How fast a marker flies the ship, in units a second, and how near its marker
		// the ship counts as there: closer than one step's flight, so it never overshoots.
		constexpr float kFlightSpeed = 5.0f;
		constexpr float kArrivalDistance = 0.25f;
		// A flight without a duration that has not arrived by then gives up, so that a
		// ship held by a wall does not hold the chain for ever.
		constexpr float kLongestFlight = 10.0f;

		const std::string& NameOf( const MarkerTurn& turn ) { return turn.mObject.GetName().GetName(); }

		void ReportMissing( const MarkerTurn& turn, const std::string& what )
		{
			LOG_ERROR( "The marker " << NameOf( turn ) << " finds no " << what << "; it does nothing." );
		}

		Graphics::Camera* FindCamera( const MarkerTurn& turn )
		{
			auto* camera = ObjectManager::Instance().GetObjectOfType<Graphics::Camera>( HashedName( kCameraName ) );
			if ( !camera )
				ReportMissing( turn, std::string( "camera \"" ) + kCameraName + "\"" );
			return camera;
		}

		Player* FindShip( const MarkerTurn& turn )
		{
			auto* ship = ObjectManager::Instance().GetObjectOfType<Player>( PlayerObjectName() );
			if ( !ship )
				ReportMissing( turn, std::string( "player \"" ) + kPlayerObjectName + "\"" );
			return ship;
		}

		TransformComponent* ShipTransform( const MarkerTurn& turn )
		{
			Player* ship = FindShip( turn );
			return ship ? ship->GetComponent<TransformComponent>() : nullptr;
		}

		Object* FindBoss( const MarkerTurn& turn )
		{
			Object* boss = ObjectManager::Instance().GetObject( HashedName( kBossName ) );
			if ( !boss )
				ReportMissing( turn, std::string( "boss \"" ) + kBossName + "\"" );
			return boss;
		}

		// Most turns last their duration; one without a duration is over once begun.
		bool DurationRun( const MarkerTurn& turn ) { return turn.mLink.mElapsed >= turn.mLink.mDuration; }

		// Cinematic mode: the level's letter boxes grow in and the ship stops answering
		// the controls, or the reverse. The bars go whatever becomes of the ship, so that
		// a cinematic's end never leaves them on the screen.
		bool SetCinematic( MarkerTurn& turn, bool on )
		{
			size_t bars = 0;
			for ( auto& [hash, entry] : ObjectManager::Instance().mObjects )
				if ( entry.mObject && entry.mObject->GetType() == Graphics::LetterBox::ClassHashedName() )
				{
					static_cast<Graphics::LetterBox*>( entry.mObject )->SetActive( on );
					++bars;
				}
			if ( bars == 0 )
				LOG_WARNING( "The marker " << NameOf( turn ) << " finds no letter box; the cinematic goes on without bars." );
			Player* ship = FindShip( turn );
			if ( !ship )
				return false;
			ship->HoldControls( on );
			return true;
		}

		bool CinematicOn( MarkerTurn& turn ) { return SetCinematic( turn, true ); }
		bool CinematicOff( MarkerTurn& turn ) { return SetCinematic( turn, false ); }

		// The camera eases in over the marker's duration, or back out to its normal view.
		bool Zoom( MarkerTurn& turn, float depth )
		{
			Graphics::Camera* camera = FindCamera( turn );
			if ( !camera )
				return false;
			const float duration = turn.mLink.mDuration;
			camera->ZoomTo( depth, duration > 0.0f ? duration : kQuickZoomSeconds );
			return true;
		}

		bool ZoomIn( MarkerTurn& turn ) { return Zoom( turn, kCloseUpDepth ); }
		bool ZoomOut( MarkerTurn& turn ) { return Zoom( turn, 0.0f ); }

		bool FindsShip( MarkerTurn& turn ) { return ShipTransform( turn ) != nullptr; }

		// The ship flies straight for the marker, and stops there.
		bool Fly( MarkerTurn& turn )
		{
			TransformComponent* ship = ShipTransform( turn );
			const auto* place = turn.mObject.GetComponent<TransformComponent>();
			if ( !ship || !place )
				return false;
			const Vector2 way = place->mPosition - ship->mPosition;
			const float distance = Length( way );
			if ( distance <= kArrivalDistance )
			{
				ship->mVelocity = Vector2();
				return false;
			}
			ship->mVelocity = way * ( kFlightSpeed / distance );
			return true;
		}

		bool FlightOver( const MarkerTurn& turn )
		{
			const ObjectiveMarkerComponent& link = turn.mLink;
			if ( link.mDuration > 0.0f )
				return link.mElapsed >= link.mDuration;
			if ( link.mElapsed < kLongestFlight )
				return false;
			LOG_WARNING( "The marker " << NameOf( turn ) << " gives up flying the player there after "
			                           << kLongestFlight << " s." );
			return true;
		}

		bool HoldStill( MarkerTurn& turn )
		{
			TransformComponent* ship = ShipTransform( turn );
			if ( !ship )
				return false;
			ship->mVelocity = Vector2();
			return true;
		}

		// The text box opens with the marker's text, filed with the text manager under the
		// marker's name (a text filed there already under that name stays), and the
		// marker waits until the player has closed the box.
		Graphics::TextBox* FindTextBox( const MarkerTurn& turn )
		{
			auto* box = ObjectManager::Instance().GetObjectOfType<Graphics::TextBox>(
			    HashedName( Graphics::TextManager::kTextBoxName ) );
			if ( !box )
				ReportMissing( turn, std::string( "text box \"" ) + Graphics::TextManager::kTextBoxName + "\"" );
			return box;
		}

		bool ShowText( MarkerTurn& turn )
		{
			Graphics::TextBox* box = FindTextBox( turn );
			if ( !box )
				return false;
			auto* texts = Services::Get<Graphics::TextManager>();
			if ( !texts )
			{
				ReportMissing( turn, "text manager" );
				return false;
			}
			ObjectiveMarkerComponent& link = turn.mLink;
			if ( !link.mText.empty() )
				texts->AddText( NameOf( turn ), link.mText );
			// A name with no text has been reported by the text manager.
			if ( !texts->ShowText( NameOf( turn ) ) )
				return false;
			box->SetShown( true );
			link.mIsTextMarker = true;
			link.mWaiting = true;
			return true;
		}

		// A box that goes before the player has closed it can no longer let the chain on.
		bool BoxStillThere( MarkerTurn& turn ) { return FindTextBox( turn ) != nullptr; }
		bool TextRead( const MarkerTurn& turn ) { return !turn.mLink.mWaiting; }

		bool Follow( Graphics::Camera& camera, const Object* target )
		{
			if ( !target )
				return false;
			camera.Follow( target->GetName() );
			return true;
		}

		bool CameraOnBoss( MarkerTurn& turn )
		{
			Graphics::Camera* camera = FindCamera( turn );
			return camera && Follow( *camera, FindBoss( turn ) );
		}

		bool CameraOnShip( MarkerTurn& turn )
		{
			Graphics::Camera* camera = FindCamera( turn );
			return camera && Follow( *camera, FindShip( turn ) );
		}

		Graphics::MeshComponent* BossPicture( const MarkerTurn& turn )
		{
			Object* boss = FindBoss( turn );
			auto* mesh = boss ? boss->GetComponent<Graphics::MeshComponent>() : nullptr;
			if ( boss && !mesh )
				ReportMissing( turn, std::string( "picture on the boss \"" ) + kBossName + "\"" );
			return mesh;
		}

		bool StartFade( MarkerTurn& turn )
		{
			Graphics::MeshComponent* mesh = BossPicture( turn );
			if ( !mesh )
				return false;
			turn.mLink.mStartValue = mesh->mColour.a;
			return true;
		}

		// The boss's alpha falls evenly to nothing over the duration; then nothing of it
		// is drawn any more.
		bool Fade( MarkerTurn& turn )
		{
			Graphics::MeshComponent* mesh = BossPicture( turn );
			if ( !mesh )
				return false;
			const ObjectiveMarkerComponent& link = turn.mLink;
			const float left = link.mDuration > 0.0f ? std::max( 1.0f - link.mElapsed / link.mDuration, 0.0f ) : 0.0f;
			mesh->mColour.a = link.mStartValue * left;
			if ( left > 0.0f )
				return true;
			for ( ObjectComponent* component : mesh->mOwner->mComponents.Components() )
				if ( auto* drawn = dynamic_cast<IsDrawable*>( component ) )
					drawn->mVisible = false;
			return false;
		}

		constexpr MarkerBehaviour kBehaviours[] = {
			{ "CineModeOn", &CinematicOn, nullptr, &DurationRun },
			{ "CineModeOff", &CinematicOff, nullptr, &DurationRun },
			{ "ZoomInMarker", &ZoomIn, nullptr, &DurationRun },
			{ "ZoomOutMarker", &ZoomOut, nullptr, &DurationRun },
			{ "MovePlayerMarker", &FindsShip, &Fly, &FlightOver },
			{ "PlayerMoveTo", &FindsShip, &Fly, &FlightOver },
			{ "StopPlayerMarker", &FindsShip, &HoldStill, &DurationRun },
			{ "TextMarker", &ShowText, &BoxStillThere, &TextRead },
			{ "CameraOnMarker", &CameraOnShip, nullptr, &DurationRun },
			{ "CameraBoss", &CameraOnBoss, nullptr, &DurationRun },
			{ "BossFadeAway", &StartFade, &Fade, &DurationRun },
		};
	}

	std::string_view MarkerKind( std::string_view objectName )
	{
		const size_t last = objectName.find_last_not_of( "0123456789" );
		return last == std::string_view::npos ? std::string_view() : objectName.substr( 0, last + 1 );
	}

	const MarkerBehaviour* FindMarkerBehaviour( std::string_view kind )
	{
		const auto found = std::find_if( std::begin( kBehaviours ), std::end( kBehaviours ),
		                                 [kind]( const MarkerBehaviour& row ) { return row.mKind == kind; } );
		return found == std::end( kBehaviours ) ? nullptr : found;
	}

	void PlayMarkerStep( Object& object, ObjectiveMarkerComponent& link, float dt )
	{
		if ( link.mDone )
			return;
		MarkerTurn turn{ object, link };
		const MarkerBehaviour* behaviour = FindMarkerBehaviour( MarkerKind( NameOf( turn ) ) );
		if ( link.mNotStarted )
		{
			if ( !link.MayGoOn() )
				return;
			link.mNotStarted = false;
			link.mElapsed = 0.0f;
			if ( !behaviour )
				LOG_ERROR( "The marker " << NameOf( turn ) << " is no kind of marker; it does nothing." );
			if ( !behaviour || !behaviour->mStart( turn ) )
			{
				link.mDone = true;
				return;
			}
		}
		else
			link.mElapsed += dt;
		if ( !behaviour )
			return;
		const bool going = !behaviour->mStep || behaviour->mStep( turn );
		link.mDone = !going || behaviour->mIsOver( turn );
	}
}
