#include "render/pixel_shuffler.h"

#include <cstddef>
#include <cstring>
#include <new>

#include "render/picture_cycle.h"
#include "settings/saver_settings.h"

namespace scintle {

PixelShuffler* PixelShuffler::Create(int32_t columns, int32_t rows, int32_t step) {
    auto* order = new (std::nothrow) PixelShuffler;
    if (order == nullptr) return nullptr;
    order->step = step;
    order->columns = columns;
    if (columns <= 0 || rows <= 0) {
        order->done = 1;
        return order;
    }
    const size_t count = static_cast<size_t>(columns) * static_cast<size_t>(rows);
    order->rows = new (std::nothrow) ShuffleRow[rows];
    order->linkedRows = new (std::nothrow) ShuffleRow*[rows];
    order->values = new (std::nothrow) int32_t[count];
    if (!order->rows || !order->linkedRows || !order->values) {
        delete order;
        return nullptr;
    }
    for (int32_t i = 0; i < columns; ++i) order->values[i] = i * step;
    for (int32_t k = 0; k < rows; ++k) {
        int32_t* xs = order->values + static_cast<size_t>(k) * columns;
        if (k > 0) std::memcpy(xs, order->values, sizeof(int32_t) * columns);
        order->rows[k] = {k * step, xs, columns, 0};
        order->linkedRows[k] = &order->rows[k];
    }
    order->rowCount = rows;
    return order;
}

PixelShuffler::~PixelShuffler() {
    delete[] values;
    delete[] linkedRows;
    delete[] rows;
}

void PixelShuffler::Unlink(int32_t k) {
    if (rowCount == 1) {  // the last row stays linked; the order is complete
        done = 1;
        return;
    }
    std::memmove(&linkedRows[k], &linkedRows[k + 1], sizeof(ShuffleRow*) * (rowCount - k - 1));
    --rowCount;
}

namespace {

uint32_t NextState(uint32_t state) { return state * 214013u + 2531011u; }
int32_t DrawOf(uint32_t state) { return static_cast<int32_t>((state >> 16) & kRandMax); }

}  // namespace

// Works out the draw after the newest forecast from the order as it stands now, and
// asks for the x value it will take.
void PixelShuffler::AddForecast() {
    Forecast& f = forecasts[(forecastHead + forecastCount) % kLookahead];
    uint32_t state = NextState(forecastTo);
    f.rowDraw = DrawOf(state);
    state = NextState(state);
    f.xDraw = DrawOf(state);
    forecastTo = state;
    f.rowCount = rowCount;
    f.k = f.rowDraw % rowCount;
    const ShuffleRow* row = linkedRows[f.k];
    f.remaining = row->remaining;
    f.i = f.xDraw % f.remaining;
    __builtin_prefetch(&row->xs[f.i], 1);
    ++forecastCount;
}

int32_t PixelShuffler::TakePositions(int32_t* xs, int32_t* ys, int32_t count) {
    // The thread's generator is read and written once per call: under MinGW every
    // access to a thread_local is a call.
    uint32_t state = randomState;
    if (state != forecastFrom) {  // numbers were drawn elsewhere: the forecasts are stale
        forecastCount = 0;
        forecastFrom = forecastTo = state;
    }
    int32_t n = 0;
    while (n < count && !done) {
        while (forecastCount < kLookahead) AddForecast();
        const Forecast& f = forecasts[forecastHead];
        forecastHead = (forecastHead + 1) % kLookahead;
        --forecastCount;
        state = NextState(NextState(state));

        // Unchanged counts mean the same row and the same slot as forecast.
        const bool sameRows = f.rowCount == rowCount;
        const int32_t k = sameRows ? f.k : f.rowDraw % rowCount;
        ShuffleRow* row = linkedRows[k];
        const int32_t i = sameRows && f.remaining == row->remaining ? f.i : f.xDraw % row->remaining;
        xs[n] = row->xs[i];
        ys[n] = row->y;
        --row->remaining;
        row->xs[i] = row->xs[row->remaining];
        if (row->remaining == 0) {
            row->emptied = 1;
            Unlink(k);
        }
        ++n;
    }
    forecastFrom = state;
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
