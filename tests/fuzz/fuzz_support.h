// What the fuzz targets share: a check that ends the run with a message (libFuzzer
// keeps the input that made it fail), input cut into words, and the registry record
// as a stored byte layout.
#pragma once

#include <sanitizer/common_interface_defs.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "tests/recording_platform.h"

namespace scintle {

// The message goes where the sanitizers' reports go, which libFuzzer keeps open when
// it closes the target's own standard streams (-close_fd_mask).
inline void Require(bool holds, const char* what) {
    if (holds) return;
    const std::string message = std::string("fuzz check failed: ") + what;
    __sanitizer_report_error_summary(message.c_str());
    std::abort();
}

// The input cut at every `separator`; the last word may be empty.
inline std::vector<std::string> Words(const uint8_t* data, size_t size, char separator) {
    std::vector<std::string> words(1);
    for (size_t i = 0; i < size; ++i) {
        if (static_cast<char>(data[i]) == separator) words.emplace_back();
        else words.back() += static_cast<char>(data[i]);
    }
    return words;
}

// The names a settings record may hold: the nine the store reads, and one it does not.
inline constexpr const char* kValueNames[] = {
    "ExtraMemory",   "CompletionDelay", "BlankingMethod", "ColourScheme", "CurveType",
    "MinIterations", "MaxIterations",   "ExcludeCurves",  "AllMonitors",  "Unread"};
inline constexpr int kValueNameCount = 10;

// Registry values from bytes: one byte whose bit 0 says whether the settings key
// exists and whose other bits count the records, then the records, each
// [name index][type][size][size bytes of data] (a short last one keeps what there
// is). Returns the bytes used.
inline size_t FillRegistry(const uint8_t* data, size_t size, FakeRegistry* registry) {
    if (size == 0) return 0;
    const bool keyExists = data[0] & 1;
    const int records = data[0] >> 1;
    size_t at = 1;
    if (keyExists) registry->keys[kSettingsKeyPath];
    for (int n = 0; n < records && at + 3 <= size; ++n) {
        const char* name = kValueNames[data[at] % kValueNameCount];
        const uint32_t type = data[at + 1];
        size_t length = data[at + 2];
        at += 3;
        if (length > size - at) length = size - at;
        if (keyExists)
            registry->keys[kSettingsKeyPath][name] = {
                type, std::vector<uint8_t>(data + at, data + at + length)};
        at += length;
    }
    return at;
}

}  // namespace scintle
