// Draining a full-resolution pixel order of 1920x1080 and 3840x2160: the literal
// list walk (the baseline), the engine's order one position at a time, and in the
// batches the lane painter takes.
#include <benchmark/benchmark.h>

#include <memory>

#include "benchmarks.h"
#include "fractal/random.h"
#include "render/pixel_shuffler.h"
#include "tests/linked_list_order.h"

namespace scintle {

namespace {

void SetPositionCounter(benchmark::State& state, int64_t positions) {
    // Shown as CPU time per position.
    state.counters["per_position"] = benchmark::Counter(
        static_cast<double>(positions), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The walk is as long as the rows still linked, which stay nearly all of them until
// the very end: a large order is timed over its first `share` of positions only.
// Drains an order one position at a time, the first `limit` positions at most.
template <class Order, class MakeOrder>
void DrainOneAtATime(benchmark::State& state, MakeOrder makeOrder, int64_t limit) {
    int64_t positions = 0;
    for (auto _ : state) {
        state.PauseTiming();
        srand(1);
        std::unique_ptr<Order> order(makeOrder());
        state.ResumeTiming();
        int32_t x, y;
        for (int64_t n = limit; n > 0 && !order->done; --n) {
            order->NextPosition(&x, &y);
            ++positions;
        }
        benchmark::DoNotOptimize(x + y);
    }
    SetPositionCounter(state, positions);
}

void LinkedList(benchmark::State& state, int32_t width, int32_t height, int32_t share) {
    DrainOneAtATime<LinkedListOrder>(
        state, [=] { return new LinkedListOrder(width, height, 1); },
        int64_t{width} * height / share);
}

void OneAtATime(benchmark::State& state, int32_t width, int32_t height) {
    DrainOneAtATime<PixelShuffler>(
        state, [=] { return PixelShuffler::Create(width, height, 1); },
        int64_t{width} * height);
}

void Batches(benchmark::State& state, int32_t width, int32_t height) {
    int64_t positions = 0;
    for (auto _ : state) {
        state.PauseTiming();
        srand(1);
        std::unique_ptr<PixelShuffler> order(PixelShuffler::Create(width, height, 1));
        state.ResumeTiming();
        int32_t xs[32], ys[32];
        while (!order->done) positions += order->TakePositions(xs, ys, 32);
        benchmark::DoNotOptimize(xs[0] + ys[0]);
    }
    SetPositionCounter(state, positions);
}

}  // namespace

void RegisterOrderBenchmarks() {
    const struct {
        int32_t width, height;
        const char* size;
        int32_t share;  // of the baseline's positions timed
    } sizes[] = {{1920, 1080, "1920x1080", 1}, {3840, 2160, "3840x2160", 4}};
    for (const auto& s : sizes) {
        const std::string size = s.size;
        benchmark::RegisterBenchmark(("order/linked_list_baseline/" + size).c_str(), LinkedList,
                                     s.width, s.height, s.share)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("order/next_position/" + size).c_str(), OneAtATime, s.width,
                                     s.height)
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("order/take_positions/" + size).c_str(), Batches, s.width,
                                     s.height)
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace scintle
