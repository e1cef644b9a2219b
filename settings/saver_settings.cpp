#include "settings/saver_settings.h"

#include "settings/setting_table.h"

namespace scintle {

const SaverSettingsRecord kStartSettings = DefaultRecord();
SaverSettingsRecord SaverSettings = DefaultRecord();

void ResetSettings() { SaverSettings = kStartSettings; }

uint32_t ReplaceEmptyBlankingMethod(uint32_t mask) {
    return ReplaceEmptyMask(SettingNamed("BlankingMethod"), mask);
}
uint32_t ReplaceEmptyColourScheme(uint32_t mask) {
    return ReplaceEmptyMask(SettingNamed("ColourScheme"), mask);
}
uint32_t ReplaceEmptyCurveType(uint32_t mask) {
    return ReplaceEmptyMask(SettingNamed("CurveType"), mask);
}

}  // namespace scintle
