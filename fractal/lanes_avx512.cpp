// The lane kernel on AVX-512: eight pixels per register, kWideGroups registers side
// by side (lane_job.h), the lane sets in mask registers. Compiled for AVX-512F alone;
// called only when the processor has it (kernel_choice.h).
#include <immintrin.h>

#include <cstdint>

#include "fractal/lane_loop.h"

namespace scintle {
namespace {

struct Avx512 {
    using V = __m512d;
    using I = __m512i;
    using Mask = __mmask8;
    static constexpr int kLanes = 8;

    static SCINTLE_LANE_INLINE V Load(const double* p) { return _mm512_load_pd(p); }
    static SCINTLE_LANE_INLINE V LoadU(const double* p) { return _mm512_loadu_pd(p); }
    static SCINTLE_LANE_INLINE void Store(double* p, V v) { _mm512_store_pd(p, v); }
    static SCINTLE_LANE_INLINE void StoreU(double* p, V v) { _mm512_storeu_pd(p, v); }
    static SCINTLE_LANE_INLINE V Set(double v) { return _mm512_set1_pd(v); }
    static SCINTLE_LANE_INLINE V Add(V a, V b) { return _mm512_add_pd(a, b); }
    static SCINTLE_LANE_INLINE V Sub(V a, V b) { return _mm512_sub_pd(a, b); }
    static SCINTLE_LANE_INLINE V Mul(V a, V b) { return _mm512_mul_pd(a, b); }

    static SCINTLE_LANE_INLINE I LoadI(const int64_t* p) { return _mm512_load_si512(p); }
    static SCINTLE_LANE_INLINE void StoreI(int64_t* p, I v) { _mm512_store_si512(p, v); }
    static SCINTLE_LANE_INLINE void StoreU(int64_t* p, I v) { _mm512_storeu_si512(p, v); }
    static SCINTLE_LANE_INLINE I SetI(int64_t v) { return _mm512_set1_epi64(v); }
    static SCINTLE_LANE_INLINE I Negate(I v) {
        return _mm512_sub_epi64(_mm512_setzero_si512(), v);
    }
    static SCINTLE_LANE_INLINE Mask EqualI(I a, I b) { return _mm512_cmpeq_epi64_mask(a, b); }
    // Halving by shuffles, then the low lane through memory, as a 32-bit build has no
    // 64-bit move. (Masked forms with every lane selected throughout: the plain ones
    // start from an undefined register, which GCC 12 warns about.)
    static SCINTLE_LANE_INLINE int64_t MostWhere(Mask m, I v) {
        __m512i most = _mm512_mask_mov_epi64(_mm512_set1_epi64(INT64_MIN), m, v);
        auto larger = [](__m512i a, __m512i b) { return _mm512_mask_max_epi64(a, 0xFF, a, b); };
        constexpr int kHalves = _MM_SHUFFLE(1, 0, 3, 2), kQuarters = _MM_SHUFFLE(2, 3, 0, 1);
        most = larger(most, _mm512_mask_shuffle_i64x2(most, 0xFF, most, most, kHalves));
        most = larger(most, _mm512_mask_shuffle_i64x2(most, 0xFF, most, most, kQuarters));
        most = larger(most, _mm512_mask_shuffle_epi32(most, 0xFFFF, most, _MM_PERM_BADC));
        alignas(64) int64_t lanes[kLanes];
        _mm512_store_si512(lanes, most);
        return lanes[0];
    }
    static SCINTLE_LANE_INLINE I CountIf(I v, Mask m) {
        return _mm512_mask_add_epi64(v, m, v, _mm512_set1_epi64(1));
    }
    // One compare, masked: the lanes of m where a > b is false (true for NaN).
    static SCINTLE_LANE_INLINE Mask NotAbove(Mask m, V a, V b) {
        return _mm512_mask_cmp_pd_mask(m, a, b, _CMP_NGT_UQ);
    }

    static SCINTLE_LANE_INLINE Mask LoadMask(const int64_t* p) {
        const __m512i bits = _mm512_load_si512(p);
        return _mm512_test_epi64_mask(bits, bits);
    }
    static SCINTLE_LANE_INLINE void StoreMask(int64_t* p, Mask m) {
        _mm512_store_si512(p, _mm512_maskz_mov_epi64(m, _mm512_set1_epi64(-1)));
    }
    static SCINTLE_LANE_INLINE Mask MaskOf(int bits) { return static_cast<Mask>(bits); }
    static SCINTLE_LANE_INLINE int Bits(Mask m) { return m; }
    static SCINTLE_LANE_INLINE Mask And(Mask a, Mask b) { return static_cast<Mask>(a & b); }
    static SCINTLE_LANE_INLINE Mask Or(Mask a, Mask b) { return static_cast<Mask>(a | b); }
    static SCINTLE_LANE_INLINE Mask AndNot(Mask a, Mask b) { return static_cast<Mask>(~a & b); }
    static SCINTLE_LANE_INLINE V Select(Mask m, V a, V b) { return _mm512_mask_mov_pd(b, m, a); }
    static SCINTLE_LANE_INLINE I Select(Mask m, I a, I b) { return _mm512_mask_mov_epi64(b, m, a); }
    static SCINTLE_LANE_INLINE V Compress(Mask m, V v) { return _mm512_maskz_compress_pd(m, v); }
    static SCINTLE_LANE_INLINE I Compress(Mask m, I v) { return _mm512_maskz_compress_epi64(m, v); }
    static SCINTLE_LANE_INLINE V Expand(V v, Mask m, V src) {
        return _mm512_mask_expand_pd(v, m, src);
    }
};

}  // namespace

// The stack of a 32-bit Windows thread is only 4-byte aligned; the registers spilled
// here need 64.
__attribute__((force_align_arg_pointer)) LaneResult RunAvx512Lanes(LaneJob* job) {
    return lanes::RunLanes<Avx512, kWideGroups, 16>(job);
}

}  // namespace scintle
