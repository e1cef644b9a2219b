// Fuzz target: pictures painted from any stored settings record. The input is the
// record (fuzz_support.h's layout, read by the settings store), then the generator's
// seed (4 bytes), the canvas's width and height (1 to 24 each), the kernel (scalar,
// sse2, avx2 or avx512, where the processor has it) and how many pictures (1 to 3).
// The real cycle paints them on a memory canvas; it must report each of them, and the
// last must be, pixel for pixel, what the one-pixel kernel gives its view.
//
// Work per input is bounded: a floor on iteration caps above 2000 is taken as 2000 and
// a completion delay above a second as a second (the canvas does not wait; both only
// make the same loops longer).
#include <cstring>

#include "fractal/fractal_preset.h"
#include "fractal/kernel_choice.h"
#include "fuzz_support.h"
#include "render/colour_schemes.h"
#include "render/engine_reset.h"
#include "render/picture_cycle.h"
#include "render/render_pixel.h"
#include "settings/saver_settings.h"

namespace scintle {
namespace {

constexpr long kSliceBound = 100000;  // far beyond what 3 pictures wait on this canvas
int picturesLeft = 0;
int picturesReported = 0;

uint8_t Byte(const uint8_t* data, size_t size, size_t* at) { return *at < size ? data[(*at)++] : 0; }

}  // namespace
}  // namespace scintle

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace scintle;
    FakeRegistry registry;
    size_t at = FillRegistry(data, size, &registry);
    uint32_t seed = 0;
    for (int i = 0; i < 4; ++i) seed |= uint32_t{Byte(data, size, &at)} << (8 * i);
    const int32_t width = 1 + Byte(data, size, &at) % 24;
    const int32_t height = 1 + Byte(data, size, &at) % 24;
    const KernelKind kernels[] = {KernelKind::kScalar, KernelKind::kSse2, KernelKind::kAvx2,
                                  KernelKind::kAvx512};
    KernelKind kernel = kernels[Byte(data, size, &at) % 4];
    if (!KernelSupported(kernel)) kernel = KernelKind::kSse2;
    const int pictures = 1 + Byte(data, size, &at) % 3;

    RecordingCanvas canvas(width, height);
    canvas.recordPixels = false;
    ResetEngine(&canvas);
    registryPlatform = &registry;
    LoadSettings();
    registryPlatform = nullptr;
    SaverSettingsRecord& s = SaverSettings;
    if (s.MinIterations > 2000) s.MinIterations = 2000;
    if (s.CompletionDelay > 1000) s.CompletionDelay = 1000;
    SelectKernel(kernel);

    picturesLeft = pictures;
    picturesReported = 0;
    renderCycle.pictureDone = [](void*) {
        ++picturesReported;
        if (--picturesLeft == 0) renderCycle.runningFlag.store(0);
    };
    canvas.onSleep = [](long count) {
        if (count > kSliceBound) renderCycle.runningFlag.store(0);
    };
    srand(seed);
    RunRenderCycle(canvas.window());
    Require(picturesReported == pictures, "every picture asked for is painted and reported");

    // The last picture again, every position's pixel by the one-pixel kernel, over black
    // (the first picture's fill; pixels outside the 2x2 blocks are never painted).
    MemoryCanvas fresh(width, height);
    renderPlatform = &fresh;
    renderCycle.runningFlag.store(1);
    const bool blocks = s.ExtraMemory == 0 && width >= 2 && height >= 2;
    const int32_t paintedWidth = blocks ? width / 2 * 2 : width;
    const int32_t paintedHeight = blocks ? height / 2 * 2 : height;
    for (int32_t y = 0; y < paintedHeight; ++y)
        for (int32_t x = 0; x < paintedWidth; ++x) RenderPixel(fresh.dc(), x, y);
    Require(fresh.pixels() == canvas.pixels(), "the picture is the one-pixel kernel's");

    ResetEngine();
    SelectKernel(KernelKind::kAuto);
    renderPlatform = nullptr;
    return 0;
}
