// The native saver's command line: where to draw, and the settings as options with
// the configuration dialog's meanings, ranges and start values, all from the settings
// table (settings/setting_table.h), read by the option layer (settings/option_layer.h).
//
// Options follow the hacks of xscreensaver: "--name" or "-name", a value as the next
// word or after "=", and a flag for each check box of the dialog with a "--no-" form
// that clears it ("--firestorm", "--no-firestorm"), named after the box's label.
// Parsing is plain C++, so that the tests can run it without a display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/option_layer.h"
#include "settings/saver_settings.h"

namespace scintle {

enum class DrawTarget {
    kOwnWindow,    // a top-level window of the saver's own
    kRoot,         // the screen's root window (--root)
    kGivenWindow,  // a window someone else made (--window-id, XSCREENSAVER_WINDOW)
};

inline constexpr int32_t kDefaultWindowWidth = 1280;
inline constexpr int32_t kDefaultWindowHeight = 720;

struct SaverOptions {
    DrawTarget target = DrawTarget::kOwnWindow;
    uint32_t windowId = 0;  // kGivenWindow
    int32_t width = kDefaultWindowWidth;  // kOwnWindow
    int32_t height = kDefaultWindowHeight;
    std::string display;  // empty: the DISPLAY variable's
    SaverSettingsRecord settings = kStartSettings;  // as the settings loader leaves them
    bool seedGiven = false;
    uint32_t seed = 0;
    bool verbose = false;  // one line on stderr for each completed picture
    bool help = false;
};

// Reads the arguments after the program's name. `environmentWindow` is the value of
// XSCREENSAVER_WINDOW, or nullptr: the window xscreensaver hands its hacks, used unless
// --window-id names another. False with a one-line reason (naming the option and what
// it allows) for an unknown option or a value out of its range.
bool ParseSaverOptions(const std::vector<std::string>& arguments, const char* environmentWindow,
                       SaverOptions* options, std::string* error);

// What --help prints: every option, with its range and start value.
std::string SaverUsage();

// The saver's own options, beside the settings': where to draw, the seed, and so on.
const std::vector<FrontOption>& SaverOwnOptions();

}  // namespace scintle
