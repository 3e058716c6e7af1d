#pragma once

#include "Core/ObjectComponent.h"
#include "core/HashedName.h"

namespace Physics
{
	class CollisionComponent;
}

namespace Tarn
{
	// Marks a mirror or a channel and remembers which beam last lit it, so that the
	// beam leaving it knows what feeds it. Nothing of it is saved.
	class MirrorComponent : public ObjectComponent
	{
		TARN_CLASS_NAME( MirrorComponent )

	public:
		explicit MirrorComponent( Object* owner ) : ObjectComponent( owner ) {}

		void Initialise() override { mIncomingBeam = HashedName( "" ); }
		void Shutdown() override {}

		// Records the collider of the beam that now lights this mirror.
		void SetIncomingBeam( const Physics::CollisionComponent& beamCollider );
		// The incoming beam's collider; null when none was recorded or its beam is gone.
		Physics::CollisionComponent* IncomingBeam() const;

		// The incoming beam, by its object's name (the object manager finds it).
		HashedName mIncomingBeam{ "" };
	};
}
