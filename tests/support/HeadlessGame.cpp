#include "support/HeadlessGame.h"

#include "Core/GameTime.h"
#include "support/TempFolder.h"

namespace KelvaneTest
{
	void HeadlessGame::SetUp()
	{
		SharedFileSystem();
		mGame = std::make_unique<InputHarness>( Tarn::LaunchOptions(), false );
		mGame->Project().CreateComponents();
		mGame->Initialise();
		mGame->Project().GetGameTime().ElapsedSeconds = kDt;
	}

	void HeadlessGame::UpdateFor( Tarn::GameComponent& service, float seconds )
	{
		Tarn::GameTime time;
		time.ElapsedSeconds = kDt;
		for ( float t = 0.0f; t < seconds - 0.001f; t += kDt )
			service.Update( time );
	}
}
