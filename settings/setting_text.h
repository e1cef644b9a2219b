// Settings kept as text, one per registry value name, as the browser's store keeps them
// (web/): each value is the decimal number the registry would hold for it.
//
// The rules are the registry store's (settings_store.h): a value that is missing or
// cannot be read leaves the setting's default, any 32-bit number is taken as it is
// (the engine copes with all of them), and a mask's 0 means its default. Text is read
// when it is nothing but 1 to 10 decimal digits of a number below 2^32; anything else
// (a sign, a fraction, spaces, a word, a larger number) cannot be read.
#pragma once

#include <cstdint>

#include "settings/setting_table.h"

namespace scintle {

// A stored number; false, leaving *value, for text that cannot be read.
bool ReadStoredNumber(const char* text, uint32_t* value);

// The value a setting takes from its stored text (nullptr: none stored).
uint32_t StoredTextValue(const SettingInfo& setting, const char* text);

}  // namespace scintle
