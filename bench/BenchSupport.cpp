#include "BenchSupport.h"

#include "Core/TypeRegistry.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "Platform/RecordingRenderDevice.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"

#include <cstdlib>
#include <ctime>
#include <map>
#include <string>

namespace KelvaneBench
{
	Tarn::FileSystem& BenchFiles()
	{
		static Tarn::FileSystem* files = []() {
			UseTemporaryHome();
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

	double ThreadCpuMilliseconds()
	{
		timespec now{};
		clock_gettime( CLOCK_THREAD_CPUTIME_ID, &now );
		return double( now.tv_sec ) * 1000.0 + double( now.tv_nsec ) / 1e6;
	}

	bool NeedDisplay( benchmark::State& state )
	{
		if ( std::getenv( "DISPLAY" ) )
			return true;
		state.SkipWithError( "needs a display (run under xvfb-run)" );
		return false;
	}

	const std::string& TemporaryFolder()
	{
		static const std::string folder = []() {
			char name[] = "/tmp/kelvane-bench-XXXXXX";
			if ( !mkdtemp( name ) )
				std::abort();
			return std::string( name );
		}();
		return folder;
	}

	void UseTemporaryHome()
	{
		const std::string& folder = TemporaryFolder();
		setenv( "HOME", folder.c_str(), 1 );
		setenv( "XDG_CONFIG_HOME", ( folder + "/.config" ).c_str(), 1 );
		setenv( "XDG_DATA_HOME", ( folder + "/.local/share" ).c_str(), 1 );
	}

	std::unique_ptr<Tarn::GameProject> StartWindowedGame( benchmark::State& state )
	{
		if ( !NeedDisplay( state ) )
			return nullptr;
		// Frame times, not the display's rate: the device's switch, and Mesa's own.
		setenv( "KELVANE_VSYNC", "0", 1 );
		setenv( "vblank_mode", "0", 1 );
		Tarn::LaunchOptions options;
		options.mWindowMode = Tarn::WindowMode::Windowed;
		auto project = std::make_unique<Tarn::GameProject>( options );
		project->CreateComponents();
		project->Initialise();
		auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>();
		if ( !graphics || dynamic_cast<Platform::RecordingRenderDevice*>( graphics->GetDevice() ) )
		{
			state.SkipWithError( "no real window: a headless game earlier in this process left SDL on its dummy drivers" );
			project->Shutdown();
			return nullptr;
		}
		return project;
	}

	void BenchSprite::Initialise()
	{
		mComponents.AddComponent<Tarn::TransformComponent>();
		mComponents.AddComponent<Graphics::MeshComponent>();
		mComponents.InitialisePending();
	}

	void RegisterBenchSprite()
	{
		static const bool registered = Tarn::TypeRegistry::Instance().RegisterObjectType(
		    BenchSprite::ClassHashedName(), []() -> Tarn::Object* { return new BenchSprite(); } );
		( void )registered;
	}

	namespace
	{
		std::map<std::string, double>& FrameTimes()
		{
			static std::map<std::string, double> times;
			return times;
		}
	}

	void RecordFrameTime( const std::string& name, double milliseconds ) { FrameTimes()[name] = milliseconds; }

	double RecordedFrameTime( const std::string& name )
	{
		const auto found = FrameTimes().find( name );
		return found == FrameTimes().end() ? 0.0 : found->second;
	}
}
