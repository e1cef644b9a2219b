// A stand-in "MPR.DLL" for the end-to-end tests: PwdChangePasswordA shows no dialog;
// it records its arguments (test_components.h).
#include <windows.h>

#include <cstdio>

#include "test_components.h"

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner,
                                                                 DWORD third, LPVOID fourth) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SCINTLE_TEST_KEY, 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 1;
    char args[160];
    std::snprintf(args, sizeof args, "%s %lu %lu %lu", provider ? provider : "(null)",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(owner)),
                  static_cast<unsigned long>(third),
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(fourth)));
    RegSetValueExA(key, "ChangeArgs", 0, REG_SZ, reinterpret_cast<const BYTE*>(args),
                   static_cast<DWORD>(lstrlenA(args) + 1));
    DWORD calls = 0, size = sizeof calls;
    RegQueryValueExA(key, "ChangeCalls", nullptr, nullptr, reinterpret_cast<BYTE*>(&calls), &size);
    ++calls;
    RegSetValueExA(key, "ChangeCalls", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&calls),
                   sizeof calls);
    RegCloseKey(key);
    return 0;
}
