#include "fractal/kernel_choice.h"

#include <cstring>

#include "fractal/lane_job.h"

#if SCINTLE_WIDE_LANES
#include <cpuid.h>
#endif

namespace scintle {

KernelChoiceState kernelChoice;

namespace {

struct CpuFeatures {
    bool avx2 = false;
    bool avx512 = false;
};

#if SCINTLE_WIDE_LANES
// The register state the operating system saves on a thread switch (XCR0).
uint64_t SavedRegisterState() {
    uint32_t low, high;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (static_cast<uint64_t>(high) << 32) | low;
}

CpuFeatures DetectCpu() {
    CpuFeatures features;
    unsigned eax, ebx, ecx, edx;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return features;
    const bool osxsave = (ecx & bit_OSXSAVE) != 0;
    const bool avx = (ecx & bit_AVX) != 0;
    if (!osxsave || !avx || __get_cpuid_max(0, nullptr) < 7) return features;
    const uint64_t saved = SavedRegisterState();
    const bool ymmSaved = (saved & 0x06) == 0x06;  // SSE and AVX state
    const bool zmmSaved = (saved & 0xE6) == 0xE6;  // and the opmask and ZMM state
    __cpuid_count(7, 0, eax, ebx, ecx, edx);
    features.avx2 = ymmSaved && (ebx & bit_AVX2) != 0;
    features.avx512 = zmmSaved && (ebx & bit_AVX512F) != 0;
    return features;
}
#else
// Off x86 there is no processor to ask: the build's kernels are all there is.
CpuFeatures DetectCpu() { return CpuFeatures{}; }
#endif

const CpuFeatures& Cpu() {
    static const CpuFeatures features = DetectCpu();
    return features;
}

constexpr struct {
    KernelKind kind;
    const char* name;
} kKernelNames[] = {{KernelKind::kScalar, "scalar"},
                    {KernelKind::kSse2, "sse2"},
                    {KernelKind::kAvx2, "avx2"},
                    {KernelKind::kAvx512, "avx512"},
                    {KernelKind::kAuto, "auto"}};

}  // namespace

bool KernelSupported(KernelKind kind) {
    switch (kind) {
        case KernelKind::kSse2: return SCINTLE_SSE2_LANES != 0;
        case KernelKind::kAvx2: return Cpu().avx2;
        case KernelKind::kAvx512: return Cpu().avx512;
        default: return true;
    }
}

bool SelectKernel(KernelKind kind) {
    if (!KernelSupported(kind)) return false;
    kernelChoice.requested = kind;
    return true;
}

KernelKind ActiveKernel() {
    if (kernelChoice.requested != KernelKind::kAuto) return kernelChoice.requested;
    if (Cpu().avx512) return KernelKind::kAvx512;
    if (Cpu().avx2) return KernelKind::kAvx2;
    return SCINTLE_SSE2_LANES ? KernelKind::kSse2 : KernelKind::kScalar;
}

const char* KernelName(KernelKind kind) {
    for (const auto& entry : kKernelNames)
        if (entry.kind == kind) return entry.name;
    return "?";
}

bool ParseKernelName(const char* text, KernelKind* kind) {
    for (const auto& entry : kKernelNames) {
        if (std::strcmp(text, entry.name) == 0) {
            *kind = entry.kind;
            return true;
        }
    }
    return false;
}

}  // namespace scintle
