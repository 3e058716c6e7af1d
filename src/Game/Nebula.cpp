#include "Game/Nebula.h"

#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineComponent.h"

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( Nebula )
	TARN_REGISTER_OBJECT_TYPE( NebulaCover )

	namespace
	{
		// The mesh of whatever touches a nebula, other than the ship.
		Graphics::MeshComponent* DrifterMesh( const Physics::CollisionComponent* other )
		{
			if ( !other || !other->mOwner || other->mOwner->IsType( "Player" ) )
				return nullptr;
			return other->mOwner->GetComponent<Graphics::MeshComponent>();
		}
	}

	void Nebula::Initialise()
	{
		static const char* const kComponents[] = { "TransformComponent", "MeshComponent", "CollisionComponent",
			                                       "StateMachineComponent", "CollisionDebugComponent" };
		mComponents.AddComponents( kComponents );
		if ( auto* mesh = GetComponent<Graphics::MeshComponent>() )
			mesh->SetTexture( kTexture );
		// The ship flies into a nebula and is slowed there: it must not slide off it as
		// off a solid thing.
		if ( auto* collider = GetComponent<Physics::CollisionComponent>() )
			collider->mDefault = false;
	}

	std::string Nebula::CoverName( int32_t sign ) { return "NebulaCover" + std::to_string( sign ); }

	Object* Nebula::Cover() const
	{
		const auto* machine = GetComponent<StateMachines::StateMachineComponent>();
		return machine ? ObjectManager::Instance().GetObject( HashedName( CoverName( machine->mSign ).c_str() ) ) : nullptr;
	}

	void Nebula::OnCollisionStay( Physics::CollisionComponent* other )
	{
		Graphics::MeshComponent* mesh = DrifterMesh( other );
		const Object* cover = Cover();
		const auto* coverMachine = cover ? cover->GetComponent<StateMachines::StateMachineComponent>() : nullptr;
		if ( !mesh || !coverMachine )
			return;
		// The cover's flag is up while the ship is inside.
		mesh->mDrawOrder = coverMachine->mActionFlag ? kOverCover : kUnderCover;
	}

	void Nebula::OnCollisionEnd( Physics::CollisionComponent* other )
	{
		if ( Graphics::MeshComponent* mesh = DrifterMesh( other ) )
			mesh->mDrawOrder = kUnderCover;
	}

	void NebulaCover::Initialise()
	{
		static const char* const kComponents[] = { "TransformComponent", "MeshComponent", "StateMachineComponent" };
		mComponents.AddComponents( kComponents );
		if ( auto* mesh = GetComponent<Graphics::MeshComponent>() )
		{
			mesh->SetTexture( kTexture );
			mesh->mDrawOrder = kLayer;
		}
		// Its machine fades it out while the ship is in its nebula, and back in after.
		if ( auto* machine = GetComponent<StateMachines::StateMachineComponent>() )
			machine->mAI = StateMachines::Routine::HintFader;
	}
}
