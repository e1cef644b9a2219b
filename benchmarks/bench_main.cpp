// scintle-bench: the engine's speed against plain baselines kept beside it. Every
// figure is CPU time, measured in the same run as its baseline.
//
//     scintle-bench [--benchmark_filter=REGEX]
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "benchmarks.h"
#include "fractal/kernel_choice.h"
#include "summary_reporter.h"

namespace {

std::string ProcessorName() {
    std::ifstream info("/proc/cpuinfo");
    std::string line;
    while (std::getline(info, line)) {
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    }
    return "unknown";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace scintle;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::AddCustomContext("processor", ProcessorName());
    std::string kernels = "sse2";
    if (KernelSupported(KernelKind::kAvx2)) kernels += " avx2";
    if (KernelSupported(KernelKind::kAvx512)) kernels += " avx512";
    benchmark::AddCustomContext("lane kernels available", kernels);
    benchmark::AddCustomContext("kernel chosen by auto", KernelName(ActiveKernel()));

    RegisterOrderBenchmarks();
    RegisterPictureBenchmarks();
    RegisterStopBenchmarks();
    RegisterX11Benchmarks();
    RegisterWebPassBenchmarks();
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
