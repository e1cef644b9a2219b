#include "recording_platform.h"

#include <cstdio>

#include "platform/platform_values.h"

namespace scintle {

Colorref RecordingCanvas::SetPixel(DeviceContext dc, int32_t x, int32_t y, Colorref colour) {
    if (recordPixels) {
        char line[64];
        std::snprintf(line, sizeof line, "SetPixel %d %d 0x%06x", x, y, colour);
        calls.push_back(line);
    }
    MemoryCanvas::SetPixel(dc, x, y, colour);
    ++setPixelCount;
    if (onSetPixel) onSetPixel(setPixelCount);
    return colour;
}

void RecordingCanvas::Clear(Colorref colour) {
    const Rect all = {0, 0, width(), height()};
    MemoryCanvas::FillRect(dc(), &all, CreateSolidBrush(colour));
}

int32_t RecordingCanvas::FillRect(DeviceContext dc, const Rect* rect, BrushHandle brush) {
    char line[64];
    std::snprintf(line, sizeof line, "FillRect %d %d %d %d", rect->left, rect->top, rect->right,
                  rect->bottom);
    calls.push_back(line);
    ++fillCount;
    return MemoryCanvas::FillRect(dc, rect, brush);
}

void RecordingCanvas::Sleep(uint32_t milliseconds) {
    calls.push_back("Sleep " + std::to_string(milliseconds));
    ++sleepCount;
    if (onSleep) onSleep(sleepCount);
}

bool RecordingCanvas::Beep(uint32_t frequency, uint32_t duration) {
    calls.push_back("Beep " + std::to_string(frequency) + " " + std::to_string(duration));
    ++beepCount;
    if (onBeep) onBeep(beepCount);
    return true;
}

namespace {
RegistryKey Handle(size_t index) { return reinterpret_cast<RegistryKey>(index + 1); }
}  // namespace

int32_t FakeRegistry::RegOpenKeyA(RegistryKey root, const char* path, RegistryKey* result) {
    calls.push_back(std::string("RegOpenKeyA ") + path);
    if (root != kHkeyCurrentUser) return 87;
    if (!keys.count(path)) return 2;
    handles_.push_back(path);
    *result = Handle(handles_.size() - 1);
    ++openKeys;
    return kErrorSuccess;
}

int32_t FakeRegistry::RegOpenKeyExA(RegistryKey root, const char* path, uint32_t options,
                                    uint32_t access, RegistryKey* result) {
    calls.push_back(std::string("RegOpenKeyExA ") + path);
    if (root != kHkeyCurrentUser || options != 0 || access != kKeyAllAccess) return 87;
    if (denyAccess) return 5;
    if (!keys.count(path)) return 2;
    handles_.push_back(path);
    *result = Handle(handles_.size() - 1);
    ++openKeys;
    return kErrorSuccess;
}

int32_t FakeRegistry::RegQueryValueExA(RegistryKey key, const char* name, uint32_t*,
                                       uint32_t* type, uint8_t* data, uint32_t* size) {
    calls.push_back(std::string("RegQueryValueExA ") + name);
    const auto& values = keys[handles_[reinterpret_cast<size_t>(key) - 1]];
    const auto found = values.find(name);
    if (found == values.end()) return 2;
    const FakeRegistryValue& value = found->second;
    if (type) *type = value.type;
    if (value.data.size() > *size) {
        *size = static_cast<uint32_t>(value.data.size());
        return 234;  // ERROR_MORE_DATA
    }
    for (size_t i = 0; i < value.data.size(); ++i) data[i] = value.data[i];
    *size = static_cast<uint32_t>(value.data.size());
    return kErrorSuccess;
}

int32_t FakeRegistry::RegCreateKeyExA(RegistryKey root, const char* path, uint32_t, char*,
                                      uint32_t options, uint32_t access, void*,
                                      RegistryKey* result, uint32_t*) {
    calls.push_back(std::string("RegCreateKeyExA ") + path);
    if (root != kHkeyCurrentUser || options != kRegOptionNonVolatile || access != kKeyAllAccess)
        return 87;
    if (failCreate) return 5;
    keys[path];
    handles_.push_back(path);
    *result = Handle(handles_.size() - 1);
    ++openKeys;
    return kErrorSuccess;
}

int32_t FakeRegistry::RegSetValueExA(RegistryKey key, const char* name, uint32_t, uint32_t type,
                                     const uint8_t* data, uint32_t size) {
    calls.push_back(std::string("RegSetValueExA ") + name);
    keys[handles_[reinterpret_cast<size_t>(key) - 1]][name] = {type,
                                                               std::vector<uint8_t>(data, data + size)};
    return kErrorSuccess;
}

int32_t FakeRegistry::RegCloseKey(RegistryKey) {
    calls.push_back("RegCloseKey");
    --openKeys;
    return kErrorSuccess;
}

void FakeRegistry::SetDword(const std::string& path, const std::string& name, uint32_t value) {
    keys[path][name] = {kRegDword,
                        {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                         static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)}};
}

}  // namespace scintle
