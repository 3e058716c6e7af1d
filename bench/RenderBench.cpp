// Frames through the real OpenGL device (run under Xvfb: xvfb-run -a kelvane_bench).
#include "BenchSupport.h"
#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextureManager.h"
#include "Physics/TransformComponent.h"
#include "core/Services.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

namespace
{
	// One frame of N textured meshes, each its own 4-vertex strip with its own constants,
	// four textures in turn: no two neighbours can share a batch, the device's worst case.
	void TexturedMeshes( benchmark::State& state )
	{
		KelvaneBench::RegisterBenchSprite();
		auto project = KelvaneBench::StartWindowedGame( state );
		if ( !project )
			return;
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		const char* textures[] = { "resource/mine.png", "resource/crown.png", "resource/cross.png", "resource/switch.png" };
		const int count = static_cast<int>( state.range( 0 ) );
		static int run = 0;
		++run;
		for ( int i = 0; i < count; ++i )
		{
			const std::string name = "Sprite" + std::to_string( run ) + "_" + std::to_string( i );
			Tarn::Object* sprite = objects.CreateObject( KelvaneBench::BenchSprite::ClassHashedName(), name.c_str() );
			if ( !sprite )
			{
				state.SkipWithError( "could not create the sprites" );
				return;
			}
			objects.InitialiseObject( sprite );
			auto* transform = sprite->GetComponent<Tarn::TransformComponent>();
			transform->mPosition = { float( i % 40 ) - 20.0f, float( i / 40 % 30 ) - 15.0f };
			transform->UpdateWorldMatrix();
			sprite->GetComponent<Graphics::MeshComponent>()->SetTexture( textures[i % 4] );
		}
		auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		double cpu = 0.0;
		int64_t frames = 0;
		for ( auto _ : state )
		{
			const double before = KelvaneBench::CpuMilliseconds();
			if ( project->BeginDraw() )
			{
				project->Draw( project->GetGameTime() );
				project->EndDraw();
			}
			cpu += KelvaneBench::CpuMilliseconds() - before;
			++frames;
		}
		state.counters["cpu_ms_per_frame"] = cpu / double( frames );
		state.counters["draws_per_frame"] = graphics->GetDevice()->DrawCallsLastFrame();
		state.counters["fps"] = benchmark::Counter( double( frames ), benchmark::Counter::kIsRate );
		objects.DestroyAll();
		project->Shutdown();
	}
	BENCHMARK( TexturedMeshes )->Arg( 1000 )->Arg( 5000 )->Unit( benchmark::kMillisecond )->UseRealTime();

	// Start-up: the whole texture list through the real device.
	void LoadTextureList( benchmark::State& state )
	{
		auto project = KelvaneBench::StartWindowedGame( state );
		if ( !project )
			return;
		auto* textures = Tarn::Services::Get<Graphics::TextureManager>();
		for ( auto _ : state )
		{
			textures->Shutdown();
			textures->Initialise();
		}
		state.counters["textures"] = double( textures->Count() );
		project->Shutdown();
	}
	BENCHMARK( LoadTextureList )->Unit( benchmark::kMillisecond )->Iterations( 3 );
}
