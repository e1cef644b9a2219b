// The lane kernel on AVX2: four pixels per register, several registers side by side.
// Compiled for AVX2 alone; called only when the processor has it (kernel_choice.h).
#include <immintrin.h>

#include "fractal/lane_loop.h"

namespace scintle {
namespace {

alignas(32) const int64_t kLaneBits[4][4] = {
    {-1, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, -1, 0}, {0, 0, 0, -1}};

struct Avx2 {
    using V = __m256d;
    using Mask = __m256d;
    static constexpr int kLanes = 4;

    static SCINTLE_LANE_INLINE V Load(const double* p) { return _mm256_load_pd(p); }
    static SCINTLE_LANE_INLINE void Store(double* p, V v) { _mm256_store_pd(p, v); }
    static SCINTLE_LANE_INLINE V Set(double v) { return _mm256_set1_pd(v); }
    static SCINTLE_LANE_INLINE V Add(V a, V b) { return _mm256_add_pd(a, b); }
    static SCINTLE_LANE_INLINE V Sub(V a, V b) { return _mm256_sub_pd(a, b); }
    static SCINTLE_LANE_INLINE V Mul(V a, V b) { return _mm256_mul_pd(a, b); }

    static SCINTLE_LANE_INLINE Mask LoadMask(const int64_t* p) {
        return _mm256_load_pd(reinterpret_cast<const double*>(p));
    }
    static SCINTLE_LANE_INLINE void StoreMask(int64_t* p, Mask m) {
        _mm256_store_pd(reinterpret_cast<double*>(p), m);
    }
    static SCINTLE_LANE_INLINE Mask Greater(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
    static SCINTLE_LANE_INLINE Mask Less(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
    static SCINTLE_LANE_INLINE Mask And(Mask a, Mask b) { return _mm256_and_pd(a, b); }
    static SCINTLE_LANE_INLINE Mask AndNot(Mask a, Mask b) { return _mm256_andnot_pd(a, b); }
    static SCINTLE_LANE_INLINE V Select(Mask m, V a, V b) { return _mm256_blendv_pd(b, a, m); }
    static SCINTLE_LANE_INLINE V CountIf(V v, Mask m, V one) {
        return _mm256_add_pd(v, _mm256_and_pd(m, one));
    }
    static SCINTLE_LANE_INLINE int Bits(Mask m) { return _mm256_movemask_pd(m); }
    static SCINTLE_LANE_INLINE Mask LaneMask(int lane) {
        return _mm256_load_pd(reinterpret_cast<const double*>(kLaneBits[lane]));
    }
    static SCINTLE_LANE_INLINE V Put(V v, Mask lane, double value) {
        return _mm256_blendv_pd(v, _mm256_set1_pd(value), lane);
    }
    static SCINTLE_LANE_INLINE Mask Include(Mask m, Mask lane) { return _mm256_or_pd(m, lane); }
};

}  // namespace

// The stack of a 32-bit Windows thread is only 4-byte aligned; the registers spilled
// here need 32.
__attribute__((force_align_arg_pointer)) LaneResult RunAvx2Lanes(LaneJob* job) {
    return lanes::RunLanes<Avx2, 3, 8>(job);
}

}  // namespace scintle
