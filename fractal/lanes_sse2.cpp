// The lane kernel on SSE2: two pixels per register, four registers side by side.
// SSE2 is the baseline of every build, so this kernel runs on any processor.
#include <emmintrin.h>

#include <cstdint>

#include "fractal/lane_loop.h"

namespace scintle {
namespace {

struct Sse2 {
    using V = __m128d;
    using I = __m128i;
    using Mask = __m128d;
    static constexpr int kLanes = 2;

    static SCINTLE_LANE_INLINE V Load(const double* p) { return _mm_load_pd(p); }
    static SCINTLE_LANE_INLINE V LoadU(const double* p) { return _mm_loadu_pd(p); }
    static SCINTLE_LANE_INLINE void Store(double* p, V v) { _mm_store_pd(p, v); }
    static SCINTLE_LANE_INLINE void StoreU(double* p, V v) { _mm_storeu_pd(p, v); }
    static SCINTLE_LANE_INLINE V Set(double v) { return _mm_set1_pd(v); }
    static SCINTLE_LANE_INLINE V Add(V a, V b) { return _mm_add_pd(a, b); }
    static SCINTLE_LANE_INLINE V Sub(V a, V b) { return _mm_sub_pd(a, b); }
    static SCINTLE_LANE_INLINE V Mul(V a, V b) { return _mm_mul_pd(a, b); }

    static SCINTLE_LANE_INLINE I LoadI(const int64_t* p) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(p));
    }
    static SCINTLE_LANE_INLINE void StoreI(int64_t* p, I v) {
        _mm_store_si128(reinterpret_cast<__m128i*>(p), v);
    }
    static SCINTLE_LANE_INLINE void StoreU(int64_t* p, I v) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
    }
    static SCINTLE_LANE_INLINE I SetI(int64_t v) { return _mm_set1_epi64x(v); }
    static SCINTLE_LANE_INLINE I Negate(I v) { return _mm_sub_epi64(_mm_setzero_si128(), v); }
    static SCINTLE_LANE_INLINE Mask EqualI(I a, I b) {
        const __m128i halves = _mm_cmpeq_epi32(a, b);  // no 64-bit compare before SSE4.1
        return _mm_castsi128_pd(
            _mm_and_si128(halves, _mm_shuffle_epi32(halves, _MM_SHUFFLE(2, 3, 0, 1))));
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
        return _mm_sub_epi64(v, _mm_castpd_si128(m));
    }
    static SCINTLE_LANE_INLINE Mask NotAbove(Mask m, V a, V b) {
        return _mm_andnot_pd(_mm_cmpgt_pd(a, b), m);
    }

    static SCINTLE_LANE_INLINE Mask LoadMask(const int64_t* p) {
        return _mm_load_pd(reinterpret_cast<const double*>(p));
    }
    static SCINTLE_LANE_INLINE void StoreMask(int64_t* p, Mask m) {
        _mm_store_pd(reinterpret_cast<double*>(p), m);
    }
    static SCINTLE_LANE_INLINE Mask MaskOf(int bits) {
        return _mm_castsi128_pd(_mm_set_epi64x(bits & 2 ? -1 : 0, bits & 1 ? -1 : 0));
    }
    static SCINTLE_LANE_INLINE int Bits(Mask m) { return _mm_movemask_pd(m); }
    static SCINTLE_LANE_INLINE Mask And(Mask a, Mask b) { return _mm_and_pd(a, b); }
    static SCINTLE_LANE_INLINE Mask Or(Mask a, Mask b) { return _mm_or_pd(a, b); }
    static SCINTLE_LANE_INLINE Mask AndNot(Mask a, Mask b) { return _mm_andnot_pd(a, b); }
    static SCINTLE_LANE_INLINE V Select(Mask m, V a, V b) {
        return _mm_or_pd(_mm_and_pd(m, a), _mm_andnot_pd(m, b));
    }
    static SCINTLE_LANE_INLINE I Select(Mask m, I a, I b) {
        const __m128i bits = _mm_castpd_si128(m);
        return _mm_or_si128(_mm_and_si128(bits, a), _mm_andnot_si128(bits, b));
    }
    static SCINTLE_LANE_INLINE V Compress(Mask m, V v) {
        return Bits(m) == 2 ? _mm_unpackhi_pd(v, v) : v;
    }
    static SCINTLE_LANE_INLINE I Compress(Mask m, I v) {
        return Bits(m) == 2 ? _mm_unpackhi_epi64(v, v) : v;
    }
    static SCINTLE_LANE_INLINE V Expand(V v, Mask m, V src) {
        switch (Bits(m)) {
            case 1: return _mm_move_sd(v, src);
            case 2: return _mm_unpacklo_pd(v, src);
            case 3: return src;
            default: return v;
        }
    }
};

}  // namespace

// The stack of a 32-bit Windows thread is only 4-byte aligned; the registers spilled
// here need 16. (WebAssembly has no such stack: its SIMD build goes without.)
#if SCINTLE_WIDE_LANES
__attribute__((force_align_arg_pointer))
#endif
LaneResult RunSse2Lanes(LaneJob* job) {
    return lanes::RunLanes<Sse2, 4, 16>(job);
}

}  // namespace scintle
