// The escape-time kernels: one pixel of ActiveView, iterated and painted.
//
// A kernel maps the pixel into the view rectangle, iterates its family's map until
// the squared modulus exceeds the bailout (tested on the iterate before each step's
// update, strictly) or the cap is reached, and paints the outcome's colour at once.
// It gives the pixel up, unpainted, as soon as it sees runningFlag at 0; the flag is
// read afresh before every step.
//
// The arithmetic is IEEE double with the operations in a fixed order, so every build
// paints the same pixels.
#pragma once

#include <cstdint>

#include "fractal/fractal_preset.h"
#include "render/colour_schemes.h"
#include "render/render_platform.h"

namespace scintle {

// What the iteration of one pixel came to.
struct PixelOutcome {
    enum Kind : int32_t { kEscaped, kInterior, kStopped };
    Kind kind;
    int32_t index;  // escape step, or the interior colour index
};

PixelOutcome MandelbrotOutcome(int32_t x, int32_t y);
PixelOutcome JuliaOutcome(int32_t x, int32_t y);
PixelOutcome DragonOutcome(int32_t x, int32_t y);
PixelOutcome PhoenixOutcome(int32_t x, int32_t y);

// How the kernels map a pixel of a client area of the given size into the plane.
// Mandelbrot, Julia and Dragon take the real part from the column and the imaginary
// part from the row; Phoenix takes the imaginary part from the column and the real
// part from the row, growing upwards.
double ColumnPlaneValue(const ActiveViewRecord& view, int32_t width, int32_t x);
double RowPlaneValue(const ActiveViewRecord& view, int32_t height, int32_t y);
double UpwardRowPlaneValue(const ActiveViewRecord& view, int32_t height, int32_t y);

// The colour index of a point that did not escape: its last tested squared modulus
// times paletteLength, truncated toward zero.
inline int32_t InteriorIndex(double squaredModulus) {
    return static_cast<int32_t>(squaredModulus * paletteLength);
}

// The outcome for ActiveView's family (any family value but 2, 4, 8 is Mandelbrot).
PixelOutcome PixelOutcomeOf(int32_t x, int32_t y);

// The colour of an outcome under the active scheme: escaped Dragon points are black.
Colorref OutcomeColour(int32_t family, PixelOutcome outcome);

void MandelbrotPixel(DeviceContext dc, int32_t x, int32_t y);
void JuliaPixel(DeviceContext dc, int32_t x, int32_t y);
void DragonPixel(DeviceContext dc, int32_t x, int32_t y);
void PhoenixPixel(DeviceContext dc, int32_t x, int32_t y);
void RenderPixel(DeviceContext dc, int32_t x, int32_t y);

}  // namespace scintle
