// The one option layer of every front: the X11 saver's command line, scintle-render's
// arguments and the saver page's query all go through it. The settings' options come
// from the settings table (setting_table.h); each front declares its own few options
// in a small table of FrontOption rows. The layer reads the words or pairs, checks
// every value, and writes every error text and help line, so no front parses a
// number, a size or a mask of its own.
//
// The rules, the same on every front:
// - a number is decimal digits, or "0x" and hexadecimal digits where the option takes
//   them; a minus sign only for the counts of scintle-render cycle's settings;
// - a size is WIDTHxHEIGHT, 1 to kMaxSide a side and kMaxPixels in all;
// - a mask's check box is an option of its own named after its label (OptionName),
//   with a "no-" form that clears it; a group left with no box on means its defaults;
// - a minimum above a maximum (neither 0) is refused with the dialog's own text, where
//   the front checks the bounds (not scintle-render cycle, which takes any record).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings_record.h"

namespace scintle {

// Every picture and window: at most this many pixels a side, and in all.
inline constexpr int32_t kMaxSide = 16384;
inline constexpr int64_t kMaxPixels = int64_t{8192} * 8192;

// How a front writes its options.
enum class OptionStyle {
    kHack,    // as xscreensaver's hacks: "--name" or "-name"; a value as the next word
              // or after "="
    kStrict,  // "--name value" as written, a one-letter name with one dash ("-o DIR");
              // an option given twice counts as given last
    kQuery,   // name=value pairs; a flag takes "" or "1" (on) and "0" (off)
};

// The names the settings go by on a front.
enum class SettingNames {
    kNone,
    kSaver,  // the X11 saver's ("--completion-delay S", "--extra-memory", "--no-mono")
    kCycle,  // scintle-render cycle's ("--min N", "--colours MASK"): the record's numbers
    kBoth,   // the page's query: both, the cycle's where a value is given
};

enum class ValueKind : uint8_t {
    kFlag,      // no value
    kNumber,    // a whole number from low to high; hexadecimal after 0x where `hex`
    kSize,      // WIDTHxHEIGHT
    kGeometry,  // a size, and the +X+Y that xscreensaver may put after it (not used)
    kReal,      // a finite number above 0
    kText,      // any word
};

struct OptionValue {
    int64_t number = 0;  // kNumber; a flag's 1 or 0
    int32_t width = 0;   // kSize, kGeometry
    int32_t height = 0;
    double real = 0.0;   // kReal
    std::string text;    // as given
};

// One of a front's own options. `apply` puts the value into the front's record
// (`target`); false, with a reason, for a value the front cannot use (a family that
// does not exist, say).
struct FrontOption {
    const char* name;       // without dashes
    ValueKind kind;
    const char* valueName;  // in the help ("ID", "WxH"); nullptr for a flag
    std::string help;       // "" leaves it out of the help
    bool (*apply)(void* target, const OptionValue& value, std::string* error);
    int64_t low = 0;
    int64_t high = 0;
    bool hex = false;
    bool required = false;
};

struct OptionTable {
    const char* command;  // for "cycle needs --seed"; nullptr where nothing is required
    const std::vector<FrontOption>& own;
    SettingNames settings;
};

// Reads a command line (kHack or kStrict) into the front's record and `settings`.
// False, with a one-line reason naming the option and what it allows.
bool ParseOptionWords(const std::vector<std::string>& words, OptionStyle style,
                      const OptionTable& table, void* target, SaverSettingsRecord* settings,
                      std::string* error);

// Applies one pair of a query; false with a reason, leaving the rest as it was.
bool ApplyOptionPair(const std::string& name, const std::string& value,
                     const OptionTable& table, void* target, SaverSettingsRecord* settings,
                     std::string* error);

// After the last option: the iteration bounds checked where `checkBounds`, and every
// empty mask given its defaults, as the settings loader does.
bool FinishSettings(SaverSettingsRecord* settings, OptionStyle style, bool checkBounds,
                    std::string* error);

// One value for an option, read as the option reads it; `source` names it in the
// reason ("XSCREENSAVER_WINDOW").
bool ReadOptionValue(const FrontOption& option, const std::string& source,
                     const std::string& text, OptionValue* value, std::string* error);

// A number's text as the layer reads it, without a range (a scheme's bit, say).
bool ReadWholeNumber(const std::string& text, bool hex, bool negative, int64_t* value);

// The refusal of a number outside what an option allows.
std::string NumberRefusal(const std::string& option, const std::string& text, int64_t low,
                          int64_t high, bool hex);

// Help: a line of the option and its description, padded to the description's column
// (the description's further lines start there too); the front's own options of a
// table that have help; the X11 saver's settings options, masks and all.
std::string OptionHelpLine(const std::string& option, const std::string& description);
std::string FrontOptionHelp(const std::vector<FrontOption>& options);
std::string SaverSettingsHelp();

// A synopsis of a kStrict table's options, one item each ("--family NAME",
// "[--size WxH]"), the settings' options after the front's option `settingsAfter`
// (or at the end).
std::vector<std::string> OptionSynopsis(const OptionTable& table,
                                        const char* settingsAfter = nullptr);

}  // namespace scintle
