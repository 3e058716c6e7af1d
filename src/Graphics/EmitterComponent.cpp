#include "Graphics/EmitterComponent.h"

#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Graphics/Camera.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/ParticleManager.h"
#include "Graphics/TextureManager.h"
#include "Physics/TransformComponent.h"
#include "Platform/TweakBar.h"
#include "Utilities/Log.h"
#include "Utilities/Random.h"
#include "core/MathConstants.h"
#include "core/Services.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

namespace Graphics
{
	TARN_REGISTER_COMPONENT_TYPE( EmitterComponent )

	namespace
	{
		using Tarn::Random::Unit;

		constexpr uint32_t kWhite = 0xFFFFFFFFu;
		constexpr float kFullTurn = 2.0f * Tarn::kPi;

		struct Pair
		{
			float x, y;
		};

		// One row of the preset table; an empty optional leaves the field as it is.
		struct Preset
		{
			const char* mName;
			const char* mTexture;
			std::optional<int32_t> mBehaviour;
			std::optional<int32_t> mDrawOrder;
			float mEmitLife;
			float mCurrentTimer;
			Pair mEmitPosition;
			bool mMoveToFinal;
			bool mFollow;
			float mAngleWidth, mAngleMain;
			Pair mMinSpeed, mMaxSpeed;
			Pair mScaleStart, mScaleEnd;
			Pair mSpawnDistance;
			float mLifeMin, mLifeMax;
			Tarn::Colour mColourStart, mColourEnd;
			bool mKeepStartRgb = false;
		};

		constexpr Tarn::Colour kWhiteColour{ 1, 1, 1, 1 };
		constexpr Tarn::Colour kNone{ 0, 0, 0, 0 };
		constexpr const char* kCircleTexture = "resource/circle texture.png";
		constexpr auto kSame = std::nullopt;

