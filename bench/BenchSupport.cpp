#include "BenchSupport.h"

#include <cstdlib>
#include <ctime>
#include <string>

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

	void UseTemporaryHome()
	{
		static const bool done = []() {
			char folder[] = "/tmp/kelvane-bench-XXXXXX";
			if ( !mkdtemp( folder ) )
				std::abort();
			setenv( "HOME", folder, 1 );
			setenv( "XDG_CONFIG_HOME", ( std::string( folder ) + "/.config" ).c_str(), 1 );
			setenv( "XDG_DATA_HOME", ( std::string( folder ) + "/.local/share" ).c_str(), 1 );
			return true;
		}();
		( void )done;
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
