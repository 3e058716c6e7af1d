#pragma once

#include "Core/GameComponent.h"
#include "core/HashedName.h"

namespace Tarn
{
	class Game;

	// Has no work of its own each frame: it makes sure the skills record's type is
	// known, so that the player and level files can carry one.
	class SkillManager : public GameComponent
	{
		TARN_CLASS_NAME( SkillManager )

	public:
		explicit SkillManager( Game* game ) : GameComponent( game ) {}

		void Update( GameTime& ) override {}
		void Initialise() override;
		void Shutdown() override {}
	};
}
