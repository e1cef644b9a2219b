#include "fractal/escape_kernels.h"

namespace scintle {

namespace {

struct PlanePoint {
    double re;
    double im;
};

PlanePoint MapPixel(const ActiveViewRecord& v, const KernelFrame& f, int32_t x, int32_t y) {
    return {ColumnPlaneValue(v, f.width, x), RowPlaneValue(v, f.height, y)};
}

// Phoenix takes the real part from the row, growing upwards, and the imaginary
// part from the column.
PlanePoint MapPhoenixPixel(const ActiveViewRecord& v, const KernelFrame& f, int32_t x,
                           int32_t y) {
    return {UpwardRowPlaneValue(v, f.height, y), ColumnPlaneValue(v, f.width, x)};
}

bool Stopped(const std::atomic<int32_t>& runningFlag) {
    return runningFlag.load(std::memory_order_relaxed) == 0;
}

PixelOutcome Escaped(int32_t n) { return {PixelOutcome::kEscaped, n, 0.0}; }
PixelOutcome Abandoned() { return {PixelOutcome::kStopped, 0, 0.0}; }
PixelOutcome Interior(double xx, double yy) { return {PixelOutcome::kInterior, 0, xx + yy}; }

}  // namespace

// Difference of the range ends, divided by the size, times the coordinate, plus the
// lower end: in this order, in double.
double ColumnPlaneValue(const ActiveViewRecord& v, int32_t width, int32_t x) {
    return (v.xMax - v.xMin) / width * x + v.xMin;
}

double RowPlaneValue(const ActiveViewRecord& v, int32_t height, int32_t y) {
    return (v.yMax - v.yMin) / height * y + v.yMin;
}

double UpwardRowPlaneValue(const ActiveViewRecord& v, int32_t height, int32_t y) {
    return (v.yMax - v.yMin) / height * (height - y) + v.yMin;
}

PixelOutcome MandelbrotOutcome(const KernelFrame& frame, int32_t x, int32_t y) {
    const ActiveViewRecord& v = ActiveView;
    // The flag itself, not the frame: read through the frame, its address would be
    // loaded again at every step.
    const std::atomic<int32_t>& running = *frame.runningFlag;
    const PlanePoint c = MapPixel(v, frame, x, y);
    const int32_t cap = v.iterationCap;
    const double bailout = v.bailout;
    double X = 0.0, Y = 0.0, xx = 0.0, yy = 0.0;
    for (int32_t n = 0; n < cap; ++n) {
        if (Stopped(running)) return Abandoned();
        xx = X * X;
        yy = Y * Y;
        const double nextX = (xx - c.re) - yy;  // z^2 - c
        Y = (Y * X) * 2 - c.im;
        X = nextX;
        if (xx + yy > bailout) return Escaped(n);
    }
    return Interior(xx, yy);
}

PixelOutcome JuliaOutcome(const KernelFrame& frame, int32_t x, int32_t y) {
    const ActiveViewRecord& v = ActiveView;
    const std::atomic<int32_t>& running = *frame.runningFlag;
    const PlanePoint z0 = MapPixel(v, frame, x, y);
    const int32_t cap = v.iterationCap;
    const double bailout = v.bailout, cRe = v.constA, cIm = v.constB;
    double X = z0.re, Y = z0.im, xx = 0.0, yy = 0.0;
    for (int32_t n = 0; n < cap; ++n) {
        if (Stopped(running)) return Abandoned();
        xx = X * X;
        yy = Y * Y;
        const double nextX = (xx - yy) + cRe;  // z^2 + c
        Y = (Y * X) * 2 + cIm;
        X = nextX;
        if (xx + yy > bailout) return Escaped(n);
    }
    return Interior(xx, yy);
}

PixelOutcome DragonOutcome(const KernelFrame& frame, int32_t x, int32_t y) {
    const ActiveViewRecord& v = ActiveView;
    const std::atomic<int32_t>& running = *frame.runningFlag;
    const PlanePoint z0 = MapPixel(v, frame, x, y);
    const int32_t cap = v.iterationCap;
    const double bailout = v.bailout, lambdaRe = v.constA, lambdaIm = v.constB;
    double X = z0.re, Y = z0.im, xx = 0.0, yy = 0.0;
    for (int32_t n = 0; n < cap; ++n) {
        if (Stopped(running)) return Abandoned();
        xx = X * X;
        yy = Y * Y;
        // a - ib = z - z^2; the new iterate is lambda (a - ib).
        const double a = (yy - xx) + X;
        const double b = (X * Y) * 2 - Y;
        X = b * lambdaIm + lambdaRe * a;
        Y = lambdaIm * a - lambdaRe * b;
        if (xx + yy > bailout) return Escaped(n);
    }
    return Interior(xx, yy);
}

PixelOutcome PhoenixOutcome(const KernelFrame& frame, int32_t x, int32_t y) {
    const ActiveViewRecord& v = ActiveView;
    const std::atomic<int32_t>& running = *frame.runningFlag;
    const PlanePoint z0 = MapPhoenixPixel(v, frame, x, y);
    const int32_t cap = v.iterationCap;
    const double bailout = v.bailout, c = v.constA, p = v.constB;
    double X = z0.re, Y = z0.im, xPrev = 0.0, yPrev = 0.0, xx = 0.0, yy = 0.0;
    for (int32_t n = 0; n < cap; ++n) {
        if (Stopped(running)) return Abandoned();
        xx = X * X;
        yy = Y * Y;
        const double nextX = ((xPrev * p - yy) + xx) + c;  // z^2 + c + p z_prev
        const double nextY = (Y * X) * 2 + yPrev * p;
        xPrev = X;
        yPrev = Y;
        X = nextX;
        Y = nextY;
        if (xx + yy > bailout) return Escaped(n);
    }
    return Interior(xx, yy);
}

}  // namespace scintle
