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
// Each family's step is its map (family_maps.h), the same operations in the same order as the
// one-pixel kernel, lane by lane. The loop runs the lanes in batches of steps, never further
// than the nearest cap, so no lane needs a test of its cap at every step: a lane that has
// begun `cap` steps at the end of a batch has finished without escaping, and its modulus is
// the one the batch's last step tested. A lane that escapes stops counting its steps and idles
// to the end of the batch.
#pragma once

#include "fractal/family_maps.h"
#include "fractal/lane_job.h"

namespace scintle {
namespace lanes {

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
          family_(job->view.two, job->view.constA, job->view.constB),
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

// The job's family picks the map; any other value is the fallback family's.
template <class T, int G, int S>
LaneResult RunLanes(LaneJob* job) {
#define SCINTLE_RUN_LANES(value, Map) \
    if (job->view.family == value) return LaneRun<T, Map<T>, G, S>(job).Run();
    SCINTLE_FAMILY_MAPS(SCINTLE_RUN_LANES)
#undef SCINTLE_RUN_LANES
    return LaneRun<T, FallbackMap<T>, G, S>(job).Run();
}

}  // namespace lanes
}  // namespace scintle
