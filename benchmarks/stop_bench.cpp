// The stop latency: the time from clearing runningFlag (on another thread, as the
// window thread does) to the return of the render cycle, for every catalogue row at
// 1920x1080 with the engine's kernel of choice, stopped at a few moments of painting.
// Reported as each row's worst case.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "bench_pictures.h"
#include "benchmarks.h"
#include "fractal/fractal_preset.h"
#include "fractal/kernel_choice.h"
#include "fractal/preset_catalogue.h"
#include "fractal/preset_deck.h"
#include "render/picture_cycle.h"

namespace scintle {

namespace {

using Clock = std::chrono::steady_clock;

// Moments after the cycle's start at which the flag is cleared.
constexpr int kStopAfterMs[] = {15, 45, 120};

double StopOnce(const BenchRow& row, int afterMs) {
    MemoryCanvas canvas(kBenchWidth, kBenchHeight);
    PrepareRow(&canvas, row, 1);
    // The deck holds just this row, so the cycle's first picture is this view.
    AppendPreset(CatalogueOf(row.family).rows[row.number - 1], row.family);
    std::atomic<int64_t> clearedAt{0};
    std::thread window([&clearedAt, afterMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
        clearedAt.store(Clock::now().time_since_epoch().count());
        renderCycle.runningFlag.store(0);
    });
    RunRenderCycle(canvas.window());
    const int64_t returnedAt = Clock::now().time_since_epoch().count();
    window.join();
    ResetRenderCycle();
    ClearDeck();
    const double latency = static_cast<double>(returnedAt - clearedAt.load()) *
                           Clock::period::num / Clock::period::den;
    return latency > 0 ? latency : 0;
}

void StopLatency(benchmark::State& state, const BenchRow* row) {
    for (auto _ : state) {
        double worst = 0;
        for (int afterMs : kStopAfterMs) {
            const double latency = StopOnce(*row, afterMs);
            if (latency > worst) worst = latency;
        }
        state.SetIterationTime(worst);
    }
}

}  // namespace

void RegisterStopBenchmarks() {
    for (const BenchRow& row : AllRows()) {
        const std::string name = std::string("stop/") + KernelName(ActiveKernel()) + "/" + row.name;
        benchmark::RegisterBenchmark(name.c_str(), StopLatency, &row)
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace scintle
