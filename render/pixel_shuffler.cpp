#include "render/pixel_shuffler.h"

#include <cstddef>
#include <cstring>
#include <new>

#include "fractal/random.h"
#include "render/cycle_state.h"
#include "settings/saver_settings.h"

namespace scintle {

PixelShuffler* PixelShuffler::Create(int32_t columns, int32_t rows, int32_t step) {
    auto* order = new (std::nothrow) PixelShuffler;
    if (order == nullptr) return nullptr;
    order->step = step;
    if (columns <= 0 || rows <= 0) {
        order->done = 1;
        return order;
    }
    if (static_cast<int64_t>(columns - 1) * step > 0xFFFF) {
        delete order;
        return nullptr;
    }
    const size_t count = static_cast<size_t>(columns) * static_cast<size_t>(rows);
    const int32_t largestCount = columns > rows ? columns : rows;
    order->rowsInPlay = new (std::nothrow) OrderRow[rows];
    order->values = new (std::nothrow) uint16_t[count];
    order->reciprocals = new (std::nothrow) uint64_t[largestCount + 1];
    if (!order->rowsInPlay || !order->values || !order->reciprocals) {
        delete order;
        return nullptr;
    }
    order->reciprocals[0] = 0;
    for (int32_t d = 1; d <= largestCount; ++d)
        order->reciprocals[d] = ((uint64_t{1} << 32) + d - 1) / static_cast<uint64_t>(d);
    for (int32_t i = 0; i < columns; ++i) order->values[i] = static_cast<uint16_t>(i * step);
    for (int32_t k = 0; k < rows; ++k) {
        uint16_t* xs = order->values + static_cast<size_t>(k) * columns;
        if (k > 0) std::memcpy(xs, order->values, sizeof(uint16_t) * columns);
        order->rowsInPlay[k] = {k * step, xs, columns};
    }
    order->rowCount = rows;
    return order;
}

PixelShuffler::~PixelShuffler() {
    delete[] reciprocals;
    delete[] values;
    delete[] rowsInPlay;
}

void PixelShuffler::LeavePlay(int32_t k) {
    if (rowCount == 1) {  // the last row stays in play; the order is complete
        done = 1;
        return;
    }
    std::memmove(&rowsInPlay[k], &rowsInPlay[k + 1], sizeof(OrderRow) * (rowCount - k - 1));
    --rowCount;
}

namespace {

// The generator's step taken n times at once (an affine map too).
struct Jump {
    uint32_t multiplier;
    uint32_t increment;
};

constexpr Jump JumpOf(int n) {
    Jump jump = {1u, 0u};
    for (int i = 0; i < n; ++i)
        jump = {jump.multiplier * kRandMultiplier,
                jump.increment * kRandMultiplier + kRandIncrement};
    return jump;
}

// A position takes two numbers; the values of the position kPrefetchDistance ahead
// are asked for while this one is taken.
constexpr int kPrefetchDistance = 64;
constexpr Jump kOne = JumpOf(1);
constexpr Jump kTwo = JumpOf(2);
constexpr Jump kAhead = JumpOf(2 * kPrefetchDistance);

uint32_t Apply(Jump jump, uint32_t state) { return state * jump.multiplier + jump.increment; }
uint32_t DrawOf(uint32_t state) { return (state >> 16) & kRandMax; }

// draw mod count without a division: with m = ceil(2^32 / count), the quotient is
// floor(draw * m / 2^32), exact while draw * count < 2^32 (a draw is below 2^15, and
// a count at most 2^16: a row holds at most 65536 values, and there are no more rows).
int32_t Remainder(uint32_t draw, int32_t count, uint64_t reciprocal) {
    const auto quotient = static_cast<uint32_t>((draw * reciprocal) >> 32);
    return static_cast<int32_t>(draw - quotient * static_cast<uint32_t>(count));
}

}  // namespace

int32_t PixelShuffler::TakePositions(int32_t* xs, int32_t* ys, int32_t count) {
    // A done order may have no rows at all (one built without positions): read nothing.
    if (done) return 0;
    // The generator is read and written once per call (under MinGW every access to a
    // thread_local is a call), and the order's fields live in locals meanwhile: stores
    // through xs and ys could otherwise overwrite them, as far as the compiler knows.
    uint32_t state = randomState;
    uint32_t ahead = Apply(kAhead, state);
    OrderRow* const inPlay = rowsInPlay;
    const uint64_t* const reciprocal = reciprocals;
    int32_t rows = rowCount;
    uint64_t rowsReciprocal = reciprocal[rows];
    int32_t n = 0;
    while (n < count) {
        const uint32_t rowDraw = DrawOf(Apply(kOne, state));
        state = Apply(kTwo, state);
        const int32_t k = Remainder(rowDraw, rows, rowsReciprocal);
        OrderRow* row = &inPlay[k];
        const int32_t remaining = row->remaining;
        const int32_t i = Remainder(DrawOf(state), remaining, reciprocal[remaining]);
        uint16_t* values = row->xs;
        xs[n] = values[i];
        ys[n] = row->y;
        values[i] = values[remaining - 1];
        row->remaining = remaining - 1;
        ++n;
        if (remaining == 1) {
            LeavePlay(k);
            if (done) break;
            rows = rowCount;
            rowsReciprocal = reciprocal[rows];
        }
        // The same draw further on, from the order as it stands now: right unless a
        // row empties or is drawn again in between, and only a hint either way.
        const uint32_t aheadRowDraw = DrawOf(Apply(kOne, ahead));
        ahead = Apply(kTwo, ahead);
        const OrderRow* aheadRow = &inPlay[Remainder(aheadRowDraw, rows, rowsReciprocal)];
        const int32_t aheadRemaining = aheadRow->remaining;
        const int32_t aheadI = Remainder(DrawOf(ahead), aheadRemaining, reciprocal[aheadRemaining]);
        __builtin_prefetch(&aheadRow->xs[aheadI], 1);
        __builtin_prefetch(&aheadRow->xs[aheadRemaining - 1], 1);
    }
    randomState = state;
    return n;
}

void BuildShuffler() {
    const int32_t width = renderCycle.clientWidth;
    const int32_t height = renderCycle.clientHeight;
    if (width == 0 || height == 0) return;
    FreeShuffler();
    int32_t step = SaverSettings.ExtraMemory != 0 ? 1 : 2;
    // A strip one pixel wide or high holds no 2x2 block: paint it pixel by pixel instead.
    if (step == 2 && (width < 2 || height < 2)) step = 1;
    renderCycle.currentShuffler = PixelShuffler::Create(width / step, height / step, step);
}

void FreeShuffler() {
    delete renderCycle.currentShuffler;
    renderCycle.currentShuffler = nullptr;
}

}  // namespace scintle
