#pragma once

// What the benchmarks that draw through the real device share.

#include "Core/GameWindow/GameProject.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace Tarn
{
	class FileSystem;
}

namespace KelvaneBench
{
	// The program's file system with a user folder of the run's own (never the real
	// home), and the exchange files that levels pass their objects through.
	Tarn::FileSystem& BenchFiles();

	// CPU time of the whole process (the software renderer's threads included).
	double CpuMilliseconds();

	// False, and the benchmark skipped, without a display to open a window on.
	bool NeedDisplay( benchmark::State& state );

	// The game in a 1280 x 720 window, initialised, not looping.
	std::unique_ptr<Tarn::GameProject> StartWindowedGame();
}
