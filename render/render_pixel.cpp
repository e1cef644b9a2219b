#include "render/render_pixel.h"

#include "render/colour_schemes.h"
#include "render/cycle_state.h"

namespace scintle {

namespace {

void Paint(DeviceContext dc, int32_t x, int32_t y, int32_t family, PixelOutcome outcome) {
    if (outcome.kind == PixelOutcome::kStopped) return;
    renderPlatform->SetPixel(dc, x, y, OutcomeColour(family, outcome));
}

}  // namespace

KernelFrame CycleFrame() {
    return {renderCycle.clientWidth, renderCycle.clientHeight, &renderCycle.runningFlag};
}

int32_t OutcomeIndex(PixelOutcome outcome) {
    if (outcome.kind == PixelOutcome::kEscaped) return outcome.escapeStep;
    return InteriorIndex(outcome.squaredModulus);
}

Colorref OutcomeColour(int32_t family, PixelOutcome outcome) {
    if (outcome.kind == PixelOutcome::kEscaped && family == kDragon) return kBlack;
    return ColourLookup(OutcomeIndex(outcome));
}

void MandelbrotPixel(DeviceContext dc, int32_t x, int32_t y) {
    Paint(dc, x, y, kMandelbrot, MandelbrotOutcome(CycleFrame(), x, y));
}
void JuliaPixel(DeviceContext dc, int32_t x, int32_t y) {
    Paint(dc, x, y, kJulia, JuliaOutcome(CycleFrame(), x, y));
}
void DragonPixel(DeviceContext dc, int32_t x, int32_t y) {
    Paint(dc, x, y, kDragon, DragonOutcome(CycleFrame(), x, y));
}
void PhoenixPixel(DeviceContext dc, int32_t x, int32_t y) {
    Paint(dc, x, y, kPhoenix, PhoenixOutcome(CycleFrame(), x, y));
}

void RenderPixel(DeviceContext dc, int32_t x, int32_t y) {
    switch (ActiveView.family) {
        case kJulia: JuliaPixel(dc, x, y); break;
        case kDragon: DragonPixel(dc, x, y); break;
        case kPhoenix: PhoenixPixel(dc, x, y); break;
        default: MandelbrotPixel(dc, x, y); break;
    }
}

}  // namespace scintle
