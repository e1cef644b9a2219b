#include "settings/option_layer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "settings/config_dialog.h"
#include "settings/option_name.h"
#include "settings/setting_table.h"

namespace scintle {

namespace {

// ---------------------------------------------------------------- values

int DigitValue(char c, int base) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    return digit < base ? digit : -1;
}

bool ReadSize(const std::string& text, bool tail, int32_t* width, int32_t* height) {
    const size_t cross = text.find_first_of("xX");
    if (cross == std::string::npos) return false;
    size_t end = text.size();
    if (tail) end = std::min(end, text.find_first_of("+-", cross));
    int64_t w = 0, h = 0;
    if (!ReadWholeNumber(text.substr(0, cross), false, false, &w) ||
        !ReadWholeNumber(text.substr(cross + 1, end - cross - 1), false, false, &h) || w < 1 ||
        h < 1 || w > kMaxSide || h > kMaxSide || w * h > kMaxPixels)
        return false;
    *width = static_cast<int32_t>(w);
    *height = static_cast<int32_t>(h);
    return true;
}

// A flag's value in a query: "" or "1" on, "0" off.
bool ReadSwitch(const std::string& name, const std::string& text, bool* on, std::string* error) {
    if (text.empty() || text == "1") *on = true;
    else if (text == "0") *on = false;
    else {
        *error = name + " '" + text + "' is not 1 or 0";
        return false;
    }
    return true;
}

std::string Spelled(const std::string& name, OptionStyle style) {
    if (style == OptionStyle::kQuery) return name;
    return (style == OptionStyle::kStrict && name.size() == 1 ? "-" : "--") + name;
}

// ---------------------------------------------------------------- settings' options

// A setting's option, found by name: a value to read, a switch turned on or off, or
// one box of a mask set or cleared.
struct SettingOption {
    const SettingInfo* setting = nullptr;
    bool cycle = false;  // scintle-render cycle's: the record's number
    bool valued = false;
    bool on = true;      // a switch's or box's option without a value: on or off
    int32_t bit = -1;    // a mask's box
};

// What a number setting's option of the X11 saver allows, for its refusal.
std::string SaverAllowed(const SettingInfo& s) {
    const std::string low = std::to_string(s.low), high = std::to_string(s.high);
    if (s.kind == SettingKind::kSeconds) return "whole seconds from " + low + " to " + high;
    return low + " (no bound) to " + high;
}

// The counts of cycle's settings are signed, the rest are the registry's 32 bits.
int64_t CycleLow(const SettingInfo& s) { return s.kind == SettingKind::kCount ? INT32_MIN : 0; }
int64_t CycleHigh(const SettingInfo& s) {
    return s.kind == SettingKind::kCount ? INT32_MAX : int64_t{UINT32_MAX};
}

bool FindBox(const std::string& name, SettingOption* found) {
    for (const SettingInfo& s : kSettingTable) {
        for (int32_t i = 0; i < s.bitCount; ++i) {
            if (OptionName(s.bits[i].label) != name) continue;
            found->setting = &s;
            found->bit = i;
            return true;
        }
    }
    return false;
}

bool FindSaverOption(const std::string& name, SettingOption* found) {
    for (const SettingInfo& s : kSettingTable) {
        if (!s.option || s.kind == SettingKind::kMask) continue;
        const bool off =
            name == "no-" + std::string(s.option) || (s.offOption && name == s.offOption);
        if (name != s.option && !off) continue;
        if (s.kind != SettingKind::kSwitch && off) continue;
        found->setting = &s;
        found->valued = s.kind != SettingKind::kSwitch;
        found->on = !off;
        return true;
    }
    // "no-fade" is a box of its own; only a name no box has is read as "no-" + box.
    if (FindBox(name, found)) return true;
    found->on = false;
    return name.compare(0, 3, "no-") == 0 && FindBox(name.substr(3), found);
}

bool FindCycleOption(const std::string& name, SettingOption* found) {
    for (const SettingInfo& s : kSettingTable) {
        if (!s.cycleOption || name != s.cycleOption + 2) continue;
        found->setting = &s;
        found->cycle = true;
        found->valued = true;
        return true;
    }
    return false;
}

bool FindSettingOption(const std::string& name, SettingNames names, bool valueGiven,
                       SettingOption* found) {
    *found = SettingOption{};
    if ((names == SettingNames::kCycle || (names == SettingNames::kBoth && valueGiven)) &&
        FindCycleOption(name, found))
        return true;
    if (names == SettingNames::kSaver || names == SettingNames::kBoth) {
        *found = SettingOption{};
        return FindSaverOption(name, found);
    }
    return false;
}

bool ApplySettingValue(const SettingOption& o, const std::string& spelled, const std::string& text,
                       SaverSettingsRecord* settings, std::string* error) {
    const SettingInfo& s = *o.setting;
    int64_t number = 0;
    if (o.cycle) {
        if (!ReadWholeNumber(text, true, s.kind == SettingKind::kCount, &number) ||
            number < CycleLow(s) || number > CycleHigh(s)) {
            *error = NumberRefusal(spelled, text, CycleLow(s), CycleHigh(s), true);
            return false;
        }
    } else if (!ReadWholeNumber(text, false, false, &number) || number < s.low || number > s.high) {
        *error = spelled + " '" + text + "' is out of range: " + SaverAllowed(s);
        return false;
    }
    SetStoredValue(settings, s, static_cast<uint32_t>(number));
    return true;
}

void ApplySettingFlag(const SettingOption& o, bool on, SaverSettingsRecord* settings) {
    const SettingInfo& s = *o.setting;
    const bool set = on == o.on;
    if (o.bit < 0) {
        SetStoredValue(settings, s, set ? 1 : 0);
        return;
    }
    const uint32_t value = StoredValue(*settings, s);
    SetStoredValue(settings, s, set ? value | 1u << o.bit : value & ~(1u << o.bit));
}

// ---------------------------------------------------------------- own options

const FrontOption* FindOwn(const std::vector<FrontOption>& own, const std::string& name) {
    for (const FrontOption& option : own)
        if (name == option.name) return &option;
    return nullptr;
}

bool ApplyOwn(const FrontOption& option, const std::string& spelled, const std::string& text,
              void* target, std::string* error) {
    OptionValue value;
    if (option.kind == ValueKind::kFlag) value.number = 1;
    else if (!ReadOptionValue(option, spelled, text, &value, error)) return false;
    return option.apply(target, value, error);
}

// The value of the option at words[*i]: after its "=", or the next word.
bool TakeValue(const std::vector<std::string>& words, size_t* i, bool inlineGiven,
               const std::string& spelled, OptionStyle style, std::string* value,
               std::string* error) {
    if (inlineGiven) return true;
    if (*i + 1 >= words.size()) {
        *error = spelled + " needs a value" +
                 (style == OptionStyle::kHack ? " (--help tells which)" : "");
        return false;
    }
    *value = words[++*i];
    return true;
}

bool ParseHackWords(const std::vector<std::string>& words, const OptionTable& table, void* target,
                    SaverSettingsRecord* settings, std::string* error) {
    constexpr OptionStyle kStyle = OptionStyle::kHack;
    const std::string unknown = " (--help lists the options)";
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 2 || word[0] != '-') {
            *error = "unexpected argument '" + word + "'" + unknown;
            return false;
        }
        std::string name = word.substr(word[1] == '-' ? 2 : 1), value;
        const size_t equals = name.find('=');
        const bool inlineGiven = equals != std::string::npos;
        if (inlineGiven) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        const std::string spelled = Spelled(name, kStyle);
        const FrontOption* own = FindOwn(table.own, name);
        SettingOption setting;
        const bool isSetting = !own && FindSettingOption(name, table.settings, true, &setting);
        const bool valued = own ? own->kind != ValueKind::kFlag : isSetting && setting.valued;
        if ((!own && !isSetting) || (inlineGiven && !valued)) {
            *error = "unknown option '" + word + "'" + unknown;
            return false;
        }
        if (valued && !TakeValue(words, &i, inlineGiven, spelled, kStyle, &value, error))
            return false;
        if (own) {
            if (!ApplyOwn(*own, spelled, value, target, error)) return false;
        } else if (valued) {
            if (!ApplySettingValue(setting, spelled, value, settings, error)) return false;
        } else {
            ApplySettingFlag(setting, true, settings);
        }
    }
    return true;
}

