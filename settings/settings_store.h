// The settings store: the nine registry values under the user's settings key
// (setting_table.h lists them), read into SaverSettings and written back one by one.
//
// Every step of a load opens the key afresh with full access, reads exactly four
// bytes, and closes it again; a missing key changes nothing. A store creates the
// key (and the keys above it) when needed. Failures are silent throughout.
#pragma once

#include <cstdint>

namespace scintle {

inline constexpr char kSettingsKeyPath[] = "software\\qentrix\\vorbanite\\Settings";

void LoadSettings();
// The one setting the full-screen window needs before it exists (LoadSettings reads it too).
void LoadAllMonitors();
void StoreSetting(const char* name, uint32_t value);

}  // namespace scintle
