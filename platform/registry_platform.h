// The registry operations of the settings store and of the password switch, named
// and shaped as in Win32. The saver binds them to ADVAPI32; tests to an in-memory fake.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace scintle {

class RegistryPlatform {
public:
    virtual int32_t RegOpenKeyA(RegistryKey root, const char* path, RegistryKey* result) = 0;
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

// The binding in force (platform_bindings.cpp); set before anything reads the registry.
extern RegistryPlatform* registryPlatform;

}  // namespace scintle
