// A fresh engine for every test: start settings, empty deck, a new cycle, seed 1,
// and a recording canvas as the window.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "recording_platform.h"
#include "scintle_render/canvas_run.h"

namespace scintle {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { UseCanvas(8, 6); }
    void TearDown() override {
        ResetRenderCycle();
        ClearDeck();
        renderPlatform = nullptr;
    }

    void UseCanvas(int32_t width, int32_t height) {
        canvas = std::make_unique<RecordingCanvas>(width, height);
        PrepareCanvasRun(canvas.get());
    }

    std::unique_ptr<RecordingCanvas> canvas;
};

// The generator's next n values from a given seed, computed without touching the
// engine's own state.
inline std::vector<int> RandomSequence(uint32_t seed, int n) {
    std::vector<int> values;
    for (int i = 0; i < n; ++i) {
        seed = seed * 214013u + 2531011u;
        values.push_back(static_cast<int>((seed >> 16) & 0x7FFF));
    }
    return values;
}

}  // namespace scintle
