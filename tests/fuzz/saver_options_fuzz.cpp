// Fuzz target: the X11 saver's command line and XSCREENSAVER_WINDOW. The input is
// words separated by newlines; a word "XSCREENSAVER_WINDOW=..." gives the variable's
// value instead of an argument. Accepted options must leave every setting inside the
// range the dialog allows, no mask empty and a window to draw into; refused ones must
// say why.
#include "fuzz_support.h"
#include "settings/option_layer.h"
#include "settings/setting_masks.h"
#include "x11_saver/saver_options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace scintle;
    static const std::string kVariable = "XSCREENSAVER_WINDOW=";
    std::vector<std::string> arguments;
    std::string variable;
    bool variableSet = false;
    for (const std::string& word : Words(data, size, '\n')) {
        if (word.compare(0, kVariable.size(), kVariable) == 0) {
            variable = word.substr(kVariable.size());
            variableSet = true;
        } else {
            arguments.push_back(word);
        }
    }
    SaverOptions options;
    std::string error;
    if (!ParseSaverOptions(arguments, variableSet ? variable.c_str() : nullptr, &options,
                           &error)) {
        Require(!error.empty(), "a refusal says why");
        return 0;
    }
    const SaverSettingsRecord& s = options.settings;
    Require(s.CompletionDelay >= 0 && s.CompletionDelay <= 300000 && s.CompletionDelay % 1000 == 0,
            "the delay is whole seconds from 0 to 300");
    Require(s.BlankingMethod != 0 && s.ColourScheme != 0 && s.CurveType != 0,
            "no mask is empty");
    Require((s.BlankingMethod & ~kAllBlankingMethods) == 0 &&
                (s.ColourScheme & ~kAllColourSchemes) == 0 && (s.CurveType & ~kAllCurveTypes) == 0,
            "masks hold only bits that have a check box");
    Require(s.MinIterations >= 0 && s.MaxIterations >= 0, "iteration bounds are not negative");
    Require(s.MinIterations == 0 || s.MaxIterations == 0 || s.MinIterations <= s.MaxIterations,
            "the minimum does not exceed the maximum");
    Require(s.ExtraMemory <= 1 && s.ExcludeCurves <= 1, "the flags are 0 or 1");
    Require(options.width >= 1 && options.width <= kMaxSide && options.height >= 1 &&
                options.height <= kMaxSide && int64_t{options.width} * options.height <= kMaxPixels,
            "the window's size is within the one size limit");
    Require((options.target == DrawTarget::kGivenWindow) == (options.windowId != 0),
            "a given window has an id, and only a given window");
    if (options.help) Require(!SaverUsage().empty(), "there is a usage text");
    return 0;
}
