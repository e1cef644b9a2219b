// The settings table: each of the nine settings described once. The registry store,
// the configuration dialog, the X11 saver's options and --help, scintle-render's
// options and the browser's settings form all read it; xscreensaver's panel
// (resources/scintle.xml), the dialog template and the manual pages are checked
// against it by the tests.
//
// A value is held as the registry stores it: four bytes, read as a 32-bit number. The
// record (settings_record.h) holds the same number, but for the completion delay, which
// it holds in milliseconds.
//
// To add a setting: its field in SaverSettingsRecord, its row here (in the order the
// dialog stores them), its control in the dialog template and config_dialog_ids.h, and
// its line in scintle.xml and the manual pages (docs/architecture.md tells more).
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>

#include "resources/config_dialog_ids.h"
#include "settings/settings_record.h"
#include "settings/setting_masks.h"

namespace scintle {

enum class SettingKind : int32_t {
    kSwitch,   // off (0) or on (any other value): a check box, or two radio buttons
    kSeconds,  // whole seconds, in an edit field; milliseconds in the record
    kCount,    // a whole number, 0 for no bound, in an edit field
    kMask,     // a set of bits, one check box each; a stored 0 means the default
};

// One bit of a mask: bit i of the setting is its bits[i].
struct SettingBit {
    const char* label;  // its check box's label
    int control;        // its check box
};

struct SettingInfo {
    const char* name = nullptr;  // the registry value's name, and the record's field's
    SettingKind kind = SettingKind::kSwitch;
    uint32_t SaverSettingsRecord::*unsignedField = nullptr;  // the record's field: one of the two
    int32_t SaverSettingsRecord::*signedField = nullptr;
    uint32_t defaultValue = 0;  // what a missing value leaves (a mask's: what 0 stands for)
    uint32_t low = 0;           // the values the dialog and the options accept
    uint32_t high = 1;
    const char* group = nullptr;  // the dialog's group box that holds it
    const char* label = nullptr;  // its check box's or edit field's label (masks: none)
    int control = 0;              // the check box, the edit field, or the "on" radio button
    const char* offLabel = nullptr;  // a switch shown as two radio buttons: the "off" one
    int offControl = 0;
    const SettingBit* bits = nullptr;  // masks: in bit order
    int32_t bitCount = 0;
    const char* option = nullptr;       // the X11 saver's option, without dashes (masks: a
                                        // flag for each bit, named after its label)
    const char* offOption = nullptr;    // a switch's other name for its "no-" form
    const char* cycleOption = nullptr;  // scintle-render cycle's option
    // The X11 saver's --help line; {low}, {high} and {default} stand for the numbers,
    // a switch's default as "on" or "off".
    const char* help = nullptr;
    bool readWithPrevious = false;  // the store reads it in the previous value's opening

