#include "BenchSupport.h"

#include "Utilities/FileSystem.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace KelvaneBench
{
	Tarn::FileSystem& BenchFiles()
	{
		static Tarn::FileSystem* files = []() {
			char folder[] = "/tmp/kelvane-bench-XXXXXX";
			if ( !mkdtemp( folder ) )
				std::abort();
			setenv( "HOME", folder, 1 );
			setenv( "XDG_CONFIG_HOME", ( std::string( folder ) + "/.config" ).c_str(), 1 );
			setenv( "XDG_DATA_HOME", ( std::string( folder ) + "/.local/share" ).c_str(), 1 );
			Tarn::FileSystem* instance = &Tarn::FileSystem::Instance();
			// The exchange files the game registers for what the levels' objects carry.
			for ( const char* type : { "ObjectDefault", "TransformComponent", "MeshComponent", "AnimationComponent",
			                           "CollisionComponent", "EmitterComponent", "LineComponent", "MineComponent",
			                           "CollisionDebugComponent" } )
				if ( !instance->FindResource( type ) )
					instance->AddUserFile( ( std::string( "\\" ) + type + ".xml" ).c_str(), type );
			return instance;
		}();
		return *files;
	}

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
