#include "fractal/fractal_preset.h"

#include "fractal/fractal_family.h"
#include "fractal/random.h"

namespace scintle {

// Until the first picture starts nothing reads it; it holds the whole-set view so
// that even a failed first draw has something sensible to show.
const ActiveViewRecord kStartView = {-1.35, 2.65, -1.5, 1.5, 4.0, 0.0, 0.0, 100, kFallbackFamily};
ActiveViewRecord ActiveView = kStartView;

double BailoutFromRandom(int r) { return static_cast<double>(r % 60 / 10 + 4); }

FractalPreset::FractalPreset(const CatalogueRow& row, int32_t family)
    : xMin(row.xMin),
      xMax(row.xMax),
      yMin(row.yMin),
      yMax(row.yMax),
      bailout(BailoutFromRandom(rand())),
      constA(row.constA),
      constB(row.constB),
      iterationCap(row.iterationCap),
      family(family) {}

ActiveViewRecord ViewOf(const CatalogueRow& r, int32_t family, double bailout) {
    return {r.xMin, r.xMax, r.yMin, r.yMax, bailout, r.constA, r.constB, r.iterationCap, family};
}

}  // namespace scintle
