// The Win32 side of the configuration dialog: the dialog procedure and the binding of
// the dialog operations to USER32. All the dialog's decisions are made in
// settings/config_dialog.cpp; this file only passes messages in and calls out.
#include <windows.h>

#include "host/config_dialog_proc.h"
#include "settings/config_dialog.h"
#include "settings/dialog_platform.h"

namespace scintle {

namespace {

HWND Hwnd(DialogHandle dialog) { return reinterpret_cast<HWND>(dialog); }
DialogHandle Dialog(HWND hwnd) { return reinterpret_cast<DialogHandle>(hwnd); }

class Win32Dialog final : public DialogPlatform {
public:
    bool CheckDlgButton(DialogHandle dialog, int id, uint32_t check) override {
        return ::CheckDlgButton(Hwnd(dialog), id, check) != FALSE;
    }
    uint32_t IsDlgButtonChecked(DialogHandle dialog, int id) override {
        return ::IsDlgButtonChecked(Hwnd(dialog), id);
    }
    bool CheckRadioButton(DialogHandle dialog, int firstId, int lastId, int checkId) override {
        return ::CheckRadioButton(Hwnd(dialog), firstId, lastId, checkId) != FALSE;
    }
    bool SetDlgItemInt(DialogHandle dialog, int id, uint32_t value, bool isSigned) override {
        return ::SetDlgItemInt(Hwnd(dialog), id, value, isSigned) != FALSE;
    }
    uint32_t GetDlgItemInt(DialogHandle dialog, int id, bool* translated, bool isSigned) override {
        BOOL ok = FALSE;
        const UINT value = ::GetDlgItemInt(Hwnd(dialog), id, translated ? &ok : nullptr, isSigned);
        if (translated) *translated = ok != FALSE;
        return value;
    }
    int MessageBoxA(DialogHandle owner, const char* text, const char* caption,
                    uint32_t type) override {
        return ::MessageBoxA(Hwnd(owner), text, caption, type);
    }
    bool EndDialog(DialogHandle dialog, intptr_t result) override {
        return ::EndDialog(Hwnd(dialog), result) != FALSE;
    }
};

Win32Dialog win32Dialog;

}  // namespace

INT_PTR CALLBACK ConfigDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        dialogPlatform = &win32Dialog;
        ResetConfigDialog();
        return InitDialog(Dialog(hwnd));
    case WM_COMMAND:
        // Commands can only come from the controls once the dialog has started.
        if (dialogPlatform == nullptr) return FALSE;
        return HandleCommand(Dialog(hwnd), LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace scintle
