#include "settings/setting_table.h"

#include <cstdio>

namespace scintle {

const char* BitLabel(const SettingInfo& mask, uint32_t bit) {
    for (int32_t i = 0; i < mask.bitCount; ++i)
        if (bit == 1u << i) return mask.bits[i].label;
    return nullptr;
}

const char* BlankingMethodLabel(uint32_t bit) {
    return BitLabel(SettingNamed("BlankingMethod"), bit);
}
const char* ColourSchemeLabel(uint32_t bit) { return BitLabel(SettingNamed("ColourScheme"), bit); }
const char* CurveTypeLabel(uint32_t bit) { return BitLabel(SettingNamed("CurveType"), bit); }

void FormatRangeMessage(const SettingInfo& setting, char* text, size_t size) {
    std::snprintf(text, size, "Please enter a value between %u and %u%s", setting.low, setting.high,
                  setting.kind == SettingKind::kSeconds ? " seconds" : "");
}

}  // namespace scintle