    // The table's rows are written as a chain of these. Each returns a copy with its
    // fields set; the copies are spelt out, since Clang (the browser's build) cannot
    // evaluate a member template of the class while the class is being defined.
    constexpr SettingInfo Default(uint32_t value) const {
        SettingInfo row = *this;
        row.defaultValue = value;
        return row;
    }
    constexpr SettingInfo Bounds(uint32_t from, uint32_t to) const {
        SettingInfo row = *this;
        row.low = from;
        row.high = to;
        return row;
    }
    constexpr SettingInfo Shown(const char* box, const char* text, int id) const {
        SettingInfo row = *this;
        row.group = box;
        row.label = text;
        row.control = id;
        return row;
    }
    constexpr SettingInfo Off(const char* text, int id) const {
        SettingInfo row = *this;
        row.offLabel = text;
        row.offControl = id;
        return row;
    }
    template <int N>
    constexpr SettingInfo Bits(const char* box, const SettingBit (&list)[N]) const {
        SettingInfo row = *this;
        row.group = box;
        row.bits = &list[0];
        row.bitCount = N;
        return row;
    }
    constexpr SettingInfo Option(const char* x11, const char* cycle) const {
        SettingInfo row = *this;
        row.option = x11;
        row.cycleOption = cycle;
        return row;
    }
    constexpr SettingInfo OffOption(const char* x11) const {
        SettingInfo row = *this;
        row.offOption = x11;
        return row;
    }
    constexpr SettingInfo Help(const char* text) const {
        SettingInfo row = *this;
        row.help = text;
        return row;
    }
    constexpr SettingInfo ReadWithPrevious() const {
        SettingInfo row = *this;
        row.readWithPrevious = true;
        return row;
    }
};

// A row's start: the setting's name, kind and field (signed or unsigned).
template <typename Field>
constexpr SettingInfo Setting(const char* name, SettingKind kind,
                              Field SaverSettingsRecord::*field) {
    SettingInfo row;
    row.name = name;
    row.kind = kind;
    if constexpr (std::is_unsigned_v<Field>) row.unsignedField = field;
    else row.signedField = field;
    return row;
}

inline constexpr uint32_t kLargestCount = 0x7FFFFFFF;  // what a count's field holds

namespace setting_bits {

inline constexpr SettingBit kBlankingMethods[kBlankingMethodCount] = {
    {"Scintle fade", IDC_SCINTLE_FADE}, {"Fast fade", IDC_FAST_FADE}, {"No Fade", IDC_NO_FADE}};

inline constexpr SettingBit kColourSchemes[kColourSchemeCount] = {
    {"Rainbow", IDC_RAINBOW},           {"Mono", IDC_MONO},
    {"Bold 1", IDC_BOLD_1},             {"Bold 2", IDC_BOLD_2},
    {"Bold 3", IDC_BOLD_3},             {"Bold 4", IDC_BOLD_4},
    {"Bold 5", IDC_BOLD_5},             {"Bold 6", IDC_BOLD_6},
    {"Firestorm", IDC_FIRESTORM},       {"Valentine", IDC_VALENTINE},
    {"Stormy night", IDC_STORMY_NIGHT}, {"Red / purple", IDC_RED_PURPLE},
    {"Green / yellow", IDC_GREEN_YELLOW}, {"Blue / green", IDC_BLUE_GREEN}};

// The fractal families, whose numbers these bits are (fractal/fractal_family.h).
inline constexpr SettingBit kCurveTypes[kCurveTypeCount] = {
    {"Mandelbrot", IDC_MANDELBROT}, {"Julia", IDC_JULIA}, {"Dragon", IDC_DRAGON},
    {"Phoenix", IDC_PHOENIX}};

}  // namespace setting_bits

// In the order in which the store reads them and the dialog writes them.
inline constexpr SettingInfo kSettingTable[] = {
    Setting("ExtraMemory", SettingKind::kSwitch, &SaverSettingsRecord::ExtraMemory)
        .Shown("General", "Use extra memory", IDC_EXTRA_MEMORY)
        .Option("extra-memory", "--extra-memory")
        .Help("paint every pixel, not 2x2 blocks ({default})"),
    Setting("CompletionDelay", SettingKind::kSeconds, &SaverSettingsRecord::CompletionDelay)
        .Default(1).Bounds(0, 300)
        .Shown("General", "Completion delay ", IDC_COMPLETION_DELAY)
        .Option("completion-delay", nullptr)
        .Help("seconds to show a finished picture, {low} to {high} ({default})"),
    Setting("BlankingMethod", SettingKind::kMask, &SaverSettingsRecord::BlankingMethod)
        .Default(kFastFade).Bits("Blanking Methods", setting_bits::kBlankingMethods)
        .Option(nullptr, "--blanking"),
    Setting("ColourScheme", SettingKind::kMask, &SaverSettingsRecord::ColourScheme)
        .Default(kAllColourSchemes).Bits("Colour Schemes", setting_bits::kColourSchemes)
        .Option(nullptr, "--colours"),
    Setting("CurveType", SettingKind::kMask, &SaverSettingsRecord::CurveType)
        .Default(kAllCurveTypes).Bits("Curve Types", setting_bits::kCurveTypes)
        .Option(nullptr, "--curves"),
    Setting("MinIterations", SettingKind::kCount, &SaverSettingsRecord::MinIterations)
        .Bounds(0, kLargestCount)
        .Shown("Iteration Options", "Minimum", IDC_MIN_ITERATIONS)
        .Option("min-iterations", "--min")
        .Help("raise iteration caps to N, 0 for no bound ({default})"),
    Setting("MaxIterations", SettingKind::kCount, &SaverSettingsRecord::MaxIterations)
        .Bounds(0, kLargestCount)
        .Shown("Iteration Options", "Maximum", IDC_MAX_ITERATIONS)
        .Option("max-iterations", "--max")
        .Help("bound iteration caps by N, 0 for no bound ({default})"),
    Setting("ExcludeCurves", SettingKind::kSwitch, &SaverSettingsRecord::ExcludeCurves)
        .Shown("Iteration Options", "Exclude", IDC_EXCLUDE).Off("Reduce", IDC_REDUCE)
        .Option("exclude-curves", "--exclude").OffOption("reduce-curves")
        .Help("leave out views above the maximum rather than\nreduce them ({default}: reduce)")
        .ReadWithPrevious(),
    Setting("AllMonitors", SettingKind::kSwitch, &SaverSettingsRecord::AllMonitors)
        .Shown("General", "Cover all monitors", IDC_ALL_MONITORS),
};
inline constexpr int kSettingCount = static_cast<int>(std::size(kSettingTable));

// The row of the setting with this registry name; nullptr for any other name.
constexpr const SettingInfo* FindSetting(const char* name) {
    for (const SettingInfo& setting : kSettingTable) {
        const char* a = setting.name;
        const char* b = name;
        while (*a != '\0' && *a == *b) ++a, ++b;
        if (*a == *b) return &setting;
    }
    return nullptr;
}

// The row of a setting the program names, known to exist.
constexpr const SettingInfo& SettingNamed(const char* name) { return *FindSetting(name); }

// The value of a setting in a record, as the registry stores it.
constexpr uint32_t StoredValue(const SaverSettingsRecord& record, const SettingInfo& setting) {
    if (setting.unsignedField) return record.*setting.unsignedField;
    const int32_t held = record.*setting.signedField;
    // Whole seconds, truncated toward zero; a negative delay gives its unsigned bits.
    if (setting.kind == SettingKind::kSeconds) return static_cast<uint32_t>(held / 1000);
    return static_cast<uint32_t>(held);
}

// Sets a setting of a record from the value the registry stores.
constexpr void SetStoredValue(SaverSettingsRecord* record, const SettingInfo& setting,
                              uint32_t value) {
    if (setting.unsignedField) {
        record->*setting.unsignedField = value;
    } else if (setting.kind == SettingKind::kSeconds) {
        record->*setting.signedField = DelaySecondsToMilliseconds(value);
    } else {
        record->*setting.signedField = static_cast<int32_t>(value);
    }
}

// A mask's stored 0 means its default; other values, and other settings, pass.
constexpr uint32_t ReplaceEmptyMask(const SettingInfo& setting, uint32_t value) {
    return setting.kind == SettingKind::kMask && value == 0 ? setting.defaultValue : value;
}

// Every setting at its default: what the record holds before anything is loaded.
constexpr SaverSettingsRecord DefaultRecord() {
    SaverSettingsRecord record = {};
    for (const SettingInfo& setting : kSettingTable)
        SetStoredValue(&record, setting, setting.defaultValue);
    return record;
}

// The label of one bit of a mask, or nullptr when the bit has none.
const char* BitLabel(const SettingInfo& mask, uint32_t bit);
const char* BlankingMethodLabel(uint32_t bit);
const char* ColourSchemeLabel(uint32_t bit);
const char* CurveTypeLabel(uint32_t bit);

// The dialog's refusal of a number outside the setting's bounds ("Please enter a value
// between 0 and 300 seconds"), written into `text`.
void FormatRangeMessage(const SettingInfo& setting, char* text, size_t size);

}  // namespace scintle
