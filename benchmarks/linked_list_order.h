// The pixel order kept literally as a list of rows: the row of a draw is found by a
// walk from the head, as the order was first written down. The benchmark's baseline
// for the engine's PixelShuffler, which yields the same positions for a seed.
#pragma once

#include <cstdint>

namespace scintle {

class LinkedListOrder {
public:
    LinkedListOrder(int32_t columns, int32_t rows, int32_t step);
    ~LinkedListOrder();
    LinkedListOrder(const LinkedListOrder&) = delete;
    LinkedListOrder& operator=(const LinkedListOrder&) = delete;

    // One position, from the engine's generator; only while done is 0.
    void NextPosition(int32_t* x, int32_t* y);

    int32_t done = 0;

private:
    struct Row {
        int32_t y;
        int32_t* xs;
        int32_t remaining;
        Row* next;
        Row* prev;
        int32_t emptied;
    };

    Row* head_ = nullptr;
    Row* tail_ = nullptr;
    int32_t rowCount_ = 0;
};

}  // namespace scintle
