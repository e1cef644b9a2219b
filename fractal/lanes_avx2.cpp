// The lane kernel on AVX2: four pixels per register, kWideGroups registers side by
// side (lane_job.h). Compiled for AVX2 alone; called only when the processor has it
// (kernel_choice.h).
#include <immintrin.h>

#include <cstdint>

#include "fractal/lane_loop.h"

namespace scintle {
namespace {

// For each set of lanes (4 bits): the 32-bit halves that move the set's lanes to the
// low end (compress), and those that give the set's lanes the low-end values (expand).
struct LanePermutes {
    alignas(32) int32_t compress[16][8];
    alignas(32) int32_t expand[16][8];
    alignas(32) int64_t mask[16][4];
};

constexpr LanePermutes MakePermutes() {
    LanePermutes p = {};
    for (int bits = 0; bits < 16; ++bits) {
        int packed = 0;
        for (int lane = 0; lane < 4; ++lane) {
            p.mask[bits][lane] = (bits >> lane & 1) ? -1 : 0;
            if ((bits >> lane & 1) == 0) continue;
            p.compress[bits][2 * packed] = 2 * lane;
            p.compress[bits][2 * packed + 1] = 2 * lane + 1;
            p.expand[bits][2 * lane] = 2 * packed;
            p.expand[bits][2 * lane + 1] = 2 * packed + 1;
            ++packed;
        }
    }
    return p;
}

constexpr LanePermutes kPermutes = MakePermutes();

struct Avx2 {
    using V = __m256d;
    using I = __m256i;
    using Mask = __m256d;
    static constexpr int kLanes = 4;

    static SCINTLE_LANE_INLINE V Load(const double* p) { return _mm256_load_pd(p); }
    static SCINTLE_LANE_INLINE V LoadU(const double* p) { return _mm256_loadu_pd(p); }
    static SCINTLE_LANE_INLINE void Store(double* p, V v) { _mm256_store_pd(p, v); }
    static SCINTLE_LANE_INLINE void StoreU(double* p, V v) { _mm256_storeu_pd(p, v); }
    static SCINTLE_LANE_INLINE V Set(double v) { return _mm256_set1_pd(v); }
    static SCINTLE_LANE_INLINE V Add(V a, V b) { return _mm256_add_pd(a, b); }
    static SCINTLE_LANE_INLINE V Sub(V a, V b) { return _mm256_sub_pd(a, b); }
    static SCINTLE_LANE_INLINE V Mul(V a, V b) { return _mm256_mul_pd(a, b); }

    static SCINTLE_LANE_INLINE I LoadI(const int64_t* p) {
        return _mm256_load_si256(reinterpret_cast<const __m256i*>(p));
    }
    static SCINTLE_LANE_INLINE void StoreI(int64_t* p, I v) {
        _mm256_store_si256(reinterpret_cast<__m256i*>(p), v);
    }
    static SCINTLE_LANE_INLINE void StoreU(int64_t* p, I v) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
    }
    static SCINTLE_LANE_INLINE I SetI(int64_t v) { return _mm256_set1_epi64x(v); }
    static SCINTLE_LANE_INLINE I Negate(I v) {
        return _mm256_sub_epi64(_mm256_setzero_si256(), v);
    }
    static SCINTLE_LANE_INLINE Mask EqualI(I a, I b) {
        return _mm256_castsi256_pd(_mm256_cmpeq_epi64(a, b));
    }
    static SCINTLE_LANE_INLINE int64_t MostWhere(Mask m, I v) {
        alignas(32) int64_t lanes[kLanes];
        StoreI(lanes, v);
        const int bits = Bits(m);
        int64_t most = INT64_MIN;
        for (int lane = 0; lane < kLanes; ++lane)
            if ((bits >> lane & 1) != 0 && lanes[lane] > most) most = lanes[lane];
        return most;
    }
    // A set lane is -1: subtracting it counts.
    static SCINTLE_LANE_INLINE I CountIf(I v, Mask m) {
        return _mm256_sub_epi64(v, _mm256_castpd_si256(m));
    }
    static SCINTLE_LANE_INLINE Mask NotAbove(Mask m, V a, V b) {
        return _mm256_andnot_pd(_mm256_cmp_pd(a, b, _CMP_GT_OQ), m);
    }

    static SCINTLE_LANE_INLINE Mask LoadMask(const int64_t* p) {
        return _mm256_load_pd(reinterpret_cast<const double*>(p));
    }
    static SCINTLE_LANE_INLINE void StoreMask(int64_t* p, Mask m) {
        _mm256_store_pd(reinterpret_cast<double*>(p), m);
    }
    static SCINTLE_LANE_INLINE Mask MaskOf(int bits) {
        return _mm256_load_pd(reinterpret_cast<const double*>(kPermutes.mask[bits]));
    }
    static SCINTLE_LANE_INLINE int Bits(Mask m) { return _mm256_movemask_pd(m); }
    static SCINTLE_LANE_INLINE Mask And(Mask a, Mask b) { return _mm256_and_pd(a, b); }
    static SCINTLE_LANE_INLINE Mask Or(Mask a, Mask b) { return _mm256_or_pd(a, b); }
    static SCINTLE_LANE_INLINE Mask AndNot(Mask a, Mask b) { return _mm256_andnot_pd(a, b); }
    static SCINTLE_LANE_INLINE V Select(Mask m, V a, V b) { return _mm256_blendv_pd(b, a, m); }
    static SCINTLE_LANE_INLINE I Select(Mask m, I a, I b) {
        return _mm256_castpd_si256(
            _mm256_blendv_pd(_mm256_castsi256_pd(b), _mm256_castsi256_pd(a), m));
    }
    static SCINTLE_LANE_INLINE I Permute(I v, const int32_t* halves) {
        const __m256i index = _mm256_load_si256(reinterpret_cast<const __m256i*>(halves));
        return _mm256_permutevar8x32_epi32(v, index);
    }
    static SCINTLE_LANE_INLINE V Permute(V v, const int32_t* halves) {
        return _mm256_castsi256_pd(Permute(_mm256_castpd_si256(v), halves));
    }
    static SCINTLE_LANE_INLINE V Compress(Mask m, V v) {
        return Permute(v, kPermutes.compress[Bits(m)]);
    }
    static SCINTLE_LANE_INLINE I Compress(Mask m, I v) {
        return Permute(v, kPermutes.compress[Bits(m)]);
    }
    static SCINTLE_LANE_INLINE V Expand(V v, Mask m, V src) {
        return _mm256_blendv_pd(v, Permute(src, kPermutes.expand[Bits(m)]), m);
    }
};

}  // namespace

// The stack of a 32-bit Windows thread is only 4-byte aligned; the registers spilled
// here need 32.
__attribute__((force_align_arg_pointer)) LaneResult RunAvx2Lanes(LaneJob* job) {
    return lanes::RunLanes<Avx2, kWideGroups, 16>(job);
}

}  // namespace scintle
