// The gallery's pass natively, beside which ./bench measures the browser's
// (benchmarks/web/web_pass_bench.py): every catalogue row painted as scintle-render
// view paints it (render/view_picture.h), at 1280x720 in Firestorm, with the plain
// one-pixel kernel and with the SSE2 lanes that the browser's SIMD build carries over.
// Wall time, as the browser's page measures it.
#include <benchmark/benchmark.h>

#include "bench_pictures.h"
#include "benchmarks.h"
#include "fractal/family_table.h"
#include "fractal/kernel_choice.h"
#include "fractal/preset_catalogue.h"
#include "render/colour_schemes.h"
#include "render/engine_reset.h"
#include "render/view_picture.h"

namespace scintle {

namespace {

constexpr int32_t kWebPassWidth = 1280;
constexpr int32_t kWebPassHeight = 720;

void WebPass(benchmark::State& state, KernelKind kernel) {
    MemoryCanvas canvas(kWebPassWidth, kWebPassHeight);
    for (auto _ : state) {
        for (const BenchRow& row : AllRows()) {
            ViewPicture view;
            view.row = &CatalogueOf(row.family).rows[row.number - 1];
            view.family = row.family;
            view.scheme = kFirestorm;
            view.kernel = kernel;
            PaintView(&canvas, view);
        }
    }
    ResetEngine();
    state.counters["pictures"] = static_cast<double>(AllRows().size());
}

}  // namespace

void RegisterWebPassBenchmarks() {
    for (KernelKind kernel : {KernelKind::kScalar, KernelKind::kSse2}) {
        benchmark::RegisterBenchmark(("web_pass/" + std::string(KernelName(kernel))).c_str(), WebPass, kernel)
            ->Iterations(1)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace scintle
