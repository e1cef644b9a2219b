#include "x11_saver/saver_options.h"

namespace scintle {

namespace {

SaverOptions* Options(void* target) { return static_cast<SaverOptions*>(target); }

const std::vector<FrontOption> kWhereToDraw = {
    {"window-id", ValueKind::kNumber, "ID",
     "a window made by another program (decimal or 0x hex);\n"
     "XSCREENSAVER_WINDOW names one the same way",
     [](void* t, const OptionValue& v, std::string*) {
         Options(t)->windowId = static_cast<uint32_t>(v.number);
         return true;
     },
     1, 0xFFFFFFFF, true},
    {"root", ValueKind::kFlag, nullptr, "the root window of the screen",
     [](void* t, const OptionValue&, std::string*) {
         Options(t)->target = DrawTarget::kRoot;
         return true;
     }},
    {"geometry", ValueKind::kGeometry, "WxH",
     "the size of its own window (" + std::to_string(kDefaultWindowWidth) + "x" +
         std::to_string(kDefaultWindowHeight) + ")",
     [](void* t, const OptionValue& v, std::string*) {
         Options(t)->width = v.width;
         Options(t)->height = v.height;
         return true;
     }},
    {"display", ValueKind::kText, "NAME", "the X display (default: $DISPLAY)",
     [](void* t, const OptionValue& v, std::string*) {
         Options(t)->display = v.text;
         return true;
     }},
};

const std::vector<FrontOption> kOther = {
    {"seed", ValueKind::kNumber, "S", "seed of the random choices (default: the time)",
     [](void* t, const OptionValue& v, std::string*) {
         Options(t)->seedGiven = true;
         Options(t)->seed = static_cast<uint32_t>(v.number);
         return true;
     },
     0, 0xFFFFFFFF, true},
    {"verbose", ValueKind::kFlag, nullptr, "one line on stderr for each finished picture",
     [](void* t, const OptionValue&, std::string*) {
         Options(t)->verbose = true;
         return true;
     }},
    {"help", ValueKind::kFlag, nullptr, "this text",
     [](void* t, const OptionValue&, std::string*) {
         Options(t)->help = true;
         return true;
     }},
    {"h", ValueKind::kFlag, nullptr, "",
     [](void* t, const OptionValue&, std::string*) {
         Options(t)->help = true;
         return true;
     }},
};

}  // namespace

const std::vector<FrontOption>& SaverOwnOptions() {
    static const std::vector<FrontOption> all = [] {
        std::vector<FrontOption> options = kWhereToDraw;
        options.insert(options.end(), kOther.begin(), kOther.end());
        return options;
    }();
    return all;
}

bool ParseSaverOptions(const std::vector<std::string>& arguments, const char* environmentWindow,
                       SaverOptions* options, std::string* error) {
    const OptionTable table = {nullptr, SaverOwnOptions(), SettingNames::kSaver};
    if (!ParseOptionWords(arguments, OptionStyle::kHack, table, options, &options->settings,
                          error) ||
        !FinishSettings(&options->settings, OptionStyle::kHack, true, error))
        return false;
    // The window to draw into: --window-id, else the one xscreensaver hands over (which
    // also passes --root to older hacks), else --root or a window of our own.
    if (options->windowId == 0 && environmentWindow && *environmentWindow) {
        OptionValue value;
        if (!ReadOptionValue(kWhereToDraw[0], "XSCREENSAVER_WINDOW", environmentWindow, &value,
                             error))
            return false;
        options->windowId = static_cast<uint32_t>(value.number);
    }
    if (options->windowId != 0) options->target = DrawTarget::kGivenWindow;
    return true;
}

std::string SaverUsage() {
    return "Usage: scintle [options]\n"
           "Paints escape-time fractals pixel by pixel, in a scattered order, into a window.\n"
           "\n"
           "Where to draw (default: a window of its own):\n" +
           FrontOptionHelp(kWhereToDraw) +
           "\n"
           "Settings, as in the configuration dialog:\n" +
           SaverSettingsHelp() +
           "\n"
           "Other:\n" +
           FrontOptionHelp(kOther) +
           "\n"
           "Options may also be written with one dash, and values after '='.\n";
}

}  // namespace scintle
