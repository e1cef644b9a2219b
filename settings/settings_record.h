// The record of the user's settings, one 32-bit field per registry value, named after
// it. The process-wide record is SaverSettings (saver_settings.h); the settings table
// (setting_table.h) tells each field's meaning, default and bounds.
#pragma once

#include <cstdint>

namespace scintle {

struct SaverSettingsRecord {
    uint32_t ExtraMemory;      // nonzero: the pixel order covers every pixel, 0: 2x2 blocks
    int32_t CompletionDelay;   // milliseconds to wait after a finished picture
    uint32_t BlankingMethod;   // mask of blanking methods (setting_masks.h)
    uint32_t ColourScheme;     // mask of the fourteen colour schemes
    uint32_t CurveType;        // mask of fractal families
    int32_t MinIterations;     // 0: no lower bound on iteration caps
    int32_t MaxIterations;     // 0: no upper bound on iteration caps
    uint32_t ExcludeCurves;    // with MaxIterations: nonzero drops, 0 lowers
    uint32_t AllMonitors;      // nonzero: the full-screen window spans every monitor
};

// Stored delay in whole seconds to milliseconds, in 32-bit arithmetic (it wraps).
constexpr int32_t DelaySecondsToMilliseconds(uint32_t seconds) {
    // Unsigned multiply: the wrap is defined, and the bits are what a 32-bit product gives.
    return static_cast<int32_t>(seconds * 1000u);
}

}  // namespace scintle
