// The dialog operations on Win32: each is the USER32 call of the same name.
#include <windows.h>

#include "platform/win32/win32_bindings.h"

namespace scintle {

namespace {

HWND Hwnd(DialogHandle dialog) { return reinterpret_cast<HWND>(dialog); }

class DialogBinding final : public DialogPlatform {
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

DialogBinding dialogBinding;

}  // namespace

DialogPlatform* Win32Dialog() { return &dialogBinding; }

}  // namespace scintle
