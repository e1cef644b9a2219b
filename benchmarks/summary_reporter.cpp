#include "summary_reporter.h"

#include <unistd.h>

#include <cstdio>

#include "bench_pictures.h"
#include "benchmarks.h"
#include "fractal/kernel_choice.h"

namespace scintle {

namespace {

const char* const kFamilies[] = {"Mandelbrot", "Julia", "Dragon", "Phoenix"};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

SummaryReporter::SummaryReporter()
    : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        Result result;
        const double iterations = run.iterations > 0 ? static_cast<double>(run.iterations) : 1;
        result.cpuSeconds = run.cpu_accumulated_time / iterations;
        result.manualSeconds = run.real_accumulated_time / iterations;
        for (const auto& [name, counter] : run.counters) result.counters[name] = counter.value;
        result.failed = run.error_occurred;
        const std::string name = run.run_name.function_name;
        results_[name] = result;
        names_.push_back(name);
    }
    ConsoleReporter::ReportRuns(runs);
}

const SummaryReporter::Result* SummaryReporter::Find(const std::string& name) const {
    const auto found = results_.find(name);
    return found == results_.end() ? nullptr : &found->second;
}

void SummaryReporter::PrintSummary() const {
    std::printf("\nSummary (CPU time; kernel: %s, chosen by auto)\n", KernelName(ActiveKernel()));
    PrintOrder();
    PrintFamilies();
    PrintPasses();
    PrintStops();
}

void SummaryReporter::PrintOrder() const {
    std::printf("\n| Pixel order, drained | linked list (baseline) | next_position | take_positions |\n");
    std::printf("|---|---|---|---|\n");
    for (const char* size : {"1920x1080", "3840x2160"}) {
        const Result* list = Find(std::string("order/linked_list_baseline/") + size);
        const Result* one = Find(std::string("order/next_position/") + size);
        const Result* batch = Find(std::string("order/take_positions/") + size);
        if (!list && !one && !batch) continue;
        auto ns = [](const Result* r) {
            return r ? r->counters.at("per_position") * 1e9 : 0.0;
        };
        std::printf("| %s | %.0f ns/position | %.1f ns/position | %.1f ns/position |\n", size,
                    ns(list), ns(one), ns(batch));
    }
    std::printf("(The baseline at 3840x2160 is timed over the first quarter of its positions.)\n");
}

void SummaryReporter::PrintFamilies() const {
    const std::string lanes = KernelName(ActiveKernel());
    std::printf("\n| Pictures at 1920x1080, full resolution | plain baseline | %s | speed-up | "
                "%s pixels/s | %s steps/s |\n", lanes.c_str(), lanes.c_str(), lanes.c_str());
    std::printf("|---|---|---|---|---|---|\n");
    double allPlain = 0, allLanes = 0, allPixels = 0, allSteps = 0;
    int rows = 0;
    for (const char* family : kFamilies) {
        double plain = 0, fast = 0, pixels = 0, steps = 0;
        for (const BenchRow& row : AllRows()) {
            if (!StartsWith(row.name, family)) continue;
            const Result* p = Find("row/plain_baseline/" + row.name);
            const Result* l = Find("row/" + lanes + "/" + row.name);
            if (!p || !l) continue;
            plain += p->cpuSeconds;
            fast += l->cpuSeconds;
            pixels += double{kBenchWidth} * kBenchHeight;
            const auto s = plainRowFacts.find(row.name);
            if (s != plainRowFacts.end()) steps += static_cast<double>(s->second.steps);
            ++rows;
        }
        if (fast <= 0) continue;
        std::printf("| %s | %.2f s | %.2f s | %.1fx | %.0f M | %.2f G |\n", family, plain, fast,
                    plain / fast, pixels / fast / 1e6, steps / fast / 1e9);
        allPlain += plain;
        allLanes += fast;
        allPixels += pixels;
        allSteps += steps;
    }
    if (allLanes > 0) {
        std::printf("| all %d rows | %.2f s | %.2f s | %.1fx | %.0f M | %.2f G |\n", rows, allPlain,
                    allLanes, allPlain / allLanes, allPixels / allLanes / 1e6,
                    allSteps / allLanes / 1e9);
        std::printf("Pictures that differ from the plain kernel's: %d\n", differingPictures);
    }
}

void SummaryReporter::PrintPasses() const {
    std::printf("\n| Whole pass, 74 rows at 1920x1080 | plain baseline | sse2 | avx2 | avx512 |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const char* mode : {"1", "0"}) {
        const std::string prefix = std::string("pass/extra_memory_") + mode + "/";
        const Result* plain = Find(prefix + "plain_baseline");
        if (!plain) continue;
        std::printf("| ExtraMemory %s | %.2f s |", mode, plain->cpuSeconds);
        for (const char* kernel : {"sse2", "avx2", "avx512"}) {
            const Result* r = Find(prefix + kernel);
            if (r && r->cpuSeconds > 0) {
                std::printf(" %.2f s (1/%.1f) |", r->cpuSeconds, plain->cpuSeconds / r->cpuSeconds);
            } else {
                std::printf(" - |");
            }
        }
        std::printf("\n");
    }
}

void SummaryReporter::PrintStops() const {
    double worst = -1;
    std::string worstName;
    for (const std::string& name : names_) {
        if (!StartsWith(name, "stop/")) continue;
        const Result& r = results_.at(name);
        if (r.manualSeconds > worst) {
            worst = r.manualSeconds;
            worstName = name;
        }
    }
    if (worst < 0) return;
    std::printf("\nStop latency, worst over the rows: %.2f ms (%s)\n", worst * 1e3,
                worstName.c_str());
}

}  // namespace scintle
