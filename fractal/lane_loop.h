// The lane kernels' loop, written once for any vector width. Included only by the
// files that compile it for one instruction set (lanes_sse2.cpp, lanes_avx2.cpp,
// lanes_avx512.cpp), each with its own vector type `T` declared in an unnamed
// namespace: every function here is a template over `T`, so each instruction set
// gets its own private copy and none can stand in for another at link time.
//
// `T` provides, for its vector `V` of T::kLanes doubles, its vector `I` of as many
// 64-bit integers and its lane set `Mask`:
//   Load, LoadU, Store, StoreU, Set, Add, Sub, Mul (on V); LoadI, StoreI, SetI, EqualI,
//   CountIf(i, m) = i + 1 where m, MostWhere(m, i) = the largest of i's lanes in m
//   (on I); NotAbove(m, a, b) = the lanes of m where a > b is false, NaN included, as
//   in the scalar test; LoadMask, StoreMask, MaskOf(bits),
//   Bits(mask), And, Or, AndNot(a, b) = b and not a; Select(m, a, b) = a where m, else
//   b, for V and I; Compress(m, v): the lanes of m packed to the low end; Expand(v, m,
//   src): the lanes of m take src's values from the low end, in order (V and I).
//
// Each family's step does the scalar kernel's operations in the scalar kernel's
// order, lane by lane. The loop runs the lanes in batches of steps, never further
// than the nearest cap, so no lane needs a test of its cap at every step: a lane that
// has begun `cap` steps at the end of a batch has finished without escaping, and
// its modulus is the one the batch's last step tested. A lane that escapes stops
// counting its steps and idles to the end of the batch.
#pragma once

#include "fractal/lane_job.h"

// The vector helpers must melt into the loop even in unoptimised builds: called, they
// would pass whole registers through memory at every step.
#define SCINTLE_LANE_INLINE inline __attribute__((always_inline))

namespace scintle {
namespace lanes {

template <class T>
struct MandelbrotSteps {
    using V = typename T::V;
    using Mask = typename T::Mask;
    struct State {
        V x, y, cRe, cIm;
    };
    V two;

    explicit MandelbrotSteps(const LaneView& v) : two(T::Set(v.two)) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) {
        *s = {T::Load(j.x + at), T::Load(j.y + at), T::Load(j.cRe + at), T::Load(j.cIm + at)};
    }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) {
        T::Store(j->x + at, s.x);
        T::Store(j->y + at, s.y);
        T::Store(j->cRe + at, s.cRe);
        T::Store(j->cIm + at, s.cIm);
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
struct JuliaSteps {
    using V = typename T::V;
    using Mask = typename T::Mask;
    struct State {
        V x, y;
    };
    V two, cRe, cIm;

    explicit JuliaSteps(const LaneView& v)
        : two(T::Set(v.two)), cRe(T::Set(v.constA)), cIm(T::Set(v.constB)) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) {
        *s = {T::Load(j.x + at), T::Load(j.y + at)};
    }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) {
        T::Store(j->x + at, s.x);
        T::Store(j->y + at, s.y);
    }
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
struct DragonSteps {
    using V = typename T::V;
    using Mask = typename T::Mask;
    using State = typename JuliaSteps<T>::State;
    V two, lambdaRe, lambdaIm;

