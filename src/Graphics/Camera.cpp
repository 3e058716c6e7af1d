#include "Graphics/Camera.h"

#include "Core/GameWindow/Game.h"
#include "Core/GameWindow/GameWindow.h"
#include "Core/ObjectManager.h"
#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "Game/Player.h"
#include "Graphics/GraphicsManager.h"
#include "Physics/TransformComponent.h"
#include "Platform/TweakBar.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <glm/geometric.hpp>
#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace Graphics
{
	TARN_REGISTER_OBJECT_TYPE( Camera )

	namespace
	{
		void TweakSave( void* clientData ) { static_cast<Camera*>( clientData )->Save(); }

		glm::vec3 ReadPoint( const pugi::xml_node& root, const char* element, const glm::vec3& fallback )
		{
			const pugi::xml_node node = root.child( element );
			if ( !node )
				return fallback;
			return glm::vec3( static_cast<float>( std::atof( node.attribute( "x" ).value() ) ),
			                  static_cast<float>( std::atof( node.attribute( "y" ).value() ) ),
			                  static_cast<float>( std::atof( node.attribute( "z" ).value() ) ) );
		}

		void WritePoint( pugi::xml_node root, const char* element, const glm::vec3& point )
		{
			pugi::xml_node node = root.append_child( element );
			node.append_attribute( "x" ).set_value( Tarn::ValueText::FromFloat( point.x ).c_str() );
			node.append_attribute( "y" ).set_value( Tarn::ValueText::FromFloat( point.y ).c_str() );
			node.append_attribute( "z" ).set_value( Tarn::ValueText::FromFloat( point.z ).c_str() );
		}
	}

	Camera::ShakeState& Camera::Shake()
	{
		static ShakeState state;
		return state;
	}

	void Camera::Initialise()
	{
		mComponents.AddComponent<Tarn::TransformComponent>();
		mComponents.AddComponent( Tarn::HashedName( "CollisionComponent" ) );
		mComponents.InitialisePending();

		Load();
		if ( GraphicsManager* graphics = Tarn::Services::Get<GraphicsManager>() )
			mView = graphics->GetView();
		mShake = false;
		mFollowPlayer = false;
		mFollowLocks.reset();
		mFollowed = Tarn::PlayerObjectName();
		mZoomDepth = mZoomFrom = mZoomGoal = mZoomTime = mZoomLength = 0.0f;
		CreateTweakBar();
		mPlayerPosition = FindPosition( mFollowed );
	}

	void Camera::Shutdown()
	{
		if ( mView )
			if ( GraphicsManager* graphics = Tarn::Services::Get<GraphicsManager>(); graphics && graphics->GetView() == mView )
				graphics->ResetView();
		mView = nullptr;
		mPlayerPosition = nullptr;
		DeleteTweakBar();
	}

	bool Camera::Load()
	{
		const std::string path = Tarn::FileSystem::ResolvePath( mFile );
		pugi::xml_document document;
		const pugi::xml_parse_result result = document.load_file( path.c_str() );
		const pugi::xml_node root = document.child( "Camera" );
		if ( !result || !root )
		{
			LOG_WARNING( "Could not read the camera file " << mFile << "; the camera keeps its built-in view." );
			return false;
		}
		mEye = ReadPoint( root, "mEye", mEye );
		mLook = ReadPoint( root, "mLook", mLook );
		mUp = ReadPoint( root, "mUp", mUp );
		if ( const pugi::xml_node speed = root.child( "mSpeed" ) )
			mSpeed = static_cast<float>( std::atof( speed.attribute( "mSpeed" ).value() ) );
		return true;
	}

	bool Camera::Save()
	{
		// The button may be pressed on any camera object; the one that counts is "Camera1".
		Camera* camera = Tarn::ObjectManager::Instance().GetObject<Camera>( Tarn::HashedName( "Camera1" ) );
		if ( !camera )
			camera = this;
		pugi::xml_document document;
		pugi::xml_node root = document.append_child( "Camera" );
		WritePoint( root, "mEye", camera->mEye );
		WritePoint( root, "mLook", camera->mLook );
		WritePoint( root, "mUp", camera->mUp );
		root.append_child( "mSpeed" ).append_attribute( "mSpeed" ).set_value( "1.0" );
		std::ostringstream text;
		document.save( text );
		const bool saved = Tarn::FileSystem::WriteFileAtomically( Tarn::FileSystem::ResolvePath( mFile ), text.str() );
		if ( !saved )
			LOG_ERROR( "Could not save the camera file " << mFile << "." );
		return saved;
	}

	void Camera::CreateTweakBar()
	{
		if ( mTweakBar )
			return;
		using P = Tarn::Declare<Camera, Tarn::Object>;
		const char* const step = " group=Properties step=0.1 ";
		static const Tarn::PropertyTable<Tarn::Object> kBar = {
			P::Tweak( "Follow Player", &Camera::mFollowPlayer, " group=Properties  true='Following' false='Stationary' " ),
			P::Tweak( "Speed", &Camera::mSpeed, step ),
			P::Tweak( "Eye X", &Camera::mEye, &glm::vec3::x, step ),
			P::Tweak( "Eye Y", &Camera::mEye, &glm::vec3::y, step ),
			P::Tweak( "Eye Z", &Camera::mEye, &glm::vec3::z, step ),
			P::Tweak( "Look X", &Camera::mLook, &glm::vec3::x, step ),
			P::Tweak( "Look Y", &Camera::mLook, &glm::vec3::y, step ),
			P::Tweak( "Look Z", &Camera::mLook, &glm::vec3::z, step ),
			P::Tweak( "Up X", &Camera::mUp, &glm::vec3::x, step ),
			P::Tweak( "Up Y", &Camera::mUp, &glm::vec3::y, step ),
			P::Tweak( "Up Z", &Camera::mUp, &glm::vec3::z, step ),
			P::Tweak( "Half Width", &Camera::mHalfWidth, step ),
			P::Tweak( "Half Height", &Camera::mHalfHeight, step ),
			P::Button( "Save", TweakSave, "" ),
		};
		mTweakBar = TwNewBar( "Camera" );
		TwDefine( " Camera position='200 0' " );
		kBar.AddTweakEntries( mTweakBar, *this );
	}

	const Tarn::Vector2* Camera::FindPosition( const Tarn::HashedName& name ) const
	{
		Tarn::Object* object = Tarn::ObjectManager::Instance().GetObject( name );
		auto* transform = object ? object->GetComponent<Tarn::TransformComponent>() : nullptr;
		return transform ? &transform->mPosition : nullptr;
	}

	float Camera::StepSeconds() const
	{
		Tarn::Game* game = Tarn::Services::Get<Tarn::Game>();
		return game ? game->GetGameTime().ElapsedSeconds : 0.0f;
	}

	void Camera::Update( Tarn::GameTime& gameTime )
	{
		StepZoom( gameTime.ElapsedSeconds );
		if ( mFollowPlayer )
		{
			mPlayerPosition = FindPosition( mFollowed );
			if ( !mPlayerPosition )
				return;
			const float px = mPlayerPosition->X, py = mPlayerPosition->Y;
			const float k = mSpeed * gameTime.ElapsedSeconds;
			if ( mFollowLocks[0] || mFollowLocks[1] )
			{
				mLook.x += ( px - mLook.x ) * k;
				mEye.x += ( px - mEye.x ) * k;
			}
			else if ( mFollowLocks[2] || mFollowLocks[3] )
			{
				mLook.y += ( py - mLook.y ) * k;
				mEye.y += ( py - mEye.y ) * k;
			}
			else
			{
				mLook += ( glm::vec3( px, py, 0.0f ) - mLook ) * k;
				mEye.x += ( px - mEye.x ) * k;
				mEye.y += ( py - mEye.y ) * k;
			}
		}

		if ( mView )
			*mView = LookAtLH( mEye, mLook, mUp );
		if ( auto* transform = GetComponent<Tarn::TransformComponent>() )
		{
			transform->mPosition = Tarn::Vector2( mLook.x, mLook.y );
		}

		GraphicsManager* graphics = Tarn::Services::Get<GraphicsManager>();
		Tarn::GameWindow* window = Tarn::Services::Get<Tarn::GameWindow>();
		if ( graphics && window )
		{
			int width = 0, height = 0;
			window->ClientSize( width, height );
			const glm::vec2 corner = graphics->ScreenToWorld( static_cast<float>( width ), static_cast<float>( height ) );
			mHalfWidth = std::fabs( corner.x );
			mHalfHeight = std::fabs( corner.y );
		}
	}

	void Camera::StartFollowing()
	{
		mFollowPlayer = true;
		mFollowLocks.set( 0 );
	}

	void Camera::Follow( const Tarn::HashedName& name )
	{
		mFollowed = name;
		mFollowPlayer = true;
		mPlayerPosition = FindPosition( mFollowed );
	}

	void Camera::ZoomTo( float depth, float seconds )
	{
		mZoomFrom = mZoomDepth;
		mZoomGoal = depth;
		mZoomTime = 0.0f;
		mZoomLength = seconds;
		if ( seconds <= 0.0f )
			StepZoom( 0.0f );
	}

	void Camera::StepZoom( float dt )
	{
		if ( mZoomDepth == mZoomGoal )
			return;
		mZoomTime += dt;
		const float t = mZoomLength > 0.0f ? std::min( mZoomTime / mZoomLength, 1.0f ) : 1.0f;
		// Smooth at both ends: the camera neither jumps off nor stops dead.
		const float eased = t * t * ( 3.0f - 2.0f * t );
		const float depth = t >= 1.0f ? mZoomGoal : mZoomFrom + ( mZoomGoal - mZoomFrom ) * eased;
		Move( depth - mZoomDepth );
		mZoomDepth = depth;
	}

	void Camera::CentreOnPlayer()
	{
		mPlayerPosition = FindPosition( Tarn::PlayerObjectName() );
		if ( !mPlayerPosition )
			return;
		mLook.x = mEye.x = mPlayerPosition->X;
		if ( mView )
			*mView = LookAtLH( mEye, mLook, mUp );
	}

	void Camera::Move( float distance )
	{
		const glm::vec3 line = mLook - mEye;
		const float length = glm::length( line );
		if ( length <= 0.0f )
			return;
		const glm::vec3 step = line / length * distance;
		mEye += step;
		mLook += step;
	}

	void Camera::MoveForward( float amount ) { Move( amount * mSpeed * StepSeconds() ); }

	void Camera::MoveBackward( float amount ) { Move( -amount * mSpeed * StepSeconds() ); }

	Matrix Camera::GetShakeMatrix()
	{
		ShakeState& shake = Shake();
		const float d = StepSeconds();
		auto flicker = [d]( float& value ) { value += value > 0.0f ? -2.0f * d : 2.0f * d; };
		if ( mShake )
		{
			shake.mTime = 100.0f;
			mShake = false;
		}
		else if ( shake.mTime <= 0.0f )
		{
			shake.mAngle = 0.0f;
			return RotationZ( shake.mAngle ) * Translation( shake.mX, shake.mY, 0.0f );
		}
		shake.mTime -= d;
		flicker( shake.mAngle );
		flicker( shake.mX );
		flicker( shake.mY );
		return RotationZ( shake.mAngle ) * Translation( shake.mX, shake.mY, 0.0f );
	}
}
