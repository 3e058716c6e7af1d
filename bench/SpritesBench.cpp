// Sprites32: N turning, alpha-blended 32 px sprites of one 64 x 64 picture in a
// 1280 x 720 window, drawn by the game (objects, mesh components, the graphics
// manager) and, in the same run, by SDL2's own batching 2D renderer
// (bench/SdlSprites.c), so that the two frame times are compared side by side:
//   xvfb-run -a -s "-screen 0 1920x1080x24" kelvane_bench --benchmark_filter='Sprites32|ParticleFrames'
#include "BenchSupport.h"
#include "Core/ObjectManager.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/Matrices.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextureManager.h"
#include "Physics/TransformComponent.h"
#include "Platform/RenderDevice.h"
#include "core/Services.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
	constexpr int kWidth = 1280;
	constexpr int kHeight = 720;
	constexpr int kSize = 32;
	constexpr int kPictureSize = 64;
	constexpr int kWarmUpFrames = 5;

	// Where sprite i stands (its centre, in pixels from the top left) and how far it
	// has turned at a frame: the same as in bench/SdlSprites.c.
	float CentreX( int i ) { return float( kSize / 2 + ( i * 7919 ) % ( kWidth - kSize ) ); }
	float CentreY( int i ) { return float( kSize / 2 + ( i * 104729 ) % ( kHeight - kSize ) ); }
	float Angle( int i, int frame ) { return 0.37f * float( i ) + 0.05f * float( frame ); }

	// The sprite both programs draw: a soft glowing disc with a brighter rim, its alpha
	// falling to nothing at the edge, written once for the run.
	const std::string& SpritePicture()
	{
		static const std::string path = []() {
			std::vector<uint8_t> rgba( size_t( kPictureSize ) * kPictureSize * 4 );
			for ( int y = 0; y < kPictureSize; ++y )
				for ( int x = 0; x < kPictureSize; ++x )
				{
					const float dx = ( float( x ) + 0.5f ) / kPictureSize * 2.0f - 1.0f;
					const float dy = ( float( y ) + 0.5f ) / kPictureSize * 2.0f - 1.0f;
					const float r = std::sqrt( dx * dx + dy * dy );
					const float rim = std::exp( -( r - 0.7f ) * ( r - 0.7f ) * 40.0f );
					const float alpha = std::clamp( 1.0f - r, 0.0f, 1.0f ) * 0.8f + rim * 0.2f * ( r < 1.0f );
					uint8_t* pixel = &rgba[( size_t( y ) * kPictureSize + size_t( x ) ) * 4];
					pixel[0] = uint8_t( std::clamp( 120.0f + 135.0f * rim, 0.0f, 255.0f ) );
					pixel[1] = uint8_t( std::clamp( 200.0f + 55.0f * rim, 0.0f, 255.0f ) );
					pixel[2] = 255;
					pixel[3] = uint8_t( std::clamp( alpha * 255.0f, 0.0f, 255.0f ) );
				}
			const std::string file = KelvaneBench::TemporaryFolder() + "/sprite32.png";
			std::string error;
			if ( !Platform::SavePng( file, rgba, kPictureSize, kPictureSize, error ) )
				std::fprintf( stderr, "cannot write %s: %s\n", file.c_str(), error.c_str() );
			return file;
		}();
		return path;
	}

	double Median( std::vector<double> values )
	{
		std::sort( values.begin(), values.end() );
		return values.empty() ? 0.0 : values[values.size() / 2];
	}

	struct FrameTimes
	{
		double mWall = 0.0; // milliseconds a frame
		double mCpu = 0.0;
	};

	// One run of the SDL program; a wall time of 0 when it failed, with its output.
	FrameTimes SdlFrames( int count, int frames, std::string& output )
	{
		FrameTimes times;
		const std::string command = std::string( "'" ) + KELVANE_SDL_SPRITES + "' " + std::to_string( count ) + " " +
		                            std::to_string( frames ) + " '" + SpritePicture() + "' 2>&1";
		FILE* child = popen( command.c_str(), "r" );
		if ( !child )
		{
			output = "cannot start " KELVANE_SDL_SPRITES;
			return times;
		}
		char line[512];
		while ( std::fgets( line, sizeof( line ), child ) )
		{
			output += line;
			std::sscanf( line, "ms_per_frame=%lf", &times.mWall );
			std::sscanf( line, "cpu_ms_per_frame=%lf", &times.mCpu );
		}
		if ( pclose( child ) != 0 )
			times.mWall = 0.0;
		return times;
	}

	// Each iteration is a round: SDL's renderer draws the sprites for a couple of
	// seconds in its own process, then the game draws as many frames. On a machine
	// whose load comes and goes, the pairs measured back to back and their medians
	// are what can be compared.
	void Sprites32( benchmark::State& state )
	{
		KelvaneBench::RegisterBenchSprite();
		auto project = KelvaneBench::StartWindowedGame( state );
		if ( !project )
			return;
		auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		Tarn::Services::Get<Graphics::TextureManager>()->LoadTexture( SpritePicture() );

		// Straight down the z axis, so that one world unit is the same number of pixels
		// everywhere on the plane z = 0.
		constexpr float kDistance = 25.0f;
		*graphics->GetView() = Graphics::LookAtLH( glm::vec3( 0.0f, 0.0f, -kDistance ), glm::vec3( 0.0f ),
		                                           glm::vec3( 0.0f, 1.0f, 0.0f ) );
		const float pixelsPerUnit = float( kHeight ) / 2.0f * graphics->GetProjection()[1][1] / kDistance;

		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		const int count = int( state.range( 0 ) );
		std::vector<Tarn::TransformComponent*> transforms;
		for ( int i = 0; i < count; ++i )
		{
			// Names are hashed to 32 bits; among ten thousand similar ones a few collide,
			// and a colliding name is refused.
			Tarn::Object* sprite = nullptr;
			for ( int attempt = 0; !sprite && attempt < 8; ++attempt )
			{
				char name[32];
				std::snprintf( name, sizeof( name ), "Sprite32 %d.%d", i, attempt );
				sprite = objects.CreateObject( KelvaneBench::BenchSprite::ClassHashedName(), name );
			}
			if ( !sprite )
			{
				state.SkipWithError( "could not create the sprites" );
				return;
			}
			objects.InitialiseObject( sprite );
			auto* transform = sprite->GetComponent<Tarn::TransformComponent>();
			transform->mPosition = { ( CentreX( i ) - kWidth / 2.0f ) / pixelsPerUnit,
				                     ( kHeight / 2.0f - CentreY( i ) ) / pixelsPerUnit };
			transform->mXScaleFactor = transform->mYScaleFactor = float( kSize ) / pixelsPerUnit;
			transforms.push_back( transform );
			sprite->GetComponent<Graphics::MeshComponent>()->SetTexture( SpritePicture() );
		}

		int frame = 0;
		auto drawFrame = [&]() {
			for ( int i = 0; i < count; ++i )
			{
				transforms[size_t( i )]->mDirection = Angle( i, frame );
				transforms[size_t( i )]->UpdateWorldMatrix();
			}
			if ( project->BeginDraw() )
			{
				project->Draw( project->GetGameTime() );
				project->EndDraw();
			}
			++frame;
		};
		for ( int i = 0; i < kWarmUpFrames; ++i )
			drawFrame();

		// About two seconds of frames a round for either program.
		const int frames = std::clamp( 200000 / count, 10, 100 );
		std::vector<double> game, gameCpu, gameThread, sdl, sdlCpu, ratios;
		for ( auto _ : state )
		{
			std::string output;
			const FrameTimes theirs = SdlFrames( count, frames, output );
			if ( theirs.mWall <= 0.0 )
			{
				state.SkipWithError( ( "kelvane_sdl_sprites failed: " + output ).c_str() );
				break;
			}
			const double cpuBefore = KelvaneBench::CpuMilliseconds();
			const double threadBefore = KelvaneBench::ThreadCpuMilliseconds();
			const auto start = std::chrono::steady_clock::now();
			for ( int i = 0; i < frames; ++i )
				drawFrame();
			gameThread.push_back( ( KelvaneBench::ThreadCpuMilliseconds() - threadBefore ) / frames );
			const double wall = std::chrono::duration<double, std::milli>( std::chrono::steady_clock::now() - start ).count();
			game.push_back( wall / frames );
			gameCpu.push_back( ( KelvaneBench::CpuMilliseconds() - cpuBefore ) / frames );
			sdl.push_back( theirs.mWall );
			sdlCpu.push_back( theirs.mCpu );
			ratios.push_back( game.back() / theirs.mWall );
			state.SetIterationTime( game.back() / 1000.0 );
		}
		if ( !game.empty() )
		{
			const double milliseconds = Median( game );
			state.counters["ms_per_frame"] = milliseconds;
			state.counters["cpu_ms_per_frame"] = Median( gameCpu );
			state.counters["main_thread_ms_per_frame"] = Median( gameThread );
			state.counters["sdl_ms_per_frame"] = Median( sdl );
			state.counters["sdl_cpu_ms_per_frame"] = Median( sdlCpu );
			state.counters["ratio_to_sdl"] = Median( ratios );
			state.counters["draws_per_frame"] = graphics->GetDevice()->DrawCallsLastFrame();
			KelvaneBench::RecordFrameTime( "sprites/" + std::to_string( count ), milliseconds );
			// The particle frame's goal is set against the 2,000-sprite frame. Measured at
			// another moment, its wall time is at the mercy of the machine's other load;
			// the ratio of CPU times is steadier.
			if ( const double particles = KelvaneBench::RecordedFrameTime( "particles/40" ); particles > 0.0 && count == 2000 )
			{
				state.counters["particles40_ratio"] = particles / milliseconds;
				state.counters["particles40_cpu_ratio"] =
				    KelvaneBench::RecordedFrameTime( "particles cpu/40" ) / Median( gameCpu );
			}
		}
		objects.DestroyAll();
		project->Shutdown();
	}
	BENCHMARK( Sprites32 )->Arg( 2000 )->Arg( 10000 )->Iterations( 5 )->UseManualTime()->Unit( benchmark::kMillisecond );
}
