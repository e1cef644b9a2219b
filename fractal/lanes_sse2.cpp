// The lane kernel on SSE2: two pixels per register, four registers side by side.
// SSE2 is the baseline of every build, so this kernel runs on any processor.
#include <emmintrin.h>

#include "fractal/lane_loop.h"

namespace scintle {
namespace {

struct Sse2 {
    using V = __m128d;
    using Mask = __m128d;
    static constexpr int kLanes = 2;

    static SCINTLE_LANE_INLINE V Load(const double* p) { return _mm_load_pd(p); }
    static SCINTLE_LANE_INLINE void Store(double* p, V v) { _mm_store_pd(p, v); }
    static SCINTLE_LANE_INLINE V Set(double v) { return _mm_set1_pd(v); }
    static SCINTLE_LANE_INLINE V Add(V a, V b) { return _mm_add_pd(a, b); }
    static SCINTLE_LANE_INLINE V Sub(V a, V b) { return _mm_sub_pd(a, b); }
    static SCINTLE_LANE_INLINE V Mul(V a, V b) { return _mm_mul_pd(a, b); }

    static SCINTLE_LANE_INLINE Mask LoadMask(const int64_t* p) {
        return _mm_load_pd(reinterpret_cast<const double*>(p));
    }
    static SCINTLE_LANE_INLINE void StoreMask(int64_t* p, Mask m) {
        _mm_store_pd(reinterpret_cast<double*>(p), m);
    }
    static SCINTLE_LANE_INLINE Mask Greater(V a, V b) { return _mm_cmpgt_pd(a, b); }
    static SCINTLE_LANE_INLINE Mask Less(V a, V b) { return _mm_cmplt_pd(a, b); }
    static SCINTLE_LANE_INLINE Mask And(Mask a, Mask b) { return _mm_and_pd(a, b); }
    static SCINTLE_LANE_INLINE Mask AndNot(Mask a, Mask b) { return _mm_andnot_pd(a, b); }
    static SCINTLE_LANE_INLINE V Select(Mask m, V a, V b) {
        return _mm_or_pd(_mm_and_pd(m, a), _mm_andnot_pd(m, b));
    }
    static SCINTLE_LANE_INLINE V CountIf(V v, Mask m, V one) {
        return _mm_add_pd(v, _mm_and_pd(m, one));
    }
    static SCINTLE_LANE_INLINE int Bits(Mask m) { return _mm_movemask_pd(m); }
    static SCINTLE_LANE_INLINE Mask LaneMask(int lane) {
        const __m128i bit = _mm_set_epi64x(lane == 1 ? -1 : 0, lane == 0 ? -1 : 0);
        return _mm_castsi128_pd(bit);
    }
    static SCINTLE_LANE_INLINE V Put(V v, Mask lane, double value) {
        return Select(lane, _mm_set1_pd(value), v);
    }
    static SCINTLE_LANE_INLINE Mask Include(Mask m, Mask lane) { return _mm_or_pd(m, lane); }
};

}  // namespace

// The stack of a 32-bit Windows thread is only 4-byte aligned; the registers spilled
// here need 16.
__attribute__((force_align_arg_pointer)) LaneResult RunSse2Lanes(LaneJob* job) {
    return lanes::RunLanes<Sse2, 4, 8>(job);
}

}  // namespace scintle
