// Test doubles for the engine's platform interfaces: a render platform that records
// every call on top of a memory canvas, and a registry held in a map.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/registry_platform.h"
#include "render/memory_canvas.h"

namespace scintle {

// Records the calls of the render cycle in order ("SetPixel 3 4 0x0000ff", "Sleep 100",
// "FillRect 0 0 8 6", ...) while drawing into a canvas. Optional hooks let a test act
// at a chosen call, for example to clear runningFlag in the middle of a picture.
class RecordingCanvas : public MemoryCanvas {
public:
    RecordingCanvas(int32_t width, int32_t height) : MemoryCanvas(width, height) {}

    // Paints the whole canvas one colour without recording it.
    void Clear(Colorref colour);

    Colorref SetPixel(DeviceContext dc, int32_t x, int32_t y, Colorref colour) override;
    int32_t FillRect(DeviceContext dc, const Rect* rect, BrushHandle brush) override;
    void Sleep(uint32_t milliseconds) override;
    bool Beep(uint32_t frequency, uint32_t duration) override;

    std::vector<std::string> calls;
    bool recordPixels = true;  // off for whole pictures, where only the canvas matters
    long setPixelCount = 0;
    long sleepCount = 0;
    long fillCount = 0;
    long beepCount = 0;
    // Called after every SetPixel (Sleep, Beep) with the running count.
    void (*onSetPixel)(long count) = nullptr;
    void (*onSleep)(long count) = nullptr;
    void (*onBeep)(long count) = nullptr;
};

struct FakeRegistryValue {
    uint32_t type;
    std::vector<uint8_t> data;
};

// HKEY_CURRENT_USER as a map from key path to values. Records every call by name.
class FakeRegistry : public RegistryPlatform {
public:
    int32_t RegOpenKeyA(RegistryKey root, const char* path, RegistryKey* result) override;
    int32_t RegOpenKeyExA(RegistryKey root, const char* path, uint32_t options, uint32_t access,
                          RegistryKey* result) override;
    int32_t RegQueryValueExA(RegistryKey key, const char* name, uint32_t* reserved,
                             uint32_t* type, uint8_t* data, uint32_t* size) override;
    int32_t RegCreateKeyExA(RegistryKey root, const char* path, uint32_t reserved,
                            char* keyClass, uint32_t options, uint32_t access, void* security,
                            RegistryKey* result, uint32_t* disposition) override;
    int32_t RegSetValueExA(RegistryKey key, const char* name, uint32_t reserved, uint32_t type,
                           const uint8_t* data, uint32_t size) override;
    int32_t RegCloseKey(RegistryKey key) override;

    void SetDword(const std::string& path, const std::string& name, uint32_t value);

    std::map<std::string, std::map<std::string, FakeRegistryValue>> keys;
    std::vector<std::string> calls;
    bool denyAccess = false;   // opening with full access is refused
    bool failCreate = false;   // creating the key fails
    int openKeys = 0;          // opened and not yet closed

private:
    std::vector<std::string> handles_;  // handle n+1 is the path handles_[n]
};

}  // namespace scintle
