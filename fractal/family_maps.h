// The families' maps, each written once for every arithmetic: the one-pixel kernel
// instantiates them on plain doubles (scalar_kernel.h), the lane kernels on vectors of
// SSE2, AVX2 and AVX-512 lanes (lane_loop.h). So every kernel does the same operations
// in the same order and paints the same pixels.
//
// A map over an arithmetic `T` (its value `V`, lane set `Mask`, and Set, Add, Sub,
// Mul; lane_loop.h lists what the lanes need besides) has:
//   State               the iterates of one pixel, or of one vector of lanes
//   Map(two, a, b)      the view's constants (constA, constB); `two` is the factor of
//                       the doubled products, given at run time so that the compiler
//                       keeps z * 2 a multiply where the adder is the busier unit
//   kTurned             true: the pixel enters as (row, column), not (column, row)
//   Begin(s, re, im)    a pixel's start values (c or z0 as the family takes them)
//   Step(s)             one iteration; returns the squared modulus of the iterate
//                       before it, which the kernels compare with the bailout
//   Load, Store, Start  the lanes' state in the lane job, and a start for some lanes
//
// SCINTLE_FAMILY_MAPS lists every family with its map; a new family is a map here
// and a line there, with its row in the family table (family_table.cpp).
//
// Templates only: the lane kernels are compiled for other instruction sets, and every
// instantiation is over a type of its own file.
#pragma once

#include "fractal/fractal_family.h"
#include "fractal/lane_job.h"

// The vector helpers must melt into the loops even in unoptimised builds: called, they
// would pass whole registers through memory at every step.
#define SCINTLE_LANE_INLINE inline __attribute__((always_inline))

#define SCINTLE_FAMILY_MAPS(X) \
    X(kMandelbrot, MandelbrotMap) X(kJulia, JuliaMap) X(kDragon, DragonMap) X(kPhoenix, PhoenixMap)

namespace scintle {

template <class T>
struct MandelbrotMap {
    using V = typename T::V;
    using Mask = typename T::Mask;
    struct State {
        V x, y, cRe, cIm;
    };
    V two;
    static constexpr bool kTurned = false;

    MandelbrotMap(double two, double, double) : two(T::Set(two)) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) {
        *s = {T::Load(j.x + at), T::Load(j.y + at), T::Load(j.cRe + at), T::Load(j.cIm + at)};
    }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) {
        T::Store(j->x + at, s.x);
        T::Store(j->y + at, s.y);
        T::Store(j->cRe + at, s.cRe);
        T::Store(j->cIm + at, s.cIm);
    }
    // The pixel is c; z starts at 0.
    static SCINTLE_LANE_INLINE void Begin(State* s, V re, V im) {
        *s = {T::Set(0.0), T::Set(0.0), re, im};
    }
    static SCINTLE_LANE_INLINE void Start(State* s, Mask lanes, V re, V im) {
        const V zero = T::Set(0.0);
        s->x = T::Select(lanes, zero, s->x);
        s->y = T::Select(lanes, zero, s->y);
        s->cRe = T::Expand(s->cRe, lanes, re);
        s->cIm = T::Expand(s->cIm, lanes, im);
    }
    // z^2 - c. Returns the squared modulus of the iterate before the step.
    SCINTLE_LANE_INLINE V Step(State* s) const {
        const V xx = T::Mul(s->x, s->x);
        const V yy = T::Mul(s->y, s->y);
        const V nextX = T::Sub(T::Sub(xx, s->cRe), yy);
        s->y = T::Sub(T::Mul(T::Mul(s->y, s->x), two), s->cIm);
        s->x = nextX;
        return T::Add(xx, yy);
    }
};

template <class T>
struct JuliaMap {
    using V = typename T::V;
    using Mask = typename T::Mask;
    struct State {
        V x, y;
    };
    V two, cRe, cIm;
    static constexpr bool kTurned = false;

