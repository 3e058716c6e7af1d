#include "Game/SkillManager.h"

#include "Core/TypeRegistry.h"
#include "Game/SkillsComponent.h"

namespace Tarn
{
	void SkillManager::Initialise()
	{
		TypeRegistry& types = TypeRegistry::Instance();
		if ( types.HasComponentType( SkillsComponent::ClassHashedName() ) )
			return;
		types.RegisterComponentType( SkillsComponent::ClassHashedName(),
		                             []( Object* owner ) -> ObjectComponent* { return new SkillsComponent( owner ); } );
	}
}
