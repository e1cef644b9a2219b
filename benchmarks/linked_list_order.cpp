#include "linked_list_order.h"

#include "fractal/random.h"

namespace scintle {

LinkedListOrder::LinkedListOrder(int32_t columns, int32_t rows, int32_t step) {
    for (int32_t k = 0; k < rows; ++k) {
        Row* row = new Row{k * step, new int32_t[columns], columns, nullptr, tail_, 0};
        for (int32_t i = 0; i < columns; ++i) row->xs[i] = i * step;
        if (tail_) tail_->next = row;
        else head_ = row;
        tail_ = row;
    }
    rowCount_ = rows;
    done = columns > 0 && rows > 0 ? 0 : 1;
}

LinkedListOrder::~LinkedListOrder() {
    for (Row* row = head_; row;) {
        Row* next = row->next;
        delete[] row->xs;
        delete row;
        row = next;
    }
}

void LinkedListOrder::NextPosition(int32_t* x, int32_t* y) {
    const int32_t k = rand() % rowCount_;
    Row* row = head_;
    for (int32_t i = 0; i < k; ++i) row = row->next;
    *y = row->y;
    const int32_t i = rand() % row->remaining;
    *x = row->xs[i];
    --row->remaining;
    row->xs[i] = row->xs[row->remaining];
    if (row->remaining != 0) return;
    row->emptied = 1;
    if (row == head_ && row == tail_) {
        done = 1;
        return;
    }
    if (row == head_) {
        head_ = row->next;
        head_->prev = nullptr;
    } else if (row == tail_) {
        tail_ = row->prev;
        tail_->next = nullptr;
    } else {
        row->prev->next = row->next;
        row->next->prev = row->prev;
    }
    delete[] row->xs;
    delete row;
    --rowCount_;
}

}  // namespace scintle
