#include "Core/GameWindow/Game.h"
#include "Core/GameWindow/GameProject.h"
#include "Utilities/Hash.h"
#include "core/Services.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace
{
	class Counter : public Tarn::IsUpdatable
	{
	public:
		void Update( Tarn::GameTime& ) override { ++mCount; }
		int mCount = 0;
	};

	// One update step over 1,000 filed updatables.
	void UpdateStep1000( benchmark::State& state )
	{
		Tarn::Game game;
		std::vector<std::unique_ptr<Counter>> items;
		for ( int i = 0; i < 1000; ++i )
		{
			items.push_back( std::make_unique<Counter>() );
			items.back()->mUpdateOrder = i % 7;
		}
		Tarn::GameTime time;
		for ( auto _ : state )
			game.Update( time );
		state.SetItemsProcessed( state.iterations() * 1000 );
	}
	BENCHMARK( UpdateStep1000 );

	void HashSixteenBytes( benchmark::State& state )
	{
		const char* name = "StatusBarManager";
		for ( auto _ : state )
		{
			benchmark::DoNotOptimize( name );
			benchmark::DoNotOptimize( Tarn::Hash( name ) );
		}
	}
	BENCHMARK( HashSixteenBytes );

	void ServicesGet( benchmark::State& state )
	{
		Tarn::GameProject project;
		project.CreateComponents();
		for ( auto _ : state )
			benchmark::DoNotOptimize( Tarn::Services::Get<Tarn::PropertyEditor>() );
	}
	BENCHMARK( ServicesGet );
}

BENCHMARK_MAIN();
