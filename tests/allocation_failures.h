// Memory that runs out on request: the test program replaces the global nothrow forms
// of operator new and new[], the only ones the engine allocates with, and while a
// FailingAllocations object lives every one of them returns null, as when the
// machine has no memory left. Everything else allocates as usual.
#pragma once

namespace scintle {

class FailingAllocations {
public:
    FailingAllocations();
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;

    // The nothrow allocations refused since this object was made.
    static long Refused();
};

}  // namespace scintle
