// scintle-soak: the picture cycle on a memory canvas for thousands of pictures, and what
// the process holds at the start and at the end: resident memory, the heap in use,
// open file descriptors and threads. ./bench --soak runs it (benchmarks/soak.sh) and
// puts the growth in its summary table.
//
//     scintle-soak [PICTURES [WIDTHxHEIGHT]]     (3000 at 640x480 by default)
//
// The start is taken after the first pictures, once the deck, the colour tables and
// the first orders exist, and the end whole passes of the catalogue later (PICTURES
// rounded up to them); everything in between is the steady state, which a saver left
// running for hours must hold without growing. Prints key=value lines.
#include <dirent.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "fractal/family_table.h"
#include "fractal/random.h"
#include "render/engine_reset.h"
#include "render/memory_canvas.h"
#include "render/picture_cycle.h"
#include "settings/saver_settings.h"

namespace scintle {
namespace {

constexpr int kWarmUpPictures = 20;

struct Holdings {
    long residentKb = 0;
    long heapBytes = 0;
    long descriptors = 0;
    long threads = 0;
};

long StatusField(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, name.size() + 1, name + ":") == 0) return std::atol(line.c_str() + name.size() + 1);
    return -1;
}

Holdings Measure() {
    Holdings h;
    h.residentKb = StatusField("VmRSS");
    h.threads = StatusField("Threads");
    h.heapBytes = static_cast<long>(mallinfo2().uordblks);
    if (DIR* fds = opendir("/proc/self/fd")) {
        while (dirent* entry = readdir(fds))
            if (entry->d_name[0] != '.') ++h.descriptors;
        closedir(fds);
        --h.descriptors;  // the one opendir holds
    }
    return h;
}

struct Soak {
    int pictures = 0;
    int wanted = 0;
    Holdings start;
    Holdings end;
    std::chrono::steady_clock::time_point startTime;
};

// Both measures are taken as a picture is finished, so that the cycle holds the same
// things at each (its order among them).
void OnPicture(void* context) {
    auto* soak = static_cast<Soak*>(context);
    if (++soak->pictures == kWarmUpPictures) {
        soak->start = Measure();
        soak->startTime = std::chrono::steady_clock::now();
    }
    if (soak->pictures == soak->wanted) {
        soak->end = Measure();
        renderCycle.runningFlag.store(0);
    }
}

void Print(const char* when, const Holdings& h) {
    std::printf("%s_rss_kb=%ld\n%s_heap_bytes=%ld\n%s_fds=%ld\n%s_threads=%ld\n", when,
                h.residentKb, when, h.heapBytes, when, h.descriptors, when, h.threads);
}

}  // namespace
}  // namespace scintle

int main(int argc, char** argv) {
    using namespace scintle;
    Soak soak;
    // Whole passes of the catalogue after the warm-up, so that the deck holds as many
    // views at the end as at the start.
    int pass = 0;
    for (const FamilyInfo& family : kFamilies) pass += family.rowCount;
    const int asked = argc > 1 ? std::atoi(argv[1]) : 3000;
    soak.wanted = kWarmUpPictures + (asked + pass - 1) / pass * pass;
    int width = 640, height = 480;
    if (argc > 2 && std::sscanf(argv[2], "%dx%d", &width, &height) != 2) return 2;
    if (asked < 1 || width < 1 || height < 1) return 2;

    MemoryCanvas canvas(width, height);
    ResetEngine(&canvas);
    SaverSettings.ExtraMemory = 1;
    SaverSettings.CompletionDelay = 0;
    SaverSettings.BlankingMethod = kAllBlankingMethods;  // the scintle fade builds two orders
    renderCycle.pictureDone = OnPicture;
    renderCycle.pictureDoneContext = &soak;
    scintle::srand(20260101);
    RunRenderCycle(canvas.window());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - soak.startTime).count();
    std::printf("pictures=%d\nsize=%dx%d\nseconds=%.1f\n", soak.pictures - kWarmUpPictures, width,
                height, seconds);
    Print("start", soak.start);
    Print("end", soak.end);
    return 0;
}
