#include "settings/settings_store.h"

#include "platform/platform_values.h"
#include "platform/registry_platform.h"
#include "settings/saver_settings.h"

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

template <typename Field>
void ReadField(RegistryKey key, const char* name, Field* field) {
    uint32_t number = 0;
    if (ReadValue(key, name, &number)) *field = static_cast<Field>(number);
}

// One load step: open the key, read one value, close. False when the key did not open.
template <typename Field>
bool LoadField(const char* name, Field* field) {
    RegistryKey key = nullptr;
    if (!OpenSettingsKey(&key)) return false;
    ReadField(key, name, field);
    registryPlatform->RegCloseKey(key);
    return true;
}

}  // namespace

void LoadSettings() {
    SaverSettingsRecord& s = SaverSettings;
    LoadField("ExtraMemory", &s.ExtraMemory);

    uint32_t delaySeconds = 0;
    RegistryKey key = nullptr;
    if (OpenSettingsKey(&key)) {
        if (ReadValue(key, "CompletionDelay", &delaySeconds))
            s.CompletionDelay = DelaySecondsToMilliseconds(delaySeconds);
        registryPlatform->RegCloseKey(key);
    }

    // The masks' replacement of 0 runs whenever the key opened, read or not.
    if (LoadField("BlankingMethod", &s.BlankingMethod))
        s.BlankingMethod = ReplaceEmptyBlankingMethod(s.BlankingMethod);
    if (LoadField("ColourScheme", &s.ColourScheme))
        s.ColourScheme = ReplaceEmptyColourScheme(s.ColourScheme);
    if (LoadField("CurveType", &s.CurveType)) s.CurveType = ReplaceEmptyCurveType(s.CurveType);
    LoadField("MinIterations", &s.MinIterations);

    if (OpenSettingsKey(&key)) {
        ReadField(key, "MaxIterations", &s.MaxIterations);
        ReadField(key, "ExcludeCurves", &s.ExcludeCurves);
        registryPlatform->RegCloseKey(key);
    }
    LoadAllMonitors();
}

void LoadAllMonitors() { LoadField("AllMonitors", &SaverSettings.AllMonitors); }

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
