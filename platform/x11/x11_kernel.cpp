#include "platform/x11/x11_kernel.h"

#include <pthread.h>

#include <chrono>
#include <new>
#include <thread>

namespace scintle {

namespace {

struct ThreadCall {
    ThreadStart start;
    void* argument;
};

void* RunThreadCall(void* call) {
    const ThreadCall c = *static_cast<ThreadCall*>(call);
    delete static_cast<ThreadCall*>(call);
    c.start(c.argument);
    return nullptr;
}

}  // namespace

void X11Kernel::Sleep(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool X11Kernel::Beep(uint32_t, uint32_t) {
    bell_.store(true);
    return true;
}

uintptr_t X11Kernel::_beginthread(ThreadStart start, uint32_t, void* argument) {
    auto* call = new (std::nothrow) ThreadCall{start, argument};
    if (call == nullptr) return kThreadStartFailed;
    pthread_t thread;
    if (pthread_create(&thread, nullptr, RunThreadCall, call) != 0) {
        delete call;
        return kThreadStartFailed;
    }
    pthread_detach(thread);
    return static_cast<uintptr_t>(thread);
}

}  // namespace scintle
