// Whole passes over the 74 rows at 1920x1080 into the X11 saver's window against the
// same passes into a memory canvas: what drawing through the client-side image, and
// a window thread sending it at the display's pace, adds to the saver's CPU time. The
// X server's own CPU time is counted beside it when ./bench names its process.
//
// Needs an X display of at least 1920x1080 (./bench starts a virtual one); without one
// these benchmarks are not registered.
#include <benchmark/benchmark.h>

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "bench_pictures.h"
#include "benchmarks.h"
#include "platform/x11/x11_display.h"
#include "proc_stat.h"
#include "render/picture_cycle.h"

namespace scintle {

namespace {

struct X11Bench {
    X11Display display;
    ImageCanvas canvas;
    pid_t serverPid = 0;
};
X11Bench* x11Bench = nullptr;

// The X server's CPU time so far, or 0 when its process is not known.
double ServerCpuSeconds() {
    if (x11Bench->serverPid <= 0) return 0;
    std::ifstream file("/proc/" + std::to_string(x11Bench->serverPid) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return static_cast<double>(ProcStatCpuTicks(stat.c_str())) /
           static_cast<double>(sysconf(_SC_CLK_TCK));
}

double ProcessCpuSeconds() {
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One pass into `target` (the memory canvas itself when null): the process's CPU time
// while painting, the window thread's included.
double PaintAllRows(MemoryCanvas* prepared, uint32_t extraMemory, ImageCanvas* target) {
    double seconds = 0;
    for (const BenchRow& row : AllRows()) {
        // Blacked first, as PrepareRow blacks the memory canvas before it builds the
        // order: painting starts on the same cache contents either way.
        const Rect all = {0, 0, kBenchWidth, kBenchHeight};
        if (target) target->FillRect(nullptr, &all, target->CreateSolidBrush(kBlack));
        PrepareRow(prepared, row, extraMemory);
        RenderPlatform* platform = prepared;
        if (target) renderPlatform = platform = target;  // the same engine state, into X
        const double start = ProcessCpuSeconds();
        PaintPicture(platform->GetDC(nullptr));
        seconds += ProcessCpuSeconds() - start;
    }
    return seconds;
}

// The two kinds of pass in turns, each's best kept: on a busy machine the same pass
// varies by a quarter from one run to the next, far more than what is measured here.
void X11Pass(benchmark::State& state, uint32_t extraMemory) {
    constexpr int kTurns = 3;
    MemoryCanvas prepared(kBenchWidth, kBenchHeight);
    X11Bench& x = *x11Bench;
    std::atomic<bool> painting{true};
    // The saver's window thread: the changed rows once a frame.
    std::thread sender([&] {
        while (painting.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(x.display.FrameMilliseconds()));
            x.display.SendChanged(&x.canvas);
        }
    });
    double memory = 1e30, window = 1e30, server = 1e30;
    for (auto _ : state) {
        for (int turn = 0; turn < kTurns; ++turn) {
            memory = std::min(memory, PaintAllRows(&prepared, extraMemory, nullptr));
            const double serverBefore = ServerCpuSeconds();
            window = std::min(window, PaintAllRows(&prepared, extraMemory, &x.canvas));
            server = std::min(server, ServerCpuSeconds() - serverBefore);
        }
    }
    painting.store(false);
    sender.join();
    state.counters["memory_canvas_cpu_s"] = memory;
    state.counters["x11_window_cpu_s"] = window;
    state.counters["x_server_cpu_s"] = x11Bench->serverPid > 0 ? server : 0;
}

}  // namespace

void RegisterX11Benchmarks() {
    static X11Bench bench;
    std::string error;
    if (!bench.display.Open("", &error) ||
        !bench.display.CreateOwnWindow(kBenchWidth, kBenchHeight, "scintle-bench", &error) ||
        !bench.display.MakeImage(&bench.canvas, &error)) {
        std::fprintf(stderr, "scintle-bench: no X11 passes: %s\n", error.c_str());
        return;
    }
    x11Bench = &bench;
    if (const char* pid = std::getenv("SCINTLE_BENCH_XSERVER_PID")) bench.serverPid = std::atoi(pid);
    benchmark::AddCustomContext("X11 image", bench.display.sharedMemory() ? "MIT-SHM" : "XPutImage");
    for (uint32_t extraMemory : {1u, 0u}) {
        benchmark::RegisterBenchmark(("x11_pass/extra_memory_" + std::to_string(extraMemory)).c_str(),
                                     X11Pass, extraMemory)
            ->Iterations(1)
            ->MeasureProcessCPUTime()
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace scintle
