#include "tests/linked_list_order.h"

#include "fractal/random.h"

namespace scintle {

int32_t ShuffleRow::TakeX() {
    const int32_t i = rand() % remaining;
    const int32_t x = xs[i];
    --remaining;
    xs[i] = xs[remaining];
    if (remaining == 0) emptied = 1;
    return x;
}

LinkedListOrder::LinkedListOrder(int32_t columns, int32_t rows, int32_t step) {
    for (int32_t k = 0; k < rows; ++k) {
        auto* row = new ShuffleRow{k * step, new int32_t[columns], columns, nullptr, tail_, 0};
        for (int32_t i = 0; i < columns; ++i) row->xs[i] = i * step;
        if (tail_) tail_->next = row;
        else head_ = row;
        tail_ = row;
    }
    rowCount_ = rows;
    done = columns > 0 && rows > 0 ? 0 : 1;
}

LinkedListOrder::~LinkedListOrder() {
    for (ShuffleRow* row = head_; row;) {
        ShuffleRow* next = row->next;
        delete[] row->xs;
        delete row;
        row = next;
    }
}

void LinkedListOrder::NextPosition(int32_t* x, int32_t* y) {
    const int32_t k = rand() % rowCount_;
    ShuffleRow* row = head_;
    for (int32_t i = 0; i < k; ++i) row = row->next;
    *y = row->y;
    *x = row->TakeX();
    if (!row->emptied) return;
    if (row == head_ && row == tail_) {
        done = 1;
        return;
    }
    if (row == head_) head_ = row->next;
    else row->prev->next = row->next;
    if (row == tail_) tail_ = row->prev;
    else row->next->prev = row->prev;
    delete[] row->xs;
    delete row;
    --rowCount_;
}

}  // namespace scintle
