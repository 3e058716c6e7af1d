#include "Game/MirrorComponent.h"

#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Physics/CollisionComponent.h"

namespace Tarn
{
	TARN_REGISTER_COMPONENT_TYPE( MirrorComponent )

	void MirrorComponent::SetIncomingBeam( const Physics::CollisionComponent& beamCollider )
	{
		mIncomingBeam = beamCollider.mOwner ? beamCollider.mOwner->GetName() : HashedName( "" );
	}

	Physics::CollisionComponent* MirrorComponent::IncomingBeam() const
	{
		// Kept by name: the beam may be destroyed while the mirror lives on.
		if ( mIncomingBeam.GetName().empty() )
			return nullptr;
		const Object* beam = ObjectManager::Instance().GetObject( mIncomingBeam );
		return beam ? beam->GetComponent<Physics::CollisionComponent>() : nullptr;
	}
}