// As written, the last of an option counting; the values are read once every word
// is known, the front's options in their table's order and then the settings'.
bool ParseStrictWords(const std::vector<std::string>& words, const OptionTable& table,
                      void* target, SaverSettingsRecord* settings, std::string* error) {
    constexpr OptionStyle kStyle = OptionStyle::kStrict;
    std::vector<const std::string*> ownValues(table.own.size(), nullptr);
    std::vector<const std::string*> settingValues(kSettingCount, nullptr);
    static const std::string kFlagGiven;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const std::string* value = &kFlagGiven;
        size_t own = 0;
        while (own < table.own.size() && word != Spelled(table.own[own].name, kStyle)) ++own;
        SettingOption setting;
        const bool isSetting = own == table.own.size() && word.compare(0, 2, "--") == 0 &&
                               FindSettingOption(word.substr(2), table.settings, true, &setting);
        if (own == table.own.size() && !isSetting) {
            *error = "unknown option '" + word + "'";
            return false;
        }
        const bool valued = isSetting ? setting.valued : table.own[own].kind != ValueKind::kFlag;
        if (valued) {
            if (i + 1 >= words.size()) {
                *error = word + " needs a value";
                return false;
            }
            value = &words[++i];
        }
        if (isSetting) settingValues[setting.setting - kSettingTable] = value;
        else ownValues[own] = value;
    }
    std::string missing;
    bool anyMissing = false;
    for (size_t k = 0; k < table.own.size(); ++k) {
        if (!table.own[k].required) continue;
        missing += (missing.empty() ? "" : " and ") + Spelled(table.own[k].name, kStyle);
        anyMissing = anyMissing || !ownValues[k];
    }
    if (anyMissing) {
        *error = std::string(table.command) + " needs " + missing;
        return false;
    }
    for (size_t k = 0; k < table.own.size(); ++k) {
        const FrontOption& own = table.own[k];
        if (ownValues[k] && !ApplyOwn(own, Spelled(own.name, kStyle), *ownValues[k], target, error))
            return false;
    }
    for (int k = 0; k < kSettingCount; ++k) {
        if (!settingValues[k]) continue;
        SettingOption setting;
        FindSettingOption(kSettingTable[k].cycleOption + 2, table.settings, true, &setting);
        if (!ApplySettingValue(setting, kSettingTable[k].cycleOption, *settingValues[k], settings,
                               error))
            return false;
    }
    return true;
}

