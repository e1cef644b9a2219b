#include "bench_pictures.h"

#include "fractal/family_table.h"
#include "fractal/preset_catalogue.h"
#include "fractal/random.h"
#include "render/colour_schemes.h"
#include "render/engine_reset.h"
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
    ResetEngine(canvas);
    SaverSettings.ExtraMemory = extraMemory;
    ActiveView = ViewOf(CatalogueOf(row.family).rows[row.number - 1], row.family, 4.0);
    SetActiveScheme(kFirestorm);
    const Rect all = {0, 0, canvas->width(), canvas->height()};
    canvas->FillRect(canvas->dc(), &all, canvas->CreateSolidBrush(kBlack));
    BuildShuffler();
}

}  // namespace scintle
