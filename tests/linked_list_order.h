// The pixel order as first written down: rows of positions in a linked list, the k-th
// row found by walking from the head, each row's x taken by TakeX. It draws from the
// engine's generator as PixelShuffler does, so for a seed both yield the same
// positions: the tests hold the engine's order to it, the benchmarks measure it against it.
#pragma once

#include <cstdint>

namespace scintle {

struct ShuffleRow {
    int32_t y;
    int32_t* xs;        // the first `remaining` entries are the x values still to come
    int32_t remaining;
    ShuffleRow* next;
    ShuffleRow* prev;
    int32_t emptied;    // 1 from the moment the last x has been taken

    // One random number picks an index among the remaining values; the row's last live
    // value moves into its slot.
    int32_t TakeX();
};

class LinkedListOrder {
public:
    LinkedListOrder(int32_t columns, int32_t rows, int32_t step);
    ~LinkedListOrder();
    LinkedListOrder(const LinkedListOrder&) = delete;
    LinkedListOrder& operator=(const LinkedListOrder&) = delete;

    // One position: a random number for the row, then its TakeX. An emptied row leaves
    // the list unless it is the last, which marks the order done. Only while done is 0.
    void NextPosition(int32_t* x, int32_t* y);

    int32_t done = 0;

private:
    ShuffleRow* head_ = nullptr;
    ShuffleRow* tail_ = nullptr;
    int32_t rowCount_ = 0;
};

}  // namespace scintle
