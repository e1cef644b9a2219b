#include "settings/setting_text.h"

namespace scintle {

bool ReadStoredNumber(const char* text, uint32_t* value) {
    if (text == nullptr || *text == '\0') return false;
    uint64_t number = 0;
    int digits = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9' || ++digits > 10) return false;
        number = number * 10 + static_cast<uint64_t>(*c - '0');
    }
    if (number > 0xFFFFFFFFull) return false;
    *value = static_cast<uint32_t>(number);
    return true;
}

uint32_t StoredTextValue(const SettingInfo& setting, const char* text) {
    uint32_t value = setting.defaultValue;
    ReadStoredNumber(text, &value);
    return ReplaceEmptyMask(setting, value);
}

}  // namespace scintle
