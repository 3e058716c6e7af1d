#include "Graphics/Font.h"

#include "Core/TypeRegistry.h"
#include "Graphics/FontComponent.h"

namespace Graphics
{
	TARN_REGISTER_OBJECT_TYPE( Font )

	void Font::Initialise()
	{
		mComponents.AddComponent<FontComponent>();
		mComponents.InitialisePending();
	}
}