		// clang-format off
		const Preset kPresets[] = {
			{ "Explosion", nullptr, kSame, kSame, 0, 0, { 0, 0 }, false, true, kFullTurn, 0, { 1, 1 }, { 2, 2 }, { 1, 1 }, { 0, 0 }, { 0, 0 }, 0.1f, 2.5f, kWhiteColour, kNone },
			{ "Firewall", nullptr, kSame, kSame, 0, 0, { 0, 0 }, false, true, 0, Tarn::kPi * 0.5f, { 1, 1 }, { 2, 2 }, { 1, 1 }, { 0, 0 }, { 7, 0 }, 0.1f, 2.5f, kWhiteColour, kNone },
			{ "Speed Up", nullptr, kSame, kSame, 0, 0, { 0, 0 }, false, true, 0, 3.4f, { 1, 1 }, { 2, 2 }, { 0.5f, 0.2f }, { 0, 0 }, { 0, 0.2f }, 0.1f, 0.6f, { 2, 2, 1, 1 }, kNone },
			{ "Shadow Damage", nullptr, kSame, kSame, 0, 0, { 0, 0 }, false, true, kFullTurn, 0, { 1, 1 }, { 2, 2 }, { 1, 1 }, { 2, 2 }, { 0, 0.2f }, 0.1f, 0.6f, { 0, 0, 0, 1 }, kNone },
			{ "Player Damage", nullptr, kSame, kSame, 3, 1, { 0, 0 }, false, true, 1, 3, { 2, 2 }, { 4, 4 }, { 0.5f, 0.5f }, { 2, 2 }, { 0, 0.2f }, 0.1f, 0.6f, { 2, 2, 2, 1 }, kNone },
			{ "Dust Explosion", "resource/cloud_brown.png", kSame, kSame, 3, 0, { 0, 0 }, false, true, kFullTurn, 0, { 1, 1 }, { 2, 2 }, { 1, 1 }, { 0, 0 }, { 0, 0 }, 0.1f, 2.5f, kWhiteColour, kNone },
			{ "Boss Explosion", nullptr, kSame, kSame, 3, 0, { 0, 0 }, false, true, kFullTurn, 0, { 1, 1 }, { 2, 2 }, { 1, 1 }, { 0, 0 }, { 0, 10 }, 0.1f, 2.5f, kWhiteColour, kNone },
			{ "Melee Guard Stun", kCircleTexture, U_circlePath, kSame, 2, 0, { 0, 0.5f }, true, true, kFullTurn, 0, { 4, 4 }, { 4, 4 }, { 0.8f, 0.8f }, { 0, 0 }, { 0.6f, 0.6f }, 0.1f, 1, kWhiteColour, kNone },
			{ "CrystalFocusExplode", kCircleTexture, kSame, kSame, 2, 0, { 0, 0 }, false, true, kFullTurn, 0, { 1, 1 }, { 1, 1 }, { 0.8f, 0.8f }, { 0, 0 }, { 0, 0 }, 0.1f, 1, { 3, 0, 0, 1 }, kNone },
			{ "SwitchCharged", kCircleTexture, kSame, kSame, 0.5f, 0, { 0, 0 }, false, true, kFullTurn, 0, { 1, 1 }, { 1, 1 }, { 0.8f, 0.8f }, { 0, 0 }, { 1, 1 }, 0.1f, 0.5f, { 1, 1, 1, 1 }, kNone, true },
			{ "Energy Beam", "resource/cloud.png", kSame, kSame, 0.5f, 0, { 0, 0 }, true, true, kFullTurn, 0, { 1, 1 }, { 2, 2 }, { 0.8f, 0.8f }, { 0, 0 }, { 2, 2 }, 0.1f, 0.5f, { 5, 5, 5, 0 }, { 5, 5, 5, 1 } },
			{ "SwitchEffect", kCircleTexture, kSame, kSame, 0, 0, { 0, 0 }, false, true, kFullTurn, 0, { 0.1f, 0.1f }, { 0.2f, 0.2f }, { 1, 1 }, { 0, 0 }, { 0, 0 }, 0.1f, 1, kWhiteColour, kNone },
			{ "Circle Edge Spawn", kCircleTexture, U_circleEdgeSpawnSwirl, 3, 0, 0, { 0, 0 }, true, true, kFullTurn, 0, { 1, 1 }, { 1, 1 }, { 0.7f, 0.7f }, { 0.7f, 0.7f }, { 0.7f, 0.7f }, 0.5f, 0.5f, { 1.5f, 1.5f, 1.5f, 1 }, { 1.5f, 1.5f, 1.5f, 0 } },
			{ "Switch Activated", "resource/circle.png", U_singleBurst, 0, 0.5f, 0, { 0, 0 }, false, true, kFullTurn, 0, { 0, 0 }, { 0, 0 }, { 1, 1 }, { 2, 2 }, { 0, 0 }, 0.5f, 0.5f, { 1, 1, 1, 0.3f }, { 1, 1, 1, 0 } },
			{ "Gate Barrier", "resource/barrier particle.png", U_circleEdgeSpawnSwirl, 3, 0, 0, { -0.4f, 0 }, false, true, 4.4f, 1, { 0, 0.3f }, { 0, 0.5f }, { 0.7f, 0.7f }, { 0.7f, 0.7f }, { 1, 1 }, 0.5f, 0.5f, kWhiteColour, { 1, 1, 1, 0 } },
			{ "Gate Barrier Spike", "resource/barrier spike.png", U_singleBurstRotation, 1, 0, 0, { 0, 0 }, false, true, kFullTurn, 0, { 0, 0 }, { 0, 0 }, { 2, 2 }, { 3, 3 }, { 0, 0 }, 0.5f, 0.5f, kWhiteColour, { 1, 1, 1, 0 } },
			{ "Background", "resource/star.png", U_singleBurstRotation, 0, 0, 0, { 0, 0 }, false, false, kFullTurn, 0, { 0, 0 }, { 0, 0 }, { 1, 1 }, { 0, 0 }, { 35, 25 }, 3, 5, { 1, 1, 1, 0 }, { 1, 1, 1, 0.5f } },
			{ "Main Menu Background", "resource/ring particle.png", U_singleBurstRotation, -1, 0, 0, { 0, 0 }, false, false, kFullTurn, 0, { 0, 0 }, { 0, 0 }, { 0, 0 }, { 10, 10 }, { 35, 25 }, 3, 5, { 1, 1, 1, 0.5f }, { 1, 1, 1, 0 } },
			{ "Player Trail", kCircleTexture, U_circleEdgeSpawnRGB, 0, 0, 0, { 0, 0 }, false, true, kFullTurn, 0, { 0, 0 }, { 0, 0 }, { 1.2f, 1.2f }, { 0, 0 }, { 0.5f, 0.5f }, 1, 3, { 1, 1, 1, 0.5f }, kNone },
			{ "Background Star Color", "resource/star gray.png", U_singleBurstRotationStarColor, 0, 0, 0, { 0, 0 }, false, false, kFullTurn, 0, { 0, 0 }, { 0, 0 }, { 1, 1 }, { 0, 0 }, { 40, 40 }, 3, 5, { 1, 1, 1, 0 }, { 1, 1, 1, 0.5f } },
			{ "Portal Swirl", kCircleTexture, U_circleEdgeSpawnSwirlColor, 3, 0, 0, { 0, 0 }, true, true, kFullTurn, 0, { 0.1f, 0.1f }, { 0, 0 }, { 1, 1 }, { 0, 0 }, { 0.9f, 0.9f }, 8, 8, { 1, 1, 1, 0 }, { 1, 1, 1, 1 } },
			{ "Angle Sparks", "resource/Particle Sprites/Metalball.png", kSame, kSame, 0.1f, 0, { 0.3f, 0.3f }, false, true, 1, 0, { 0.2f, 0.2f }, { 1, 1 }, { 0.6f, 0.6f }, { 0, 0 }, { 0.1f, 0.1f }, 1, 2, { 9, 9, 0, 1 }, { 9, 9, 0, 0 } },
			{ "Win Explosion", kCircleTexture, U_circleEdgeSpawnSwirlColor, kSame, 0, 0, { 0, 0 }, false, true, kFullTurn, 0, { 3, 3 }, { 5, 5 }, { 1.5f, 1.5f }, { 0, 0 }, { 5, 5 }, 1, 2, kWhiteColour, kNone },
		};
		// clang-format on

