// Fuzz target: the configuration dialog's edit fields as the dialog reads them. The
// input is a stored record (fuzz_support.h's layout), then the user's actions, one
// byte each with what follows it: 0 types up to 15 characters into the delay, minimum
// or maximum field, 1 clicks a check box or radio button, 2 to 5 press OK, Cancel,
// Select All and Select None, 6 sends a command from any control id. As on Win32,
// every change of a field's text is reported to the dialog, and while a message box is
// up the delay field loses the focus and reports it too.
//
// OK may store only what the dialog allows: a delay of at most 300 seconds, a minimum
// no greater than the maximum (unless either is 0, no bound), masks of the boxes'
// bits; and all nine values. Cancel stores nothing. Every key opened is closed.
#include <algorithm>

#include "fuzz_support.h"
#include "settings/config_dialog.h"
#include "settings/saver_settings.h"
#include "settings/setting_masks.h"
#include "settings/setting_table.h"
#include "settings/settings_store.h"
#include "resources/config_dialog_ids.h"
#include "tests/recording_dialog.h"

namespace scintle {
namespace {

constexpr int kFields[] = {IDC_COMPLETION_DELAY, IDC_MIN_ITERATIONS, IDC_MAX_ITERATIONS};
constexpr int kBoxes[] = {
    IDC_EXTRA_MEMORY, IDC_ALL_MONITORS, IDC_SCINTLE_FADE, IDC_FAST_FADE,    IDC_NO_FADE,
    IDC_MONO,         IDC_BOLD_1,       IDC_BOLD_2,       IDC_BOLD_3,       IDC_BOLD_4,
    IDC_BOLD_5,       IDC_BOLD_6,       IDC_RAINBOW,      IDC_FIRESTORM,    IDC_VALENTINE,
    IDC_STORMY_NIGHT, IDC_RED_PURPLE,   IDC_GREEN_YELLOW, IDC_BLUE_GREEN,   IDC_MANDELBROT,
    IDC_JULIA,        IDC_PHOENIX,      IDC_DRAGON,       IDC_EXCLUDE,      IDC_REDUCE};
constexpr int kCommands[] = {kIdOk, kIdCancel, IDC_SELECT_ALL, IDC_SELECT_NONE};

std::string DelayMessage() {
    char text[128];
    FormatRangeMessage(SettingNamed("CompletionDelay"), text, sizeof text);
    return text;
}

uint32_t Stored(FakeRegistry& registry, const char* name) {
    const std::vector<uint8_t>& d = registry.keys[kSettingsKeyPath][name].data;
    Require(d.size() == 4, "every value stored as four bytes");
    return uint32_t{d[0]} | uint32_t{d[1]} << 8 | uint32_t{d[2]} << 16 | uint32_t{d[3]} << 24;
}

void CheckStored(FakeRegistry& registry) {
    Require(registry.keys[kSettingsKeyPath].size() >= 9, "all nine values stored");
    Require(Stored(registry, "CompletionDelay") <= SettingNamed("CompletionDelay").high, "a delay of at most 300 s");
    const uint32_t minimum = Stored(registry, "MinIterations");
    const uint32_t maximum = Stored(registry, "MaxIterations");
    Require(minimum == 0 || maximum == 0 || minimum <= maximum, "minimum within the maximum");
    Require(Stored(registry, "BlankingMethod") <= kAllBlankingMethods &&
                Stored(registry, "ColourScheme") <= kAllColourSchemes &&
                Stored(registry, "CurveType") <= kAllCurveTypes,
            "masks of the boxes' bits");
    for (const char* flag : {"ExtraMemory", "ExcludeCurves", "AllMonitors"})
        Require(Stored(registry, flag) <= 1, "check boxes store 0 or 1");
}

}  // namespace
}  // namespace scintle

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace scintle;
    FakeRegistry registry;
    size_t at = FillRegistry(data, size, &registry);
    const auto key = registry.keys.find(kSettingsKeyPath);
    const size_t valuesBefore = key == registry.keys.end() ? 0 : key->second.size();
    registryPlatform = &registry;
    FakeDialog dialog;
    dialogPlatform = &dialog;
    ResetSettings();
    ResetConfigDialog();
    dialog.whileMessageBoxShows = [&dialog] {
        HandleCommand(dialog.handle, IDC_COMPLETION_DELAY);  // the field's focus is lost
    };
    InitDialog(dialog.handle);
    while (at < size && !dialog.ended) {
        const uint8_t op = data[at++] % 7;
        const uint8_t argument = at < size ? data[at++] : 0;
        if (op == 0) {
            const size_t length = std::min<size_t>(argument >> 4, size - at);
            dialog.Type(kFields[argument % 3],
                        std::string(reinterpret_cast<const char*>(data + at), length));
            at += length;
        } else if (op == 1) {
            dialog.Click(kBoxes[argument % (sizeof kBoxes / sizeof kBoxes[0])]);
        } else if (op < 6) {
            HandleCommand(dialog.handle, kCommands[op - 2]);
        } else {
            HandleCommand(dialog.handle, 1000 + argument);
        }
    }
    for (const RecordedMessageBox& box : dialog.messageBoxes)
        Require(box.text == DelayMessage() || box.text == kInconsistentEntryText,
                "only the two messages");
    Require(registry.openKeys == 0, "every key opened is closed");
    if (dialog.ended && dialog.endResult == 1) CheckStored(registry);
    else Require(registry.calls.end() == std::find(registry.calls.begin(), registry.calls.end(),
                                                   "RegSetValueExA ExtraMemory") &&
                     (registry.keys.count(kSettingsKeyPath) == 0 ||
                      registry.keys[kSettingsKeyPath].size() == valuesBefore),
                 "nothing stored without OK");
    dialogPlatform = nullptr;
    registryPlatform = nullptr;
    return 0;
}
