// The exact text every component writes, for one instance with a value of its own in
// every field, and the level round trip: files the game wrote before must come out of
// it unchanged, byte for byte.

#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "DebugTools/CollisionDebugComponent.h"
#include "Game/BeamComponent.h"
#include "Game/BeamEffect.h"
#include "Game/SkillsComponent.h"
#include "GameStates/LevelObject.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/AnimationManager.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/LineComponent.h"
#include "Physics/StatsComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/SwitchComponent.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"
#include "support/LevelFiles.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
	using KelvaneTest::ReadWholeFile;
	using Tarn::Colour;
	using Tarn::HashedName;
	using Tarn::ObjectComponent;
	using Tarn::Vector2;

	// An owner that carries whatever a test adds to it and does nothing itself.
	class Holder : public Tarn::Object
	{
	public:
		explicit Holder( const char* name = "Holder1" )
		{
			mType = HashedName( "Holder" );
			mName = HashedName( name );
		}
		void Initialise() override {}
		void Shutdown() override {}

		template <typename T>
		T& Add()
		{
			return *mComponents.AddComponent<T>();
		}
	};

	Tarn::ResourceRecord& Exchange( const char* type )
	{
		Tarn::FileSystem& files = KelvaneTest::SharedFileSystem( { type } );
		return *files.GetResource( type );
	}

	// The text of the exchange file after the component wrote itself to it.
	std::string Written( ObjectComponent& component )
	{
		Tarn::ResourceRecord& record = Exchange( component.GetType().GetName().c_str() );
		component.Serialise( record );
		return ReadWholeFile( record.mPath );
	}

	// The component read back from `text` in a new owner, then written again.
	template <typename T>
	std::string ReadAndWrittenAgain( const std::string& text, const std::function<void( T& )>& prepare = {} )
	{
		Holder holder( "Reader1" );
		T& component = holder.Add<T>();
		if ( prepare )
			prepare( component );
		Tarn::ResourceRecord& record = Exchange( component.GetType().GetName().c_str() );
		KelvaneTest::WriteWholeFile( record.mPath, text );
		component.Deserialise( record );
		return Written( component );
	}

	constexpr const char* kTransform = R"(<?xml version="1.0"?>
<ObjectComponent Name="TransformComponent">
	<PrevPos mPrevPos.X="0.1" mPrevPos.Y="-2.5" />
	<Position mPosition.X="1e+06" mPosition.Y="-0.25" />
	<Velocity mVelocity.X="3" mVelocity.Y="-4" />
	<Force mForce.X="-0.5" mForce.Y="7" />
	<Direction mDirection="1.25" />
	<XScaleFactor mXScaleFactor="2" />
	<YScaleFactor mYScaleFactor="3" />
	<ZScaleFactor mZScaleFactor="-4" />
	<LifeSpan mLifeSpan="123.457" />
	<HasFriction mHasFriction="true" />
	<Active mActive="true" />
	<TransType mTransType="4294967295" />
</ObjectComponent>
)";

	TEST( ComponentForm, Transform )
	{
		Holder holder;
		auto& c = holder.Add<Tarn::TransformComponent>();
		c.mPrevPos = { 0.1f, -2.5f };
		c.mPosition = { 1e6f, -0.25f };
		c.mVelocity = { 3, -4 };
		c.mForce = { -0.5f, 7 };
		c.mDirection = 1.25f;
		c.mXScaleFactor = 2;
		c.mYScaleFactor = 3;
		c.mZScaleFactor = -4;
		c.mLifeSpan = 123.456789f;
		c.mHasFriction = true;
		c.mActive = true;
		c.mTransType = -1;
		EXPECT_EQ( Written( c ), kTransform );
		EXPECT_EQ( ReadAndWrittenAgain<Tarn::TransformComponent>( kTransform ), kTransform );
	}

	constexpr const char* kCollision = R"(<?xml version="1.0"?>
<ObjectComponent Name="CollisionComponent">
	<C C.X="0.1" C.Y="-1" />
	<P P.X="2" P.Y="3" />
	<V V.X="-4" V.Y="1e+06" />
	<mCollisionGroup mCollisionGroup="4294967294" />
	<mCollisionType CollisionType="3" />
	<mCollisionData Radius="6.5" Length1="6.5" Length2="0.25" />
	<mInvulnerable Invulnerable="true" />
	<mInvulTimer InvulTimer="1.5" />
	<topLeft topLeft.X="-1" topLeft.Y="2" />
	<bottomRight bottomRight.X="3" bottomRight.Y="-4" />
	<mDefault Default="false" />
