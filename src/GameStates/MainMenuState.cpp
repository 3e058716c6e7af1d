#include "GameStates/MainMenuState.h"

#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "GameStates/ButtonManager.h"
#include "GameStates/LoadingScreen.h"
#include "Graphics/Camera.h"
#include "core/Services.h"

namespace Tarn
{
	TARN_REGISTER_STATE_TYPE( MainMenuState )

	void MainMenuState::Initialise()
	{
		if ( auto* camera = ObjectManager::Instance().GetObjectOfType<Graphics::Camera>( HashedName( "Camera1" ) ) )
			camera->mFollowLocks.reset( 0 );
		if ( ButtonManager* buttons = Services::Get<ButtonManager>() )
		{
			buttons->ShowMainMenu();
			// The game opens on its splash, over the main menu, until the player answers.
			if ( LoadingScreen* loading = buttons->GetLoadingScreen() )
				loading->ShowSplash();
		}
	}
}
