// What the escape-time kernels share: the frame a pixel belongs to, the outcome of its
// iteration, and the mapping of a pixel into the view's plane.
//
// A kernel maps the pixel into the view rectangle, iterates its family's map
// (family_maps.h) and tells how it ended: the step at which the point escaped, or the
// last squared modulus it tested. The one-pixel kernel is scalar_kernel.h, reached
// through the family table (family_table.h); the lane kernels are lane_job.h's.
// Colours and painting are the renderer's (render/render_pixel.h).
//
// The arithmetic is IEEE double with the operations in a fixed order, so every build
// gets the same outcomes.
#pragma once

#include <atomic>
#include <cstdint>

#include "fractal/fractal_preset.h"

namespace scintle {

// The grid the pixels belong to, and the flag that stops the iteration.
struct KernelFrame {
    int32_t width;
    int32_t height;
    const std::atomic<int32_t>* runningFlag;
};

// What the iteration of one pixel came to.
struct PixelOutcome {
    enum Kind : int32_t { kEscaped, kInterior, kStopped };
    Kind kind;
    int32_t escapeStep;     // kEscaped: the step at which the point escaped
    double squaredModulus;  // kInterior: the last one tested (0 when nothing was)
};

// How the kernels map a pixel of a client area of the given size into the plane: the
// column's value, and the row's, growing downwards or (for a turned family) upwards.
double ColumnPlaneValue(const ActiveViewRecord& view, int32_t width, int32_t x);
double RowPlaneValue(const ActiveViewRecord& view, int32_t height, int32_t y);
double UpwardRowPlaneValue(const ActiveViewRecord& view, int32_t height, int32_t y);

}  // namespace scintle
