#include "settings/config_dialog.h"

#include "resources/config_dialog_ids.h"
#include "settings/saver_settings.h"
#include "settings/setting_table.h"
#include "settings/settings_store.h"

namespace scintle {

ConfigDialogState configDialog = {};

namespace {

// What "Select All" and "Select None" touch, in their order: the colour boxes, then
// the blanking methods, then the families, each group by control id. Extra memory, the
// number fields and the radio pair are left alone.
constexpr const char* kSelectableMasks[] = {"ColourScheme", "BlankingMethod", "CurveType"};

bool IsChecked(DialogHandle dialog, int id) {
    return dialogPlatform->IsDlgButtonChecked(dialog, id) == kBstChecked;
}

uint32_t ReadNumber(DialogHandle dialog, int id) {
    return dialogPlatform->GetDlgItemInt(dialog, id, nullptr, false);
}

void ShowNumber(DialogHandle dialog, int id, uint32_t value) {
    dialogPlatform->SetDlgItemInt(dialog, id, value, false);
}

void Show(DialogHandle dialog, const SettingInfo& setting, uint32_t value) {
    switch (setting.kind) {
        case SettingKind::kSwitch:
            if (setting.offControl) {
                dialogPlatform->CheckRadioButton(dialog, setting.control, setting.offControl,
                                                 value ? setting.control : setting.offControl);
            } else {
                // Any nonzero value is "on" to the saver, so it shows as a plain check (a
                // box given 2 would show the third state, and OK would then store 0).
                dialogPlatform->CheckDlgButton(dialog, setting.control,
                                               value ? kBstChecked : kBstUnchecked);
            }
            break;
        case SettingKind::kSeconds:
        case SettingKind::kCount:
            ShowNumber(dialog, setting.control, value);
            break;
        case SettingKind::kMask:
            for (int32_t bit = 0; bit < setting.bitCount; ++bit)
                dialogPlatform->CheckDlgButton(dialog, setting.bits[bit].control,
                                               (value >> bit) & 1u ? kBstChecked : kBstUnchecked);
            break;
    }
}

uint32_t Read(DialogHandle dialog, const SettingInfo& setting) {
    switch (setting.kind) {
        case SettingKind::kSwitch:
            // A radio pair is "on" unless its "off" button is chosen.
            if (setting.offControl) return IsChecked(dialog, setting.offControl) ? 0 : 1;
            return IsChecked(dialog, setting.control) ? 1 : 0;
        case SettingKind::kSeconds:
        case SettingKind::kCount:
            return ReadNumber(dialog, setting.control);
        case SettingKind::kMask: {
            uint32_t mask = 0;
            for (int32_t bit = 0; bit < setting.bitCount; ++bit)
                if (IsChecked(dialog, setting.bits[bit].control)) mask |= 1u << bit;
            return mask;
        }
    }
    return 0;
}

void SetBoxes(DialogHandle dialog, uint32_t check) {
    for (const char* name : kSelectableMasks) {
        const SettingInfo& mask = SettingNamed(name);
        // The mask's boxes by id: a plain selection, as the bits are few.
        int previous = 0;
        for (int32_t done = 0; done < mask.bitCount; ++done) {
            int next = 0;
            for (int32_t bit = 0; bit < mask.bitCount; ++bit) {
                const int id = mask.bits[bit].control;
                if (id > previous && (next == 0 || id < next)) next = id;
            }
            dialogPlatform->CheckDlgButton(dialog, next, check);
            previous = next;
        }
    }
}

bool CheckIterationBounds(DialogHandle dialog) {
    const uint32_t minimum = ReadNumber(dialog, SettingNamed("MinIterations").control);
    const uint32_t maximum = ReadNumber(dialog, SettingNamed("MaxIterations").control);
    if (IterationBoundsAreConsistent(minimum, maximum)) return true;
    dialogPlatform->MessageBoxA(dialog, kInconsistentEntryText, kInconsistentEntryCaption,
                                kMbIconError);
    return false;
}

// Runs on every notification of the delay field, including the ones caused by the
// program's own writes to it.
void CheckDelayField(DialogHandle dialog) {
    const SettingInfo& delay = SettingNamed("CompletionDelay");
    if (configDialog.delayMessageShowing) return;
    if (ReadNumber(dialog, delay.control) <= delay.high) return;
    char text[80];
    FormatRangeMessage(delay, text, sizeof text);
    configDialog.delayMessageShowing = true;
    dialogPlatform->MessageBoxA(dialog, text, kInvalidEntryCaption, kMbIconError);
    configDialog.delayMessageShowing = false;
    ShowNumber(dialog, delay.control, kDelayAfterWrongEntry);
}

}  // namespace

void ResetConfigDialog() { configDialog = {}; }

bool InitDialog(DialogHandle dialog) {
    configDialog.started = true;
    LoadSettings();
    for (const SettingInfo& setting : kSettingTable)
        Show(dialog, setting, StoredValue(SaverSettings, setting));
    return true;
}

bool HandleCommand(DialogHandle dialog, int controlId) {
    switch (controlId) {
    case kIdOk:
        if (!CheckIterationBounds(dialog)) return false;
        for (const SettingInfo& setting : kSettingTable)
            StoreSetting(setting.name, Read(dialog, setting));
        dialogPlatform->EndDialog(dialog, 1);
        return true;
    case kIdCancel:
        dialogPlatform->EndDialog(dialog, 0);
        return true;
    case IDC_SELECT_ALL:
        SetBoxes(dialog, kBstChecked);
        return false;
    case IDC_SELECT_NONE:
        SetBoxes(dialog, kBstUnchecked);
        return false;
    case IDC_COMPLETION_DELAY:
        CheckDelayField(dialog);
        return false;
    default:
        return false;
    }
}

}  // namespace scintle
