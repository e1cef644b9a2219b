// Fuzz target: the registry record as the settings store reads it. Any values, of any
// type, size and content (fuzz_support.h's layout), go into the recording registry;
// LoadSettings must read each of the nine as its first four bytes when it has at most
// four (missing high bytes 0), leave a longer one alone, never let a mask reach the
// engine as 0, and close every key it opened. What it read must store and load back.
#include <cstring>

#include "fuzz_support.h"
#include "settings/saver_settings.h"
#include "settings/settings_store.h"

namespace scintle {
namespace {

// What a value gives the record: its bytes as a little-endian number, when it exists
// and is no longer than four bytes.
bool StoredNumber(const FakeRegistry& registry, const char* name, uint32_t* number) {
    const auto key = registry.keys.find(kSettingsKeyPath);
    if (key == registry.keys.end()) return false;
    const auto value = key->second.find(name);
    if (value == key->second.end() || value->second.data.size() > 4) return false;
    uint8_t bytes[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < value->second.data.size(); ++i) bytes[i] = value->second.data[i];
    *number = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
              uint32_t{bytes[3]} << 24;
    return true;
}

SaverSettingsRecord Expected(const FakeRegistry& registry) {
    SaverSettingsRecord s = kStartSettings;
    uint32_t* const fields[] = {&s.ExtraMemory, nullptr, &s.BlankingMethod, &s.ColourScheme,
                                &s.CurveType, reinterpret_cast<uint32_t*>(&s.MinIterations),
                                reinterpret_cast<uint32_t*>(&s.MaxIterations), &s.ExcludeCurves,
                                &s.AllMonitors};
    for (int i = 0; i < 9; ++i) {
        uint32_t number = 0;
        if (!StoredNumber(registry, kValueNames[i], &number)) continue;
        if (fields[i]) *fields[i] = number;
        else s.CompletionDelay = static_cast<int32_t>(number * 1000u);
    }
    // A mask read as 0 is its default.
    if (s.BlankingMethod == 0) s.BlankingMethod = kStartSettings.BlankingMethod;
    if (s.ColourScheme == 0) s.ColourScheme = kStartSettings.ColourScheme;
    if (s.CurveType == 0) s.CurveType = kStartSettings.CurveType;
    return s;
}

bool Same(const SaverSettingsRecord& a, const SaverSettingsRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace
}  // namespace scintle

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace scintle;
    FakeRegistry registry;
    FillRegistry(data, size, &registry);
    registryPlatform = &registry;
    ResetSettings();
    LoadSettings();
    Require(registry.openKeys == 0, "every key the load opened is closed");
    const SaverSettingsRecord loaded = SaverSettings;
    Require(Same(loaded, Expected(registry)), "each value read as its first four bytes");
    Require(loaded.BlankingMethod && loaded.ColourScheme && loaded.CurveType,
            "no mask is left empty");

    // Stored again (the delay in whole seconds, as the dialog stores it), it loads the same.
    FakeRegistry again;
    registryPlatform = &again;
    const SaverSettingsRecord& s = loaded;
    StoreSetting("ExtraMemory", s.ExtraMemory);
    uint32_t seconds = 1;
    if (!StoredNumber(registry, "CompletionDelay", &seconds)) seconds = 1;
    StoreSetting("CompletionDelay", seconds);
    StoreSetting("BlankingMethod", s.BlankingMethod);
    StoreSetting("ColourScheme", s.ColourScheme);
    StoreSetting("CurveType", s.CurveType);
    StoreSetting("MinIterations", static_cast<uint32_t>(s.MinIterations));
    StoreSetting("MaxIterations", static_cast<uint32_t>(s.MaxIterations));
    StoreSetting("ExcludeCurves", s.ExcludeCurves);
    StoreSetting("AllMonitors", s.AllMonitors);
    ResetSettings();
    LoadSettings();
    Require(again.openKeys == 0, "every key the store opened is closed");
    Require(Same(SaverSettings, loaded), "what was read stores and loads back the same");
    registryPlatform = nullptr;
    return 0;
}
