#include "settings/settings_store.h"

#include "platform/platform_values.h"
#include "platform/registry_platform.h"
#include "settings/saver_settings.h"
#include "settings/setting_table.h"

namespace scintle {

namespace {

bool OpenSettingsKey(RegistryKey* key) {
    return registryPlatform->RegOpenKeyExA(kHkeyCurrentUser, kSettingsKeyPath, 0, kKeyAllAccess,
                                           key) == kErrorSuccess;
}

// Reads one value of an open key when it exists and fits into four bytes. The type
// is not looked at; shorter data leaves the missing high bytes 0.
bool ReadValue(RegistryKey key, const char* name, uint32_t* number) {
    uint8_t data[4] = {0, 0, 0, 0};
    uint32_t size = sizeof data;
    uint32_t type = 0;
    if (registryPlatform->RegQueryValueExA(key, name, nullptr, &type, data, &size) != kErrorSuccess)
        return false;
    *number = uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
              uint32_t{data[3]} << 24;
    return true;
}

// Reads one setting of an open key into SaverSettings. A mask's 0, read or left, is
// replaced by its default whenever the key opened.
void LoadValue(RegistryKey key, const SettingInfo& setting) {
    uint32_t number = 0;
    if (ReadValue(key, setting.name, &number)) SetStoredValue(&SaverSettings, setting, number);
    if (setting.kind == SettingKind::kMask)
        SetStoredValue(&SaverSettings, setting,
                       ReplaceEmptyMask(setting, StoredValue(SaverSettings, setting)));
}

}  // namespace

// One step per setting: open the key, read, close; a setting read with the previous one
// shares its step.
void LoadSettings() {
    const SettingInfo* const end = kSettingTable + kSettingCount;
    for (const SettingInfo* setting = kSettingTable; setting != end;) {
        RegistryKey key = nullptr;
        const bool opened = OpenSettingsKey(&key);
        do {
            if (opened) LoadValue(key, *setting);
            ++setting;
        } while (setting != end && setting->readWithPrevious);
        if (opened) registryPlatform->RegCloseKey(key);
    }
}

void LoadAllMonitors() {
    RegistryKey key = nullptr;
    if (!OpenSettingsKey(&key)) return;
    LoadValue(key, SettingNamed("AllMonitors"));
    registryPlatform->RegCloseKey(key);
}

void StoreSetting(const char* name, uint32_t value) {
    RegistryKey key = nullptr;
    uint32_t disposition = 0;
    if (registryPlatform->RegCreateKeyExA(kHkeyCurrentUser, kSettingsKeyPath, 0, nullptr,
                                          kRegOptionNonVolatile, kKeyAllAccess, nullptr, &key,
                                          &disposition) != kErrorSuccess)
        return;
    const uint8_t data[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                             static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    registryPlatform->RegSetValueExA(key, name, 0, kRegDword, data, sizeof data);
    registryPlatform->RegCloseKey(key);
}

}  // namespace scintle
