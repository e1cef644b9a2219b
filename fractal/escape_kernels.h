// The escape-time kernels: the iteration of one pixel of ActiveView, and its outcome.
//
// A kernel maps the pixel into the view rectangle, iterates its family's map until
// the squared modulus exceeds the bailout (tested on the iterate before each step's
// update, strictly) or the cap is reached, and tells how it ended: the step at which
// the point escaped, or the last squared modulus it tested. It gives the pixel up as
// soon as it sees the frame's running flag at 0; the flag is read afresh before every
// step. Colours and painting are the renderer's (render/render_pixel.h).
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

PixelOutcome MandelbrotOutcome(const KernelFrame& frame, int32_t x, int32_t y);
PixelOutcome JuliaOutcome(const KernelFrame& frame, int32_t x, int32_t y);
PixelOutcome DragonOutcome(const KernelFrame& frame, int32_t x, int32_t y);
PixelOutcome PhoenixOutcome(const KernelFrame& frame, int32_t x, int32_t y);

// How the kernels map a pixel of a client area of the given size into the plane.
// Mandelbrot, Julia and Dragon take the real part from the column and the imaginary
// part from the row; Phoenix takes the imaginary part from the column and the real
// part from the row, growing upwards.
double ColumnPlaneValue(const ActiveViewRecord& view, int32_t width, int32_t x);
double RowPlaneValue(const ActiveViewRecord& view, int32_t height, int32_t y);
double UpwardRowPlaneValue(const ActiveViewRecord& view, int32_t height, int32_t y);

}  // namespace scintle
