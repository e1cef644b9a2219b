#include "fractal/fractal_preset.h"

#include "fractal/random.h"

namespace scintle {

// Until the first picture starts nothing reads it; it holds the whole-set view so
// that even a failed first draw has something sensible to show.
ActiveViewRecord ActiveView = {-1.35, 2.65, -1.5, 1.5, 4.0, 0.0, 0.0, 100, kMandelbrot};

const char* FamilyName(int32_t family) {
    switch (family) {
        case kMandelbrot: return "Mandelbrot";
        case kJulia: return "Julia";
        case kDragon: return "Dragon";
        case kPhoenix: return "Phoenix";
        default: return nullptr;
    }
}

double BailoutFromRandom(int r) { return static_cast<double>(r % 60 / 10 + 4); }

FractalPreset::FractalPreset(double xMin, double xMax, double yMin, double yMax, double constA,
                             double constB, int32_t iterationCap, int32_t family)
    : xMin(xMin),
      xMax(xMax),
      yMin(yMin),
      yMax(yMax),
      bailout(BailoutFromRandom(rand())),
      constA(constA),
      constB(constB),
      iterationCap(iterationCap),
      family(family) {}

}  // namespace scintle
