#include "render/lane_painter.h"

#include <cstring>
#include <new>

#include "fractal/escape_kernels.h"
#include "fractal/family_table.h"
#include "fractal/fractal_preset.h"
#include "fractal/lane_job.h"
#include "render/colour_schemes.h"
#include "render/cycle_state.h"
#include "render/pixel_shuffler.h"

namespace scintle {

namespace {

// Colours of the indices a picture uses most (escape steps, interior values), worked
// out once per picture; ColourLookup gives the rest.
constexpr int32_t kColourTableSize = 4096;

struct LaneWorkspace {
    LaneJob job;
    Colorref colours[kColourTableSize];
    int32_t colourCount = 0;
    double* columnValues = nullptr;  // the plane value of every column
    double* rowValues = nullptr;     // and of every row
    bool turned = false;             // the real part comes from the row (family_table.h)

    ~LaneWorkspace() {
        delete[] columnValues;
        delete[] rowValues;
    }
};

bool Running() { return renderCycle.runningFlag.load(std::memory_order_relaxed) != 0; }

// The kernel's entry, or nullptr where this build has no such kernel (lane_job.h).
LaneKernel KernelFunction(KernelKind kernel) {
    switch (kernel) {
#if SCINTLE_WIDE_LANES
        case KernelKind::kAvx512: return RunAvx512Lanes;
        case KernelKind::kAvx2: return RunAvx2Lanes;
#endif
#if SCINTLE_SSE2_LANES
        case KernelKind::kSse2: return RunSse2Lanes;
#endif
        default: return nullptr;
    }
}

bool Prepare(LaneWorkspace* w) {
    const ActiveViewRecord& v = ActiveView;
    const int32_t width = renderCycle.clientWidth;
    const int32_t height = renderCycle.clientHeight;
    // Lanes carry a pixel as y * 65536 + x in 32 bits.
    if (width > 0xFFFF || height > 0x7FFF) return false;
    w->columnValues = new (std::nothrow) double[width];
    w->rowValues = new (std::nothrow) double[height];
    if (!w->columnValues || !w->rowValues) return false;
    w->turned = DrawnFamily(v.family).turned;
    for (int32_t x = 0; x < width; ++x) w->columnValues[x] = ColumnPlaneValue(v, width, x);
    for (int32_t y = 0; y < height; ++y)
        w->rowValues[y] =
            w->turned ? UpwardRowPlaneValue(v, height, y) : RowPlaneValue(v, height, y);

    // Escape steps stay below the cap, interior indices up to bailout x paletteLength.
    const double interiorEnd = v.bailout * colourSchemes.paletteLength + 1.0;
    const double wanted = v.iterationCap > interiorEnd ? v.iterationCap : interiorEnd;
    const int32_t count =
        wanted < kColourTableSize ? static_cast<int32_t>(wanted) : kColourTableSize;
    for (int32_t i = 0; i < count; ++i) w->colours[i] = ColourLookup(i);
    w->colourCount = count;

    LaneJob& job = w->job;
    std::memset(&job, 0, sizeof job);
    job.view = {v.family, v.iterationCap, v.bailout, v.constA, v.constB, 2.0};
    job.runningFlag = &renderCycle.runningFlag;
    return true;
}

void AddPixel(LaneWorkspace* w, int32_t x, int32_t y) {
    const double column = w->columnValues[x];
    const double row = w->rowValues[y];
    LaneJob& job = w->job;
    const int32_t at = job.inputCount++;
    job.inputRe[at] = w->turned ? row : column;
    job.inputIm[at] = w->turned ? column : row;
    job.inputPixel[at] = y * kLaneRowStride + x;
}

// Queues the pixels of the next positions of the order, as many as the queue holds,
// and has the window fetch their lines while the lanes work on them.
void QueuePixels(LaneWorkspace* w, PixelShuffler* order, DeviceContext dc) {
    const bool blocks = order->step == 2;
    int32_t xs[kLaneQueue], ys[kLaneQueue];
    const int32_t positions = order->TakePositions(xs, ys, blocks ? kLaneQueue / 4 : kLaneQueue);
    renderPlatform->WillSetPixels(dc, xs, ys, positions, order->step);
    LaneJob& job = w->job;
    job.inputCount = 0;
    job.inputNext = 0;
    for (int32_t i = 0; i < positions; ++i) {
        const int32_t x = xs[i], y = ys[i];
        AddPixel(w, x, y);
        if (blocks) {
            // Each pixel of the block is computed at its own coordinates.
            AddPixel(w, x + 1, y);
            AddPixel(w, x, y + 1);
            AddPixel(w, x + 1, y + 1);
        }
    }
    job.draining = order->done != 0;
}

Colorref Colour(const LaneWorkspace& w, int32_t index) {
    if (index >= 0 && index < w.colourCount) return w.colours[index];
    return ColourLookup(index);
}

// Sets the finished pixels; false as soon as runningFlag is seen at 0.
bool PaintFinished(LaneWorkspace* w, DeviceContext dc) {
    const LaneJob& job = w->job;
    const FamilyInfo* family = FamilyOf(job.view.family);
    const bool escapedBlack = family && family->escaped == EscapedColour::kBlack;
    for (int32_t i = 0; i < job.outputCount; ++i) {
        // Escaped at step -steps - 1, or not at all. Worked out without a branch: which
        // of the two a pixel is cannot be foreseen.
        const auto steps = static_cast<int32_t>(job.outputSteps[i]);
        const bool escaped = steps < 0;
        const double modulus = escaped ? 0.0 : job.outputModulus[i];
        const int32_t index = escaped ? -steps - 1 : InteriorIndex(modulus);
        const Colorref colour = escaped && escapedBlack ? kBlack : Colour(*w, index);
        const auto pixel = static_cast<int32_t>(job.outputPixel[i]);
        if (!Running()) return false;
        renderPlatform->SetPixel(dc, pixel & 0xFFFF, pixel >> 16, colour);
    }
    return true;
}

}  // namespace

LanePainting PaintWithLanes(DeviceContext dc, PixelShuffler* order, KernelKind kernel) {
    const LaneKernel run = KernelFunction(kernel);
    if (run == nullptr) return LanePainting::kUnavailable;
    auto* workspace = new (std::nothrow) LaneWorkspace;
    if (workspace == nullptr) return LanePainting::kUnavailable;
    if (!Prepare(workspace)) {
        delete workspace;
        return LanePainting::kUnavailable;
    }
    LaneJob& job = workspace->job;
    LanePainting result = LanePainting::kStopped;
    while (Running()) {
        if (!job.draining) QueuePixels(workspace, order, dc);
        job.outputCount = 0;
        const LaneResult ran = run(&job);
        if (ran == kLanesStopped || !PaintFinished(workspace, dc)) break;
        if (ran == kLanesDrained) {
            result = LanePainting::kPainted;
            break;
        }
    }
    delete workspace;
    return result;
}

}  // namespace scintle
