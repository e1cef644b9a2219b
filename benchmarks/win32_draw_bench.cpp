// scintle-draw-bench.exe: the Windows saver's drawing cost, for the benchmark under Wine
// (benchmarks/wine_draw_bench.sh). It is the saver run full screen, as `scintle.scr /s`
// runs (the same entry, window, settings from the registry and render thread), with the
// render thread's generator seeded so that the pictures are known. The first picture
// warms up (the window shown, the caches filled); the next PICTURES are timed through
// the real window, and the saver is closed. Then the same pictures are painted into a
// memory canvas of the window's size from the same seed and timed too, and the two
// last pictures are compared pixel for pixel.
//
//   scintle-draw-bench.exe PICTURES SEED
//
// Prints key=value lines. The X server's and wineserver's CPU time over the timed
// pictures comes from their Linux processes, named by SCINTLE_BENCH_XSERVER_PID and
// SCINTLE_BENCH_WINESERVER_PID and read through Wine's drive Z: (the Unix root); each
// is 0 when it is not known.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fractal/kernel_choice.h"
#include "fractal/random.h"
#include "host/run_mode.h"
#include "host/saver_entry.h"
#include "host/saver_host.h"
#include "platform/win32/win32_bindings.h"
#include "proc_stat.h"
#include "render/engine_reset.h"
#include "render/memory_canvas.h"
#include "render/picture_cycle.h"
#include "render/render_thread.h"
#include "settings/saver_settings.h"

namespace {

using scintle::Colorref;

struct Sample {
    double wall = 0;
    double cpu = 0;  // this process's, every thread
    double xServer = 0;
    double wineServer = 0;
};

struct Pass {
    Sample start, end;
    std::vector<Colorref> lastPicture;
};

struct DrawBench {
    int pictures = 0;  // timed, after the first
    int done = 0;      // pictures finished in the current pass
    Pass* pass = nullptr;
    int32_t width = 0, height = 0;
    long long clockTicks = 100;  // Linux's USER_HZ
};
DrawBench bench;

double WallSeconds() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) * 1e-7;
}

// A Linux process's user and system time, from /proc/PID/stat.
double UnixProcessCpuSeconds(const char* pidVariable) {
    const char* pid = std::getenv(pidVariable);
    if (!pid || !*pid) return 0;
    char path[64];
    std::snprintf(path, sizeof path, "Z:\\proc\\%s\\stat", pid);
    FILE* file = std::fopen(path, "r");
    if (!file) return 0;
    char line[1024] = {};
    const size_t length = std::fread(line, 1, sizeof line - 1, file);
    std::fclose(file);
    line[length] = 0;
    return static_cast<double>(scintle::ProcStatCpuTicks(line)) /
           static_cast<double>(bench.clockTicks);
}

Sample Now() {
    return {WallSeconds(), ProcessCpuSeconds(), UnixProcessCpuSeconds("SCINTLE_BENCH_XSERVER_PID"),
            UnixProcessCpuSeconds("SCINTLE_BENCH_WINESERVER_PID")};
}

// What the window shows, as COLORREFs, top row first.
std::vector<Colorref> WindowPixels(HWND window, int32_t width, int32_t height) {
    std::vector<Colorref> pixels;
    HDC windowDc = GetDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP image = CreateDIBSection(memoryDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (image) {
        HGDIOBJ previous = SelectObject(memoryDc, image);
        if (BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY)) {
            const auto* rgb = static_cast<const uint32_t*>(bits);  // 0x00RRGGBB
            pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
            for (size_t i = 0; i < pixels.size(); ++i)
                pixels[i] = RGB(rgb[i] >> 16 & 0xFF, rgb[i] >> 8 & 0xFF, rgb[i] & 0xFF);
        }
        SelectObject(memoryDc, previous);
        DeleteObject(image);
    }
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
    return pixels;
}

