// The registry operations the settings store rests on, named and shaped as in Win32.
// The Windows build binds them to ADVAPI32; tests bind them to an in-memory fake.
#pragma once

#include <cstdint>

namespace scintle {

using RegistryKey = struct RegistryKeyTag*;  // HKEY

inline const RegistryKey kHkeyCurrentUser = reinterpret_cast<RegistryKey>(uintptr_t{0x80000001});
inline constexpr uint32_t kKeyAllAccess = 0xF003F;
inline constexpr uint32_t kRegOptionNonVolatile = 0;
inline constexpr uint32_t kRegDword = 4;
inline constexpr int32_t kErrorSuccess = 0;

class RegistryPlatform {
public:
    virtual int32_t RegOpenKeyExA(RegistryKey root, const char* path, uint32_t options,
                                  uint32_t access, RegistryKey* result) = 0;
    virtual int32_t RegQueryValueExA(RegistryKey key, const char* name, uint32_t* reserved,
                                     uint32_t* type, uint8_t* data, uint32_t* size) = 0;
    virtual int32_t RegCreateKeyExA(RegistryKey root, const char* path, uint32_t reserved,
                                    char* keyClass, uint32_t options, uint32_t access,
                                    void* security, RegistryKey* result,
                                    uint32_t* disposition) = 0;
    virtual int32_t RegSetValueExA(RegistryKey key, const char* name, uint32_t reserved,
                                   uint32_t type, const uint8_t* data, uint32_t size) = 0;
    virtual int32_t RegCloseKey(RegistryKey key) = 0;

protected:
    ~RegistryPlatform() = default;
};

// The binding in force; the host sets it before anything loads or stores settings.
extern RegistryPlatform* registryPlatform;

}  // namespace scintle
