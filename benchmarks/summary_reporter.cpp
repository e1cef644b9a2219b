#include "summary_reporter.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "bench_pictures.h"
#include "benchmarks.h"
#include "fractal/kernel_choice.h"

namespace scintle {

namespace {

const char* const kFamilies[] = {"Mandelbrot", "Julia", "Dragon", "Phoenix"};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The processor as the kernel reports it (its name, family and model: a virtual
// machine's name may be only the maker's line), for the reader to compare machines.
std::string Processor() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string name = "?", family = "?", model = "?";
    for (std::string line; std::getline(cpuinfo, line) && !line.empty();) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos || colon + 2 > line.size()) continue;
        const std::string value = line.substr(colon + 2);
        if (StartsWith(line, "model name")) name = value;
        else if (StartsWith(line, "cpu family")) family = value;
        else if (StartsWith(line, "model\t")) model = value;
    }
    return name + " (family " + family + ", model " + model + ")";
}

// The lane kernels this processor runs, as `--kernel` names them.
std::string LaneKernels() {
    std::string names;
    for (KernelKind kind : {KernelKind::kSse2, KernelKind::kAvx2, KernelKind::kAvx512}) {
        if (!KernelSupported(kind)) continue;
        names += names.empty() ? "" : ", ";
        names += KernelName(kind);
    }
    return names.empty() ? "none" : names;
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
    std::printf("Machine: %s; lane kernels it runs: %s; %ld cores\n", Processor().c_str(),
                LaneKernels().c_str(), sysconf(_SC_NPROCESSORS_ONLN));
    PrintOrder();
    PrintFamilies();
    PrintPasses();
    PrintStepping();
    PrintStops();
    PrintX11Passes();
}

void SummaryReporter::PrintOrder() const {
    if (!Find("order/next_position/1920x1080") && !Find("order/next_position/3840x2160")) return;
    std::printf("\n| Pixel order, drained | linked list (baseline) | next_position | "
                "take_positions |\n");
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
    struct Totals {
        const char* name;
        double plain = 0, fast = 0, pixels = 0, steps = 0;
        int rows = 0;
    };
    std::vector<Totals> lines;
    Totals all{"all rows"};
    for (const char* family : kFamilies) {
        Totals t{family};
        for (const BenchRow& row : AllRows()) {
            if (!StartsWith(row.name, family)) continue;
            const Result* p = Find("row/plain_baseline/" + row.name);
            const Result* l = Find("row/" + lanes + "/" + row.name);
            if (!p || !l) continue;
            t.plain += p->cpuSeconds;
            t.fast += l->cpuSeconds;
            t.pixels += double{kBenchWidth} * kBenchHeight;
            const auto facts = plainRowFacts.find(row.name);
            if (facts != plainRowFacts.end()) t.steps += static_cast<double>(facts->second.steps);
            ++t.rows;
        }
        if (t.rows == 0) continue;
        lines.push_back(t);
        all.plain += t.plain;
        all.fast += t.fast;
        all.pixels += t.pixels;
        all.steps += t.steps;
        all.rows += t.rows;
    }
    if (lines.empty()) return;
    lines.push_back(all);
    std::printf("\n| Pictures at 1920x1080, full resolution | rows | plain baseline | %s | "
                "speed-up | %s pixels/s | %s steps/s |\n",
                lanes.c_str(), lanes.c_str(), lanes.c_str());
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const Totals& t : lines) {
        std::printf("| %s | %d | %.2f s | %.2f s | %.1fx | %.0f M | %.2f G |\n", t.name, t.rows,
                    t.plain, t.fast, t.plain / t.fast, t.pixels / t.fast / 1e6,
                    t.steps / t.fast / 1e9);
    }
    std::printf("Pictures that differ from the plain kernel's: %d\n", differingPictures);
}

void SummaryReporter::PrintPasses() const {
    if (!Find("pass/extra_memory_1/plain_baseline") && !Find("pass/extra_memory_0/plain_baseline"))
        return;
    std::printf("\n| Whole pass, 74 rows at 1920x1080 | plain baseline | sse2 | avx2 | avx512 | "
                "no kernel (order and window only) |\n");
    std::printf("|---|---|---|---|---|---|\n");
    for (const char* mode : {"1", "0"}) {
        const std::string prefix = std::string("pass/extra_memory_") + mode + "/";
        const Result* plain = Find(prefix + "plain_baseline");
        if (!plain) continue;
        std::printf("| ExtraMemory %s | %.2f s |", mode, plain->cpuSeconds);
        for (const char* kernel : {"sse2", "avx2", "avx512", "order_and_window_only"}) {
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

void SummaryReporter::PrintStepping() const {
    const Result* plain = Find("stepping/plain_baseline");
    if (!plain) return;
    std::printf("\n| Stepping, no pixel escaping (cap 1000) | plain baseline | sse2 | avx2 | "
                "avx512 |\n");
    std::printf("|---|---|---|---|---|\n|  |");
    const double plainRate = plain->counters.at("steps");
    std::printf(" %.2f G steps/s |", plainRate / 1e9);
    for (const char* kernel : {"sse2", "avx2", "avx512"}) {
        const Result* r = Find(std::string("stepping/") + kernel);
        if (r) {
            const double rate = r->counters.at("steps");
            std::printf(" %.2f G steps/s (x%.1f) |", rate / 1e9, rate / plainRate);
        } else {
            std::printf(" - |");
        }
    }
    std::printf("\n");
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

void SummaryReporter::PrintX11Passes() const {
    if (!Find("x11_pass/extra_memory_1") && !Find("x11_pass/extra_memory_0")) return;
    std::printf("\n| Whole pass into the X11 window, 74 rows at 1920x1080 (best of 3) | "
                "memory canvas | X11 window, saver | extra | X server | extra with the server |\n");
    std::printf("|---|---|---|---|---|---|\n");
    double worst = 0;
    for (const char* mode : {"1", "0"}) {
        const Result* r = Find(std::string("x11_pass/extra_memory_") + mode);
        if (!r) continue;
        const double memory = r->counters.at("memory_canvas_cpu_s");
        const double window = r->counters.at("x11_window_cpu_s");
        const double server = r->counters.at("x_server_cpu_s");
        const double extra = window / memory - 1;
        worst = std::max(worst, extra);
        std::printf("| ExtraMemory %s | %.2f s | %.2f s | %+.1f %% | %.2f s | %+.1f %% |\n", mode,
                    memory, window, extra * 100, server, ((window + server) / memory - 1) * 100);
    }
    std::printf("The saver's extra CPU for drawing into X11: %.1f %% at worst (%s 10 %%).\n",
                worst * 100, worst <= 0.10 ? "within" : "OVER");
}

}  // namespace scintle
