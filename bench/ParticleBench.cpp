// Particle update and draw through the real OpenGL device (run under Xvfb:
// xvfb-run -a kelvane_bench --benchmark_filter=Particle).
#include "Core/GameTime.h"
#include "BenchSupport.h"
#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/GraphicsManager.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

namespace
{
	class BenchEmitter : public Tarn::Object
	{
		TARN_CLASS_NAME( BenchEmitter )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<Tarn::TransformComponent>();
			mComponents.AddComponent<Graphics::EmitterComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
	};


	// One game step and one frame of N emitters whose 50 particles are all alive
	// ("Explosion" respawns each at once): N x 50 draws per frame.
	void ParticleFrames( benchmark::State& state )
	{
		static const bool registered = Tarn::TypeRegistry::Instance().RegisterObjectType(
		    BenchEmitter::ClassHashedName(), []() -> Tarn::Object* { return new BenchEmitter(); } );
		( void )registered;
		auto project = KelvaneBench::StartWindowedGame( state );
		if ( !project )
			return;

		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		const char* textures[] = { "resource/circle texture.png", "resource/star.png", "resource/cloud.png",
			                       "resource/Particle Sprites/Metalball.png" };
		const int count = static_cast<int>( state.range( 0 ) );
		static int run = 0;
		++run;
		for ( int i = 0; i < count; ++i )
		{
			const std::string name = "Emitter" + std::to_string( run ) + "_" + std::to_string( i );
			Tarn::Object* object = objects.CreateObject( BenchEmitter::ClassHashedName(), name.c_str() );
			if ( !object )
			{
				state.SkipWithError( "could not create the emitters" );
				return;
			}
			objects.InitialiseObject( object );
			object->GetComponent<Tarn::TransformComponent>()->mPosition = { float( i % 8 ) * 4.0f - 14.0f,
				                                                            float( i / 8 ) * 3.0f - 6.0f };
			auto* emitter = object->GetComponent<Graphics::EmitterComponent>();
			emitter->Explosion();
			emitter->SetTexture( textures[i % 4] );
		}
		Tarn::GameTime time;
		time.ElapsedSeconds = 0.016f;
		time.ElapsedGameTime = 16;
		project->Update( time );

		auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		double cpu = 0.0, updateMs = 0.0, wall = 0.0;
		int64_t frames = 0;
		for ( auto _ : state )
		{
			const double before = KelvaneBench::CpuMilliseconds();
			const auto start = std::chrono::steady_clock::now();
			project->Update( time );
			updateMs += std::chrono::duration<double, std::milli>( std::chrono::steady_clock::now() - start ).count();
			if ( project->BeginDraw() )
			{
				project->Draw( project->GetGameTime() );
				project->EndDraw();
			}
			wall += std::chrono::duration<double, std::milli>( std::chrono::steady_clock::now() - start ).count();
			cpu += KelvaneBench::CpuMilliseconds() - before;
			++frames;
		}
		state.counters["ms_per_frame"] = wall / double( frames );
		KelvaneBench::RecordFrameTime( "particles/" + std::to_string( count ), wall / double( frames ) );
		KelvaneBench::RecordFrameTime( "particles cpu/" + std::to_string( count ), cpu / double( frames ) );
		state.counters["cpu_ms_per_frame"] = cpu / double( frames );
		state.counters["update_ms_per_step"] = updateMs / double( frames );
		state.counters["draws_per_frame"] = graphics->GetDevice()->DrawCallsLastFrame();
		state.counters["fps"] = benchmark::Counter( double( frames ), benchmark::Counter::kIsRate );
		objects.DestroyAll();
		project->Shutdown();
	}
	BENCHMARK( ParticleFrames )->Arg( 40 )->MinTime( 2.0 )->Unit( benchmark::kMillisecond )->UseRealTime();
}