    explicit DragonSteps(const LaneView& v)
        : two(T::Set(v.two)), lambdaRe(T::Set(v.constA)), lambdaIm(T::Set(v.constB)) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) {
        JuliaSteps<T>::Load(j, at, s);
    }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) {
        JuliaSteps<T>::Store(s, at, j);
    }
    static SCINTLE_LANE_INLINE void Start(State* s, Mask lanes, V re, V im) {
        JuliaSteps<T>::Start(s, lanes, re, im);
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
struct PhoenixSteps {
    using V = typename T::V;
    using Mask = typename T::Mask;
    struct State {
        V x, y, xPrev, yPrev;
    };
    V two, c, p;

    explicit PhoenixSteps(const LaneView& v)
        : two(T::Set(v.two)), c(T::Set(v.constA)), p(T::Set(v.constB)) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) {
        *s = {T::Load(j.x + at), T::Load(j.y + at), T::Load(j.xPrev + at), T::Load(j.yPrev + at)};
    }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) {
        T::Store(j->x + at, s.x);
        T::Store(j->y + at, s.y);
        T::Store(j->xPrev + at, s.xPrev);
        T::Store(j->yPrev + at, s.yPrev);
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

// G vectors of lanes, iterated side by side so that their dependency chains overlap,
// at most S steps at a time; runningFlag is read between batches.
template <class T, class Family, int G, int S>
class LaneRun {
public:
    using V = typename T::V;
    using I = typename T::I;
    using Mask = typename T::Mask;
    static constexpr int L = T::kLanes;
    static_assert(G * L <= kMaxLanes, "more lanes than the job holds");
    static_assert(L <= kLaneSlack, "vectors reach past the queues' slack");

    explicit LaneRun(LaneJob* job)
        : job_(job),
          family_(job->view),
          cap_(job->view.iterationCap),
          bailoutV_(T::Set(job->view.bailout)),
          capV_(T::SetI(job->view.iterationCap)) {
        for (int g = 0; g < G; ++g) {
            Family::Load(*job, g * L, &state_[g]);
            steps_[g] = T::LoadI(job->steps + g * L);
            pixel_[g] = T::Load(job->pixel + g * L);
            live_[g] = T::LoadMask(job->live + g * L);
            occupied_[g] = T::LoadMask(job->occupied + g * L);
            modulus_[g] = T::Set(0.0);
        }
    }

    SCINTLE_LANE_INLINE LaneResult Run() {
        LaneResult result;
        int32_t stepsToCap = job_->stepsToCap;
        outputCount_ = job_->outputCount;
        inputNext_ = job_->inputNext;
        inputCount_ = job_->inputCount;
        for (;;) {
            if (Stopped()) {
                result = kLanesStopped;
                break;
            }
            const int32_t batch = stepsToCap < S ? stepsToCap : S;
            for (int32_t k = 0; k < batch; ++k) {
#pragma GCC unroll 8
                for (int g = 0; g < G; ++g) Step(g);
            }
            stepsToCap -= batch;
            // Only when a cap may have been reached are the step counts compared.
            const bool capsDue = stepsToCap <= 0;
            if (capsDue) stepsToCap = cap_;
            int empty = 0;
#pragma GCC unroll 8
            for (int g = 0; g < G; ++g) empty += Exchange(g, capsDue, &stepsToCap);
            if (empty == 0) continue;
            if (!job_->draining) {
                result = kLanesNeedInput;
                break;
            }
            if (empty == G * L) {
                result = kLanesDrained;
                break;
            }
        }
        job_->stepsToCap = stepsToCap;
        job_->outputCount = outputCount_;
        job_->inputNext = inputNext_;
        for (int g = 0; g < G; ++g) {
            Family::Store(state_[g], g * L, job_);
            T::StoreI(job_->steps + g * L, steps_[g]);
            T::Store(job_->pixel + g * L, pixel_[g]);
            T::StoreMask(job_->live + g * L, live_[g]);
            T::StoreMask(job_->occupied + g * L, occupied_[g]);
        }
        return result;
    }

private:
    // runningFlag, read as an atomic load of its 32 bits (std::atomic's own load would
    // bring inline library code into this file).
    SCINTLE_LANE_INLINE bool Stopped() const {
        const auto* flag = reinterpret_cast<const int32_t*>(job_->runningFlag);
        return __atomic_load_n(flag, __ATOMIC_RELAXED) == 0;
    }

    SCINTLE_LANE_INLINE void Step(int g) {
        const Mask live = live_[g];
        modulus_[g] = family_.Step(&state_[g]);
        steps_[g] = T::CountIf(steps_[g], live);
        live_[g] = T::NotAbove(live, modulus_[g], bailoutV_);
    }

    // Hands vector g's finished pixels to the output and gives their lanes the next
    // pixels of the input. With capsDue, lanes that have begun `cap` steps have
    // finished too, and *stepsToCap is worked out afresh; a new pixel is a full cap
    // away. Returns how many lanes are left without a pixel.
    SCINTLE_LANE_INLINE int Exchange(int g, bool capsDue, int32_t* stepsToCap) {
        const Mask escaped = T::AndNot(live_[g], occupied_[g]);
        Mask finished = escaped;
        if (capsDue) {
            const Mask capped = T::And(live_[g], T::EqualI(steps_[g], capV_));
            finished = T::Or(finished, capped);
            live_[g] = T::AndNot(capped, live_[g]);
            *stepsToCap = StepsToCap(g, *stepsToCap);
        }
        const int finishedBits = T::Bits(finished);
        const int emptyBits = ~T::Bits(occupied_[g]) & ((1 << L) - 1);
        if ((finishedBits | emptyBits) == 0) return 0;

        LaneJob& job = *job_;
        if (finishedBits != 0) {
            // Escaped pixels carry their step count negated.
            const I steps = T::Select(escaped, T::Negate(steps_[g]), steps_[g]);
            const int at = outputCount_;
            T::StoreU(job.outputSteps + at, T::Compress(finished, steps));
            T::StoreU(job.outputModulus + at, T::Compress(finished, modulus_[g]));
            T::StoreU(job.outputPixel + at, T::Compress(finished, pixel_[g]));
            outputCount_ = at + BitCount(finishedBits);
        }

        // Free lanes take the next pixels, as far as the input goes.
        int freeBits = finishedBits | emptyBits;
        const int available = inputCount_ - inputNext_;
        int empty = 0;
        while (BitCount(freeBits) > available) {
            freeBits &= freeBits - 1;  // the lowest goes without
            ++empty;
        }
        const Mask fresh = T::MaskOf(freeBits);
        const int next = inputNext_;
        Family::Start(&state_[g], fresh, T::LoadU(job.inputRe + next),
                      T::LoadU(job.inputIm + next));
        pixel_[g] = T::Expand(pixel_[g], fresh, T::LoadU(job.inputPixel + next));
        steps_[g] = T::Select(fresh, T::SetI(0), steps_[g]);
        live_[g] = T::Or(T::AndNot(finished, live_[g]), fresh);
        occupied_[g] = T::Or(T::AndNot(finished, occupied_[g]), fresh);
        inputNext_ = next + BitCount(freeBits);
        if (freeBits != 0 && cap_ < *stepsToCap) *stepsToCap = cap_;
        return empty;
    }

    // A population count without calling the C library where the instruction set
    // has none (SSE2).
    static SCINTLE_LANE_INLINE int BitCount(int bits) {
        if constexpr (L > 2) {
            return __builtin_popcount(static_cast<unsigned>(bits));
        } else {
            return (bits & 1) + (bits >> 1 & 1);
        }
    }

    // The fewest steps any live lane of vector g has left before its cap, or `least`.
    SCINTLE_LANE_INLINE int32_t StepsToCap(int g, int32_t least) const {
        if (T::Bits(live_[g]) == 0) return least;
        const auto left = static_cast<int32_t>(cap_ - T::MostWhere(live_[g], steps_[g]));
        return left < least ? left : least;
    }

    LaneJob* job_;
    // The job's counters, here while the kernel runs so that they stay in registers.
    int32_t outputCount_ = 0;
    int32_t inputNext_ = 0;
    int32_t inputCount_ = 0;
    const Family family_;
    const int32_t cap_;
    const V bailoutV_;
    const I capV_;
    typename Family::State state_[G];
    I steps_[G];
    V modulus_[G];  // as the last step tested
    V pixel_[G];
    Mask live_[G];
    Mask occupied_[G];
};

// The job's family picks the steps; any value but Julia, Dragon and Phoenix is
// Mandelbrot.
template <class T, int G, int S>
LaneResult RunLanes(LaneJob* job) {
    switch (job->view.family) {
        case kJulia: return LaneRun<T, JuliaSteps<T>, G, S>(job).Run();
        case kDragon: return LaneRun<T, DragonSteps<T>, G, S>(job).Run();
        case kPhoenix: return LaneRun<T, PhoenixSteps<T>, G, S>(job).Run();
        default: return LaneRun<T, MandelbrotSteps<T>, G, S>(job).Run();
    }
}

}  // namespace lanes
}  // namespace scintle
