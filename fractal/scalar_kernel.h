// The one-pixel kernel: a family's map (family_maps.h) iterated on one pixel of
// ActiveView in plain doubles, until the squared modulus exceeds the bailout (tested
// on the iterate before each step's update, strictly) or the cap is reached. It gives
// the pixel up as soon as it sees the frame's running flag at 0, which it reads
// afresh before every step. Instantiated once per family, for the family table.
#pragma once

#include <atomic>
#include <cstdint>

#include "fractal/escape_kernels.h"
#include "fractal/family_maps.h"

namespace scintle {

struct ScalarArithmetic {
    using V = double;
    using Mask = bool;
    static V Set(double v) { return v; }
    static V Add(V a, V b) { return a + b; }
    static V Sub(V a, V b) { return a - b; }
    static V Mul(V a, V b) { return a * b; }
};

template <template <class> class Family>
PixelOutcome ScalarOutcome(const KernelFrame& frame, int32_t x, int32_t y) {
    using Map = Family<ScalarArithmetic>;
    const ActiveViewRecord& v = ActiveView;
    // The flag itself, not the frame: read through the frame, its address would be
    // loaded again at every step.
    const std::atomic<int32_t>& running = *frame.runningFlag;
    const Map map(2.0, v.constA, v.constB);
    const double column = ColumnPlaneValue(v, frame.width, x);
    const double row = Map::kTurned ? UpwardRowPlaneValue(v, frame.height, y)
                                    : RowPlaneValue(v, frame.height, y);
    typename Map::State state;
    Map::Begin(&state, Map::kTurned ? row : column, Map::kTurned ? column : row);
    const int32_t cap = v.iterationCap;
    const double bailout = v.bailout;
    double modulus = 0.0;  // nothing tested yet
    for (int32_t n = 0; n < cap; ++n) {
        if (running.load(std::memory_order_relaxed) == 0) return {PixelOutcome::kStopped, 0, 0.0};
        modulus = map.Step(&state);
        if (modulus > bailout) return {PixelOutcome::kEscaped, n, 0.0};
    }
    return {PixelOutcome::kInterior, 0, modulus};
}

}  // namespace scintle
