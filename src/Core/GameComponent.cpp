#include "Core/GameComponent.h"

#include "Core/GameWindow/Game.h"
#include "core/Services.h"

namespace Tarn
{
	IsUpdatable::IsUpdatable()
	{
		if ( Game* game = Services::Get<Game>() )
			game->FileUpdatable( this, 0 );
	}

	IsUpdatable::~IsUpdatable()
	{
		if ( Game* game = Services::Get<Game>() )
			game->UnfileUpdatable( this );
	}

	IsDrawable::IsDrawable()
	{
		if ( Game* game = Services::Get<Game>() )
			game->FileDrawable( this, 0 );
	}

	IsDrawable::~IsDrawable()
	{
		if ( Game* game = Services::Get<Game>() )
			game->UnfileDrawable( this );
	}
}