</ObjectComponent>
)";

	TEST( ComponentForm, Collision )
	{
		Holder holder;
		auto& c = holder.Add<Physics::CollisionComponent>();
		c.mCentre = { 0.1f, -1 };
		c.mPreviousPosition = { 2, 3 };
		c.mVelocity = { -4, 1e6f };
		c.mCollisionGroup = -2;
		c.mCollisionType = Physics::CollisionComponent::LINE;
		c.mCollisionData = { 6.5f, 0.25f };
		c.mInvulnerable = true;
		c.mInvulTimer = 1.5f;
		c.mTopLeft = { -1, 2 };
		c.mBottomRight = { 3, -4 };
		c.mDefault = false;
		EXPECT_EQ( Written( c ), kCollision );
		EXPECT_EQ( ReadAndWrittenAgain<Physics::CollisionComponent>( kCollision ), kCollision );

		// The first length has two names; the one written second is the one read.
		std::string renamed = kCollision;
		renamed.replace( renamed.find( "Length1=\"6.5\"" ), 13, "Length1=\"9\"" );
		Holder reader( "Reader2" );
		auto& read = reader.Add<Physics::CollisionComponent>();
		KelvaneTest::WriteWholeFile( Exchange( "CollisionComponent" ).mPath, renamed );
		read.Deserialise( Exchange( "CollisionComponent" ) );
		EXPECT_EQ( read.mCollisionData[0], 9.0f );
	}

	constexpr const char* kLine = R"(<?xml version="1.0"?>
<ObjectComponent Name="LineComponent">
	<mPt1 mPt1.X="-18" mPt1.Y="0.1" />
	<mPt2 mPt2.X="18" mPt2.Y="1e+06" />
	<mNormal mNormal.X="0" mNormal.Y="-1" />
	<mAngle mAngle="-2.35619" />
	<mScale mScale="36" />
</ObjectComponent>
)";

	TEST( ComponentForm, Line )
	{
		Holder holder;
		auto& c = holder.Add<Physics::LineComponent>();
		c.mPt1 = { -18, 0.1f };
		c.mPt2 = { 18, 1e6f };
		c.mNormal = { 0, -1 };
		c.mAngle = -2.35619f;
		c.mScale = 36;
		EXPECT_EQ( Written( c ), kLine );
		EXPECT_EQ( ReadAndWrittenAgain<Physics::LineComponent>( kLine ), kLine );
	}

	constexpr const char* kStats = R"(<?xml version="1.0"?>
<ObjectComponent Name="StatsComponent">
	<Health mHealth="-12.5" />
	<SelfDestruct mSelfDestruct="true" />
</ObjectComponent>
)";

	TEST( ComponentForm, Stats )
	{
		Holder holder;
		auto& c = holder.Add<Physics::StatsComponent>();
		c.mHealth = -12.5f;
		c.mSelfDestruct = true;
		EXPECT_EQ( Written( c ), kStats );
		EXPECT_EQ( ReadAndWrittenAgain<Physics::StatsComponent>( kStats ), kStats );
	}

	constexpr const char* kMesh = R"(<?xml version="1.0"?>
<ObjectComponent Name="MeshComponent">
	<DrawOrder DrawOrder="4294967293" />
	<PixelShader r="0.1" g="0.2" b="1e+06" a="-1" />
	<mTextureName TextureLocation="resource/grid bottom.png" />
	<mIsFlippedY Flipped="true" />
	<mIsHUD IsHUD="true" />
	<Visible Visible="false" />
</ObjectComponent>
)";

	TEST( ComponentForm, Mesh )
	{
		Holder holder;
		auto& c = holder.Add<Graphics::MeshComponent>();
		c.mDrawOrder = -3;
		c.mColour = { 0.1f, 0.2f, 1e6f, -1 };
		c.SetTexture( "resource/grid bottom.png" );
		c.mIsFlippedY = true;
		c.mIsHUD = true;
		c.mVisible = false;
		EXPECT_EQ( Written( c ), kMesh );
		EXPECT_EQ( ReadAndWrittenAgain<Graphics::MeshComponent>( kMesh ), kMesh );
	}

	constexpr const char* kAnimation = R"(<?xml version="1.0"?>
