#include "web/settings_form.h"

#include "settings/config_dialog.h"
#include "settings/setting_text.h"

namespace scintle {

std::string NumberEntryRefusal(const SettingInfo& setting, const char* text, uint32_t* value) {
    uint32_t number = 0;
    if (ReadStoredNumber(text, &number) && number >= setting.low && number <= setting.high) {
        *value = number;
        return "";
    }
    char message[96];
    FormatRangeMessage(setting, message, sizeof message);
    return message;
}

std::string IterationBoundsRefusal(uint32_t minimum, uint32_t maximum) {
    return IterationBoundsAreConsistent(minimum, maximum) ? "" : kInconsistentEntryText;
}

}  // namespace scintle
