// The user's settings: one process-wide record, loaded at most once per process
// (settings_store.h) and only read afterwards. Field names are the names of the
// registry values that feed them; the settings table (setting_table.h) tells each
// one's meaning, default and bounds.
#pragma once

#include <cstdint>

#include "settings/settings_record.h"

namespace scintle {

// What every field holds before anything is loaded, and keeps when its value is
// missing: the settings table's defaults.
extern const SaverSettingsRecord kStartSettings;

extern SaverSettingsRecord SaverSettings;

// Puts the start values back (a fresh process, for tests and tools).
void ResetSettings();

// The masks never reach the rest of the system as 0: a stored 0 means the default.
uint32_t ReplaceEmptyBlankingMethod(uint32_t mask);
uint32_t ReplaceEmptyColourScheme(uint32_t mask);
uint32_t ReplaceEmptyCurveType(uint32_t mask);

}  // namespace scintle
