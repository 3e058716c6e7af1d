#include "Core/GameTime.h"
#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Graphics/Camera.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/ParticleManager.h"
#include "Graphics/TextureManager.h"
#include "Physics/TransformComponent.h"
#include "Platform/RecordingRenderDevice.h"
#include "Platform/TweakBar.h"
#include "Utilities/FileSystem.h"
#include "core/MathConstants.h"
#include "core/Services.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace
{
	using Graphics::EmitterComponent;
	using Graphics::Particle;
	using Graphics::ParticleManager;

	class Sparkler : public Tarn::Object
	{
		TARN_CLASS_NAME( TestSparkler )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<Tarn::TransformComponent>();
			mComponents.AddComponent<Graphics::MeshComponent>();
			mComponents.AddComponent<EmitterComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
		EmitterComponent& Emitter() { return *GetComponent<EmitterComponent>(); }
		Tarn::TransformComponent& Transform() { return *GetComponent<Tarn::TransformComponent>(); }
		Graphics::MeshComponent& Mesh() { return *GetComponent<Graphics::MeshComponent>(); }
	};

	class Particles : public testing::Test
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::SharedFileSystem();
			Tarn::TypeRegistry::Instance().RegisterObjectType( Sparkler::ClassHashedName(),
			                                                   []() -> Tarn::Object* { return new Sparkler(); } );
			Tarn::LaunchOptions options;
			options.mHeadless = true;
			mProject = std::make_unique<Tarn::GameProject>( options );
			mProject->CreateComponents();
			mProject->Initialise();
			mManager = Tarn::Services::Get<ParticleManager>();
			ASSERT_NE( mManager, nullptr );
			mGraphics = Tarn::Services::Get<Graphics::GraphicsManager>();
			mDevice = dynamic_cast<Platform::RecordingRenderDevice*>( mGraphics->GetDevice() );
			ASSERT_NE( mDevice, nullptr );
			mTime.ElapsedSeconds = 0.016f;
		}
		void TearDown() override
		{
			Graphics::Camera::Shake() = {};
			mProject->Shutdown();
			mProject.reset();
		}

		template <typename T = Sparkler>
		T* Make( const char* name, const char* type = nullptr )
		{
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			Tarn::Object* object = objects.CreateObject( T::ClassHashedName(), name );
			if ( type )
				object->mType = Tarn::HashedName( type );
			objects.InitialiseObject( object );
			return static_cast<T*>( object );
		}

		// What one game step does to an emitter: the manager, filed twice, then the
		// emitter itself when it is enabled.
		void Step( EmitterComponent& emitter, int steps = 1 )
		{
			for ( int i = 0; i < steps; ++i )
			{
				mManager->Update( mTime );
				mManager->Update( mTime );
				if ( emitter.mEnabled )
					emitter.Update( mTime );
			}
		}

		std::vector<Platform::RecordingRenderDevice::DrawRecord> Frame()
		{
			mDevice->mDraws.clear();
			EXPECT_TRUE( mProject->BeginDraw() );
			mProject->Draw( mProject->GetGameTime() );
			mProject->EndDraw();
			return mDevice->mDraws;
		}

		// Plain settings for behaviour tests: everything spawns at once, motionless,
		// and lives exactly `life` seconds.
		static void Plain( EmitterComponent& emitter, int32_t behaviour, float life )
		{
			emitter.ApplyPreset( "Explosion" );
			emitter.mUpdateBehavior = behaviour;
			emitter.mMinSpeed = emitter.mMaxSpeed = {};
			emitter.mMinLifeTime = life;
			emitter.mMaxLifeTime = 0.0f;
		}

		std::unique_ptr<Tarn::GameProject> mProject;
		ParticleManager* mManager = nullptr;
		Graphics::GraphicsManager* mGraphics = nullptr;
		Platform::RecordingRenderDevice* mDevice = nullptr;
		Tarn::GameTime mTime;
	};

	TEST_F( Particles, ANewEmitterIsOffWithFiftyDeadParticles )
	{
		EmitterComponent& emitter = Make( "Sparkler1" )->Emitter();
		EXPECT_EQ( mManager->mEmitters, std::vector<EmitterComponent*>{ &emitter } );
		EXPECT_EQ( std::size( emitter.mParticles ), 50u );
		EXPECT_EQ( emitter.LiveParticleCount(), 0 );
		EXPECT_TRUE( emitter.mEmitComplete );
		EXPECT_FALSE( emitter.mEnabled );
		EXPECT_FALSE( emitter.mVisible );
		EXPECT_EQ( emitter.mDrawOrder, 1 );
		EXPECT_FLOAT_EQ( emitter.mEmitLifeTime, -1.0f );
		EXPECT_NE( emitter.GetVertexBuffer(), 0u );
		Step( emitter, 10 );
		EXPECT_FALSE( emitter.mEnabled );
		EXPECT_TRUE( Frame().size() == 1u ); // the mesh alone
	}

	TEST_F( Particles, AnExplosionSpawnsAllFiftyAtOnceAndRespawnsForever )
	{
		EmitterComponent& emitter = Make( "Sparkler1" )->Emitter();
		emitter.Explosion();
		Step( emitter );
		EXPECT_TRUE( emitter.mEnabled );
		EXPECT_TRUE( emitter.mVisible );
		EXPECT_EQ( emitter.LiveParticleCount(), 50 );
		// Lives of 0.1 to 2.6 s: over 5 s every particle dies at least once, and is
		// back in the same update.
		for ( int i = 0; i < 320; ++i )
		{
			Step( emitter );
			ASSERT_EQ( emitter.LiveParticleCount(), 50 ) << "step " << i;
		}
		EXPECT_FLOAT_EQ( emitter.mEmitCurrentTimer, 0.0f );
		EXPECT_EQ( Frame().size(), 51u );
	}

	TEST_F( Particles, ABossExplosionStopsRespawningAfterThreeSecondsAndTurnsOffWhenComplete )
	{
		EmitterComponent& emitter = Make( "Sparkler1" )->Emitter();
		emitter.BossExplosion();
		int steps = 0;
		while ( emitter.mEmitCurrentTimer <= emitter.mEmitLifeTime && steps < 1000 )
		{
			Step( emitter );
			++steps;
			ASSERT_EQ( emitter.LiveParticleCount(), 50 );
		}
		// Counted twice per step: 3 s is 94 steps of 16 ms.
		EXPECT_EQ( steps, 94 );
		// The longest life is 2.6 s; after that nothing is left and nothing returns.
		Step( emitter, 170 );
		EXPECT_EQ( emitter.LiveParticleCount(), 0 );
		EXPECT_TRUE( emitter.mEnabled );
		emitter.mEmitComplete = true;
		Step( emitter );
		EXPECT_FALSE( emitter.mEnabled );
		EXPECT_FALSE( emitter.mVisible );
	}

	TEST_F( Particles, APositiveSpawnRateLetsOneParticleRespawn )
	{
		EmitterComponent& emitter = Make( "Sparkler1" )->Emitter();
		emitter.Explosion();
		emitter.mEmitSpawnRate = 0.5f;
		Step( emitter, 200 );
		EXPECT_EQ( emitter.LiveParticleCount() + ( emitter.mParticles[0].mIsDead ? 1 : 0 ), 1 );
		EXPECT_FLOAT_EQ( emitter.mEmitSpawnTimer, 0.5f );
		for ( int i = 1; i < EmitterComponent::kParticleCount; ++i )
			EXPECT_TRUE( emitter.mParticles[i].mIsDead ) << i;
	}

	TEST_F( Particles, DefaultBehavioursClampAGrowingScaleAndBurstsGrowAndDieWhenItTurnsNegative )
	{
		EmitterComponent& clamped = Make( "Clamped1" )->Emitter();
		EmitterComponent& burst = Make( "Burst1" )->Emitter();
		for ( EmitterComponent* emitter : { &clamped, &burst } )
		{
			Plain( *emitter, emitter == &clamped ? Graphics::U_default : Graphics::U_singleBurst, 1.0f );
			emitter->mScaleStart = { 1, 1, 1 };
			emitter->mScaleEnd = { 2, 2, 2 };
		}
		Step( clamped, 40 );
		Step( burst, 40 );
		for ( const EmitterComponent* emitter : { &clamped, &burst } )
			ASSERT_EQ( emitter->LiveParticleCount(), 50 );
		for ( const Particle& p : clamped.mParticles )
			EXPECT_FLOAT_EQ( p.mScale.x, 1.0f );
		for ( const Particle& p : burst.mParticles )
		{
			EXPECT_NEAR( p.mScale.x, 1.64f, 0.02f );
			// The world matrix scales by the same amount, whatever the rotation.
			EXPECT_NEAR( std::hypot( p.mWorld[0][0], p.mWorld[0][1] ), p.mScale.x, 1e-5f );
		}

		// A burst shrinking from 1 to -1 ends at half its life, not at its end.
		Plain( burst, Graphics::U_singleBurst, 1.0f );
		burst.mScaleEnd = { -1, -1, -1 };
		for ( Particle& p : burst.mParticles )
			p.mIsDead = true;
		Step( burst );
		burst.mEmitCurrentTimer = 1.0f; // past its emission life: no more respawns
		int steps = 1;
		while ( burst.LiveParticleCount() > 0 && steps < 100 )
		{
			Step( burst );
			++steps;
		}
		EXPECT_GE( steps, 31 );
		EXPECT_LE( steps, 35 );
	}

	TEST_F( Particles, CircleBehavioursSpawnOnTheCircleOnlyWhenFollowingTheOwner )
	{
		Sparkler* owner = Make( "Sparkler1" );
		owner->Transform().mPosition = { 3, 4 };
		EmitterComponent& emitter = owner->Emitter();
		Plain( emitter, Graphics::U_circleEdgeSpawn, 5.0f );
		emitter.mSpawnDistance = { 2, 2, 0 };
		Step( emitter );
		for ( const Particle& p : emitter.mParticles )
			EXPECT_NEAR( std::hypot( p.mPosition.x - 3, p.mPosition.y - 4 ), 2.0f, 1e-4f );

		Plain( emitter, Graphics::U_circleEdgeSpawn, 5.0f );
		emitter.mSpawnDistance = { 2, 2, 0 };
		emitter.mFollowObject = false;
		for ( Particle& p : emitter.mParticles )
			p.mIsDead = true;
		Step( emitter );
		float nearest = 10.0f;
		for ( const Particle& p : emitter.mParticles )
		{
			// A box of 2 by 2 around the emitter's own position, not the owner's.
			EXPECT_LE( std::fabs( p.mPosition.x ), 1.0f );
			EXPECT_LE( std::fabs( p.mPosition.y ), 1.0f );
			nearest = std::min( nearest, std::hypot( p.mPosition.x, p.mPosition.y ) );
		}
		EXPECT_LT( nearest, 1.0f );
	}

	TEST_F( Particles, ParticlesMoveTowardsTheFinalPointAndSwirlAroundIt )
	{
		Sparkler* owner = Make( "Sparkler1" );
		owner->Transform().mPosition = { 1, 1 };
		EmitterComponent& emitter = owner->Emitter();
		Plain( emitter, Graphics::U_default, 5.0f );
		emitter.mMoveToFinalPosition = true;
		emitter.mFinalPosition = { 2, 0, 0 };
		emitter.mSpawnDistance = { 1, 1, 0 };
		Step( emitter );
		for ( const Particle& p : emitter.mParticles )
		{
			// One second to the final point, relative to the owner: (3, 1).
			const glm::vec3 start = p.mPosition - p.mVelocity * 0.016f;
			EXPECT_NEAR( start.x + p.mVelocity.x, 3.0f, 1e-4f );
			EXPECT_NEAR( start.y + p.mVelocity.y, 1.0f, 1e-4f );
		}

		Plain( emitter, Graphics::U_circleEdgeSpawnSwirl, 5.0f );
		emitter.mMoveToFinalPosition = true;
		emitter.mFinalPosition = { 2, 0, 0 };
		emitter.mSpawnDistance = { 1, 1, 0 };
		for ( Particle& p : emitter.mParticles )
			p.mIsDead = true;
		Step( emitter );
		for ( const Particle& p : emitter.mParticles )
		{
			// Half the way, in one second, to a point a unit off the final point.
			const glm::vec3 start = p.mPosition - p.mVelocity * 0.016f;
			const float aimX = start.x + 2.0f * p.mVelocity.x, aimY = start.y + 2.0f * p.mVelocity.y;
			EXPECT_NEAR( std::hypot( aimX - 3.0f, aimY - 1.0f ), 1.0f, 1e-3f );
		}
	}

	TEST_F( Particles, ColourBehavioursTintByLifeOrPickAColourAtDeath )
	{
		EmitterComponent& full = Make( "Full1" )->Emitter();
		Plain( full, Graphics::U_default, 1.0f );
		full.mPixelShaderColorStart = { 1, 1, 1, 1 };
		full.mPixelShaderColorEnd = { 0, 0.5f, 0, 0 };
		Step( full, 32 ); // half way
		EXPECT_NEAR( full.mParticles[7].mColour.r, 0.5f, 0.02f );
		EXPECT_NEAR( full.mParticles[7].mColour.g, 0.75f, 0.02f );
		EXPECT_NEAR( full.mParticles[7].mColour.a, 0.5f, 0.02f );

		EmitterComponent& rgb = Make( "Rgb1" )->Emitter();
		Plain( rgb, Graphics::U_circleEdgeSpawnRGB, 0.05f );
		Step( rgb, 20 );
		std::set<std::tuple<float, float, float>> picked;
		for ( const Particle& p : rgb.mParticles )
		{
			picked.insert( { p.mColour.r, p.mColour.g, p.mColour.b } );
			EXPECT_LE( p.mColour.a, 1.0f );
		}
		const std::set<std::tuple<float, float, float>> allowed = { { 5, 1, 1 }, { 1, 5, 1 }, { 1, 1, 5 } };
		EXPECT_EQ( picked, allowed );

		EmitterComponent& gray = Make( "Gray1" )->Emitter();
		Plain( gray, Graphics::U_circleEdgeSpawnSwirlGray, 0.05f );
		Step( gray, 20 );
		for ( const Particle& p : gray.mParticles )
		{
			EXPECT_EQ( p.mColour.r, p.mColour.g );
			EXPECT_EQ( p.mColour.g, p.mColour.b );
			EXPECT_GE( p.mColour.r, 0.75f );
			EXPECT_LE( p.mColour.r, 1.0f );
		}

		// Behaviour 1: once a particle's alpha has come down to the end alpha, the end
		// alpha becomes 0.
		EmitterComponent& fade = Make( "Fade1" )->Emitter();
		Plain( fade, Graphics::U_fadeIn, 0.5f );
		fade.mPixelShaderColorStart = { 1, 1, 1, 1 };
		fade.mPixelShaderColorEnd = { 1, 1, 1, 0.5f };
		Step( fade, 5 );
		EXPECT_FLOAT_EQ( fade.mPixelShaderColorEnd.a, 0.5f );
		fade.mEmitCurrentTimer = 1.0f; // no respawns: the dead pass their end
		Step( fade, 40 );
		EXPECT_FLOAT_EQ( fade.mPixelShaderColorEnd.a, 0.0f );
	}

	TEST_F( Particles, ALifeOfZeroIsAtItsEndAndUnknownBehavioursAreHandledSafely )
	{
		EmitterComponent& emitter = Make( "Sparkler1" )->Emitter();
		Plain( emitter, Graphics::U_default, 0.0f );
		emitter.mScaleStart = { 1, 1, 1 };
		emitter.mScaleEnd = { 0.25f, 0.25f, 0.25f };
		Step( emitter, 3 );
		for ( const Particle& p : emitter.mParticles )
		{
			EXPECT_FLOAT_EQ( p.mScale.x, 0.25f );
			EXPECT_FALSE( std::isnan( p.mColour.a ) );
		}

		for ( int32_t behaviour : { 5, 11 } )
		{
			Plain( emitter, behaviour, 0.3f );
			emitter.mMoveToFinalPosition = true;
			Step( emitter, 30 );
			for ( const Particle& p : emitter.mParticles )
				ASSERT_TRUE( std::isfinite( p.mPosition.x ) && std::isfinite( p.mPosition.y ) ) << behaviour;
		}
	}

	TEST_F( Particles, EveryPresetAppliesByNameAndSetsItsRow )
	{
		EmitterComponent& emitter = Make( "Sparkler1" )->Emitter();
		ASSERT_EQ( EmitterComponent::PresetNames().size(), 25u );
		for ( const char* name : EmitterComponent::PresetNames() )
		{
			emitter.mEmitComplete = true;
			emitter.mEmitVelocity = { 1, 1, 0 };
			EXPECT_TRUE( emitter.ApplyPreset( name ) ) << name;
			EXPECT_FALSE( emitter.mEmitComplete ) << name;
			EXPECT_FLOAT_EQ( emitter.mEmitVelocity.X, 0.0f ) << name;
		}
		{
			KelvaneTest::LogCapture log( Tarn::Log::LEVEL_ERROR );
			EXPECT_FALSE( emitter.ApplyPreset( "Fireworks" ) );
			EXPECT_TRUE( log.Mentions( "Fireworks" ) );
		}

		emitter.mUpdateBehavior = 2;
		emitter.mDrawOrder = 7;
		emitter.PlayerDamage();
		EXPECT_FLOAT_EQ( emitter.mEmitLifeTime, 3.0f );
		EXPECT_FLOAT_EQ( emitter.mEmitCurrentTimer, 1.0f );
		EXPECT_EQ( emitter.mUpdateBehavior, 2 ); // unchanged
		EXPECT_EQ( emitter.mDrawOrder, 7 );

		emitter.MainMenuBackground();
		EXPECT_EQ( emitter.mUpdateBehavior, Graphics::U_singleBurstRotation );
		EXPECT_EQ( emitter.mDrawOrder, -1 );
		EXPECT_FALSE( emitter.mFollowObject );
		EXPECT_EQ( emitter.GetTextureName(), "resource/ring particle.png" );
		EXPECT_FLOAT_EQ( emitter.mScaleEnd.Y, 10.0f );

		emitter.GateBarrier();
		EXPECT_FLOAT_EQ( emitter.mEmitPosition.X, -0.4f );
		EXPECT_FLOAT_EQ( emitter.mMinSpeed.X, 0.0f );
		EXPECT_FLOAT_EQ( emitter.mMinSpeed.Y, 0.3f );
		EXPECT_FLOAT_EQ( emitter.mMaxSpeed.Y, 0.5f );
		EXPECT_FLOAT_EQ( emitter.mAngleWidth, 4.4f );
		EXPECT_TRUE( emitter.mFollowObject );

		// A charged switch keeps its own colour and only becomes opaque.
		emitter.mPixelShaderColorStart = { 0.2f, 0.3f, 0.4f, 0.0f };
		emitter.SwitchCharged();
		EXPECT_EQ( emitter.mPixelShaderColorStart, ( Tarn::Colour{ 0.2f, 0.3f, 0.4f, 1.0f } ) );

		// Two names, one preset.
		EXPECT_TRUE( emitter.ApplyPreset( "Beam" ) );
		EXPECT_EQ( emitter.mUpdateBehavior, Graphics::U_circleEdgeSpawnSwirlColor );
		EXPECT_FLOAT_EQ( emitter.mSpawnDistance.X, 5.0f );
		EXPECT_TRUE( emitter.ApplyPreset( "Gate" ) );
		EXPECT_FLOAT_EQ( emitter.mMinSpeed.X, 0.1f );
		EXPECT_FLOAT_EQ( emitter.mMaxLifeTime, 1.0f );

		// The tweak bar offers every preset as a button that applies it.
		emitter.CreateTweakBar();
		const Platform::TweakBarData* bar = Platform::FindTweakBar( "Sparkler1's EmitterComponent" );
		ASSERT_NE( bar, nullptr );
		ASSERT_NE( bar->Find( "Maximum SpeedY" ), nullptr );
		ASSERT_TRUE( Platform::PressTweakButton( "Sparkler1's EmitterComponent", "Portal Swirl" ) );
		EXPECT_EQ( emitter.mUpdateBehavior, Graphics::U_circleEdgeSpawnSwirlColor );
		EXPECT_EQ( emitter.mDrawOrder, 3 );
		EXPECT_FLOAT_EQ( emitter.mMinLifeTime, 8.0f );
	}

	TEST_F( Particles, AimingStartsTheSpreadAtTheOwnersEdgeTowardsThePoint )
	{
		Sparkler* owner = Make( "Sparkler1" );
		owner->Transform().mPosition = { 1, 1 };
		owner->Mesh().mColour = { 0.1f, 0.2f, 0.3f, 0.4f };
		EmitterComponent& emitter = owner->Emitter();
		emitter.AngleSparks();
		emitter.mEmitCurrentTimer = 0.05f;
		emitter.AimAt( 1, 5 );
		EXPECT_FLOAT_EQ( emitter.mEmitCurrentTimer, 0.0f );
		EXPECT_NEAR( emitter.mEmitPosition.X, 0.0f, 1e-6f );
		EXPECT_NEAR( emitter.mEmitPosition.Y, 0.45f, 1e-6f );
		EXPECT_NEAR( emitter.mAngleMain, Tarn::kPi * 0.5f - 0.5f, 1e-6f );
		EXPECT_EQ( emitter.mPixelShaderColorStart, owner->Mesh().mColour );

		// At the owner itself there is no direction: no position divided by zero.
		emitter.AimAt( 1, 1 );
		EXPECT_FLOAT_EQ( emitter.mEmitPosition.X, 0.0f );
		EXPECT_FLOAT_EQ( emitter.mEmitPosition.Y, 0.0f );
		Step( emitter, 3 );
		for ( const Particle& p : emitter.mParticles )
			ASSERT_TRUE( std::isfinite( p.mPosition.x ) );
	}

	TEST_F( Particles, EachLiveParticleIsOneDrawThroughTheCameraShake )
	{
		auto* camera = Make<Graphics::Camera>( "Camera1" );
		ASSERT_NE( camera, nullptr );
		Sparkler* owner = Make( "Sparkler1" );
		EmitterComponent& emitter = owner->Emitter();
		emitter.Explosion();
		emitter.SetTexture( "resource/circle texture.png" );
		Step( emitter, 2 );
		emitter.mParticles[4].mIsDead = true;
		emitter.mParticles[9].mIsDead = true;
		Graphics::Camera::Shake() = { 0.0f, 0.0f, 3.0f, -2.0f };

		Frame(); // files the emitter under its draw order
		const auto draws = Frame();
		const Graphics::Matrix viewProjection = mDevice->GetTransform( Platform::TransformKind::View ) *
		                                        mDevice->GetTransform( Platform::TransformKind::Projection );
		std::vector<const Particle*> live;
		for ( const Particle& p : emitter.mParticles )
			if ( !p.mIsDead )
				live.push_back( &p );
		ASSERT_EQ( live.size(), 48u );
		// The mesh first (order 0), then one draw per live particle.
		ASSERT_EQ( draws.size(), 49u );
		for ( size_t i = 0; i < live.size(); ++i )
		{
			const auto& draw = draws[i + 1];
			EXPECT_EQ( draw.mTexture, emitter.GetPtrTexture() );
			EXPECT_NE( draw.mTexture, 0u );
			EXPECT_EQ( draw.mBuffer, emitter.GetVertexBuffer() );
			EXPECT_EQ( draw.mPixelShader, mGraphics->GetPixelShader() );
			EXPECT_FLOAT_EQ( draw.mColour[3], live[i]->mColour.a );
			const Graphics::Matrix expected = live[i]->mWorld * viewProjection * Graphics::Translation( 3.0f, -2.0f, 0.0f );
			for ( int c = 0; c < 4; ++c )
				for ( int r = 0; r < 4; ++r )
					ASSERT_NEAR( draw.mWorldViewProj[c][r], expected[c][r], 1e-4f ) << i;
			ASSERT_EQ( draw.mVertices.size(), 8u );
			EXPECT_FLOAT_EQ( draw.mVertices[3].x, 0.5f );
		}
	}

	TEST_F( Particles, AParticleThatCannotShowCostsNoDraw )
	{
		Sparkler* owner = Make( "Sparkler1" );
		EmitterComponent& emitter = owner->Emitter();
		// Armed with zero life, as levels store many emitters: every particle lives on
		// at its end state, transparent and shrunk to nothing.
		emitter.mEmitComplete = false;
		emitter.mEmitLifeTime = emitter.mEmitCurrentTimer = 0.0f;
		emitter.mScaleStart = { 1, 1, 1 };
		emitter.mScaleEnd = { 0, 0, 0 };
		Step( emitter, 2 );
		ASSERT_TRUE( emitter.mVisible );
		ASSERT_EQ( emitter.LiveParticleCount(), 50 );
		Frame();
		EXPECT_EQ( Frame().size(), 1u ); // the owner's mesh only
		EXPECT_EQ( std::count( mDevice->mCalls.begin(), mDevice->mCalls.end(),
		                       "SetPixelShader " + std::to_string( mGraphics->GetPixelShader() ) ),
		           1 ); // the mesh's: the emitter sets nothing up for nothing

		// Shown: one whole particle, one turned inside out; not shown: one transparent
		// but full-sized, one opaque but flat on one axis.
		Particle* p = emitter.mParticles;
		p[0].mColour.a = 0.5f;
		p[0].mScale = { 1, 1, 1 };
		p[1].mColour.a = 1.0f;
		p[1].mScale = { -1, -1, 1 };
		p[2].mColour.a = 0.0f;
		p[2].mScale = { 1, 1, 1 };
		p[3].mColour.a = 1.0f;
		p[3].mScale = { 1, 0, 1 };
		const auto draws = Frame();
		ASSERT_EQ( draws.size(), 3u );
		EXPECT_FLOAT_EQ( draws[1].mColour[3], 0.5f );
		EXPECT_FLOAT_EQ( draws[2].mColour[3], 1.0f );
	}

	TEST_F( Particles, AMinesEmitterIsNeitherUpdatedNorDrawn )
	{
		Sparkler* mine = Make( "Mine1", "Mine" );
		EmitterComponent& emitter = mine->Emitter();
		emitter.Explosion();
		Step( emitter, 3 );
		EXPECT_TRUE( emitter.mEnabled );
		EXPECT_EQ( emitter.LiveParticleCount(), 0 );
		for ( Particle& p : emitter.mParticles )
			p.mIsDead = false;
		Frame();
		EXPECT_EQ( Frame().size(), 1u ); // the mine's mesh only
	}

	TEST_F( Particles, AStoredEmitterComesBackArmedWithItsSettings )
	{
		Sparkler* source = Make( "Source1" );
		EmitterComponent& emitter = source->Emitter();
		emitter.PortalSwirl();
		emitter.mEmitVelocity = { 0.5f, -0.25f, 0 };
		emitter.mPixelShaderColor = { 0.5f, 0.5f, 0.5f, 0.5f };
		emitter.mEmitComplete = true;
		// An exchange file of this test's own, so that the game's registrations stay
		// untouched for the tests that check them.
		KelvaneTest::TempFolder folder;
		Tarn::ResourceRecord exchange;
		exchange.mPath = folder / "EmitterComponent.xml";
		Tarn::ResourceRecord* record = &exchange;
		emitter.Serialise( *record );
		const std::string text = KelvaneTest::ReadWholeFile( record->mPath );
		EXPECT_NE( text.find( "<EmitVelocity mEmitVelocity.X=\"0.5\" mEmitVelocity.Y=\"-0.25\"" ), std::string::npos ) << text;
		EXPECT_NE( text.find( "mPixelShaderColorEnd.3=\"1\"" ), std::string::npos ) << text;
		EXPECT_NE( text.find( "<EmitComplete mEmitComplete=\"true\"" ), std::string::npos ) << text;
		EXPECT_NE( text.find( "<UpdateBehavior mUpdateBehavior=\"10\"" ), std::string::npos ) << text;

		Sparkler* copy = Make( "Copy1" );
		EmitterComponent& loaded = copy->Emitter();
		loaded.Deserialise( *record );
		EXPECT_FALSE( loaded.mEmitComplete );
		EXPECT_EQ( loaded.mUpdateBehavior, Graphics::U_circleEdgeSpawnSwirlColor );
		EXPECT_TRUE( loaded.mMoveToFinalPosition );
		EXPECT_FLOAT_EQ( loaded.mEmitVelocity.Y, -0.25f );
		EXPECT_FLOAT_EQ( loaded.mMinLifeTime, 8.0f );
		EXPECT_FLOAT_EQ( loaded.mSpawnDistance.X, 0.9f );
		EXPECT_EQ( loaded.mPixelShaderColor, emitter.mPixelShaderColor );
		EXPECT_EQ( loaded.mPixelShaderColorEnd, emitter.mPixelShaderColorEnd );
		EXPECT_EQ( loaded.GetTextureName(), "resource/circle texture.png" );
		EXPECT_NE( loaded.GetPtrTexture(), 0u );
		Step( loaded );
		EXPECT_TRUE( loaded.mEnabled );
		EXPECT_EQ( loaded.LiveParticleCount(), 50 );

		// A behaviour no emitter has is read as the default one, with a warning.
		std::string edited = text;
		edited.replace( edited.find( "mUpdateBehavior=\"10\"" ), 20, "mUpdateBehavior=\"40\"" );
		KelvaneTest::WriteWholeFile( record->mPath, edited );
		KelvaneTest::LogCapture log( Tarn::Log::LEVEL_WARNING );
		loaded.Deserialise( *record );
		EXPECT_EQ( loaded.mUpdateBehavior, Graphics::U_default );
		EXPECT_TRUE( log.Mentions( "40" ) );
	}

	TEST_F( Particles, TheManagerMovesTravellingEmittersAndARunRepeats )
	{
		EmitterComponent& emitter = Make( "Sparkler1" )->Emitter();
		emitter.Explosion();
		emitter.mEmitVelocity = { 1.0f, 2.0f, 0.0f };
		Step( emitter, 10 ); // 20 manager updates of 16 ms
		EXPECT_NEAR( emitter.mEmitPosition.X, 0.32f, 1e-4f );
		EXPECT_NEAR( emitter.mEmitPosition.Y, 0.64f, 1e-4f );
		EXPECT_NEAR( Graphics::TransformCoord( { 0, 0, 0 }, emitter.mEmitterWorld ).y, 0.64f, 1e-4f );

		// The game seeds its random numbers when it starts: a second game spawns the
		// same particles.
		std::vector<float> first;
		for ( const Particle& p : emitter.mParticles )
			first.push_back( p.mLifeTime );
		const Tarn::LaunchOptions options = mProject->Options();
		mProject->Shutdown();
		mProject.reset();
		mProject = std::make_unique<Tarn::GameProject>( options );
		mProject->CreateComponents();
		mProject->Initialise();
		mManager = Tarn::Services::Get<ParticleManager>();
		mGraphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		mDevice = dynamic_cast<Platform::RecordingRenderDevice*>( mGraphics->GetDevice() );
		EmitterComponent& again = Make( "Sparkler1" )->Emitter();
		again.Explosion();
		again.mEmitVelocity = { 1.0f, 2.0f, 0.0f };
		Step( again, 10 );
		for ( size_t i = 0; i < first.size(); ++i )
			EXPECT_FLOAT_EQ( again.mParticles[i].mLifeTime, first[i] ) << i;
	}
}
