// The lane kernel on AVX-512: eight pixels per register, several registers side by
// side, the live lanes in mask registers. Compiled for AVX-512F alone; called only
// when the processor has it (kernel_choice.h).
#include <immintrin.h>

#include "fractal/lane_loop.h"

namespace scintle {
namespace {

struct Avx512 {
    using V = __m512d;
    using Mask = __mmask8;
    static constexpr int kLanes = 8;

    static SCINTLE_LANE_INLINE V Load(const double* p) { return _mm512_load_pd(p); }
    static SCINTLE_LANE_INLINE void Store(double* p, V v) { _mm512_store_pd(p, v); }
    static SCINTLE_LANE_INLINE V Set(double v) { return _mm512_set1_pd(v); }
    static SCINTLE_LANE_INLINE V Add(V a, V b) { return _mm512_add_pd(a, b); }
    static SCINTLE_LANE_INLINE V Sub(V a, V b) { return _mm512_sub_pd(a, b); }
    static SCINTLE_LANE_INLINE V Mul(V a, V b) { return _mm512_mul_pd(a, b); }

    static SCINTLE_LANE_INLINE Mask LoadMask(const int64_t* p) {
        const __m512i bits = _mm512_load_si512(p);
        return _mm512_test_epi64_mask(bits, bits);
    }
    static SCINTLE_LANE_INLINE void StoreMask(int64_t* p, Mask m) {
        _mm512_store_si512(p, _mm512_maskz_mov_epi64(m, _mm512_set1_epi64(-1)));
    }
    static SCINTLE_LANE_INLINE Mask Greater(V a, V b) {
        return _mm512_cmp_pd_mask(a, b, _CMP_GT_OQ);
    }
    static SCINTLE_LANE_INLINE Mask Less(V a, V b) { return _mm512_cmp_pd_mask(a, b, _CMP_LT_OQ); }
    static SCINTLE_LANE_INLINE Mask And(Mask a, Mask b) { return static_cast<Mask>(a & b); }
    static SCINTLE_LANE_INLINE Mask AndNot(Mask a, Mask b) { return static_cast<Mask>(~a & b); }
    static SCINTLE_LANE_INLINE V Select(Mask m, V a, V b) { return _mm512_mask_mov_pd(b, m, a); }
    static SCINTLE_LANE_INLINE V CountIf(V v, Mask m, V one) {
        return _mm512_mask_add_pd(v, m, v, one);
    }
    static SCINTLE_LANE_INLINE int Bits(Mask m) { return m; }
    static SCINTLE_LANE_INLINE Mask LaneMask(int lane) { return static_cast<Mask>(1u << lane); }
    static SCINTLE_LANE_INLINE V Put(V v, Mask lane, double value) {
        return _mm512_mask_mov_pd(v, lane, _mm512_set1_pd(value));
    }
    static SCINTLE_LANE_INLINE Mask Include(Mask m, Mask lane) { return static_cast<Mask>(m | lane); }
};

}  // namespace

// The stack of a 32-bit Windows thread is only 4-byte aligned; the registers spilled
// here need 64.
__attribute__((force_align_arg_pointer)) LaneResult RunAvx512Lanes(LaneJob* job) {
    return lanes::RunLanes<Avx512, 3, 8>(job);
}

}  // namespace scintle
