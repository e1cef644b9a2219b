// dialog_preview.exe: shows the configuration dialog from template 2003 with the real
// dialog procedure and the real registry, as configuration mode does, so the dialog can
// be looked at and driven under Wine on its own. An empty command line opens it without
// an owner; a first significant letter c or C (after blanks, '-' and '/') opens it owned
// by the foreground window. Exits with the dialog's result.
#include <windows.h>

#include "host/config_dialog_proc.h"
#include "resources/config_dialog_ids.h"
#include "settings/registry_platform.h"

namespace scintle {
namespace {

HKEY Hkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

class Win32Registry final : public RegistryPlatform {
public:
    int32_t RegOpenKeyExA(RegistryKey root, const char* path, uint32_t options, uint32_t access,
                          RegistryKey* result) override {
        return ::RegOpenKeyExA(Hkey(root), path, options, access,
                               reinterpret_cast<PHKEY>(result));
    }
    int32_t RegQueryValueExA(RegistryKey key, const char* name, uint32_t* reserved,
                             uint32_t* type, uint8_t* data, uint32_t* size) override {
        return ::RegQueryValueExA(Hkey(key), name, reinterpret_cast<LPDWORD>(reserved),
                                  reinterpret_cast<LPDWORD>(type), data,
                                  reinterpret_cast<LPDWORD>(size));
    }
    int32_t RegCreateKeyExA(RegistryKey root, const char* path, uint32_t reserved,
                            char* keyClass, uint32_t options, uint32_t access, void* security,
                            RegistryKey* result, uint32_t* disposition) override {
        return ::RegCreateKeyExA(Hkey(root), path, reserved, keyClass, options, access,
                                 static_cast<LPSECURITY_ATTRIBUTES>(security),
                                 reinterpret_cast<PHKEY>(result),
                                 reinterpret_cast<LPDWORD>(disposition));
    }
    int32_t RegSetValueExA(RegistryKey key, const char* name, uint32_t reserved, uint32_t type,
                           const uint8_t* data, uint32_t size) override {
        return ::RegSetValueExA(Hkey(key), name, reserved, type, data, size);
    }
    int32_t RegCloseKey(RegistryKey key) override { return ::RegCloseKey(Hkey(key)); }
};

Win32Registry win32Registry;

bool OwnedByForegroundWindow(const char* commandLine) {
    while (*commandLine == ' ' || *commandLine == '-' || *commandLine == '/') ++commandLine;
    return *commandLine == 'c' || *commandLine == 'C';
}

}  // namespace
}  // namespace scintle

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    using namespace scintle;
    registryPlatform = &win32Registry;
    HWND owner = OwnedByForegroundWindow(commandLine) ? GetForegroundWindow() : nullptr;
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONFIG_DIALOG), owner,
                                            ConfigDialogProc, 0));
}
