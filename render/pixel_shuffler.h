// The pixel order: every position of a grid over the client area exactly once, in a
// random order, so that a picture (or the black of the scintle fade) appears
// scattered over the whole window at once and fills in.
//
// Positions are kept in rows of ascending y. Each draw takes two random numbers: the
// first picks one of the rows still in play (k-th in ascending y), the second one of
// that row's remaining x values, which is replaced by the row's last live value. A
// row that empties leaves play, except the very last, which stays and marks the
// order done. The rows still in play are held in an array, so the k-th is found
// without walking; a row that leaves play is closed up over.
//
// The x values of a large order do not fit in the caches, so every draw would wait
// for memory. While it takes a position the order works out, from a copy of the
// generator's state, which value a draw a few dozen positions later will take, and
// asks the processor to fetch it meanwhile. That is only a hint: the positions are
// those of plain draws, two numbers each.
//
// Every buffer is allocated once, when the order is built; drawing allocates nothing.
#pragma once

#include <cstdint>

namespace scintle {

// A row of positions. The order keeps its x values in 16 bits: a window's width fits
// (WM_SIZE reports it in 16 bits), and half the memory means fewer of the order's
// reads miss the caches.
struct OrderRow {
    int32_t y;
    uint16_t* xs;       // the first `remaining` entries are the x values still to come
    int32_t remaining;
};

class PixelShuffler {
public:
    // An order of columns x rows positions, spaced `step` pixels apart: row k has
    // y = k * step and the x values 0, step, 2 * step, ... Returns nullptr when
    // memory cannot be had, or the x values do not fit in 16 bits. An order without
    // positions is done from the start.
    static PixelShuffler* Create(int32_t columns, int32_t rows, int32_t step);
    ~PixelShuffler();

    PixelShuffler(const PixelShuffler&) = delete;
    PixelShuffler& operator=(const PixelShuffler&) = delete;

    // Yields one position; only while done is 0.
    void NextPosition(int32_t* x, int32_t* y) { TakePositions(x, y, 1); }

    // Yields up to `count` positions, stopping early when the order is done; returns
    // how many. The same positions as that many NextPosition calls. A done order
    // yields none, reading nothing and drawing no number.
    int32_t TakePositions(int32_t* xs, int32_t* ys, int32_t count);

    int32_t rowCount = 0;  // rows still in play
    int32_t done = 0;      // 1 once every position has been yielded
    int32_t step = 1;      // 1: single pixels, 2: top-left corners of 2x2 blocks

private:
    PixelShuffler() = default;
    void LeavePlay(int32_t k);  // the k-th row in play leaves it

    OrderRow* rowsInPlay = nullptr;    // in ascending y
    uint16_t* values = nullptr;        // the xs of all rows, one block
    uint64_t* reciprocals = nullptr;   // ceil(2^32 / d) for every count d the order has
};

// The order of the current picture or fade, built and used on the render thread only.
void BuildShuffler();
void FreeShuffler();

}  // namespace scintle
