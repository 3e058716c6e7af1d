#include "support/StandIns.h"

#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/StateTypes.h"

namespace KelvaneTest
{
	namespace
	{
		// No routine of the game is filed under this code.
		constexpr int32_t kStandStill = 4;

		class StandIn : public Tarn::Object
		{
			TARN_CLASS_NAME( TestStandIn )

		public:
			void Initialise() override
			{
				static const char* const kComponents[] = { "TransformComponent",    "MeshComponent", "CollisionComponent",
					                                       "StateMachineComponent", "MineComponent", "SwitchComponent" };
				mComponents.AddComponents( kComponents );
			}
			void Shutdown() override {}
		};
	}

	Tarn::Object& MakeStandIn( const char* type, const char* name, Tarn::Vector2 at )
	{
		Tarn::TypeRegistry& types = Tarn::TypeRegistry::Instance();
		if ( !types.HasObjectType( StandIn::ClassHashedName() ) )
			types.RegisterObjectType( StandIn::ClassHashedName(), []() -> Tarn::Object* { return new StandIn(); } );
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* object = objects.CreateObject( StandIn::ClassHashedName(), name );
		object->mType = Tarn::HashedName( type );
		objects.InitialiseObject( object );
		auto* machine = object->GetComponent<StateMachines::StateMachineComponent>();
		machine->mAI = kStandStill;
		machine->mState = StateMachines::STATE_NORMAL;
		auto* mine = object->GetComponent<StateMachines::MineComponent>();
		mine->mAI = kStandStill;
		mine->mState = StateMachines::STATE_NORMAL;
		auto* transform = object->GetComponent<Tarn::TransformComponent>();
		transform->mPosition = transform->mPrevPos = at;
		transform->mActive = true;
		return *object;
	}
}
