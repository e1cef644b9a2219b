#include "settings/config_dialog.h"

#include "resources/config_dialog_ids.h"
#include "settings/saver_settings.h"
#include "settings/settings_store.h"

namespace scintle {

ConfigDialogState configDialog = {};

namespace {

// Check boxes in the order of their mask's bits. Rainbow (bit 0) and Phoenix (bit 3)
// stand elsewhere in the dialog than their bits suggest.
constexpr int kBlankingBoxes[] = {IDC_SCINTLE_FADE, IDC_FAST_FADE, IDC_NO_FADE};
constexpr int kColourBoxes[] = {
    IDC_RAINBOW,
    IDC_MONO,      IDC_BOLD_1,    IDC_BOLD_2,       IDC_BOLD_3,     IDC_BOLD_4,
    IDC_BOLD_5,    IDC_BOLD_6,
    IDC_FIRESTORM, IDC_VALENTINE, IDC_STORMY_NIGHT, IDC_RED_PURPLE, IDC_GREEN_YELLOW,
    IDC_BLUE_GREEN};
constexpr int kCurveBoxes[] = {IDC_MANDELBROT, IDC_JULIA, IDC_DRAGON, IDC_PHOENIX};

// What "Select All" and "Select None" touch, in their order: the colour boxes by id,
// then the blanking methods, then the families by id. Extra memory, the number fields
// and the radio pair are left alone.
constexpr int kSelectableBoxes[] = {
    IDC_MONO,         IDC_BOLD_1,       IDC_BOLD_2,       IDC_BOLD_3,    IDC_BOLD_4,
    IDC_BOLD_5,       IDC_BOLD_6,       IDC_RAINBOW,      IDC_FIRESTORM, IDC_VALENTINE,
    IDC_STORMY_NIGHT, IDC_RED_PURPLE,   IDC_GREEN_YELLOW, IDC_BLUE_GREEN,
    IDC_SCINTLE_FADE, IDC_FAST_FADE,    IDC_NO_FADE,
    IDC_MANDELBROT,   IDC_JULIA,        IDC_PHOENIX,      IDC_DRAGON};

template <int N>
void ShowMask(DialogHandle dialog, const int (&boxes)[N], uint32_t mask) {
    for (int bit = 0; bit < N; ++bit)
        dialogPlatform->CheckDlgButton(dialog, boxes[bit],
                                       (mask >> bit) & 1u ? kBstChecked : kBstUnchecked);
}

bool IsChecked(DialogHandle dialog, int id) {
    return dialogPlatform->IsDlgButtonChecked(dialog, id) == kBstChecked;
}

template <int N>
uint32_t ReadMask(DialogHandle dialog, const int (&boxes)[N]) {
    uint32_t mask = 0;
    for (int bit = 0; bit < N; ++bit)
        if (IsChecked(dialog, boxes[bit])) mask |= 1u << bit;
    return mask;
}

uint32_t ReadNumber(DialogHandle dialog, int id) {
    return dialogPlatform->GetDlgItemInt(dialog, id, nullptr, false);
}

void ShowNumber(DialogHandle dialog, int id, uint32_t value) {
    dialogPlatform->SetDlgItemInt(dialog, id, value, false);
}

void SetBoxes(DialogHandle dialog, uint32_t check) {
    for (int id : kSelectableBoxes) dialogPlatform->CheckDlgButton(dialog, id, check);
}

// Zero stands for "no bound" on either side.
bool IterationBoundsAreConsistent(DialogHandle dialog) {
    const uint32_t minimum = ReadNumber(dialog, IDC_MIN_ITERATIONS);
    const uint32_t maximum = ReadNumber(dialog, IDC_MAX_ITERATIONS);
    if (minimum == 0 || maximum == 0 || minimum <= maximum) return true;
    dialogPlatform->MessageBoxA(dialog, kInconsistentEntryText, kInconsistentEntryCaption,
                                kMbIconError);
    return false;
}

// Runs on every notification of the delay field, including the ones caused by the
// program's own writes to it.
void CheckDelayField(DialogHandle dialog) {
    if (configDialog.delayMessageShowing) return;
    if (ReadNumber(dialog, IDC_COMPLETION_DELAY) <= kMaxDelaySeconds) return;
    configDialog.delayMessageShowing = true;
    dialogPlatform->MessageBoxA(dialog, kInvalidEntryText, kInvalidEntryCaption, kMbIconError);
    configDialog.delayMessageShowing = false;
    ShowNumber(dialog, IDC_COMPLETION_DELAY, kDelayAfterWrongEntry);
}

void StoreDialogSettings(DialogHandle dialog) {
    StoreSetting("ExtraMemory", IsChecked(dialog, IDC_EXTRA_MEMORY) ? 1 : 0);
    StoreSetting("CompletionDelay", ReadNumber(dialog, IDC_COMPLETION_DELAY));
    StoreSetting("BlankingMethod", ReadMask(dialog, kBlankingBoxes));
    StoreSetting("ColourScheme", ReadMask(dialog, kColourBoxes));
    StoreSetting("CurveType", ReadMask(dialog, kCurveBoxes));
    StoreSetting("MinIterations", ReadNumber(dialog, IDC_MIN_ITERATIONS));
    StoreSetting("MaxIterations", ReadNumber(dialog, IDC_MAX_ITERATIONS));
    StoreSetting("ExcludeCurves", IsChecked(dialog, IDC_REDUCE) ? 0 : 1);
    StoreSetting("AllMonitors", IsChecked(dialog, IDC_ALL_MONITORS) ? 1 : 0);
}

}  // namespace

void ResetConfigDialog() { configDialog = {}; }

bool InitDialog(DialogHandle dialog) {
    configDialog.started = true;
    LoadSettings();
    const SaverSettingsRecord& s = SaverSettings;
    // Any nonzero value is "on" to the saver, so it shows as a plain check (a check box
    // given 2 would show the third state, and OK would then store 0).
    dialogPlatform->CheckDlgButton(dialog, IDC_EXTRA_MEMORY,
                                   s.ExtraMemory ? kBstChecked : kBstUnchecked);
    dialogPlatform->CheckDlgButton(dialog, IDC_ALL_MONITORS,
                                   s.AllMonitors ? kBstChecked : kBstUnchecked);
    // Whole seconds, truncated toward zero; a negative result shows as its unsigned bits
    // and is then caught by the delay check.
    ShowNumber(dialog, IDC_COMPLETION_DELAY, static_cast<uint32_t>(s.CompletionDelay / 1000));
    ShowMask(dialog, kBlankingBoxes, s.BlankingMethod);
    ShowMask(dialog, kColourBoxes, s.ColourScheme);
    ShowMask(dialog, kCurveBoxes, s.CurveType);
    ShowNumber(dialog, IDC_MIN_ITERATIONS, static_cast<uint32_t>(s.MinIterations));
    ShowNumber(dialog, IDC_MAX_ITERATIONS, static_cast<uint32_t>(s.MaxIterations));
    dialogPlatform->CheckRadioButton(dialog, IDC_EXCLUDE, IDC_REDUCE,
                                     s.ExcludeCurves == 0 ? IDC_REDUCE : IDC_EXCLUDE);
    return true;
}

bool HandleCommand(DialogHandle dialog, int controlId) {
    switch (controlId) {
    case kIdOk:
        if (!IterationBoundsAreConsistent(dialog)) return false;
        StoreDialogSettings(dialog);
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
