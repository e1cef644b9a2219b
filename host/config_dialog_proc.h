// The configuration dialog's procedure, for DialogBoxParamA with template 2003: a
// plain switch that hands WM_INITDIALOG and WM_COMMAND to the dialog's logic
// (settings/config_dialog.h), which makes every decision.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace scintle {

intptr_t ConfigDialogProc(DialogHandle dialog, uint32_t message, uintptr_t wParam,
                          intptr_t lParam);

}  // namespace scintle
