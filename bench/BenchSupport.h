#pragma once

// What the benchmarks that draw through the real device share.

#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

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
	// CPU time of the calling thread alone: the game's own work, without the
	// renderer's threads.
	double ThreadCpuMilliseconds();

	// False, and the benchmark skipped, without a display to open a window on.
	bool NeedDisplay( benchmark::State& state );

	// A fresh folder of this run's own under /tmp, made once.
	const std::string& TemporaryFolder();

	// Points HOME and the XDG folders into the run's temporary folder, so that the
	// exchange files of a benchmark never touch the real user folder.
	void UseTemporaryHome();

	// The game in a 1280 x 720 window, presenting without waiting for the display,
	// initialised, not looping. Null, and the benchmark skipped, without a display or
	// when the game could draw only through the recording device (a headless game ran
	// before in this process).
	std::unique_ptr<Tarn::GameProject> StartWindowedGame( benchmark::State& state );

	// A sprite: a transform and a mesh. RegisterBenchSprite files its type once.
	class BenchSprite : public Tarn::Object
	{
		TARN_CLASS_NAME( BenchSprite )

	public:
		void Initialise() override;
		void Shutdown() override {}
	};
	void RegisterBenchSprite();

	// Frame times kept by name during the run, so that a later benchmark can report
	// its ratio to an earlier one measured beside it; 0 for a name not recorded.
	void RecordFrameTime( const std::string& name, double milliseconds );
	double RecordedFrameTime( const std::string& name );
}
