#pragma once

// The level objects that carry no behaviour of their own: the background with its star
// field, the crystal-face enemy sprites, the enemy-spawner pads, the tutorial sign and
// the objective markers' trigger points. Each is its component list and its start
// values; what they do is others' (the player's contacts, the debris launcher, the
// marker behaviours).

#include "Core/GameComponent.h"
#include "Core/Object.h"
#include "core/HashedName.h"

#include <cstdint>
#include <optional>
#include <span>

namespace Tarn
{
	// What one kind of scenery is made of.
	struct SceneryKind
	{
		std::span<const char* const> mComponents;
		// Its picture; none keeps the mesh's.
		const char* mTexture = nullptr;
		std::optional<int32_t> mDrawOrder;
	};

	class SceneryObject : public Object
	{
	public:
		void Shutdown() override {}

	protected:
		// Adds the kind's components in order and gives its mesh the kind's picture.
		void Assemble( const SceneryKind& kind );
	};

	// The background: a wide picture behind everything, with a star field.
	class Scenery : public SceneryObject
	{
		TARN_CLASS_NAME( Scenery )

	public:
		void Initialise() override;
	};

	// A crystal face; the debris launcher takes it from the fourth pool.
	class Enemy : public SceneryObject
	{
		TARN_CLASS_NAME( Enemy )

	public:
		void Initialise() override;
	};

	// A spawner pad: the player touching it releases a guard.
	class EngSpawner : public SceneryObject
	{
		TARN_CLASS_NAME( EngSpawner )

	public:
		void Initialise() override;
	};

	// The tutorial's sign.
	class TutorialObject : public SceneryObject
	{
		TARN_CLASS_NAME( TutorialObject )

	public:
		void Initialise() override;
	};

	// A trigger point of a scripted level's chain of markers; it plays its own turn in
	// the chain, once a step (MarkerBehaviours.h).
	class ObjectiveMarkerObject : public SceneryObject, public IsUpdatable
	{
		TARN_CLASS_NAME( ObjectiveMarkerObject )

	public:
		void Initialise() override;
		void Update( GameTime& gameTime ) override;
	};
}
