#include "x11_saver/saver_options.h"

#include <cctype>
#include <charconv>
#include <climits>

#include "settings/config_dialog.h"
#include "settings/setting_table.h"

namespace scintle {

namespace {

// The settings given as options, in the table's order: the numbers and switches, or
// the masks, whose bits are options of their own.
template <typename Visit>
void ForEachOptionSetting(bool masks, Visit visit) {
    for (const SettingInfo& setting : kSettingTable)
        if ((setting.kind == SettingKind::kMask) == masks && (masks || setting.option)) visit(setting);
}

// Whole numbers in decimal, or in hexadecimal after "0x" where allowed.
bool ParseWhole(const std::string& text, bool allowHex, long long* value) {
    const char* first = text.data();
    const char* last = first + text.size();
    int base = 10;
    if (allowHex && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        first += 2;
        base = 16;
    }
    if (first == last || *first == '-' || *first == '+') return false;
    const auto result = std::from_chars(first, last, *value, base);
    return result.ec == std::errc() && result.ptr == last;
}

bool ParseRanged(const std::string& option, const std::string& text, long long low,
                 long long high, const char* allowed, long long* value, std::string* error) {
    if (!ParseWhole(text, false, value) || *value < low || *value > high) {
        *error = option + " '" + text + "' is out of range: " + allowed;
        return false;
    }
    return true;
}

bool ParseWindowId(const std::string& source, const std::string& text, uint32_t* id,
                   std::string* error) {
    long long value = 0;
    if (!ParseWhole(text, true, &value) || value < 1 || value > 0xFFFFFFFFll) {
        *error = source + " '" + text + "' is not a window id (decimal, or hexadecimal after 0x)";
        return false;
    }
    *id = static_cast<uint32_t>(value);
    return true;
}

// WIDTHxHEIGHT, and xscreensaver's +X+Y after it, which is accepted and not used.
bool ParseGeometry(const std::string& text, int32_t* width, int32_t* height, std::string* error) {
    const size_t cross = text.find_first_of("xX");
    const size_t place = text.find_first_of("+-", cross == std::string::npos ? 0 : cross);
    long long w = 0, h = 0;
    constexpr long long kMaxSide = 16384;
    if (cross == std::string::npos || !ParseWhole(text.substr(0, cross), false, &w) ||
        !ParseWhole(text.substr(cross + 1, place - cross - 1), false, &h) || w < 1 || h < 1 ||
        w > kMaxSide || h > kMaxSide) {
        *error = "--geometry '" + text + "' is not WIDTHxHEIGHT, 1 to 16384 a side";
        return false;
    }
    *width = static_cast<int32_t>(w);
    *height = static_cast<int32_t>(h);
    return true;
}

// Sets or clears the bit whose option this is; false when no check box has the name.
bool SetMaskBit(const std::string& name, SaverSettingsRecord* settings) {
    const bool clear = name.compare(0, 3, "no-") == 0;
    for (int pass = 0; pass < 2; ++pass) {
        // "no-fade" is a box of its own; only a name no box has is read as "no-" + box.
        const bool negated = pass == 1;
        if (negated && !clear) break;
        const std::string box = negated ? name.substr(3) : name;
        bool found = false;
        ForEachOptionSetting(true, [&](const SettingInfo& mask) {
            for (int32_t i = 0; i < mask.bitCount && !found; ++i) {
                if (OptionName(mask.bits[i].label) != box) continue;
                const uint32_t value = StoredValue(*settings, mask);
                SetStoredValue(settings, mask, negated ? value & ~(1u << i) : value | 1u << i);
                found = true;
            }
        });
        if (found) return true;
    }
    return false;
}

// The setting whose valued option this is, or nullptr.
const SettingInfo* ValuedSetting(const std::string& name) {
    const SettingInfo* found = nullptr;
    ForEachOptionSetting(false, [&](const SettingInfo& setting) {
        if (setting.kind != SettingKind::kSwitch && name == setting.option) found = &setting;
    });
    return found;
}

bool IsValued(const std::string& name) {
    for (const char* valued : {"window-id", "geometry", "display", "seed"})
        if (name == valued) return true;
    return ValuedSetting(name) != nullptr;
}

// What a number setting's option accepts, for its error message.
std::string Allowed(const SettingInfo& setting) {
    const std::string low = std::to_string(setting.low), high = std::to_string(setting.high);
    if (setting.kind == SettingKind::kSeconds) return "whole seconds from " + low + " to " + high;
    return low + " (no bound) to " + high;
}

bool ApplyValue(const std::string& name, const std::string& value, SaverOptions* options,
                uint32_t* windowId, std::string* error) {
    const std::string option = "--" + name;
    long long number = 0;
    if (name == "window-id") return ParseWindowId(option, value, windowId, error);
    if (name == "geometry") return ParseGeometry(value, &options->width, &options->height, error);
    if (name == "display") {
        options->display = value;
        return true;
    }
    if (const SettingInfo* setting = ValuedSetting(name)) {
        if (!ParseRanged(option, value, setting->low, setting->high, Allowed(*setting).c_str(),
                         &number, error))
            return false;
        SetStoredValue(&options->settings, *setting, static_cast<uint32_t>(number));
        return true;
    }
    // The seed, as the saver's generator takes it.
    if (!ParseWhole(value, true, &number) || number < 0 || number > 0xFFFFFFFFll) {
        *error = option + " '" + value + "' is out of range: 0 to 4294967295 (or 0x hexadecimal)";
        return false;
    }
    options->seedGiven = true;
    options->seed = static_cast<uint32_t>(number);
    return true;
}

// A switch's option turns it on, its "no-" form (or its other name) off.
bool SetSwitch(const std::string& name, SaverSettingsRecord* settings) {
    bool found = false;
    ForEachOptionSetting(false, [&](const SettingInfo& setting) {
        if (setting.kind != SettingKind::kSwitch || found) return;
        const std::string on = setting.option;
        if (name == on) SetStoredValue(settings, setting, 1);
        else if (name == "no-" + on || (setting.offOption && name == setting.offOption))
            SetStoredValue(settings, setting, 0);
        else return;
        found = true;
    });
    return found;
}

bool ApplyFlag(const std::string& name, SaverOptions* options) {
    if (name == "root") options->target = DrawTarget::kRoot;
    else if (name == "help" || name == "h") options->help = true;
    else if (name == "verbose") options->verbose = true;
    else return SetSwitch(name, &options->settings) || SetMaskBit(name, &options->settings);
    return true;
}

// A --help line: the option, padded to the description's column, and the description,
// whose further lines start at that column.
std::string HelpLine(const std::string& option, const std::string& description) {
    constexpr size_t kColumn = 26;
    std::string line = "  " + option;
    line.append(line.size() < kColumn ? kColumn - line.size() : 1, ' ');
    for (char c : description) line += c == '\n' ? "\n" + std::string(kColumn, ' ') : std::string(1, c);
    return line + "\n";
}

// A setting's help with its numbers filled in.
std::string SettingHelp(const SettingInfo& setting) {
    std::string text = setting.help;
    const std::string defaultText = setting.kind == SettingKind::kSwitch
                                        ? (setting.defaultValue ? "on" : "off")
                                        : std::to_string(setting.defaultValue);
    for (const auto& field : {std::pair<std::string, std::string>{"{low}", std::to_string(setting.low)},
                              {"{high}", std::to_string(setting.high)},
                              {"{default}", defaultText}}) {
        for (size_t at; (at = text.find(field.first)) != std::string::npos;)
            text.replace(at, field.first.size(), field.second);
    }
    return text;
}

// "Blanking Methods" as a heading within a list: "Blanking methods".
std::string SentenceCase(const char* title) {
    std::string text = title;
    for (size_t i = 1; i < text.size(); ++i)
        text[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    return text;
}

}  // namespace

bool ParseSaverOptions(const std::vector<std::string>& arguments, const char* environmentWindow,
                       SaverOptions* options, std::string* error) {
    uint32_t windowId = 0;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word.size() < 2 || word[0] != '-') {
            *error = "unexpected argument '" + word + "' (--help lists the options)";
            return false;
        }
        std::string name = word.substr(word[1] == '-' ? 2 : 1);
        std::string value;
        const size_t equals = name.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (IsValued(name)) {
            if (!inlineValue) {
                if (i + 1 >= arguments.size()) {
                    *error = "--" + name + " needs a value (--help tells which)";
                    return false;
                }
                value = arguments[++i];
            }
            if (!ApplyValue(name, value, options, &windowId, error)) return false;
        } else if (inlineValue || !ApplyFlag(name, options)) {
            *error = "unknown option '" + word + "' (--help lists the options)";
            return false;
        }
    }
    SaverSettingsRecord& s = options->settings;
    if (s.MinIterations != 0 && s.MaxIterations != 0 && s.MinIterations > s.MaxIterations) {
        std::string reason = kInconsistentEntryText;
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
        *error = std::string("--") + SettingNamed("MinIterations").option + " " +
                 std::to_string(s.MinIterations) + " exceeds --" + SettingNamed("MaxIterations").option +
                 " " + std::to_string(s.MaxIterations) + ": " + reason;
        return false;
    }
    // As the settings loader does: an empty mask means the start value.
    s.BlankingMethod = ReplaceEmptyBlankingMethod(s.BlankingMethod);
    s.ColourScheme = ReplaceEmptyColourScheme(s.ColourScheme);
    s.CurveType = ReplaceEmptyCurveType(s.CurveType);

