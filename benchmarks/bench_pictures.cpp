#include "bench_pictures.h"

#include "fractal/fractal_preset.h"
#include "fractal/preset_catalogue.h"
#include "fractal/preset_deck.h"
#include "fractal/random.h"
#include "render/colour_schemes.h"
#include "render/picture_cycle.h"
#include "render/pixel_shuffler.h"
#include "settings/saver_settings.h"

namespace scintle {

const std::vector<BenchRow>& AllRows() {
    static const std::vector<BenchRow> rows = [] {
        std::vector<BenchRow> list;
        for (int32_t family : {kMandelbrot, kJulia, kDragon, kPhoenix}) {
            const CatalogueTable table = CatalogueOf(family);
            for (int i = 0; i < table.count; ++i)
                list.push_back({family, i + 1, std::string(FamilyName(family)) + " " +
                                                   std::to_string(i + 1)});
        }
        return list;
    }();
    return rows;
}

void PrepareRow(MemoryCanvas* canvas, const BenchRow& row, uint32_t extraMemory) {
    ResetSettings();
    ResetRenderCycle();
    ClearDeck();
    SaverSettings.ExtraMemory = extraMemory;
    renderPlatform = canvas;
    renderCycle.clientWidth = canvas->width();
    renderCycle.clientHeight = canvas->height();
    const CatalogueRow& r = CatalogueOf(row.family).rows[row.number - 1];
    ActiveView = {r.xMin, r.xMax, r.yMin, r.yMax, 4.0, r.constA, r.constB, r.iterationCap,
                  row.family};
    SetActiveScheme(kFirestorm);
    canvas->Clear(kBlack);
    srand(1);
    BuildShuffler();
}

uint64_t CanvasDigest(const MemoryCanvas& canvas) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (Colorref c : canvas.pixels()) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

}  // namespace scintle
