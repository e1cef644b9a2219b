#include "plain_kernel.h"

#include "fractal/family_table.h"
#include "fractal/fractal_preset.h"
#include "render/colour_schemes.h"
#include "render/picture_cycle.h"
#include "render/pixel_shuffler.h"

namespace scintle {

namespace {

bool Stopped() { return renderCycle.runningFlag.load(std::memory_order_relaxed) == 0; }

// Returns false when stopped; otherwise sets the pixel. Adds the steps it took. One
// loop per family, as the engine's scalar kernels have.
template <int32_t kFamily>
bool PlainPixel(DeviceContext dc, int32_t px, int32_t py, int64_t* steps) {
    const ActiveViewRecord& v = ActiveView;
    const int32_t width = renderCycle.clientWidth;
    const int32_t height = renderCycle.clientHeight;
    double re, im;
    if constexpr (kFamily == kPhoenix) {
        re = (v.yMax - v.yMin) / height * (height - py) + v.yMin;
        im = (v.xMax - v.xMin) / width * px + v.xMin;
    } else {
        re = (v.xMax - v.xMin) / width * px + v.xMin;
        im = (v.yMax - v.yMin) / height * py + v.yMin;
    }
    const int32_t cap = v.iterationCap;
    const double bailout = v.bailout, a = v.constA, b = v.constB;
    double x = kFamily == kMandelbrot ? 0.0 : re, y = kFamily == kMandelbrot ? 0.0 : im;
    double xPrev = 0.0, yPrev = 0.0, xx = 0.0, yy = 0.0;
    for (int32_t n = 0; n < cap; ++n) {
        if (Stopped()) return false;
        xx = x * x;
        yy = y * y;
        if constexpr (kFamily == kJulia) {
            const double nextX = (xx - yy) + a;
            y = (y * x) * 2 + b;
            x = nextX;
        } else if constexpr (kFamily == kDragon) {
            const double p = (yy - xx) + x;
            const double q = (x * y) * 2 - y;
            x = q * b + a * p;
            y = b * p - a * q;
        } else if constexpr (kFamily == kPhoenix) {
            const double nextX = ((xPrev * b - yy) + xx) + a;
            const double nextY = (y * x) * 2 + yPrev * b;
            xPrev = x;
            yPrev = y;
            x = nextX;
            y = nextY;
        } else {
            const double nextX = (xx - re) - yy;
            y = (y * x) * 2 - im;
            x = nextX;
        }
        if (xx + yy > bailout) {
            *steps += n + 1;
            const Colorref colour = kFamily == kDragon ? kBlack : ColourLookup(n);
            renderPlatform->SetPixel(dc, px, py, colour);
            return true;
        }
    }
    *steps += cap > 0 ? cap : 0;
    renderPlatform->SetPixel(dc, px, py, ColourLookup(InteriorIndex(xx + yy)));
    return true;
}

template <int32_t kFamily>
PlainPainting PaintWith(DeviceContext dc, PixelShuffler* order) {
    PlainPainting result = {false, 0};
    int64_t* steps = &result.steps;
    const bool blocks = order->step == 2;
    while (!order->done) {
        if (Stopped()) return result;
        int32_t x, y;
        order->NextPosition(&x, &y);
        if (!PlainPixel<kFamily>(dc, x, y, steps)) return result;
        if (blocks && !(PlainPixel<kFamily>(dc, x + 1, y, steps) &&
                        PlainPixel<kFamily>(dc, x, y + 1, steps) &&
                        PlainPixel<kFamily>(dc, x + 1, y + 1, steps)))
            return result;
    }
    result.complete = true;
    return result;
}

}  // namespace

PlainPainting PaintPlainPicture(DeviceContext dc, PixelShuffler* order) {
    switch (ActiveView.family) {
        case kJulia: return PaintWith<kJulia>(dc, order);
        case kDragon: return PaintWith<kDragon>(dc, order);
        case kPhoenix: return PaintWith<kPhoenix>(dc, order);
        default: return PaintWith<kMandelbrot>(dc, order);
    }
}

void PaintWithoutKernel(DeviceContext dc, PixelShuffler* order) {
    constexpr Colorref kGrey = 0x808080;
    const bool blocks = order->step == 2;
    int32_t xs[32], ys[32];
    while (!order->done) {
        const int32_t n = order->TakePositions(xs, ys, 32);
        for (int32_t i = 0; i < n; ++i) {
            if (Stopped()) return;
            renderPlatform->SetPixel(dc, xs[i], ys[i], kGrey);
            if (blocks) {
                renderPlatform->SetPixel(dc, xs[i] + 1, ys[i], kGrey);
                renderPlatform->SetPixel(dc, xs[i], ys[i] + 1, kGrey);
                renderPlatform->SetPixel(dc, xs[i] + 1, ys[i] + 1, kGrey);
            }
        }
    }
}

}  // namespace scintle
