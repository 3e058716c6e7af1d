#include "BenchSupport.h"

#include <cstdlib>
#include <ctime>

namespace KelvaneBench
{
	double CpuMilliseconds()
	{
		timespec now{};
		clock_gettime( CLOCK_PROCESS_CPUTIME_ID, &now );
		return double( now.tv_sec ) * 1000.0 + double( now.tv_nsec ) / 1e6;
	}

	bool NeedDisplay( benchmark::State& state )
	{
		if ( std::getenv( "DISPLAY" ) )
			return true;
		state.SkipWithError( "needs a display (run under xvfb-run)" );
		return false;
	}

	std::unique_ptr<Tarn::GameProject> StartWindowedGame()
	{
		Tarn::LaunchOptions options;
		options.mWindowMode = Tarn::WindowMode::Windowed;
		auto project = std::make_unique<Tarn::GameProject>( options );
		project->CreateComponents();
		project->Initialise();
		return project;
	}
}
