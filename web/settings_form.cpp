#include "web/settings_form.h"

#include "settings/config_dialog.h"
#include "settings/setting_text.h"

namespace scintle {

namespace {

bool IsNumber(const SettingInfo& setting) {
    return setting.kind == SettingKind::kSeconds || setting.kind == SettingKind::kCount;
}

// The text after "Name=" on the lines, or nullptr.
bool FieldText(const std::string& lines, const char* name, std::string* text) {
    const std::string key = std::string(name) + "=";
    for (size_t at = 0; at < lines.size();) {
        size_t end = lines.find('\n', at);
        if (end == std::string::npos) end = lines.size();
        if (lines.compare(at, key.size(), key) == 0) {
            *text = lines.substr(at + key.size(), end - at - key.size());
            return true;
        }
        at = end + 1;
    }
    return false;
}

}  // namespace

FormRefusal NumberEntryRefusal(const SettingInfo& setting, const char* text, uint32_t* value) {
    FormRefusal refusal;
    uint32_t number = 0;
    if (ReadStoredNumber(text, &number) && number >= setting.low && number <= setting.high) {
        *value = number;
        return refusal;
    }
    char message[96];
    FormatRangeMessage(setting, message, sizeof message);
    refusal.field = &setting;
    refusal.caption = kInvalidEntryCaption;
    refusal.message = message;
    return refusal;
}

FormRefusal CheckSettingsForm(const std::string& numberFields) {
    for (const SettingInfo& setting : kSettingTable) {
        if (!IsNumber(setting)) continue;
        std::string text;
        FieldText(numberFields, setting.name, &text);
        uint32_t value = 0;
        FormRefusal refusal = NumberEntryRefusal(setting, text.c_str(), &value);
        if (refusal.field) return refusal;
    }
    const SettingInfo& minimum = SettingNamed("MinIterations");
    const SettingInfo& maximum = SettingNamed("MaxIterations");
    std::string low, high;
    FieldText(numberFields, minimum.name, &low);
    FieldText(numberFields, maximum.name, &high);
    uint32_t lowValue = 0, highValue = 0;
    ReadStoredNumber(low.c_str(), &lowValue);
    ReadStoredNumber(high.c_str(), &highValue);
    FormRefusal refusal;
    if (!IterationBoundsAreConsistent(lowValue, highValue)) {
        refusal.field = &minimum;
        refusal.caption = kInconsistentEntryCaption;
        refusal.message = kInconsistentEntryText;
    }
    return refusal;
}

}  // namespace scintle
