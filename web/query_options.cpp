#include "web/query_options.h"

#include "settings/config_dialog.h"
#include "settings/option_name.h"
#include "settings/setting_table.h"
#include "settings/setting_text.h"

namespace scintle {

namespace {

// Decimal, or hexadecimal after 0x where allowed; below 2^32.
bool ReadUnsigned(const std::string& text, bool allowHex, uint32_t* value) {
    if (allowHex && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        if (text.size() > 10) return false;
        uint32_t number = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            const char c = text[i];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) return false;
            number = number * 16 + static_cast<uint32_t>(digit);
        }
        *value = number;
        return true;
    }
    return ReadStoredNumber(text.c_str(), value);
}

// "", "1" or "0": on, on, off.
bool ReadSwitch(const std::string& text, bool* on) {
    if (text.empty() || text == "1") *on = true;
    else if (text == "0") *on = false;
    else return false;
    return true;
}

bool ReadSize(const std::string& text, int32_t* width, int32_t* height) {
    const size_t cross = text.find_first_of("xX");
    uint32_t w = 0, h = 0;
    if (cross == std::string::npos || !ReadStoredNumber(text.substr(0, cross).c_str(), &w) ||
        !ReadStoredNumber(text.substr(cross + 1).c_str(), &h) || w < 1 || h < 1 ||
        w > kQueryMaxSide || h > kQueryMaxSide ||
        int64_t{w} * int64_t{h} > kQueryMaxPixels)
        return false;
    *width = static_cast<int32_t>(w);
    *height = static_cast<int32_t>(h);
    return true;
}

// A valued setting of the X11 saver: whole numbers within its bounds.
bool ApplyRanged(const SettingInfo& s, const std::string& name, const std::string& value,
                 SaverSettingsRecord* settings, std::string* error) {
    uint32_t number = 0;
    if (!ReadStoredNumber(value.c_str(), &number) || number < s.low || number > s.high) {
        *error = name + " '" + value + "' is out of range: " + std::to_string(s.low) + " to " +
                 std::to_string(s.high);
        return false;
    }
    SetStoredValue(settings, s, number);
    return true;
}

// scintle-render cycle's option: the number as the record holds it.
bool ApplyCycleValue(const SettingInfo& s, const std::string& name, const std::string& value,
                     SaverSettingsRecord* settings, std::string* error) {
    uint32_t number = 0;
    bool negative = false;
    std::string digits = value;
    if (s.kind == SettingKind::kCount && !digits.empty() && digits[0] == '-') {
        negative = true;
        digits.erase(0, 1);
    }
    if (!ReadUnsigned(digits, !negative, &number) || (negative && number > 0x80000000u) ||
        (s.kind == SettingKind::kCount && !negative && number > 0x7FFFFFFFu)) {
        *error = name + " '" + value + "' is not a number " +
                 (s.kind == SettingKind::kCount ? "of 32 bits" : "from 0 to 4294967295");
        return false;
    }
    SetStoredValue(settings, s, negative ? 0u - number : number);
    return true;
}

// A check box of a mask, by its option name, set or cleared.
bool FindBit(const std::string& name, const SettingInfo** mask, int32_t* bit) {
    for (const SettingInfo& s : kSettingTable) {
        if (s.kind != SettingKind::kMask) continue;
        for (int32_t i = 0; i < s.bitCount; ++i) {
            if (OptionName(s.bits[i].label) == name) {
                *mask = &s;
                *bit = i;
                return true;
            }
        }
    }
    return false;
}

bool ApplySetting(const std::string& name, const std::string& value, SaverSettingsRecord* settings,
                  std::string* error) {
    const std::string badSwitch = name + " '" + value + "' is not 1 or 0";
    for (const SettingInfo& s : kSettingTable) {
        if (s.cycleOption && name == s.cycleOption + 2 && !value.empty())
            return ApplyCycleValue(s, name, value, settings, error);
        if (!s.option) continue;
        if (s.kind == SettingKind::kSwitch) {
            bool on = true;
            const bool off = name == "no-" + std::string(s.option) || (s.offOption && name == s.offOption);
            if (name != s.option && !off) continue;
            if (!ReadSwitch(value, &on)) {
                *error = badSwitch;
                return false;
            }
            SetStoredValue(settings, s, off ? !on : on);
            return true;
        }
        if (name == s.option) return ApplyRanged(s, name, value, settings, error);
    }
    // "no-fade" is a box of its own; only a name no box has is read as "no-" + box.
    const SettingInfo* mask = nullptr;
    int32_t bit = 0;
    bool negated = false;
    if (!FindBit(name, &mask, &bit)) {
        if (name.compare(0, 3, "no-") != 0 || !FindBit(name.substr(3), &mask, &bit)) {
            *error = "unknown option '" + name + "'";
            return false;
        }
        negated = true;
    }
    bool on = true;
    if (!ReadSwitch(value, &on)) {
        *error = badSwitch;
        return false;
    }
    const uint32_t current = StoredValue(*settings, *mask);
    SetStoredValue(settings, *mask, on != negated ? current | 1u << bit : current & ~(1u << bit));
    return true;
}

}  // namespace

WebQuery EmptyQuery() {
    WebQuery query;
    query.settings = DefaultRecord();
    return query;
}

bool ApplyQueryOption(const std::string& name, const std::string& value, WebQuery* query,
                      std::string* error) {
    if (name == "seed") {
        if (!ReadUnsigned(value, true, &query->seed)) {
            *error = "seed '" + value + "' is out of range: 0 to 4294967295 (or 0x hexadecimal)";
            return false;
        }
        query->seeded = true;
        return true;
    }
    if (name == "size" || name == "geometry") {
        if (!ReadSize(value, &query->width, &query->height)) {
            *error = name + " '" + value + "' is not WIDTHxHEIGHT, 1 to " +
                     std::to_string(kQueryMaxSide) + " a side and " +
                     std::to_string(kQueryMaxPixels) + " pixels at most";
            return false;
        }
        return true;
    }
    return ApplySetting(name, value, &query->settings, error);
}

bool FinishQuery(WebQuery* query, std::string* error) {
    SaverSettingsRecord& s = query->settings;
    const SettingInfo& minimum = SettingNamed("MinIterations");
    const SettingInfo& maximum = SettingNamed("MaxIterations");
    // As the X11 saver checks them: 0 is no bound, and the record's counts are signed.
    if (s.MinIterations != 0 && s.MaxIterations != 0 && s.MinIterations > s.MaxIterations) {
        *error = std::string(minimum.option) + " " + std::to_string(s.MinIterations) +
                 " exceeds " + maximum.option + " " + std::to_string(s.MaxIterations) + ": " +
                 kInconsistentEntryText;
        return false;
    }
    for (const SettingInfo& setting : kSettingTable)
        SetStoredValue(&s, setting, ReplaceEmptyMask(setting, StoredValue(s, setting)));
    return true;
}

}  // namespace scintle
