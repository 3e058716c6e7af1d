#pragma once

#include "Core/GameComponent.h"
#include "core/HashedName.h"

#include <vector>

namespace Graphics
{
	class EmitterComponent;

	// Switches emitters on while they have emission time left and off once something
	// marks them complete, and moves emitters that travel. The emitters update and
	// draw their particles themselves.
	class ParticleManager : public Tarn::DrawableGameComponent
	{
		TARN_CLASS_NAME( ParticleManager )

	public:
		explicit ParticleManager( Tarn::Game* game ) : DrawableGameComponent( game ) {}

		// Seeds the random numbers of the effects, so that a run can be repeated.
		void Initialise() override;
		void Shutdown() override;
		void Update( Tarn::GameTime& gameTime ) override;
		void Draw( Tarn::GameTime& ) override {}

		void Register( EmitterComponent* emitter );
		void Unregister( EmitterComponent* emitter );

		std::vector<EmitterComponent*> mEmitters;
	};
}
