// How far the pointer may drift before a full-screen saver ends: the sum of the
// absolute differences of its coordinates from where it was, in pixels of the
// screen, beyond mouseMoveThreshold. The Windows saver (host/default_saver_proc.h)
// and the browser's saver page (web/) end on the same drift.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace scintle {

inline constexpr uint32_t mouseMoveThreshold = 4;

// Sum of the absolute coordinate differences, as an unsigned 32-bit value.
constexpr uint32_t PointerDrift(Point from, Point to) {
    auto distance = [](int32_t a, int32_t b) {
        return a > b ? static_cast<uint32_t>(a) - static_cast<uint32_t>(b)
                     : static_cast<uint32_t>(b) - static_cast<uint32_t>(a);
    };
    return distance(from.x, to.x) + distance(from.y, to.y);
}

}  // namespace scintle
