// The lane kernels' loop, written once for any vector width. Included only by the
// files that compile it for one instruction set (lanes_sse2.cpp, lanes_avx2.cpp,
// lanes_avx512.cpp), each with its own vector type `T` declared in an unnamed
// namespace: every function here is a template over `T`, so each instruction set
// gets its own private copy and none can stand in for another at link time.
//
// `T` provides, for its vector `V` of T::kLanes doubles and its lane set `Mask`:
//   Load, Store, Set, Add, Sub, Mul; LoadMask, StoreMask; Greater, Less (false with
//   NaN, as the scalar comparison); And, AndNot(a, b) = b and not a; Select(m, a, b);
//   CountIf(v, m, one) = v + 1 where m; Bits(m); LaneMask(lane); Put(v, laneMask, value);
//   Include(m, laneMask).
//
// Each family's step does the scalar kernel's operations in the scalar kernel's
// order, lane by lane; a lane that has finished keeps iterating (its results are
// thrown away) until it takes its next pixel, and its step count and last tested
// modulus stay as they were when it finished.
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
    struct State {
        V x, y, cRe, cIm;
    };
    V two = T::Set(2.0);

    explicit MandelbrotSteps(const LaneView&) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) {
        *s = {T::Load(j.x + at), T::Load(j.y + at), T::Load(j.cRe + at), T::Load(j.cIm + at)};
    }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) {
        T::Store(j->x + at, s.x);
        T::Store(j->y + at, s.y);
        T::Store(j->cRe + at, s.cRe);
        T::Store(j->cIm + at, s.cIm);
    }
    static SCINTLE_LANE_INLINE void Start(State* s, typename T::Mask lane, const LaneInput& in) {
        s->x = T::Put(s->x, lane, 0.0);
        s->y = T::Put(s->y, lane, 0.0);
        s->cRe = T::Put(s->cRe, lane, in.re);
        s->cIm = T::Put(s->cIm, lane, in.im);
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
    struct State {
        V x, y;
    };
    V two = T::Set(2.0);
    V cRe, cIm;

    explicit JuliaSteps(const LaneView& v) : cRe(T::Set(v.constA)), cIm(T::Set(v.constB)) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) {
        *s = {T::Load(j.x + at), T::Load(j.y + at)};
    }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) {
        T::Store(j->x + at, s.x);
        T::Store(j->y + at, s.y);
    }
    static SCINTLE_LANE_INLINE void Start(State* s, typename T::Mask lane, const LaneInput& in) {
        s->x = T::Put(s->x, lane, in.re);
        s->y = T::Put(s->y, lane, in.im);
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
    using State = typename JuliaSteps<T>::State;
    V two = T::Set(2.0);
    V lambdaRe, lambdaIm;

    explicit DragonSteps(const LaneView& v)
        : lambdaRe(T::Set(v.constA)), lambdaIm(T::Set(v.constB)) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) { JuliaSteps<T>::Load(j, at, s); }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) { JuliaSteps<T>::Store(s, at, j); }
    static SCINTLE_LANE_INLINE void Start(State* s, typename T::Mask lane, const LaneInput& in) {
        JuliaSteps<T>::Start(s, lane, in);
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
    struct State {
        V x, y, xPrev, yPrev;
    };
    V two = T::Set(2.0);
    V c, p;

    explicit PhoenixSteps(const LaneView& v) : c(T::Set(v.constA)), p(T::Set(v.constB)) {}
    static SCINTLE_LANE_INLINE void Load(const LaneJob& j, int at, State* s) {
        *s = {T::Load(j.x + at), T::Load(j.y + at), T::Load(j.xPrev + at), T::Load(j.yPrev + at)};
    }
    static SCINTLE_LANE_INLINE void Store(const State& s, int at, LaneJob* j) {
        T::Store(j->x + at, s.x);
        T::Store(j->y + at, s.y);
        T::Store(j->xPrev + at, s.xPrev);
        T::Store(j->yPrev + at, s.yPrev);
    }
    static SCINTLE_LANE_INLINE void Start(State* s, typename T::Mask lane, const LaneInput& in) {
        s->x = T::Put(s->x, lane, in.re);
        s->y = T::Put(s->y, lane, in.im);
        s->xPrev = T::Put(s->xPrev, lane, 0.0);
        s->yPrev = T::Put(s->yPrev, lane, 0.0);
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
// S steps at a time: a lane that finishes within a run of steps idles to its end,
// which costs less than breaking off the run (a mispredicted branch, the state
// through memory) for every finished pixel. runningFlag is read between runs.
template <class T, class Family, int G, int S>
class LaneRun {
public:
    using V = typename T::V;
    using Mask = typename T::Mask;
    static constexpr int L = T::kLanes;
    static constexpr int kAllLanes = (1 << L) - 1;
    static_assert(G * L <= kMaxLanes, "more lanes than the job holds");

    explicit LaneRun(LaneJob* job)
        : job_(job),
          family_(job->view),
          bailout_(T::Set(job->view.bailout)),
          cap_(T::Set(job->view.iterationCap)),
          one_(T::Set(1.0)) {
        for (int g = 0; g < G; ++g) {
            Family::Load(*job, g * L, &state_[g]);
            steps_[g] = T::Load(job->steps + g * L);
            modulus_[g] = T::Load(job->squaredModulus + g * L);
            live_[g] = T::LoadMask(job->live + g * L);
        }
    }

    LaneResult Run() {
        LaneResult result;
        for (;;) {
            if (job_->runningFlag->load(std::memory_order_relaxed) == 0) {
                result = kLanesStopped;
                break;
            }
#pragma GCC unroll 16
            for (int k = 0; k < S; ++k) {
#pragma GCC unroll 8
                for (int g = 0; g < G; ++g) Step(g);
            }
            int empty = 0;
#pragma GCC unroll 8
            for (int g = 0; g < G; ++g) {
                const int finished = ~T::Bits(live_[g]) & kAllLanes;
                if (finished != 0) empty += Refill(g, finished);
            }
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
        for (int g = 0; g < G; ++g) {
            Family::Store(state_[g], g * L, job_);
            T::Store(job_->steps + g * L, steps_[g]);
            T::Store(job_->squaredModulus + g * L, modulus_[g]);
            T::StoreMask(job_->live + g * L, live_[g]);
        }
        return result;
    }

private:
    // One step of vector g.
    SCINTLE_LANE_INLINE void Step(int g) {
        const Mask live = live_[g];
        const V modulus = family_.Step(&state_[g]);
        modulus_[g] = T::Select(live, modulus, modulus_[g]);
        steps_[g] = T::CountIf(steps_[g], live, one_);
        const Mask escaped = T::Greater(modulus, bailout_);
        live_[g] = T::And(T::AndNot(escaped, live), T::Less(steps_[g], cap_));
    }

    // Hands the finished lanes' pixels to the output and gives the lanes new pixels;
    // returns how many lanes were left empty for want of input.
    SCINTLE_LANE_INLINE int Refill(int g, int finished) {
        alignas(64) double steps[L];
        alignas(64) double modulus[L];
        T::Store(steps, steps_[g]);
        T::Store(modulus, modulus_[g]);
        LaneJob& job = *job_;
        int empty = 0;
        while (finished != 0) {
            const int lane = __builtin_ctz(static_cast<unsigned>(finished));
            finished &= finished - 1;
            const int slot = g * L + lane;
            if (job.laneX[slot] != kEmptyLane) {
                job.output[job.outputCount++] = {modulus[lane], static_cast<int32_t>(steps[lane]),
                                                 job.laneX[slot], job.laneY[slot]};
            }
            if (job.inputNext == job.inputCount) {
                job.laneX[slot] = kEmptyLane;
                ++empty;
                continue;
            }
            const LaneInput& in = job.input[job.inputNext++];
            job.laneX[slot] = in.x;
            job.laneY[slot] = in.y;
            const Mask laneMask = T::LaneMask(lane);
            Family::Start(&state_[g], laneMask, in);
            steps_[g] = T::Put(steps_[g], laneMask, 0.0);
            live_[g] = T::Include(live_[g], laneMask);
        }
        return empty;
    }

    LaneJob* job_;
    const Family family_;
    const V bailout_, cap_, one_;
    typename Family::State state_[G];
    V steps_[G];
    V modulus_[G];
    Mask live_[G];
};

// The job's family picks the steps; any value but 2, 4 and 8 is Mandelbrot.
template <class T, int G, int S>
LaneResult RunLanes(LaneJob* job) {
    switch (job->view.family) {
        case 2: return LaneRun<T, JuliaSteps<T>, G, S>(job).Run();
        case 4: return LaneRun<T, DragonSteps<T>, G, S>(job).Run();
        case 8: return LaneRun<T, PhoenixSteps<T>, G, S>(job).Run();
        default: return LaneRun<T, MandelbrotSteps<T>, G, S>(job).Run();
    }
}

}  // namespace lanes
}  // namespace scintle
