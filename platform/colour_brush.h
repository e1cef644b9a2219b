// Brushes of the canvases that draw into memory (the memory canvas, the X11 saver's
// image): the handle carries the colour, so a brush needs no storage and deleting it
// does nothing. One bit is set so that no brush is null.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/platform_types.h"

namespace scintle {

inline constexpr uintptr_t kColourBrushTag = uintptr_t{1} << 31;

inline BrushHandle ColourBrush(Colorref colour) {
    return reinterpret_cast<BrushHandle>(kColourBrushTag | colour);
}

inline Colorref BrushColour(BrushHandle brush) {
    return static_cast<Colorref>(reinterpret_cast<uintptr_t>(brush) & ~kColourBrushTag);
}

// The part of `rect` on a canvas of width x height; empty when right <= left or
// bottom <= top.
inline Rect ClipToCanvas(const Rect& rect, int32_t width, int32_t height) {
    return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width),
            std::min(rect.bottom, height)};
}

}  // namespace scintle
