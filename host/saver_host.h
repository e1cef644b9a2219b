// The saver window's run: its module, its window and mode, the pointer's reference
// position, and the input method it detached. One record per process, on the window
// thread only.
#pragma once

#include <cstdint>

#include "platform/host_platform.h"

namespace scintle {

struct SaverHostState {
    ModuleHandle hostInstance = nullptr;  // owner of the class, the icon, the window, the dialog
    WindowHandle saverWindow = nullptr;
    int32_t previewMode = 0;              // set before the window exists when a parent is given
    Point savedCursorPos = {0, 0};        // reference of the mouse-movement test
    ModuleHandle imeModule = nullptr;
    ImmAssociateContextFn associateContextFn = nullptr;
    InputContext savedInputContext = nullptr;
};

extern SaverHostState saverHost;

}  // namespace scintle
