// A fingerprint of a canvas: 64-bit FNV-1a over its pixels' bytes, top row first, each
// pixel's COLORREF from its low byte up. picture-digest prints it; the benchmarks
// compare the kernels' pictures by it.
#pragma once

#include <cstdint>

#include "render/memory_canvas.h"

namespace scintle {

inline uint64_t CanvasDigest(const MemoryCanvas& canvas) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (Colorref c : canvas.pixels()) {
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (c >> shift) & 0xFF;
            hash *= 0x100000001B3ull;
        }
    }
    return hash;
}

}  // namespace scintle