    JuliaMap(double two, double constA, double constB)
        : two(T::Set(two)), cRe(T::Set(constA)), cIm(T::Set(constB)) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) {
        *s = {T::Load(j.x + at), T::Load(j.y + at)};
    }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) {
        T::Store(j->x + at, s.x);
        T::Store(j->y + at, s.y);
    }
    // The pixel is z0.
    static SCINTLE_LANE_INLINE void Begin(State* s, V re, V im) { *s = {re, im}; }
    static SCINTLE_LANE_INLINE void Start(State* s, Mask lanes, V re, V im) {
        s->x = T::Expand(s->x, lanes, re);
        s->y = T::Expand(s->y, lanes, im);
    }
    // z^2 + c.
    SCINTLE_LANE_INLINE V Step(State* s) const {
        const V xx = T::Mul(s->x, s->x);
        const V yy = T::Mul(s->y, s->y);
        const V nextX = T::Add(T::Sub(xx, yy), cRe);
        s->y = T::Add(T::Mul(T::Mul(s->y, s->x), two), cIm);
        s->x = nextX;
        return T::Add(xx, yy);
    }
};

template <class T>
struct DragonMap {
    using V = typename T::V;
    using Mask = typename T::Mask;
    using State = typename JuliaMap<T>::State;
    V two, lambdaRe, lambdaIm;
    static constexpr bool kTurned = false;

    DragonMap(double two, double constA, double constB)
        : two(T::Set(two)), lambdaRe(T::Set(constA)), lambdaIm(T::Set(constB)) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) {
        JuliaMap<T>::Load(j, at, s);
    }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) {
        JuliaMap<T>::Store(s, at, j);
    }
    static SCINTLE_LANE_INLINE void Begin(State* s, V re, V im) { JuliaMap<T>::Begin(s, re, im); }
    static SCINTLE_LANE_INLINE void Start(State* s, Mask lanes, V re, V im) {
        JuliaMap<T>::Start(s, lanes, re, im);
    }
    // lambda z (1 - z), through a - ib = z - z^2.
    SCINTLE_LANE_INLINE V Step(State* s) const {
        const V xx = T::Mul(s->x, s->x);
        const V yy = T::Mul(s->y, s->y);
        const V a = T::Add(T::Sub(yy, xx), s->x);
        const V b = T::Sub(T::Mul(T::Mul(s->x, s->y), two), s->y);
        s->x = T::Add(T::Mul(b, lambdaIm), T::Mul(lambdaRe, a));
        s->y = T::Sub(T::Mul(lambdaIm, a), T::Mul(lambdaRe, b));
        return T::Add(xx, yy);
    }
};

template <class T>
struct PhoenixMap {
    using V = typename T::V;
    using Mask = typename T::Mask;
    struct State {
        V x, y, xPrev, yPrev;
    };
    V two, c, p;
    // The real part comes from the row, growing upwards, the imaginary part from the
    // column.
    static constexpr bool kTurned = true;

    PhoenixMap(double two, double constA, double constB)
        : two(T::Set(two)), c(T::Set(constA)), p(T::Set(constB)) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) {
        *s = {T::Load(j.x + at), T::Load(j.y + at), T::Load(j.xPrev + at), T::Load(j.yPrev + at)};
    }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) {
        T::Store(j->x + at, s.x);
        T::Store(j->y + at, s.y);
        T::Store(j->xPrev + at, s.xPrev);
        T::Store(j->yPrev + at, s.yPrev);
    }
    // The pixel is z0; the previous iterate starts at 0.
    static SCINTLE_LANE_INLINE void Begin(State* s, V re, V im) {
        *s = {re, im, T::Set(0.0), T::Set(0.0)};
    }
    static SCINTLE_LANE_INLINE void Start(State* s, Mask lanes, V re, V im) {
        const V zero = T::Set(0.0);
        s->x = T::Expand(s->x, lanes, re);
        s->y = T::Expand(s->y, lanes, im);
        s->xPrev = T::Select(lanes, zero, s->xPrev);
        s->yPrev = T::Select(lanes, zero, s->yPrev);
    }
    // z^2 + c + p z_prev.
    SCINTLE_LANE_INLINE V Step(State* s) const {
        const V xx = T::Mul(s->x, s->x);
        const V yy = T::Mul(s->y, s->y);
        const V nextX = T::Add(T::Add(T::Sub(T::Mul(s->xPrev, p), yy), xx), c);
        const V nextY = T::Add(T::Mul(T::Mul(s->y, s->x), two), T::Mul(s->yPrev, p));
        s->xPrev = s->x;
        s->yPrev = s->y;
        s->x = nextX;
        s->y = nextY;
        return T::Add(xx, yy);
    }
};

// The map of kFallbackFamily.
template <class T>
using FallbackMap = MandelbrotMap<T>;
static_assert(kFallbackFamily == kMandelbrot, "FallbackMap is kFallbackFamily's map");

}  // namespace scintle
