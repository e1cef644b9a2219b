#include "render/render_pixel.h"

#include "fractal/family_table.h"
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
    const FamilyInfo* info = FamilyOf(family);
    if (outcome.kind == PixelOutcome::kEscaped && info && info->escaped == EscapedColour::kBlack)
        return kBlack;
    return ColourLookup(OutcomeIndex(outcome));
}

void RenderPixel(DeviceContext dc, int32_t x, int32_t y) {
    const FamilyInfo& family = DrawnFamily(ActiveView.family);
    Paint(dc, x, y, family.family, family.outcome(CycleFrame(), x, y));
}

}  // namespace scintle
