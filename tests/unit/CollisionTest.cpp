#include "Core/Object.h"
#include "Core/Serialiser.h"
#include "Physics/CollisionComponent.h"
#include "Physics/CollisionManager.h"
#include "Physics/LineComponent.h"
#include "Physics/TransformComponent.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace
{
	using Physics::CollisionComponent;
	using Physics::CollisionManager;
	using Tarn::HashedName;
	using Tarn::Vector2;
	namespace Shapes = Physics::Shapes;

	constexpr float kDt = 0.016f;

	TEST( CollisionShapes, CirclesTouchAtExactlyTheSumOfTheirRadii )
	{
		Vector2 normal;
		EXPECT_TRUE( Shapes::CirclesTouch( { 0, 0 }, 1.0f, { 3, 0 }, 2.0f, kDt, normal ) );
		EXPECT_FLOAT_EQ( normal.X, -kDt / 3.0f ) << "unit vector from B to A, scaled by dt / d";
		EXPECT_FLOAT_EQ( normal.Y, 0.0f );
		EXPECT_FALSE( Shapes::CirclesTouch( { 0, 0 }, 1.0f, { 3.001f, 0 }, 2.0f, kDt, normal ) );

		// Two circles on the same spot touch, and the normal is a usable zero, not NaN.
		EXPECT_TRUE( Shapes::CirclesTouch( { 2, 2 }, 0.5f, { 2, 2 }, 0.5f, kDt, normal ) );
		EXPECT_EQ( normal, Vector2( 0, 0 ) );
	}

	TEST( CollisionShapes, ACentreOnTheGrownBoxEdgeDoesNotTouchAndTheNormalLeavesByTheNearestSide )
	{
		Vector2 normal;
		// A 4 x 2 box grown by a radius of 0.5: its right side is at x = 2.5, its top at 1.5.
		EXPECT_FALSE( Shapes::CircleInBox( { 2.5f, 0 }, 0.5f, { 0, 0 }, 2.0f, 1.0f, normal ) );
		EXPECT_FALSE( Shapes::CircleInBox( { 0, 1.5f }, 0.5f, { 0, 0 }, 2.0f, 1.0f, normal ) );
		EXPECT_FALSE( Shapes::CircleInBox( { -2.5f, -1.5f }, 0.5f, { 0, 0 }, 2.0f, 1.0f, normal ) );

		ASSERT_TRUE( Shapes::CircleInBox( { 2.4f, 0 }, 0.5f, { 0, 0 }, 2.0f, 1.0f, normal ) );
		EXPECT_FLOAT_EQ( normal.X, 1.0f );
		EXPECT_FLOAT_EQ( normal.Y, 0.0f );
		ASSERT_TRUE( Shapes::CircleInBox( { 0.3f, -1.4f }, 0.5f, { 0, 0 }, 2.0f, 1.0f, normal ) );
		EXPECT_FLOAT_EQ( normal.X, 0.0f );
		EXPECT_FLOAT_EQ( normal.Y, -1.0f );
		ASSERT_TRUE( Shapes::CircleInBox( { -2.2f, 0.5f }, 0.5f, { 0, 0 }, 2.0f, 1.0f, normal ) );
		EXPECT_FLOAT_EQ( normal.X, -1.0f );

		// A box off the origin: its centre moves the test with it.
		EXPECT_TRUE( Shapes::CircleInBox( { 10.1f, 5 }, 0.5f, { 10, 5 }, 2.0f, 1.0f, normal ) );
		EXPECT_FALSE( Shapes::CircleInBox( { 0, 0 }, 0.5f, { 10, 5 }, 2.0f, 1.0f, normal ) );
	}

	TEST( CollisionShapes, AGrownQuadMovesEveryEdgeOutByTheAmount )
	{
		// A rectangle turned by 90 degrees: the same four-edge test must hold.
		const Shapes::Quad turned = { Vector2( 1, -2 ), Vector2( -1, -2 ), Vector2( -1, 2 ), Vector2( 1, 2 ) };
		EXPECT_TRUE( Shapes::PointInQuad( turned, { 0.9f, 1.9f }, nullptr ) );
		EXPECT_FALSE( Shapes::PointInQuad( turned, { 1.2f, 0 }, nullptr ) );
		const Shapes::Quad grown = Shapes::Grow( turned, 0.5f );
		EXPECT_TRUE( Shapes::PointInQuad( grown, { 1.4f, 0 }, nullptr ) );
		EXPECT_TRUE( Shapes::PointInQuad( grown, { 0, 2.4f }, nullptr ) );
		EXPECT_FALSE( Shapes::PointInQuad( grown, { 1.6f, 0 }, nullptr ) );
		EXPECT_FALSE( Shapes::PointInQuad( grown, { 0, -2.6f }, nullptr ) );
	}

	TEST( CollisionShapes, ALineIsTouchedFromItsFrontWithinTheSegment )
	{
		// d = (10, 0): the normal (-dy, dx) / |d| is (0, 1), so the front is above.
		const Vector2 pt1( -5, 0 ), pt2( 5, 0 );
		Vector2 normal;
		EXPECT_FALSE( Shapes::CircleBehindLine( { 0, 1.1f }, 1.0f, pt1, pt2, normal ) );
		ASSERT_TRUE( Shapes::CircleBehindLine( { 0, 0.9f }, 1.0f, pt1, pt2, normal ) );
		EXPECT_EQ( normal, Vector2( 0, -10 ) ) << "(d.y, -d.x), not normalised";
		EXPECT_TRUE( Shapes::CircleBehindLine( { 4.9f, 0.5f }, 1.0f, pt1, pt2, normal ) );
		EXPECT_FALSE( Shapes::CircleBehindLine( { 6.0f, 0.5f }, 1.0f, pt1, pt2, normal ) ) << "past the segment's end";
		EXPECT_FALSE( Shapes::CircleBehindLine( { -6.0f, 0.5f }, 1.0f, pt1, pt2, normal ) );
		// A segment of no length is touched by nothing.
		EXPECT_FALSE( Shapes::CircleBehindLine( { 0, 0 }, 1.0f, pt1, pt1, normal ) );
	}

	// An object of any kind with a transform, a collider and, when asked, a line; it
	// writes down every contact notification it receives.
	class Body : public Tarn::Object
	{
	public:
		Body( const char* type, const char* name, std::vector<std::string>& journal, bool withLine = false )
		    : mJournal( journal ), mWithLine( withLine )
		{
			mType = HashedName( type );
			mName = HashedName( name );
		}

		void Initialise() override
		{
			if ( mWithLine )
				mComponents.AddComponent<Physics::LineComponent>();
			mComponents.AddComponent<Tarn::TransformComponent>();
			mComponents.AddComponent<CollisionComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
		void OnCollisionStart( CollisionComponent* other ) override { Note( "start", other ); }
		void OnCollisionStay( CollisionComponent* other ) override { Note( "stay", other ); }
		void OnCollisionEnd( CollisionComponent* other ) override { Note( "end", other ); }

		Tarn::TransformComponent& Transform() { return *GetComponent<Tarn::TransformComponent>(); }
		CollisionComponent& Collider() { return *GetComponent<CollisionComponent>(); }

		void Place( float x, float y, Vector2 velocity = {} )
		{
			Transform().mPosition = { x, y };
			Transform().mVelocity = velocity;
		}

	private:
		void Note( const char* what, CollisionComponent* other )
		{
			mJournal.push_back( mName.GetName() + " " + what + " " + other->mOwner->mName.GetName() );
		}

		std::vector<std::string>& mJournal;
		bool mWithLine;
	};

	class Collisions : public testing::Test
	{
	protected:
		void SetUp() override { Tarn::Services::Add<CollisionManager>( &mManager ); }

		void TearDown() override
		{
			mBodies.clear();
			Tarn::Services::Remove<CollisionManager>();
		}

		Body& Make( const char* type, const char* name, bool withLine = false )
		{
			mBodies.push_back( std::make_unique<Body>( type, name, mJournal, withLine ) );
			Body& body = *mBodies.back();
			body.Initialise();
			return body;
		}

		Body& MakePlayer( float x, float y, Vector2 velocity = {} )
		{
			Body& player = Make( "Player", "Player1" );
			player.Place( x, y, velocity );
			mManager.SetPlayerCollider( &player.Collider() );
			return player;
		}

		void Destroy( Body& body )
		{
			for ( auto it = mBodies.begin(); it != mBodies.end(); ++it )
			{
				if ( it->get() == &body )
				{
					mBodies.erase( it );
					return;
				}
			}
		}

		size_t Count( const std::string& entry ) const { return std::count( mJournal.begin(), mJournal.end(), entry ); }

		CollisionManager mManager{ nullptr };
		std::vector<std::string> mJournal;
		std::vector<std::unique_ptr<Body>> mBodies;
	};

	TEST_F( Collisions, EachKindOfOwnerGetsItsGroupShapeAndSize )
	{
		Body& gate = Make( "Gate", "Gate" );
		Body& spark = Make( "SwitchEffect", "Spark1" );
		Body& hand = Make( "GuardianHand", "Hand2" );
		Body& wall = Make( "Wall", "Wall1" );
		Body& scenery = Make( "Scenery", "Scenery1" );

		EXPECT_EQ( gate.Collider().mCollisionGroup, CollisionComponent::FIXED );
		EXPECT_EQ( gate.Collider().mCollisionType, CollisionComponent::BOX );
		EXPECT_FLOAT_EQ( gate.Collider().HalfWidth(), 1.0f );
		EXPECT_TRUE( spark.Collider().mInvulnerable );
		EXPECT_EQ( spark.Collider().mCollisionType, CollisionComponent::CIRCLE );
		EXPECT_FLOAT_EQ( hand.Collider().Radius(), 1.5f ) << "boss parts go by the start of their name";
		EXPECT_EQ( wall.Collider().mCollisionType, CollisionComponent::BOX );

		const auto& moving = mManager.Group( CollisionComponent::MOVING );
		const auto& fixed = mManager.Group( CollisionComponent::FIXED );
		EXPECT_EQ( moving, ( std::vector<CollisionComponent*>{ &spark.Collider(), &hand.Collider() } ) );
		EXPECT_EQ( fixed, ( std::vector<CollisionComponent*>{ &gate.Collider(), &wall.Collider() } ) );
		EXPECT_EQ( std::count( moving.begin(), moving.end(), &scenery.Collider() ) +
		               std::count( fixed.begin(), fixed.end(), &scenery.Collider() ),
		           0 )
		    << "a kind that does not collide joins no list";
		EXPECT_EQ( mManager.ColliderNames().size(), 5u );
	}

	TEST_F( Collisions, AColliderWhoseGroupALevelChangedStillLeavesItsListWhenItGoes )
	{
		Body& wall = Make( "Wall", "Wall1" );
		wall.Collider().mCollisionGroup = CollisionComponent::MOVING; // as a level file may say
		ASSERT_EQ( mManager.Group( CollisionComponent::FIXED ).size(), 1u );
		Destroy( wall );
		EXPECT_TRUE( mManager.Group( CollisionComponent::FIXED ).empty() );
		mManager.Step( kDt );
	}

	TEST_F( Collisions, ALastingContactStartsOnceStaysEveryUpdateAndEndsOnce )
	{
		MakePlayer( 0, 0 );
		Body& rock = Make( "InanimateObject", "Rock" );
		rock.Collider().mDefault = false; // no sliding: the player is told instead
		rock.Place( 1.5f, 0 );            // exactly 1 + 0.5 away

		for ( int update = 0; update < 3; ++update )
			mManager.Step( kDt );
		rock.Place( 1.6f, 0 );
		mManager.Step( kDt );
		mManager.Step( kDt );

		const std::vector<std::string> expected = { "Player1 start Rock", "Rock start Player1", "Player1 stay Rock",
			                                        "Player1 stay Rock",  "Player1 stay Rock",  "Player1 end Rock",
			                                        "Rock end Player1" };
		EXPECT_EQ( mJournal, expected );
		EXPECT_TRUE( mManager.MovingPairs().empty() );
	}

	TEST_F( Collisions, OwnersOfTheSameNameShareOnePair )
	{
		MakePlayer( 0, 0 );
		Body& first = Make( "InanimateObject", "Rock" );
		Body& second = Make( "InanimateObject", "Rock" );
		first.Place( 1.0f, 0 );
		second.Place( -1.0f, 0 );
		mManager.Step( kDt );
		EXPECT_EQ( mManager.MovingPairs().size(), 1u );
		EXPECT_EQ( Count( "Player1 start Rock" ), 1u );
		EXPECT_EQ( mManager.MovingPairs().front().mB, &first.Collider() );
	}

	TEST_F( Collisions, TheFlashAlternatesEverySixthOfASecondAndEndsInNormalColour )
	{
		static std::vector<float> tints;
		tints.clear();
		mManager.mHooks.mSetMeshTint = []( Tarn::Object&, float level ) { tints.push_back( level ); };
		Body& rock = Make( "InanimateObject", "Rock" );
		CollisionComponent& collider = rock.Collider();
		collider.mInvulnerable = true;
		collider.mInvulTimer = 1.0f;

		// dt of 1/60: ten visits per sixth of a second.
		std::vector<float> levels;
		while ( collider.mInvulTimer > 0.0f && levels.size() < 100 )
		{
			mManager.Sync( collider, 1.0f / 60.0f );
			levels.push_back( collider.mFlashLevel );
		}
		ASSERT_GE( levels.size(), 59u );
		ASSERT_LE( levels.size(), 61u );
		EXPECT_EQ( levels[0], 300.0f ) << "6 x 1.0 = 6, even: over-bright";
		// Visit i reads t = 1 - i / 60, so 6t = 6 - i / 10.
		EXPECT_EQ( levels[5], 1.0f ) << "5.5: odd";
		EXPECT_EQ( levels[15], 300.0f ) << "4.5: even";
		EXPECT_EQ( levels[25], 1.0f ) << "3.5: odd";
		size_t changes = 0;
		for ( size_t i = 1; i < levels.size(); ++i )
			changes += levels[i] != levels[i - 1];
		EXPECT_GE( changes, 5u );
		EXPECT_LE( changes, 7u );
		EXPECT_EQ( levels.back(), 1.0f );
		EXPECT_FALSE( collider.mInvulnerable );
		EXPECT_EQ( collider.mInvulTimer, 0.0f );
		EXPECT_EQ( tints.size(), levels.size() + 1 ) << "the hook hears every flash and the end";
		EXPECT_EQ( tints.back(), 1.0f );

		// A timer that lands on exactly zero is over as well.
		collider.mInvulnerable = true;
		collider.mInvulTimer = kDt;
		mManager.Sync( collider, kDt );
		EXPECT_FALSE( collider.mInvulnerable );
		EXPECT_EQ( collider.mFlashLevel, 1.0f );
	}

	TEST_F( Collisions, WithOneVisibleBeamAMovingColliderIsSyncedTwicePerUpdate )
	{
		static bool beamVisible = true;
		mManager.mHooks.mBeamShape = []( Tarn::Object&, Shapes::Quad& corners ) {
			corners = Shapes::BoxCorners( { 100, 100 }, 1, 1 );
			return beamVisible;
		};
		Body& player = MakePlayer( 0, 0 );
		Make( "Beam", "Beam1" );
		ASSERT_EQ( mManager.Group( CollisionComponent::BEAM ).size(), 1u );

		auto updatesUntilVulnerable = [&]() {
			player.Collider().mInvulnerable = true;
			player.Collider().mInvulTimer = 4.0f;
			int updates = 0;
			while ( player.Collider().mInvulnerable && updates < 1000 )
			{
				mManager.Step( kDt );
				++updates;
			}
			return updates;
		};
		beamVisible = true;
		const int firing = updatesUntilVulnerable();
		beamVisible = false;
		const int idle = updatesUntilVulnerable();
		EXPECT_NEAR( firing, 125, 1 );
		EXPECT_NEAR( idle, 250, 1 );
	}

	TEST_F( Collisions, ThePlayerSlidesAlongAWall )
	{
		Body& player = MakePlayer( 1.0f, 1.9f, { 3.0f, -2.0f } );
		Body& wall = Make( "Wall", "Wall1" ); // a fixed 4 x 1 box about the origin
		wall.Place( 0, 0 );
		mManager.Step( kDt );

		ASSERT_EQ( mManager.FixedPairs().size(), 1u );
		// Normal (0, 1) out of the top; the velocity into the wall is cancelled by
		// (|Vx| nx, |Vy| ny) = (0, 2) and the player is nudged out by 0.0005.
		EXPECT_FLOAT_EQ( player.Transform().mVelocity.X, 3.0f );
		EXPECT_FLOAT_EQ( player.Transform().mVelocity.Y, 0.0f );
		EXPECT_FLOAT_EQ( player.Transform().mPosition.Y, 1.9005f );
		EXPECT_EQ( wall.Collider().mNormal, Vector2( 0, 2 ) );
		EXPECT_EQ( Count( "Player1 stay Wall1" ), 0u ) << "the default response replaces the stay";

		// Flying away from the wall is left alone.
		player.Place( 1.0f, 1.9f, { 3.0f, 2.0f } );
		mManager.Step( kDt );
		EXPECT_FLOAT_EQ( player.Transform().mVelocity.Y, 2.0f );
	}

	TEST_F( Collisions, AMovingCircleTakesAwayThePlayersVelocityAlongTheNormalAndPushesIt )
	{
		Body& player = MakePlayer( 0, 0, { 1.0f, 0.5f } );
		Body& rock = Make( "InanimateObject", "Rock" );
		rock.Place( 1.2f, 0, { -2.0f, 0 } );
		mManager.Step( kDt );

		// n from the rock to the player is (-1, 0): V - (V.n)n = (0, 0.5); the rock moves
		// along n, so n |B.V| = (-2, 0) is added.
		EXPECT_FLOAT_EQ( player.Transform().mVelocity.X, -2.0f );
		EXPECT_FLOAT_EQ( player.Transform().mVelocity.Y, 0.5f );

		// A circle moving away only stops the player's approach.
		player.Place( 0, 0, { 1.0f, 0.5f } );
		rock.Place( 1.2f, 0, { 2.0f, 0 } );
		mManager.Step( kDt );
		EXPECT_FLOAT_EQ( player.Transform().mVelocity.X, 0.0f );
		EXPECT_FLOAT_EQ( player.Transform().mVelocity.Y, 0.5f );
	}

	TEST_F( Collisions, ALineBoundPushesThePlayerBackOutOfItsFront )
	{
		Body& player = MakePlayer( 0, 0.5f, { 1.0f, -3.0f } );
		Body& bound = Make( "LineObject", "Bottom", true );
		auto* line = bound.GetComponent<Physics::LineComponent>();
		line->mPt1 = { -5, 0 };
		line->mPt2 = { 5, 0 };
		bound.Transform().mActive = true;
		mManager.Step( kDt );

		ASSERT_EQ( mManager.FixedPairs().size(), 1u );
		EXPECT_FLOAT_EQ( player.Transform().mVelocity.X, 1.0f );
		EXPECT_FLOAT_EQ( player.Transform().mVelocity.Y, 0.0f );
		EXPECT_FLOAT_EQ( player.Transform().mPosition.Y, 0.5f ) << "no nudge for a line";
	}

	TEST_F( Collisions, AGateCatchesOnlyVulnerableSparks )
	{
		Body& gate = Make( "Gate", "Gate" );
		Body& spark = Make( "SwitchEffect", "Spark1" );
		gate.Place( 0, 0 );
		spark.Place( 0.5f, 0 );
		mManager.Step( kDt );
		EXPECT_TRUE( mManager.FixedPairs().empty() ) << "an idle spark is invulnerable";

		spark.Collider().mInvulnerable = false; // launched
		mManager.Step( kDt );
		EXPECT_EQ( Count( "Spark1 start Gate" ), 1u );
		EXPECT_EQ( Count( "Gate start Spark1" ), 1u );
	}

	TEST_F( Collisions, AnObjectDestroyedInContactEndsItForTheOtherAndLeavesNoPairBehind )
	{
		MakePlayer( 0, 0 );
		Body& rock = Make( "InanimateObject", "Rock" );
		rock.Place( 1.0f, 0 );
		mManager.Step( kDt );
		ASSERT_EQ( mManager.MovingPairs().size(), 1u );
		Destroy( rock );
		EXPECT_TRUE( mManager.MovingPairs().empty() );
		EXPECT_EQ( Count( "Player1 end Rock" ), 1u );
		mManager.Step( kDt );
		EXPECT_EQ( Count( "Player1 end Rock" ), 1u );
	}

	TEST_F( Collisions, ClearForgetsMovingAndFixedCollidersAndPairsWithoutEnds )
	{
		MakePlayer( 0, 0 );
		Make( "InanimateObject", "Rock" ).Place( 1.0f, 0 );
		Make( "Beam", "Beam1" );
		mManager.Step( kDt );
		mJournal.clear();
		mManager.Clear();
		EXPECT_TRUE( mManager.Group( CollisionComponent::MOVING ).empty() );
		EXPECT_TRUE( mManager.Group( CollisionComponent::FIXED ).empty() );
		EXPECT_EQ( mManager.Group( CollisionComponent::BEAM ).size(), 1u );
		EXPECT_TRUE( mManager.MovingPairs().empty() );
		EXPECT_TRUE( mJournal.empty() );
	}

	TEST( CollisionComponentFile, RadiusAndLength1AreBothWrittenAndLength1IsKept )
	{
		Tarn::FileSystem& files = KelvaneTest::SharedFileSystem( { "CollisionComponent" } );
		Tarn::ResourceRecord* exchange = files.GetResource( "CollisionComponent" );
		ASSERT_NE( exchange, nullptr );
		std::vector<std::string> journal;
		Body source( "Scenery", "Source", journal );
		source.Initialise();
		CollisionComponent& written = source.Collider();
		written.mCentre = { 1.5f, -2 };
		written.mPreviousPosition = { 0.25f, 3 };
		written.mVelocity = { -4, 5 };
		written.mCollisionGroup = 1;
		written.mCollisionType = CollisionComponent::CIRCLE;
		written.mCollisionData = { 2.5f, 0.75f };
		written.mInvulnerable = true;
		written.mInvulTimer = 3.5f;
		written.mTopLeft = { -1, 1 };
		written.mBottomRight = { 1, -1 };
		written.mDefault = false;
		written.Serialise( *exchange );
		const std::string text = KelvaneTest::ReadWholeFile( exchange->mPath );
		EXPECT_NE( text.find( "Radius=\"2.5\" Length1=\"2.5\" Length2=\"0.75\"" ), std::string::npos ) << text;
		EXPECT_NE( text.find( "CollisionType=\"2\"" ), std::string::npos ) << text;

		Body target( "Scenery", "Target", journal );
		target.Initialise();
		CollisionComponent& read = target.Collider();
		read.Deserialise( *exchange );
		EXPECT_EQ( read.mCentre, written.mCentre );
		EXPECT_EQ( read.mPreviousPosition, written.mPreviousPosition );
		EXPECT_EQ( read.mVelocity, written.mVelocity );
		EXPECT_EQ( read.mCollisionGroup, 1 );
		EXPECT_EQ( read.mCollisionType, CollisionComponent::CIRCLE );
		EXPECT_EQ( read.mCollisionData, written.mCollisionData );
		EXPECT_TRUE( read.mInvulnerable );
		EXPECT_FLOAT_EQ( read.mInvulTimer, 3.5f );
		EXPECT_EQ( read.mTopLeft, written.mTopLeft );
		EXPECT_EQ( read.mBottomRight, written.mBottomRight );
		EXPECT_FALSE( read.mDefault );

		KelvaneTest::WriteWholeFile( exchange->mPath,
		                             "<ObjectComponent Name=\"CollisionComponent\"><mCollisionData Radius=\"3\" Length1=\"5\" "
		                             "Length2=\"1\"/></ObjectComponent>" );
		read.Deserialise( *exchange );
		EXPECT_FLOAT_EQ( read.Radius(), 5.0f );
		EXPECT_TRUE( !read.mDefault ) << "a missing value reads as false";
	}
}
