// The pixel order: every position once, done on the last draw and not before, the
// swap with the last live value, and the sizes that give blocks, pixels or nothing.
#include <set>

#include "engine_fixture.h"
#include "render/pixel_shuffler.h"

namespace scintle {
namespace {

class PixelShufflerTest : public EngineTest {
protected:
    std::unique_ptr<PixelShuffler> Make(int32_t columns, int32_t rows, int32_t step = 1) {
        return std::unique_ptr<PixelShuffler>(PixelShuffler::Create(columns, rows, step));
    }
};

TEST_F(PixelShufflerTest, YieldsEveryPositionOnceAndIsDoneOnlyOnTheLast) {
    const int32_t columns = 13, rows = 7;
    auto order = Make(columns, rows);
    std::set<std::pair<int32_t, int32_t>> seen;
    for (int32_t n = 0; n < columns * rows; ++n) {
        ASSERT_EQ(order->done, 0) << "done early, after " << n;
        int32_t x, y;
        order->NextPosition(&x, &y);
        EXPECT_TRUE(seen.insert({x, y}).second) << x << "," << y;
        EXPECT_GE(x, 0);
        EXPECT_LT(x, columns);
        EXPECT_GE(y, 0);
        EXPECT_LT(y, rows);
    }
    EXPECT_EQ(order->done, 1);
    EXPECT_EQ(order->rowCount, 1);  // the last row stays in play
}

TEST_F(PixelShufflerTest, TakingMovesTheLastLiveValueIntoTheSlot) {
    // One row of x values 0, 2, 4, 6. A seed whose draws (row, then x) pick index 1 of
    // four and then index 1 of the three left: 2, then 6, which took its slot.
    uint32_t seed = 0;
    for (;; ++seed) {
        const std::vector<int> draws = RandomSequence(seed, 4);
        if (draws[1] % 4 == 1 && draws[3] % 3 == 1) break;
    }
    srand(seed);
    auto order = Make(4, 1, 2);
    int32_t x, y;
    order->NextPosition(&x, &y);
    EXPECT_EQ(x, 2);
    order->NextPosition(&x, &y);
    EXPECT_EQ(x, 6);
}

TEST_F(PixelShufflerTest, SingleRowNeverLeavesPlay) {
    auto order = Make(5, 1);
    for (int i = 0; i < 5; ++i) {
        int32_t x, y;
        order->NextPosition(&x, &y);
        EXPECT_EQ(order->rowCount, 1);
    }
    EXPECT_EQ(order->done, 1);
}

TEST_F(PixelShufflerTest, BuildShufflerGridsFollowTheClientArea) {
    struct Case {
        int32_t width, height;
        uint32_t extraMemory;
        int32_t step, positions;
    };
    const Case cases[] = {
        {5, 3, 0, 2, 2},   // blocks: (0, 0) and (2, 0); the odd column and row stay out
        {3, 2, 1, 1, 6},   // every pixel
        {1, 9, 0, 1, 9},   // a strip one pixel wide holds no block: painted pixel by pixel
        {9, 1, 0, 1, 9},
        {1, 1, 0, 1, 1},
    };
    for (const Case& c : cases) {
        UseCanvas(c.width, c.height);
        SaverSettings.ExtraMemory = c.extraMemory;
        BuildShuffler();
        PixelShuffler* order = renderCycle.currentShuffler;
        ASSERT_NE(order, nullptr);
        EXPECT_EQ(order->step, c.step);
        std::set<std::pair<int32_t, int32_t>> seen;
        while (!order->done) {
            int32_t x, y;
            order->NextPosition(&x, &y);
            seen.insert({x, y});
            EXPECT_LE(x + c.step, c.width);
            EXPECT_LE(y + c.step, c.height);
        }
        EXPECT_EQ(static_cast<int32_t>(seen.size()), c.positions) << c.width << "x" << c.height;
    }
    UseCanvas(5, 3);
    SaverSettings.ExtraMemory = 0;
    BuildShuffler();
    std::set<std::pair<int32_t, int32_t>> seen;
    while (!renderCycle.currentShuffler->done) {
        int32_t x, y;
        renderCycle.currentShuffler->NextPosition(&x, &y);
        seen.insert({x, y});
    }
    EXPECT_EQ(seen, (std::set<std::pair<int32_t, int32_t>>{{0, 0}, {2, 0}}));
}

TEST_F(PixelShufflerTest, ZeroSizeLeavesTheOrderAlone) {
    UseCanvas(4, 4);
    BuildShuffler();
    PixelShuffler* before = renderCycle.currentShuffler;
    renderCycle.clientWidth = 0;
    BuildShuffler();
    EXPECT_EQ(renderCycle.currentShuffler, before);
    FreeShuffler();
    EXPECT_EQ(renderCycle.currentShuffler, nullptr);
    FreeShuffler();  // freeing nothing is harmless
}

// Taking from an order that holds nothing, or nothing more, yields nothing, reads
// nothing (an empty order has no rows to read) and draws no number.
TEST_F(PixelShufflerTest, AnOrderWithoutPositionsIsDoneFromTheStartAndYieldsNothing) {
    for (auto [columns, rows] : {std::pair{0, 4}, std::pair{4, 0}, std::pair{0, 0}}) {
        auto order = Make(columns, rows);
        ASSERT_NE(order, nullptr);
        EXPECT_EQ(order->done, 1);
        srand(5);
        int32_t xs[4] = {-1, -1, -1, -1}, ys[4] = {-1, -1, -1, -1};
        EXPECT_EQ(order->TakePositions(xs, ys, 4), 0);
        order->NextPosition(xs, ys);
        EXPECT_EQ(xs[0], -1);
        EXPECT_EQ(ys[0], -1);
        EXPECT_EQ(randomState, 5u);
    }
    auto drained = Make(3, 2);
    int32_t xs[8], ys[8];
    EXPECT_EQ(drained->TakePositions(xs, ys, 8), 6);
    const uint32_t state = randomState;
    EXPECT_EQ(drained->TakePositions(xs, ys, 8), 0);
    EXPECT_EQ(randomState, state);
}

}  // namespace
}  // namespace scintle
