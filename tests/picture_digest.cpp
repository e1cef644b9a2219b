// picture-digest: a fingerprint of the engine's pictures, one line per catalogue row
// and one for a seeded picture cycle. The Linux build and the Windows build (run
// under Wine) must print the same lines: both paint the same pixels.
//
//     picture-digest [WIDTHxHEIGHT]
#include <cstdio>
#include <cstdlib>

#include "fractal/family_table.h"
#include "fractal/preset_catalogue.h"
#include "fractal/random.h"
#include "render/colour_schemes.h"
#include "render/engine_reset.h"
#include "render/picture_cycle.h"
#include "render/render_pixel.h"
#include "settings/saver_settings.h"
#include "tests/canvas_digest.h"

namespace scintle {
namespace {

// Every row, bailout 9 (the widest escape circle), in one scheme per family.
void DigestRows(int width, int height) {
    const uint32_t schemes[] = {kFirestorm, kStormyNight, kBold2, kBlueGreen};
    int familyIndex = 0;
    for (int32_t family : {kMandelbrot, kJulia, kDragon, kPhoenix}) {
        const CatalogueTable table = CatalogueOf(family);
        for (int i = 0; i < table.count; ++i) {
            MemoryCanvas canvas(width, height);
            ResetEngine(&canvas);
            ActiveView = ViewOf(table.rows[i], family, 9.0);
            SetActiveScheme(schemes[familyIndex]);
            for (int32_t y = 0; y < height; ++y)
                for (int32_t x = 0; x < width; ++x) RenderPixel(canvas.dc(), x, y);
            std::printf("%s %2d %016llx\n", FamilyName(family), i + 1,
                        static_cast<unsigned long long>(CanvasDigest(canvas)));
        }
        ++familyIndex;
    }
}

int picturesLeft = 0;

void DigestCycle(int width, int height) {
    MemoryCanvas canvas(width, height);
    ResetEngine(&canvas);
    SaverSettings.BlankingMethod = kAllBlankingMethods;
    picturesLeft = 12;
    renderCycle.pictureDone = [](void*) {
        if (--picturesLeft == 0) renderCycle.runningFlag.store(0);
    };
    srand(2026);
    RunRenderCycle(canvas.window());
    std::printf("cycle %016llx %08x\n", static_cast<unsigned long long>(CanvasDigest(canvas)),
                static_cast<unsigned>(randomState));
    ResetEngine();
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
