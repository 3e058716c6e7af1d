// One headless update step of the first level with its recorded draw, as a long
// headless run (a solution script, a soak test) spends it. A headless game switches
// SDL to its dummy drivers for the rest of the process, so this file's benchmarks are
// registered after those that open windows (files register in name order).
#include "BenchSupport.h"
#include "Core/GameWindow/GameProject.h"
#include "GameStates/LevelManager.h"
#include "Graphics/GraphicsManager.h"
#include "core/Services.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
	void HeadlessLevel1Step( benchmark::State& state )
	{
		KelvaneBench::UseTemporaryHome();
		static const bool registered = []() {
			Tarn::GameProject::RegisterResources();
			return true;
		}();
		( void )registered;
		Tarn::LaunchOptions options;
		options.mHeadless = true;
		auto project = std::make_unique<Tarn::GameProject>( options );
		project->CreateComponents();
		project->Initialise();
		auto* levels = Tarn::Services::Get<Tarn::LevelManager>();
		if ( !levels || !levels->LoadLevel( 1 ) )
		{
			state.SkipWithError( "level 1 did not load" );
			project->Shutdown();
			return;
		}
		Tarn::GameTime& time = project->GetGameTime();
		time.ElapsedSeconds = 0.016f;
		time.ElapsedGameTime = 16;
		auto step = [&]() {
			project->Update( time );
			if ( project->BeginDraw() )
			{
				project->Draw( time );
				project->EndDraw();
			}
		};
		// Past the level's first moments, where effects start.
		for ( int i = 0; i < 100; ++i )
			step();
		for ( auto _ : state )
			step();
		state.counters["draws_per_step"] =
		    double( Tarn::Services::Get<Graphics::GraphicsManager>()->GetDevice()->DrawCallsLastFrame() );
		project->Shutdown();
	}
	BENCHMARK( HeadlessLevel1Step )->Unit( benchmark::kMicrosecond )->MinTime( 2.0 );
}