<ObjectComponent Name="AnimationComponent">
	<mTimer mTimer="0.1" />
	<mCurrentFrame mCurrentFrame="4294967295" />
	<mStartFrame mStartFrame="7" />
	<mEndFrame mEndFrame="12" />
	<mIsPausedAnimation mIsPausedAnimation="true" />
	<mXmlFileName mXmlFileName="resource/ship sheet.xml" />
	<mSpriteSheetFileName mSpriteSheetFileName="resource/ship sheet.png" />
</ObjectComponent>
)";

	TEST( ComponentForm, Animation )
	{
		Holder holder;
		auto& c = holder.Add<Graphics::AnimationComponent>();
		c.mTimer = 0.1f;
		c.mCurrentFrame = -1;
		c.mStartFrame = 7;
		c.mEndFrame = 12;
		c.mIsPausedAnimation = true;
		c.mXmlFileName = "resource/ship sheet.xml";
		c.mSpriteSheetFileName = "resource/ship sheet.png";
		c.mPlayOnce = c.mPlayOnceReverse = c.mStayAtEndFrame = true;
		EXPECT_EQ( Written( c ), kAnimation );
		// Once read, the sheet is loaded again, which starts the range anew over all of
		// its frames: here none, since there is no animation manager to load it.
		std::string reloaded = kAnimation;
		reloaded.replace( reloaded.find( "mCurrentFrame=\"4294967295\"" ), 26, "mCurrentFrame=\"0\"" );
		reloaded.replace( reloaded.find( "mStartFrame=\"7\"" ), 15, "mStartFrame=\"0\"" );
		reloaded.replace( reloaded.find( "mEndFrame=\"12\"" ), 14, "mEndFrame=\"4294967295\"" );
		KelvaneTest::LogCapture log;
		EXPECT_EQ( ReadAndWrittenAgain<Graphics::AnimationComponent>( kAnimation ), reloaded );
	}

	constexpr const char* kEmitter = R"(<?xml version="1.0"?>
<ObjectComponent Name="EmitterComponent">
	<EmitLifeTime mEmitLifeTime="0.1" />
	<EmitCurrentTimer mEmitCurrentTimer="-1" />
	<EmitSpawnRate mEmitSpawnRate="2" />
	<EmitSpawnTimer mEmitSpawnTimer="3" />
	<EmitPosition mEmitPosition.X="4" mEmitPosition.Y="5" />
	<EmitVelocity mEmitVelocity.X="6" mEmitVelocity.Y="-7" />
	<AngleWidth mAngleWidth="6.28319" />
	<AngleMain mAngleMain="1e+06" />
	<MinSpeed mMinSpeed.X="0.5" mMinSpeed.Y="0.25" />
	<MaxSpeed mMaxSpeed.X="8" mMaxSpeed.Y="9" />
	<ScaleStart mScaleStart.X="1.5" mScaleStart.Y="2.5" />
	<ScaleEnd mScaleEnd.X="0" mScaleEnd.Y="-0.5" />
	<SpawnDistance mSpawnDistance.X="10" mSpawnDistance.Y="11" />
	<MinLifeTime mMinLifeTime="0.2" />
	<MaxLifeTime mMaxLifeTime="12" />
	<FinalPosition mFinalPosition.X="13" mFinalPosition.Y="-14" />
	<PixelShaderColor mPixelShaderColor.0="0.1" mPixelShaderColor.1="0.2" mPixelShaderColor.2="0.3" mPixelShaderColor.3="0.4" />
	<PixelShaderColorStart mPixelShaderColorStart.0="2" mPixelShaderColorStart.1="3" mPixelShaderColorStart.2="4" mPixelShaderColorStart.3="5" />
	<PixelShaderColorEnd mPixelShaderColorEnd.0="-1" mPixelShaderColorEnd.1="-2" mPixelShaderColorEnd.2="-3" mPixelShaderColorEnd.3="-4" />
	<EmitComplete mEmitComplete="false" />
	<MoveToFinalPosition mMoveToFinalPosition="true" />
	<FollowObject mFollowObject="false" />
	<UpdateBehavior mUpdateBehavior="10" />
	<DrawBehavior mDrawBehavior="4294967295" />
	<TextureName mTextureName="resource/star.png" />