		// Button labels: two presets answer to two names each.
		constexpr const char* kPresetLabels[] = {
			"Explosion", "Firewall", "Speed Up", "Shadow Damage", "Player Damage", "Dust Explosion", "Boss Explosion",
			"Melee Guard Stun", "CrystalFocusExplode", "SwitchCharged", "Energy Beam", "SwitchEffect", "Gate",
			"Circle Edge Spawn", "Switch Activated", "Gate Barrier", "Gate Barrier Spike", "Background",
			"Main Menu Background", "Player Trail", "Background Star Color", "Portal Swirl", "Angle Sparks",
			"Win Explosion", "Beam",
		};

		const Preset* FindPreset( std::string_view name )
		{
			if ( name == "Gate" )
				name = "SwitchEffect";
			else if ( name == "Beam" )
				name = "Win Explosion";
			for ( const Preset& preset : kPresets )
				if ( name == preset.mName )
					return &preset;
			return nullptr;
		}

		template <size_t I>
		void PresetButton( void* clientData )
		{
			static_cast<EmitterComponent*>( clientData )->ApplyPreset( kPresetLabels[I] );
		}

		template <size_t... I>
		constexpr std::array<TwButtonCallback, sizeof...( I )> PresetButtons( std::index_sequence<I...> )
		{
			return { &PresetButton<I>... };
		}

		// Whether drawing the particle could change a pixel. A fully transparent one
		// blends to what is there already, and one squashed flat on an axis covers no
		// pixel; neither is worth a draw call. Levels arm many emitters whose particles
		// live at zero life in such an end state.
		bool CanShow( const Particle& particle )
		{
			return !particle.mIsDead && particle.mColour.a > 0.0f && particle.mScale.x != 0.0f && particle.mScale.y != 0.0f;
		}

		bool SpawnsOnCircle( int32_t behaviour )
		{
			switch ( behaviour )
			{
			case U_circleEdgeSpawn:
			case U_circleEdgeSpawnSwirl:
			case U_circleEdgeSpawnRGB:
			case U_circleEdgeSpawnSwirlGray:
			case U_circleEdgeSpawnSwirlColor:
			case U_unnamedSwirlColor:
				return true;
			default:
				return false;
			}
		}

		bool Swirls( int32_t behaviour )
		{
			return behaviour == U_circleEdgeSpawnSwirl || behaviour == U_circleEdgeSpawnSwirlGray ||
			       behaviour == U_circleEdgeSpawnSwirlColor || behaviour == U_unnamedSwirlColor;
		}

		// Single bursts grow freely and end when their scale turns negative.
		bool IsBurst( int32_t behaviour )
		{
			return behaviour == U_singleBurst || behaviour == U_singleBurstRotation ||
			       behaviour == U_singleBurstRotationStarColor;
		}

		bool TintsAlphaOnly( int32_t behaviour )
		{
			return behaviour == U_circleEdgeSpawnRGB || behaviour == U_singleBurstRotationStarColor ||
			       behaviour == U_circleEdgeSpawnSwirlGray || behaviour == U_circleEdgeSpawnSwirlColor ||
			       behaviour == U_unnamedSwirlColor;
		}

		void PickColour( Tarn::Colour& colour )
		{
			const int k = static_cast<int>( Unit() * 2.99f );
			colour.r = k == 0 ? 5.0f : 1.0f;
			colour.g = k == 1 ? 5.0f : 1.0f;
			colour.b = k == 2 ? 5.0f : 1.0f;
		}

