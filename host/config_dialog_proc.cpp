#include "host/config_dialog_proc.h"

#include "platform/platform_values.h"
#include "settings/config_dialog.h"

namespace scintle {

intptr_t ConfigDialogProc(DialogHandle dialog, uint32_t message, uintptr_t wParam, intptr_t) {
    switch (message) {
        case kWmInitDialog:
            ResetConfigDialog();
            return InitDialog(dialog);
        case kWmCommand:
            if (!configDialog.started) return 0;
            return HandleCommand(dialog, static_cast<int>(wParam & 0xFFFF));  // LOWORD
    }
    return 0;
}

}  // namespace scintle