</ObjectComponent>
)";

	TEST( ComponentForm, Emitter )
	{
		Holder holder;
		auto& c = holder.Add<Graphics::EmitterComponent>();
		c.mEmitLifeTime = 0.1f;
		c.mEmitCurrentTimer = -1;
		c.mEmitSpawnRate = 2;
		c.mEmitSpawnTimer = 3;
		c.mEmitPosition = { 4, 5, 99 };
		c.mEmitVelocity = { 6, -7, 99 };
		c.mAngleWidth = 6.2831855f;
		c.mAngleMain = 1e6f;
		c.mMinSpeed = { 0.5f, 0.25f, 99 };
		c.mMaxSpeed = { 8, 9, 99 };
		c.mScaleStart = { 1.5f, 2.5f, 99 };
		c.mScaleEnd = { 0, -0.5f, 99 };
		c.mSpawnDistance = { 10, 11, 99 };
		c.mMinLifeTime = 0.2f;
		c.mMaxLifeTime = 12;
		c.mFinalPosition = { 13, -14, 99 };
		c.mPixelShaderColor = { 0.1f, 0.2f, 0.3f, 0.4f };
		c.mPixelShaderColorStart = { 2, 3, 4, 5 };
		c.mPixelShaderColorEnd = { -1, -2, -3, -4 };
		c.mEmitComplete = false;
		c.mMoveToFinalPosition = true;
		c.mFollowObject = false;
		c.mUpdateBehavior = Graphics::U_circleEdgeSpawnSwirlColor;
		c.mDrawBehavior = -1;
		c.SetTexture( "resource/star.png" );
		EXPECT_EQ( Written( c ), kEmitter );
		EXPECT_EQ( ReadAndWrittenAgain<Graphics::EmitterComponent>( kEmitter ), kEmitter );
	}

	constexpr const char* kSkills = R"(<?xml version="1.0"?>
<ObjectComponent Name="SkillsComponent">
	<RadialLightEnergy mRadialLightEnergy="0.1" />
	<RadialLightEnergyMax mRadialLightEnergyMax="1e+06" />
	<LightBombCooldown mLightBombCooldown="-3" />
	<LightBombCooldownCurrentTime mLightBombCooldownCurrentTime="1.5" />
	<LightBombReady mLightBombReady="false" />
	<SpeedBoost mSpeedBoost="true" />
	<SpeedTimer mSpeedTimer="2.25" />
</ObjectComponent>
)";

	constexpr const char* kSkillsDefaults = R"(<?xml version="1.0"?>
<ObjectComponent Name="SkillsComponent">
	<RadialLightEnergy mRadialLightEnergy="50" />
	<RadialLightEnergyMax mRadialLightEnergyMax="100" />
	<LightBombCooldown mLightBombCooldown="3" />
	<LightBombCooldownCurrentTime mLightBombCooldownCurrentTime="0" />
	<LightBombReady mLightBombReady="true" />
	<SpeedBoost mSpeedBoost="false" />
	<SpeedTimer mSpeedTimer="0" />
</ObjectComponent>
)";

	TEST( ComponentForm, SkillsAreWrittenButNeverRead )
	{
		Holder holder;
		auto& c = holder.Add<Tarn::SkillsComponent>();
		c.mRadialLightEnergy = 0.1f;
		c.mRadialLightEnergyMax = 1e6f;
		c.mLightBombCooldown = -3;
		c.mLightBombCooldownCurrentTime = 1.5f;
		c.mLightBombReady = false;
		c.mSpeedBoost = true;
		c.mSpeedTimer = 2.25f;
		c.mSpeedFactor = 0.5f;
		EXPECT_EQ( Written( c ), kSkills );
		EXPECT_EQ( ReadAndWrittenAgain<Tarn::SkillsComponent>( kSkills ), kSkillsDefaults );
	}

	TEST( ComponentForm, BeamsAndTheirFlaresWriteOnlyTheirName )
	{
		Holder holder( "EnergyBeam3" );
		EXPECT_EQ( Written( holder.Add<Tarn::BeamComponent>() ),
		           "<?xml version=\"1.0\"?>\n<ObjectComponent Name=\"BeamComponent\" />\n" );
		EXPECT_EQ( Written( holder.Add<Tarn::BeamEffectComponent>() ),
		           "<?xml version=\"1.0\"?>\n<ObjectComponent Name=\"BeamEffectComponent\" />\n" );
	}

	constexpr const char* kCollisionDebug = R"(<?xml version="1.0"?>
