// The registry on Win32: the ADVAPI32 operations as they are.
#include <windows.h>

#include "platform/win32/win32_bindings.h"

namespace scintle {

namespace {

HKEY Key(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

class RegistryBinding final : public RegistryPlatform {
public:
    int32_t RegOpenKeyA(RegistryKey root, const char* path, RegistryKey* result) override {
        return ::RegOpenKeyA(Key(root), path, reinterpret_cast<HKEY*>(result));
    }
    int32_t RegOpenKeyExA(RegistryKey root, const char* path, uint32_t options, uint32_t access,
                          RegistryKey* result) override {
        return ::RegOpenKeyExA(Key(root), path, options, access, reinterpret_cast<HKEY*>(result));
    }
    int32_t RegQueryValueExA(RegistryKey key, const char* name, uint32_t* reserved,
                             uint32_t* type, uint8_t* data, uint32_t* size) override {
        return ::RegQueryValueExA(Key(key), name, reinterpret_cast<DWORD*>(reserved),
                                  reinterpret_cast<DWORD*>(type), data,
                                  reinterpret_cast<DWORD*>(size));
    }
    int32_t RegCreateKeyExA(RegistryKey root, const char* path, uint32_t reserved,
                            char* keyClass, uint32_t options, uint32_t access, void* security,
                            RegistryKey* result, uint32_t* disposition) override {
        return ::RegCreateKeyExA(Key(root), path, reserved, keyClass, options, access,
                                 static_cast<SECURITY_ATTRIBUTES*>(security),
                                 reinterpret_cast<HKEY*>(result),
                                 reinterpret_cast<DWORD*>(disposition));
    }
    int32_t RegSetValueExA(RegistryKey key, const char* name, uint32_t reserved, uint32_t type,
                           const uint8_t* data, uint32_t size) override {
        return ::RegSetValueExA(Key(key), name, reserved, type, data, size);
    }
    int32_t RegCloseKey(RegistryKey key) override { return ::RegCloseKey(Key(key)); }
};

RegistryBinding registryBinding;

}  // namespace

RegistryPlatform* Win32Registry() { return &registryBinding; }

}  // namespace scintle
