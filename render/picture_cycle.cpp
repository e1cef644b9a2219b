#include "render/picture_cycle.h"

#include <ctime>

#include "fractal/fractal_preset.h"
#include "fractal/kernel_choice.h"
#include "fractal/preset_deck.h"
#include "fractal/random.h"
#include "platform/kernel_platform.h"
#include "render/colour_schemes.h"
#include "render/lane_painter.h"
#include "render/pixel_shuffler.h"
#include "render/render_pixel.h"
#include "settings/saver_settings.h"

namespace scintle {

namespace {

bool Running() { return renderCycle.runningFlag.load(std::memory_order_relaxed) != 0; }

// An order that could not be had (no memory for it, or a window too wide for its x
// values) or holds no position paints nothing.
bool UsableOrder(const PixelShuffler* order) { return order && !order->done; }

// The completion delay, in slices so that a stop request is seen within 100 ms. A
// negative delay (a stored number of seconds whose milliseconds wrapped) waits not at all.
bool WaitCompletionDelay() {
    const int32_t slices = SaverSettings.CompletionDelay / static_cast<int32_t>(kDelaySliceMs);
    for (int32_t i = 0; i < slices; ++i) {
        if (!Running()) return false;
        kernelPlatform->Sleep(kDelaySliceMs);
    }
    return true;
}

// Until the window is on the screen, a millisecond at a time. False when a stop came
// first.
bool WaitUntilWindowShown() {
    while (renderCycle.windowShown.load(std::memory_order_acquire) == 0) {
        if (!Running()) return false;
        kernelPlatform->Sleep(1);
    }
    return true;
}

// Paints the order through a lane kernel unless the plain kernel is chosen or the
// view needs none (a cap of 0 or less paints without iterating). False when drawing
// stopped; true when the order is done, or left for the one-pixel loop.
bool PaintWithLanesIfChosen(DeviceContext dc, PixelShuffler* order) {
    const KernelKind kernel = ActiveKernel();
    if (kernel == KernelKind::kScalar || ActiveView.iterationCap <= 0) return true;
    return PaintWithLanes(dc, order, kernel) != LanePainting::kStopped;
}

}  // namespace

void ResetRenderCycle() {
    FreeShuffler();
    RenderCycleState& c = renderCycle;
    c.runningFlag.store(1);
    c.windowShown.store(1);
    c.clientWidth = 0;
    c.clientHeight = 0;
    c.firstPicture = 1;
    c.pictureComplete = 1;
    c.activeBlanking = kFastFade;
    c.pictureDone = nullptr;
    c.pictureDoneContext = nullptr;
}

void RenderThread(WindowHandle window) {
    srand(static_cast<uint32_t>(std::time(nullptr)));
    RunRenderCycle(window);
}

void RunRenderCycle(WindowHandle window) {
    PresetDeck.runningFlag = &renderCycle.runningFlag;  // a refill without memory stops too
    BuildShuffler();
    DeviceContext dc = renderPlatform->GetDC(window);
    while (Running()) {
        if (renderCycle.pictureComplete) StartNextPicture(window, dc);
        else PaintPicture(dc);
    }
    FreeShuffler();
    renderPlatform->ReleaseDC(window, dc);
}

void StartNextPicture(WindowHandle window, DeviceContext dc) {
    RenderCycleState& c = renderCycle;
    ChooseNextPreset();
    ChooseColourScheme();
    ChooseBlankingMethod();
    if (!Running()) return;
    BuildShuffler();
    if (!Running()) return;
    if (c.firstPicture) {
        // The window's background is never erased: the first fast fade clears it, once
        // the window can show it.
        if (!WaitUntilWindowShown()) return;
        c.activeBlanking = kFastFade;
        c.firstPicture = 0;
    } else if (!WaitCompletionDelay()) {
        return;
    }
    if (!Running()) return;
    switch (c.activeBlanking) {
        case kScintleFade: ScintleFade(dc); break;
        case kNoFade: break;
        default: FastFade(window, dc); break;
    }
    c.pictureComplete = 0;
}

void PaintPicture(DeviceContext dc) {
    RenderCycleState& c = renderCycle;
    PixelShuffler* order = c.currentShuffler;
    if (!UsableOrder(order)) {
        // Nothing can be painted yet. The picture stays unfinished and unreported; the
        // next try for an order comes a slice later, so the cycle neither spins nor
        // misses a stop request.
        kernelPlatform->Sleep(kDelaySliceMs);
        if (Running()) BuildShuffler();
        return;
    }
    if (!PaintWithLanesIfChosen(dc, order)) return;
    const bool blocks = order->step == 2;
    while (!order->done) {
        if (!Running()) return;
        int32_t x, y;
        order->NextPosition(&x, &y);
        RenderPixel(dc, x, y);
        if (blocks) {
            // Each pixel of the block is computed at its own coordinates.
            RenderPixel(dc, x + 1, y);
            RenderPixel(dc, x, y + 1);
            RenderPixel(dc, x + 1, y + 1);
        }
    }
    c.pictureComplete = 1;
    if (c.pictureDone) c.pictureDone(c.pictureDoneContext);
}

void ScintleFade(DeviceContext dc) {
    PixelShuffler* order = renderCycle.currentShuffler;
    if (UsableOrder(order)) {
        const bool blocks = order->step == 2;
        // Positions are drawn a few dozen at a time and then blacked one after another:
        // drawing one and writing the window at once makes each wait for the other.
        constexpr int32_t kBatch = 32;
        int32_t xs[kBatch], ys[kBatch];
        while (!order->done) {
            const int32_t n = order->TakePositions(xs, ys, kBatch);
            for (int32_t i = 0; i < n; ++i) {
                if (!Running()) return;
                const int32_t x = xs[i], y = ys[i];
                renderPlatform->SetPixel(dc, x, y, kBlack);
                if (blocks) {
                    renderPlatform->SetPixel(dc, x + 1, y, kBlack);
                    renderPlatform->SetPixel(dc, x, y + 1, kBlack);
                    renderPlatform->SetPixel(dc, x + 1, y + 1, kBlack);
                }
            }
        }
    }
    BuildShuffler();  // the fade used the order up; painting needs a fresh one
}

void FastFade(WindowHandle window, DeviceContext dc) {
    BrushHandle black = renderPlatform->CreateSolidBrush(kBlack);
    Rect client = {0, 0, 0, 0};
    renderPlatform->GetClientRect(window, &client);
    renderPlatform->FillRect(dc, &client, black);
    renderPlatform->DeleteObject(black);
}

void ChooseBlankingMethod() {
    const uint32_t mask = SaverSettings.BlankingMethod;
    if (mask == kScintleFade || mask == kFastFade || mask == kNoFade) {
        renderCycle.activeBlanking = mask;
        return;
    }
    // A mask with none of the three methods (a hand-edited store) gives the fast fade.
    if ((mask & kAllBlankingMethods) == 0) {
        renderCycle.activeBlanking = kFastFade;
        return;
    }
    uint32_t bit;
    do bit = 1u << (rand() % kBlankingMethodCount);
    while ((mask & bit) == 0);
    renderCycle.activeBlanking = bit;
}

}  // namespace scintle