    // The window to draw into: --window-id, else the one xscreensaver hands over (which
    // also passes --root to older hacks), else --root or a window of our own.
    if (windowId == 0 && environmentWindow && *environmentWindow &&
        !ParseWindowId("XSCREENSAVER_WINDOW", environmentWindow, &windowId, error))
        return false;
    if (windowId != 0) {
        options->target = DrawTarget::kGivenWindow;
        options->windowId = windowId;
    }
    return true;
}

std::string SaverUsage() {
    std::string text =
        "Usage: scintle [options]\n"
        "Paints escape-time fractals pixel by pixel, in a scattered order, into a window.\n"
        "\n"
        "Where to draw (default: a window of its own):\n"
        "  --window-id ID          a window made by another program (decimal or 0x hex);\n"
        "                          XSCREENSAVER_WINDOW names one the same way\n"
        "  --root                  the root window of the screen\n"
        "  --geometry WxH          the size of its own window (1280x720)\n"
        "  --display NAME          the X display (default: $DISPLAY)\n"
        "\n"
        "Settings, as in the configuration dialog:\n";
    ForEachOptionSetting(false, [&](const SettingInfo& setting) {
        const char* value = setting.kind == SettingKind::kSeconds ? " S"
                            : setting.kind == SettingKind::kCount ? " N" : "";
        text += HelpLine(std::string("--") + setting.option + value, SettingHelp(setting));
    });
    ForEachOptionSetting(true, [&](const SettingInfo& mask) {
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
    });
    text +=
        "  (* on at the start)\n"
        "\n"
        "Other:\n"
        "  --seed S                seed of the random choices (default: the time)\n"
        "  --verbose               one line on stderr for each finished picture\n"
        "  --help                  this text\n"
        "\n"
        "Options may also be written with one dash, and values after '='.\n";
    return text;
}

}  // namespace scintle
