// Which escape-time kernel paints the pictures: the plain loop that iterates one pixel
// at a time, or one that iterates several pixels at once in the lanes of SSE2, AVX2 or
// AVX-512 registers. The saver and scintle-render both choose here.
//
// Every kernel paints the same pixels. SSE2 is part of every x86 processor the saver
// runs on, and of the browser's SIMD build; AVX2 and AVX-512 are used only when the
// processor has them and the operating system saves their registers. A build without
// a kernel (fractal/lane_job.h: the browser's plain build has no lane kernel at all)
// reports it unsupported. `auto` takes the widest one available, the one-pixel loop
// where there is none.
#pragma once

#include <cstdint>

namespace scintle {

enum class KernelKind : int32_t { kScalar, kSse2, kAvx2, kAvx512, kAuto };

struct KernelChoiceState {
    KernelKind requested = KernelKind::kAuto;
};

extern KernelChoiceState kernelChoice;

// The processor and the operating system can run this kernel (`auto` always).
bool KernelSupported(KernelKind kind);

// Makes `kind` the kernel of the coming pictures; false, changing nothing, when the
// processor lacks it.
bool SelectKernel(KernelKind kind);

// The kernel that paints: the requested one, with `auto` resolved.
KernelKind ActiveKernel();

// "scalar", "sse2", "avx2", "avx512", "auto".
const char* KernelName(KernelKind kind);
bool ParseKernelName(const char* text, KernelKind* kind);

}  // namespace scintle