<ObjectComponent Name="CollisionDebugComponent">
	<DrawOrder DrawOrder="4294967291" />
</ObjectComponent>
)";

	TEST( ComponentForm, CollisionOutlineWritesItsDrawOrderOnly )
	{
		Holder holder;
		auto& c = holder.Add<Tarn::CollisionDebugComponent>();
		c.mDrawOrder = -5;
		c.mColour = { 0.5f, 0.5f, 0.5f, 0.5f };
		c.mIsHUD = true;
		c.mVisible = false;
		EXPECT_EQ( Written( c ), kCollisionDebug );
		EXPECT_EQ( ReadAndWrittenAgain<Tarn::CollisionDebugComponent>( kCollisionDebug ), kCollisionDebug );
	}

	constexpr const char* kStateMachine = R"(<?xml version="1.0"?>
<ObjectComponent Name="StateMachineComponent">
	<AI mAI="27" />
	<State mState="9" />
	<InnerState mInnerState="2" />
	<StateTimer mStateTimer="0.1" />
	<CurrPhase mCurrPhase="4294967295" />
	<MeshSwitchCheck mMeshSwitchCheck="false" />
	<Sign mSign="4294967295" />
	<AttackRadius mAttackRadius="1e+06" />
	<AttackProjection mAttackProjection.x="0.5" mAttackProjection.y="-0.75" />
</ObjectComponent>
)";

	TEST( ComponentForm, StateMachineReadsBackAllButItsPhase )
	{
		Holder holder;
		auto& c = holder.Add<StateMachines::StateMachineComponent>();
		c.mAI = 27;
		c.mState = StateMachines::STATE_DAZED;
		c.mInnerState = StateMachines::INNER_STATE_ON_EXIT;
		c.mStateTimer = 0.1f;
		c.mCurrPhase = -1;
		c.mMeshSwitchCheck = false;
		c.mSign = -1;
		c.mAttackRadius = 1e6f;
		c.mAttackProjection = { 0.5f, -0.75f };
		c.mSubTimer = 9;
		EXPECT_EQ( Written( c ), kStateMachine );
		std::string phaseKept = kStateMachine;
		phaseKept.replace( phaseKept.find( "mCurrPhase=\"4294967295\"" ), 23, "mCurrPhase=\"6\"" );
		EXPECT_EQ( ReadAndWrittenAgain<StateMachines::StateMachineComponent>(
		               kStateMachine, []( StateMachines::StateMachineComponent& read ) { read.mCurrPhase = 6; } ),
		           phaseKept );
	}

	constexpr const char* kSwitch = R"(<?xml version="1.0"?>
<ObjectComponent Name="SwitchComponent">
	<State mState="10" />
	<InnerState mInnerState="1" />
	<StateTimer mStateTimer="0.1" />
	<CurrPhase mCurrPhase="4294967294" />
	<SwitchColour mSwitchColour="6" />
</ObjectComponent>
)";

	TEST( ComponentForm, Switch )
	{
		Holder holder;
		auto& c = holder.Add<StateMachines::SwitchComponent>();
		c.mState = StateMachines::STATE_WAIT;
		c.mInnerState = StateMachines::INNER_STATE_ON_UPDATE;
		c.mStateTimer = 0.1f;
		c.mCurrPhase = -2;
		c.mSwitchColour = 6;
		c.mChargeColour = 3;
		EXPECT_EQ( Written( c ), kSwitch );
		EXPECT_EQ( ReadAndWrittenAgain<StateMachines::SwitchComponent>( kSwitch ), kSwitch );
	}

	constexpr const char* kGate = R"(<?xml version="1.0"?>
