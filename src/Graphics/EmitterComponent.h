#pragma once

#include "Core/GameComponent.h"
#include "Core/ObjectComponent.h"
#include "Graphics/Matrices.h"
#include "Platform/RenderDevice.h"
#include "core/Colour.h"
#include "core/HashedName.h"

#include <glm/vec3.hpp>

#include <span>
#include <string>
#include <string_view>

namespace Graphics
{
	class GraphicsManager;
	class ParticleManager;
	using CUSTOMVERTEX = Platform::Vertex;

	// A plane vector with a third coordinate that effects keep at 0 unless code sets it.
	struct EmitterVector
	{
		float X = 0.0f;
		float Y = 0.0f;
		float Z = 0.0f;
	};

	enum UpdateBehaviorType : int32_t
	{
		U_default,
		U_fadeIn,
		U_circleEdgeSpawn,
		U_circleEdgeSpawnSwirl,
		U_singleBurst,
		U_circlePath,
		U_singleBurstRotation,
		U_circleEdgeSpawnRGB,
		U_singleBurstRotationStarColor,
		U_circleEdgeSpawnSwirlGray,
		U_circleEdgeSpawnSwirlColor,
		// Handled like U_circleEdgeSpawnSwirlColor; no preset sets it, stored files may.
		U_unnamedSwirlColor,
	};

	enum DrawBehaviorType : int32_t
	{
		D_default,
	};

	struct Particle
	{
		glm::vec3 mPosition{ 0.0f };
		glm::vec3 mVelocity{ 0.0f };
		float mUnused[2] = { 0.0f, 0.0f };
		float mAngle = 0.0f;
		glm::vec3 mScale{ 1.0f };
		float mLifeTime = 10.0f;
		float mTimeLeft = 0.0f;
		Matrix mWorld = Identity();
		Tarn::Colour mColour;
		bool mIsDead = true;
	};

	// A fixed pool of particles spawned, aged, tinted and drawn under one of the
	// update behaviours. The game updates and draws it through its own tables; the
	// particle manager switches it on and off.
	class EmitterComponent : public Tarn::ObjectComponent, public Tarn::IsDrawable, public Tarn::IsUpdatable
	{
		TARN_CLASS_NAME( EmitterComponent )

	public:
		static constexpr int kParticleCount = 50;
		static constexpr int kBehaviourCount = 12;

		explicit EmitterComponent( Tarn::Object* owner );
		~EmitterComponent() override;

		void Initialise() override;
		void Shutdown() override;
		const Tarn::ComponentProperties& Properties() const override;
		void Update( Tarn::GameTime& gameTime ) override;
		void Draw( Tarn::GameTime& gameTime ) override;

		void SetTexture( const std::string& name );
		// Starts the effect towards a world point: particles leave 0.45 units from the
		// owner, spread around the direction, in the colour of the owner's mesh.
		void AimAt( float x, float y );

		// The preset of that name (every button label); false for an unknown name.
		bool ApplyPreset( std::string_view name );
		// Every preset button label, in the order of the tweak bar.
		static std::span<const char* const> PresetNames();

		void Explosion() { ApplyPreset( "Explosion" ); }
		void Firewall() { ApplyPreset( "Firewall" ); }
		void SpeedUp() { ApplyPreset( "Speed Up" ); }
		void ShadowDamage() { ApplyPreset( "Shadow Damage" ); }
		void PlayerDamage() { ApplyPreset( "Player Damage" ); }
		void DustExplosion() { ApplyPreset( "Dust Explosion" ); }
		void BossExplosion() { ApplyPreset( "Boss Explosion" ); }
		void MeleeGuardStun() { ApplyPreset( "Melee Guard Stun" ); }
		void CrystalFocusExplode() { ApplyPreset( "CrystalFocusExplode" ); }
		void SwitchCharged() { ApplyPreset( "SwitchCharged" ); }
		void EnergyBeam() { ApplyPreset( "Energy Beam" ); }
		void SwitchEffect() { ApplyPreset( "SwitchEffect" ); }
		void CircleEdgeSpawn() { ApplyPreset( "Circle Edge Spawn" ); }
		void SwitchActivated() { ApplyPreset( "Switch Activated" ); }
		void GateBarrier() { ApplyPreset( "Gate Barrier" ); }
		void GateBarrierSpike() { ApplyPreset( "Gate Barrier Spike" ); }
		void Background() { ApplyPreset( "Background" ); }
		void MainMenuBackground() { ApplyPreset( "Main Menu Background" ); }
		void PlayerTrail() { ApplyPreset( "Player Trail" ); }
		void BackgroundStarColor() { ApplyPreset( "Background Star Color" ); }
		void PortalSwirl() { ApplyPreset( "Portal Swirl" ); }
		void AngleSparks() { ApplyPreset( "Angle Sparks" ); }
		void WinExplosion() { ApplyPreset( "Win Explosion" ); }

		const Particle* GetParticles() const { return mParticles; }
		int LiveParticleCount() const;
		const std::string& GetTextureName() const { return mTextureName; }
		Platform::TextureHandle GetPtrTexture() const { return mTexture; }
		Platform::BufferHandle GetVertexBuffer() const { return mVertexBuffer; }

		float mEmitLifeTime = -1.0f;
		float mEmitCurrentTimer = -1.0f;
		float mEmitSpawnRate = 0.0f;
		float mEmitSpawnTimer = 0.0f;
		EmitterVector mEmitPosition;
		EmitterVector mEmitVelocity;
		float mAngleWidth = 0.0f;
		float mAngleMain = 0.0f;
		EmitterVector mMinSpeed;
		EmitterVector mMaxSpeed;
		EmitterVector mScaleStart{ 1.0f, 1.0f, 1.0f };
		EmitterVector mScaleEnd{ 1.0f, 1.0f, 1.0f };
		EmitterVector mSpawnDistance;
		float mMinLifeTime = 0.0f;
		float mMaxLifeTime = 0.0f;
		Tarn::Colour mPixelShaderColor;
		int32_t mUpdateBehavior = U_default;
		int32_t mDrawBehavior = D_default;
		Tarn::Colour mPixelShaderColorStart;
		EmitterVector mFinalPosition;
		Tarn::Colour mPixelShaderColorEnd{ 0.0f, 0.0f, 0.0f, 0.0f };
		bool mEmitComplete = true;
		bool mMoveToFinalPosition = false;
		bool mFollowObject = true;
		Particle mParticles[kParticleCount];
		std::string mTextureName;
		Platform::BufferHandle mVertexBuffer = 0;
		Platform::TextureHandle mTexture = 0;
		Matrix mEmitterWorld = Identity();
		CUSTOMVERTEX mVertices[4];

	protected:
		// A loaded emitter is armed again and keeps to the behaviours there are.
		void OnDeserialised( const pugi::xml_node& element ) override;

	private:
		Platform::RenderDevice* Device() const { return mPtrToDevicePtr ? *mPtrToDevicePtr : nullptr; }
		bool IsOwnedByMine() const;
		void Respawn( Particle& particle, float dt, float ownerX, float ownerY );
		void FillVertexBuffer();

		ParticleManager* mManager = nullptr;
		GraphicsManager* mGraphicsManager = nullptr;
		Platform::RenderDevice* const* mPtrToDevicePtr = nullptr;
	};
}
