// The energy beam in the headless game: the mouse through the window's events, the
// collision passes, mirrors, channels and prisms as the level files build them.
#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Game/BeamComponent.h"
#include "Game/MirrorComponent.h"
#include "Game/Player.h"
#include "Game/VertexComponent.h"
#include "GameStates/LevelManager.h"
#include "GameStates/SoundManager.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/ContentNames.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/Matrices.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/LineComponent.h"
#include "Physics/TransformComponent.h"
#include "Platform/RecordingRenderDevice.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/TileRoutines.h"
#include "core/MathConstants.h"
#include "core/Services.h"
#include "support/InputHarness.h"
#include "support/LevelFiles.h"
#include "support/StandIns.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
	using Physics::CollisionComponent;
	using StateMachines::MineComponent;
	using Tarn::BeamComponent;
	using Tarn::HashedName;
	using Tarn::kPi;
	using Tarn::TransformComponent;
	using Tarn::Vector2;

	constexpr float kDt = 0.016f;

	// A tutorial prompt: found by its name, driven through its machine.
	class Prompt : public Tarn::Object
	{
		TARN_CLASS_NAME( TestBeamPrompt )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<StateMachines::StateMachineComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
	};

	TEST( BeamSource, FollowsFromTheBeamsName )
	{
		EXPECT_EQ( BeamComponent::SourceNameFor( "EnergyBeam1" ), "Player1" );
		EXPECT_EQ( BeamComponent::SourceNameFor( "EnergyBeam3" ), "Mirror2" );
		EXPECT_EQ( BeamComponent::SourceNameFor( "EnergyBeam12" ), "Mirror11" );
		EXPECT_EQ( BeamComponent::SourceNameFor( "EnergyBeam4", true ), "Channel3" );
		// Names outside the rule fire from the player.
		for ( const char* name : { "EnergyBeam", "EnergyBeam0", "EnergyBeam2b", "Beam7", "" } )
			EXPECT_EQ( BeamComponent::SourceNameFor( name ), "Player1" ) << name;
	}

	class BeamInGame : public testing::Test
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::SharedFileSystem();
			KelvaneTest::RegisterObjectType<Prompt>();
			mGame = std::make_unique<KelvaneTest::InputHarness>( Tarn::LaunchOptions(), false );
			mGame->Project().CreateComponents();
			mGame->Initialise();
			mGame->Project().GetGameTime().ElapsedSeconds = kDt;
			Create( "Player", "Player1", { 0, 0 } );
			Create( "Beam", "EnergyBeam1", { 0, 0 } );
			Create( "BeamEffect", "BeamEffect1", { 0, 0 } );
			// The pointer is found in the world through the view of the last frame.
			Tarn::GameProject& project = mGame->Project();
			ASSERT_TRUE( project.BeginDraw() );
			project.Draw( project.GetGameTime() );
			project.EndDraw();
		}

		void TearDown() override
		{
			Tarn::ObjectManager::Instance().DestroyAll();
			mGame.reset();
		}

		static Tarn::Object* Find( const char* name ) { return Tarn::ObjectManager::Instance().GetObject( HashedName( name ) ); }

		static Tarn::Object* Create( const char* type, const char* name, Vector2 at )
		{
			Tarn::Object* object = KelvaneTest::MakeObject( type, name );
			if ( !object )
				return nullptr;
			if ( auto* transform = object->GetComponent<TransformComponent>() )
				transform->mPosition = transform->mPrevPos = at;
			return object;
		}

		// A mirror whose face runs along `angle`; it reflects from the side its normal
		// points away from.
		static Tarn::Object* MakeMirror( const char* name, Vector2 at, float angle )
		{
			Tarn::Object* mirror = Create( "Mirror", name, at );
			auto* line = mirror->GetComponent<Physics::LineComponent>();
			line->mScale = 1.0f;
			line->mAngle = angle;
			line->Rotate( 0.0f );
			return mirror;
		}

		// A blue mine: a mine that the level makes blue.
		static void MakeBlueMine( const char* name, Vector2 at )
		{
			Create( "Mine", name, at );
			Machine( name ).mAI = StateMachines::Routine::BlueMine;
		}

		static BeamComponent& Beam( const char* name ) { return *Find( name )->GetComponent<BeamComponent>(); }
		static TransformComponent& Transform( const char* name ) { return *Find( name )->GetComponent<TransformComponent>(); }
		static CollisionComponent& Collider( const char* name ) { return *Find( name )->GetComponent<CollisionComponent>(); }
		static Graphics::MeshComponent& Mesh( const char* name ) { return *Find( name )->GetComponent<Graphics::MeshComponent>(); }
		static MineComponent& Machine( const char* name ) { return *Find( name )->GetComponent<MineComponent>(); }
		static float Length( const char* beam ) { return Transform( beam ).mYScaleFactor; }
		static const char* TargetOf( const char* beam )
		{
			const CollisionComponent* target = Beam( beam ).Target();
			return target ? target->mOwner->GetName().GetName().c_str() : "";
		}
		// The way a beam points: from its source toward its tip.
		static Vector2 Heading( const char* beam )
		{
			const float direction = Transform( beam ).mDirection + kPi * 0.5f;
			return Vector2( std::cos( direction ), std::sin( direction ) );
		}

		// The window pixel that shows a world point.
		std::pair<int32_t, int32_t> ScreenOf( Vector2 world )
		{
			Platform::RenderDevice* device = Tarn::Services::Get<Graphics::GraphicsManager>()->GetDevice();
			const Graphics::Matrix viewProjection = device->GetTransform( Platform::TransformKind::View ) *
			                                        device->GetTransform( Platform::TransformKind::Projection );
			const glm::vec3 ndc = Graphics::TransformCoord( { world.X, world.Y, 0.0f }, viewProjection );
			const Platform::Viewport viewport = device->GetViewport();
			return { static_cast<int32_t>( std::lround( ( ndc.x + 1.0f ) * 0.5f * float( viewport.mWidth ) ) ),
				     static_cast<int32_t>( std::lround( ( 1.0f - ndc.y ) * 0.5f * float( viewport.mHeight ) ) ) };
		}

		void PointAt( Vector2 world )
		{
			const auto [x, y] = ScreenOf( world );
			mGame->Window().mOnMouseMove.Raise( x, y );
		}
		void Press( Vector2 world, int32_t button = 1 )
		{
			PointAt( world );
			const auto [x, y] = ScreenOf( world );
			mGame->Window().mOnMouseDown.Raise( x, y, button );
		}
		void Release( int32_t button = 1 )
		{
			auto& mouse = mGame->Mouse();
			mGame->Window().mOnMouseUp.Raise( mouse.GetX(), mouse.GetY(), button );
		}
		void Step( int steps = 1 ) { mGame->Step( steps ); }

		std::unique_ptr<KelvaneTest::InputHarness> mGame;
	};

	TEST_F( BeamInGame, ThePointerIsFoundInTheWorldWhereTheCameraShowsIt )
	{
		const auto [x, y] = ScreenOf( { 7.0f, -3.0f } );
		const glm::vec2 world = Tarn::Services::Get<Graphics::GraphicsManager>()->ScreenToWorld( float( x ), float( y ) );
		EXPECT_NEAR( world.x, 7.0f, 0.05f );
		EXPECT_NEAR( world.y, -3.0f, 0.05f );
	}

	TEST_F( BeamInGame, WithNothingInReachItGrowsTowardFullReachAndNeverPassesIt )
	{
		EXPECT_FALSE( Mesh( "EnergyBeam1" ).mVisible );
		Press( { 10, 0 } );
		Step();
		// Two held updates a step, each adding 3.2 % of what is left of 50.
		EXPECT_NEAR( Length( "EnergyBeam1" ), 1.6f + 0.032f * ( 50.0f - 1.6f ), 1e-4f );
		EXPECT_TRUE( Mesh( "EnergyBeam1" ).mVisible );
		EXPECT_TRUE( Mesh( "BeamEffect1" ).mVisible );
		EXPECT_NEAR( Heading( "EnergyBeam1" ).X, 1.0f, 1e-3f );

		float longest = 0.0f;
		for ( int i = 0; i < 1000; ++i )
		{
			Step();
			EXPECT_GE( Length( "EnergyBeam1" ), longest );
			longest = Length( "EnergyBeam1" );
		}
		EXPECT_LE( longest, BeamComponent::kMaxLengthScale );
		EXPECT_GT( longest, 49.9f );
		// Faded in, and the muzzle flare half a unit out toward the pointer.
		EXPECT_GE( Mesh( "EnergyBeam1" ).mColour.a, 1.0f );
		EXPECT_NEAR( Transform( "BeamEffect1" ).mPosition.X, 0.5f, 1e-3f );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string() );
	}

	TEST_F( BeamInGame, TheNearerOfTwoPrismsTakesTheLockAndAFartherOneNeverDoes )
	{
		Create( "InanimateObject", "Prism1", { 10, 0 } );
		Create( "InanimateObject", "Prism2", { 6, 0 } );
		Press( { 20, 0 } );
		Step( 60 );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Prism2" ) );
		// The sprite stops 0.3 short of the prism's centre.
		EXPECT_NEAR( Length( "EnergyBeam1" ), 2.0f * ( 6.0f - 0.3f ), 1e-3f );
		EXPECT_EQ( Machine( "Prism2" ).mState, StateMachines::STATE_NONE );
		EXPECT_EQ( Machine( "Prism1" ).mState, StateMachines::STATE_NORMAL );
		// The lit prism shows its lit sheet, shimmering over its last frames, and sparks.
		auto* animation = Find( "Prism2" )->GetComponent<Graphics::AnimationComponent>();
		EXPECT_EQ( animation->GetXmlFileName(), StateMachines::kLitPrismSheetXml );
		EXPECT_EQ( animation->GetStartFrame(), 8 );
		EXPECT_EQ( animation->GetEndFrame(), 14 );
		EXPECT_EQ( Mesh( "Prism2" ).GetTextureName(), "resource/square2.png" );
		EXPECT_GT( Find( "Prism2" )->GetComponent<Graphics::EmitterComponent>()->LiveParticleCount(), 0 );

		// A prism just past the lock but still inside the beam's reach touches it and is
		// farther: the lock stays.
		Create( "InanimateObject", "Prism3", { 6.0f, 0.55f } );
		Step( 10 );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Prism2" ) );
		EXPECT_EQ( Machine( "Prism3" ).mState, StateMachines::STATE_NORMAL );
	}

	TEST_F( BeamInGame, ReleasingResetsTheBeamAndGivesThePrismItsIdleLookBack )
	{
		Create( "InanimateObject", "Prism1", { 5, 0 } );
		Press( { 5, 0 } );
		Step( 30 );
		ASSERT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Prism1" ) );

		Release();
		Step();
		EXPECT_EQ( Length( "EnergyBeam1" ), 0.0f );
		EXPECT_FALSE( Mesh( "EnergyBeam1" ).mVisible );
		EXPECT_FALSE( Mesh( "BeamEffect1" ).mVisible );
		EXPECT_EQ( Mesh( "EnergyBeam1" ).mColour.a, 0.0f );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string() );
		EXPECT_EQ( Machine( "Prism1" ).mState, StateMachines::STATE_NORMAL );
		// Its machine puts the gleaming tile back, held until its next gleam.
		auto* animation = Find( "Prism1" )->GetComponent<Graphics::AnimationComponent>();
		EXPECT_EQ( animation->GetXmlFileName(), StateMachines::kGleamSheetXml );
		EXPECT_TRUE( animation->IsPaused() );
		EXPECT_EQ( Mesh( "Prism1" ).GetTextureName(), StateMachines::kGleamTexture );

		// The next press grows the beam from nothing: one held update is 1.6 long.
		Press( { -5, 0 } );
		mGame->Mouse().Update( mGame->Project().GetGameTime() );
		EXPECT_NEAR( Length( "EnergyBeam1" ), 1.6f, 1e-4f );
	}

	TEST_F( BeamInGame, ControlsTakenWhileItFiresCutItAndItGrowsAgainWhenTheyComeBack )
	{
		Create( "InanimateObject", "Prism1", { 7, 0 } );
		Press( { 7, 0 } );
		Step( 60 );
		ASSERT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Prism1" ) );
		ASSERT_TRUE( Mesh( "EnergyBeam1" ).mVisible );

		// A cinematic takes the controls with the button still down.
		auto* ship = Tarn::ObjectManager::Instance().GetObjectOfType<Tarn::Player>( HashedName( "Player1" ) );
		ASSERT_NE( ship, nullptr );
		ship->HoldControls( true );
		Step();
		EXPECT_FALSE( Mesh( "EnergyBeam1" ).mVisible );
		EXPECT_FALSE( Mesh( "BeamEffect1" ).mVisible );
		EXPECT_EQ( Length( "EnergyBeam1" ), 0.0f );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string() ) << "the prism is let go";
		Step( 30 );
		EXPECT_FALSE( Mesh( "EnergyBeam1" ).mVisible ) << "nothing fires while the controls are held";

		// Given back with the button still down, the beam grows again from nothing.
		ship->HoldControls( false );
		Step();
		EXPECT_TRUE( Mesh( "EnergyBeam1" ).mVisible );
		EXPECT_GT( Length( "EnergyBeam1" ), 0.0f );
		EXPECT_LT( Length( "EnergyBeam1" ), 7.0f );
		Release();
	}

	TEST_F( BeamInGame, AMirrorReflectsABeamStrikingItsFaceIntoTheBeamNamedAfterIt )
	{
		Create( "Beam", "EnergyBeam2", { 0, 0 } );
		Create( "BeamEffect", "BeamEffect2", { 0, 0 } );
		// Its face looks down and right: a beam from below turns to the right.
		MakeMirror( "Mirror1", { 0, 6 }, -0.75f * kPi );
		Create( "InanimateObject", "Prism1", { 7, 6 } );
		EXPECT_TRUE( Collider( "Mirror1" ).mInvulnerable ) << "mirrors start dark";

		Press( { 0, 6 } );
		Step( 60 );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Mirror1" ) );
		EXPECT_FALSE( Collider( "Mirror1" ).mInvulnerable );
		EXPECT_EQ( Find( "Mirror1" )->GetComponent<Tarn::MirrorComponent>()->IncomingBeam(), &Collider( "EnergyBeam1" ) );
		EXPECT_TRUE( Mesh( "EnergyBeam2" ).mVisible );
		EXPECT_EQ( Transform( "EnergyBeam2" ).mPosition, Vector2( 0, 6 ) );
		EXPECT_NEAR( Heading( "EnergyBeam2" ).X, 1.0f, 1e-3f );
		EXPECT_EQ( TargetOf( "EnergyBeam2" ), std::string( "Prism1" ) );
		EXPECT_EQ( Machine( "Prism1" ).mState, StateMachines::STATE_NONE );

		// Released, the mirror goes dark and its beam goes out with the player's.
		Release();
		Step();
		EXPECT_TRUE( Collider( "Mirror1" ).mInvulnerable );
		EXPECT_FALSE( Mesh( "EnergyBeam2" ).mVisible );
		EXPECT_EQ( Machine( "Prism1" ).mState, StateMachines::STATE_NORMAL );
	}

	TEST_F( BeamInGame, AMirrorStruckFromItsNormalsSideReflectsNothing )
	{
		Create( "Beam", "EnergyBeam2", { 0, 0 } );
		// The same mirror, but the ship fires at it from above, on its back.
		MakeMirror( "Mirror1", { 0, 6 }, -0.75f * kPi );
		Transform( "Player1" ).mPosition = Transform( "Player1" ).mPrevPos = Vector2( 0, 12 );
		Press( { 0, 6 } );
		Step( 60 );
		EXPECT_TRUE( Collider( "Mirror1" ).mInvulnerable );
		EXPECT_FALSE( Mesh( "EnergyBeam2" ).mVisible );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string() );
		EXPECT_GT( Length( "EnergyBeam1" ), 40.0f ) << "the beam goes on past the mirror's back";
	}

	TEST_F( BeamInGame, EnergyBeamThreeReflectsFromMirrorTwo )
	{
		Create( "Beam", "EnergyBeam2", { 0, 0 } );
		Create( "Beam", "EnergyBeam3", { 0, 0 } );
		MakeMirror( "Mirror1", { 0, 6 }, -0.75f * kPi ); // up, turned right
		MakeMirror( "Mirror2", { 8, 6 }, 0.25f * kPi );  // right, turned up
		Create( "InanimateObject", "Prism1", { 8, 13 } );
		EXPECT_EQ( Beam( "EnergyBeam3" ).GetSourceName().GetName(), "Mirror2" );

		Press( { 0, 6 } );
		Step( 90 );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Mirror1" ) );
		EXPECT_EQ( TargetOf( "EnergyBeam2" ), std::string( "Mirror2" ) );
		EXPECT_FALSE( Collider( "Mirror2" ).mInvulnerable );
		EXPECT_TRUE( Mesh( "EnergyBeam3" ).mVisible );
		EXPECT_EQ( Transform( "EnergyBeam3" ).mPosition, Vector2( 8, 6 ) );
		EXPECT_NEAR( Heading( "EnergyBeam3" ).Y, 1.0f, 1e-3f );
		EXPECT_EQ( TargetOf( "EnergyBeam3" ), std::string( "Prism1" ) );
		EXPECT_NEAR( Length( "EnergyBeam3" ), 2.0f * ( 7.0f - 0.3f ), 1e-3f );
		// The reflected beam holds its prism through every update: lit, not flickering.
		for ( int i = 0; i < 10; ++i )
		{
			mGame->Mouse().Update( mGame->Project().GetGameTime() );
			EXPECT_NEAR( Length( "EnergyBeam3" ), 13.4f, 1e-3f );
			EXPECT_EQ( Machine( "Prism1" ).mState, StateMachines::STATE_NONE );
		}
	}

	TEST_F( BeamInGame, AMirrorItsFeedNoLongerReachesGoesDark )
	{
		Create( "Beam", "EnergyBeam2", { 0, 0 } );
		Create( "Beam", "EnergyBeam3", { 0, 0 } );
		MakeMirror( "Mirror1", { 0, 6 }, -0.75f * kPi );
		Press( { 0, 6 } );
		Step( 60 );
		ASSERT_TRUE( Mesh( "EnergyBeam2" ).mVisible );
		// A second mirror, its face to the ship, slips in between: the ship's beam now
		// ends there, and the first mirror, fed by nothing, goes dark.
		MakeMirror( "Mirror2", { 0, 3 }, 0.75f * kPi );
		Step( 4 );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Mirror2" ) );
		EXPECT_FALSE( Collider( "Mirror2" ).mInvulnerable );
		EXPECT_TRUE( Mesh( "EnergyBeam3" ).mVisible );
		EXPECT_TRUE( Collider( "Mirror1" ).mInvulnerable );
		EXPECT_FALSE( Mesh( "EnergyBeam2" ).mVisible );
	}

	TEST_F( BeamInGame, AMirrorsBackInTheWayKeepsTheMirrorBehindItDark )
	{
		Create( "Beam", "EnergyBeam2", { 0, 0 } );
		MakeMirror( "Mirror1", { 0, 8 }, -0.75f * kPi );
		Press( { 0, 8 } );
		Step( 60 );
		ASSERT_TRUE( Mesh( "EnergyBeam2" ).mVisible );
		// A mirror turned away from the ship comes between: the beam lets go of the
		// mirror beyond it whenever it crosses that back, so nothing is reflected.
		MakeMirror( "Mirror3", { 0, 4 }, -0.25f * kPi );
		Step();
		for ( int step = 0; step < 30; ++step )
		{
			Step();
			EXPECT_FALSE( Mesh( "EnergyBeam2" ).mVisible ) << step;
			EXPECT_TRUE( Collider( "Mirror3" ).mInvulnerable ) << step;
		}
	}

	TEST_F( BeamInGame, APrismTheReflectionLeavesGoesBackToIdle )
	{
		Create( "Beam", "EnergyBeam2", { 0, 0 } );
		MakeMirror( "Mirror1", { 0, 6 }, -0.75f * kPi );
		Create( "InanimateObject", "Prism1", { 7, 6 } );
		Press( { 0, 6 } );
		Step( 60 );
		ASSERT_EQ( Machine( "Prism1" ).mState, StateMachines::STATE_NONE );
		// Pushed out of the reflected beam's path while the button stays down.
		Transform( "Prism1" ).mPosition = Transform( "Prism1" ).mPrevPos = Vector2( 7, 9 );
		Step( 3 );
		EXPECT_EQ( TargetOf( "EnergyBeam2" ), std::string() );
		EXPECT_EQ( Machine( "Prism1" ).mState, StateMachines::STATE_NORMAL );
		EXPECT_EQ( Find( "Prism1" )->GetComponent<Graphics::AnimationComponent>()->GetXmlFileName(),
		           StateMachines::kGleamSheetXml );
		EXPECT_TRUE( Mesh( "EnergyBeam2" ).mVisible ) << "the reflection goes on past it";
	}

	TEST_F( BeamInGame, APrismGivenUpForANearerOneGoesBackToIdle )
	{
		Create( "InanimateObject", "Prism1", { 5.0f, 0.55f } );
		Press( { 20, 2.2f } );
		Step( 60 );
		ASSERT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Prism1" ) );
		// A nearer prism inside the beam: the lock moves to it, and the first one, still
		// touching the shortened beam, is let go all the same.
		Create( "InanimateObject", "Prism2", { 5, 0 } );
		Step( 4 );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Prism2" ) );
		EXPECT_EQ( Machine( "Prism2" ).mState, StateMachines::STATE_NONE );
		EXPECT_EQ( Machine( "Prism1" ).mState, StateMachines::STATE_NORMAL );
		const auto& pairs = Tarn::Services::Get<Physics::CollisionManager>()->MovingPairs();
		EXPECT_TRUE( std::any_of( pairs.begin(), pairs.end(), []( const auto& pair ) {
			return pair.mB && pair.mB->mOwner == Find( "Prism1" );
		} ) ) << "the first prism still touches the beam";
	}

	TEST_F( BeamInGame, AChannelSendsTheBeamOnTowardThePointer )
	{
		Create( "Beam", "EnergyBeam4", { 0, 0 } );
		Create( "Channel", "Channel3", { 0, 6 } );
		EXPECT_EQ( Beam( "EnergyBeam4" ).Source(), Find( "Channel3" ) );
		Press( { 0, 6 } );
		Step( 40 );
		ASSERT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Channel3" ) );
		// The ship's beam stays on the channel; the channel's follows the pointer.
		PointAt( { 10, 6 } );
		Step( 40 );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Channel3" ) );
		EXPECT_FALSE( Collider( "Channel3" ).mInvulnerable );
		EXPECT_TRUE( Mesh( "EnergyBeam4" ).mVisible );
		EXPECT_NEAR( Heading( "EnergyBeam4" ).X, 1.0f, 1e-2f );
		PointAt( { 0, 16 } );
		Step();
		EXPECT_NEAR( Heading( "EnergyBeam4" ).Y, 1.0f, 1e-2f );

		// Something nearer takes the ship's beam: the channel, fed by nothing, goes dark.
		Create( "InanimateObject", "Prism1", { 0, 3 } );
		Step( 4 );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Prism1" ) );
		EXPECT_TRUE( Collider( "Channel3" ).mInvulnerable );
		EXPECT_FALSE( Mesh( "EnergyBeam4" ).mVisible );
	}

	TEST_F( BeamInGame, ABlueMineGoesOffUnderTheBeamAndStunsTheShip )
	{
		MakeBlueMine( "Mine1", { 5, 0 } );

		Press( { 5, 0 } );
		for ( int i = 0; i < 30 && Machine( "Mine1" ).mState != StateMachines::STATE_WAIT; ++i )
			Step();
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Mine1" ) );
		EXPECT_TRUE( Collider( "Mine1" ).mInvulnerable );
		EXPECT_EQ( Machine( "Mine1" ).mState, StateMachines::STATE_WAIT );
		EXPECT_EQ( Find( "Player1" )->GetComponent<StateMachines::StateMachineComponent>()->mState, StateMachines::STATE_WAIT );
		// Gone off, its machine takes it out of play: the beam lets go of the empty place
		// and reaches for the pointer again, and letting go of the button does not call
		// the spent mine back.
		Step( 40 );
		EXPECT_EQ( Machine( "Mine1" ).mState, StateMachines::STATE_NONE );
		EXPECT_FALSE( Transform( "Mine1" ).mActive );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string() );
		EXPECT_GT( Length( "EnergyBeam1" ), 2.0f * 4.7f + 0.5f );
		Release();
		Step();
		EXPECT_EQ( Machine( "Mine1" ).mState, StateMachines::STATE_NONE );
	}

	TEST_F( BeamInGame, LettingGoDoesNotCallALitFuseBack )
	{
		MakeBlueMine( "Mine1", { 5, 0 } );
		Press( { 5, 0 } );
		Step( 10 );
		ASSERT_EQ( Machine( "Mine1" ).mState, StateMachines::STATE_WAIT );
		Release();
		Step();
		EXPECT_EQ( Machine( "Mine1" ).mState, StateMachines::STATE_WAIT );
	}

	TEST_F( BeamInGame, AShipThatWasJustHitCannotFire )
	{
		Press( { 10, 0 } );
		Step( 10 );
		ASSERT_TRUE( Mesh( "EnergyBeam1" ).mVisible );
		Collider( "Player1" ).mInvulnerable = true;
		Collider( "Player1" ).mInvulTimer = 0.5f;
		Step();
		EXPECT_FALSE( Mesh( "EnergyBeam1" ).mVisible );
		EXPECT_EQ( Length( "EnergyBeam1" ), 0.0f );
		// Once the ship can be hit again the held beam comes back.
		Step( 40 );
		EXPECT_TRUE( Mesh( "EnergyBeam1" ).mVisible );
	}

	TEST_F( BeamInGame, ATargetThatIsDestroyedIsLetGo )
	{
		Create( "InanimateObject", "Prism1", { 5, 0 } );
		Press( { 5, 0 } );
		Step( 30 );
		ASSERT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Prism1" ) );
		Tarn::ObjectManager::Instance().DestroyObject( "Prism1" );
		Step( 5 );
		EXPECT_EQ( TargetOf( "EnergyBeam1" ), std::string() );
		EXPECT_FALSE( Beam( "EnergyBeam1" ).IsLocked() );
		EXPECT_GT( Length( "EnergyBeam1" ), 2.0f * 4.7f );
	}

	TEST_F( BeamInGame, FiringOnTheFirstLevelDismissesTheBeamPrompt )
	{
		Tarn::Object* prompt = Create( "TestBeamPrompt", "BeamClick", { 0, 0 } );
		auto* machine = prompt->GetComponent<StateMachines::StateMachineComponent>();
		machine->mState = StateMachines::STATE_ENGAGE;
		auto* levels = Tarn::Services::Get<Tarn::LevelManager>();
		levels->mLevelNumber = 2;
		Press( { 10, 0 } );
		Step();
		EXPECT_EQ( machine->mState, StateMachines::STATE_ENGAGE );
		levels->mLevelNumber = 1;
		Step();
		EXPECT_EQ( machine->mState, StateMachines::STATE_DIE );
	}

	TEST_F( BeamInGame, TheCollisionRectangleRunsFromTheSourceOverHalfTheLength )
	{
		TransformComponent& transform = Transform( "EnergyBeam1" );
		Physics::Shapes::Quad corners;
		EXPECT_FALSE( Beam( "EnergyBeam1" ).RefreshShape( corners ) ) << "a hidden beam takes no part";
		Mesh( "EnergyBeam1" ).mVisible = true;
		transform.mPosition = { 1, 2 };
		transform.mDirection = 0.0f; // pointing up
		transform.mYScaleFactor = 8.0f;
		ASSERT_TRUE( Beam( "EnergyBeam1" ).RefreshShape( corners ) );
		const Vector2 expected[] = { { 1.1f, 6 }, { 1.1f, 2 }, { 0.9f, 2 }, { 0.9f, 6 } };
		for ( int i = 0; i < 4; ++i )
		{
			EXPECT_NEAR( corners[i].X, expected[i].X, 1e-5f ) << i;
			EXPECT_NEAR( corners[i].Y, expected[i].Y, 1e-5f ) << i;
		}
		EXPECT_NEAR( Collider( "EnergyBeam1" ).mCentre.Y, 4.0f, 1e-5f );
		// The same turn as a box, so the shape tests work on it unchanged.
		EXPECT_TRUE( Physics::Shapes::PointInQuad( corners, { 1.0f, 5.9f }, nullptr ) );
		EXPECT_FALSE( Physics::Shapes::PointInQuad( corners, { 1.0f, 1.9f }, nullptr ) );
	}

	TEST_F( BeamInGame, ADriftingMirrorWalksItsPatrolAndWaitsAtEachEnd )
	{
		Tarn::Object* mirror = MakeMirror( "Mirror1", { 0, 0 }, 0.0f );
		MineComponent& machine = Machine( "Mirror1" );
		EXPECT_EQ( machine.mAI, StateMachines::Routine::DriftingMirror );
		machine.mPatrols = true;
		machine.mWait = true;
		machine.mWaitTimer = 0.5f;
		machine.mPatrol = { Vector2( 3, 0 ), Vector2( 0, 0 ) };
		Step();
		EXPECT_NEAR( mirror->GetComponent<TransformComponent>()->mVelocity.X, 1.0f, 0.05f );
		int steps = 0;
		while ( machine.mState != StateMachines::STATE_PAUSE && steps < 1000 )
		{
			Step();
			++steps;
		}
		ASSERT_EQ( machine.mState, StateMachines::STATE_PAUSE );
		EXPECT_NEAR( Transform( "Mirror1" ).mPosition.X, 3.0f, 0.35f );
		EXPECT_EQ( machine.mPatrol[0], Vector2( 0, 0 ) ) << "the ends swap on arrival";
		Step( 2 );
		EXPECT_EQ( Transform( "Mirror1" ).mVelocity, Vector2() );
		Step( 20 );
		EXPECT_EQ( machine.mState, StateMachines::STATE_NORMAL );
		Step( 2 );
		EXPECT_LT( Transform( "Mirror1" ).mVelocity.X, -0.5f );
	}

	TEST_F( BeamInGame, AnIdlePrismGleamsOnceWhenTheSharedTimeComes )
	{
		Create( "InanimateObject", "Prism1", { 5, 5 } );
		auto* animation = Find( "Prism1" )->GetComponent<Graphics::AnimationComponent>();
		ASSERT_TRUE( animation->IsPaused() );
		StateMachines::GleamThreshold() = 0.1f;
		Step( 4 );
		EXPECT_FALSE( animation->IsPaused() ) << "the gleam plays";
		Step( 100 );
		EXPECT_TRUE( animation->IsPaused() ) << "once";
		EXPECT_GE( StateMachines::GleamThreshold(), 7.0f );
		EXPECT_LE( StateMachines::GleamThreshold(), 22.0f );
	}

	bool Playing( const char* sound )
	{
		Tarn::SoundManager::SoundEntry* entry = Tarn::Services::Get<Tarn::SoundManager>()->GetSound( sound );
		bool playing = false;
		if ( entry )
			entry->second.IsPlaying( playing );
		return playing;
	}

	TEST_F( BeamInGame, TheShipsBeamHumsWhileItFiresAndAReflectionGoingDarkLeavesItAlone )
	{
		Create( "Beam", "EnergyBeam2", { 0, 0 } ); // its mirror does not exist: always dark
		Create( "InanimateObject", "Prism1", { 5, 0 } );
		EXPECT_FALSE( Playing( BeamComponent::kFireSound ) );
		Press( { 5, 0 } );
		Step( 20 );
		EXPECT_TRUE( Playing( BeamComponent::kFireSound ) );
		EXPECT_TRUE( Playing( BeamComponent::kSnapSound ) ) << "the lock snaps";
		Release();
		Step();
		EXPECT_FALSE( Playing( BeamComponent::kFireSound ) );
	}

	TEST_F( BeamInGame, ALitPrismThrowsItsConeAwayFromTheShipAndStunsAGuardInItOnlyWhileLit )
	{
		Create( "InanimateObject", "Prism1", { 5, 0 } );
		auto& stun = *KelvaneTest::MakeStandIn( "MeleeGuard", "Guard1", { 12, 0.3f } ).GetComponent<StateMachines::StateMachineComponent>();
		const auto& cone = *Find( "Prism1" )->GetComponent<Tarn::VertexComponent>();
		Press( { 5, 0 } );
		Step( 30 );
		ASSERT_EQ( TargetOf( "EnergyBeam1" ), std::string( "Prism1" ) );
		// Lit from the ship at the origin, in the prism's own colour: the cone runs from
		// the prism's near face out to 30 units beyond, away from the ship.
		EXPECT_EQ( cone.mRaycaster, Vector2( 0, 0 ) );
		EXPECT_EQ( cone.mCurrentColour, cone.mPrismColour );
		EXPECT_NEAR( cone.mPoint1.X, 4.625f, 1e-4f );
		EXPECT_NEAR( cone.mPoint2.X, 4.625f, 1e-4f );
		EXPECT_GT( cone.mProjected1.X, 34.0f );
		EXPECT_GT( cone.mProjected2.X, 34.0f );
		EXPECT_EQ( stun.mState, StateMachines::STATE_WAIT );

		// Let go, the cone stuns no more, although no frame has been drawn since it was
		// lit (a minimised window draws nothing).
		Release();
		Step();
		stun.mState = StateMachines::STATE_NORMAL;
		Step( 10 );
		EXPECT_EQ( stun.mState, StateMachines::STATE_NORMAL );
	}

	TEST_F( BeamInGame, TheConeIsDrawnInItsColourThroughTheAlphaShaderWithItsGlyph )
	{
		Create( "InanimateObject", "Prism1", { 5, 0 } );
		Find( "Prism1" )->GetComponent<Tarn::VertexComponent>()->SetPrismColour( StateMachines::ColourCode::Blue );
		Press( { 5, 0 } );
		Step( 30 );
		Tarn::GameProject& project = mGame->Project();
		auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		auto* device = dynamic_cast<Platform::RecordingRenderDevice*>( graphics->GetDevice() );
		ASSERT_NE( device, nullptr );
		device->mDraws.clear();
		ASSERT_TRUE( project.BeginDraw() );
		project.Draw( project.GetGameTime() );
		project.EndDraw();

		auto drawnWith = [&]( const char* picture ) -> const Platform::RecordingRenderDevice::DrawRecord* {
			for ( const auto& draw : device->mDraws )
				if ( device->mTexturePaths[draw.mTexture].ends_with( picture ) )
					return &draw;
			return nullptr;
		};
		const auto* cone = drawnWith( Graphics::kConePicture );
		ASSERT_NE( cone, nullptr );
		EXPECT_EQ( cone->mPixelShader, graphics->GetAlphaPixelShader() );
		// Blue at full strength in its own hue, at the first step of its fade.
		EXPECT_NEAR( cone->mColour[0], 1.0f / 11.0f, 1e-6f );
		EXPECT_NEAR( cone->mColour[1], 1.0f / 11.0f, 1e-6f );
		EXPECT_FLOAT_EQ( cone->mColour[2], 1.0f );
		EXPECT_FLOAT_EQ( cone->mColour[3], Tarn::VertexComponent::kRisePerDraw );
		// The strip runs from the prism's near face out along the cone.
		ASSERT_GE( cone->mVertices.size(), 2u );
		EXPECT_NEAR( cone->mVertices[0].x, 4.625f, 1e-4f );
		EXPECT_GT( cone->mVertices[1].x, 34.0f );

		const auto* glyph = drawnWith( Graphics::ColourGlyphPicture( StateMachines::ColourCode::Blue ) );
		ASSERT_NE( glyph, nullptr );
		EXPECT_EQ( glyph->mPixelShader, graphics->GetPixelShader() );
		EXPECT_FLOAT_EQ( glyph->mColour[3], Tarn::VertexComponent::kRisePerDraw );
	}
}
