#include "settings/saver_settings.h"

namespace scintle {

SaverSettingsRecord SaverSettings = kStartSettings;

void ResetSettings() { SaverSettings = kStartSettings; }

uint32_t ReplaceEmptyBlankingMethod(uint32_t mask) { return mask ? mask : kDefaultBlankingMethod; }
uint32_t ReplaceEmptyColourScheme(uint32_t mask) { return mask ? mask : kAllColourSchemes; }
uint32_t ReplaceEmptyCurveType(uint32_t mask) { return mask ? mask : kAllCurveTypes; }

int32_t DelaySecondsToMilliseconds(uint32_t seconds) {
    // Unsigned multiply: the wrap is defined, and the bits are what a 32-bit product gives.
    return static_cast<int32_t>(seconds * 1000u);
}

}  // namespace scintle
