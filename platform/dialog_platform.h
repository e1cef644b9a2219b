// The dialog operations the configuration dialog works through, named and shaped as in
// Win32 (USER32). The saver binds them to the real dialog; tests to a recording fake
// that keeps the controls' states in memory.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace scintle {

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

// The binding in force (platform_bindings.cpp); set before a dialog starts.
extern DialogPlatform* dialogPlatform;

}  // namespace scintle
