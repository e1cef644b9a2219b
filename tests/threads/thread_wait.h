// Waiting on another thread in the thread tests: a condition polled until it holds.
// The deadline only turns a hang into a failure; no test depends on how fast a
// thread runs.
#pragma once

#include <chrono>
#include <thread>

namespace scintle {

template <typename Condition>
bool WaitFor(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace scintle