		// The two angles of the circle path, shared by every emitter of the game.
		float& CirclePathAngle( int which )
		{
			static float angles[2] = { 0.0f, 0.0f };
			return angles[which];
		}

		// The plane parts of an emitter vector; the third stays out of the file.
		constexpr Tarn::NamedPart<EmitterVector> kPlaneParts[] = { { ".X", &EmitterVector::X }, { ".Y", &EmitterVector::Y } };

		constexpr const char* kUpdateBehaviourNames =
		    "U_default, U_fadeIn, U_circleEdgeSpawn, U_circleEdgeSpawnSwirl, U_singleBurst, U_circlePath, "
		    "U_singleBurstRotation, U_circleEdgeSpawnRGB, U_singleBurstRotationStarColor, U_circleEdgeSpawnSwirlGray, "
		    "U_circleEdgeSpawnSwirlColor";
	}

	std::span<const char* const> EmitterComponent::PresetNames() { return kPresetLabels; }

	EmitterComponent::EmitterComponent( Tarn::Object* owner ) : ObjectComponent( owner )
	{
		mVertices[0] = { -0.5f, 0.5f, 0.0f, kWhite, 0.0f, 0.0f };
		mVertices[1] = { -0.5f, -0.5f, 0.0f, kWhite, 0.0f, 1.0f };
		mVertices[2] = { 0.5f, 0.5f, 0.0f, kWhite, 1.0f, 0.0f };
		mVertices[3] = { 0.5f, -0.5f, 0.0f, kWhite, 1.0f, 1.0f };
		mEnabled = false;
		mVisible = false;
	}

	EmitterComponent::~EmitterComponent()
	{
		if ( mVertexBuffer && Device() )
			Device()->ReleaseVertexBuffer( mVertexBuffer );
	}

	void EmitterComponent::Initialise()
	{
		mManager = Tarn::Services::Get<ParticleManager>();
		if ( mManager )
			mManager->Register( this );
		mGraphicsManager = Tarn::Services::Get<GraphicsManager>();
		mPtrToDevicePtr = mGraphicsManager ? mGraphicsManager->GetDevicePointer() : nullptr;
		if ( Platform::RenderDevice* device = Device() )
			if ( !mVertexBuffer )
				// 192 bytes, as a mesh's buffer: eight vertices, the first four the quad.
				mVertexBuffer = device->CreateVertexBuffer( 8 );
		FillVertexBuffer();

		mDrawOrder = 1;
		mPixelShaderColor = Tarn::Colour{ 1, 1, 1, 1 };
		mPixelShaderColorStart = Tarn::Colour{ 1, 1, 1, 1 };
		mPixelShaderColorEnd = Tarn::Colour{ 0, 0, 0, 0 };
		mEmitLifeTime = mEmitCurrentTimer = -1.0f;
		mEmitSpawnRate = mEmitSpawnTimer = 0.0f;
		mAngleWidth = mAngleMain = 0.0f;
		mMinLifeTime = mMaxLifeTime = 0.0f;
		mMoveToFinalPosition = false;
		mFollowObject = true;
		mEmitComplete = true;
		mVisible = false;
		mEnabled = false;
		for ( Particle& particle : mParticles )
		{
			particle.mIsDead = true;
			particle.mWorld = Identity();
			particle.mColour = Tarn::Colour{ 1, 1, 1, 1 };
		}
	}

	void EmitterComponent::Shutdown()
	{
		if ( mManager )
			mManager->Unregister( this );
		mManager = nullptr;
		if ( mVertexBuffer && Device() )
			Device()->ReleaseVertexBuffer( mVertexBuffer );
		mVertexBuffer = 0;
		mEnabled = false;
		mVisible = false;
	}

	void EmitterComponent::FillVertexBuffer()
	{
		Platform::RenderDevice* device = Device();
		if ( !device || !mVertexBuffer )
			return;
		if ( CUSTOMVERTEX* target = device->Lock( mVertexBuffer ) )
		{
			std::memcpy( target, mVertices, sizeof( mVertices ) );
			device->Unlock( mVertexBuffer );
		}
	}

	void EmitterComponent::SetTexture( const std::string& name )
	{
		if ( &name != &mTextureName )
			mTextureName = name;
		TextureManager* textures = Tarn::Services::Get<TextureManager>();
		mTexture = textures ? textures->GetTexture( mTextureName ) : 0;
	}

