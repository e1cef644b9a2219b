// The configuration dialog's logic, apart from the platform: filling the controls from
// the loaded settings, the commands (OK, Cancel, Select All, Select None) and the two
// entry checks. Its controls and what they show are the settings table's
// (setting_table.h). It talks to the dialog only through dialog_platform.h; the dialog
// procedure (host/config_dialog_proc.h) hands it WM_INITDIALOG and WM_COMMAND.
//
// OK writes all nine settings to the registry store, in a fixed order, and ends the
// dialog with 1; Cancel ends it with 0 and writes nothing. The loaded SaverSettings
// record is never changed by the dialog.
#pragma once

#include <cstdint>

#include "platform/dialog_platform.h"
#include "platform/platform_values.h"

namespace scintle {

inline constexpr uint32_t kDelayAfterWrongEntry = 1;  // what the delay field becomes

inline constexpr char kInconsistentEntryCaption[] = "Inconsistent entry";
inline constexpr char kInconsistentEntryText[] =
    "The minimum value cannot exceed the maximum value";
inline constexpr char kInvalidEntryCaption[] = "Invalid entry";  // its text: FormatRangeMessage

// The iteration bounds the dialog accepts: a minimum above the maximum is refused with
// kInconsistentEntryText, where 0 stands for "no bound" on either side.
constexpr bool IterationBoundsAreConsistent(uint32_t minimum, uint32_t maximum) {
    return minimum == 0 || maximum == 0 || minimum <= maximum;
}

// The dialog keeps its values in its controls; this is only what the checks need.
struct ConfigDialogState {
    bool started;  // from WM_INITDIALOG on: only then do commands come from the controls
    // While the delay message is up, the field loses the focus and reports it; that
    // report must not raise a second message.
    bool delayMessageShowing;
};

extern ConfigDialogState configDialog;

void ResetConfigDialog();

// WM_INITDIALOG: loads the settings and shows them. True: the platform focuses "OK".
bool InitDialog(DialogHandle dialog);

// WM_COMMAND from the control with this id; the notification code does not matter.
// The result is what the dialog procedure returns.
bool HandleCommand(DialogHandle dialog, int controlId);

}  // namespace scintle
