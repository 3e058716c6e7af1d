#include "Core/Object.h"
#include "Physics/PhysicsManager.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"
#include "support/LogCapture.h"

#include <glm/vec4.hpp>
#include "core/MathConstants.h"
#include "core/Matrices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace
{
	using Tarn::TransformComponent;
	using Tarn::Vector2;
	using List = Physics::PhysicsManager::List;

	// An owner of any type and name, built outside the object manager.
	class Owner : public Tarn::Object
	{
	public:
		Owner( const char* type, const char* name )
		{
			mType = Tarn::HashedName( type );
			mName = Tarn::HashedName( name );
		}
		void Initialise() override {}
		void Shutdown() override {}
	};

	class TransformMotion : public testing::Test
	{
	protected:
		void SetUp() override
		{
			Tarn::Services::Add<Physics::PhysicsManager>( &mPhysics );
			mPhysics.Initialise();
		}
		void TearDown() override
		{
			for ( auto& transform : mTransforms )
				transform->Shutdown();
			Tarn::Services::Remove<Physics::PhysicsManager>();
		}

		TransformComponent& Make( const char* type, const char* name = "Thing" )
		{
			mOwners.push_back( std::make_unique<Owner>( type, name ) );
			mTransforms.push_back( std::make_unique<TransformComponent>( mOwners.back().get() ) );
			mTransforms.back()->Initialise();
			return *mTransforms.back();
		}

		bool In( const std::vector<TransformComponent*>& list, const TransformComponent& transform ) const
		{
			return std::find( list.begin(), list.end(), &transform ) != list.end();
		}

		Physics::PhysicsManager mPhysics{ nullptr };
		std::vector<std::unique_ptr<Owner>> mOwners;
		std::vector<std::unique_ptr<TransformComponent>> mTransforms;
	};

	TEST_F( TransformMotion, DefaultsAndUpdateOrder )
	{
		TransformComponent& t = Make( "SomethingElse" );
		EXPECT_EQ( mPhysics.mUpdateOrder, 1 );
		EXPECT_EQ( t.mXScaleFactor, 1.0f );
		EXPECT_EQ( t.mZScaleFactor, 1.0f );
		EXPECT_FALSE( t.mActive );
		EXPECT_FALSE( t.mHasFriction );
		EXPECT_EQ( t.mTransType, 0 );
		EXPECT_TRUE( In( mPhysics.DynamicTransforms(), t ) );
		EXPECT_EQ( t.GetWorldMatrix(), glm::mat4( 1.0f ) );
	}

	TEST_F( TransformMotion, IntegrationWithFriction )
	{
		TransformComponent& t = Make( "Player" );
		ASSERT_TRUE( t.mActive );
		ASSERT_TRUE( t.mHasFriction );
		EXPECT_EQ( t.mPosition, Vector2( -30.0f, 0.0f ) );
		t.mVelocity = { 10.0f, -4.0f };
		t.mForce = { 2.0f, 0.0f };
		mPhysics.Integrate( 0.05f );

		EXPECT_FLOAT_EQ( t.mVelocity.X, 9.0f ) << "0.95 - 0.05 keeps 90%";
		EXPECT_FLOAT_EQ( t.mVelocity.Y, -3.6f );
		EXPECT_EQ( t.mPrevPos, Vector2( -30.0f, 0.0f ) );
		EXPECT_FLOAT_EQ( t.mPosition.X, -30.0f + 9.0f * 0.05f + 2.0f * 0.05f );
		EXPECT_FLOAT_EQ( t.mPosition.Y, -3.6f * 0.05f );
		EXPECT_EQ( t.mForce, Vector2( 0.0f, 0.0f ) ) << "a force lasts one step";
		EXPECT_FLOAT_EQ( Tarn::TransformCoord( glm::vec3( 0.0f ), t.GetWorldMatrix() ).x, t.mPosition.X );

		// The factor is not clamped: a step of 1 s reverses the velocity.
		mPhysics.Integrate( 1.0f );
		EXPECT_FLOAT_EQ( t.mVelocity.X, 9.0f * -0.05f );
	}

	TEST_F( TransformMotion, InactiveTransformsKeepEverything )
	{
		TransformComponent& t = Make( "SomethingElse" );
		t.mPosition = { 1.0f, 2.0f };
		t.mVelocity = { 5.0f, 5.0f };
		t.mForce = { 3.0f, 3.0f };
		t.mDirection = 7.0f;
		mPhysics.Integrate( 0.016f );
		EXPECT_EQ( t.mPosition, Vector2( 1.0f, 2.0f ) );
		EXPECT_EQ( t.mForce, Vector2( 3.0f, 3.0f ) );
		EXPECT_EQ( t.mDirection, 7.0f );
		EXPECT_EQ( t.GetWorldMatrix(), glm::mat4( 1.0f ) ) << "it keeps its last matrix";
	}

	TEST_F( TransformMotion, DirectionIsResetAtAFullTurn )
	{
		TransformComponent& full = Make( "Mirror" );
		TransformComponent& beyond = Make( "Mirror" );
		TransformComponent& short_ = Make( "Mirror" );
		TransformComponent& negative = Make( "Mirror" );
		full.mDirection = 2.0f * Tarn::kPi;
		beyond.mDirection = 7.0f;
		short_.mDirection = 6.28f;
		negative.mDirection = -7.0f;
		mPhysics.Integrate( 0.016f );
		EXPECT_EQ( full.mDirection, 0.0f );
		EXPECT_EQ( beyond.mDirection, 0.0f ) << "reset, not wrapped";
		EXPECT_EQ( short_.mDirection, 6.28f );
		EXPECT_EQ( negative.mDirection, -7.0f );
	}

	TEST_F( TransformMotion, StaticTransformsAreRebuiltButNotMoved )
	{
		TransformComponent& wall = Make( "Wall" );
		ASSERT_TRUE( In( mPhysics.StaticTransforms(), wall ) );
		EXPECT_EQ( wall.mXScaleFactor, 8.0f );
		EXPECT_EQ( wall.mYScaleFactor, 2.0f );
		wall.mVelocity = { 100.0f, 0.0f };
		wall.mPosition = { 3.0f, 4.0f };
		mPhysics.Integrate( 0.016f );
		EXPECT_EQ( wall.mPosition, Vector2( 3.0f, 4.0f ) );
		const glm::vec3 centre = Tarn::TransformCoord( glm::vec3( 0.0f ), wall.GetWorldMatrix() );
		EXPECT_FLOAT_EQ( centre.x, 3.0f );
		EXPECT_FLOAT_EQ( centre.y, 4.0f );
	}

	TEST_F( TransformMotion, WorldMatrixScalesThenTurnsThenMoves )
	{
		TransformComponent& t = Make( "SomethingElse" );
		t.mXScaleFactor = 2.0f;
		t.mYScaleFactor = 3.0f;
		t.mDirection = Tarn::kPi / 2.0f;
		t.mPosition = { 10.0f, 5.0f };
		t.UpdateWorldMatrix();
		// (1, 1) scaled to (2, 3), turned a quarter to (-3, 2), moved to (7, 7).
		const glm::vec4 point = glm::vec4( 1.0f, 1.0f, 0.0f, 1.0f ) * t.GetWorldMatrix();
		EXPECT_NEAR( point.x, 7.0f, 1e-5f );
		EXPECT_NEAR( point.y, 7.0f, 1e-5f );
		EXPECT_EQ( point.z, 0.0f );
	}

	TEST_F( TransformMotion, OwnerTableFirstMatchWins )
	{
		TransformComponent& asteroid = Make( "Enemy", "Asteroid3" );
		EXPECT_TRUE( In( mPhysics.Pool( 3 ), asteroid ) );
		EXPECT_EQ( asteroid.mXScaleFactor, 1.1f );
		EXPECT_EQ( asteroid.mPosition, Vector2( 10.0f, 0.0f ) );
		EXPECT_FALSE( In( mPhysics.DynamicTransforms(), asteroid ) );

		TransformComponent& dropper3 = Make( "Enemy", "Dropper3" );
		EXPECT_TRUE( In( mPhysics.DynamicTransforms(), dropper3 ) ) << "the Dropper row needs the exact name";
		EXPECT_EQ( dropper3.mYScaleFactor, 1.0f );

		TransformComponent& dropper = Make( "Enemy", "Dropper" );
		EXPECT_TRUE( In( mPhysics.Pool( 2 ), dropper ) );
		EXPECT_EQ( dropper.mYScaleFactor, 5.0f );

		// A type row above the name rows is met first.
		TransformComponent& player = Make( "Player", "Hand1" );
		EXPECT_TRUE( In( mPhysics.DynamicTransforms(), player ) );
		EXPECT_EQ( player.mXScaleFactor, 1.0f );

		TransformComponent& hand = Make( "Guardian", "Hand1" );
		EXPECT_TRUE( In( mPhysics.Pool( 0 ), hand ) );
		EXPECT_EQ( hand.mXScaleFactor, 3.0f );

		TransformComponent& gate = Make( "GateBarrier" );
		EXPECT_TRUE( In( mPhysics.StaticTransforms(), gate ) );
		EXPECT_TRUE( gate.mHasFriction );
		EXPECT_EQ( gate.mTransType, 1 );

		// The inanimate row leaves friction as it was.
		mOwners.push_back( std::make_unique<Owner>( "InanimateObject", "Rock" ) );
		mTransforms.push_back( std::make_unique<TransformComponent>( mOwners.back().get() ) );
		mTransforms.back()->mHasFriction = true;
		mTransforms.back()->Initialise();
		EXPECT_TRUE( mTransforms.back()->mHasFriction );
		EXPECT_TRUE( mTransforms.back()->mActive );

		TransformComponent& scenery = Make( "Scenery" );
		EXPECT_FLOAT_EQ( scenery.GetWorldMatrix()[0][0], 100.0f ) << "scenery builds its matrix at once";
	}

	TEST_F( TransformMotion, ShutdownLeavesEveryListEvenAfterTheTypeChanged )
	{
		TransformComponent& t = Make( "Mirror" );
		TransformComponent& part = Make( "Guardian", "Foot2" );
		t.mTransType = 1; // as a level file may set it after initialisation
		t.Shutdown();
		part.Shutdown();
		EXPECT_FALSE( In( mPhysics.DynamicTransforms(), t ) );
		EXPECT_FALSE( In( mPhysics.Pool( 1 ), part ) );
	}

	TEST_F( TransformMotion, ManagerShutdownEmptiesTheListsButNotThePools )
	{
		Make( "Wall" );
		Make( "Mirror" );
		TransformComponent& lovebug = Make( "Cupid", "Lovebug1" );
		mPhysics.Shutdown();
		EXPECT_TRUE( mPhysics.DynamicTransforms().empty() );
		EXPECT_TRUE( mPhysics.StaticTransforms().empty() );
		EXPECT_TRUE( In( mPhysics.Pool( 3 ), lovebug ) );
		mPhysics.ClearPools();
		EXPECT_TRUE( mPhysics.Pool( 3 ).empty() );
	}

	TEST_F( TransformMotion, DebrisTakesTheFirstIdlePart )
	{
		TransformComponent& first = Make( "Enemy", "Asteroid1" );
		TransformComponent& second = Make( "Enemy", "Asteroid2" );
		mPhysics.LaunchDebris( { 4.0f, 5.0f }, 0.5f );
		EXPECT_TRUE( first.mActive );
		EXPECT_FALSE( second.mActive );
		EXPECT_EQ( first.mPosition, Vector2( 4.0f, 5.0f ) );
		EXPECT_EQ( first.mLifeSpan, 20.0f );
		const float speed = first.mDirection;
		EXPECT_GE( speed, 0.25f );
		EXPECT_LE( speed, 0.5f );
		EXPECT_NEAR( std::hypot( first.mVelocity.X, first.mVelocity.Y ), speed, 1e-5f );
		const float angle = std::atan2( first.mVelocity.Y, first.mVelocity.X );
		EXPECT_GE( angle, 0.5f - 1e-5f );
		EXPECT_LE( angle, 0.5f + 2.0944f );

		mPhysics.LaunchDebris( { 0.0f, 0.0f }, 0.0f );
		EXPECT_TRUE( second.mActive );
		mPhysics.LaunchDebris( { 9.0f, 9.0f }, 0.0f );
		EXPECT_EQ( first.mPosition, Vector2( 4.0f, 5.0f ) ) << "no idle part: nothing is launched";

		// Pool parts are not integrated by the manager; fading stops the active ones.
		mPhysics.Integrate( 1.0f );
		EXPECT_EQ( first.mPosition, Vector2( 4.0f, 5.0f ) );
		mPhysics.FadeBossParts( 0.016f );
		EXPECT_EQ( first.mVelocity, Vector2( 0.0f, 0.0f ) );
	}
}
