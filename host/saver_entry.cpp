#include "host/saver_entry.h"

#include "host/close_gate.h"
#include "host/config_dialog_proc.h"
#include "host/run_mode.h"
#include "host/saver_host.h"
#include "host/saver_window.h"
#include "resources/config_dialog_ids.h"

namespace scintle {

namespace {

// A handle from the command line names a window only when it is nonzero and the
// platform knows it.
WindowHandle ExistingWindow(const char* handleText) {
    const uint32_t number = ParseWindowHandle(handleText);
    WindowHandle hwnd = reinterpret_cast<WindowHandle>(uintptr_t{number});
    return number != 0 && hostPlatform->IsWindow(hwnd) ? hwnd : nullptr;
}

int32_t RunPreview(const char* handleText) {
    WindowHandle parent = ExistingWindow(handleText);
    return parent ? RunSaverWindow(parent) : -1;
}

int32_t RunChangePassword(const char* handleText) {
    WindowHandle parent = ExistingWindow(handleText);
    if (!parent) parent = hostPlatform->GetForegroundWindow();
    ChangeSaverPassword(parent);
    return 0;
}

}  // namespace

intptr_t ShowConfigDialog(WindowHandle owner) {
    return hostPlatform->DialogBoxParamA(saverHost.hostInstance, IDD_CONFIG_DIALOG, owner,
                                         ConfigDialogProc, 0);
}

int32_t RunEntry(ModuleHandle instance, const char* commandLine) {
    saverHost.hostInstance = instance;
    const RunMode mode = ParseRunMode(commandLine);
    switch (mode.kind) {
        case RunModeKind::ModeConfigure: {
            WindowHandle owner = mode.ownedByForeground ? hostPlatform->GetForegroundWindow()
                                                        : nullptr;
            return static_cast<int32_t>(ShowConfigDialog(owner));
        }
        case RunModeKind::ModeFullScreen: return RunSaverWindow(nullptr);
        case RunModeKind::ModePreview: return RunPreview(mode.handleText);
        case RunModeKind::ModeChangePassword: return RunChangePassword(mode.handleText);
        case RunModeKind::ModeInvalid: break;
    }
    return -1;
}

}  // namespace scintle