	bool EmitterComponent::IsOwnedByMine() const
	{
		static const Tarn::HashedName kMine( "Mine" );
		return mOwner && mOwner->GetType().GetHash() == kMine.GetHash();
	}

	int EmitterComponent::LiveParticleCount() const
	{
		return static_cast<int>(
		    std::count_if( std::begin( mParticles ), std::end( mParticles ), []( const Particle& p ) { return !p.mIsDead; } ) );
	}

	void EmitterComponent::AimAt( float x, float y )
	{
		mEmitCurrentTimer = 0.0f;
		float ownerX = 0.0f, ownerY = 0.0f;
		if ( auto* transform = mOwner ? mOwner->GetComponent<Tarn::TransformComponent>() : nullptr )
		{
			ownerX = transform->mPosition.X;
			ownerY = transform->mPosition.Y;
		}
		const float dx = x - ownerX, dy = y - ownerY;
		const float length = std::sqrt( dx * dx + dy * dy );
		// Aimed at the owner itself there is no direction: the particles start at the
		// owner rather than at a position divided by zero.
		if ( length > 0.0f )
			mEmitPosition = { dx / length * 0.45f, dy / length * 0.45f, 0.0f };
		else
			mEmitPosition = { 0.0f, 0.0f, 0.0f };
		mAngleMain = std::atan2( dy, dx ) - mAngleWidth / 2.0f;
		if ( auto* mesh = mOwner ? mOwner->GetComponent<MeshComponent>() : nullptr )
			mPixelShaderColorStart = mesh->mColour;
	}

	bool EmitterComponent::ApplyPreset( std::string_view name )
	{
		const Preset* preset = FindPreset( name );
		if ( !preset )
		{
			LOG_ERROR( "There is no particle preset named \"" << std::string( name ) << "\"" );
			return false;
		}
		if ( preset->mTexture )
			SetTexture( preset->mTexture );
		if ( preset->mBehaviour )
			mUpdateBehavior = *preset->mBehaviour;
		if ( preset->mDrawOrder )
			mDrawOrder = *preset->mDrawOrder;
		mEmitLifeTime = preset->mEmitLife;
		mEmitCurrentTimer = preset->mCurrentTimer;
		mEmitSpawnRate = 0.0f;
		mEmitSpawnTimer = 0.0f;
		mEmitPosition = { preset->mEmitPosition.x, preset->mEmitPosition.y, 0.0f };
		mFinalPosition = {};
		mEmitVelocity = {};
		mMoveToFinalPosition = preset->mMoveToFinal;
		mFollowObject = preset->mFollow;
		mAngleWidth = preset->mAngleWidth;
		mAngleMain = preset->mAngleMain;
		mMinSpeed = { preset->mMinSpeed.x, preset->mMinSpeed.y, preset->mMinSpeed.x };
		mMaxSpeed = { preset->mMaxSpeed.x, preset->mMaxSpeed.y, preset->mMaxSpeed.x };
		mScaleStart = { preset->mScaleStart.x, preset->mScaleStart.y, preset->mScaleStart.x };
		mScaleEnd = { preset->mScaleEnd.x, preset->mScaleEnd.y, preset->mScaleEnd.x };
		mSpawnDistance = { preset->mSpawnDistance.x, preset->mSpawnDistance.y, 0.0f };
		mMinLifeTime = preset->mLifeMin;
		mMaxLifeTime = preset->mLifeMax;
		if ( preset->mKeepStartRgb )
			mPixelShaderColorStart.a = preset->mColourStart.a;
		else
			mPixelShaderColorStart = preset->mColourStart;
		mPixelShaderColorEnd = preset->mColourEnd;
		mEmitComplete = false;
		return true;
	}

