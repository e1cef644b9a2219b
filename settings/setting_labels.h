// The labels of the settings' bits, as the configuration dialog shows them.
#pragma once

#include <cstdint>

namespace scintle {

struct MaskLabel {
    uint32_t bit;
    const char* label;
};

inline constexpr int kBlankingMethodCount = 3;
inline constexpr int kColourSchemeCount = 14;
inline constexpr int kCurveTypeCount = 4;

extern const MaskLabel kBlankingMethodLabels[kBlankingMethodCount];
extern const MaskLabel kColourSchemeLabels[kColourSchemeCount];  // in bit order
extern const MaskLabel kCurveTypeLabels[kCurveTypeCount];

// The label of one bit of a mask, or nullptr when the bit has none.
const char* BlankingMethodLabel(uint32_t bit);
const char* ColourSchemeLabel(uint32_t bit);
const char* CurveTypeLabel(uint32_t bit);

}  // namespace scintle
