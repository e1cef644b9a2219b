// The fractal families. Each family's number is its bit of the CurveType setting, so
// the numbers never change; the family table (family_table.h) tells the rest.
#pragma once

#include <cstdint>

#include "settings/setting_masks.h"

namespace scintle {

enum FractalFamily : int32_t {
    kMandelbrot = 1 << 0,
    kJulia = 1 << 1,
    kDragon = 1 << 2,
    kPhoenix = 1 << 3,
};

inline constexpr int kFamilyCount = kCurveTypeCount;

// The family of the fallback view (the whole set, when nothing else reaches the deck),
// and the one that any other number is drawn as.
inline constexpr FractalFamily kFallbackFamily = kMandelbrot;

}  // namespace scintle
