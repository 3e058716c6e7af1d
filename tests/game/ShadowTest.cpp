// Light cones at work: real prisms lit as the beam lights them, the shadow manager's
// two passes over guards, crystals and switches of those type names, the nebula's
// layers, and the cones of the first level as its file holds them.
#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Game/LightEmitterComponent.h"
#include "Game/Nebula.h"
#include "Game/ShadowManager.h"
#include "Game/VertexComponent.h"
#include "GameStates/LevelObject.h"
#include "Graphics/AnimationManager.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/CollisionManager.h"
#include "Physics/PhysicsManager.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/SwitchComponent.h"
#include "core/Services.h"
#include "support/AssertRecorder.h"
#include "support/LevelFiles.h"
#include "support/StandIns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{
	using namespace StateMachines;
	using Tarn::Object;
	using Tarn::TransformComponent;
	using Tarn::Vector2;
	using Tarn::VertexComponent;
	namespace Colour = StateMachines::ColourCode;

	// A boss part whose caster comes before its transform in its list.
	class CasterFirst : public Object
	{
	public:
		explicit CasterFirst( const char* name )
		{
			mType = Tarn::HashedName( "BossPart" );
			mName = Tarn::HashedName( name );
		}
		void Initialise() override
		{
			static const char* const kComponents[] = { "VertexComponent", "TransformComponent", "MeshComponent" };
			mComponents.AddComponents( kComponents );
		}
		void Shutdown() override {}
	};

	class ConesInPlay : public testing::Test
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::LevelFileSystem();
			Tarn::Services::Add<Physics::PhysicsManager>( &mPhysics );
			Tarn::Services::Add<Physics::CollisionManager>( &mCollisions );
			Tarn::Services::Add<Graphics::AnimationManager>( &mAnimations );
			Tarn::Services::Add<Tarn::ShadowManager>( &mShadows );
			mShadows.Initialise();
			mTime.ElapsedSeconds = 0.016f;
		}

		void TearDown() override
		{
			Tarn::ObjectManager::Instance().DestroyAll();
			Tarn::Services::Remove<Tarn::ShadowManager>();
			Tarn::Services::Remove<Graphics::AnimationManager>();
			Tarn::Services::Remove<Physics::CollisionManager>();
			Tarn::Services::Remove<Physics::PhysicsManager>();
		}

		static Object* Place( Object* object, Vector2 at )
		{
			auto* transform = object->GetComponent<TransformComponent>();
			transform->mPosition = transform->mPrevPos = at;
			return object;
		}

		// A prism of colour `code` at `at`, made as a level makes it.
		static VertexComponent& Prism( const char* name, Vector2 at, int32_t code )
		{
			Object* prism = Place( KelvaneTest::MakeObject( "InanimateObject", name ), at );
			auto* cone = prism->GetComponent<VertexComponent>();
			cone->SetPrismColour( code );
			return *cone;
		}

		static Object& Thing( const char* type, const char* name, Vector2 at ) { return KelvaneTest::MakeStandIn( type, name, at ); }
		static StateMachineComponent& Guard( const char* name, Vector2 at )
		{
			return *Thing( "MeleeGuard", name, at ).GetComponent<StateMachineComponent>();
		}
		static MineComponent& Crystal( const char* name, Vector2 at )
		{
			return *Thing( "CrystalFocus", name, at ).GetComponent<MineComponent>();
		}
		static SwitchComponent& Switch( const char* name, Vector2 at, int32_t colour )
		{
			auto& target = *Thing( "Switch", name, at ).GetComponent<SwitchComponent>();
			target.mSwitchColour = colour;
			return target;
		}

		Physics::PhysicsManager mPhysics{ nullptr };
		Physics::CollisionManager mCollisions{ nullptr };
		Graphics::AnimationManager mAnimations{ nullptr };
		Tarn::ShadowManager mShadows{ nullptr };
		Tarn::GameTime mTime;
	};

	// A prism at the origin lit from 10 units to its left throws its cone to the right,
	// from its near face at x = -0.375 out to x = 29.6, widening as it goes.
	TEST_F( ConesInPlay, AConeStunsTheGuardsAndBurnsTheCrystalsInItAndNothingElse )
	{
		VertexComponent& cone = Prism( "Prism1", { 0, 0 }, Colour::Green );
		StateMachineComponent& inCone = Guard( "Guard1", { 5, 0.5f } );
		StateMachineComponent& stunned = Guard( "Guard2", { 8, 0 } );
		stunned.mState = STATE_WAIT;
		stunned.mInnerState = INNER_STATE_ON_UPDATE;
		StateMachineComponent& dead = Guard( "Guard3", { 9, 0 } );
		dead.mState = STATE_NONE;
		StateMachineComponent& atCentre = Guard( "Guard4", { 0, 0 } );
		StateMachineComponent& behind = Guard( "Guard5", { -5, 0 } );
		StateMachineComponent& aside = Guard( "Guard6", { 5, 1.0f } );
		StateMachineComponent& away = Guard( "Guard7", { 6, 0 } );
		Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( "Guard7" ) )->GetComponent<TransformComponent>()->mActive = false;
		MineComponent& burning = Crystal( "Crystal1", { 12, 0 } );
		MineComponent& broken = Crystal( "Crystal2", { 13, 0 } );
		broken.mState = STATE_DIE;

		cone.SwitchOn( { -10, 0 }, Colour::None );
		mShadows.Update( mTime );
		EXPECT_TRUE( cone.mHasCone );
		EXPECT_EQ( inCone.mState, STATE_WAIT );
		EXPECT_EQ( inCone.mInnerState, INNER_STATE_ON_ENTER );
		EXPECT_EQ( stunned.mInnerState, INNER_STATE_ON_UPDATE ) << "a stun in progress goes on, not over";
		EXPECT_EQ( dead.mState, STATE_NONE );
		EXPECT_EQ( atCentre.mState, STATE_NORMAL ) << "a guard exactly at the prism's centre is not in the cone";
		EXPECT_EQ( behind.mState, STATE_NORMAL );
		EXPECT_EQ( aside.mState, STATE_NORMAL ) << "at x = 5 the cone reaches y = 0.58";
		EXPECT_EQ( away.mState, STATE_NORMAL ) << "out of play";
		EXPECT_EQ( burning.mState, STATE_WAIT );
		EXPECT_EQ( broken.mState, STATE_DIE );

		// The cone went out at the end of that update: only the beam lights it again. No
		// draw is needed for that (a minimised window draws nothing).
		EXPECT_FALSE( cone.mLit );
		inCone.mState = STATE_NORMAL;
		mShadows.Update( mTime );
		EXPECT_EQ( inCone.mState, STATE_NORMAL );

		// Hidden, a prism throws no light even while lit.
		cone.GetOwner()->GetComponent<Graphics::MeshComponent>()->mVisible = false;
		cone.SwitchOn( { -10, 0 }, Colour::None );
		mShadows.Update( mTime );
		EXPECT_EQ( inCone.mState, STATE_NORMAL );
	}

	TEST_F( ConesInPlay, ASwitchChargesOnlyInItsOwnColourAndIsUnlitOnlyWhenNoConeReachesIt )
	{
		VertexComponent& green = Prism( "Prism1", { 0, 0 }, Colour::Green );
		VertexComponent& blue = Prism( "Prism2", { 0, 10 }, Colour::Blue );
		SwitchComponent& greenSwitch = Switch( "Switch1", { 5, 0 }, Colour::Green );
		SwitchComponent& redSwitch = Switch( "Switch2", { 6, 0 }, Colour::Red );
		SwitchComponent& underBlue = Switch( "Switch3", { 5, 10 }, Colour::Green );
		SwitchComponent& dark = Switch( "Switch4", { 5, 5 }, Colour::Green );
		dark.mChargeColour = Colour::Green;

		green.SwitchOn( { -10, 0 }, Colour::None );
		blue.SwitchOn( { -10, 10 }, Colour::None );
		mShadows.Update( mTime );
		EXPECT_EQ( greenSwitch.mChargeColour, Colour::Green );
		EXPECT_EQ( greenSwitch.mState, STATE_WAIT );
		EXPECT_EQ( greenSwitch.mInnerState, INNER_STATE_ON_ENTER );
		EXPECT_EQ( redSwitch.mChargeColour, Colour::Green );
		EXPECT_EQ( redSwitch.mState, STATE_NORMAL );
		// A switch of colour 2 in a cone of colour 3 takes its colour and does not charge,
		// and the green cone, which misses it, does not unlight it.
		EXPECT_EQ( underBlue.mChargeColour, Colour::Blue );
		EXPECT_EQ( underBlue.mState, STATE_NORMAL );
		EXPECT_EQ( dark.mChargeColour, Colour::Unlit );

		// Once the cones are gone every switch is unlit.
		mShadows.Update( mTime );
		for ( const SwitchComponent* target : { &greenSwitch, &redSwitch, &underBlue, &dark } )
			EXPECT_EQ( target->mChargeColour, Colour::Unlit );
	}

	TEST_F( ConesInPlay, ALightAtTheCastersCentreOrInsideARoundOneThrowsNoCone )
	{
		VertexComponent& cone = Prism( "Prism1", { 0, 0 }, Colour::Green );
		StateMachineComponent& guard = Guard( "Guard1", { 5, 0 } );
		cone.SwitchOn( { 0, 0 }, Colour::None );
		mShadows.Update( mTime );
		EXPECT_FALSE( cone.mHasCone );
		EXPECT_EQ( guard.mState, STATE_NORMAL );
		for ( const Vector2& point : { cone.mPoint1, cone.mPoint2, cone.mProjected1, cone.mProjected2 } )
			EXPECT_TRUE( std::isfinite( point.X ) && std::isfinite( point.Y ) );

		// A round caster is shaped from its tangents, and only while lit.
		cone.SetCircular( 1.4f );
		mShadows.Update( mTime );
		EXPECT_FALSE( cone.mHasCone );
		cone.SwitchOn( { -10, 0 }, Colour::None );
		mShadows.Update( mTime );
		EXPECT_TRUE( cone.mHasCone );
		EXPECT_EQ( guard.mState, STATE_WAIT );
		guard.mState = STATE_NORMAL;
		cone.SwitchOn( { 1, 0.5f }, Colour::None );
		mShadows.Update( mTime );
		EXPECT_FALSE( cone.mHasCone ) << "the light is inside the circle";
		EXPECT_EQ( guard.mState, STATE_NORMAL );
	}

	TEST_F( ConesInPlay, OneLitUpdateShowsTheConeAtEightHundredthsThenItFadesByFourPerDraw )
	{
		VertexComponent& cone = Prism( "Prism1", { 0, 0 }, Colour::Red );
		cone.SwitchOn( { -10, 0 }, Colour::None );
		mShadows.Update( mTime );
		cone.Draw( mTime );
		EXPECT_NEAR( cone.mColour.a, 0.08f, 1e-6f );
		cone.Draw( mTime );
		EXPECT_NEAR( cone.mColour.a, 0.04f, 1e-6f );
		cone.Draw( mTime );
		EXPECT_NEAR( cone.mColour.a, 0.0f, 1e-6f );
		// Held lit, it rises to just past full and stays there.
		for ( int i = 0; i < 20; ++i )
		{
			cone.SwitchOn( { -10, 0 }, Colour::None );
			mShadows.Update( mTime );
			cone.Draw( mTime );
		}
		EXPECT_NEAR( cone.mColour.a, 1.04f, 1e-5f );
		EXPECT_EQ( cone.mColour, ( Tarn::Colour{ 11.0f, 1.0f, 1.0f, cone.mColour.a } ) );
	}

	TEST_F( ConesInPlay, ACasterLeavesTheManagerWithItsPrismAndRemovingNoneAsserts )
	{
		VertexComponent& cone = Prism( "Prism1", { 0, 0 }, Colour::Green );
		ASSERT_EQ( mShadows.Casters().size(), 1u );
		EXPECT_EQ( mShadows.Casters().front(), &cone );
		Tarn::ObjectManager::Instance().DestroyAll();
		EXPECT_TRUE( mShadows.Casters().empty() );
		KelvaneTest::AssertRecorder asserts;
		mShadows.Remove( nullptr );
		EXPECT_TRUE( asserts.Saw( "vertex", "Vertex Component not valid!" ) );
	}

	TEST_F( ConesInPlay, WhatDriftsIntoANebulaGoesUnderItsCoverOrOverItWhileTheShipIsIn )
	{
		Object* nebula = Place( KelvaneTest::MakeObject( "Nebula", "Nebula1" ), { 0, 0 } );
		Object* cover = KelvaneTest::MakeObject( "NebulaCover", "NebulaCover1" );
		Object* lonely = Place( KelvaneTest::MakeObject( "Nebula", "Nebula2" ), { 20, 0 } );
		lonely->GetComponent<StateMachineComponent>()->mSign = 2; // no "NebulaCover2"
		EXPECT_EQ( cover->GetComponent<Graphics::MeshComponent>()->mDrawOrder, Tarn::NebulaCover::kLayer );
		EXPECT_EQ( cover->GetComponent<StateMachineComponent>()->mAI, Routine::HintFader );
		EXPECT_FALSE( nebula->GetComponent<Physics::CollisionComponent>()->mDefault ) << "the ship flies in, not off";

		Object& drifter = Thing( "Mine", "Mine1", { 1, 0 } );
		Object& elsewhere = Thing( "Mine", "Mine2", { 20.5f, 0 } );
		auto& mesh = *drifter.GetComponent<Graphics::MeshComponent>();
		auto& otherMesh = *elsewhere.GetComponent<Graphics::MeshComponent>();
		otherMesh.mDrawOrder = 3;
		mCollisions.Step( mTime.ElapsedSeconds );
		EXPECT_EQ( mesh.mDrawOrder, Tarn::Nebula::kUnderCover );
		EXPECT_EQ( otherMesh.mDrawOrder, 3 ) << "a nebula without a cover leaves the layers alone";

		cover->GetComponent<StateMachineComponent>()->mActionFlag = true;
		mCollisions.Step( mTime.ElapsedSeconds );
		EXPECT_EQ( mesh.mDrawOrder, Tarn::Nebula::kOverCover );

		Place( &drifter, { 10, 0 } );
		Place( &elsewhere, { 30, 0 } );
		mCollisions.Step( mTime.ElapsedSeconds );
		EXPECT_EQ( mesh.mDrawOrder, Tarn::Nebula::kUnderCover );
		EXPECT_EQ( otherMesh.mDrawOrder, Tarn::Nebula::kUnderCover );
	}

	TEST_F( ConesInPlay, TheFirstLevelsPrismsGlowInTheColoursItsFileGivesThem )
	{
		auto* level = static_cast<Tarn::LevelObject*>( KelvaneTest::MakeObject( "LevelObject", "Level1" ) );
		Tarn::ResourceRecord file =
		    Tarn::FileSystem::ParseRecord( std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml", true );
		level->Deserialise( file );
		struct Expected
		{
			const char* mName;
			int32_t mCode;
			Tarn::Colour mCone, mPrism;
			Vector2 mTopLeft;
		};
		for ( const Expected& expected : { Expected{ "Prism1", Colour::Green, { 1, 11, 1, 0 }, { 1, 5, 1, 1 }, { -2.375f, 6.375f } },
		                                   Expected{ "Prism2", Colour::Red, { 11, 1, 1, 0 }, { 5, 1, 1, 1 }, { 7.625f, 6.375f } } } )
		{
			Object* prism = Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( expected.mName ) );
			ASSERT_NE( prism, nullptr );
			const auto& cone = *prism->GetComponent<VertexComponent>();
			EXPECT_EQ( cone.mPrismColour, expected.mCode ) << expected.mName;
			EXPECT_EQ( cone.mCurrentColour, expected.mCode ) << expected.mName;
			EXPECT_EQ( cone.mColour, expected.mCone ) << expected.mName;
			EXPECT_EQ( prism->GetComponent<Graphics::MeshComponent>()->mColour, expected.mPrism ) << expected.mName;
			EXPECT_EQ( cone.mCorners[0], expected.mTopLeft ) << expected.mName;
		}
		EXPECT_EQ( mShadows.Casters().size(), 2u );
	}

	TEST_F( ConesInPlay, ALightSpriteShowsTheLightPictureTintedByItsKind )
	{
		Object& holder = Thing( "Scenery", "Light1", { 0, 0 } );
		auto* light = static_cast<Tarn::LightEmitterComponent*>(
		    holder.mComponents.AddComponent( Tarn::LightEmitterComponent::ClassHashedName() ) );
		holder.mComponents.InitialisePending();
		ASSERT_NE( light, nullptr );
		EXPECT_EQ( light->GetTextureName(), Tarn::LightEmitterComponent::kTexture );
		EXPECT_EQ( light->mColourKind, 1 );
		EXPECT_EQ( light->mColour, ( Tarn::Colour{ 2, 1, 1, 1 } ) );
	}

	TEST_F( ConesInPlay, AHandsCasterIsOutlinedByItsTransformAndLaunchedDebrisShowsItsCaster )
	{
		// A hand starts scaled 3 x 3 at (10, 0): its caster's half-size is 3 x 0.5 x 0.75.
		CasterFirst hand( "Hand1" );
		hand.Initialise();
		EXPECT_EQ( hand.GetComponent<VertexComponent>()->mCorners[0], Vector2( 8.875f, 1.125f ) );

		CasterFirst rock( "Asteroid1" );
		rock.Initialise();
		auto& caster = *rock.GetComponent<VertexComponent>();
		caster.mVisible = false;
		mPhysics.LaunchDebris( { 1, 2 }, 0.0f );
		EXPECT_TRUE( caster.mVisible );
	}
}
