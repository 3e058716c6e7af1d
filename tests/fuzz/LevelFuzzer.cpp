// The level reader under libFuzzer: each input is the bytes of a level file, loaded
// into the playing level of the whole game (headless) the way --level does, played for
// a few steps and torn down again. Built and run by tools/fuzz.sh.

#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "GameStates/LevelManager.h"
#include "GameStates/LevelObject.h"
#include "Graphics/GraphicsManager.h"
#include "Physics/CollisionManager.h"
#include "Platform/AssertBox.h"
#include "Platform/Display.h"
#include "Platform/RecordingRenderDevice.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"
#include "Utilities/LogSinks.h"
#include "Utilities/Random.h"
#include "core/Services.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{
	// Enough for the routines that loaded objects run to pass from their first state
	// into the next (a transition costs two manager calls, a step makes two calls).
	constexpr int kStepsPerInput = 8;

	// Run exposes only the whole loop; the fuzzer drives it one tick at a time.
	class FuzzedGame : public Tarn::GameProject
	{
	public:
		explicit FuzzedGame( const Tarn::LaunchOptions& options ) : GameProject( options ) {}

		void Start()
		{
			RegisterResources();
			CreateComponents();
			Initialise();
			LoadContent();
			StartTimer();
		}

		void Stop()
		{
			StopTimer();
			UnloadContent();
			Shutdown();
		}
	};

	struct Fuzzing
	{
		std::unique_ptr<FuzzedGame> mGame;
		std::string mLevelPath;
	};

	Fuzzing& State()
	{
		static Fuzzing state;
		return state;
	}

	void SetUp()
	{
		// The user folder, with its exchange files, lies in the fuzzer's build folder.
		const std::string home = KELVANE_FUZZ_HOME;
		std::filesystem::create_directories( home + "/Documents" );
		setenv( "HOME", home.c_str(), 1 );
		setenv( "XDG_CONFIG_HOME", ( home + "/.config" ).c_str(), 1 );
		setenv( "XDG_DATA_HOME", ( home + "/.local/share" ).c_str(), 1 );
		std::filesystem::current_path( KELVANE_DATA_ROOT );

		// An assertion reached from a level file is a finding: abort, so that the
		// fuzzer keeps the input and its stack.
		Platform::SetAssertHandler( []( const Platform::AssertReport& report ) -> Platform::AssertChoice {
			std::fprintf( stderr, "Assertion failed:\n%s", report.mText.c_str() );
			std::abort();
		} );
		// KELVANE_FUZZ_LOG=1 shows what the game logs while it reads each input.
		if ( std::getenv( "KELVANE_FUZZ_LOG" ) )
			Tarn::Log::Instance().AddSink( "console", new Tarn::ConsoleLogSink() );

		Platform::UseHeadlessDrivers();
		Tarn::LaunchOptions options;
		options.mHeadless = true;
		Fuzzing& state = State();
		state.mGame = std::make_unique<FuzzedGame>( options );
		state.mGame->Start();
		state.mLevelPath = home + "/FuzzedLevel.xml";
		// The playing level's first file is the input.
		if ( Tarn::ResourceRecord* record = Tarn::FileSystem::Instance().GetResource( "Level1" ) )
			*record = Tarn::FileSystem::ParseRecord( state.mLevelPath, true );
		std::atexit( [] {
			Fuzzing& state = State();
			if ( state.mGame )
				state.mGame->Stop();
			state.mGame.reset();
		} );
	}

	// A seed the script cannot write by hand: one object of every registered type (a
	// level excepted) in the playing level, saved by the game, so that the corpus holds
	// the element of every component as the game writes it.
	void WriteEveryTypeSeed( const char* path )
	{
		auto* levels = Tarn::Services::Get<Tarn::LevelManager>();
		Tarn::LevelObject* level = levels->GetCurrentLevel();
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		for ( const std::string& type : Tarn::TypeRegistry::Instance().ObjectTypeNames() )
		{
			if ( type == Tarn::LevelObject::ClassHashedName().GetName() )
				continue;
			Tarn::Object* object = objects.CreateObject( Tarn::HashedName( type.c_str() ), ( type + "1" ).c_str() );
			objects.InitialiseObject( object );
			level->AddObject( object );
		}
		const bool saved = level->Save( Tarn::FileSystem::ParseRecord( path, true ) );
		std::fprintf( stderr, "%s %s\n", saved ? "wrote" : "could not write", path );
		std::exit( saved ? 0 : 1 );
	}

	// Back to the state after start-up: the levels' objects and whatever play made are
	// gone, the four level objects stay and list nothing, no contact pair is left.
	void TearDownLevel()
	{
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		auto* levels = Tarn::Services::Get<Tarn::LevelManager>();
		std::vector<const Tarn::Object*> kept;
		for ( Tarn::LevelObject* level :
		      { levels->GetCurrentLevel(), levels->GetMainMenu(), levels->GetInGameGUI(), levels->GetScoreScreen() } )
		{
			if ( !level )
				continue;
			level->DestroyAllObjects();
			level->mObjectNames.clear();
			kept.push_back( level );
		}
		for ( const auto& [hash, entry] : objects.mObjects )
			if ( std::find( kept.begin(), kept.end(), entry.mObject ) == kept.end() )
				objects.DestroyObject( entry.mName );
		objects.ProcessDestroyQueue();
		if ( auto* collision = Tarn::Services::Get<Physics::CollisionManager>() )
			collision->ClearPairs();
		Tarn::LevelObject::Counters() = {};
		levels->mLevelNumber = 0;
		// What the headless device recorded of the frames drawn is of no use here.
		if ( auto* graphics = Tarn::Services::Get<Graphics::GraphicsManager>() )
			if ( auto* recording = dynamic_cast<Platform::RecordingRenderDevice*>( graphics->GetDevice() ) )
			{
				recording->mCalls.clear();
				recording->mDraws.clear();
			}
	}
}

extern "C" int LLVMFuzzerInitialize( int*, char*** )
{
	SetUp();
	if ( const char* seed = std::getenv( "KELVANE_FUZZ_WRITE_SEED" ) )
		WriteEveryTypeSeed( seed );
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput( const uint8_t* data, size_t size )
{
	Fuzzing& state = State();
	{
		std::ofstream file( state.mLevelPath, std::ios::binary | std::ios::trunc );
		file.write( reinterpret_cast<const char*>( data ), static_cast<std::streamsize>( size ) );
	}
	// Every input sees the random sequence a game sees from its start.
	Tarn::Random::Seed();
	auto* levels = Tarn::Services::Get<Tarn::LevelManager>();
	levels->LoadLevel( 1 );
	for ( int step = 0; step < kStepsPerInput; ++step )
		state.mGame->Tick();
	TearDownLevel();
	return 0;
}
