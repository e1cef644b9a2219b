// The work of the lane kernels: pixels that wait for a lane, the lanes' iterates,
// and pixels that lanes have finished.
//
// A lane kernel iterates several pixels at once, one per lane of its vector
// registers, each with exactly the operations of the one-pixel kernel in
// escape_kernels.cpp. Lanes that finish (escape or reach the cap) hand their pixels
// to the output and take the next ones from the input, so lanes run independently
// however different the pixels' step counts are.
//
// The painter (lane_painter.cpp) fills the input, calls a kernel, paints the output
// and calls again; the lanes' state stays here in between. A kernel returns when its
// input runs out (kLanesNeedInput), when every lane is empty and `draining` says no
// more input will come (kLanesDrained), or when it sees runningFlag at 0, which it
// reads every few steps (kLanesStopped).
//
// This header holds plain data and constants only: the kernels are compiled for other
// instruction sets and must share no inline code with the rest of the program.
#pragma once

#include <atomic>
#include <cstdint>

namespace scintle {

inline constexpr int32_t kMaxLanes = 32;
inline constexpr int32_t kLaneQueue = 32;
// Room past the end of the queues: kernels read and write whole vectors there.
inline constexpr int32_t kLaneSlack = 8;

// A pixel as the lanes carry it: y * 65536 + x, exact in a double.
inline constexpr double kLaneRowStride = 65536.0;

enum LaneResult : int32_t { kLanesNeedInput, kLanesDrained, kLanesStopped };

struct LaneView {
    int32_t family;        // a FractalFamily; anything else is the fallback family
    int32_t iterationCap;  // above 0
    double bailout;
    double constA;
    double constB;
    // The factor 2 of the iterations' doubled products, given at run time: as a
    // constant the compiler would turn z * 2 into z + z, which is the same number but
    // takes the adder that the step needs more than its multiplier.
    double two;
};

struct LaneJob {
    // The lanes, lane-major: vector g of an L-lane kernel holds lanes g*L to g*L+L-1.
    alignas(64) double x[kMaxLanes];
    alignas(64) double y[kMaxLanes];
    alignas(64) double xPrev[kMaxLanes];  // the previous iterate, for maps that keep it
    alignas(64) double yPrev[kMaxLanes];
    alignas(64) double cRe[kMaxLanes];  // c, for maps whose pixel is c
    alignas(64) double cIm[kMaxLanes];
    alignas(64) int64_t steps[kMaxLanes];  // steps begun on the lane's pixel
    alignas(64) double pixel[kMaxLanes];
    alignas(64) int64_t live[kMaxLanes];      // all bits set while the lane iterates
    alignas(64) int64_t occupied[kMaxLanes];  // all bits set while the lane has a pixel
    int32_t stepsToCap;  // no live lane reaches the cap sooner (a lower bound)

    // Pixels waiting for a lane, with the plane values where they enter their family's
    // map (family_maps.h: c or z0).
    alignas(64) double inputRe[kLaneQueue + kLaneSlack];
    alignas(64) double inputIm[kLaneQueue + kLaneSlack];
    alignas(64) double inputPixel[kLaneQueue + kLaneSlack];
    int32_t inputCount;
    int32_t inputNext;
    bool draining;

    // Finished pixels: the steps begun, negated when the pixel escaped (at step
    // -steps - 1); for the others, the squared modulus that the last step tested.
    alignas(64) int64_t outputSteps[kLaneQueue + kMaxLanes + kLaneSlack];
    alignas(64) double outputModulus[kLaneQueue + kMaxLanes + kLaneSlack];
    alignas(64) double outputPixel[kLaneQueue + kMaxLanes + kLaneSlack];
    int32_t outputCount;

    LaneView view;
    const std::atomic<int32_t>* runningFlag;
};

// The kernels read runningFlag as the plain 32-bit integer inside the atomic.
static_assert(sizeof(std::atomic<int32_t>) == sizeof(int32_t) &&
                  std::atomic<int32_t>::is_always_lock_free,
              "runningFlag must be a bare 32-bit integer");

// How many vectors of lanes the AVX2 and AVX-512 kernels iterate side by side. Four
// where x86-64 gives them 16 or 32 vector registers: on views where nothing escapes
// they step 13% (AVX-512) and 20% (AVX2) faster than with three, and whole pictures
// take as long. Three on 32-bit x86, which has eight registers.
#if defined(__x86_64__)
inline constexpr int kWideGroups = 4;
#else
inline constexpr int kWideGroups = 3;
#endif

using LaneKernel = LaneResult (*)(LaneJob* job);

// Which lane kernels a build has: SSE2 wherever the compiler targets it (every x86
// build, and the browser's SIMD build through WebAssembly's 128-bit vectors), AVX2
// and AVX-512 on x86 alone. A build declares only those it has, so nothing can call
// a kernel that is not there.
#if defined(__SSE2__)
#define SCINTLE_SSE2_LANES 1
#else
#define SCINTLE_SSE2_LANES 0
#endif
#if defined(__x86_64__) || defined(__i386__)
#define SCINTLE_WIDE_LANES 1
#else
#define SCINTLE_WIDE_LANES 0
#endif

// Call only those the processor supports (kernel_choice.h).
#if SCINTLE_SSE2_LANES
LaneResult RunSse2Lanes(LaneJob* job);
#endif
#if SCINTLE_WIDE_LANES
LaneResult RunAvx2Lanes(LaneJob* job);
LaneResult RunAvx512Lanes(LaneJob* job);
#endif

}  // namespace scintle
