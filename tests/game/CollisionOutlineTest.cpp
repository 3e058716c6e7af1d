#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "DebugTools/CollisionDebugComponent.h"
#include "DebugTools/DebugToolsManager.h"
#include "Graphics/GraphicsManager.h"
#include "Physics/CollisionComponent.h"
#include "Physics/LineComponent.h"
#include "Physics/TransformComponent.h"
#include "Platform/RecordingRenderDevice.h"
#include "Platform/TweakBar.h"
#include "Utilities/FileSystem.h"
#include "core/Matrices.h"
#include "core/MathConstants.h"
#include "core/Services.h"
#include "support/InputHarness.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace
{
	using Tarn::CollisionDebugComponent;
	using Tarn::DebugToolsManager;
	using Physics::CollisionComponent;
	using Tarn::kPi;

	// A collider with an outline, as the game's objects carry one.
	class Outlined : public Tarn::Object
	{
		TARN_CLASS_NAME( TestOutlined )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<Tarn::TransformComponent>();
			mComponents.AddComponent<CollisionComponent>();
			mComponents.AddComponent<Physics::LineComponent>();
			mComponents.AddComponent( Tarn::HashedName( "CollisionDebugComponent" ) );
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
		CollisionComponent& Collider() { return *GetComponent<CollisionComponent>(); }
		CollisionDebugComponent& Outline() { return *GetComponent<CollisionDebugComponent>(); }
	};

	class CollisionOutlines : public testing::Test
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::SharedFileSystem( { "CollisionDebugComponent" } );
			Tarn::TypeRegistry::Instance().RegisterObjectType( Outlined::ClassHashedName(),
			                                                   []() -> Tarn::Object* { return new Outlined(); } );
			mGame = std::make_unique<KelvaneTest::InputHarness>( Tarn::LaunchOptions(), false );
			mGame->Project().CreateComponents();
			mGame->Initialise();
			mManager = Tarn::Services::Get<DebugToolsManager>();
			ASSERT_NE( mManager, nullptr );
			auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
			ASSERT_NE( graphics, nullptr );
			mDevice = dynamic_cast<Platform::RecordingRenderDevice*>( graphics->GetDevice() );
			ASSERT_NE( mDevice, nullptr );
		}

		void TearDown() override { mGame.reset(); }

		// An outlined object whose collider takes the settings of `type`.
		Outlined* Make( const char* name, const char* type )
		{
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			Tarn::Object* object = objects.CreateObject( Outlined::ClassHashedName(), name );
			object->mType = Tarn::HashedName( type );
			objects.InitialiseObject( object );
			return static_cast<Outlined*>( object );
		}

		void Press( uint32_t key )
		{
			mGame->Window().mOnKeyDown.Raise( key );
			mGame->Step();
			mGame->Window().mOnKeyUp.Raise( key );
			mGame->Step();
		}

		std::vector<Platform::RecordingRenderDevice::DrawRecord> Frame()
		{
			mDevice->mDraws.clear();
			Tarn::GameProject& project = mGame->Project();
			EXPECT_TRUE( project.BeginDraw() );
			project.Draw( project.GetGameTime() );
			project.EndDraw();
			return mDevice->mDraws;
		}

		std::unique_ptr<KelvaneTest::InputHarness> mGame;
		DebugToolsManager* mManager = nullptr;
		Platform::RecordingRenderDevice* mDevice = nullptr;
	};

	TEST( CollisionOutlineShapes, CircleSegmentCountsFollowTheRadiusAndStayBounded )
	{
		EXPECT_EQ( CollisionDebugComponent::CircleSegmentCount( 1.0f ), 16 );  // n is exactly 16
		EXPECT_EQ( CollisionDebugComponent::CircleSegmentCount( 10.0f ), 19 ); // n is 18.7
		EXPECT_EQ( CollisionDebugComponent::CircleSegmentCount( 0.0f ), 16 );  // n is 15.7
		EXPECT_EQ( CollisionDebugComponent::CircleSegmentCount( 1.0e30f ), CollisionDebugComponent::kMaxCircleSegments );
		EXPECT_EQ( CollisionDebugComponent::CircleSegmentCount( std::numeric_limits<float>::quiet_NaN() ), 0 );
		EXPECT_EQ( CollisionDebugComponent::CircleSegmentCount( -100.0f ), 0 );
	}

	TEST( CollisionOutlineShapes, EachCollisionTypeHasItsOwnPicture )
	{
		EXPECT_STREQ( CollisionDebugComponent::TextureFor( CollisionComponent::BOX ), "resource/debug-aabb.png" );
		EXPECT_STREQ( CollisionDebugComponent::TextureFor( CollisionComponent::CIRCLE ), "resource/debug-circle.png" );
		EXPECT_STREQ( CollisionDebugComponent::TextureFor( CollisionComponent::LINE ), "resource/debug_line.png" );
		EXPECT_STREQ( CollisionDebugComponent::TextureFor( 1 ), "" );
	}

	TEST_F( CollisionOutlines, ACircleIsRingedBySegmentsOfAThirdOfItsRadius )
	{
		Outlined* mirror = Make( "OutlineMirror", "Mirror" );
		EXPECT_EQ( mirror->Outline().GetTextureName(), "resource/debug-circle.png" );
		mirror->Collider().mCentre = Tarn::Vector2( 2.0f, -1.0f );
		mirror->Collider().mCollisionData[0] = 10.0f;
		const auto segments = mirror->Outline().Outline();
		ASSERT_EQ( segments.size(), 19u );
		for ( size_t i = 0; i < segments.size(); ++i )
		{
			const float dx = segments[i].mCentre.X - 2.0f, dy = segments[i].mCentre.Y + 1.0f;
			EXPECT_NEAR( std::sqrt( dx * dx + dy * dy ), 10.0f, 1e-4f ) << i;
			EXPECT_NEAR( segments[i].mLength, 10.0f / 3.0f, 1e-5f );
			// Each runs along the circle, across the line from the centre.
			EXPECT_NEAR( dx * std::cos( segments[i].mAngle ) + dy * std::sin( segments[i].mAngle ), 0.0f, 1e-3f ) << i;
		}
		// The last one stops short of closing the ring, where n is not whole.
		EXPECT_NEAR( std::atan2( segments.back().mCentre.Y + 1.0f, segments.back().mCentre.X - 2.0f ) + 2.0f * kPi,
		             18.0f * 2.0f * kPi / 18.7f, 1e-3f );
	}

	TEST_F( CollisionOutlines, BoxesAndLinesAreOutlinedWhereTheyCollide )
	{
		Outlined* gate = Make( "OutlineGate", "Gate" );
		EXPECT_EQ( gate->Outline().GetTextureName(), "resource/debug-aabb.png" );
		gate->Collider().mCentre = Tarn::Vector2( 3.0f, 4.0f );
		gate->Collider().mCollisionData = { 2.0f, 1.0f };
		auto edges = gate->Outline().Outline();
		ASSERT_EQ( edges.size(), 4u );
		const float expected[4][3] = { { 5, 4, 2 }, { 3, 5, 4 }, { 1, 4, 2 }, { 3, 3, 4 } };
		for ( size_t k = 0; k < 4; ++k )
		{
			EXPECT_NEAR( edges[k].mCentre.X, expected[k][0], 1e-5f ) << k;
			EXPECT_NEAR( edges[k].mCentre.Y, expected[k][1], 1e-5f ) << k;
			EXPECT_NEAR( edges[k].mLength, expected[k][2], 1e-5f ) << k;
		}

		// An oriented box turns with its owner; an axis-aligned one does not.
		gate->GetComponent<Tarn::TransformComponent>()->mDirection = kPi * 0.5f;
		EXPECT_NEAR( gate->Outline().Outline()[0].mCentre.X, 5.0f, 1e-5f );
		gate->Collider().mCollisionType = 1;
		edges = gate->Outline().Outline();
		EXPECT_NEAR( edges[0].mCentre.X, 3.0f, 1e-5f );
		EXPECT_NEAR( edges[0].mCentre.Y, 6.0f, 1e-5f );

		Outlined* wall = Make( "OutlineWall", "LineObject" );
		EXPECT_EQ( wall->Outline().GetTextureName(), "resource/debug_line.png" );
		auto& line = *wall->GetComponent<Physics::LineComponent>();
		line.mPt1 = Tarn::Vector2( 0.0f, 2.0f );
		line.mPt2 = Tarn::Vector2( 0.0f, -2.0f );
		const auto segments = wall->Outline().Outline();
		ASSERT_EQ( segments.size(), 1u );
		EXPECT_NEAR( segments[0].mLength, 4.0f, 1e-5f );
		EXPECT_NEAR( std::fabs( std::sin( segments[0].mAngle ) ), 1.0f, 1e-5f );
		EXPECT_NEAR( segments[0].mCentre.Y, 0.0f, 1e-5f );

		// A shape without an outline draws nothing and keeps the mesh's texture.
		wall->Collider().mCollisionType = 7;
		EXPECT_TRUE( wall->Outline().Outline().empty() );
	}

	TEST_F( CollisionOutlines, TheToggleKeyShowsAndHidesEveryLiveOutline )
	{
		Outlined* first = Make( "OutlineFirst", "Mirror" );
		EXPECT_FALSE( first->Outline().mVisible );
		EXPECT_EQ( first->Outline().mDrawOrder, CollisionDebugComponent::kDrawLayer );
		EXPECT_TRUE( Frame().empty() );

		Press( DebugToolsManager::kToggleKey );
		EXPECT_TRUE( mManager->mDebugVisible );
		EXPECT_TRUE( first->Outline().mVisible );
		// Outlines made while the switch is on start visible.
		Outlined* second = Make( "OutlineSecond", "Gate" );
		EXPECT_TRUE( second->Outline().mVisible );
		EXPECT_EQ( mManager->Components().size(), 2u );
		EXPECT_EQ( Frame().size(), 16u + 4u );

		Press( Tarn::Key::F1 + 3 ); // another key leaves them alone
		EXPECT_TRUE( second->Outline().mVisible );
		Press( DebugToolsManager::kToggleKey );
		EXPECT_FALSE( mManager->mDebugVisible );
		EXPECT_FALSE( first->Outline().mVisible );
		EXPECT_FALSE( second->Outline().mVisible );
		EXPECT_TRUE( Frame().empty() );
	}

	TEST_F( CollisionOutlines, SegmentsAreDrawnUntexturedWhereTheOutlineLies )
	{
		Outlined* mirror = Make( "OutlineDrawn", "Mirror" );
		mirror->Collider().mCentre = Tarn::Vector2( 1.0f, 1.0f );
		mirror->Collider().mCollisionData[0] = 1.0f;
		mirror->Outline().mVisible = true;
		const auto draws = Frame();
		const auto segments = mirror->Outline().Outline();
		ASSERT_EQ( draws.size(), segments.size() );
		const glm::mat4 viewProjection = mDevice->GetTransform( Platform::TransformKind::View ) *
		                                 mDevice->GetTransform( Platform::TransformKind::Projection );
		for ( size_t i = 0; i < draws.size(); ++i )
		{
			EXPECT_EQ( draws[i].mTexture, 0u );
			// The middle of the unit quad lands on the segment's middle; its end on the
			// segment's end.
			const glm::vec3 middle = Tarn::TransformCoord( glm::vec3( 0, 0, 0 ), draws[i].mWorldViewProj );
			const glm::vec3 wanted =
			    Tarn::TransformCoord( glm::vec3( segments[i].mCentre.X, segments[i].mCentre.Y, 0 ), viewProjection );
			EXPECT_NEAR( middle.x, wanted.x, 1e-4f ) << i;
			EXPECT_NEAR( middle.y, wanted.y, 1e-4f ) << i;
			const float half = segments[i].mLength * 0.5f;
			const glm::vec3 end = Tarn::TransformCoord( glm::vec3( 0.5f, 0, 0 ), draws[i].mWorldViewProj );
			const glm::vec3 endWanted = Tarn::TransformCoord(
			    glm::vec3( segments[i].mCentre.X + std::cos( segments[i].mAngle ) * half,
			               segments[i].mCentre.Y + std::sin( segments[i].mAngle ) * half, 0 ),
			    viewProjection );
			EXPECT_NEAR( end.x, endWanted.x, 1e-4f ) << i;
			EXPECT_NEAR( end.y, endWanted.y, 1e-4f ) << i;
		}
	}

	TEST_F( CollisionOutlines, AnOutlineLeavesTheManagerWhenItsObjectGoes )
	{
		Outlined* gone = Make( "OutlineGone", "Mirror" );
		Make( "OutlineStays", "Gate" );
		ASSERT_EQ( mManager->Components().size(), 2u );
		Tarn::ObjectManager::Instance().DestroyObject( gone->GetName() );
		Tarn::ObjectManager::Instance().ProcessDestroyQueue();
		ASSERT_EQ( mManager->Components().size(), 1u );
		EXPECT_EQ( mManager->Components()[0]->GetOwner()->GetName(), Tarn::HashedName( "OutlineStays" ) );
		mManager->Shutdown();
		EXPECT_TRUE( mManager->Components().empty() );
	}

	TEST_F( CollisionOutlines, TheDrawOrderTravelsThroughTheExchangeFileAndTheBarOpens )
	{
		Outlined* source = Make( "OutlineSource", "Mirror" );
		source->Outline().mDrawOrder = 5;
		Tarn::ResourceRecord* record = Tarn::FileSystem::Instance().GetResource( "CollisionDebugComponent" );
		ASSERT_NE( record, nullptr );
		source->Outline().Serialise( *record );
		Outlined* copy = Make( "OutlineCopy", "Mirror" );
		copy->Outline().Deserialise( *record );
		EXPECT_EQ( copy->Outline().mDrawOrder, 5 );
		// Whether outlines show is the switch's business, not the file's.
		EXPECT_FALSE( copy->Outline().mVisible );

		const Tarn::TweakCallback open = copy->Outline().GetTweakCallback();
		ASSERT_NE( open, nullptr );
		open( &copy->Outline() );
		EXPECT_NE( Platform::FindTweakBar( "OutlineCopy's CollisionDebugComponent" ), nullptr );
	}
}
