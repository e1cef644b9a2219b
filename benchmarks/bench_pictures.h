// The pictures the benchmarks paint: every catalogue row at 1920x1080 on a memory
// canvas, in its scattered order, with bailout 4 and the Firestorm colours.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/memory_canvas.h"

namespace scintle {

inline constexpr int32_t kBenchWidth = 1920;
inline constexpr int32_t kBenchHeight = 1080;

struct BenchRow {
    int32_t family;
    int32_t number;  // from 1, within the family
    std::string name;  // "Mandelbrot 15"
};

const std::vector<BenchRow>& AllRows();

// A fresh engine whose window is `canvas`, painting `row`: the view in ActiveView,
// the colour scheme, and a new order for the settings' ExtraMemory from seed 1.
void PrepareRow(MemoryCanvas* canvas, const BenchRow& row, uint32_t extraMemory);


}  // namespace scintle
