// A stand-in "PASSWORD.CPL" for the end-to-end tests: VerifyScreenSavePwd shows no
// prompt, counts the call and answers what the test stored (test_components.h), or
// faults when told to, as a broken component would.
#include <windows.h>

#include "test_components.h"

namespace {

DWORD ReadNumber(HKEY key, const char* name) {
    DWORD value = 0, size = sizeof value;
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    return value;
}

void WriteNumber(HKEY key, const char* name, DWORD value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND hwnd) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SCINTLE_TEST_KEY, 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD answer = ReadNumber(key, "PromptAnswer");
    WriteNumber(key, "PromptCount", ReadNumber(key, "PromptCount") + 1);
    WriteNumber(key, "PromptWindow", static_cast<DWORD>(reinterpret_cast<UINT_PTR>(hwnd)));
    RegCloseKey(key);
    if (answer == kPromptFaults) *static_cast<volatile int*>(nullptr) = 1;
    return answer != 0;
}
