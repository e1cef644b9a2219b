#include "host/saver_options.h"

#include <cctype>
#include <charconv>
#include <climits>

#include "settings/setting_labels.h"

namespace scintle {

namespace {

// A check box's option sets or clears its bit of one mask.
struct MaskGroup {
    const MaskLabel* labels;
    int count;
    uint32_t SaverSettingsRecord::*mask;
    const char* title;
};

const MaskGroup kMaskGroups[] = {
    {kBlankingMethodLabels, kBlankingMethodCount, &SaverSettingsRecord::BlankingMethod,
     "Blanking methods"},
    {kColourSchemeLabels, kColourSchemeCount, &SaverSettingsRecord::ColourScheme,
     "Colour schemes"},
    {kCurveTypeLabels, kCurveTypeCount, &SaverSettingsRecord::CurveType, "Curve types"},
};

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
        for (const MaskGroup& group : kMaskGroups) {
            for (int i = 0; i < group.count; ++i) {
                if (OptionName(group.labels[i].label) != box) continue;
                uint32_t& mask = settings->*group.mask;
                mask = negated ? mask & ~group.labels[i].bit : mask | group.labels[i].bit;
                return true;
            }
        }
    }
    return false;
}

bool IsValued(const std::string& name) {
    for (const char* valued : {"window-id", "geometry", "display", "completion-delay",
                               "min-iterations", "max-iterations", "seed"})
        if (name == valued) return true;
    return false;
}

bool ApplyValue(const std::string& name, const std::string& value, SaverOptions* options,
                uint32_t* windowId, std::string* error) {
    SaverSettingsRecord& s = options->settings;
    const std::string option = "--" + name;
    long long number = 0;
    if (name == "window-id") return ParseWindowId(option, value, windowId, error);
    if (name == "geometry") return ParseGeometry(value, &options->width, &options->height, error);
    if (name == "display") {
        options->display = value;
        return true;
    }
    if (name == "completion-delay") {
        if (!ParseRanged(option, value, 0, kMaxCompletionDelaySeconds,
                         "whole seconds from 0 to 300", &number, error))
            return false;
        s.CompletionDelay = DelaySecondsToMilliseconds(static_cast<uint32_t>(number));
        return true;
    }
    if (name == "min-iterations" || name == "max-iterations") {
        if (!ParseRanged(option, value, 0, INT32_MAX, "0 (no bound) to 2147483647", &number, error))
            return false;
        (name == "min-iterations" ? s.MinIterations : s.MaxIterations) = static_cast<int32_t>(number);
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

bool ApplyFlag(const std::string& name, SaverOptions* options) {
    SaverSettingsRecord& s = options->settings;
    if (name == "root") options->target = DrawTarget::kRoot;
    else if (name == "help" || name == "h") options->help = true;
    else if (name == "verbose") options->verbose = true;
    else if (name == "extra-memory") s.ExtraMemory = 1;
    else if (name == "no-extra-memory") s.ExtraMemory = 0;
    else if (name == "exclude-curves") s.ExcludeCurves = 1;
    else if (name == "no-exclude-curves" || name == "reduce-curves") s.ExcludeCurves = 0;
    else return SetMaskBit(name, &s);
    return true;
}

}  // namespace

std::string OptionName(const char* label) {
    std::string name;
    bool dash = false;
    for (const char* c = label; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
            if (dash && !name.empty()) name += '-';
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
            dash = false;
        } else {
            dash = true;
        }
    }
    return name;
}

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
        *error = "--min-iterations " + std::to_string(s.MinIterations) + " exceeds --max-iterations " +
                 std::to_string(s.MaxIterations) + ": the minimum value cannot exceed the maximum value";
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
        "Settings, as in the configuration dialog:\n"
        "  --extra-memory          paint every pixel, not 2x2 blocks (off)\n"
        "  --completion-delay S    seconds to show a finished picture, 0 to 300 (1)\n"
        "  --min-iterations N      raise iteration caps to N, 0 for no bound (0)\n"
        "  --max-iterations N      bound iteration caps by N, 0 for no bound (0)\n"
        "  --exclude-curves        leave out views above the maximum rather than\n"
        "                          reduce them (off: reduce)\n";
    for (const MaskGroup& group : kMaskGroups) {
        text += std::string("  ") + group.title + " (each has a --no- form; none on means the start set):\n   ";
        size_t column = 3;
        for (int i = 0; i < group.count; ++i) {
            const std::string entry = " --" + OptionName(group.labels[i].label) +
                                      ((kStartSettings.*group.mask & group.labels[i].bit) ? "*" : "");
            if (column + entry.size() > 78) {
                text += "\n   ";
                column = 3;
            }
            text += entry;
            column += entry.size();
        }
        text += "\n";
    }
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