<ObjectComponent Name="GateComponent">
	<AI mAI="11" />
	<State mState="4" />
	<InnerState mInnerState="2" />
	<IsEnemy mIsEnemy="true" />
	<PauseGate mPauseGate="true" />
	<Content mContent="4294967293" />
	<Skip mSkip="2" />
	<StateTimer mStateTimer="1e+06" />
	<TargetList mTargetList.0="1" mTargetList.1="4294967295" mTargetList.2="3" mTargetList.3="0" mTargetList.4="6" />
</ObjectComponent>
)";

	TEST( ComponentForm, Gate )
	{
		Holder holder;
		auto& c = holder.Add<StateMachines::GateComponent>();
		c.mAI = 11;
		c.mState = StateMachines::STATE_REPAIR;
		c.mInnerState = StateMachines::INNER_STATE_ON_EXIT;
		c.mIsEnemy = true;
		c.mPauseGate = true;
		c.mContent = -3;
		c.mSkip = 2;
		c.mStateTimer = 1e6f;
		c.mTargetList = { 1, -1, 3, 0, 6 };
		c.mTargetPosition = 4;
		EXPECT_EQ( Written( c ), kGate );
		EXPECT_EQ( ReadAndWrittenAgain<StateMachines::GateComponent>( kGate ), kGate );
	}

	constexpr const char* kMine = R"(<?xml version="1.0"?>
<ObjectComponent Name="MineComponent">
	<AI mAI="7" />
	<StateTimer mStateTimer="2.5" />
	<WaitTimer mWaitTimer="0.1" />
	<Patrol mPatrol.0.x="1" mPatrol.0.y="2" mPatrol.1.x="-3" mPatrol.1.y="1e+06" />
	<Patrols mPatrols="true" />
	<Wait mWait="false" />
	<IsAttacking mIsAttacking="true" />
	<State mState="3" />
	<InnerState mInnerState="1" />
</ObjectComponent>
)";

	TEST( ComponentForm, Mine )
	{
		Holder holder;
		auto& c = holder.Add<StateMachines::MineComponent>();
		c.mAI = 7;
		c.mStateTimer = 2.5f;
		c.mWaitTimer = 0.1f;
		c.mPatrol = { Vector2( 1, 2 ), Vector2( -3, 1e6f ) };
		c.mPatrols = true;
		c.mWait = false;
		c.mIsAttacking = true;
		c.mState = StateMachines::STATE_ENGAGE;
		c.mInnerState = StateMachines::INNER_STATE_ON_UPDATE;
		c.mGleamTimer = 4;
		EXPECT_EQ( Written( c ), kMine );
		EXPECT_EQ( ReadAndWrittenAgain<StateMachines::MineComponent>( kMine ), kMine );
	}

	// The committed first level, loaded and saved again, is the same file; and so is
	// what that copy gives when it is loaded and saved in turn.
	TEST( ComponentForm, ALevelLoadedAndSavedIsTheSameFile )
	{
		// The file passed its objects through the exchange files of the level tests only;
		// kinds that other tests of this process registered stay out, as they did then.
		KelvaneTest::LevelFileSystem();
		KelvaneTest::ScopedResources unregistered;
		for ( const char* type : { "EmitterComponent", "CollisionDebugComponent", "SkillsComponent" } )
			unregistered.Point( type, "" );
		KelvaneTest::TempFolder folder;
		Graphics::AnimationManager animations( nullptr );
		Tarn::Services::Add<Graphics::AnimationManager>( &animations );
		const std::string original = std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml";
		std::string source = original;
		for ( const char* copy : { "first.xml", "second.xml" } )
		{
			auto* level = static_cast<Tarn::LevelObject*>( KelvaneTest::MakeObject( "LevelObject", "Level1" ) );
			ASSERT_NE( level, nullptr );
			Tarn::ResourceRecord from = Tarn::FileSystem::ParseRecord( source, true );
			level->Deserialise( from );
			ASSERT_EQ( level->ObjectNames().size(), KelvaneTest::kFirstLevelObjects );
			const Tarn::ResourceRecord to = Tarn::FileSystem::ParseRecord( folder / copy, true );
			ASSERT_TRUE( level->Save( to ) );
			Tarn::ObjectManager::Instance().DestroyAll();
			EXPECT_EQ( ReadWholeFile( to.mPath ), ReadWholeFile( original ) ) << copy;
			source = to.mPath;
		}
		Tarn::Services::Remove<Graphics::AnimationManager>();
	}
}
