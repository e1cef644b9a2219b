#include "allocation_failures.h"

#include <atomic>
#include <cstddef>
#include <new>

namespace scintle {

namespace {
std::atomic<int> failing{0};
std::atomic<long> refused{0};
}  // namespace

FailingAllocations::FailingAllocations() {
    refused.store(0);
    failing.fetch_add(1);
}

FailingAllocations::~FailingAllocations() { failing.fetch_sub(1); }

long FailingAllocations::Refused() { return refused.load(); }

}  // namespace scintle

// Memory from the ordinary forms, so that whatever frees it (delete, a sanitizer's
// checks) sees the pairing it expects.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (scintle::failing.load() != 0) {
        scintle::refused.fetch_add(1);
        return nullptr;
    }
    return ::operator new(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (scintle::failing.load() != 0) {
        scintle::refused.fetch_add(1);
        return nullptr;
    }
    return ::operator new[](size);
}
