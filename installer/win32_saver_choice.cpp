// saver_choice.dll: the MSI packages' custom actions on the user's choice of screen
// saver, the value the display settings write (HKEY_CURRENT_USER\Control Panel\Desktop,
// SCRNSAVE.EXE, the saver's full path). Both run deferred and impersonated, so
// HKEY_CURRENT_USER is the installing user's; each reads its CustomActionData.
//
//   SelectSaver    data: the saver's full path. Makes it the user's screen saver.
//   ReleaseSaver   data: the package's saver paths, separated by ';'. When the user's
//                  screen saver is one of them (in any letter case), removes the value,
//                  as choosing "(None)" does, so that it never names a deleted file.
//                  Any other choice belongs to the user and stays.
//
// A registry call that fails makes the action fail, so that msiexec rolls the whole
// installation or removal back and says so, rather than report a success.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

namespace {

const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
const wchar_t kSaverValue[] = L"SCRNSAVE.EXE";

// A line in msiexec's log (/l*v).
void Log(MSIHANDLE install, const std::wstring& text) {
    MSIHANDLE record = MsiCreateRecord(1);
    MsiRecordSetStringW(record, 0, text.c_str());
    MsiProcessMessage(install, INSTALLMESSAGE_INFO, record);
    MsiCloseHandle(record);
}

std::wstring CustomActionData(MSIHANDLE install) {
    wchar_t empty[1] = L"";
    DWORD length = 0;
    if (MsiGetPropertyW(install, L"CustomActionData", empty, &length) != ERROR_MORE_DATA)
        return std::wstring();
    std::wstring data(length + 1, L'\0');
    length = static_cast<DWORD>(data.size());
    if (MsiGetPropertyW(install, L"CustomActionData", &data[0], &length) != ERROR_SUCCESS)
        return std::wstring();
    data.resize(length);
    return data;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return !a.empty() &&
           CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The user's screen saver as a path: empty when none is chosen or the value is not a
// string. A REG_EXPAND_SZ value is expanded, as the platform reads it.
LONG ReadChoice(HKEY desktop, std::wstring* path) {
    path->clear();
    DWORD type = 0, size = 0;
    LONG status = RegQueryValueExW(desktop, kSaverValue, nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_SUCCESS;
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    status = RegQueryValueExW(desktop, kSaverValue, nullptr, &type,
                              reinterpret_cast<BYTE*>(&value[0]), &size);
    if (status != ERROR_SUCCESS) return status;
    value.resize(wcsnlen(value.c_str(), size / sizeof(wchar_t)));
    if (type == REG_EXPAND_SZ) {
        const DWORD length = ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
        if (length == 0) return static_cast<LONG>(GetLastError());
        std::wstring expanded(length, L'\0');
        if (ExpandEnvironmentStringsW(value.c_str(), &expanded[0], length) == 0)
            return static_cast<LONG>(GetLastError());
        value = expanded.c_str();
    }
    *path = value;
    return ERROR_SUCCESS;
}

bool NamesOneOf(const std::wstring& choice, const std::wstring& paths) {
    size_t start = 0;
    while (start <= paths.size()) {
        size_t end = paths.find(L';', start);
        if (end == std::wstring::npos) end = paths.size();
        if (SamePath(choice, paths.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}

UINT Failed(MSIHANDLE install, const std::wstring& what, LONG status) {
    Log(install, what + L" (error " + std::to_wstring(status) + L")");
    return ERROR_INSTALL_FAILURE;
}

}  // namespace

extern "C" __declspec(dllexport) UINT WINAPI SelectSaver(MSIHANDLE install) {
    const std::wstring path = CustomActionData(install);
    if (path.empty()) return Failed(install, L"SelectSaver: no saver path given", 0);
    HKEY desktop;
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &desktop, nullptr);
    if (status != ERROR_SUCCESS)
        return Failed(install, L"SelectSaver: cannot open HKCU\\Control Panel\\Desktop", status);
    status = RegSetValueExW(desktop, kSaverValue, 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(path.c_str()),
                            static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(desktop);
    if (status != ERROR_SUCCESS)
        return Failed(install, L"SelectSaver: cannot write SCRNSAVE.EXE", status);
    Log(install, L"SelectSaver: the user's screen saver is now " + path);
    return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT WINAPI ReleaseSaver(MSIHANDLE install) {
    const std::wstring paths = CustomActionData(install);
    HKEY desktop;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0,
                                KEY_QUERY_VALUE | KEY_SET_VALUE, &desktop);
    if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS)
        return Failed(install, L"ReleaseSaver: cannot open HKCU\\Control Panel\\Desktop", status);
    std::wstring choice;
    status = ReadChoice(desktop, &choice);
    if (status == ERROR_SUCCESS && NamesOneOf(choice, paths)) {
        status = RegDeleteValueW(desktop, kSaverValue);
        if (status == ERROR_SUCCESS) Log(install, L"ReleaseSaver: removed the choice of " + choice);
    } else if (status == ERROR_SUCCESS) {
        Log(install, L"ReleaseSaver: the user's screen saver '" + choice + L"' stays");
    }
    RegCloseKey(desktop);
    if (status != ERROR_SUCCESS)
        return Failed(install, L"ReleaseSaver: cannot read or remove SCRNSAVE.EXE", status);
    return ERROR_SUCCESS;
}
