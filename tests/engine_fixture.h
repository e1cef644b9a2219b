// A fresh engine for every test (render/engine_reset.h) with a recording canvas as
// the window, and the engine's state for the tests to look at.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "fractal/fractal_preset.h"
#include "fractal/preset_deck.h"
#include "fractal/random.h"
#include "recording_platform.h"
#include "render/colour_schemes.h"
#include "render/engine_reset.h"
#include "render/picture_cycle.h"
#include "settings/saver_settings.h"

namespace scintle {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { UseCanvas(8, 6); }
    void TearDown() override {
        ResetEngine();
        renderPlatform = nullptr;
        kernelPlatform = nullptr;
    }

    void UseCanvas(int32_t width, int32_t height) {
        canvas = std::make_unique<RecordingCanvas>(width, height);
        ResetEngine(canvas.get());
    }

    std::unique_ptr<RecordingCanvas> canvas;
};

// The generator's next n values from a given seed, computed without touching the
// engine's own state.
inline std::vector<int> RandomSequence(uint32_t seed, int n) {
    std::vector<int> values;
    for (int i = 0; i < n; ++i) {
        seed = seed * kRandMultiplier + kRandIncrement;
        values.push_back(static_cast<int>((seed >> 16) & kRandMax));
    }
    return values;
}

}  // namespace scintle
