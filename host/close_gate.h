// The password gate of the full-screen saver, and the password-change mode.
//
// When the user's "ScreenSaveUsePassword" switch is on and the platform's password
// component ("PASSWORD.CPL", entry "VerifyScreenSavePwd") can be loaded, a close
// request of the saver window is let through only when the prompt accepts. While the
// component is loaded the platform's screen-saver-running state is on.
//
// After a prompt closes, further close requests are refused without a prompt for
// verifyHoldoffMs: input that was queued while the prompt was up must not raise it
// again at once. Everything here runs on the window thread.
#pragma once

#include <cstdint>

#include "platform/host_platform.h"

namespace scintle {

inline constexpr uint32_t verifyHoldoffMs = 200;
inline constexpr uint32_t kNoPromptYet = 0xFFFFFFFF;
inline constexpr char kDesktopKeyPath[] = "Control Panel\\Desktop";

struct CloseGateState {
    ModuleHandle passwordModule = nullptr;
    VerifyScreenSavePwdFn verifyPasswordFn = nullptr;  // present while a password is in force
    int32_t closeAllowed = 0;        // once nonzero the window closes; never cleared
    int32_t verifyingPassword = 0;   // 1 while the prompt is up
    uint32_t lastVerifyTick = kNoPromptYet;  // when the last prompt closed
};

extern CloseGateState closeGate;

void LoadPasswordVerifier();
void UnloadPasswordVerifier();
// Decides a close request of the full-screen window: nonzero lets it close.
int32_t ConfirmClose(WindowHandle hwnd);
void ChangeSaverPassword(WindowHandle parent);
void SetScreenSaverRunning(uint32_t on);

}  // namespace scintle
