// Taking positions in batches: whatever the batch sizes and whatever else draws
// random numbers in between, the positions are those of the plain list walk, two
// numbers each; a batch ends with the order.
#include <algorithm>

#include "engine_fixture.h"
#include "render/pixel_shuffler.h"
#include "tests/linked_list_order.h"

namespace scintle {
namespace {

using Positions = std::vector<std::pair<int32_t, int32_t>>;

// Every position of a columns x rows order, taken in batches of the given sizes in
// turn; after each batch `between` numbers are drawn elsewhere.
Positions TakeAll(int32_t columns, int32_t rows, int32_t step, const std::vector<int32_t>& sizes,
                  int between) {
    std::unique_ptr<PixelShuffler> order(PixelShuffler::Create(columns, rows, step));
    Positions taken;
    int32_t xs[64], ys[64];
    for (size_t b = 0; !order->done; ++b) {
        const int32_t n = order->TakePositions(xs, ys, sizes[b % sizes.size()]);
        for (int32_t i = 0; i < n; ++i) taken.push_back({xs[i], ys[i]});
        for (int i = 0; i < between; ++i) rand();
    }
    return taken;
}

Positions WalkAll(int32_t columns, int32_t rows, int32_t step, const std::vector<int32_t>& sizes,
                  int between) {
    LinkedListOrder walk(columns, rows, step);
    Positions taken;
    const size_t total = static_cast<size_t>(columns) * static_cast<size_t>(rows);
    for (size_t b = 0; taken.size() < total; ++b) {
        for (int32_t i = 0; i < sizes[b % sizes.size()] && taken.size() < total; ++i) {
            int32_t x, y;
            walk.NextPosition(&x, &y);
            taken.push_back({x, y});
        }
        for (int i = 0; i < between; ++i) rand();
    }
    return taken;
}

class PixelOrderBatchesTest : public EngineTest {};

TEST_F(PixelOrderBatchesTest, AnyBatchSizesGiveTheListWalksPositions) {
    const struct {
        int32_t columns, rows, step;
        std::vector<int32_t> sizes;
        int between;
    } cases[] = {
        {37, 23, 1, {1}, 0},
        {37, 23, 2, {1}, 0},
        {1, 5, 1, {1}, 0},  // every draw empties its row
        {5, 1, 1, {1}, 0},  // the only row never leaves
        {37, 23, 2, {32}, 0},
        {37, 23, 1, {5, 64, 1, 17}, 3},  // numbers drawn between batches
        {200, 150, 1, {32, 8}, 1},
        {16384, 3, 1, {64}, 0},  // the largest counts an order divides by
        {2, 16384, 2, {7, 64}, 0},
        {1, 1, 1, {64}, 0},
    };
    for (const auto& c : cases) {
        srand(20261207u);
        const Positions batches = TakeAll(c.columns, c.rows, c.step, c.sizes, c.between);
        const uint32_t stateAfterBatches = randomState;
        srand(20261207u);
        const Positions walked = WalkAll(c.columns, c.rows, c.step, c.sizes, c.between);
        EXPECT_EQ(batches, walked) << c.columns << "x" << c.rows;
        EXPECT_EQ(stateAfterBatches, randomState) << c.columns << "x" << c.rows;
    }
}

TEST_F(PixelOrderBatchesTest, ABatchEndsWithTheOrder) {
    std::unique_ptr<PixelShuffler> order(PixelShuffler::Create(5, 4, 1));
    int32_t xs[64], ys[64];
    EXPECT_EQ(order->TakePositions(xs, ys, 15), 15);
    EXPECT_EQ(order->done, 0);
    srand(3);
    EXPECT_EQ(order->TakePositions(xs, ys, 64), 5);
    EXPECT_EQ(order->done, 1);
    EXPECT_EQ(RandomSequence(3, 10).back(), static_cast<int>((randomState >> 16) & 0x7FFF));
    EXPECT_EQ(order->TakePositions(xs, ys, 64), 0);  // a done order draws nothing
    EXPECT_EQ(RandomSequence(3, 10).back(), static_cast<int>((randomState >> 16) & 0x7FFF));
}

// The order holds x values in 16 bits: the widest window WM_SIZE can report still fits,
// in pixels and in blocks; an order reaching past that is refused, not wrapped.
TEST_F(PixelOrderBatchesTest, XValuesOfTheWidestWindowFit) {
    for (int32_t step : {1, 2}) {
        const int32_t columns = 65535 / step;
        std::unique_ptr<PixelShuffler> order(PixelShuffler::Create(columns, 2, step));
        ASSERT_NE(order, nullptr);
        int32_t xs[64], ys[64];
        int32_t widest = 0, count = 0;
        while (!order->done) {
            const int32_t n = order->TakePositions(xs, ys, 64);
            for (int32_t i = 0; i < n; ++i) widest = std::max(widest, xs[i]);
            count += n;
        }
        EXPECT_EQ(widest, (columns - 1) * step);
        EXPECT_EQ(count, 2 * columns);
    }
    EXPECT_EQ(PixelShuffler::Create(65537, 1, 1), nullptr);
    EXPECT_EQ(PixelShuffler::Create(32769, 1, 2), nullptr);
}

}  // namespace
}  // namespace scintle
