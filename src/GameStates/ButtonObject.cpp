#include "GameStates/ButtonObject.h"

#include "Core/TypeRegistry.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( ButtonObject )
	TARN_REGISTER_OBJECT_TYPE( AnimatedButtonObject )

	namespace
	{
		constexpr const char* kButtonComponents[] = { "TransformComponent", "MeshComponent", "CollisionComponent",
			                                          "CollisionDebugComponent", "ButtonComponent" };
		constexpr const char* kAnimatedButtonComponents[] = { "TransformComponent",      "MeshComponent",
			                                                  "CollisionComponent",      "CollisionDebugComponent",
			                                                  "ButtonComponent",         "EmitterComponent" };

		// A button stays out of sight until its page opens.
		void StartHidden( Object& button )
		{
			if ( auto* mesh = button.GetComponent<Graphics::MeshComponent>() )
			{
				mesh->mDrawOrder = ButtonObject::kDrawOrder;
				mesh->mVisible = false;
			}
		}
	}

	void ButtonObject::Initialise()
	{
		mComponents.AddComponents( kButtonComponents );
		StartHidden( *this );
	}

	void AnimatedButtonObject::Initialise()
	{
		mComponents.AddComponents( kAnimatedButtonComponents );
		StartHidden( *this );
		if ( auto* emitter = GetComponent<Graphics::EmitterComponent>() )
			emitter->MainMenuBackground();
	}
}