	void EmitterComponent::Respawn( Particle& particle, float dt, float ownerX, float ownerY )
	{
		particle.mAngle = Unit() * mAngleWidth + mAngleMain;

		glm::vec3& position = particle.mPosition;
		if ( SpawnsOnCircle( mUpdateBehavior ) && mFollowObject )
		{
			position.x = std::cos( particle.mAngle ) * mSpawnDistance.X + mEmitPosition.X + ownerX;
			position.y = std::sin( particle.mAngle ) * mSpawnDistance.Y + mEmitPosition.Y + ownerY;
		}
		else
		{
			position.x = Unit() * mSpawnDistance.X - mSpawnDistance.X / 2.0f + mEmitPosition.X;
			position.y = Unit() * mSpawnDistance.Y - mSpawnDistance.Y / 2.0f + mEmitPosition.Y;
			if ( mFollowObject )
			{
				position.x += ownerX;
				position.y += ownerY;
			}
		}
		position.z = mEmitPosition.Z;

		glm::vec3& velocity = particle.mVelocity;
		if ( !mMoveToFinalPosition )
		{
			velocity.x = ( Unit() * mMaxSpeed.X + mMinSpeed.X ) * std::cos( particle.mAngle );
			velocity.y = ( Unit() * mMaxSpeed.Y + mMinSpeed.Y ) * std::sin( particle.mAngle );
			velocity.z = 0.0f;
		}
		else if ( Swirls( mUpdateBehavior ) )
		{
			// Heads for a point one unit off the final point, on the side of its angle.
			particle.mAngle -= Unit() * dt * 100.0f;
			velocity.x = ( mFinalPosition.X - position.x + ownerX ) - std::cos( particle.mAngle );
			velocity.y = ( mFinalPosition.Y - position.y + ownerY ) - std::sin( particle.mAngle );
			velocity.z = mFinalPosition.Z - position.z;
			velocity *= 0.5f;
		}
		else
			// Arrives at the final point in one second.
			velocity = glm::vec3( mFinalPosition.X + ownerX, mFinalPosition.Y + ownerY, mFinalPosition.Z ) - position;

		const float life = Unit() * mMaxLifeTime + mMinLifeTime;
		particle.mLifeTime = particle.mTimeLeft = life;
		particle.mScale = glm::vec3( 1.0f );
		mEmitSpawnTimer = mEmitSpawnRate;
		particle.mIsDead = false;
		mEmitComplete = false;
	}

	void EmitterComponent::Update( Tarn::GameTime& gameTime )
	{
		if ( IsOwnedByMine() )
			return;
		const float dt = gameTime.ElapsedSeconds;
		const int32_t behaviour = mUpdateBehavior;

		if ( behaviour == U_circlePath )
		{
			CirclePathAngle( 0 ) += dt * mMinSpeed.X;
			CirclePathAngle( 1 ) += dt * mMinSpeed.Y;
			mEmitPosition.X = std::cos( CirclePathAngle( 0 ) ) * mSpawnDistance.X;
			mEmitPosition.Y = std::sin( CirclePathAngle( 1 ) ) * mSpawnDistance.Y;
		}

		float ownerX = 0.0f, ownerY = 0.0f;
		if ( auto* transform = mOwner ? mOwner->GetComponent<Tarn::TransformComponent>() : nullptr )
		{
			ownerX = transform->mPosition.X;
			ownerY = transform->mPosition.Y;
		}

		const bool burst = IsBurst( behaviour );
		const bool alphaOnly = TintsAlphaOnly( behaviour );
		for ( Particle& particle : mParticles )
		{
			if ( !particle.mIsDead )
			{
				particle.mTimeLeft -= dt;
				bool dies = particle.mTimeLeft < 0.0f;
				if ( burst && ( particle.mScale.x < 0.0f || particle.mScale.y < 0.0f || particle.mScale.z < 0.0f ) )
					dies = true;
				if ( dies )
				{
					particle.mIsDead = true;
					if ( behaviour == U_circleEdgeSpawnSwirlGray )
						particle.mColour.r = particle.mColour.g = particle.mColour.b = 1.0f - Unit() * 0.25f;
					else if ( alphaOnly )
						PickColour( particle.mColour );
				}
			}

			if ( particle.mIsDead && mEmitSpawnTimer <= 0.0f && mEmitCurrentTimer <= mEmitLifeTime )
				Respawn( particle, dt, ownerX, ownerY );

			// A particle without a life is at its end.
			const float t = particle.mLifeTime != 0.0f ? 1.0f - particle.mTimeLeft / particle.mLifeTime : 1.0f;
			particle.mScale.x = mScaleStart.X + ( mScaleEnd.X - mScaleStart.X ) * t;
			particle.mScale.y = mScaleStart.Y + ( mScaleEnd.Y - mScaleStart.Y ) * t;
			particle.mScale.z = mScaleStart.Z + ( mScaleEnd.Z - mScaleStart.Z ) * t;
			if ( !burst )
			{
				particle.mScale.x = std::min( particle.mScale.x, mScaleStart.X );
				particle.mScale.y = std::min( particle.mScale.y, mScaleStart.Y );
				particle.mScale.z = std::min( particle.mScale.z, mScaleStart.Z );
			}

			Tarn::Colour& colour = particle.mColour;
			colour.a = mPixelShaderColorStart.a + ( mPixelShaderColorEnd.a - mPixelShaderColorStart.a ) * t;
			if ( !alphaOnly )
			{
				colour.r = mPixelShaderColorStart.r + ( mPixelShaderColorEnd.r - mPixelShaderColorStart.r ) * t;
				colour.g = mPixelShaderColorStart.g + ( mPixelShaderColorEnd.g - mPixelShaderColorStart.g ) * t;
				colour.b = mPixelShaderColorStart.b + ( mPixelShaderColorEnd.b - mPixelShaderColorStart.b ) * t;
			}
			if ( behaviour == U_fadeIn && colour.a - mPixelShaderColorEnd.a <= Tarn::kFloatEpsilon )
				mPixelShaderColorEnd.a = 0.0f;

			particle.mPosition += particle.mVelocity * dt;
			particle.mWorld = Tarn::Scaling( particle.mScale.x, particle.mScale.y, particle.mScale.z ) *
			                  Tarn::RotationZ( particle.mAngle ) *
			                  Tarn::Translation( particle.mPosition.x, particle.mPosition.y, particle.mPosition.z );
		}
	}

