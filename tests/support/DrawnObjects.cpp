#include "support/DrawnObjects.h"

#include "Core/TypeRegistry.h"

namespace KelvaneTest
{
	void SpriteObject::Initialise()
	{
		mComponents.AddComponent<Tarn::TransformComponent>();
		mComponents.AddComponent<Graphics::MeshComponent>();
		mComponents.InitialisePending();
	}

	void SparksObject::Initialise()
	{
		mComponents.AddComponent<Tarn::TransformComponent>();
		mComponents.AddComponent<Graphics::EmitterComponent>();
		mComponents.InitialisePending();
	}

	void RegisterDrawnObjects()
	{
		static const bool registered = []() {
			Tarn::TypeRegistry& types = Tarn::TypeRegistry::Instance();
			return types.RegisterObjectType( SpriteObject::ClassHashedName(), []() -> Tarn::Object* { return new SpriteObject(); } ) &&
			       types.RegisterObjectType( SparksObject::ClassHashedName(), []() -> Tarn::Object* { return new SparksObject(); } );
		}();
		( void )registered;
	}
}
