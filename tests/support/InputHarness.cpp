#include "support/InputHarness.h"

#include "Platform/Display.h"

namespace KelvaneTest
{
	InputHarness::InputHarness( Tarn::LaunchOptions options, bool initialise )
	{
		Platform::UseHeadlessDrivers();
		options.mHeadless = true;
		mProject = std::make_unique<Tarn::GameProject>( options );
		if ( initialise )
			Initialise();
	}

	void InputHarness::Initialise()
	{
		mProject->Initialise();
		mInitialised = true;
	}

	InputHarness::~InputHarness()
	{
		if ( mInitialised )
			mProject->Shutdown();
		mProject.reset();
		Tarn::GameWindow::SetFullscreenRequested( false );
	}

	void InputHarness::Step( int count )
	{
		for ( int i = 0; i < count; ++i )
			mProject->Update( mProject->GetGameTime() );
	}

	size_t KeyRecorder::Count( char what, uint32_t key ) const
	{
		size_t count = 0;
		for ( const KeyRecord& record : mRecords )
			count += record.mWhat == what && record.mKey == key;
		return count;
	}
}
