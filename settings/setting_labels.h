// The labels of the settings' bits, as the configuration dialog shows them.
#pragma once

#include <cstdint>

#include "settings/setting_masks.h"

namespace scintle {

struct MaskLabel {
    uint32_t bit;
    const char* label;
};


extern const MaskLabel kBlankingMethodLabels[kBlankingMethodCount];
extern const MaskLabel kColourSchemeLabels[kColourSchemeCount];  // in bit order
extern const MaskLabel kCurveTypeLabels[kCurveTypeCount];

// The label of one bit of a mask, or nullptr when the bit has none.
const char* BlankingMethodLabel(uint32_t bit);
const char* ColourSchemeLabel(uint32_t bit);
const char* CurveTypeLabel(uint32_t bit);

}  // namespace scintle
