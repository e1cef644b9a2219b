#include "host/close_gate.h"

#include "platform/platform_values.h"
#include "platform/registry_platform.h"

namespace scintle {

CloseGateState closeGate;

namespace {

// The switch's data, of any type and at most 4 bytes, as a little-endian number;
// bytes it does not have count as 0.
bool PasswordSwitchOn(RegistryKey key) {
    uint8_t data[4] = {0, 0, 0, 0};
    uint32_t size = sizeof data;
    if (registryPlatform->RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr, data,
                                           &size) != kErrorSuccess)
        return false;
    return (data[0] | data[1] | data[2] | data[3]) != 0;
}

}  // namespace

void SetScreenSaverRunning(uint32_t on) {
    uint32_t previous = 0;
    hostPlatform->SystemParametersInfoA(kSpiScreenSaverRunning, on, &previous, 0);
}

void LoadPasswordVerifier() {
    CloseGateState& g = closeGate;
    if (g.passwordModule) UnloadPasswordVerifier();
    RegistryKey key = nullptr;
    if (registryPlatform->RegOpenKeyA(kHkeyCurrentUser, kDesktopKeyPath, &key) != kErrorSuccess)
        return;
    if (PasswordSwitchOn(key)) {
        g.passwordModule = hostPlatform->LoadLibraryA("PASSWORD.CPL");
        if (g.passwordModule) {
            g.verifyPasswordFn = reinterpret_cast<VerifyScreenSavePwdFn>(
                hostPlatform->GetProcAddress(g.passwordModule, "VerifyScreenSavePwd"));
            if (g.verifyPasswordFn) SetScreenSaverRunning(1);
            else UnloadPasswordVerifier();
        }
    }
    registryPlatform->RegCloseKey(key);
}

void UnloadPasswordVerifier() {
    CloseGateState& g = closeGate;
    if (!g.passwordModule) return;
    hostPlatform->FreeLibrary(g.passwordModule);
    g.passwordModule = nullptr;
    if (g.verifyPasswordFn) {
        g.verifyPasswordFn = nullptr;
        SetScreenSaverRunning(0);
    }
}

int32_t ConfirmClose(WindowHandle hwnd) {
    CloseGateState& g = closeGate;
    if (g.verifyingPassword) return 0;  // the prompt is up already
    if (!g.verifyPasswordFn) {
        g.closeAllowed = 1;
        return 1;
    }
    const uint32_t now = hostPlatform->GetTickCount();
    // Unsigned difference: a wrap of the tick count in between does no harm.
    if (g.lastVerifyTick != kNoPromptYet && now - g.lastVerifyTick < verifyHoldoffMs) return 0;

    g.verifyingPassword = 1;
    // Timer messages queued before the prompt would only wake the frozen window. Two
    // calls: one removal may leave a second timer message (ours or another timer's) behind.
    Message dropped;
    hostPlatform->PeekMessageA(&dropped, hwnd, kWmTimer, kWmTimer, kPmRemove | kPmNoYield);
    hostPlatform->PeekMessageA(&dropped, hwnd, kWmTimer, kWmTimer, kPmRemove | kPmNoYield);
    g.closeAllowed = static_cast<int32_t>(hostPlatform->SendMessageA(hwnd, kWmApp, 0, 0));
    g.verifyingPassword = 0;
    if (!g.closeAllowed) hostPlatform->SetCursor(nullptr);
    g.lastVerifyTick = hostPlatform->GetTickCount();
    return g.closeAllowed;
}

void ChangeSaverPassword(WindowHandle parent) {
    ModuleHandle mpr = hostPlatform->LoadLibraryA("MPR.DLL");
    if (!mpr) return;
    auto change = reinterpret_cast<PwdChangePasswordAFn>(
        hostPlatform->GetProcAddress(mpr, "PwdChangePasswordA"));
    if (change) change("SCRSAVE", parent, 0, nullptr);
    hostPlatform->FreeLibrary(mpr);
}

}  // namespace scintle
