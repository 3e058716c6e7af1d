// The health bars: their length from the watched health, the trailing bar's drain, the
// boss's bar, the death state entered once, and what a bar does without its object.
#include "Core/GameWindow/GameProject.h"
#include "Core/ObjectManager.h"
#include "Game/Player.h"
#include "Game/ScoreManager.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/StatusBarComponent.h"
#include "Graphics/StatusBarManager.h"
#include "Physics/StatsComponent.h"
#include "Platform/RecordingRenderDevice.h"
#include "StateMachines/StateMachineComponent.h"
#include "core/Services.h"
#include "support/EnemyLevel.h"
#include "support/HeadlessGame.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
	using Graphics::StatusBarComponent;
	using Graphics::StatusBarManager;
	using Tarn::HashedName;

	// Something with health and nothing else: a rock, or a boss's body.
	class HealthOnly : public Tarn::Object
	{
		TARN_CLASS_NAME( TestHealthOnly )

	public:
		void Initialise() override
		{
			mComponents.AddComponent( HashedName( "StatsComponent" ) );
			mComponents.AddComponent( HashedName( "StatusBarComponent" ) );
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
	};

	class BarsInGame : public KelvaneTest::HeadlessGame
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::RegisterObjectType<HealthOnly>();
			HeadlessGame::SetUp();
			mBars = Tarn::Services::Get<StatusBarManager>();
		}

		// Made as `type`, then known by `typeName` before it is initialised (a boss's body).
		Tarn::Object* MakeAs( const char* type, const char* name, const char* typeName )
		{
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			Tarn::Object* object = objects.CreateObject( HashedName( type ), name );
			if ( object )
			{
				object->mType = HashedName( typeName );
				objects.InitialiseObject( object );
			}
			return object;
		}

		StatusBarComponent& Bar( const char* name, bool main )
		{
			auto* bar = Make( "StatusBarObject", name )->GetComponent<StatusBarComponent>();
			bar->mIsMain = main;
			return *bar;
		}

		void Run( float seconds ) { UpdateFor( *mBars, seconds ); }

		StatusBarManager* mBars = nullptr;
	};

	TEST_F( BarsInGame, TheMainBarShowsAHitAtOnceAndTheTrailingBarFollowsAtItsRate )
	{
		Tarn::Object* player = Make( "Player", "Player1" );
		auto* stats = player->GetComponent<Physics::StatsComponent>();
		StatusBarComponent& back = Bar( "HealthBarBack", false );
		StatusBarComponent& front = Bar( "HealthBar", true );
		for ( StatusBarComponent* bar : { &back, &front } )
		{
			EXPECT_FLOAT_EQ( bar->mBufferValue, 2.0f ) << "100 health makes a bar of length 2";
			EXPECT_FLOAT_EQ( bar->mBarPercentage, 50.0f );
			EXPECT_EQ( bar->mPosition, StatusBarComponent::kPlayerBarPosition );
			EXPECT_EQ( bar->mDrawOrder, 6 );
			EXPECT_TRUE( bar->mVisible );
		}
		EXPECT_EQ( mBars->Bars().size(), 2u );

		stats->mHealth = 70.0f;
		player->GetComponent<Graphics::MeshComponent>()->mColour = { 0.2f, 0.9f, 0.4f, 1.0f };
		Run( kDt );
		EXPECT_FLOAT_EQ( front.mBufferValue, 1.4f );
		EXPECT_FLOAT_EQ( front.mBarColour.g, 0.9f ) << "the main bar takes the player's colour";
		EXPECT_FLOAT_EQ( front.mBarColour.a, 1.0f );
		EXPECT_FLOAT_EQ( back.mCurrentValue, 1.4f );
		// One length in six seconds of updates: 0.6 of a length takes 3.6 s.
		Run( 3.5f );
		EXPECT_GT( back.mBufferValue, 1.4f + 0.01f );
		Run( 0.15f );
		EXPECT_NEAR( back.mBufferValue, 1.4f, 0.003f );
		const float settled = back.mBufferValue;
		Run( 1.0f );
		EXPECT_FLOAT_EQ( back.mBufferValue, settled ) << "it stops at the health";

		// Healing: the trailing bar never grows; the main bar follows.
		stats->mHealth = 90.0f;
		Run( kDt );
		EXPECT_FLOAT_EQ( back.mBufferValue, settled );
		EXPECT_FLOAT_EQ( front.mBufferValue, 1.8f );

		// Emptied, the main bar stays empty for the rest of the level.
		stats->mHealth = 0.0f;
		Run( kDt );
		EXPECT_FLOAT_EQ( front.mBufferValue, 0.0f );
		stats->mHealth = 50.0f;
		Run( kDt );
		EXPECT_FLOAT_EQ( front.mBufferValue, 0.0f );
	}

	TEST_F( BarsInGame, ABossBarMeasuresAWholeBarByAHundredAndStandsOnTheRight )
	{
		Tarn::Object* boss = MakeAs( "TestHealthOnly", "Enemy1", "BossGuardian" );
		EXPECT_FLOAT_EQ( boss->GetComponent<Physics::StatsComponent>()->mHealth, 100.0f );
		auto* bar = boss->GetComponent<StatusBarComponent>();
		EXPECT_EQ( bar->Watched().GetName(), "Enemy1" );
		EXPECT_FLOAT_EQ( bar->mBarPercentage, 100.0f );
		EXPECT_FLOAT_EQ( bar->mBufferValue, 1.0f );
		EXPECT_EQ( bar->mPosition, StatusBarComponent::kBossBarPosition );
	}

	TEST_F( BarsInGame, AZeroHealthEntersTheDyingStateOnce )
	{
		Tarn::Object* player = Make( "Player", "Player1" );
		auto* stats = player->GetComponent<Physics::StatsComponent>();
		auto* machine = player->GetComponent<StateMachines::StateMachineComponent>();
		stats->mHealth = -15.0f;
		Run( kDt );
		EXPECT_EQ( machine->mState, StateMachines::STATE_DIE );
		EXPECT_EQ( machine->mInnerState, StateMachines::INNER_STATE_ON_ENTER );
		EXPECT_FLOAT_EQ( stats->mHealth, 0.0f );

		// The dying sequence has moved on; later updates at zero health leave it there.
		machine->mInnerState = StateMachines::INNER_STATE_ON_UPDATE;
		Run( 0.5f );
		EXPECT_EQ( machine->mInnerState, StateMachines::INNER_STATE_ON_UPDATE );
	}

	TEST_F( BarsInGame, WithoutItsObjectABarHidesAndWithoutAMachineThereIsNoDeathToEnter )
	{
		StatusBarComponent& bar = Bar( "HealthBar", true );
		EXPECT_FALSE( bar.mVisible ) << "no player yet";
		EXPECT_EQ( bar.Stats(), nullptr );
		Run( kDt );
		EXPECT_FALSE( bar.mVisible );

		Tarn::Object* player = Make( "Player", "Player1" );
		player->GetComponent<Physics::StatsComponent>()->mHealth = 80.0f;
		Run( kDt );
		EXPECT_TRUE( bar.mVisible ) << "the player has come";
		EXPECT_FLOAT_EQ( bar.mBufferValue, 1.6f );

		Tarn::ObjectManager::Instance().DestroyObject( "Player1" );
		Tarn::ObjectManager::Instance().ProcessDestroyQueue();
		Run( kDt );
		EXPECT_FALSE( bar.mVisible ) << "and gone again";

		// A rock at no health has no dying state; it is left as it is.
		Tarn::Object* rock = Make( "TestHealthOnly", "Rock1" );
		rock->GetComponent<Physics::StatsComponent>()->mHealth = -3.0f;
		Run( kDt );
		EXPECT_FLOAT_EQ( rock->GetComponent<Physics::StatsComponent>()->mHealth, -3.0f );
	}

	TEST_F( BarsInGame, ABarIsDrawnInScreenSpaceThroughTheAlphaShader )
	{
		Make( "Player", "Player1" );
		StatusBarComponent& bar = Bar( "HealthBar", true );
		bar.mPosition = { -0.95f, 0.0f };
		auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		auto* device = dynamic_cast<Platform::RecordingRenderDevice*>( graphics->GetDevice() );
		ASSERT_NE( device, nullptr );
		Tarn::GameTime time;
		bar.Draw( time );
		ASSERT_FALSE( device->mDraws.empty() );
		const auto& draw = device->mDraws.back();
		EXPECT_EQ( draw.mPixelShader, graphics->GetAlphaPixelShader() );
		EXPECT_EQ( draw.mWorldViewProj, Graphics::Scaling( 0.9f, 2.0f, 0.0f ) * Graphics::Translation( -0.95f, 0.0f, 0.0f ) )
		    << "the camera plays no part";
		EXPECT_FLOAT_EQ( draw.mColour[0], bar.mBarColour.r );
	}

	// The whole game on a level of its own: the ship, its bar and nothing else.
	class BarsInALevel : public KelvaneTest::EnemyLevel
	{
	};

	TEST_F( BarsInALevel, TheLastHitEndsTheLevelLostWithAFinalScoreOfNothing )
	{
		Add( "Player", "Player1", { 0, 0 } );
		Add( "StatusBarObject", "HealthBar", { 0, 0 } )->GetComponent<StatusBarComponent>()->mIsMain = true;
		Play();
		auto& player = static_cast<Tarn::Player&>( Find( "Player1" ) );
		auto& bar = *Find( "HealthBar" ).GetComponent<StatusBarComponent>();
		ASSERT_TRUE( bar.mIsMain );
		Score().AddScore( Tarn::ScoreManager::kEnemyAward );
		KelvaneTest::LogCapture log;

		ASSERT_TRUE( player.TakeHit( -120.0f, 1.0f ) );
		Steps( 1 );
		EXPECT_EQ( Machine( "Player1" ).mState, StateMachines::STATE_DIE );
		EXPECT_FLOAT_EQ( player.GetComponent<Physics::StatsComponent>()->mHealth, 0.0f );
		EXPECT_FLOAT_EQ( bar.mBufferValue, 0.0f );

		// The dying sequence takes a second, then the level ends, once.
		Steps( 40 );
		EXPECT_EQ( log.CountOf( "Level 3 lost" ), 1u );
		ASSERT_TRUE( Score().IsShowing() );
		EXPECT_EQ( Score().GetReckoning().mFinalScore, 0 ) << "the enemy's award is lost with the ship";
		// Every line shown after five seconds (two updates a step).
		Steps( int( 5.2f / ( 2 * kDt ) ) );
		const std::string& text = Score().Text();
		EXPECT_NE( text.find( "\nEnemies Killed             1 x +100" ), std::string::npos ) << text;
		EXPECT_EQ( text.substr( text.rfind( '\n' ) ), "\nFinal Score                  0" );
		EXPECT_EQ( log.CountOf( "Level 3 lost" ), 1u );
	}
}
