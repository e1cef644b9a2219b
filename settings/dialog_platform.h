// The dialog operations the configuration dialog works through, named and shaped as in
// Win32 (USER32). The Windows build binds them to the real dialog; tests bind them to a
// recording fake that keeps the controls' states in memory.
#pragma once

#include <cstdint>

namespace scintle {

using DialogHandle = struct DialogHandleTag*;  // HWND of the dialog

inline constexpr int kIdOk = 1;             // IDOK: the "OK" button and the Enter key
inline constexpr int kIdCancel = 2;         // IDCANCEL: "Cancel", Escape, the close box
inline constexpr uint32_t kBstUnchecked = 0;
inline constexpr uint32_t kBstChecked = 1;
inline constexpr uint32_t kMbIconError = 0x10;

class DialogPlatform {
public:
    virtual bool CheckDlgButton(DialogHandle dialog, int id, uint32_t check) = 0;
    virtual uint32_t IsDlgButtonChecked(DialogHandle dialog, int id) = 0;
    virtual bool CheckRadioButton(DialogHandle dialog, int firstId, int lastId, int checkId) = 0;
    virtual bool SetDlgItemInt(DialogHandle dialog, int id, uint32_t value, bool isSigned) = 0;
    // translated may be null; the dialog never asks.
    virtual uint32_t GetDlgItemInt(DialogHandle dialog, int id, bool* translated,
                                   bool isSigned) = 0;
    virtual int MessageBoxA(DialogHandle owner, const char* text, const char* caption,
                            uint32_t type) = 0;
    virtual bool EndDialog(DialogHandle dialog, intptr_t result) = 0;

protected:
    ~DialogPlatform() = default;
};

// The binding in force; the dialog procedure sets it before the dialog's logic runs.
extern DialogPlatform* dialogPlatform;

}  // namespace scintle
