// kernel-check: paints every catalogue row in both ExtraMemory modes with each lane
// kernel the processor has and with the plain scalar kernel, and compares. Built for
// Linux and for Windows, where it shows under Wine that the wider kernels run on a
// 32-bit stack (4-byte aligned) and with the 64-bit calling convention, and paint the
// same pixels as the scalar one. Each line gives the seconds each kernel took for all
// its pictures, next to the scalar kernel's for the same pictures: at a size such as
// 640x480 they compare the builds' kernels (figures, not a test).
//
//     kernel-check [WIDTHxHEIGHT]      exit code 0 when every picture agrees
#include <chrono>
#include <cstdio>
#include <vector>

#include "fractal/family_table.h"
#include "fractal/kernel_choice.h"
#include "fractal/preset_catalogue.h"
#include "fractal/random.h"
#include "render/colour_schemes.h"
#include "render/engine_reset.h"
#include "render/picture_cycle.h"
#include "render/pixel_shuffler.h"
#include "settings/saver_settings.h"

namespace scintle {
namespace {

using Clock = std::chrono::steady_clock;

struct Seconds {
    double kernel = 0;
    double scalar = 0;
};

// The picture, and the time its painting took added to *seconds.
std::vector<Colorref> Paint(const CatalogueRow& r, int32_t family, uint32_t extraMemory,
                            KernelKind kernel, int width, int height, double* seconds) {
    MemoryCanvas canvas(width, height);
    ResetEngine(&canvas);
    SaverSettings.ExtraMemory = extraMemory;
    ActiveView = ViewOf(r, family, 9.0);
    SetActiveScheme(kFirestorm);
    SelectKernel(kernel);
    srand(11);
    BuildShuffler();
    const Clock::time_point start = Clock::now();
    PaintPicture(canvas.dc());
    *seconds += std::chrono::duration<double>(Clock::now() - start).count();
    ResetEngine();
    return canvas.pixels();
}

// How many pictures the kernel paints differently from the scalar kernel.
int Check(KernelKind kernel, int width, int height, Seconds* seconds) {
    int differ = 0;
    for (int32_t family : {kMandelbrot, kJulia, kDragon, kPhoenix}) {
        const CatalogueTable table = CatalogueOf(family);
        for (int i = 0; i < table.count; ++i) {
            for (uint32_t extraMemory : {1u, 0u}) {
                const CatalogueRow& r = table.rows[i];
                if (Paint(r, family, extraMemory, kernel, width, height, &seconds->kernel) !=
                    Paint(r, family, extraMemory, KernelKind::kScalar, width, height,
                          &seconds->scalar)) {
                    std::printf("%s differs: %s %d, ExtraMemory %u\n", KernelName(kernel),
                                FamilyName(family), i + 1, extraMemory);
                    ++differ;
                }
            }
        }
    }
    return differ;
}

}  // namespace
}  // namespace scintle

int main(int argc, char** argv) {
    using namespace scintle;
    int width = 96, height = 64;
    if (argc > 1 && (std::sscanf(argv[1], "%dx%d", &width, &height) != 2 || width < 1 ||
                     height < 1 || width > 4096 || height > 4096)) {
        std::fputs("usage: kernel-check [WIDTHxHEIGHT]\n", stderr);
        return 2;
    }
    int differ = 0;
    for (KernelKind kernel : {KernelKind::kSse2, KernelKind::kAvx2, KernelKind::kAvx512}) {
        if (!KernelSupported(kernel)) {
            std::printf("%s: not on this processor or not in this build\n", KernelName(kernel));
            continue;
        }
        Seconds seconds;
        const int n = Check(kernel, width, height, &seconds);
        std::printf("%s: %s (%.2f s; scalar %.2f s)\n", KernelName(kernel),
                    n == 0 ? "same pixels as scalar" : "DIFFERS", seconds.kernel, seconds.scalar);
        differ += n;
    }
    return differ == 0 ? 0 : 1;
}
