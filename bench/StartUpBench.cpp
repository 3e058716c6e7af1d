// What a start costs, up to the first drawn frame of the splash, through the real device
// (run under Xvfb): the window and the services with the whole texture list and the
// sounds, the main menu's level, and the first frame. Each phase is reported as a counter
// in milliseconds of wall time, so that the total says where it goes.
#include "BenchSupport.h"
#include "Core/GameStateManager.h"
#include "Core/ObjectManager.h"
#include "GameStates/MainMenuState.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace
{
	using Clock = std::chrono::steady_clock;

	double MillisecondsSince( Clock::time_point start )
	{
		return std::chrono::duration<double, std::milli>( Clock::now() - start ).count();
	}

	void StartToSplash( benchmark::State& state )
	{
		KelvaneBench::UseTemporaryHome();
		double services = 0.0, menu = 0.0, frame = 0.0;
		for ( auto _ : state )
		{
			const Clock::time_point start = Clock::now();
			// Window, device, textures and sounds: everything Initialise loads.
			auto project = KelvaneBench::StartWindowedGame( state );
			if ( !project )
				return;
			project->LoadContent();
			const double afterServices = MillisecondsSince( start );

			Tarn::GameStateManager& states = Tarn::GameStateManager::Instance();
			states.PushState( new Tarn::MainMenuState() );
			states.ProcessRequests();
			const double afterMenu = MillisecondsSince( start );

			if ( project->BeginDraw() )
			{
				project->Draw( project->GetGameTime() );
				project->EndDraw();
			}
			const double total = MillisecondsSince( start );
			services += afterServices;
			menu += afterMenu - afterServices;
			frame += total - afterMenu;
			state.SetIterationTime( total / 1000.0 );

			state.PauseTiming();
			states.PopAllStates();
			states.ProcessRequests();
			Tarn::ObjectManager::Instance().DestroyAll();
			project->UnloadContent();
			project->Shutdown();
			project.reset();
			state.ResumeTiming();
		}
		const double runs = double( state.iterations() );
		state.counters["services_ms"] = services / runs;
		state.counters["menu_level_ms"] = menu / runs;
		state.counters["first_frame_ms"] = frame / runs;
	}
	BENCHMARK( StartToSplash )->UseManualTime()->Unit( benchmark::kMillisecond )->Iterations( 3 );
}
