// The work of the lane kernels: pixels that wait for a lane, the lanes' iterates,
// and pixels that lanes have finished.
//
// A lane kernel iterates several pixels at once, one per lane of its vector
// registers, each with exactly the operations of the one-pixel kernel in
// escape_kernels.cpp. A lane that finishes (escapes or reaches the cap) hands its
// pixel to `output` and takes the next one from `input` at once, so lanes run
// independently however different the pixels' step counts are.
//
// The painter (lane_painter.cpp) fills `input`, calls a kernel, paints `output` and
// calls again. The lanes' state stays here between calls. A kernel returns when its
// input runs out (kLanesNeedInput), when every lane is empty and `draining` says that
// no more input will come (kLanesDrained), or when it sees runningFlag at 0, which it
// reads after every few steps (kLanesStopped).
//
// This header holds plain data only: the kernels are compiled for other instruction
// sets and must share no inline code with the rest of the program.
#pragma once

#include <atomic>
#include <cstdint>

namespace scintle {

inline constexpr int32_t kMaxLanes = 32;
inline constexpr int32_t kLaneQueue = 32;
inline constexpr int32_t kEmptyLane = -1;

// A pixel and the start values of its iteration: c for Mandelbrot, z0 for the others.
struct LaneInput {
    double re;
    double im;
    int32_t x;
    int32_t y;
};

// A finished pixel: how many steps it began, and the squared modulus its last step
// tested. It escaped when that exceeds the bailout, at step `steps` - 1; otherwise
// it reached the cap.
struct LaneOutput {
    double squaredModulus;
    int32_t steps;
    int32_t x;
    int32_t y;
};

struct LaneView {
    int32_t family;
    int32_t iterationCap;  // above 0
    double bailout;
    double constA;
    double constB;
};

enum LaneResult : int32_t { kLanesNeedInput, kLanesDrained, kLanesStopped };

struct LaneJob {
    // The lanes, lane-major: vector g of an L-lane kernel holds lanes g*L to g*L+L-1.
    alignas(64) double x[kMaxLanes];
    alignas(64) double y[kMaxLanes];
    alignas(64) double xPrev[kMaxLanes];  // Phoenix only
    alignas(64) double yPrev[kMaxLanes];
    alignas(64) double cRe[kMaxLanes];  // Mandelbrot only
    alignas(64) double cIm[kMaxLanes];
    alignas(64) double steps[kMaxLanes];
    alignas(64) double squaredModulus[kMaxLanes];
    alignas(64) int64_t live[kMaxLanes];  // all bits set while the lane iterates
    int32_t laneX[kMaxLanes];             // the lane's pixel, or kEmptyLane
    int32_t laneY[kMaxLanes];

    LaneInput input[kLaneQueue];
    int32_t inputCount;
    int32_t inputNext;
    bool draining;

    LaneOutput output[kLaneQueue + kMaxLanes];
    int32_t outputCount;

    LaneView view;
    const std::atomic<int32_t>* runningFlag;
};

using LaneKernel = LaneResult (*)(LaneJob* job);

// Each returns kLanesStopped at once for a family it does not know; the painter
// passes 1, 2, 4 or 8. Call only those the processor supports (kernel_choice.h).
LaneResult RunSse2Lanes(LaneJob* job);
LaneResult RunAvx2Lanes(LaneJob* job);
LaneResult RunAvx512Lanes(LaneJob* job);

}  // namespace scintle
