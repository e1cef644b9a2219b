// The X11 saver's kernel services: POSIX threads, real sleeps, and the bell. Only the
// window thread talks to the X server, so Beep leaves a request that it takes.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/kernel_platform.h"

namespace scintle {

class X11Kernel : public KernelPlatform {
public:
    void Sleep(uint32_t milliseconds) override;
    bool Beep(uint32_t frequency, uint32_t duration) override;
    // A detached thread: nothing joins it (see render/render_thread.h for the wait).
    uintptr_t _beginthread(ThreadStart start, uint32_t stackSize, void* argument) override;

    // For the window thread: true once after each Beep.
    bool TakeBellRequest() { return bell_.exchange(false); }

private:
    std::atomic<bool> bell_{false};
};

}  // namespace scintle
