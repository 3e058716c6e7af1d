#pragma once

// What the benchmarks that draw through the real device share.

#include "Core/GameWindow/GameProject.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace KelvaneBench
{
	// CPU time of the whole process (the software renderer's threads included).
	double CpuMilliseconds();

	// False, and the benchmark skipped, without a display to open a window on.
	bool NeedDisplay( benchmark::State& state );

	// Points HOME and the XDG folders at a fresh temporary folder (once per run), so
	// that the exchange files of a benchmark never touch the real user folder.
	void UseTemporaryHome();

	// The game in a 1280 x 720 window, initialised, not looping.
	std::unique_ptr<Tarn::GameProject> StartWindowedGame();
}
