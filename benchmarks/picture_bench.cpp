// Whole pictures at 1920x1080, full resolution, in scattered order, into a memory
// canvas: every catalogue row with the plain one-pixel kernel (the baseline) and with
// the engine's kernel of choice; then whole passes over all 74 rows in both
// ExtraMemory modes, with the baseline, with every lane kernel the processor has, and
// with no kernel at all (the order and the window alone); and the kernels' stepping
// rate on a view where no pixel escapes, where the per-pixel costs hardly count.
#include <benchmark/benchmark.h>

#include "bench_pictures.h"
#include "tests/canvas_digest.h"
#include "benchmarks.h"
#include "fractal/family_table.h"
#include "fractal/fractal_preset.h"
#include "fractal/kernel_choice.h"
#include "plain_kernel.h"
#include "render/picture_cycle.h"
#include "render/pixel_shuffler.h"

namespace scintle {

std::map<std::string, RowFacts> plainRowFacts;
int differingPictures = 0;

namespace {

constexpr int64_t kPicturePixels = int64_t{kBenchWidth} * kBenchHeight;

void SetRates(benchmark::State& state, int64_t pictures, int64_t steps) {
    using benchmark::Counter;
    state.counters["pixels"] =
        Counter(static_cast<double>(pictures * kPicturePixels), Counter::kIsRate);
    if (steps > 0) state.counters["steps"] = Counter(static_cast<double>(steps), Counter::kIsRate);
}

// No kernel: every position set to one colour.
constexpr KernelKind kNoKernel = KernelKind::kAuto;

// Paints the prepared picture with the kernel; the plain baseline when kernel is kScalar
// (the engine's own scalar path is not what is measured here). Returns the steps the
// baseline counted, 0 for the lane kernels.
int64_t Paint(MemoryCanvas* canvas, KernelKind kernel) {
    if (kernel == KernelKind::kScalar)
        return PaintPlainPicture(canvas->dc(), renderCycle.currentShuffler).steps;
    if (kernel == kNoKernel) {
        PaintWithoutKernel(canvas->dc(), renderCycle.currentShuffler);
        return 0;
    }
    SelectKernel(kernel);
    PaintPicture(canvas->dc());
    return 0;
}

void Row(benchmark::State& state, const BenchRow* row, KernelKind kernel) {
    MemoryCanvas canvas(kBenchWidth, kBenchHeight);
    int64_t steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PrepareRow(&canvas, *row, 1);
        state.ResumeTiming();
        steps = Paint(&canvas, kernel);
    }
    const uint64_t digest = CanvasDigest(canvas);
    if (kernel == KernelKind::kScalar) {
        plainRowFacts[row->name] = {steps, digest};
    } else if (plainRowFacts.count(row->name)) {
        steps = plainRowFacts[row->name].steps;
        if (plainRowFacts[row->name].digest != digest) {
            ++differingPictures;
            state.SkipWithError("the picture differs from the plain kernel's");
        }
    }
    SetRates(state, static_cast<int64_t>(state.iterations()), steps);
}

void Pass(benchmark::State& state, uint32_t extraMemory, KernelKind kernel) {
    MemoryCanvas canvas(kBenchWidth, kBenchHeight);
    int64_t pictures = 0;
    for (auto _ : state) {
        for (const BenchRow& row : AllRows()) {
            state.PauseTiming();
            PrepareRow(&canvas, row, extraMemory);
            state.ResumeTiming();
            Paint(&canvas, kernel);
            ++pictures;
        }
    }
    SetRates(state, pictures, 0);
}

// Inside the main body of the set: every pixel iterates to the cap of 1000.
void Stepping(benchmark::State& state, KernelKind kernel) {
    constexpr int32_t kWidth = 480, kHeight = 270, kCap = 1000;
    MemoryCanvas canvas(kWidth, kHeight);
    for (auto _ : state) {
        state.PauseTiming();
        PrepareRow(&canvas, AllRows().front(), 1);
        ActiveView = {0.05, 0.2, -0.05, 0.05, 4.0, 0, 0, kCap, kMandelbrot};
        state.ResumeTiming();
        Paint(&canvas, kernel);
    }
    state.counters["steps"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kWidth * kHeight * kCap,
        benchmark::Counter::kIsRate);
}

std::string KernelLabel(KernelKind kernel) {
    if (kernel == kNoKernel) return "order_and_window_only";
    return kernel == KernelKind::kScalar ? "plain_baseline" : KernelName(kernel);
}

}  // namespace

void RegisterPictureBenchmarks() {
    const KernelKind chosen = ActiveKernel();
    for (const BenchRow& row : AllRows()) {
        for (KernelKind kernel : {KernelKind::kScalar, chosen}) {
            const std::string name = "row/" + KernelLabel(kernel) + "/" + row.name;
            benchmark::RegisterBenchmark(name.c_str(), Row, &row, kernel)
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
        }
    }
    const KernelKind all[] = {KernelKind::kScalar, KernelKind::kSse2, KernelKind::kAvx2,
                              KernelKind::kAvx512};
    for (uint32_t extraMemory : {1u, 0u}) {
        for (KernelKind kernel : {KernelKind::kScalar, KernelKind::kSse2, KernelKind::kAvx2,
                                  KernelKind::kAvx512, kNoKernel}) {
            if (!KernelSupported(kernel)) continue;
            const std::string name = "pass/extra_memory_" + std::to_string(extraMemory) + "/" +
                                     KernelLabel(kernel);
            benchmark::RegisterBenchmark(name.c_str(), Pass, extraMemory, kernel)
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
        }
    }
    for (KernelKind kernel : all) {
        if (!KernelSupported(kernel)) continue;
        benchmark::RegisterBenchmark(("stepping/" + KernelLabel(kernel)).c_str(), Stepping, kernel)
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace scintle