// "Blanking Methods" as a heading within a list: "Blanking methods".
std::string SentenceCase(const char* title) {
    std::string text = title;
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] >= 'A' && text[i] <= 'Z') text[i] = static_cast<char>(text[i] - 'A' + 'a');
    return text;
}

// A setting's help with its numbers filled in.
std::string SettingHelp(const SettingInfo& setting) {
    std::string text = setting.help;
    const std::string defaultText = setting.kind == SettingKind::kSwitch
                                        ? (setting.defaultValue ? "on" : "off")
                                        : std::to_string(setting.defaultValue);
    const std::pair<std::string, std::string> fields[] = {
        {"{low}", std::to_string(setting.low)},
        {"{high}", std::to_string(setting.high)},
        {"{default}", defaultText}};
    for (const auto& field : fields) {
        for (size_t at; (at = text.find(field.first)) != std::string::npos;)
            text.replace(at, field.first.size(), field.second);
    }
    return text;
}

}  // namespace

bool ReadWholeNumber(const std::string& text, bool hex, bool negative, int64_t* value) {
    size_t at = 0;
    int base = 10;
    const bool minus = negative && !text.empty() && text[0] == '-';
    if (minus) {
        at = 1;
    } else if (hex && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        at = 2;
        base = 16;
    }
    if (at >= text.size()) return false;
    // Beyond every range an option has, however many more digits follow.
    constexpr uint64_t kBeyond = uint64_t{1} << 62;
    uint64_t number = 0;
    for (; at < text.size(); ++at) {
        const int digit = DigitValue(text[at], base);
        if (digit < 0) return false;
        number = number > kBeyond ? kBeyond + 1 : number * base + static_cast<uint64_t>(digit);
    }
    const auto magnitude = static_cast<int64_t>(number > kBeyond ? kBeyond : number);
    *value = minus ? -magnitude : magnitude;
    return true;
}

std::string NumberRefusal(const std::string& option, const std::string& text, int64_t low,
                          int64_t high, bool hex) {
    return option + " '" + text + "' is out of range: " + std::to_string(low) + " to " +
           std::to_string(high) + (hex ? " (or 0x hexadecimal)" : "");
}

bool ReadOptionValue(const FrontOption& option, const std::string& source,
                     const std::string& text, OptionValue* value, std::string* error) {
    value->text = text;
    switch (option.kind) {
        case ValueKind::kFlag:
        case ValueKind::kText:
            return true;
        case ValueKind::kNumber:
            if (ReadWholeNumber(text, option.hex, option.low < 0, &value->number) &&
                value->number >= option.low && value->number <= option.high)
                return true;
            *error = NumberRefusal(source, text, option.low, option.high, option.hex);
            return false;
        case ValueKind::kSize:
        case ValueKind::kGeometry:
            if (ReadSize(text, option.kind == ValueKind::kGeometry, &value->width, &value->height))
                return true;
            *error = source + " '" + text + "' is not WIDTHxHEIGHT, 1 to " +
                     std::to_string(kMaxSide) + " a side and " + std::to_string(kMaxPixels) +
                     " pixels at most";
            return false;
        case ValueKind::kReal: {
            char* end = nullptr;
            value->real = std::strtod(text.c_str(), &end);
            if (!text.empty() && *end == '\0' && std::isfinite(value->real) && value->real > 0.0)
                return true;
            *error = source + " '" + text + "' is not a positive number";
            return false;
        }
    }
    return false;
}