	void EmitterComponent::Draw( Tarn::GameTime& )
	{
		if ( IsOwnedByMine() )
			return;
		Platform::RenderDevice* device = Device();
		if ( !device || !mGraphicsManager || !mVertexBuffer )
			return;
		if ( std::none_of( std::begin( mParticles ), std::end( mParticles ), CanShow ) )
			return;
		const Matrix view = device->GetTransform( Platform::TransformKind::View );
		const Matrix projection = device->GetTransform( Platform::TransformKind::Projection );
		const Matrix viewProjection = view * projection;
		static const Tarn::HashedName kCameraName( "Camera1" );
		Camera* camera = dynamic_cast<Camera*>( Tarn::ObjectManager::Instance().GetObject( kCameraName ) );

		const Platform::ShaderHandle pixelShader = mGraphicsManager->GetPixelShader();
		const Platform::ShaderHandle vertexShader = mGraphicsManager->GetVertexShader();
		device->SetPixelShader( pixelShader );
		device->SetTexture( 0, mTexture );
		for ( const Particle& particle : mParticles )
		{
			if ( !CanShow( particle ) )
				continue;
			const float colour[4] = { particle.mColour.r, particle.mColour.g, particle.mColour.b, particle.mColour.a };
			device->SetShaderFloat4( pixelShader, "rgba0", colour );
			const Matrix shake = camera ? camera->GetShakeMatrix() : Identity();
			device->SetShaderMatrix( vertexShader, "WorldViewProj", particle.mWorld * viewProjection * shake );
			device->SetTransform( Platform::TransformKind::World, particle.mWorld );
			device->DrawTriangleStrip( mVertexBuffer, 0, 2 );
		}
	}

