// The system's pseudo-random generator, with one state per thread, 1 until seeded.
//
//     state = state * 214013 + 2531011 (mod 2^32);  result = (state >> 16) & 0x7FFF
//
// Every random choice of the saver comes from here, never from the C library, so a
// seed gives the same pictures on every platform. The distributions the engine
// relies on (bailouts, flips, pixel order) assume exactly this range, 0 to 32767.
#pragma once

#include <cstdint>

namespace scintle {

inline constexpr uint32_t kRandMultiplier = 214013u;
inline constexpr uint32_t kRandIncrement = 2531011u;
inline constexpr int kRandMax = 0x7FFF;

extern thread_local uint32_t randomState;

inline void srand(uint32_t seed) { randomState = seed; }

inline int rand() {
    randomState = randomState * kRandMultiplier + kRandIncrement;
    return static_cast<int>((randomState >> 16) & kRandMax);
}

}  // namespace scintle