// Counts a picture painted to its end: the first starts the pass's clock. True when the
// last timed one is done, the clock stopped.
bool EndsThePass() {
    DrawBench& b = bench;
    if (++b.done == 1) b.pass->start = Now();
    if (b.done <= b.pictures) return false;
    b.pass->end = Now();
    return true;
}

// Told on the render thread.
void OnWindowPicture(void*) {
    if (!EndsThePass()) return;
    DrawBench& b = bench;
    b.width = scintle::renderCycle.clientWidth;
    b.height = scintle::renderCycle.clientHeight;
    HWND window = reinterpret_cast<HWND>(scintle::saverHost.saverWindow);
    b.pass->lastPicture = WindowPixels(window, b.width, b.height);
    scintle::renderCycle.runningFlag.store(0);
    PostMessageA(window, WM_CLOSE, 0, 0);
}

void OnMemoryPicture(void* canvas) {
    if (!EndsThePass()) return;
    bench.pass->lastPicture = static_cast<scintle::MemoryCanvas*>(canvas)->pixels();
    scintle::renderCycle.runningFlag.store(0);
}

void RunInWindow(HINSTANCE instance, uint32_t seed, Pass* pass) {
    bench.done = 0;
    bench.pass = pass;
    scintle::SeedRenderThread(seed);
    scintle::renderCycle.pictureDone = OnWindowPicture;
    scintle::RunEntry(reinterpret_cast<scintle::ModuleHandle>(instance), "/s");
    scintle::StopRenderThread();
    scintle::WaitForRenderThread();
}

// The same pictures: the settings the saver read, the same seed, the window's size.
void RunInMemory(uint32_t seed, Pass* pass) {
    const scintle::SaverSettingsRecord settings = scintle::SaverSettings;
    scintle::MemoryCanvas canvas(bench.width, bench.height);
    scintle::ResetEngine(&canvas);
    scintle::SaverSettings = settings;
    bench.done = 0;
    bench.pass = pass;
    scintle::renderCycle.pictureDone = OnMemoryPicture;
    scintle::renderCycle.pictureDoneContext = &canvas;
    scintle::srand(seed);
    scintle::RunRenderCycle(canvas.window());
    scintle::ResetEngine();
}

void Print(const char* name, const Pass& pass) {
    std::printf("%s_wall_s=%.3f\n%s_cpu_s=%.3f\n%s_x_server_cpu_s=%.3f\n%s_wineserver_cpu_s=%.3f\n",
                name, pass.end.wall - pass.start.wall, name, pass.end.cpu - pass.start.cpu, name,
                pass.end.xServer - pass.start.xServer, name,
                pass.end.wineServer - pass.start.wineServer);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    scintle::BindWin32();
    int pictures = 0;
    unsigned seed = 0;
    if (std::sscanf(scintle::CommandTail(GetCommandLineA()), "%d %u", &pictures, &seed) != 2 ||
        pictures < 1) {
        std::fputs("usage: scintle-draw-bench.exe PICTURES SEED\n", stderr);
        return 2;
    }
    if (const char* ticks = std::getenv("SCINTLE_BENCH_CLOCK_TICKS")) bench.clockTicks = std::atoll(ticks);
    bench.pictures = pictures;
    Pass window, memory;
    RunInWindow(instance, seed, &window);
    if (bench.done <= pictures) {
        std::fprintf(stderr, "scintle-draw-bench: the saver ended after %d of %d pictures\n",
                     bench.done, pictures + 1);
        return 1;
    }
    RunInMemory(seed, &memory);
    std::printf("width=%d\nheight=%d\npictures=%d\nkernel=%s\n", bench.width, bench.height, pictures,
                scintle::KernelName(scintle::ActiveKernel()));
    Print("window", window);
    Print("memory", memory);
    std::printf("same_pixels=%d\n", !window.lastPicture.empty() &&
                                        window.lastPicture == memory.lastPicture);
    std::fflush(stdout);
    return 0;
}