	const Tarn::ComponentProperties& EmitterComponent::Properties() const
	{
		using P = Tarn::Declare<EmitterComponent>;
		using C = EmitterComponent;
		static const Tarn::ComponentProperties kProperties = []() {
			const char* const emitter = " group=Emitter step=0.1 ";
			const char* const particles = " group=Particles step=0.1 ";
			const char* const shader = " group='Particles Shader' step=0.1 ";
			std::vector<Tarn::Property> rows = {
				P::Float( "EmitLifeTime", "mEmitLifeTime", &C::mEmitLifeTime ).Bar( "LifeTime", emitter ),
				P::Float( "EmitCurrentTimer", "mEmitCurrentTimer", &C::mEmitCurrentTimer ).Bar( "Current Timer", emitter ),
				P::Float( "EmitSpawnRate", "mEmitSpawnRate", &C::mEmitSpawnRate ).Bar( "Spawn Rate", emitter ),
				P::Float( "EmitSpawnTimer", "mEmitSpawnTimer", &C::mEmitSpawnTimer ).Bar( "Spawn Timer", emitter ),
				P::Compound( "EmitPosition", "mEmitPosition", &C::mEmitPosition, kPlaneParts )
				    .Bar( { "Position X", "Position Y" }, emitter ),
				// The bar shows these beside the position; the file keeps them further down.
				P::Tweak( "Follow Object", &C::mFollowObject, emitter ),
				P::Tweak( "Move To Final Position", &C::mMoveToFinalPosition, emitter ),
				P::Tweak( "Final Position X", &C::mFinalPosition, &EmitterVector::X, emitter ),
				P::Tweak( "Final Position Y", &C::mFinalPosition, &EmitterVector::Y, emitter ),
				P::Compound( "EmitVelocity", "mEmitVelocity", &C::mEmitVelocity, kPlaneParts )
				    .Bar( { "Velocity X", "Velocity Y" }, emitter ),
				P::Tweak( "Update Behavior", &C::mUpdateBehavior, "group='Emitter'" )
				    .Enumeration( "UpdateBehaviorType", kUpdateBehaviourNames ),
				P::Tweak( "Draw Behavior", &C::mDrawBehavior, "" ).Enumeration( "DrawBehaviorType", "D_default" ),
				P::Float( "AngleWidth", "mAngleWidth", &C::mAngleWidth ).Bar( "Angle Width", particles ),
				P::Float( "AngleMain", "mAngleMain", &C::mAngleMain ).Bar( "Angle Main", particles ),
				P::Compound( "MinSpeed", "mMinSpeed", &C::mMinSpeed, kPlaneParts )
				    .Bar( { "Minimum Speed X", "Minimum Speed Y" }, particles ),
				P::Compound( "MaxSpeed", "mMaxSpeed", &C::mMaxSpeed, kPlaneParts )
				    .Bar( { "Maximum Speed X", "Maximum SpeedY" }, particles ),
				P::Compound( "ScaleStart", "mScaleStart", &C::mScaleStart, kPlaneParts )
				    .Bar( { "Scale Start X", "Scale Start Y" }, particles ),
				P::Compound( "ScaleEnd", "mScaleEnd", &C::mScaleEnd, kPlaneParts ).Bar( { "Scale End X", "Scale End Y" }, particles ),
				P::Compound( "SpawnDistance", "mSpawnDistance", &C::mSpawnDistance, kPlaneParts )
				    .Bar( { "Spawn Distance X", "Spawn Distance Y" }, particles ),
				P::Float( "MinLifeTime", "mMinLifeTime", &C::mMinLifeTime ).Bar( "Minimum LifeTime", particles ),
				P::Float( "MaxLifeTime", "mMaxLifeTime", &C::mMaxLifeTime ).Bar( "MaximumLifeTime", particles ),
				P::Compound( "FinalPosition", "mFinalPosition", &C::mFinalPosition, kPlaneParts ),
				P::Compound( "PixelShaderColor", "mPixelShaderColor", &C::mPixelShaderColor, Tarn::Parts::kNumberedRGBA ),
				P::Compound( "PixelShaderColorStart", "mPixelShaderColorStart", &C::mPixelShaderColorStart,
				             Tarn::Parts::kNumberedRGBA )
				    .Bar( { "Red Start", "Green Start", "Blue Start", "Alpha Start" }, shader ),
				P::Compound( "PixelShaderColorEnd", "mPixelShaderColorEnd", &C::mPixelShaderColorEnd, Tarn::Parts::kNumberedRGBA )
				    .Bar( { "Red End", "Green End", "Blue End", "Alpha End" }, shader ),
				P::Bool( "EmitComplete", "mEmitComplete", &C::mEmitComplete ).WriteOnly(),
				P::Bool( "MoveToFinalPosition", "mMoveToFinalPosition", &C::mMoveToFinalPosition ),
				P::Bool( "FollowObject", "mFollowObject", &C::mFollowObject ),
				P::Int( "UpdateBehavior", "mUpdateBehavior", &C::mUpdateBehavior ),
				P::Int( "DrawBehavior", "mDrawBehavior", &C::mDrawBehavior ),
				// The picture too, so that an effect tuned and saved keeps its look; files
				// written before the picture was kept leave the texture as it is.
				P::String( "TextureName", "mTextureName", &C::mTextureName ).KeptWhenMissing(),
				P::Tweak( "Draw Order", &C::mDrawOrder, "group='Draw'" ),
			};
			static constexpr auto kButtons = PresetButtons( std::make_index_sequence<std::size( kPresetLabels )>() );
			for ( size_t i = 0; i < kButtons.size(); ++i )
				rows.push_back( P::Button( kPresetLabels[i], kButtons[i], "group=Presets" ) );
			return Tarn::ComponentProperties( std::move( rows ) );
		}();
		return kProperties;
	}

	void EmitterComponent::OnDeserialised( const pugi::xml_node& element )
	{
		// Armed again, whatever the file says.
		mEmitComplete = false;
		if ( mUpdateBehavior < 0 || mUpdateBehavior >= kBehaviourCount )
		{
			LOG_WARNING( "Particle behaviour " << mUpdateBehavior << " of " << ( mOwner ? mOwner->GetName().GetName() : "" )
			                                   << " does not exist; the emitter behaves as behaviour 0" );
			mUpdateBehavior = U_default;
		}
		if ( element.child( "TextureName" ) )
			SetTexture( mTextureName );
	}
}
