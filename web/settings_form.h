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

struct FormRefusal {
    const SettingInfo* field = nullptr;  // the field to correct; nullptr: none refused
    const char* caption = "";            // the dialog's caption for the message
    std::string message;
};

// The refusal of a number field's text (field nullptr when it is accepted, with *value
// set).
FormRefusal NumberEntryRefusal(const SettingInfo& setting, const char* text, uint32_t* value);

// The form's number fields, as "Name=text" lines in any order: the first refusal, the
// fields in the settings table's order and then the iteration bounds, or none. A
// number field missing from the lines is refused as empty.
FormRefusal CheckSettingsForm(const std::string& numberFields);

}  // namespace scintle
