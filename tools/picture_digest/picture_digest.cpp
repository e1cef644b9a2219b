// picture-digest: a fingerprint of the engine's pictures, one line per catalogue row
// and one for a seeded picture cycle. The Linux build and the Windows build (run
// under Wine) must print the same lines: both paint the same pixels.
//
//     picture-digest [WIDTHxHEIGHT]
#include <cstdio>
#include <cstdlib>

#include "fractal/escape_kernels.h"
#include "fractal/fractal_preset.h"
#include "fractal/preset_catalogue.h"
#include "fractal/preset_deck.h"
#include "fractal/random.h"
#include "render/colour_schemes.h"
#include "render/memory_canvas.h"
#include "render/picture_cycle.h"
#include "settings/saver_settings.h"

namespace scintle {
namespace {

// 64-bit FNV-1a over the pixels, top row first.
uint64_t Digest(const MemoryCanvas& canvas) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (Colorref c : canvas.pixels()) {
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (c >> shift) & 0xFF;
            hash *= 0x100000001B3ull;
        }
    }
    return hash;
}

void Prepare(MemoryCanvas* canvas) {
    ResetSettings();
    ResetRenderCycle();
    ClearDeck();
    renderPlatform = canvas;
    renderCycle.clientWidth = canvas->width();
    renderCycle.clientHeight = canvas->height();
}

// Every row, bailout 9 (the widest escape circle), in one scheme per family.
void DigestRows(int width, int height) {
    const uint32_t schemes[] = {kFirestorm, 0x0400, 0x0008, 0x2000};
    int familyIndex = 0;
    for (int32_t family : {kMandelbrot, kJulia, kDragon, kPhoenix}) {
        const CatalogueTable table = CatalogueOf(family);
        for (int i = 0; i < table.count; ++i) {
            MemoryCanvas canvas(width, height);
            Prepare(&canvas);
            const CatalogueRow& r = table.rows[i];
            ActiveView = {r.xMin, r.xMax, r.yMin, r.yMax, 9.0, r.constA, r.constB,
                          r.iterationCap, family};
            SetActiveScheme(schemes[familyIndex]);
            for (int32_t y = 0; y < height; ++y)
                for (int32_t x = 0; x < width; ++x) RenderPixel(canvas.dc(), x, y);
            std::printf("%s %2d %016llx\n", FamilyName(family), i + 1,
                        static_cast<unsigned long long>(Digest(canvas)));
        }
        ++familyIndex;
    }
}

int picturesLeft = 0;

void DigestCycle(int width, int height) {
    MemoryCanvas canvas(width, height);
    Prepare(&canvas);
    SaverSettings.BlankingMethod = 7;
    picturesLeft = 12;
    renderCycle.pictureDone = [](void*) {
        if (--picturesLeft == 0) renderCycle.runningFlag.store(0);
    };
    srand(2026);
    RunRenderCycle(canvas.window());
    std::printf("cycle %016llx %08x\n", static_cast<unsigned long long>(Digest(canvas)),
                static_cast<unsigned>(randomState));
    ResetRenderCycle();
}

}  // namespace
}  // namespace scintle

int main(int argc, char** argv) {
    int width = 96, height = 64;
    if (argc > 1 && std::sscanf(argv[1], "%dx%d", &width, &height) != 2) {
        std::fputs("usage: picture-digest [WIDTHxHEIGHT]\n", stderr);
        return 2;
    }
    if (width < 2 || height < 2 || width > 4096 || height > 4096) {
        std::fputs("picture-digest: size out of range\n", stderr);
        return 2;
    }
    scintle::DigestRows(width, height);
    scintle::DigestCycle(width, height);
    return 0;
}
