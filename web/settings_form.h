// The checks of the browser's settings form, the configuration dialog's: a number out
// of its setting's bounds is refused with the dialog's message ("Please enter a value
// between 0 and 300 seconds"), a minimum above the maximum with its other one; a
// refused form stores nothing. The form's fields hold text: only whole numbers in
// decimal are numbers (the dialog's fields take digits alone).
#pragma once

#include <cstdint>
#include <string>

#include "settings/setting_table.h"

namespace scintle {

// The refusal of a number field's text ("" when it is accepted, with *value set).
std::string NumberEntryRefusal(const SettingInfo& setting, const char* text, uint32_t* value);

// The refusal of the form's MinIterations and MaxIterations, each already accepted
// ("" when the pair is).
std::string IterationBoundsRefusal(uint32_t minimum, uint32_t maximum);

}  // namespace scintle