bool ParseOptionWords(const std::vector<std::string>& words, OptionStyle style,
                      const OptionTable& table, void* target, SaverSettingsRecord* settings,
                      std::string* error) {
    if (style == OptionStyle::kStrict)
        return ParseStrictWords(words, table, target, settings, error);
    return ParseHackWords(words, table, target, settings, error);
}

bool ApplyOptionPair(const std::string& name, const std::string& value,
                     const OptionTable& table, void* target, SaverSettingsRecord* settings,
                     std::string* error) {
    bool on = true;
    if (const FrontOption* own = FindOwn(table.own, name)) {
        if (own->kind != ValueKind::kFlag) return ApplyOwn(*own, name, value, target, error);
        if (!ReadSwitch(name, value, &on, error)) return false;
        OptionValue flag;
        flag.number = on ? 1 : 0;
        return own->apply(target, flag, error);
    }
    SettingOption setting;
    if (!FindSettingOption(name, table.settings, !value.empty(), &setting)) {
        *error = "unknown option '" + name + "'";
        return false;
    }
    if (setting.valued) return ApplySettingValue(setting, name, value, settings, error);
    if (!ReadSwitch(name, value, &on, error)) return false;
    ApplySettingFlag(setting, on, settings);
    return true;
}

bool FinishSettings(SaverSettingsRecord* settings, OptionStyle style, bool checkBounds,
                    std::string* error) {
    SaverSettingsRecord& s = *settings;
    // 0 is no bound, and the record's counts are signed.
    if (checkBounds && s.MinIterations != 0 && s.MaxIterations != 0 &&
        s.MinIterations > s.MaxIterations) {
        *error = Spelled(SettingNamed("MinIterations").option, style) + " " +
                 std::to_string(s.MinIterations) + " exceeds " +
                 Spelled(SettingNamed("MaxIterations").option, style) + " " +
                 std::to_string(s.MaxIterations) + ": " + kInconsistentEntryText;
        return false;
    }
    for (const SettingInfo& setting : kSettingTable)
        if (setting.kind == SettingKind::kMask)
            SetStoredValue(&s, setting, ReplaceEmptyMask(setting, StoredValue(s, setting)));
    return true;
}

std::string OptionHelpLine(const std::string& option, const std::string& description) {
    constexpr size_t kColumn = 26;
    std::string line = "  " + option;
    line.append(line.size() < kColumn ? kColumn - line.size() : 1, ' ');
    for (char c : description)
        line += c == '\n' ? "\n" + std::string(kColumn, ' ') : std::string(1, c);
    return line + "\n";
}

std::string FrontOptionHelp(const std::vector<FrontOption>& options) {
    std::string text;
    for (const FrontOption& option : options) {
        if (option.help.empty()) continue;
        const std::string value = option.valueName ? std::string(" ") + option.valueName : "";
        text += OptionHelpLine("--" + std::string(option.name) + value, option.help);
    }
    return text;
}

std::string SaverSettingsHelp() {
    std::string text;
    for (const SettingInfo& s : kSettingTable) {
        if (!s.option || s.kind == SettingKind::kMask) continue;
        const char* value = s.kind == SettingKind::kSeconds ? " S"
                            : s.kind == SettingKind::kCount ? " N" : "";
        text += OptionHelpLine(std::string("--") + s.option + value, SettingHelp(s));
    }
    for (const SettingInfo& mask : kSettingTable) {
        if (mask.kind != SettingKind::kMask) continue;
        text += "  " + SentenceCase(mask.group) +
                " (each has a --no- form; none on means the start set):\n   ";
        size_t column = 3;
        for (int32_t i = 0; i < mask.bitCount; ++i) {
            const std::string entry = " --" + OptionName(mask.bits[i].label) +
                                      ((mask.defaultValue >> i & 1u) ? "*" : "");
            if (column + entry.size() > 78) {
                text += "\n   ";
                column = 3;
            }
            text += entry;
            column += entry.size();
        }
        text += "\n";
    }
    return text + "  (* on at the start)\n";
}

std::vector<std::string> OptionSynopsis(const OptionTable& table, const char* settingsAfter) {
    std::vector<std::string> items;
    auto addSettings = [&] {
        for (const SettingInfo& s : kSettingTable) {
            if (!s.cycleOption || table.settings == SettingNames::kNone) continue;
            const char* value = s.kind == SettingKind::kMask    ? "MASK"
                                : s.kind == SettingKind::kCount ? "N"
                                                                : "0|1";
            items.push_back(std::string("[") + s.cycleOption + " " + value + "]");
        }
    };
    for (const FrontOption& option : table.own) {
        std::string item = Spelled(option.name, OptionStyle::kStrict);
        if (option.valueName) item += std::string(" ") + option.valueName;
        items.push_back(option.required ? item : "[" + item + "]");
        if (settingsAfter && std::strcmp(option.name, settingsAfter) == 0) addSettings();
    }
    if (!settingsAfter) addSettings();
    return items;
}

}  // namespace scintle
