#pragma once

#include "Core/GameComponent.h"
#include "core/HashedName.h"
#include "core/Vector2.h"

#include <array>
#include <vector>

namespace Tarn
{
	class TransformComponent;
}

namespace Physics
{
	// Keeps the live transforms and, on every update, integrates the moving ones and
	// rebuilds every world matrix. Motion is velocity plus a force that lasts one step,
	// with an optional friction; there is no mass and no rotation dynamics.
	class PhysicsManager : public Tarn::GameComponent
	{
		TARN_CLASS_NAME( PhysicsManager )

	public:
		static constexpr size_t kPoolCount = 4;

		enum class List
		{
			Dynamic,
			Static,
			Pool1,
			Pool2,
			Pool3,
			Pool4,
		};

		explicit PhysicsManager( Tarn::Game* game ) : GameComponent( game ) {}

		// Integrates after every other service of the step.
		void Initialise() override;
		void Update( Tarn::GameTime& gameTime ) override;
		// Empties the dynamic and static lists; the pools stay with their owners.
		void Shutdown() override;

		void Integrate( float dt );

		void Register( Tarn::TransformComponent* transform, List list );
		// Takes the transform out of every list and pool that holds it.
		void Unregister( Tarn::TransformComponent* transform );
		// Empties the boss-part pools; the level teardown calls it.
		void ClearPools();

		void FadeBossParts( float dt );
		void LaunchDebris( const Tarn::Vector2& position, float baseAngle );

		const std::vector<Tarn::TransformComponent*>& DynamicTransforms() const { return mDynamic; }
		const std::vector<Tarn::TransformComponent*>& StaticTransforms() const { return mStatic; }
		const std::vector<Tarn::TransformComponent*>& Pool( size_t index ) const { return mPools[index]; }

		std::vector<Tarn::TransformComponent*> mDynamic;
		std::vector<Tarn::TransformComponent*> mStatic;
		std::array<std::vector<Tarn::TransformComponent*>, kPoolCount> mPools;
		// Set by the player while it lives.
		Tarn::Vector2* mPlayerPosition = nullptr;
	};
}
